"""Installable and offline: the manifest and its icons, a game played after
the server has gone, and a new deployment that replaces the offline copy."""

import json
import re
import shutil
import subprocess
import tempfile
from pathlib import Path

from PIL import Image

from browser import CONTROLLED, DIST, ROOT, Browser, PageTest, Site
from engines import chromium_only


def cache_name(folder):
    return re.search(r'const cacheName = "([^"]+)"', (Path(folder) / "sw.js").read_text()).group(1)


class Offline(PageTest):
    shared = False  # a fresh browser for each test: the offline copy is the browser's

    def setUp(self):
        self.browser = Browser()
        self.addCleanup(self.browser.quit)
        self.browser.viewport(731, 496)
        self.site = self.serve(DIST)
        self.browser.open(self.site.url)
        self.assertEqual(self.js(CONTROLLED), [cache_name(DIST)])
        self.site.stop()

    def serve(self, folder, port=None):
        site = Site(folder, port)
        self.addCleanup(site.stop)
        return site

    @chromium_only("the manifest as the browser read it (Page.getAppManifest)")
    def test_the_manifest_reads_without_errors_and_its_icons_are_their_sizes(self):
        manifest = json.loads((DIST / "vorlen.webmanifest").read_text(encoding="utf-8"))
        for image in manifest["icons"] + manifest["screenshots"]:
            with Image.open(DIST / image["src"]) as png:
                self.assertEqual((png.format, "%dx%d" % png.size), ("PNG", image["sizes"]), image["src"])
        self.browser.open(self.serve(DIST, self.site.port).url)
        self.assertEqual(self.browser.cdp("Page.getAppManifest")["errors"], [])

    def test_the_game_and_its_icons_play_with_no_server_after_one_visit(self):
        for query in ("", "?counterDeadline=500"):
            with self.subTest(query=query):
                self.browser.open(self.site.url + query)
                self.js("command9.click()")
                self.js("document.getElementById(arguments[0]).click()", self.answer(True))
                self.assertEqual(self.counts(), (1, 1, 0))
        self.assertEqual(self.js("return Promise.all(['vorlen-192.png','vorlen-512.png','vorlen-maskable-512.png']"
                                 ".map(function(f){return fetch(f).then(function(r){return r.status})}))"),
                         [200, 200, 200])

    def test_a_new_deployment_replaces_the_offline_copy(self):
        # The next version: a changed page, its worker stamped as the build stamps it.
        folder = Path(tempfile.mkdtemp(prefix="vorlen-next-"))
        self.addCleanup(shutil.rmtree, folder, True)
        shutil.copytree(DIST, folder, dirs_exist_ok=True)
        page = folder / "index.html"
        page.write_text(page.read_text(encoding="utf-8").replace("<main ", '<main data-next="1" '), encoding="utf-8")
        files = re.search(r"const files = \[(.*)\];", (DIST / "sw.js").read_text()).group(1).replace('"', "")
        subprocess.run(["cmake", "-DDIST=%s" % folder, "-DTEMPLATE=%s" % (ROOT / "web" / "sw.js.in"),
                        "-DFILES=%s" % files.replace(",", ";"), "-P", str(ROOT / "web" / "stamp_worker.cmake")],
                       check=True)
        self.assertNotEqual(cache_name(folder), cache_name(DIST))
        self.serve(folder, self.site.port)
        self.browser.open(self.site.url)
        self.wait("the new version's cache alone", lambda: self.js(CONTROLLED) == [cache_name(folder)], 10)
        self.browser.open(self.site.url)
        self.assertEqual(self.js("return Form1.dataset.next"), "1")
