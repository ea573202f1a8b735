"""What the web page's tests share: the built site served on a loopback port,
the browser they play in (engines.py: Chromium, WebKit or Firefox), a counter
server that records what reaches it, and the window as drawn: the literal
numbers of tests/support/drawn_window.h, which the web build writes to
drawn_window.json beside the built folder.

Environment: VORLEN_WEB_DIST (the built folder, default build-web/dist),
VORLEN_ENGINE (chromium, webkit or firefox; default chromium) and
VORLEN_COUNTER_HOST (the host the page asks for its counter, default
sayac.keldar.example; Chromium maps it to the local counter server).
"""

import functools
import http.server
import json
import os
import socket
import ssl
import threading
import time
import unittest
from pathlib import Path

from engines import ENGINE, ENGINES

ROOT = Path(__file__).resolve().parents[2]
DIST = Path(os.environ.get("VORLEN_WEB_DIST", ROOT / "build-web" / "dist"))
DRAWN = DIST.parent / "drawn_window.json"
COUNTER_HOST = os.environ.get("VORLEN_COUNTER_HOST", "sayac.keldar.example").split(":")[0]
COUNTER_PATH = "/sayac/qelnor.php"
# The browser the tests play in, VORLEN_ENGINE's (engines.py).
Browser = ENGINES[ENGINE]


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Site:
    """A folder served over http on 127.0.0.1, in a thread of this process;
    over https with tls=(certificate file, key file)."""

    def __init__(self, folder=DIST, port=None, tls=None):
        self.folder = Path(folder)
        self.port = port or free_port()
        self.tls = tls
        self.requests = []
        self.server = None

    @property
    def url(self):
        return "%s://127.0.0.1:%d/" % ("https" if self.tls else "http", self.port)

    def start(self):
        site = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            def log_request(self, code="-", size="-"):
                site.requests.append((self.path, int(code) if isinstance(code, int) else 0))

            def log_message(self, *args):
                pass

        handler = functools.partial(Handler, directory=str(self.folder))
        http.server.ThreadingHTTPServer.allow_reuse_address = True
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", self.port), handler)
        if self.tls:
            context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            context.load_cert_chain(*self.tls)
            self.server.socket = context.wrap_socket(self.server.socket, server_side=True)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        return self

    def stop(self):
        if self.server:
            self.server.shutdown()
            self.server.server_close()
            self.server = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()


class CounterServer:
    """Stands in for the counter host: records each request as (time, method,
    path, host) and answers it as `mode` says: "answer" (200), "redirect"
    (302 to /followed) or "silent" (reads the request, answers nothing and
    records when the client gives up)."""

    def __init__(self, mode="answer"):
        self.mode = mode
        self.requests = []
        self.closed = []  # when a silent request's client hung up
        self.port = free_port()
        self.listener = socket.create_server(("127.0.0.1", self.port))
        self.listener.settimeout(0.2)
        self.running = True
        self.thread = threading.Thread(target=self._serve, daemon=True)
        self.thread.start()

    def _serve(self):
        while self.running:
            try:
                connection, _ = self.listener.accept()
            except socket.timeout:
                continue
            except OSError:
                return
            threading.Thread(target=self._answer, args=(connection,), daemon=True).start()

    def _answer(self, connection):
        with connection:
            connection.settimeout(30)
            data = b""
            while b"\r\n\r\n" not in data:
                chunk = connection.recv(4096)
                if not chunk:
                    return
                data += chunk
            lines = data.decode("latin-1").split("\r\n")
            method, path = lines[0].split(" ")[:2]
            host = next((line[5:].strip() for line in lines if line.lower().startswith("host:")), "")
            self.requests.append((time.monotonic(), method, path, host))
            if self.mode == "silent":
                try:
                    while connection.recv(4096):
                        pass
                except OSError:
                    pass
                self.closed.append(time.monotonic())
                return
            if self.mode == "redirect" and path == COUNTER_PATH:
                head = "HTTP/1.1 302 Found\r\nLocation: http://%s/followed\r\n" % COUNTER_HOST
            else:
                head = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n"
            # Readable from anywhere, so that only the page's own rules keep it
            # from following the redirect or reading the answer.
            head += "Access-Control-Allow-Origin: *\r\n"
            connection.sendall((head + "Content-Length: 2\r\nConnection: close\r\n\r\nok").encode())

    def stop(self):
        self.running = False
        self.listener.close()


