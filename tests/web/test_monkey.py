"""A monkey on the page: 20,000 random finger taps, mouse clicks and keys
anywhere over the window, on the page's real timers, as fast as Chromium
takes them. No console error, the counts shown always add up (total = right
+ wrong), and at the end the page still plays. The seed is printed, so that
a failure can be replayed (VORLEN_MONKEY_SEED)."""

import json
import os
import random
import unittest
import urllib.request

import websocket

from browser import PageTest

ACTIONS = int(os.environ.get("VORLEN_MONKEY_ACTIONS", "20000"))
BATCH = 500
KEYS = {"Tab": (9, "\t"), "Enter": (13, "\r"), " ": (32, " "), "ArrowDown": (40, ""), "ArrowUp": (38, ""),
        "Escape": (27, "")}


class Monkey(PageTest):
    def devtools(self):
        """The page's own DevTools connection: input sent down it in batches,
        without a round trip per event through the driver."""
        address = self.browser.driver.capabilities["goog:chromeOptions"]["debuggerAddress"]
        with urllib.request.urlopen("http://%s/json" % address, timeout=5) as answer:
            pages = [t for t in json.load(answer) if t["type"] == "page" and t["url"].startswith(self.site.url)]
        connection = websocket.create_connection(pages[0]["webSocketDebuggerUrl"], suppress_origin=True, timeout=30)
        self.addCleanup(connection.close)
        return connection

    def events(self, rng, left, top, width, height):
        x, y = left + rng.random() * width, top + rng.random() * height
        kind = rng.random()
        if kind < 0.4:
            point = [{"x": x, "y": y}]
            return [("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": point}),
                    ("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})]
        if kind < 0.8:
            mouse = {"x": x, "y": y, "button": "left", "clickCount": 1}
            return [("Input.dispatchMouseEvent", dict(mouse, type="mousePressed")),
                    ("Input.dispatchMouseEvent", dict(mouse, type="mouseReleased"))]
        key = rng.choice(sorted(KEYS))
        code, text = KEYS[key]
        event = {"key": key, "windowsVirtualKeyCode": code, "modifiers": 8 if rng.random() < 0.2 else 0}
        return [("Input.dispatchKeyEvent", dict(event, type="keyDown", text=text)),
                ("Input.dispatchKeyEvent", dict(event, type="keyUp"))]

    def assert_counts_add_up(self):
        total, right, wrong = self.window.counts()
        self.assertEqual(total, right + wrong)
        self.assertEqual([line for line in self.browser.console() if line.startswith("error")], [])

    def test_twenty_thousand_random_taps_clicks_and_keys(self):
        seed = int(os.environ.get("VORLEN_MONKEY_SEED", random.randrange(1 << 30)))
        print("monkey seed", seed)
        rng = random.Random(seed)
        self.open(731, 496, touch=True)
        box = self.window.rect("Form1")
        connection = self.devtools()
        sent = 0
        seen = set()
        for done in range(0, ACTIONS, BATCH):
            commands = [step for _ in range(min(BATCH, ACTIONS - done)) for step in self.events(rng, *box)]
            for method, params in commands:
                sent += 1
                connection.send(json.dumps({"id": sent, "method": method, "params": params}))
            answered = 0
            while answered < len(commands):
                reply = json.loads(connection.recv())
                if "id" in reply:
                    answered += 1
                    self.assertNotIn("error", reply, reply)
            with self.subTest(actions=done + BATCH, seed=seed):
                self.assert_counts_add_up()
            seen.add((self.window.caption("command9"), self.window.shown("Frame5")))
        # The monkey reached the wrong-answer panel and the idle window.
        self.assertLessEqual({("Dur", True), ("Başla", False)}, seen, seen)

        # Still playing: close the panel if it is open, start if idle, answer.
        if self.window.shown("Frame5"):
            self.click("chameleonButton2")
        if self.window.caption("command9") == "Başla":
            self.click("command9")
        total = self.window.counts()[0]
        self.click(self.window.answer(True))
        self.assertEqual(self.window.counts()[0], total + 1, "the page answers after the monkey (seed %d)" % seed)


if __name__ == "__main__":
    unittest.main()
