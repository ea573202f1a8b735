"""What the page's tests share: the built site served on a loopback port, the
browser they play in (engines.py), a stand-in for the counter host, and the
window as drawn (tests/support/drawn_window.h's literal numbers, which the web
build writes to drawn_window.json beside the built folder).

Environment: VORLEN_WEB_DIST (the built folder, default build-web/dist),
VORLEN_ENGINE (engines.py) and VORLEN_COUNTER_HOST (the host the page asks for
its counter; Chromium maps it to the stand-in).
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
COUNTER_HOST = os.environ.get("VORLEN_COUNTER_HOST", "sayac.keldar.example").split(":")[0]
COUNTER_PATH = "/sayac/qelnor.php"
Browser = ENGINES[ENGINE]
# Resolves with the offline caches' names once the service worker controls the page.
CONTROLLED = ("return navigator.serviceWorker.ready.then(function(){return new Promise(function(done){"
              "(function wait(){navigator.serviceWorker.controller?caches.keys().then(done):setTimeout(wait,50)})()})})")


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Handler(http.server.SimpleHTTPRequestHandler):
    def log_request(self, code="-", size="-"):
        self.server.requests.append((self.path, code if isinstance(code, int) else 0))

    def log_message(self, *args):
        pass


class Site:
    """A folder served over http on 127.0.0.1 in a thread, over https with
    tls=(certificate file, key file); requests lists (path, status) served."""

    def __init__(self, folder=DIST, port=None, tls=None):
        handler = functools.partial(Handler, directory=str(folder))
        http.server.ThreadingHTTPServer.allow_reuse_address = True
        self.port = port or free_port()
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", self.port), handler)
        if tls:
            context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            context.load_cert_chain(*tls)
            self.server.socket = context.wrap_socket(self.server.socket, server_side=True)
        self.requests = self.server.requests = []
        self.url = "%s://127.0.0.1:%d/" % ("https" if tls else "http", self.port)

    def start(self):
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
    """Records each request as (time, method, path, host) and answers as mode
    says: "answer" (200, readable from anywhere), "redirect" (302 to
    /followed) or "silent" (no answer; closed records when the client gave up)."""

    def __init__(self):
        self.mode, self.requests, self.closed = "answer", [], []
        self.listener = socket.create_server(("127.0.0.1", 0))
        self.port = self.listener.getsockname()[1]
        threading.Thread(target=self.serve, daemon=True).start()

    def serve(self):
        while True:
            try:
                connection = self.listener.accept()[0]
            except OSError:
                return
            threading.Thread(target=self.answer, args=(connection,), daemon=True).start()

    def answer(self, connection):
        with connection:
            data = b""
            while b"\r\n\r\n" not in data and (chunk := connection.recv(4096)):
                data += chunk
            lines = data.decode("latin-1").split("\r\n")
            method, path = lines[0].split(" ")[:2]
            host = next((line[5:].strip() for line in lines if line.lower().startswith("host:")), "")
            self.requests.append((time.monotonic(), method, path, host))
            if self.mode == "silent":
                while connection.recv(4096):
                    pass
                self.closed.append(time.monotonic())
                return
            head = ("HTTP/1.1 302 Found\r\nLocation: http://%s/followed" % COUNTER_HOST if self.mode == "redirect"
                    else "HTTP/1.1 200 OK\r\nContent-Type: text/plain")
            connection.sendall((head + "\r\nAccess-Control-Allow-Origin: *\r\nContent-Length: 2\r\n"
                                "Connection: close\r\n\r\nok").encode())

    def stop(self):
        self.listener.close()


@functools.lru_cache(maxsize=None)
def drawn():
    return json.loads((DIST.parent / "drawn_window.json").read_text(encoding="utf-8"))


class PageTest(unittest.TestCase):
    """One site and one browser for a test class, and the window's parts by
    design name."""

    browser_flags = ()

    @classmethod
    def setUpClass(cls):
        cls.site = Site().start()
        cls.browser = Browser(cls.browser_flags)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.site.stop()

    def open(self, width=731, height=496, query="", **mobile):
        self.browser.viewport(width, height, **mobile)
        self.browser.open(self.site.url + query)

    def js(self, script, *args):
        return self.browser.js(script, *args)

    def wait(self, what, probe, timeout=5):
        return self.browser.wait_for(what, probe, timeout)

    def caption(self, part):
        return self.js("var e=document.getElementById(arguments[0]);"
                       "return e.tagName==='INPUT'?e.value:(e.querySelector('[aria-hidden]')||e).textContent", part)

    def shown(self, *parts):
        """Whether the parts are on screen, read at one moment."""
        shown = self.js("return arguments[0].map(function(id){return document.getElementById(id)"
                        ".getClientRects().length>0})", list(parts))
        return shown[0] if len(parts) == 1 else tuple(shown)

    def enabled(self, part):
        return self.js("return !document.getElementById(arguments[0]).matches(':disabled')", part)

    def focused(self):
        return self.js("return document.activeElement && document.activeElement.id")

    def rect(self, part):
        return tuple(self.js("var r=document.getElementById(arguments[0]).getBoundingClientRect();"
                             "return [r.left,r.top,r.width,r.height]", part))

    def middle(self, part):
        left, top, width, height = self.rect(part)
        return left + width / 2, top + height / 2

    def click(self, part):
        self.browser.click(*self.middle(part))

    def question(self):
        return int(self.caption("Label1")), int(self.caption("Label3"))

    def answer(self, right):
        """The answer button that shows the right answer, or a wrong one."""
        a, b = self.question()
        return next(part for part in ("cev1", "cev2", "cev3", "cev4") if (self.caption(part) == str(a * b)) == right)

    def counts(self):
        return tuple(int(self.caption(part)) for part in ("Label9", "Label10", "Label11"))

    def samples(self):
        """What the idle animation changes: the question and the answers."""
        return tuple(self.caption(part) for part in ("Label1", "Label3", "cev1", "cev2", "cev3", "cev4"))
