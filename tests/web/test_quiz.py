"""The page plays, on its real timers: a quiz by mouse clicks in every engine,
in which the page applies each kind of change the window model sends; a
reload; the same question twice said twice; and, in Chromium, keys, the
failure report, the child's settings and the older browsers' ways in."""

import shutil
import tempfile
import time
from pathlib import Path

from browser import CONTROLLED, DIST, PageTest, Site
from engines import chromium_only

# What the page says, the name of the answers' panel, and a label's spoken name.
SAID = ("return [document.getElementById('status').textContent,Frame5.getAttribute('aria-label'),cev1.closest('.panel').getAttribute('aria-label'),"
        "document.querySelector('#Label7 .spoken').textContent,getComputedStyle(Label1).color]")


class Quiz(PageTest):
    def test_a_quiz_by_mouse_clicks_applies_every_kind_of_change(self):
        self.open()
        self.animates()
        self.click("command9")
        self.assertEqual((self.caption("command9"), self.question(), self.counts()), ("Dur", (1, 1), (0, 0, 0)))
        self.assertEqual((self.enabled("Combo1"), self.enabled("cev1")), (False, True))
        self.assertEqual(self.js(SAID), ["1 çarpı 1", "!!! YANLIŞ !!! !!! YANLIŞ !!!", "1 çarpı 1", "Doğru sayısı : 0",
                                         "rgb(255, 0, 0)"])
        self.still_for(0.3, self.samples)
        self.click(self.answer(True))
        self.assertEqual((self.question(), self.counts()), ((1, 2), (1, 1, 0)))
        wrong = self.answer(False)
        self.click(wrong)
        self.assertEqual((self.shown("Frame5"), self.focused(), self.counts()), (True, "chameleonButton2", (2, 1, 1)))
        self.assertEqual(self.js(SAID)[1:4], ["!!! YANLIŞ !!! DOĞRU CEVAP : 2", "1 çarpı 2", "Doğru sayısı : 1"])
        # The blink, on the 200 ms timer: one of the two lines at a time.
        seen = set()
        for _ in range(30):
            seen.add(self.shown("Label12", "Label13"))
            time.sleep(0.04)
        self.assertLessEqual({(True, False), (False, True)}, seen)
        self.assertNotIn((False, False), seen)
        self.click("chameleonButton2")
        self.assertEqual((self.shown("Frame5"), self.question(), self.focused()), (False, (1, 3), wrong))
        self.click("command9")
        self.assertEqual((self.caption("command9"), self.counts(), self.enabled("Combo1")), ("Başla", (0, 0, 0), True))
        self.animates()
        # A reload starts as drawn, though a browser (Firefox) may bring back
        # a list's choice and a control's locked state.
        self.js("Combo1.selectedIndex=7;Combo1.dispatchEvent(new Event('change'));command9.click()")
        self.js("window.__before=true;location.reload()")
        self.wait("the reloaded page", lambda: self.js(
            "return !window.__before && document.documentElement?.getAttribute('data-vorlen') === 'ready'"), 10)
        self.assertEqual(self.js("return [Combo1.selectedIndex, cev1.disabled, Combo1.disabled]"), [0, True, False])

    def test_the_same_question_twice_in_a_row_is_said_twice(self):
        # In mixed order a cycle's last question may come first in the next.
        self.open()
        said = self.js(
            "var said=[],take=function(r){r.forEach(function(r){r.addedNodes.forEach(function(n){"
            "said.push(n.textContent)})})},watch=new MutationObserver(take),caption=function(e){"
            "return (e.querySelector('[aria-hidden]')||e).textContent};[Combo1,Combo2].forEach(function(e){"
            "e.selectedIndex=1;e.dispatchEvent(new Event('change'))});"
            "watch.observe(document.getElementById('status'),{childList:true});command9.click();for(var n=0;n<1000;n++)"
            "[cev1,cev2,cev3,cev4].filter(function(e){return caption(e)==caption(Label1)*caption(Label3)})[0].click();"
            "take(watch.takeRecords());return said")
        self.assertEqual(self.counts(), (1000, 1000, 0))
        self.assertEqual(len(said), 1001, "the start's question, and one after each right answer")
        self.assertTrue(all(text.startswith("1 çarpı ") for text in said), "the table chosen on the page")
        self.assertTrue(any(a == b for a, b in zip(said, said[1:])), "no question came twice in 100 cycles")

    @chromium_only("keys, key repeats and the console")
    def test_keys_in_the_designs_order_one_press_for_a_held_key_and_a_failure_reported(self):
        self.open(query="?counterDeadline=soon")
        for start, parts in ((False, ["command9", "Combo1", "Combo2"]), (True, ["command9", "cev1", "cev2", "cev3", "cev4"])):
            if start:
                self.js("command9.focus()")
                self.browser.key(" ")
            seen = [self.focused()]
            for _ in parts:
                self.browser.key("Tab")
                seen.append(self.focused())
            self.assertEqual(seen[:-1], parts)
            self.assertIn(seen[-1], ("", None, parts[0]), "nothing more to tab to")
        self.js("document.getElementById(arguments[0]).focus()", self.answer(True))
        for repeat in (False, True, True):
            self.browser.key("Enter", repeat=repeat, up=False)
        self.browser.key("Enter", repeat=True)
        self.assertEqual(self.counts(), (1, 1, 0))
        self.assertTrue(any("vorlen: counterDeadline: " in entry["message"] and "soon" in entry["message"]
                            for entry in self.browser.driver.get_log("browser")))

    def emulate(self, **features):
        self.browser.cdp("Emulation.setEmulatedMedia", features=[
            {"name": name.replace("_", "-"), "value": value} for name, value in features.items()])

    @chromium_only("emulated media and a minimised window")
    def test_less_motion_forced_colours_and_a_page_nobody_sees(self):
        self.addCleanup(self.emulate)
        self.emulate(prefers_reduced_motion="reduce", forced_colors="active")
        self.open()
        time.sleep(0.2)  # the one sample
        self.still_for(1.0, self.samples)
        # The system's colours, with the panel's lines kept and a locked answer told apart.
        colours = self.js("var out=[],i=document.body.appendChild(document.createElement('i'));"
                          "['CanvasText','GrayText'].forEach(function(c){i.style.color=c;"
                          "out.push(getComputedStyle(i).color)});"
                          "return out.concat([getComputedStyle(Line1).backgroundColor,getComputedStyle(cev1).color])")
        self.assertEqual(colours[2:], colours[:2])
        self.assertNotEqual(colours[0], colours[1])
        self.emulate()
        self.animates()
        self.browser.driver.minimize_window()
        self.assertEqual(self.js("return document.visibilityState"), "hidden")
        time.sleep(0.2)
        self.still_for(0.6, self.samples)
        self.browser.driver.maximize_window()


