#include "web/page.h"

#include "present/spoken.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

namespace vorlen::web {

namespace {

using design::Kind;
using present::Role;

// The page's ground, around and under the window: the light grey of a
// desktop window's face, which the design leaves to the platform.
constexpr Colour windowGround = 0xEFEFEF;

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

std::string number(double value)
{
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%g", value);
    return text.data();
}

std::string px(int pixels)
{
    return std::to_string(pixels) + "px";
}

// The fonts in use, each once, in the order the design first names them;
// element i's font is class "f" + i.
std::vector<design::Font> fontsInUse()
{
    std::vector<design::Font> fonts{design::defaultFont};
    for (const design::Control& control : design::controls) {
        const auto same = [&control](const design::Font& font) {
            return font.family == control.font.family && font.points == control.font.points &&
                   font.bold == control.font.bold;
        };
        if (std::none_of(fonts.begin(), fonts.end(), same)) {
            fonts.push_back(control.font);
        }
    }
    return fonts;
}

std::string fontClass(const std::vector<design::Font>& fonts, const design::Font& font)
{
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        if (fonts[i].family == font.family && fonts[i].points == font.points && fonts[i].bold == font.bold) {
            return "f" + std::to_string(i);
        }
    }
    return "f0";
}

std::string cssFont(const design::Font& font)
{
    // The design's face first, then its stand-ins, then any sans-serif.
    std::string families = "\"" + std::string(font.family) + "\"";
    for (const design::FontStandIns& entry : design::fontStandIns) {
        if (entry.family == font.family) {
            for (const std::string_view face : entry.faces) {
                families += ",\"" + std::string(face) + "\"";
            }
        }
    }
    return std::string(font.bold ? "700 " : "400 ") + number(font.points) + "pt " + families + ",sans-serif";
}

std::string styleSheet(const std::vector<design::Font>& fonts)
{
    const design::ButtonLook& look = design::buttonLook;
    const auto shade = [](Colour colour, int percent) { return cssColour(design::shaded(colour, percent)); };
    const std::string width = px(design::px(design::clientWidth));
    const std::string height = px(design::px(design::clientHeight));
    std::string css =
        "html,body{margin:0;height:100%;background:" + cssColour(windowGround) +
        "}"
        "body{display:flex;align-items:center;justify-content:center;overflow:hidden;"
        "touch-action:manipulation;-webkit-tap-highlight-color:transparent}"
        "#Form1{position:relative;flex:none;width:" +
        width + ";height:" + height +
        ";overflow:hidden;color:#000;cursor:default;-webkit-user-select:none;user-select:none}"
        "[hidden]{display:none!important}"
        "fieldset{position:absolute;box-sizing:border-box;margin:0;padding:0;border:0;min-width:0;"
        "overflow:hidden}"
        // Labels: one line of their caption, or the drawn box with its lines.
        ".l{position:absolute;margin:0;white-space:pre}"
        ".k{overflow:hidden}"
        ".c{transform:translateX(-50%)}"
        // What a screen reader reads of a label, out of sight.
        ".s{position:absolute;width:1px;height:1px;margin:-1px;overflow:hidden;clip-path:inset(50%);"
        "white-space:nowrap}"
        ".n{position:absolute;pointer-events:none}"
        ".b,.m,.t,.i{position:absolute;box-sizing:border-box;margin:0}"
        // A button keeps its drawn size whatever its caption: a new sample
        // lays out and paints the button alone.
        ".b{padding:0;border:1px solid " +
        shade(look.face, look.outline) + ";border-radius:" + px(look.cornerRadiusPx) +
        ";background:" + cssColour(look.face) + ";box-shadow:inset 0 1px " + cssColour(look.upperEdge) +
        ",inset 0 -1px " + shade(look.face, look.lowerEdge) +
        ";color:var(--c);white-space:nowrap;overflow:hidden;touch-action:manipulation;contain:strict}"
        // A button locked by its own state greys; one locked only by its
        // panel keeps its look and takes no press.
        ".b[disabled]{color:" +
        shade(look.face, look.greyedText) + ";border-color:" + shade(look.face, look.outlineDisabled) +
        "}"
        ".b:focus-visible{outline:1px dotted rgba(0,0,0,.63);outline-offset:-4px}"
        "@media (hover:hover){.b:enabled:hover{background:" +
        shade(look.face, look.hovered) +
        ";color:var(--h)}}"
        ".b:enabled:active{background:" +
        shade(look.face, look.pressed) +
        ";box-shadow:none;padding:1px 0 0 1px}"
        ".m{padding:0 2px;color:var(--c);background:#fff;border:1px solid " +
        shade(windowGround, look.outline) +
        ";border-radius:2px}"
        ".m:disabled{color:" +
        shade(windowGround, look.greyedText) + ";opacity:1}";
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        css += ".f" + std::to_string(i) + "{font:" + cssFont(fonts[i]) + "}";
    }
    return css;
}

