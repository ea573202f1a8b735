"""Installable and offline: the manifest, a game played after the server has
gone, and a new deployment that replaces the offline copy."""

import json
import re
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

from browser import CONTROLLED, DIST, ROOT, Browser, Site, Window
from engines import chromium_only

def cache_name(folder):
    return re.search(r'const cacheName = "([^"]+)"', (Path(folder) / "sw.js").read_text()).group(1)


class Offline(unittest.TestCase):
    def setUp(self):
        self.browser = Browser()
        self.addCleanup(self.browser.quit)
        self.browser.viewport(731, 496)
        self.window = Window(self.browser)

    def serve(self, folder, port=None):
        site = Site(folder, port).start()
        self.addCleanup(site.stop)
        return site

    def play_a_little(self):
        self.browser.js("document.getElementById('command9').click()")
        self.browser.js("document.getElementById(arguments[0]).click()", self.window.answer(True))
        self.assertEqual(self.window.counts(), (1, 1, 0))

    @chromium_only("the manifest as the browser read it (Page.getAppManifest)")
    def test_the_manifest_names_the_game_and_its_icons(self):
        manifest = json.loads((DIST / "vorlen.webmanifest").read_text(encoding="utf-8"))
        self.assertEqual((manifest["name"], manifest["lang"], manifest["display"]), ("Vorlen", "tr", "standalone"))
        icons = {(icon["sizes"], icon.get("purpose", "any")): icon["src"] for icon in manifest["icons"]}
        self.assertEqual(set(icons), {("192x192", "any"), ("512x512", "any"), ("512x512", "maskable")})
        self.assertEqual(manifest["id"], "./")
        shots = {shot["form_factor"]: (shot["sizes"], shot["src"]) for shot in manifest["screenshots"]}
        self.assertEqual(set(shots), {"wide", "narrow"})
        for (sizes, _), name in list(icons.items()) + [((sizes, "shot"), src) for sizes, src in shots.values()]:
            with open(DIST / name, "rb") as icon:
                header = icon.read(24)
            self.assertEqual(header[:8], b"\x89PNG\r\n\x1a\n", name)
            width, height = int.from_bytes(header[16:20], "big"), int.from_bytes(header[20:24], "big")
            self.assertEqual("%dx%d" % (width, height), sizes, name)
        site = self.serve(DIST)
        self.browser.open(site.url)
        errors = self.browser.cdp("Page.getAppManifest")["errors"]
        self.assertEqual(errors, [])

    def test_the_game_plays_with_no_server_after_one_visit(self):
        site = self.serve(DIST)
        self.browser.open(site.url)
        self.assertEqual(self.browser.js(CONTROLLED), [cache_name(DIST)])
        site.stop()
        for query in ("", "?counterDeadline=500"):
            with self.subTest(query=query):
                self.browser.open(site.url + query)
                self.play_a_little()
        # The icons an installed game shows are kept too.
        icons = self.browser.js(
            "return Promise.all(['vorlen-192.png','vorlen-512.png','vorlen-maskable-512.png']"
            ".map(function(f){return fetch(f).then(function(r){return r.status})}))"
        )
        self.assertEqual(icons, [200, 200, 200])

    def test_a_new_deployment_replaces_the_offline_copy(self):
        site = self.serve(DIST)
        self.browser.open(site.url)
        self.browser.js(CONTROLLED)
        site.stop()

        # The next version: a changed page, its worker stamped as the build stamps it.
        folder = Path(tempfile.mkdtemp(prefix="vorlen-next-"))
        self.addCleanup(shutil.rmtree, folder, True)
        shutil.copytree(DIST, folder, dirs_exist_ok=True)
        page = folder / "index.html"
        page.write_text(page.read_text(encoding="utf-8").replace("<main ", '<main data-next="1" '), encoding="utf-8")
        files = re.search(r"const files = \[(.*)\];", (DIST / "sw.js").read_text()).group(1).replace('"', "")
        subprocess.run(
            ["cmake", "-DDIST=%s" % folder, "-DTEMPLATE=%s" % (ROOT / "web" / "sw.js.in"),
             "-DFILES=%s" % files.replace(",", ";"), "-P", str(ROOT / "web" / "stamp_worker.cmake")],
            check=True,
        )
        self.assertNotEqual(cache_name(folder), cache_name(DIST))
        self.serve(folder, site.port)

        self.browser.open(site.url)
        self.browser.wait_for(
            "the new version's cache alone",
            lambda: self.browser.js(CONTROLLED) == [cache_name(folder)],
            10,
        )
        self.browser.open(site.url)
        self.assertEqual(self.browser.js("return document.getElementById('Form1').dataset.next"), "1")


if __name__ == "__main__":
    unittest.main()
