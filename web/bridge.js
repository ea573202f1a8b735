/* Vorlen's bridge to the page: the JavaScript half of dom.cpp, which the
 * program's link puts into vorlen.js and vorlen-legacy.js (emscripten's
 * --js-library). Each function is one kind of change to the page, called from
 * C++ by its name (dom.cpp declares them): it writes what it is given and
 * decides nothing. The page starts as the window model does (web_form.cpp),
 * and the model passes on only what changed since. Text comes as a pointer
 * and a length into the program's memory; the elements, and the text nodes
 * that hold their captions and spoken names, are kept in vorlenPage by part.
 *
 * What the page and the bridge agree on. The names are markup.h's: the page
 * writer (page.cpp) writes them from there, dom.cpp hands them to
 * vorlen_bind and vorlen_ready, and the start-up script (page.js) reads its
 * few by the same spelling.
 *  - every part is the element whose id is its design name (Frame1, Label4,
 *    cev1, Combo1 ...; the timers have none);
 *  - a label shows its caption in its [aria-hidden] child and says its name
 *    in its .spoken child, or, left out of the accessibility tree, is
 *    [aria-hidden] itself, shows its caption as its text and hides by the
 *    class off rather than [hidden];
 *  - a button shows its caption in its [aria-hidden] child and is named by
 *    aria-label; a list is the <select> with that id, inside its drawn box;
 *  - the elements with the ids status and alert are the regions that say
 *    announcements, politely and urgently;
 *  - the bridge marks the page ready with data-vorlen="ready" on <html>;
 *  - for page.js: the element with the id unsupported is the notice shown
 *    where the program cannot run, and Form1's data-width and data-height
 *    are the window's drawn size.
 *
 * In emscripten 3.1.6 (Debian 12) UTF8ToString and allocateUTF8 belong to the
 * runtime that every program has, and Module and the program's exports
 * (_vorlen_press ...) are in the same scope as these functions: only the
 * bridge's own state needs naming in __deps. Like page.js this is ES5, for
 * the browsers that run the program as JavaScript. */