std::string box(int left, int top, int width, int height)
{
    return "left:" + px(left) + ";top:" + px(top) + ";width:" + px(width) + ";height:" + px(height);
}

std::string box(const design::Rect& place)
{
    return box(design::px(place.left), design::px(place.top), design::px(place.width),
               design::px(place.height));
}

// The attributes every part has: its design name, and the state it shares
// with every other part.
// Some browsers bring a control's value or locked state back on a reload,
// and the load step, which changes only what differs from the drawn window,
// would never correct it; every control starts as the page says.
constexpr std::string_view notRestored = " autocomplete=\"off\"";

std::string common(Part part, const present::PartState& state)
{
    std::string out = " id=\"" + std::string(design::name(part)) + "\"";
    if (!state.visible) {
        out += " hidden";
    }
    return out;
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

int panelWidth(Part part)
{
    for (const design::Panel& panel : design::panels) {
        if (panel.part == part) {
            return design::px(panel.place.width);
        }
    }
    return 0;
}

std::string label(const design::Control& row, const present::PartState& state, const std::string& font)
{
    const design::Rect& place = row.place;
    const int left = design::px(place.left);
    const int width = design::px(place.width);
    std::string classes = "l " + font;
    std::string where;
    if (row.sizing == design::Sizing::Fixed) {
        classes += " k";
        where = box(place);
    } else {
        switch (row.align) {
        case design::Align::Left:
            where = "left:" + px(left);
            break;
        case design::Align::Right:
            where = "right:" + px(panelWidth(row.panel) - left - width);
            break;
        case design::Align::Center:
            classes += " c";
            where = "left:" + number(left + width / 2.0) + "px";
            break;
        }
        where += ";top:" + px(design::px(place.top));
    }
    std::string out = "<span" + common(row.part, state) + " class=\"" + classes + "\" style=\"" + where +
                      ";color:" + cssColour(state.colour) + "\"";
    const std::string shown = escaped(shownCaption(row.part, state.caption));
    if (present::role(row.part) == Role::LeftOut) {
        return out + " aria-hidden=\"true\">" + shown + "</span>";
    }
    // The caption as shown, and apart from it what a screen reader reads.
    return out + "><span aria-hidden=\"true\">" + shown + "</span><span class=\"s\">" + escaped(state.name) +
           "</span></span>";
}

std::string control(const design::Control& row, const present::PartState& state,
                    const std::vector<design::Font>& fonts, bool focused)
{
    const std::string font = fontClass(fonts, row.font);
    // The text colour, and a button's under a pointer that can hover.
    std::string colours = ";--c:" + cssColour(row.fore);
    if (row.kind == Kind::Button) {
        colours += ";--h:" + cssColour(row.foreHover);
    }
    switch (row.kind) {
    case Kind::Label:
        return label(row, state, font);
    case Kind::Button:
        // Read by its name alone: its caption, the idle samples included,
        // stays out of the accessibility tree.
        return "<button" + common(row.part, state) + " type=\"button\"" + std::string(notRestored) +
               " class=\"b " + font + "\" style=\"" + box(row.place) + colours + "\"" + named(state) +
               (state.enabled ? "" : " disabled") + (focused ? " autofocus" : "") +
               "><span aria-hidden=\"true\">" + escaped(state.caption) + "</span></button>";
    case Kind::List: {
        // Locked as the window is created, until the program's load step
        // unlocks it: a choice made earlier would not reach the quiz, and a
        // screen reader would read out each list's choice as the page loads.
        std::string out = "<select" + common(row.part, state) + std::string(notRestored) + " class=\"m " +
                          font + "\" style=\"" + box(row.place) + colours + "\"" + named(state) +
                          (row.enabled ? "" : " disabled") + (focused ? " autofocus" : "") + ">";
        for (std::size_t i = 0; i < row.entries.size(); ++i) {
            const bool chosen = static_cast<int>(i) == state.choice;
            out += std::string(chosen ? "<option selected>" : "<option>") + escaped(row.entries[i]) +
                   "</option>";
        }
        return out + "</select>";
    }
    case Kind::TextBox:
        return "<input" + common(row.part, state) + std::string(notRestored) + " class=\"t " + font +
               "\" style=\"" + box(row.place) +
               "\" type=\"text\" tabindex=\"-1\" aria-hidden=\"true\" value=\"" + escaped(state.caption) +
               "\">";
    case Kind::Picture:
        return "<img" + common(row.part, state) + " class=\"i\" style=\"" + box(row.place) + "\" src=\"" +
               pictureFile + "\" alt=\"" + escaped(state.name) + "\" loading=\"lazy\">";
    case Kind::Panel:
    case Kind::Timer:
        break;
    }
    return {};
}

// A line drawn with flat ends, beneath the other controls of its panel.
std::string line(const design::Line& row)
{
    const int x1 = design::px(std::min(row.x1, row.x2));
    const int x2 = design::px(std::max(row.x1, row.x2));
    const int y1 = design::px(std::min(row.y1, row.y2));
    const int y2 = design::px(std::max(row.y1, row.y2));
    const int half = row.widthPx / 2;
    const std::string where =
        y1 == y2 ? box(x1, y1 - half, x2 - x1, row.widthPx) : box(x1 - half, y1, row.widthPx, y2 - y1);
    return "<div id=\"" + std::string(row.name) + "\" class=\"n\" style=\"" + where +
           ";background:" + cssColour(row.colour) + "\"></div>";
}

std::string panel(const design::Panel& row, int stacking, const present::WindowModel& model,
                  const std::vector<design::Font>& fonts, std::optional<Part> focused)
{
    const present::PartState& state = model[row.part];
    std::string out = "<fieldset" + common(row.part, state) + " style=\"" + box(row.place) +
                      ";z-index:" + std::to_string(stacking) + "\"";
    if (present::role(row.part) == Role::Alert) {
        out += " role=\"alert\"";
    }
    out += named(state) + (state.enabled ? "" : " disabled") + ">";
    for (const design::Line& drawn : design::lines) {
        if (drawn.panel == row.part) {
            out += line(drawn);
        }
    }
    for (const design::Control& child : design::controls) {
        if (child.panel == row.part) {
            out += control(child, model[child.part], fonts, child.part == focused);
        }
    }
    return out + "</fieldset>";
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

// The page's own script: it fits the window to the viewport, keeping its
// shape (CSS zoom lays the window out again at the new size, so its text
// stays sharp at any scale); once the window is painted it loads the program,
// which then never delays the first paint; and it has the service worker
// keep the files for playing offline.
std::string pageScript()
{
    const std::string width = std::to_string(design::px(design::clientWidth));
    const std::string height = std::to_string(design::px(design::clientHeight));
    return "(function(){var w=document.getElementById('Form1');"
           "function fit(){w.style.zoom=Math.min(innerWidth/" +
           width + ",innerHeight/" + height +
           ")}fit();addEventListener('resize',fit);"
           "requestAnimationFrame(function(){setTimeout(function(){var s=document.createElement('script');"
           "s.src='" +
           programScript +
           "';document.head.appendChild(s)})});"
           "if('serviceWorker'in "
           "navigator)addEventListener('load',function(){navigator.serviceWorker.register('" +
           serviceWorkerScript + "').catch(function(e){console.warn('vorlen: offline copy: '+e)})})})()";
}

} // namespace

std::string cssColour(Colour colour)
{
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%02x%02x%02x", colour & 0xFFU, (colour >> 8U) & 0xFFU,
                  (colour >> 16U) & 0xFFU);
    return text.data();
}

