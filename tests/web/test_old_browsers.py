"""The page in browsers that older tablets keep, each Chromium with a feature
taken away before the page's first script runs: one whose WebAssembly has no
exception handling (Safari before 15.2, Chrome before 95, Firefox before
100), one that refuses to compile WebAssembly under the page's policy (those
that know no 'wasm-unsafe-eval': Safari before 16, Chrome before 97, Firefox
before 102) and one with no WebAssembly at all each play the whole quiz; one
that cannot load the program says so in Turkish in the question area instead
of showing a window that never answers."""

import shutil
import tempfile
import unittest
from pathlib import Path

from browser import CONTROLLED, DIST, PageTest, Site

# WebAssembly as an engine without exception handling knows it: a module with
# a tag section (id 13) or a tag import (kind 4) does not compile.
WITHOUT_EXCEPTIONS = """
(function () {
  var W = WebAssembly;
  function leb(b, at) { var v = 0, s = 0, c; do { c = b[at.i++]; v |= (c & 127) << s; s += 7; } while (c & 128); return v; }
  function usesExceptions(bytes) {
    var b = new Uint8Array(bytes.buffer ? bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.byteLength) : bytes);
    var at = {i: 8};
    while (at.i < b.length) {
      var id = b[at.i++], size = leb(b, at), end = at.i + size;
      if (id === 13) return true;
      if (id === 2) {
        for (var n = leb(b, at); n > 0; n--) {
          var skip = leb(b, at); at.i += skip; skip = leb(b, at); at.i += skip;
          var kind = b[at.i++];
          if (kind === 4) return true;
          if (kind === 0) leb(b, at);
          else if (kind === 1) { at.i++; var f = leb(b, at); leb(b, at); if (f & 1) leb(b, at); }
          else if (kind === 2) { var g = leb(b, at); leb(b, at); if (g & 1) leb(b, at); }
          else if (kind === 3) at.i += 2;
        }
      }
      at.i = end;
    }
    return false;
  }
  function refuse() { return Promise.reject(new W.CompileError('exception handling is not supported')); }
  var compile = W.compile, instantiate = W.instantiate, validate = W.validate;
  W.validate = function (bytes) { return !usesExceptions(bytes) && validate.call(W, bytes); };
  W.compile = function (bytes) { return usesExceptions(bytes) ? refuse() : compile.call(W, bytes); };
  W.instantiate = function (what, imports) {
    if (what instanceof W.Module) return instantiate.call(W, what, imports);
    return usesExceptions(what) ? refuse() : instantiate.call(W, what, imports);
  };
  W.instantiateStreaming = function (response, imports) {
    return Promise.resolve(response).then(function (r) { return r.arrayBuffer(); })
      .then(function (bytes) { return W.instantiate(bytes, imports); });
  };
  delete W.Tag;
  delete W.Exception;
})();
"""
# WebAssembly as a browser has it whose policy refuses to compile any.
REFUSED = """
(function () {
  var W = WebAssembly;
  function refused() { return new EvalError("Refused to create a WebAssembly object because 'unsafe-eval' is not allowed"); }
  W.Module = function () { throw refused(); };
  W.Instance = function () { throw refused(); };
  ['compile', 'instantiate', 'compileStreaming', 'instantiateStreaming'].forEach(function (name) {
    W[name] = function () { return Promise.reject(refused()); };
  });
})();
"""
# The smallest module that uses exception handling: one type, one tag.
TAGGED_MODULE = [0, 97, 115, 109, 1, 0, 0, 0, 1, 4, 1, 96, 0, 0, 13, 3, 1, 0, 0]
NOTICE = "Bu tarayıcı oyunu çalıştıramıyor."


class OldBrowsers(PageTest):
    def take_away(self, script):
        found = self.browser.cdp("Page.addScriptToEvaluateOnNewDocument", source=script)
        self.addCleanup(self.browser.cdp, "Page.removeScriptToEvaluateOnNewDocument", identifier=found["identifier"])

    def notice(self):
        self.browser.wait_for("the notice", lambda: self.window.shown("unsupported"), 10)
        left, top, width, height = self.window.rect("unsupported")
        frame = self.window.rect("Frame1")
        self.assertEqual((left, top, width, height), frame, "the notice fills the question area")
        return self.browser.js("return document.getElementById('unsupported').textContent")

    def play(self):
        self.browser.wait_ready()
        self.click("command9")
        self.click(self.window.answer(True))
        self.click(self.window.answer(False))
        self.assertEqual(self.window.counts(), (2, 1, 1))
        self.click("chameleonButton2")
        self.assertFalse(self.window.shown("unsupported"))
        self.assertEqual([line for line in self.browser.console() if line.startswith("error")], [])
        return self.browser.js("return Array.prototype.map.call(document.scripts,function(s){return s.src})"
                               ".filter(Boolean).map(function(s){return s.split('/').pop()})")

    def test_without_exception_handling_the_whole_quiz_plays(self):
        self.browser.viewport(731, 496)
        self.take_away(WITHOUT_EXCEPTIONS)
        self.browser.driver.get(self.site.url)
        self.assertFalse(self.browser.js("return WebAssembly.validate(new Uint8Array(arguments[0]))", TAGGED_MODULE),
                         "the browser stands for one without exception handling")
        self.assertEqual(self.play(), ["vorlen.js"])

    def test_where_webassembly_is_refused_or_missing_the_program_as_javascript_plays(self):
        for name, script in (("refused by the policy", REFUSED), ("missing", "delete window.WebAssembly")):
            with self.subTest(webassembly=name):
                self.browser.viewport(731, 496)
                self.take_away(script)
                self.browser.driver.get(self.site.url)
                self.assertEqual(self.play(), ["vorlen-legacy.js"])
                # Kept for playing offline once the service worker sees it loaded.
                self.browser.driver.set_script_timeout(15)
                self.browser.js(CONTROLLED)
                self.browser.open(self.site.url)
                kept = self.browser.driver.execute_async_script(
                    "var done=arguments[arguments.length-1];caches.match('vorlen-legacy.js')"
                    ".then(function(r){done(!!r)},function(){done(false)})")
                self.assertTrue(kept, "the program as JavaScript is kept offline")
                self.doCleanups()

    def test_a_program_that_cannot_load_leaves_the_notice(self):
        folder = Path(tempfile.mkdtemp(prefix="vorlen-broken-"))
        self.addCleanup(shutil.rmtree, folder, True)
        shutil.copytree(DIST, folder, dirs_exist_ok=True)
        (folder / "vorlen.wasm").write_bytes(bytes(TAGGED_MODULE[:8]) + b"\x00\xff")
        with Site(folder) as site:
            self.browser.viewport(731, 496)
            self.browser.driver.get(site.url)
            self.assertTrue(self.notice().startswith(NOTICE))


if __name__ == "__main__":
    unittest.main()
