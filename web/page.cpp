#include "web/page.h"

#include "present/drawing.h"
#include "present/look.h"
#include "present/spoken.h"
#include "web/markup.h"
#include "web/page_style.h"

#include <algorithm>
#include <vector>

namespace vorlen::web {

namespace {

using design::Kind;
using markup::cssColour;
using present::Role;

// What the page is, for a search engine's listing.
constexpr std::string_view pageDescription = "Çarpım tablosu alıştırması";

// Shown in the question panel where the program cannot run.
constexpr std::string_view unsupportedNotice =
    "Bu tarayıcı oyunu çalıştıramıyor. Oynamak için tarayıcıyı güncelleyin ya da başka bir tarayıcı "
    "kullanın.";

std::string escaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Keeps a caption as shown, or a part as a whole, from screen readers.
std::string outOfTree()
{
    return std::string(" ") + markup::outOfTree + "=\"true\"";
}

std::string spoken(const std::string& text)
{
    return std::string("<span class=\"") + markup::spokenClass + "\">" + text + "</span>";
}

std::string idAndState(Part part, const present::PartState& state)
{
    return " id=\"" + std::string(design::name(part)) + "\"" + (state.visible ? "" : " hidden");
}

std::string named(const present::PartState& state)
{
    std::string out;
    if (!state.name.empty()) {
        out += " aria-label=\"" + escaped(state.name) + "\"";
    }
    if (!state.description.empty()) {
        out += " aria-description=\"" + escaped(state.description) + "\"";
    }
    return out;
}

std::string label(const design::Control& row, const present::PartState& state, const std::string& font)
{
    std::string classes = "label " + font;
    const present::Anchor anchor = present::anchor(row.align, row.sizing);
    if (anchor == present::Anchor::Box) {
        classes += " fixed";
    } else if (anchor == present::Anchor::Centre) {
        classes += " centred";
    }
    const std::string shown = escaped(markup::shownCaption(row.part, state.caption));
    if (!state.inTree) {
        // Out of the tree as a whole, and shown and hidden by its look alone
        // (the off class): a label that blinks changes nothing that a screen
        // reader follows, and never carries both hidden and aria-hidden.
        return "<span id=\"" + std::string(design::name(row.part)) + "\" class=\"" + classes +
               (state.visible ? "" : std::string(" ") + markup::offClass) + "\"" + outOfTree() + ">" + shown +
               "</span>";
    }
    // The caption as shown, and apart from it what a screen reader reads.
    return "<span" + idAndState(row.part, state) + " class=\"" + classes + "\"><span" + outOfTree() + ">" +
           shown + "</span>" + spoken(escaped(state.name)) + "</span>";
}

std::string control(const design::Control& row, const present::PartState& state,
                    const std::vector<design::Font>& fonts, bool focused)
{
    const std::string font = fontClass(fonts, row.font);
    const std::string focus = focused ? " autofocus" : "";
    switch (row.kind) {
    case Kind::Label:
        return label(row, state, font);
    case Kind::Button:
        // Read by its name, which holds its caption: the caption itself stays
        // out of the accessibility tree, so that a name that stays put while
        // the samples run is all a screen reader follows.
        return "<button" + idAndState(row.part, state) + R"( type="button" class="button )" + font + "\"" +
               named(state) + (state.inTree ? "" : outOfTree()) + (state.enabled ? "" : " disabled") + focus +
               "><span" + outOfTree() + ">" + escaped(state.caption) + "</span></button>";
    case Kind::List: {
        // Locked as the window is created, until the program's load step
        // unlocks it: a choice made earlier would not reach the quiz, and a
        // screen reader would read out each list's choice as the page loads.
        std::string out = "<span class=\"list " + font + "\" data-part=\"" +
                          std::string(design::name(row.part)) + "\"><select" + idAndState(row.part, state) +
                          named(state) + (row.enabled ? "" : " disabled") + focus + ">";
        for (std::size_t i = 0; i < row.entries.size(); ++i) {
            const bool chosen = static_cast<int>(i) == state.choice;
            out += std::string(chosen ? "<option selected>" : "<option>") + escaped(row.entries[i]) +
                   "</option>";
        }
        return out + "</select></span>";
    }
    case Kind::TextBox:
        return "<input" + idAndState(row.part, state) + " class=\"scratch " + font +
               R"(" type="text" tabindex="-1" value=")" + escaped(state.caption) + "\">";
    case Kind::Picture:
        return "<img" + idAndState(row.part, state) + R"( class="picture" src="dedication.png" width=")" +
               std::to_string(design::px(row.place.width)) + "\" height=\"" +
               std::to_string(design::px(row.place.height)) + "\" alt=\"" + escaped(state.name) +
               R"(" loading="lazy">)";
    case Kind::Panel:
    case Kind::Timer:
        break;
    }
    return {};
}