std::string shownCaption(Part part, const std::string& caption)
{
    const design::Control* row = design::row(part).control;
    if (row == nullptr || row->kind != Kind::Label || row->sizing != design::Sizing::Fixed) {
        return caption;
    }
    std::string shown;
    shown.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '\r') {
            shown += '\n';
            if (i + 1 < caption.size() && caption[i + 1] == '\n') {
                ++i;
            }
        } else {
            shown += caption[i];
        }
    }
    return shown;
}

std::string page(const present::WindowModel& model, std::optional<Part> focused)
{
    const std::vector<design::Font> fonts = fontsInUse();
    // The quiz is in Turkish on purpose: no offer to translate it, which would
    // also take a screen reader's focus.
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"tr\" translate=\"no\"><head><meta charset=\"utf-8\">"
        "<meta name=\"google\" content=\"notranslate\">"
        "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">"
        "<meta name=\"theme-color\" content=\"" +
        cssColour(windowGround) + "\"><title>" + escaped(design::windowCaption()) +
        "</title><link rel=\"manifest\" href=\"" + manifestFile + "\"><link rel=\"icon\" href=\"" + iconFile +
        "\" type=\"image/svg+xml\"><link rel=\"apple-touch-icon\" href=\"" + touchIconFile + "\"><style>" +
        styleSheet(fonts) + "</style></head>\n<body><main id=\"Form1\" class=\"f0\" aria-label=\"" +
        escaped(present::phrase::windowName) + "\" aria-description=\"" +
        escaped(present::windowDescription()) + "\">";
    for (const std::size_t index : panelOrder()) {
        out += panel(design::panels[index], static_cast<int>(index), model, fonts, focused);
    }
    out += "<div id=\"" + std::string(statusRegionId) + "\" class=\"s\" role=\"status\"></div><div id=\"" +
           alertRegionId + "\" class=\"s\" role=\"alert\"></div></main><script>" + pageScript() +
           "</script></body></html>\n";
    return out;
}

} // namespace vorlen::web