mergeInto(LibraryManager.library, {
  $vorlenPage: {},

  vorlen_bind__deps: ["$vorlenPage"],
  vorlen_bind: function (names, status, alert, spoken, off, outOfTree) {
    var d = document;
    var v = vorlenPage;
    v.p = [];
    v.c = [];
    v.s = [];
    v.status = d.getElementById(UTF8ToString(status));
    v.alert = d.getElementById(UTF8ToString(alert));
    v.off = UTF8ToString(off);
    v.outOfTree = UTF8ToString(outOfTree);
    var spokenSelector = "." + UTF8ToString(spoken);
    var captionSelector = "[" + v.outOfTree + "]";
    var text = function (holder) {
      if (!holder.firstChild) {
        holder.appendChild(d.createTextNode(""));
      }
      return holder.firstChild;
    };
    UTF8ToString(names)
      .split(" ")
      .forEach(function (name, i) {
        var e = d.getElementById(name);
        v.p[i] = e;
        if (!e) {
          return;
        }
        var tag = e.tagName;
        if (tag == "BUTTON" || tag == "SPAN") {
          // The caption as shown, kept from screen readers, and for a
          // label apart from it what they read.
          var said = e.querySelector(spokenSelector);
          v.c[i] = text(tag == "SPAN" && e.getAttribute(v.outOfTree) ? e : e.querySelector(captionSelector));
          if (said) {
            v.s[i] = text(said);
          }
        }
        if (tag == "BUTTON") {
          e.addEventListener("click", function () {
            _vorlen_press(i);
          });
        } else if (tag == "SELECT") {
          e.addEventListener("change", function () {
            _vorlen_choose(i, e.selectedIndex);
          });
        }
      });
    // A key held down presses once: Enter would repeat its click, and the
    // repeats would answer questions the child has not seen yet.
    d.addEventListener(
      "keydown",
      function (k) {
        if (k.repeat && (k.key == "Enter" || k.key == " ") && k.target.tagName == "BUTTON") {
          k.preventDefault();
        }
      },
      true
    );
  },

  vorlen_caption__deps: ["$vorlenPage"],
  vorlen_caption: function (part, text, length) {
    var v = vorlenPage;
    var t = UTF8ToString(text, length);
    var node = v.c[part] || v.p[part];
    if (node && node.data !== undefined) {
      node.data = t;
    } else if (node) {
      node.value = t;
    }
  },

  vorlen_colour__deps: ["$vorlenPage"],
  vorlen_colour: function (part, css) {
    var e = vorlenPage.p[part];
    if (e) {
      e.style.color = UTF8ToString(css);
    }
  },

  vorlen_visible__deps: ["$vorlenPage"],
  vorlen_visible: function (part, visible, quietly) {
    var e = vorlenPage.p[part];
    if (e && quietly) {
      e.classList.toggle(vorlenPage.off, !visible);
    } else if (e) {
      e.hidden = !visible;
    }
  },

  vorlen_tree__deps: ["$vorlenPage"],
  vorlen_tree: function (part, inTree) {
    var e = vorlenPage.p[part];
    if (e && inTree) {
      e.removeAttribute(vorlenPage.outOfTree);
    } else if (e) {
      e.setAttribute(vorlenPage.outOfTree, "true");
    }
  },

  vorlen_enabled__deps: ["$vorlenPage"],
  vorlen_enabled: function (part, enabled) {
    var e = vorlenPage.p[part];
    if (e && "disabled" in e) {
      e.disabled = !enabled;
      if (enabled && e.tagName == "SELECT") {
        // Chromium leaves a list's entries unselected to screen readers
        // once the list was locked; new entries carry the choice again.
        var choice = e.selectedIndex;
        Array.prototype.slice.call(e.options).forEach(function (o) {
          e.replaceChild(o.cloneNode(true), o);
        });
        e.selectedIndex = choice;
      }
    }
  },

  vorlen_choice__deps: ["$vorlenPage"],
  vorlen_choice: function (part, entry) {
    var e = vorlenPage.p[part];
    if (e) {
      e.selectedIndex = entry;
    }
  },

  vorlen_name__deps: ["$vorlenPage"],
  vorlen_name: function (part, text, length) {
    var v = vorlenPage;
    var e = v.p[part];
    var t = UTF8ToString(text, length);
    if (v.s[part]) {
      v.s[part].data = t;
    } else if (e) {
      var name = e.tagName == "IMG" ? "alt" : "aria-label";
      if (!t && name != "alt") {
        e.removeAttribute(name);
      } else {
        e.setAttribute(name, t);
      }
    }
  },

  vorlen_description__deps: ["$vorlenPage"],
  vorlen_description: function (part, text, length) {
    var e = vorlenPage.p[part];
    var t = UTF8ToString(text, length);
    if (e && !t) {
      e.removeAttribute("aria-description");
    } else if (e) {
      e.setAttribute("aria-description", t);
    }
  },

  vorlen_focus__deps: ["$vorlenPage"],
  vorlen_focus: function (part) {
    var e = vorlenPage.p[part];
    if (e) {
      e.focus({ preventScroll: true });
    }
  },

  vorlen_announce__deps: ["$vorlenPage"],
  vorlen_announce: function (text, length, urgent, carrier) {
    var v = vorlenPage;
    var t = UTF8ToString(text, length);
    var e = v.p[carrier];
    if (e) {
      // An alert says its name as it appears.
      e.setAttribute("aria-label", t);
      return;
    }
    // A new element each time, so that the same words twice are said twice;
    // screen readers pass over a bare text node added to a region. The
    // element is a table of one row and one cell with the words, for Debian
    // 12's Orca (43): Chromium sends it no text insertions, and of the
    // elements added to a live region it takes a table alone for news, the
    // rest for echoes of insertions. The region stays what it is, polite or
    // urgent, to every screen reader.
    var region = urgent ? v.alert : v.status;
    var said = document.createElement("div");
    var row = said.appendChild(document.createElement("div"));
    var cell = row.appendChild(document.createElement("div"));
    said.setAttribute("role", "table");
    row.setAttribute("role", "row");
    cell.setAttribute("role", "cell");
    cell.textContent = t;
    if (region) {
      while (region.firstChild) {
        region.removeChild(region.firstChild);
      }
      region.appendChild(said);
    }
  },

  vorlen_watch: function () {
    var d = document;
    var queries = ["(prefers-reduced-motion: reduce)", "(prefers-contrast: more)", "(forced-colors: active)"];
    var lists = queries.map(function (query) {
      return window.matchMedia ? matchMedia(query) : null;
    });
    var prefer = function () {
      var on = lists.map(function (list) {
        return list && list.matches ? 1 : 0;
      });
      _vorlen_prefer(on[0], on[1], on[2]);
    };
    var show = function () {
      _vorlen_show(d.visibilityState === "hidden" ? 0 : 1);
    };
    lists.forEach(function (list) {
      if (list && list.addEventListener) {
        list.addEventListener("change", prefer);
      } else if (list && list.addListener) {
        list.addListener(prefer); // Safari before 14
      }
    });
    d.addEventListener("visibilitychange", show);
    prefer();
    show();
  },

  vorlen_ready: function (attribute, value) {
    document.documentElement.setAttribute(UTF8ToString(attribute), UTF8ToString(value));
  },

  // The program frees the copy.
  vorlen_query: function () {
    return allocateUTF8(location.search);
  },

  // The request is a plain cross-origin GET. It cannot be made in "no-cors"
  // mode: fetch refuses that mode with any redirect mode but "follow". In
  // "cors" mode a plain GET goes out as it is, with no preflight; the counter
  // host sends no CORS headers, so the answer stays unreadable and the fetch
  // ends in a failure, which is dropped like any other.
  vorlen_request: function (address, deadline) {
    var controller = new AbortController();
    var timer = setTimeout(function () {
      controller.abort();
    }, deadline);
    var done = function () {
      // The answer's headers are enough: its body is never read.
      clearTimeout(timer);
      controller.abort();
    };
    fetch(UTF8ToString(address), {
      mode: "cors",
      redirect: "manual",
      cache: "no-store",
      credentials: "omit",
      referrerPolicy: "no-referrer",
      signal: controller.signal
    }).then(done, done);
  }
});