std::string panel(const design::Panel& row, const present::WindowModel& model,
                  const std::vector<design::Font>& fonts, std::optional<Part> focused)
{
    const present::PartState& state = model[row.part];
    // A panel that holds an alert is no group of controls: it says what it
    // shows as it appears, and takes every touch over it.
    const bool alert = present::role(row.part) == Role::Alert;
    std::string out = alert ? "<div" + idAndState(row.part, state) + R"( class="panel over" role="alert")"
                            : "<fieldset" + idAndState(row.part, state) + " class=\"panel\"";
    out += named(state) + (state.enabled || alert ? "" : " disabled") + ">";
    for (const design::Line& drawn : design::lines) {
        if (drawn.panel == row.part) {
            out += "<div id=\"" + std::string(drawn.name) + R"(" class="line"></div>)";
        }
    }
    for (const design::Control& child : design::controls) {
        if (child.panel == row.part) {
            out += control(child, model[child.part], fonts, child.part == focused);
        }
    }
    if (row.part == Part::Frame1) {
        const std::string notice = escaped(unsupportedNotice);
        out += std::string("<p id=\"") + markup::unsupportedId + R"(" class="notice" role="alert" hidden>)" +
               notice + "</p><noscript><p class=\"notice\">" + notice + "</p></noscript>";
    }
    return out + (alert ? "</div>" : "</fieldset>");
}

// The panels in the order that makes the keyboard's order the design's focus
// order (each panel where its first control in that order comes, those
// without one after them); the creation order stays their stacking order.
std::vector<std::size_t> panelOrder()
{
    std::vector<std::size_t> order;
    const auto add = [&order](std::size_t index) {
        if (std::find(order.begin(), order.end(), index) == order.end()) {
            order.push_back(index);
        }
    };
    for (const Part part : design::focusOrder) {
        for (std::size_t i = 0; i < design::panels.size(); ++i) {
            if (design::panels[i].part == design::row(part).panel) {
                add(i);
            }
        }
    }
    for (std::size_t i = 0; i < design::panels.size(); ++i) {
        add(i);
    }
    return order;
}

std::string window(const present::WindowModel& model, std::optional<Part> focused,
                   const std::vector<design::Font>& fonts)
{
    std::string out = std::string(R"(<main id="Form1" class="font-0" )") + markup::drawnWidth + "=\"" +
                      std::to_string(design::px(design::clientWidth)) + "\" " + markup::drawnHeight + "=\"" +
                      std::to_string(design::px(design::clientHeight)) + "\" aria-label=\"" +
                      escaped(present::phrase::windowName) + "\" aria-description=\"" +
                      escaped(present::windowDescription()) + "\">";
    // The window's title bar, for whoever moves through the page by headings.
    out += std::string("<h1 class=\"") + markup::spokenClass + "\">" + escaped(present::phrase::windowName) +
           "</h1>";
    for (const std::size_t index : panelOrder()) {
        out += panel(design::panels[index], model, fonts, focused);
    }
    const auto region = [](const char* id, const char* role) {
        return std::string("<div id=\"") + id + "\" class=\"" + markup::spokenClass + "\" role=\"" + role +
               "\"></div>";
    };
    return out + region(markup::statusRegion, "status") + region(markup::alertRegion, "alert") + "</main>";
}

// Only the page's own files run and show; the program is compiled from its
// own file; the one request that leaves the site is the visit counter's.
std::string policy(const PageSources& sources, const std::string& style, std::string_view script)
{
    return "default-src 'none'; script-src 'self' 'wasm-unsafe-eval' 'sha256-" +
           sources.sha256Base64(script) + "'; style-src 'sha256-" + sources.sha256Base64(style) +
           "'; img-src 'self'; manifest-src 'self'; worker-src 'self'; connect-src 'self' " +
           design::counterAddress() + "; base-uri 'none'; form-action 'none'";
}

void stamp(std::string& text, std::string_view key, const std::string& value)
{
    const std::string marker = "@" + std::string(key) + "@";
    for (std::size_t at = text.find(marker); at != std::string::npos;
         at = text.find(marker, at + value.size())) {
        text.replace(at, marker.size(), value);
    }
}

// A web file without the line end it closes with: the Nu checker hashes an
// inline style or script without it, the browsers with it.
std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::string page(const present::WindowModel& model, std::optional<Part> focused, const PageSources& sources)
{
    const std::vector<design::Font> fonts = fontsInUse();
    const std::string style = styleSheet(fonts, model, trimmed(sources.css));
    const std::string_view script = trimmed(sources.js);
    std::string out(sources.html);
    // Stamped in this order, so that no stamped text is read for markers.
    stamp(out, "POLICY", escaped(policy(sources, style, script)));
    stamp(out, "DESCRIPTION", std::string(pageDescription));
    stamp(out, "GROUND", cssColour(present::look({}).ground.colour));
    stamp(out, "TITLE", escaped(design::windowCaption()));
    stamp(out, "WINDOW", window(model, focused, fonts));
    stamp(out, "STYLE", style);
    stamp(out, "SCRIPT", std::string(script));
    return out;
}

} // namespace vorlen::web
