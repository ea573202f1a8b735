"""The page before the web's own checkers in every state a child meets (as
served, idle, in a quiz, with the wrong-answer panel, after "Dur"): the Nu
HTML checker (vnu.jar on Debian's Java) and axe-core's WCAG 2.2 A and AA rules
and best practices find nothing, contrast included once the child asks for
more (the design's own colours are the window's). VORLEN_WEB_CHECKERS: where
npm installed tests/web/package.json (default tests/web/node_modules)."""

import json
import os
import shutil
import subprocess
import tempfile
from pathlib import Path

from browser import DIST, ROOT, PageTest, Site
from engines import chromium_only

MODULES = Path(os.environ.get("VORLEN_WEB_CHECKERS", ROOT / "tests" / "web" / "node_modules"))
AXE_RUN = ("var done=arguments[arguments.length-1];axe.run(document,{runOnly:{type:'tag',values:['wcag2a','wcag2aa',"
           "'wcag21a','wcag21aa','wcag22a','wcag22aa','best-practice']}})"
           ".then(function(r){done(r.violations.map(function(v){return v.id+': '+v.nodes.map(function(n){"
           "return n.target.join(' ')}).join(', ')}))},function(e){done(['axe: '+e])})")
# The document as markup. What the scripts set through the CSS object model
# (the fit's zoom, the labels' colours) falls under no policy for markup.
SNAPSHOT = ("var copy=document.documentElement.cloneNode(true);"
            "copy.querySelectorAll('[style]').forEach(function(e){e.removeAttribute('style')});"
            "return '<!DOCTYPE html>\\n'+copy.outerHTML")


@chromium_only("axe through the driver, and emulated media")
class Checkers(PageTest):
    def test_the_nu_checker_and_axe_find_nothing_in_any_state(self):
        axe = (MODULES / "axe-core" / "axe.min.js").read_text(encoding="utf-8")
        folder = Path(tempfile.mkdtemp(prefix="vorlen-nu-"))
        self.addCleanup(shutil.rmtree, folder, True)
        shutil.copytree(DIST, folder, dirs_exist_ok=True)
        (folder / "state-served.html").write_text((DIST / "index.html").read_text(encoding="utf-8"), encoding="utf-8")

        def idle():
            self.browser.wait_ready()
            first = self.samples()
            self.wait("the idle animation", lambda: self.samples() != first)

        self.browser.cdp("Emulation.setEmulatedMedia", features=[{"name": "prefers-contrast", "value": "more"}])
        self.addCleanup(self.browser.cdp, "Emulation.setEmulatedMedia", features=[])
        self.browser.viewport(731, 496)
        self.browser.navigate(self.site.url)
        steps = [("served", lambda: None), ("idle", idle),
                 ("quiz", lambda: (self.click("command9"), self.click(self.answer(True)))),
                 ("wrong answer", lambda: self.click(self.answer(False))),
                 ("stopped", lambda: (self.click("chameleonButton2"), self.click("command9")))]
        for state, step in steps:
            step()
            if state != "served":
                (folder / ("state-%s.html" % state.replace(" ", "-"))).write_text(self.js(SNAPSHOT), encoding="utf-8")
            self.js(axe)
            self.assertEqual(self.browser.driver.execute_async_script(AXE_RUN), [], state)
        # Each state as a document beside the site's files, checked over http
        # so that the page's policy reads 'self' as the site.
        with Site(folder) as site:
            checked = subprocess.run(
                ["java", "-Dnu.validator.servlet.allow-forbidden-hosts=true", "-jar",
                 str(MODULES / "vnu-jar" / "build" / "dist" / "vnu.jar"), "--format", "json", "--exit-zero-always",
                 *sorted(site.url + path.name for path in folder.glob("state-*.html"))],
                capture_output=True, text=True, timeout=120, check=True)
        messages = json.loads(checked.stderr or checked.stdout)["messages"]
        self.assertEqual(["%s:%s: %s" % (m.get("url", "").rsplit("/", 1)[-1], m.get("lastLine"), m["message"])
                          for m in messages], [])
