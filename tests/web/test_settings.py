"""The child's system settings reach the window model: with less motion
asked for, the idle area keeps one still sample and the wrong-answer panel
shows the correct answer steadily, and the samples run again when the
setting goes; a page nobody sees pauses its samples; under forced colours
the window takes the system's colours, with the lines of the wrong-answer
panel kept and a locked button told apart. (What each setting changes is the
window model's rule, tested there; more contrast is checked by axe.)"""

import time
import unittest

from browser import PageTest

# The system colour a CSS system-colour keyword stands for here.
SYSTEM = "var e=document.body.appendChild(document.createElement('i'));e.style.color=arguments[0];" \
         "var c=getComputedStyle(e).color;e.remove();return c"


class Settings(PageTest):
    def emulate(self, **features):
        self.browser.cdp("Emulation.setEmulatedMedia",
                         features=[{"name": name.replace("_", "-"), "value": value} for name, value in features.items()])

    def tearDown(self):
        self.emulate()

    def still_for(self, seconds, read):
        first = read()
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            self.assertEqual(read(), first)
            time.sleep(0.05)

    def test_less_motion_keeps_one_still_sample_and_a_steady_answer(self):
        self.emulate(prefers_reduced_motion="reduce")
        self.open()
        time.sleep(0.2)  # the one sample
        self.still_for(1.0, self.window.samples)
        self.emulate()
        first = self.window.samples()
        self.browser.wait_for("the samples to run again", lambda: self.window.samples() != first)
        self.emulate(prefers_reduced_motion="reduce")
        self.click("command9")
        self.click(self.window.answer(False))
        self.assertEqual(self.window.shown("Label12", "Label13"), (True, True))
        self.still_for(0.8, lambda: self.window.shown("Label12", "Label13"))

    def test_a_page_nobody_sees_pauses_its_samples(self):
        self.open()
        self.browser.driver.minimize_window()
        try:
            self.assertEqual(self.browser.js("return document.visibilityState"), "hidden")
            time.sleep(0.2)
            self.still_for(0.6, self.window.samples)
        finally:
            self.browser.driver.maximize_window()
        first = self.window.samples()
        self.browser.wait_for("the samples to go on", lambda: self.window.samples() != first)

    def test_under_forced_colours_the_system_colours_and_the_panels_frame(self):
        self.emulate(forced_colors="active")
        self.open()
        self.click("command9")
        self.click(self.window.answer(False))
        style = lambda part, what: self.browser.js(
            "return getComputedStyle(document.getElementById(arguments[0]))[arguments[1]]", part, what)
        system = lambda name: self.browser.js(SYSTEM, name)
        self.assertNotEqual(system("CanvasText"), system("Canvas"))
        for line in ("Line1", "Line2", "Line3", "Line4"):
            self.assertEqual(style(line, "backgroundColor"), system("CanvasText"), line)
        self.assertEqual(style("chameleonButton2", "color"), system("ButtonText"))
        self.assertEqual(style("Label13", "color"), system("CanvasText"))
        self.click("chameleonButton2")
        self.click("command9")
        self.assertEqual(style("cev1", "color"), system("GrayText"), "a locked answer")
        self.assertNotEqual(system("GrayText"), system("ButtonText"))


if __name__ == "__main__":
    unittest.main()
