/* Vorlen's start-up script, run as the page is parsed: index.html holds it
 * inline, under the hash that its Content-Security-Policy names. It fits the
 * window to the screen, loads the program once the window is painted (so
 * that the program never delays the first paint), as WebAssembly or, where the
 * browser cannot run that, as JavaScript, says in the question area when the
 * program cannot run at all, and has the service worker keep the files for
 * playing offline.
 *
 * The names it reads (Form1's data-width and data-height, the notice
 * unsupported) are among those that the page and the program's bridge agree
 * on: see the opening comment of bridge.js, and markup.h. */
(function () {
  "use strict";
  var root = document.documentElement;
  var form = document.getElementById("Form1");
  var width = Number(form.getAttribute("data-width"));
  var height = Number(form.getAttribute("data-height"));
  // CSS zoom lays the window out again at the new size, so that its text
  // stays sharp at any scale; a browser without it scales the drawn window.
  var zoom = window.CSS && CSS.supports && CSS.supports("zoom", "2");

  // The layout viewport's own size: a phone's innerWidth grows with content
  // that overflows the screen, and pinch zoom changes the visual viewport;
  // the window follows neither.
  function fit() {
    var scale = Math.min(root.clientWidth / width, root.clientHeight / height);
    if (!(scale > 0)) {
      return;
    }
    if (zoom) {
      form.style.zoom = String(scale);
    } else {
      form.style.transform = "scale(" + scale + ")";
    }
    form.style.setProperty("--fit", String(scale));
  }
  fit();
  addEventListener("resize", fit);
  addEventListener("orientationchange", fit);

  function unsupported() {
    var notice = document.getElementById("unsupported");
    if (notice) {
      notice.hidden = false;
    }
  }

  // Whether this browser compiles WebAssembly here: one that knows no
  // 'wasm-unsafe-eval' refuses to under the page's policy, and one without
  // WebAssembly has none. Both get the program as JavaScript.
  function webAssemblyRuns() {
    try {
      return new WebAssembly.Module(new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0])) instanceof WebAssembly.Module;
    } catch (refused) {
      return false;
    }
  }

  // The program's runtime reads Module as it starts: an abort (a program
  // that cannot load, say) leaves the notice, never a dead window.
  window.Module = { onAbort: unsupported };
  requestAnimationFrame(function () {
    setTimeout(function () {
      var script = document.createElement("script");
      script.src = typeof WebAssembly === "object" && webAssemblyRuns() ? "vorlen.js" : "vorlen-legacy.js";
      script.onerror = unsupported;
      document.head.appendChild(script);
    });
  });

  if ("serviceWorker" in navigator) {
    addEventListener("load", function () {
      navigator.serviceWorker.register("sw.js").catch(function (error) {
        console.warn("vorlen: offline copy: " + error);
      });
    });
  }
})();
