"""The page against the window as drawn: every panel, control and line at its
drawn box on a desktop (in every engine) and scaled to fit an upright phone
of 360 px with a finger's reach around every control (Chromium); its pixels
beside the Qt window's, and a face for every Turkish letter."""

import io
import os
import time
from pathlib import Path

from PIL import Image, ImageChops, ImageStat

from browser import DIST, ENGINE, ROOT, PageTest, drawn
from engines import chromium_only

# Each part's box in its own panel, the panels' in the window; the panels that
# never show at start and the blinking labels are shown to be measured.
BOXES = ("for (const e of document.querySelectorAll('[hidden]')) e.hidden = false;"
         "var out={};for (const e of document.querySelectorAll('#Form1 [id]')){"
         "var r=(e.tagName==='SELECT'?e.parentElement:e).getBoundingClientRect(),"
         "p=e.parentElement.closest('.panel,main');var q=p.getBoundingClientRect();"
         "out[e.id]=[p.id,r.left-q.left,r.top-q.top,r.width,r.height,getComputedStyle(e).backgroundColor]}return out")
# For every target, the points of the 44 x 44 CSS px square around its middle
# (every 4 px) where a touch would miss it.
MISSES = ("return arguments[0].filter(function(id){var t=document.getElementById(id),"
          "r=(t.tagName==='SELECT'?t.parentElement:t).getBoundingClientRect(),x=r.left+r.width/2-22,"
          "y=r.top+r.height/2-22;for(var dx=0;dx<=44;dx+=4)for(var dy=0;dy<=44;dy+=4){"
          "var hit=document.elementFromPoint(x+dx,y+dy);if(!hit||hit.closest('button,select')!==t)return true}})")
# Parts of the window that do not hang on the random answers, as boxes of the
# drawn window, and how far the page may differ from the Qt window there in
# mean levels of 255; the lists are the browser's own.
REGIONS = {"the question 1 x 1": ((267, 139, 466, 215), 6), "the counts": ((520, 400, 690, 470), 6),
           "the settings row": ((80, 35, 640, 75), 20)}


class Layout(PageTest):
    def assert_drawn(self, scale=1.0):
        boxes, window = self.js(BOXES), drawn()
        # WebKit puts a centred label's text up to 0.15 px from the others.
        near = 0.25 if ENGINE == "webkit" else 0.01 if scale == 1 else 0.5
        rows = [(name, ["Form1", *box], "Box") for name, box in window["panels"].items()]
        rows += [(name, [c["panel"], *c["box"]], c["anchor"]) for name, c in window["controls"].items()]
        rows += [(name, [line["panel"], *line["bar"]], "Box") for name, line in window["lines"].items()]
        for name, want, anchor in rows:
            with self.subTest(part=name):
                got = boxes[name][:5]
                self.assertEqual(got[0], want[0])
                if anchor != "Box":
                    # The page keeps the edge it is told: left, centre or right.
                    keep = {"Left": 0, "Centre": 0.5, "Right": 1}[anchor]
                    got, want = [got[1] + keep * got[3], got[2]], [want[1] + keep * want[3], want[2]]
                else:
                    got, want = got[1:], want[1:]
                for a, b in zip(got, want):
                    self.assertAlmostEqual(a, b * scale, delta=near)
        return boxes

    def test_every_part_sits_where_it_was_drawn_on_a_desktop(self):
        self.open()
        self.assertEqual(self.rect("Form1"), (0, 0, *drawn()["client"]))
        boxes = self.assert_drawn()
        for name, line in drawn()["lines"].items():
            self.assertEqual(boxes[name][5], "rgb(%d, %d, %d)" % tuple(line["colour"]), name)
        # The wrong-answer panel lies above the others and covers no answer or count.
        over = "return document.elementFromPoint(arguments[0],arguments[1]).closest('.panel,main').id"
        self.assertEqual(self.js(over, *self.middle("Frame5")), "Frame5")
        for name in drawn()["uncovered"]:
            self.assertNotEqual(self.js(over, *self.middle(name)), "Frame5", name)

    @chromium_only("a phone's screen and touch (device emulation)")
    def test_an_upright_phone_shows_the_whole_window_within_a_fingers_reach(self):
        self.open(360, 640, mobile=True)
        scale = 360 / 731
        self.assertEqual(self.js("var e=document.scrollingElement;return [e.scrollWidth,e.scrollHeight,"
                                 "visualViewport.scale]"), [360, 640, 1], "nothing to scroll, nothing zoomed out")
        left, top, width, height = self.rect("Form1")
        self.assertAlmostEqual(width, 360, delta=0.5)
        self.assertTrue(left >= -0.5 and 0 <= top and top + height <= 640.5, (left, top, height))
        self.assert_drawn(scale)
        self.open(360, 640, mobile=True)
        for width, height in ((640, 360), (360, 640)):  # turned and back: the window fits again
            self.browser.viewport(width, height, mobile=True)
            self.wait("the fit to %dx%d" % (width, height),
                      lambda: abs(self.rect("Form1")[2] - min(width, height * 731 / 496)) < 0.5)
        self.assertEqual(self.js(MISSES, ["command9", "Combo1", "Combo2"]), [])
        # A tap at the edge of the reach presses the drawn button, smaller than a finger here.
        x, y = self.middle("command9")
        self.browser.tap(x, y - 21)
        self.wait("the quiz to start", lambda: self.caption("command9") == "Dur")
        self.assertEqual(self.js(MISSES, ["command9", "cev1", "cev2", "cev3", "cev4"]), [])
        self.js("document.getElementById(arguments[0]).click()", self.answer(False))
        self.assertEqual(self.js(MISSES, ["chameleonButton2"]), [])
        self.browser.cdp("Input.synthesizePinchGesture", x=180, y=320, scaleFactor=2, gestureSourceType="default")
        self.wait("the pinch to zoom in", lambda: self.js("return visualViewport.scale") > 1.5)
        self.assertEqual(self.rect("Form1")[2], 360, "a pinch zooms the screen, not the window's fit")

    @chromium_only("screenshots, and the faces a node is drawn in (CSS.getPlatformFontsForNode)")
    def test_the_page_looks_like_the_window_and_has_every_turkish_letter(self):
        self.open()
        self.click("command9")
        self.js("document.activeElement.blur()")
        self.assertEqual(self.question(), (1, 1))
        png = self.browser.driver.get_screenshot_as_png()
        shots = Path(os.environ.get("VORLEN_WEB_SHOTS", DIST.parent / "screenshots"))
        shots.mkdir(parents=True, exist_ok=True)
        (shots / "web-731x496.png").write_bytes(png)  # for a person to look at
        page, window = (Image.open(f).convert("RGB") for f in (io.BytesIO(png), ROOT / "docs" / "screenshot.png"))
        for name, (box, limit) in REGIONS.items():
            difference = ImageStat.Stat(ImageChops.difference(page.crop(box), window.crop(box))).mean
            self.assertLessEqual(max(difference), limit, "%s differs by %s" % (name, difference))
        # One element of each font: all Turkish letters come from one face.
        self.js(BOXES)  # shows every part
        self.browser.cdp("DOM.enable")
        self.browser.cdp("CSS.enable")
        root = self.browser.cdp("DOM.getDocument")["root"]["nodeId"]
        for name in ("Label4", "Label1", "cev1", "Label6", "Label12", "Label13", "chameleonButton2", "Label5",
                     "chameleonButton1"):
            self.js("var e=document.getElementById(arguments[0]);"
                    "(e.querySelector('[aria-hidden]')||e).textContent=arguments[1];return e.offsetWidth", name,
                    drawn()["turkish"])
            node = self.browser.cdp("DOM.querySelector", nodeId=root, selector="#" + name)["nodeId"]
            self.assertEqual(len(self.browser.cdp("CSS.getPlatformFontsForNode", nodeId=node)["fonts"]), 1, name)


