#include "web/dom.h"

#include "web/markup.h"

#include <cstdlib>
#include <emscripten.h>
#include <emscripten/console.h>

// Each function below is a few lines of JavaScript placed in the program's
// script by EM_JS: lighter than embind, and nothing but the DOM calls. The
// elements and the text nodes that hold their captions and spoken names are
// kept in Module.vorlen, indexed by part. Each writes what it is given: the
// page starts as the window model does (web_form.cpp), and the model passes
// on only what changed since.

// NOLINTBEGIN: EM_JS bodies are JavaScript
// clang-format off

EM_JS(void, vorlen_bind, (const char* names, const char* status, const char* alert), {
    var d = document;
    var v = Module.vorlen = {p : [], c : [], s : [], status : d.getElementById(UTF8ToString(status)),
                             alert : d.getElementById(UTF8ToString(alert))};
    var text = function(holder) {
        if (!holder.firstChild) {
            holder.appendChild(d.createTextNode(""));
        }
        return holder.firstChild;
    };
    UTF8ToString(names).split(" ").forEach(function(name, i) {
        var e = d.getElementById(name);
        v.p[i] = e;
        if (!e) {
            return;
        }
        var tag = e.tagName;
        if (tag == "BUTTON" || tag == "SPAN") {
            // The caption as shown, kept from screen readers, and for a
            // label apart from it what they read.
            var said = e.querySelector(".spoken");
            v.c[i] = text(tag == "SPAN" && e.getAttribute("aria-hidden") ? e : e.querySelector("[aria-hidden]"));
            if (said) {
                v.s[i] = text(said);
            }
        }
        if (tag == "BUTTON") {
            e.addEventListener("click", function() { _vorlen_press(i); });
        } else if (tag == "SELECT") {
            e.addEventListener("change", function() { _vorlen_choose(i, e.selectedIndex); });
        }
    });
    // A key held down presses once: Enter would repeat its click, and the
    // repeats would answer questions the child has not seen yet.
    d.addEventListener("keydown", function(k) {
        if (k.repeat && (k.key == "Enter" || k.key == " ") && k.target.tagName == "BUTTON") {
            k.preventDefault();
        }
    }, true);
});

EM_JS(void, vorlen_caption, (int part, const char* text, int length), {
    var v = Module.vorlen, t = UTF8ToString(text, length), node = v.c[part] || v.p[part];
    if (node && node.data !== undefined) {
        node.data = t;
    } else if (node) {
        node.value = t;
    }
});

EM_JS(void, vorlen_colour, (int part, const char* css), {
    var e = Module.vorlen.p[part];
    if (e) {
        e.style.color = UTF8ToString(css);
    }
});

EM_JS(void, vorlen_visible, (int part, int visible, int quietly), {
    var e = Module.vorlen.p[part];
    if (e && quietly) {
        e.classList.toggle("off", !visible);
    } else if (e) {
        e.hidden = !visible;
    }
});

EM_JS(void, vorlen_tree, (int part, int inTree), {
    var e = Module.vorlen.p[part];
    if (e && inTree) {
        e.removeAttribute("aria-hidden");
    } else if (e) {
        e.setAttribute("aria-hidden", "true");
    }
});

EM_JS(void, vorlen_enabled, (int part, int enabled), {
    var e = Module.vorlen.p[part];
    if (e && "disabled" in e) {
        e.disabled = !enabled;
        if (enabled && e.tagName == "SELECT") {
            // Chromium leaves a list's entries unselected to screen readers
            // once the list was locked; new entries carry the choice again.
            var choice = e.selectedIndex;
            Array.prototype.slice.call(e.options).forEach(function(o) { e.replaceChild(o.cloneNode(true), o); });
            e.selectedIndex = choice;
        }
    }
});

EM_JS(void, vorlen_choice, (int part, int entry), {
    var e = Module.vorlen.p[part];
    if (e) {
        e.selectedIndex = entry;
    }
});

EM_JS(void, vorlen_name, (int part, const char* text, int length), {
    var v = Module.vorlen, e = v.p[part], t = UTF8ToString(text, length);
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
});

EM_JS(void, vorlen_description, (int part, const char* text, int length), {
    var e = Module.vorlen.p[part], t = UTF8ToString(text, length);
    if (e && !t) {
        e.removeAttribute("aria-description");
    } else if (e) {
        e.setAttribute("aria-description", t);
    }
});