@chromium_only("scripts run before the page's own")
class OlderBrowsers(PageTest):
    def test_where_webassembly_is_refused_or_missing_the_program_as_javascript_plays(self):
        for script in ("WebAssembly.Module=function(){throw new EvalError('unsafe-eval')}", "delete window.WebAssembly"):
            with self.subTest(script=script):
                found = self.browser.cdp("Page.addScriptToEvaluateOnNewDocument", source=script)
                self.open()
                self.click("command9")
                self.click(self.answer(True))
                self.assertEqual(self.counts(), (1, 1, 0))
                self.assertEqual(self.js("return [].map.call(document.scripts,function(s){return s.src})"
                                         ".filter(Boolean).map(function(s){return s.split('/').pop()})"),
                                 ["vorlen-legacy.js"])
                self.js(CONTROLLED)
                self.open()
                self.assertTrue(self.js("return caches.match('vorlen-legacy.js').then(function(r){return !!r})"),
                                "kept for playing offline once loaded")
                self.browser.cdp("Page.removeScriptToEvaluateOnNewDocument", identifier=found["identifier"])

    def test_the_program_needs_no_exception_handling_that_older_browsers_lack(self):
        # Safari before 15.2 compiles no module with a tag section (id 13).
        data, at, sections = (DIST / "vorlen.wasm").read_bytes(), 8, []
        while at < len(data):
            sections.append(data[at])
            size, shift, at = 0, 0, at + 1
            while not shift or data[at - 1] >= 128:
                size, shift, at = size | (data[at] & 127) << shift, shift + 7, at + 1
            at += size
        self.assertNotIn(13, sections)

    def test_a_program_that_cannot_load_leaves_the_notice(self):
        with tempfile.TemporaryDirectory(prefix="vorlen-broken-") as folder:
            shutil.copytree(DIST, folder, dirs_exist_ok=True)
            (Path(folder) / "vorlen.wasm").write_bytes(b"\0asm\1\0\0\0\0\xff")
            with Site(folder) as site:
                self.browser.viewport(731, 496)
                self.browser.navigate(site.url)
                self.wait("the notice", lambda: self.shown("unsupported"), 10)
                self.assertEqual(self.rect("unsupported"), self.rect("Frame1"), "it fills the question area")
                self.assertTrue(self.js("return unsupported.textContent").startswith("Bu tarayıcı oyunu çalıştıramıyor."))
