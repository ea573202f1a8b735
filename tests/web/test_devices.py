"""The page on the screens children hold, as Chromium's device emulation shows
them (a mobile viewport, touch): phones upright and sideways, a tablet both
ways. The whole window lies inside the screen with nothing to scroll, after a
rotation too; every button and list takes a finger's touch across 44 x 44
CSS px around its middle, in every state; a tap at the edge of that reach
presses; and pinch zoom stays."""

import unittest

from browser import PageTest

UPRIGHT = ((360, 640), (390, 844), (412, 915), (768, 1024))
SIZES = UPRIGHT + tuple((height, width) for width, height in UPRIGHT)

# For every target, the points of the 44 x 44 CSS px square around its
# middle (every 2 px) that a touch there would not reach it with.
MISSES = """
return arguments[0].map(function (id) {
  var target = document.getElementById(id), r = target.getBoundingClientRect();
  if (target.tagName === 'SELECT') r = target.parentElement.getBoundingClientRect();
  var x0 = r.left + r.width / 2 - 22, y0 = r.top + r.height / 2 - 22, missed = [];
  for (var dx = 0; dx <= 44; dx += 2) for (var dy = 0; dy <= 44; dy += 2) {
    var hit = document.elementFromPoint(x0 + dx, y0 + dy);
    if (!hit || hit.closest('button,select') !== target) missed.push([Math.round(dx - 22), Math.round(dy - 22)]);
  }
  return [id, missed.length, missed.slice(0, 4)];
});
"""


class Devices(PageTest):
    def open_on(self, width, height):
        self.browser.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=2,
                         mobile=True)
        self.browser.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        self.browser.open(self.site.url)

    def assert_fits(self, width, height):
        left, top, shown_width, shown_height = self.window.rect("Form1")
        self.assertAlmostEqual(shown_width / shown_height, 731 / 496, delta=0.01)
        self.assertTrue(left >= -0.5 and top >= -0.5, (left, top))
        self.assertTrue(left + shown_width <= width + 0.5 and top + shown_height <= height + 0.5)
        self.assertTrue(abs(shown_width - width) < 1 or abs(shown_height - height) < 1, "fills one way")
        scroll = self.browser.js("var e=document.scrollingElement;return [e.scrollWidth,e.scrollHeight,"
                                 "visualViewport.scale]")
        self.assertEqual(scroll, [width, height, 1], "nothing to scroll, nothing zoomed out")

    def assert_reach(self, *parts):
        for part, missed, some in self.browser.js(MISSES, list(parts)):
            self.assertEqual(missed, 0, "%s: a touch at %s from its middle misses it" % (part, some))

    def test_the_whole_window_and_a_fingers_reach_on_every_screen(self):
        for width, height in SIZES:
            with self.subTest(screen="%dx%d" % (width, height)):
                self.open_on(width, height)
                self.assert_fits(width, height)
                self.assert_reach("command9", "Combo1", "Combo2")
                self.browser.js("document.getElementById('command9').click()")
                self.assert_reach("command9", "cev1", "cev2", "cev3", "cev4")
                self.browser.js("document.getElementById(arguments[0]).click()", self.window.answer(False))
                self.assertTrue(self.window.shown("Frame5"))
                self.assert_reach("chameleonButton2")

    def test_a_rotation_there_and_back_fits_again(self):
        self.open_on(390, 844)
        for width, height in ((844, 390), (390, 844)):
            self.browser.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                             deviceScaleFactor=2, mobile=True)
            self.browser.wait_for("the window to fit %dx%d" % (width, height),
                                  lambda: abs(self.window.rect("Form1")[2] - min(width, height * 731 / 496)) < 1)
            self.assert_fits(width, height)

    def test_a_tap_at_the_edge_of_the_reach_presses_and_pinch_zoom_stays(self):
        self.open_on(360, 640)
        left, top, width, height = self.window.rect("command9")
        self.assertLess(height, 30, "the drawn button is smaller than a finger here")
        point = [{"x": left + width / 2, "y": top + height / 2 - 21}]
        self.browser.cdp("Input.dispatchTouchEvent", type="touchStart", touchPoints=point)
        self.browser.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])
        self.browser.wait_for("the quiz to start", lambda: self.window.caption("command9") == "Dur")
        self.browser.cdp("Input.synthesizePinchGesture", x=180, y=320, scaleFactor=2, gestureSourceType="default")
        self.browser.wait_for("the pinch to zoom in", lambda: self.browser.js("return visualViewport.scale") > 1.5)
        self.assertEqual(self.window.rect("Form1")[2], 360, "a pinch zooms the screen, not the window's fit")


if __name__ == "__main__":
    unittest.main()
