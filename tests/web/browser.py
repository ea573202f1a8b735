"""What the page's tests share: the built site (VORLEN_WEB_DIST, default
build-web/dist) served on a loopback port, the browser (engines.py), a stand-in
for the counter host (VORLEN_COUNTER_HOST), and the window as drawn, which the
web build writes to drawn_window.json beside the built folder."""

import functools
import http.server
import json
import os
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


class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def log_request(self, code="-", size="-"):
        self.server.requests.append((self.path, code if isinstance(code, int) else 0))


class Site(http.server.ThreadingHTTPServer):
    """A folder (or with handler, a stand-in) served on 127.0.0.1, over https
    with tls=(certificate file, key file); requests lists what was served."""

    daemon_threads = allow_reuse_address = True

    def __init__(self, folder=DIST, port=None, tls=None, handler=None):
        super().__init__(("127.0.0.1", port or 0), handler or functools.partial(Handler, directory=str(folder)))
        if tls:
            context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            context.load_cert_chain(*tls)
            self.socket = context.wrap_socket(self.socket, server_side=True)
        self.port, self.requests = self.server_address[1], []
        self.url = "%s://127.0.0.1:%d/" % ("https" if tls else "http", self.port)
        threading.Thread(target=self.serve_forever, daemon=True).start()

    def stop(self):
        self.shutdown()
        self.server_close()

    def __exit__(self, *exc):
        self.stop()


class CounterHandler(http.server.BaseHTTPRequestHandler):
    log_message = Handler.log_message

    def do_GET(self):
        counter = self.server
        counter.requests.append((time.monotonic(), self.command, self.path, self.headers["Host"]))
        if counter.mode == "silent":
            self.rfile.read(1)  # until the client gives up
            return counter.closed.append(time.monotonic())
        self.send_response(302 if counter.mode == "redirect" else 200)
        if counter.mode == "redirect":
            self.send_header("Location", "http://%s/followed" % COUNTER_HOST)
        # Readable from anywhere: only the page's own rules keep it from the answer.
        self.send_header("Access-Control-Allow-Origin", "*")
        self.send_header("Content-Length", "2")
        self.end_headers()
        self.wfile.write(b"ok")


class CounterServer(Site):
    """The counter host's stand-in: records each request as (time, method,
    path, host) and answers as mode says: "answer" (200), "redirect" (302
    to /followed) or "silent" (never; closed records when the client gave up)."""

    def __init__(self):
        self.mode, self.closed = "answer", []
        super().__init__(handler=CounterHandler)


@functools.lru_cache(maxsize=None)
def drawn():
    return json.loads((DIST.parent / "drawn_window.json").read_text(encoding="utf-8"))


class PageTest(unittest.TestCase):
    """One site and one browser for a test class (unless shared is False),
    and the window's parts by design name."""

    shared, flags = True, ()

    @classmethod
    def setUpClass(cls):
        if cls.shared:
            cls.site, cls.browser = Site(), Browser(cls.flags)

    @classmethod
    def tearDownClass(cls):
        if cls.shared:
            cls.browser.quit()
            cls.site.stop()

    def open(self, width=731, height=496, query="", **mobile):
        self.browser.viewport(width, height, **mobile)
        self.browser.open(self.site.url + query)

    def js(self, script, *args):
        return self.browser.js(script, *args)

    def wait(self, what, probe, timeout=5):
        return self.browser.wait_for(what, probe, timeout)

    def animates(self, timeout=5):
        first = self.samples()
        self.wait("the idle animation", lambda: self.samples() != first, timeout)

    def still_for(self, seconds, read):
        first, deadline = read(), time.monotonic() + seconds
        while time.monotonic() < deadline:
            self.assertEqual(read(), first)
            time.sleep(0.05)

    def caption(self, part):
        return self.js("var e=document.getElementById(arguments[0]);"
                       "return e.tagName==='INPUT'?e.value:(e.querySelector('[aria-hidden]')||e).textContent", part)

    def shown(self, *parts):
        """Whether the parts are on screen, read at one moment."""
        shown = self.js("return arguments[0].map(function(id){var e=document.getElementById(id);"
                        "return e.getClientRects().length>0&&getComputedStyle(e).visibility!=='hidden'})", list(parts))
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