EM_JS(void, vorlen_focus, (int part), {
    var e = Module.vorlen.p[part];
    if (e) {
        e.focus({preventScroll : true});
    }
});

EM_JS(void, vorlen_announce, (const char* text, int length, int urgent, int carrier), {
    var v = Module.vorlen, t = UTF8ToString(text, length), e = v.p[carrier];
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
    var region = urgent ? v.alert : v.status, said = document.createElement("div");
    var row = said.appendChild(document.createElement("div")), cell = row.appendChild(document.createElement("div"));
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
});

EM_JS(void, vorlen_watch, (), {
    var d = document, queries = [ "(prefers-reduced-motion: reduce)", "(prefers-contrast: more)", "(forced-colors: active)" ];
    var lists = queries.map(function(query) { return window.matchMedia ? matchMedia(query) : null; });
    var prefer = function() {
        var on = lists.map(function(list) { return list && list.matches ? 1 : 0; });
        _vorlen_prefer(on[0], on[1], on[2]);
    };
    var show = function() { _vorlen_show(d.visibilityState === "hidden" ? 0 : 1); };
    lists.forEach(function(list) {
        if (list && list.addEventListener) {
            list.addEventListener("change", prefer);
        } else if (list && list.addListener) {
            list.addListener(prefer); // Safari before 14
        }
    });
    d.addEventListener("visibilitychange", show);
    prefer();
    show();
});

EM_JS(void, vorlen_ready, (), { document.documentElement.setAttribute("data-vorlen", "ready"); });

EM_JS(char*, vorlen_query, (), { return allocateUTF8(location.search); });

// The request is a plain cross-origin GET. It cannot be made in "no-cors"
// mode: fetch refuses that mode with any redirect mode but "follow". In
// "cors" mode a plain GET goes out as it is, with no preflight; the counter
// host sends no CORS headers, so the answer stays unreadable and the fetch
// ends in a failure, which is dropped like any other.
EM_JS(void, vorlen_request, (const char* address, int deadline), {
    var controller = new AbortController();
    var timer = setTimeout(function() { controller.abort(); }, deadline);
    var done = function() {
        // The answer's headers are enough: its body is never read.
        clearTimeout(timer);
        controller.abort();
    };
    fetch(UTF8ToString(address), {
        mode : "cors",
        redirect : "manual",
        cache : "no-store",
        credentials : "omit",
        referrerPolicy : "no-referrer",
        signal : controller.signal
    }).then(done, done);
});

// clang-format on
// NOLINTEND

namespace vorlen::web::dom {

namespace {

int length(std::string_view text)
{
    return static_cast<int>(text.size());
}

} // namespace

void bind(const std::string& names)
{
    vorlen_bind(names.c_str(), markup::statusRegion, markup::alertRegion);
}

void setCaption(int part, std::string_view text)
{
    vorlen_caption(part, text.data(), length(text));
}

void setColour(int part, std::string_view css)
{
    const std::string terminated(css);
    vorlen_colour(part, terminated.c_str());
}

void setVisible(int part, bool visible, bool quietly)
{
    vorlen_visible(part, visible ? 1 : 0, quietly ? 1 : 0);
}

void setInTree(int part, bool inTree)
{
    vorlen_tree(part, inTree ? 1 : 0);
}

void setEnabled(int part, bool enabled)
{
    vorlen_enabled(part, enabled ? 1 : 0);
}

void setChoice(int part, int entry)
{
    vorlen_choice(part, entry);
}

void setName(int part, std::string_view name)
{
    vorlen_name(part, name.data(), length(name));
}

void setDescription(int part, std::string_view description)
{
    vorlen_description(part, description.data(), length(description));
}

void focus(int part)
{
    vorlen_focus(part);
}

void announce(std::string_view text, bool urgent, int carrier)
{
    vorlen_announce(text.data(), length(text), urgent ? 1 : 0, carrier);
}

void watchSettings()
{
    vorlen_watch();
}

void markReady()
{
    vorlen_ready();
}

std::string pageQuery()
{
    char* query = vorlen_query();
    std::string text = query == nullptr ? std::string() : std::string(query);
    std::free(query); // NOLINT(cppcoreguidelines-no-malloc): allocated by the JavaScript side
    return text;
}

void requestQuietly(const std::string& address, int deadlineMs)
{
    vorlen_request(address.c_str(), deadlineMs);
}

void reportToConsole(const std::string& line)
{
    emscripten_console_error(line.c_str());
}

} // namespace vorlen::web::dom