class Window:
    """The page's window as a child sees and uses it: parts by design name."""

    def __init__(self, browser):
        self.browser = browser

    def caption(self, part):
        return self.browser.js(
            "var e=document.getElementById(arguments[0]);"
            "return e.tagName==='INPUT'?e.value:(e.querySelector('[aria-hidden]')||e).textContent",
            part,
        )

    def shown(self, *parts):
        """Whether the part is on screen; for several, all read at one moment."""
        shown = self.browser.js(
            "return arguments[0].map(function(id){var e=document.getElementById(id);"
            "return !!e&&e.getClientRects().length>0})", list(parts)
        )
        return shown[0] if len(parts) == 1 else tuple(shown)

    def enabled(self, part):
        return self.browser.js("return !document.getElementById(arguments[0]).matches(':disabled')", part)

    def rect(self, part):
        """The part's box in CSS pixels of the viewport: left, top, width, height."""
        box = self.browser.js("var r=document.getElementById(arguments[0]).getBoundingClientRect();"
                              "return [r.left,r.top,r.width,r.height]", part)
        return tuple(box)

    def focused(self):
        return self.browser.js("return document.activeElement && document.activeElement.id")

    def question(self):
        return int(self.caption("Label1")), int(self.caption("Label3"))

    def answer(self, right):
        """The answer button that shows the right answer to the question on
        screen, or one that does not."""
        a, b = self.question()
        for part in ("cev1", "cev2", "cev3", "cev4"):
            if (self.caption(part) == str(a * b)) == right:
                return part
        raise AssertionError("no %s answer among the buttons" % ("right" if right else "wrong"))

    def counts(self):
        return tuple(int(self.caption(part)) for part in ("Label9", "Label10", "Label11"))

    def samples(self):
        """What the idle animation changes: the question and the answers."""
        return tuple(self.caption(part) for part in ("Label1", "Label3", "cev1", "cev2", "cev3", "cev4"))


@functools.lru_cache(maxsize=None)
def drawn():
    """The window as drawn, in literal pixels: the C++ tests' header
    (tests/support/drawn_window.h) as the web build writes it out, with its
    lists as tuples."""
    tuples = lambda value: tuple(value) if isinstance(value, list) else value
    return json.loads(DRAWN.read_text(encoding="utf-8"), object_hook=lambda row: {k: tuples(v) for k, v in row.items()})


class PageTest(unittest.TestCase):
    """One site and one browser for a test class; each test opens the page
    afresh at the window's own size unless it asks for another."""

    browser_flags = ()

    @classmethod
    def setUpClass(cls):
        cls.site = Site().start()
        cls.browser = Browser(cls.browser_flags)
        cls.window = Window(cls.browser)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.site.stop()

    def open(self, width=731, height=496, scale=1.0, touch=False, query=""):
        # Only Chromium emulates other device pixels and touch screens.
        if scale != 1.0 or touch:
            self.browser.viewport(width, height, scale=scale, touch=touch)
        else:
            self.browser.viewport(width, height)
        self.browser.open(self.site.url + query)

    def middle(self, part):
        left, top, width, height = self.window.rect(part)
        return left + width / 2, top + height / 2

    def tap(self, part):
        """A finger's tap in the middle of the part."""
        self.browser.tap(*self.middle(part))

    def click(self, part):
        """A mouse's click in the middle of the part."""
        self.browser.click(*self.middle(part))

    def key(self, name, auto_repeat=False, down=True, up=True):
        """A key stroke (Tab, shift+Tab, Enter, Space or ArrowDown), or only
        its going down, held (auto_repeat) or up."""
        self.browser.key(name, auto_repeat=auto_repeat, down=down, up=up)


# Resolves with the offline caches' names once the service worker controls the page.
CONTROLLED = (
    "return navigator.serviceWorker.ready.then(function(){return new Promise(function(done){"
    "(function wait(){navigator.serviceWorker.controller?caches.keys().then(done):setTimeout(wait,50)})()})})"
)
