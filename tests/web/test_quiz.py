"""A whole quiz played on the page by mouse clicks, by finger taps and by
keys, on the page's real timers: the idle animation, a start, a right answer,
a wrong answer with its panel blinking, "Tamam", "Dur"; what locked controls
refuse; and the failure boundary, which reports and lets the page go on."""

import time
import unittest

from browser import PageTest
from engines import chromium_only


class Quiz(PageTest):
    def settle(self, probe, what, timeout=2):
        return self.browser.wait_for(what, probe, timeout)

    def play(self, press):
        """One quiz through press(part), checked at every step."""
        window = self.window
        first = window.samples()
        self.settle(lambda: window.samples() != first, "the idle animation")
        press("command9")
        self.assertEqual(window.caption("command9"), "Dur")
        self.assertEqual(window.question(), (1, 1), "all tables in order start at 1 x 1")
        self.assertEqual(window.counts(), (0, 0, 0))
        self.assertFalse(window.enabled("Combo1"))
        frozen = window.samples()
        time.sleep(0.3)
        self.assertEqual(window.samples(), frozen, "the animation stops while a quiz runs")

        press(window.answer(True))
        self.assertEqual((window.question(), window.counts()), ((1, 2), (1, 1, 0)))

        wrong = window.answer(False)
        press(wrong)
        self.assertTrue(window.shown("Frame5"))
        self.assertEqual(window.caption("Label13"), "DOĞRU CEVAP : 2")
        self.assertEqual(window.counts(), (2, 1, 1))
        for locked in ("cev1", "command9"):
            press(locked)
        self.assertEqual(window.counts(), (2, 1, 1), "the answers and Dur are locked under the panel")

        # The blink, on the 200 ms timer: one of the two lines at a time.
        seen = set()
        deadline = time.monotonic() + 1.2
        while time.monotonic() < deadline:
            seen.add(window.shown("Label12", "Label13"))
            time.sleep(0.04)
        # Both lines show until the first tick; then one at a time.
        self.assertLessEqual({(True, False), (False, True)}, seen)
        self.assertNotIn((False, False), seen)

        press("chameleonButton2")
        self.assertFalse(window.shown("Frame5"))
        self.assertEqual(window.question(), (1, 3))
        self.assertEqual(window.focused(), wrong, "back to the answer that opened the panel")

        press("command9")
        self.assertEqual(window.caption("command9"), "Başla")
        self.assertEqual(window.counts(), (0, 0, 0))
        self.assertTrue(window.enabled("Combo1"))
        first = window.samples()
        self.settle(lambda: window.samples() != first, "the idle animation to run again")

    def test_a_quiz_by_mouse_clicks(self):
        self.open()
        self.play(self.click)

    @chromium_only("touch-screen emulation, for (pointer: coarse)")
    def test_a_quiz_by_finger_taps_on_a_tablet(self):
        self.open(1024, 768, touch=True)
        self.assertTrue(self.browser.js("return matchMedia('(pointer: coarse)').matches"))
        self.play(self.tap)

    def test_a_quiz_by_keys_in_the_designs_order(self):
        self.open()
        order = {"idle": ["command9", "Combo1", "Combo2"], "running": ["command9", "cev1", "cev2", "cev3", "cev4"]}

        def tab_order():
            start = self.window.focused()
            seen = [start]
            for _ in range(8):
                self.key("Tab")
                if self.window.focused() in (start, None, "") or self.window.focused() in seen:
                    break
                seen.append(self.window.focused())
            self.browser.js("document.getElementById(arguments[0]).focus()", start)
            return seen

        self.assertEqual(self.window.focused(), "command9", "the start button has the focus at start")
        self.assertEqual(tab_order(), order["idle"])
        keys = iter(["Space", "Enter"] * 8)

        def press(part):
            # A locked control has no keyboard route to it: nothing to tab to
            # (and in Firefox a Tab past the page's last part goes on into the
            # browser's own bar).
            if self.browser.js("return document.getElementById(arguments[0]).matches(':disabled')", part):
                return
            for _ in range(8):
                if self.window.focused() == part:
                    break
                self.key("Tab")
            if self.window.focused() == part:
                self.key(next(keys))

        press("command9")
        self.assertEqual(tab_order(), order["running"])
        self.browser.js("document.getElementById('cev1').focus()")
        self.key("shift+Tab")
        self.assertEqual(self.window.focused(), "command9")
        press("command9")
        self.play(press)

    def test_a_reload_starts_as_the_window_is_drawn(self):
        # Firefox brings a control's locked state back on a reload; the page
        # starts every part as the window model says all the same.
        self.open()
        self.click("command9")
        self.assertTrue(self.window.enabled("cev1"))
        self.browser.js("window.__before = true; location.reload()")
        self.browser.wait_for("the reloaded page", lambda: self.browser.js(
            "return !window.__before && document.documentElement.getAttribute('data-vorlen') === 'ready'"), 10)
        self.assertEqual(self.window.caption("command9"), "Başla")
        self.assertEqual([self.window.enabled(part) for part in ("cev1", "cev4", "Combo1", "Combo2")],
                         [False, False, True, True])

    def test_the_same_question_twice_in_a_row_is_said_twice(self):
        # In mixed order a cycle's last question may come first in the next
        # one; after a right answer, a child who cannot see hears it again.
        self.open()
        said = self.browser.js(
            "var d=document,said=[],take=function(records){records.forEach(function(r){"
            "r.addedNodes.forEach(function(n){said.push(n.textContent)})})},watch=new MutationObserver(take);"
            "var caption=function(id){return d.querySelector('#'+id+' [aria-hidden]').textContent};"
            "['Combo1','Combo2'].forEach(function(id){var e=d.getElementById(id);e.selectedIndex=1;"
            "e.dispatchEvent(new Event('change'))});"
            "watch.observe(d.getElementById('status'),{childList:true});d.getElementById('command9').click();"
            "for(var n=0;n<1000;n++){var product=String(caption('Label1')*caption('Label3'));"
            "['cev1','cev2','cev3','cev4'].filter(function(id){return caption(id)===product})"
            ".forEach(function(id){d.getElementById(id).click()})}"
            "take(watch.takeRecords());return said"
        )
        self.assertEqual(self.window.counts(), (1000, 1000, 0))
        self.assertEqual(len(said), 1001, "the start's question, and one after each right answer")
        self.assertTrue(any(a == b for a, b in zip(said, said[1:])), "no question came twice in 100 cycles")

    def test_the_childs_choice_of_table_and_order_is_the_quizs(self):
        self.open()
        for part, steps in (("Combo1", 7), ("Combo2", 1)):
            self.browser.js("document.getElementById(arguments[0]).focus()", part)
            for _ in range(steps):
                self.key("ArrowDown")
        self.assertEqual(self.browser.js("return [Combo1.value, Combo2.value]"), ["7 ler", "Karışık"])
        self.click("command9")
        questions = []
        for _ in range(3):
            questions.append(self.window.question())
            self.click(self.window.answer(True))
        self.assertEqual([a for a, _ in questions], [7, 7, 7])
        seconds = [b for _, b in questions]
        self.assertEqual(len(set(seconds)), 3)
        self.assertNotEqual(seconds, [1, 2, 3], "mixed, not in order (1 in 720 by chance)")

    @chromium_only("key repeats flagged as such and touch-screen emulation")
    def test_one_press_per_key_stroke_click_or_tap_however_long_held(self):
        self.open()
        self.click("command9")
        right = self.window.answer(True)
        self.browser.js("document.getElementById(arguments[0]).focus()", right)
        self.key("Enter", up=False)
        for _ in range(3):
            self.key("Enter", auto_repeat=True, up=False)
        self.key("Enter", down=False)
        self.assertEqual(self.window.counts(), (1, 1, 0))
        self.tap(self.window.answer(True))
        self.click(self.window.answer(True))
        self.assertEqual(self.window.counts(), (3, 3, 0))

    @chromium_only("a mouse moved without a click")
    def test_hover_colours_only_where_a_pointer_can_hover(self):
        self.open()
        self.click("command9")
        left, top, width, height = self.window.rect("cev1")
        self.browser.cdp("Input.dispatchMouseEvent", type="mouseMoved", x=left + width / 2, y=top + height / 2)
        colour = self.browser.js("return getComputedStyle(document.getElementById('cev1')).color")
        self.assertTrue(self.browser.js("return document.getElementById('cev1').matches(':hover')"))
        can_hover = self.browser.js("return matchMedia('(hover: hover)').matches")
        self.assertEqual(colour, "rgb(0, 0, 128)" if can_hover else "rgb(0, 0, 255)")

    def test_a_failure_is_reported_to_the_console_and_the_page_goes_on(self):
        self.open()
        # A twelfth table that the design does not have, chosen on the page.
        self.browser.js(
            "var list=document.getElementById('Combo1');list.add(new Option('11 ler'));"
            "list.selectedIndex=11;list.dispatchEvent(new Event('change'))"
        )
        self.assertIn("error: vorlen: Combo1: no such list entry", self.browser.console())
        self.assertEqual(self.browser.js("return document.getElementById('Combo1').selectedIndex"), 0)
        self.click("command9")
        self.assertEqual(self.window.caption("command9"), "Dur")


if __name__ == "__main__":
    unittest.main()
