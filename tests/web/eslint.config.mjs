// ESLint's rules for the page's own JavaScript, run from the top of the tree
// by `sh tools/web.sh lint` (and its test). The start-up script (page.js) and
// the bridge (bridge.js) stay ES5: the browsers that run the program as
// JavaScript parse them, back to Safari 12 and Chrome 70
// (web/CMakeLists.txt). The service worker runs only where there are service
// workers, but there too back to Safari 12, which has all of ES2017 and not
// all of ES2018.
import js from "@eslint/js";
import globals from "globals";

// The service worker's template as the build stamps it (stamp_worker.cmake):
// each @NAME@ becomes a 0 padded with spaces to its length, which parses in
// a string and in a list alike and leaves every line and column in place.
const stamped = {
  meta: { name: "vorlen-stamped" },
  preprocess: (text) => [text.replace(/@[A-Z_]+@/g, (marker) => "0".padEnd(marker.length))],
  postprocess: (messages) => messages.flat(),
};

const rules = {
  // ES5 has no catch without a binding.
  "no-unused-vars": ["error", { caughtErrors: "none" }],
};

export default [
  js.configs.recommended,
  {
    files: ["web/page.js"],
    languageOptions: {
      ecmaVersion: 5,
      sourceType: "script",
      // Typed arrays came to browsers before ES2015 named them.
      globals: { ...globals.browser, Uint8Array: "readonly" },
    },
    rules,
  },
  {
    files: ["web/bridge.js"],
    languageOptions: {
      ecmaVersion: 5,
      sourceType: "script",
      globals: {
        ...globals.browser,
        // emscripten's, as a library file and the program's runtime see them
        mergeInto: "readonly",
        LibraryManager: "readonly",
        Module: "readonly",
        UTF8ToString: "readonly",
        allocateUTF8: "readonly",
        // the bridge's own state, its library entry $vorlenPage
        vorlenPage: "readonly",
        // what the program exports (web/main.cpp)
        _vorlen_press: "readonly",
        _vorlen_choose: "readonly",
        _vorlen_prefer: "readonly",
        _vorlen_show: "readonly",
      },
    },
    rules,
  },
  {
    files: ["web/sw.js.in"],
    processor: stamped,
    languageOptions: { ecmaVersion: 2017, sourceType: "script", globals: { ...globals.serviceworker } },
    rules,
  },
];