@chromium_only("the pointer held and the contrast setting, through the DevTools protocol")
class Looks(PageTest):
    # Headless Chromium has no pointer that hovers; a desktop's mouse does.
    flags = ("--blink-settings=primaryHoverType=2,availableHoverTypes=2,primaryPointerType=4,"
             "availablePointerTypes=4",)

    def test_each_state_of_a_button_is_painted_as_the_look_has_it(self):
        """Başla plain, under the pointer, held, focused by Tab, and a locked
        answer, as drawn and for more contrast: the face at a point clear of
        the caption, the caption's colour, and the focus mark 3 px in."""
        def mouse(kind, x, y):
            self.browser.cdp("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)

        def tab_to_start():
            for _ in range(4):
                if self.focused() == "command9":
                    return
                self.browser.key("Tab")
            self.assertEqual(self.focused(), "command9")

        states = {"plain": lambda x, y: mouse("mouseMoved", 1, 1), "hovered": lambda x, y: mouse("mouseMoved", x, y),
                  "held": lambda x, y: (mouse("mouseMoved", x, y), mouse("mousePressed", x, y)),
                  "focused": lambda x, y: (mouse("mouseMoved", 1, 1), tab_to_start())}
        self.addCleanup(self.browser.cdp, "Emulation.setEmulatedMedia", features=[])
        for setting, value in (("plain", ""), ("contrast", "more")):
            self.browser.cdp("Emulation.setEmulatedMedia", features=[{"name": "prefers-contrast", "value": value}])
            self.open()
            looks = drawn()["looks"][setting]
            for state, put in [*states.items(), ("locked", lambda x, y: None)]:
                part = "cev1" if state == "locked" else "command9"
                left, top, width, height = (round(v) for v in self.rect(part))
                self.js("document.activeElement.blur()")  # the window's first focus
                put(left + width / 2, top + height / 2)
                time.sleep(0.05)
                page = Image.open(io.BytesIO(self.browser.driver.get_screenshot_as_png())).convert("RGB")
                if state == "held":  # let go elsewhere: no click
                    mouse("mouseMoved", 1, 1)
                    mouse("mouseReleased", 1, 1)
                expected = looks[state]
                where = "%s, %s" % (state, setting)
                self.assertEqual(list(page.getpixel((left + 6, top + 6))), expected["face"], where)
                caption = page.crop((left, top, left + width, top + height))
                self.assertGreater(sum(1 for pixel in caption.getdata() if list(pixel) == expected["text"]), 20,
                                   "the caption, " + where)
                marked = sum(1 for y in range(top + 6, top + height - 6)
                             if list(page.getpixel((left + 3, y))) != expected["face"])
                self.assertEqual(marked > 5, state == "focused", "the focus mark, " + where)
            self.assertEqual(self.caption("command9"), "Başla", "nothing was pressed")
