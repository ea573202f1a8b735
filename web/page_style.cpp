#include "web/page_style.h"

#include "design/contrast.h"
#include "present/drawing.h"
#include "present/look.h"
#include "web/markup.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

namespace vorlen::web {

namespace {

using design::Kind;
using markup::cssColour;

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

std::string box(int left, int top, int width, int height)
{
    return "left:" + px(left) + ";top:" + px(top) + ";width:" + px(width) + ";height:" + px(height);
}

std::string box(const design::Rect& place)
{
    return box(design::px(place.left), design::px(place.top), design::px(place.width),
               design::px(place.height));
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

// A colour as the page writes it. Only under forced colours does it name a
// system colour: elsewhere a system colour is the browser's guess at the
// platform's, and the page is drawn in the design's own.
std::string pageInk(const present::Ink& ink, bool forced)
{
    return forced ? markup::cssInk(ink) : cssColour(ink.colour);
}

using Properties = std::vector<std::pair<std::string_view, std::string>>;

Properties buttonProperties(const present::ButtonInks& inks, bool forced)
{
    return {{"--face", pageInk(inks.plain.face, forced)},
            {"--face-hover", pageInk(inks.hovered.face, forced)},
            {"--face-pressed", pageInk(inks.pressedHovered.face, forced)},
            {"--edge-upper", pageInk(inks.plain.upperEdge, forced)},
            {"--edge-lower", pageInk(inks.plain.lowerEdge, forced)},
            {"--outline", pageInk(inks.plain.outline, forced)},
            {"--outline-disabled", pageInk(inks.disabled.outline, forced)},
            {"--greyed", pageInk(inks.disabled.text, forced)}};
}

Properties listProperties(const present::ListInks& inks, bool forced)
{
    return {{"--list-ground", pageInk(inks.ground, forced)},
            {"--list-outline", pageInk(inks.outline, forced)},
            {"--list-greyed", pageInk(inks.textDisabled, forced)},
            {"--text", pageInk(inks.text, forced)}};
}

std::string declared(const Properties& properties)
{
    std::string css;
    for (const auto& [name, value] : properties) {
        css += std::string(name) + ":" + value + ";";
    }
    return css;
}

// The window's look as the settings want it, for page.css to use: what the
// buttons share on the root; on each button its text and whatever else it has
// of its own, and on each list all of its colours, so that no rule of one
// look is left standing under another; the labels' and lines' colours. A label's colour is the model's
// until the program applies its own.
std::string lookRules(const present::WindowModel& model, const present::Preferences& preferences)
{
    const bool forced = preferences.forcedColours;
    const present::Look look = present::look(preferences);
    const design::ButtonLook& buttonLook = design::buttonLookFor(preferences.moreContrast);
    const auto& firstButton =
        *std::find_if(design::controls.begin(), design::controls.end(),
                      [](const design::Control& row) { return row.kind == Kind::Button; });
    const Properties shared = buttonProperties(look.button(firstButton.part), forced);
    std::string css =
        std::string(forced ? "#Form1{forced-color-adjust:none}" : "") +
        ":root{--ground:" + pageInk(look.ground, forced) + ";" + declared(shared) +
        "--corner:" + px(buttonLook.cornerRadiusPx) + ";--focus:" +
        (forced ? pageInk(look.focusMark, forced)
                : "rgba(0,0,0," + number(std::round(present::focusAlpha * 100.0 / 255.0) / 100.0) + ")") +
        // A 1 px outline lies outside its offset box, so this
        // puts it on the pixel focusInsetPx in from the border's
        // outer edge.
        ";--focus-offset:" + px(-(present::focusInsetPx + 1)) +
        ";--notice:" + pageInk(present::labelInk(colour::red, preferences), forced) + "}";
    for (const design::Control& row : design::controls) {
        const std::string name(design::name(row.part));
        if (row.kind == Kind::Label) {
            css += "#" + name + "{color:" +
                   pageInk(present::labelInk(model[row.part].colour.colour, preferences), forced) +
                   (forced ? "!important}" : "}");
        } else if (row.kind == Kind::Button) {
            Properties own{{"--text", pageInk(look.button(row.part).plain.text, forced)},
                           {"--text-hover", pageInk(look.button(row.part).hovered.text, forced)}};
            for (const auto& property : buttonProperties(look.button(row.part), forced)) {
                if (std::find(shared.begin(), shared.end(), property) == shared.end()) {
                    own.push_back(property);
                }
            }
            css += "#" + name + "{" + declared(own) + "}";
        } else if (row.kind == Kind::List) {
            css += "[data-part=" + name + "]{" + declared(listProperties(look.list(row.part), forced)) + "}";
        }
    }
    for (std::size_t i = 0; i < design::lines.size(); ++i) {
        css +=
            "#" + std::string(design::lines[i].name) + "{background:" + pageInk(look.lines[i], forced) + "}";
    }
    return css;
}

// Where a label stands: its drawn box, or the edge it keeps as its caption
// changes; the browser measures the caption.
std::string labelPlace(const design::Control& row)
{
    const design::Rect& place = row.place;
    const int left = design::px(place.left);
    const int width = design::px(place.width);
    std::string where;
    switch (present::anchor(row.align, row.sizing)) {
    case present::Anchor::Box:
        return box(place);
    case present::Anchor::Left:
        where = "left:" + px(left);
        break;
    case present::Anchor::Right:
        where = "right:" + px(design::px(design::panel(row.panel).place.width) - left - width);
        break;
    case present::Anchor::Centre:
        where = "left:" + number(left + width / 2.0) + "px";
        break;
    }
    return where + ";top:" + px(design::px(place.top));
}

// A line drawn beneath the other controls of its panel: the panel lets its
// controls' reach pass its edge, so it clips nothing itself.
std::string lineBox(const design::Line& row)
{
    const present::Box bar = present::lineBox(row);
    return box(bar.left, bar.top, bar.width, bar.height);
}

// One rule per part: its place and its stacking.
std::string partRules()
{
    std::string css = "#Form1{width:" + px(design::px(design::clientWidth)) +
                      ";height:" + px(design::px(design::clientHeight)) + "}";
    for (std::size_t i = 0; i < design::panels.size(); ++i) {
        const design::Panel& panel = design::panels[i];
        css += "#" + std::string(design::name(panel.part)) + "{" + box(panel.place) +
               ";z-index:" + std::to_string(i) + "}";
    }
    for (const design::Control& row : design::controls) {
        const std::string name(design::name(row.part));
        switch (row.kind) {
        case Kind::Label:
            css += "#" + name + "{" + labelPlace(row) + "}";
            break;
        case Kind::Button:
            css += "#" + name + "{" + box(row.place) + "}";
            break;
        case Kind::List:
            css += "[data-part=" + name + "]{" + box(row.place) + "}";
            break;
        case Kind::TextBox:
        case Kind::Picture:
            css += "#" + name + "{" + box(row.place) + "}";
            break;
        case Kind::Panel:
        case Kind::Timer:
            break;
        }
    }
    for (const design::Line& line : design::lines) {
        css += "#" + std::string(line.name) + "{" + lineBox(line) + "}";
    }
    return css;
}

} // namespace

std::vector<design::Font> fontsInUse()
{
    std::vector<design::Font> fonts{design::defaultFont};
    for (const design::Control& control : design::controls) {
        if (std::none_of(fonts.begin(), fonts.end(),
                         [&control](const design::Font& font) { return font == control.font; })) {
            fonts.push_back(control.font);
        }
    }
    return fonts;
}

std::string fontClass(const std::vector<design::Font>& fonts, const design::Font& font)
{
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        if (fonts[i] == font) {
            return "font-" + std::to_string(i);
        }
    }
    return "font-0";
}

std::string styleSheet(const std::vector<design::Font>& fonts, const present::WindowModel& model,
                       std::string_view pageCss)
{
    std::string css = lookRules(model, {});
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        css += ".font-" + std::to_string(i) + "{font:" + cssFont(fonts[i]) + "}";
    }
    css += partRules();
    css += "@media (prefers-contrast:more){" + lookRules(model, {.moreContrast = true}) + "}";
    css += "@media (forced-colors:active){" + lookRules(model, {.forcedColours = true}) + "}";
    return css + "\n" + std::string(pageCss);
}

} // namespace vorlen::web
