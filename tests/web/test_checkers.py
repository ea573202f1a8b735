"""The page before the web's own checkers, in every state a child meets: as
served, idle with the samples running, during a quiz, with the wrong-answer
panel open, and after "Dur". The Nu HTML checker (vnu.jar, from npm, run on
Debian's Java) must report nothing at all, and axe-core nothing for the
WCAG 2.2 A and AA rules and its best practices, but for the contrast of the
design's own colours; with more contrast asked for, contrast passes too.

Environment: VORLEN_WEB_CHECKERS, the folder where npm installed
tests/web/package.json (default tests/web/node_modules)."""

import json
import os
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

from browser import DIST, ROOT, PageTest, Site

MODULES = Path(os.environ.get("VORLEN_WEB_CHECKERS", ROOT / "tests" / "web" / "node_modules"))
VNU = MODULES / "vnu-jar" / "build" / "dist" / "vnu.jar"
AXE = MODULES / "axe-core" / "axe.min.js"
TAGS = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22a", "wcag22aa", "best-practice"]
AXE_RUN = (
    "var done=arguments[arguments.length-1];axe.run(document,arguments[0])"
    ".then(function(r){done(r.violations.map(function(v){return v.id+': '+v.nodes.map(function(n){"
    "return n.target.join(' ')}).join(', ')}))},function(e){done(['axe: '+e])})"
)
# The document as it stands, as markup. What the scripts set through the
# CSS object model (the fit's zoom, the labels' colours) is no markup and
# falls under no policy for markup, so those style attributes are left out.
SNAPSHOT = (
    "var copy=document.documentElement.cloneNode(true);"
    "copy.querySelectorAll('[style]').forEach(function(e){e.removeAttribute('style')});"
    "return '<!DOCTYPE html>\\n'+copy.outerHTML"
)


class Checkers(PageTest):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.browser.driver.set_script_timeout(30)
        cls.axe = AXE.read_text(encoding="utf-8")

    def states(self):
        """Opens the page and goes through the states, yielding each name."""
        window = self.window
        self.browser.viewport(731, 496)
        self.browser.driver.get(self.site.url)
        yield "served"
        self.browser.wait_ready()
        first = window.samples()
        self.browser.wait_for("the idle animation", lambda: window.samples() != first)
        yield "idle"
        self.click("command9")
        self.click(window.answer(True))
        yield "quiz"
        self.click(window.answer(False))
        self.assertTrue(window.shown("Frame5"))
        yield "wrong answer"
        self.click("chameleonButton2")
        self.click("command9")
        yield "stopped"

    def violations(self, contrast):
        self.browser.js(self.axe)
        rules = {"runOnly": {"type": "tag", "values": TAGS}}
        if not contrast:
            rules["rules"] = {"color-contrast": {"enabled": False}}
        return self.browser.driver.execute_async_script(AXE_RUN, rules)

    def test_axe_finds_nothing_in_any_state(self):
        for state in self.states():
            with self.subTest(state=state):
                self.assertEqual(self.violations(contrast=False), [])

    def test_with_more_contrast_asked_for_every_text_passes_axe_too(self):
        self.browser.cdp("Emulation.setEmulatedMedia", features=[{"name": "prefers-contrast", "value": "more"}])
        try:
            for state in self.states():
                with self.subTest(state=state):
                    self.assertEqual(self.violations(contrast=True), [])
        finally:
            self.browser.cdp("Emulation.setEmulatedMedia", features=[])

    def test_the_nu_checker_finds_nothing_in_any_state(self):
        # Each state as a document beside the site's files, checked over http
        # so that the page's policy reads 'self' as the site.
        folder = Path(tempfile.mkdtemp(prefix="vorlen-nu-"))
        self.addCleanup(shutil.rmtree, folder, True)
        shutil.copytree(DIST, folder, dirs_exist_ok=True)
        names = []
        for state in self.states():
            name = "state-%s.html" % state.replace(" ", "-")
            text = (DIST / "index.html").read_text(encoding="utf-8") if state == "served" else self.browser.js(SNAPSHOT)
            (folder / name).write_text(text, encoding="utf-8")
            names.append(name)
        with Site(folder) as site:
            checked = subprocess.run(
                ["java", "-Dnu.validator.servlet.allow-forbidden-hosts=true", "-jar", str(VNU), "--format", "json",
                 "--exit-zero-always", *[site.url + name for name in names]],
                capture_output=True, text=True, timeout=120, check=True,
            )
        messages = json.loads(checked.stderr or checked.stdout)["messages"]
        found = ["%s:%s: %s" % (m.get("url", "").rsplit("/", 1)[-1], m.get("lastLine"), m["message"])
                 for m in messages]
        self.assertEqual(found, [])


if __name__ == "__main__":
    unittest.main()
