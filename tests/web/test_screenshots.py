"""What a child sees: the page's pixels beside the Qt window's (docs/
screenshot.png, a quiz at 1 x 1 with "Dur"), at scale 1, and the same page
on a tablet and at 1.5 device pixels. The screenshots are kept in
build-web/screenshots for a person to look at."""

import io
import math
import os
import unittest
from pathlib import Path

from PIL import Image, ImageChops, ImageStat

from browser import DIST, ROOT, PageTest
from engines import chromium_only

SHOTS = Path(os.environ.get("VORLEN_WEB_SHOTS", DIST.parent / "screenshots"))

# Parts of the window that do not hang on the random answers, as boxes of the
# drawn window: (left, top, right, bottom), and how far the page may differ
# from the Qt window there, in mean levels of 255 per channel. The lists are
# the browser's own, so the settings row may differ most.
REGIONS = {
    "the question 1 x 1": ((267, 139, 466, 215), 6),
    "the counts": ((520, 400, 690, 470), 6),
    "the settings row": ((80, 35, 640, 75), 20),
}


@chromium_only("screenshots at emulated device pixels and touch, against the Qt window's")
class Screenshots(PageTest):
    def shot(self, name):
        png = self.browser.driver.get_screenshot_as_png()
        SHOTS.mkdir(parents=True, exist_ok=True)
        (SHOTS / name).write_bytes(png)
        return Image.open(io.BytesIO(png)).convert("RGB")

    def start_quiz(self):
        self.click("command9")
        self.browser.js("document.activeElement.blur()")
        self.assertEqual(self.window.question(), (1, 1))

    def test_the_page_looks_like_the_window(self):
        self.open()
        self.start_quiz()
        page = self.shot("web-731x496.png")
        window = Image.open(ROOT / "docs" / "screenshot.png").convert("RGB")
        self.assertEqual(page.size, window.size)
        for name, (box, limit) in REGIONS.items():
            with self.subTest(region=name):
                difference = ImageStat.Stat(ImageChops.difference(page.crop(box), window.crop(box))).mean
                self.assertLessEqual(max(difference), limit, "%s differs by %s" % (name, difference))

    def test_a_tablet_and_a_sharp_screen_show_the_whole_window(self):
        for width, height, scale in ((1024, 768, 1.0), (731, 496, 1.5)):
            with self.subTest(viewport=(width, height, scale)):
                self.open(width, height, scale, touch=width == 1024)
                self.start_quiz()
                page = self.shot("web-%dx%d@%gx.png" % (width, height, scale))
                self.assertEqual(page.size, (math.ceil(width * scale), math.ceil(height * scale)))
                # The answers' blue and the question's red are on screen, so
                # nothing of the window was cut off or left blank.
                colours = {colour for _, colour in page.getcolors(maxcolors=1 << 20)}
                self.assertIn((0, 0, 255), colours)
                self.assertIn((255, 0, 0), colours)


if __name__ == "__main__":
    unittest.main()
