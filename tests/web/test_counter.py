"""The visit-counter request against a local stand-in for the counter host
(Chromium maps the host to it): one GET two seconds after start, a redirect
not followed, a server that never answers given up at the deadline while the
page goes on, and a page on https that cannot reach the http address and
goes on all the same."""

import os
import subprocess
import tempfile
import time
import unittest

from browser import COUNTER_HOST, COUNTER_PATH, Browser, CounterServer, Site, Window
from engines import chromium_only


@chromium_only("the counter host mapped to the local server (--host-resolver-rules)")
class Counter(unittest.TestCase):
    def start(self, mode, query="", site=None):
        self.counter = CounterServer(mode)
        self.addCleanup(self.counter.stop)
        self.site = site or Site().start()
        self.addCleanup(self.site.stop)
        rules = "--host-resolver-rules=MAP %s 127.0.0.1:%d" % (COUNTER_HOST, self.counter.port)
        self.browser = Browser([rules, "--ignore-certificate-errors"])
        self.addCleanup(self.browser.quit)
        self.browser.viewport(731, 496)
        self.browser.open(self.site.url + query)
        self.ready = time.monotonic()
        return Window(self.browser)

    def wait_for_request(self, timeout=5.0):
        deadline = time.monotonic() + timeout
        while not self.counter.requests and time.monotonic() < deadline:
            time.sleep(0.02)
        self.assertTrue(self.counter.requests, "the counter page was never asked for")
        return self.counter.requests[0]

    def test_one_get_of_the_counter_page_two_seconds_after_start(self):
        self.start("answer")
        arrived, method, path, host = self.wait_for_request()
        # Timer3 starts just before the page is marked ready; a busy machine
        # may be late, never early.
        self.assertTrue(1.5 <= arrived - self.ready <= 3.5, arrived - self.ready)
        self.assertEqual((method, path, host), ("GET", COUNTER_PATH, COUNTER_HOST))
        time.sleep(2.5)
        self.assertEqual(len(self.counter.requests), 1, "once per page load")

    def test_a_redirect_is_not_followed(self):
        self.start("redirect")
        self.wait_for_request()
        time.sleep(1.5)
        self.assertEqual([request[2] for request in self.counter.requests], [COUNTER_PATH])

    def test_a_silent_server_is_given_up_at_the_deadline_and_the_page_goes_on(self):
        window = self.start("silent", "?counterDeadline=1000")
        arrived = self.wait_for_request()[0]
        # While the request waits, the samples run and a press is taken.
        first = window.samples()
        self.browser.wait_for("the idle animation", lambda: window.samples() != first, 0.5)
        self.browser.js("document.getElementById('command9').click()")
        self.assertEqual(window.caption("command9"), "Dur")
        deadline = time.monotonic() + 4
        while not self.counter.closed and time.monotonic() < deadline:
            time.sleep(0.02)
        self.assertTrue(self.counter.closed, "the request was never given up")
        self.assertTrue(0.8 <= self.counter.closed[0] - arrived <= 2.5, self.counter.closed[0] - arrived)

    def test_a_page_on_https_reaches_no_http_counter_and_goes_on(self):
        folder = tempfile.mkdtemp(prefix="vorlen-tls-")
        key, certificate = os.path.join(folder, "key.pem"), os.path.join(folder, "cert.pem")
        subprocess.run(
            ["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj", "/CN=127.0.0.1",
             "-keyout", key, "-out", certificate],
            check=True, capture_output=True,
        )
        window = self.start("answer", site=Site(tls=(certificate, key)).start())
        self.assertTrue(self.browser.driver.current_url.startswith("https://"))
        time.sleep(3.5)
        self.assertEqual(self.counter.requests, [], "mixed content is blocked")
        self.browser.js("document.getElementById('command9').click()")
        self.assertEqual(window.caption("command9"), "Dur")


if __name__ == "__main__":
    unittest.main()
