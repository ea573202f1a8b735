#include "web/page_style.h"

#include "design/contrast.h"
#include "design/system_colours.h"
#include "present/drawing.h"
#include "web/markup.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

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

bool sameFont(const design::Font& a, const design::Font& b)
{
    return a.family == b.family && a.points == b.points && a.bold == b.bold;
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

const design::Panel& panelRow(Part part)
{
    const auto* found = std::find_if(design::panels.begin(), design::panels.end(),
                                     [part](const design::Panel& panel) { return panel.part == part; });
    return found != design::panels.end() ? *found : design::panels.front();
}

// The design's colours and the button look, for page.css to use, as drawn
// or for more contrast.
std::string lookProperties(bool moreContrast)
{
    const design::ButtonLook& look = design::buttonLookFor(moreContrast);
    const auto paint = [&look](present::ButtonState state) {
        return present::buttonPaint(look, 0, 0, state);
    };
    const present::ButtonPaint plain = paint({});
    const present::ButtonPaint disabled = paint({.enabled = false});
    const auto shade = [](Colour colour, int percent) { return cssColour(design::shaded(colour, percent)); };
    return ":root{--ground:" + cssColour(windowGround) + ";--face:" + cssColour(plain.face) +
           ";--face-hover:" + cssColour(paint({.hovered = true}).face) +
           ";--face-pressed:" + cssColour(paint({.pressed = true}).face) +
           ";--edge-upper:" + cssColour(plain.upperEdge) + ";--edge-lower:" + cssColour(plain.lowerEdge) +
           ";--outline:" + cssColour(plain.outline) + ";--outline-disabled:" + cssColour(disabled.outline) +
           ";--greyed:" + cssColour(disabled.text) + ";--list-ground:" + cssColour(colour::white) +
           ";--list-outline:" + shade(windowGround, look.outline) +
           ";--list-greyed:" + shade(windowGround, look.greyedText) + ";--corner:" + px(look.cornerRadiusPx) +
           ";--focus:rgba(0,0,0," + number(std::round(present::focusAlpha * 100.0 / 255.0) / 100.0) +
           // A 1 px outline lies outside its offset box, so this puts it on
           // the pixel focusInsetPx in from the border's outer edge.
           ");--focus-offset:" + px(-(present::focusInsetPx + 1)) +
           ";--notice:" + cssColour(design::onWindowFace(colour::red, moreContrast)) + "}";
}

// The parts' own colours, as drawn or for more contrast: a label's as the
// model holds it until the program applies its own, a button's text, a
// line's.
std::string partColours(const present::WindowModel& model, bool moreContrast)
{
    const design::ButtonLook& look = design::buttonLookFor(moreContrast);
    std::string css;
    for (const design::Control& row : design::controls) {
        const std::string name(design::name(row.part));
        if (row.kind == Kind::Label) {
            css += "#" + name +
                   "{color:" + cssColour(design::onWindowFace(model[row.part].colour, moreContrast)) + "}";
        } else if (row.kind == Kind::Button) {
            const auto text = [&](bool hovered) {
                return cssColour(
                    present::buttonPaint(look, row.fore, row.foreHover, {.hovered = hovered}).text);
            };
            css += "#" + name + "{--text:" + text(false) + ";--text-hover:" + text(true) + "}";
        } else if (row.kind == Kind::List) {
            css += "[data-part=" + name + "]{--text:" + cssColour(row.fore) + "}";
        }
    }
    for (const design::Line& line : design::lines) {
        css += "#" + std::string(line.name) +
               "{background:" + cssColour(design::onWindowFace(line.colour, moreContrast)) + "}";
    }
    return css;
}

std::string_view systemColourName(design::Drawn drawn)
{
    switch (design::systemColour(drawn)) {
    case design::SystemColour::Canvas:
        return "Canvas";
    case design::SystemColour::CanvasText:
        return "CanvasText";
    case design::SystemColour::ButtonFace:
        return "ButtonFace";
    case design::SystemColour::ButtonText:
        return "ButtonText";
    case design::SystemColour::GrayText:
        return "GrayText";
    case design::SystemColour::Highlight:
        return "Highlight";
    case design::SystemColour::HighlightText:
        return "HighlightText";
    case design::SystemColour::Field:
        return "Field";
    case design::SystemColour::FieldText:
        return "FieldText";
    }
    return "CanvasText";
}

// Under the system's own colours, every colour is a system colour by the
// design's roles; the page sets them all itself, lines included, rather than
// leave them to the browser, which would drop the lines with the grounds.
std::string forcedColours()
{
    using design::Drawn;
    const auto role = [](Drawn drawn) { return std::string(systemColourName(drawn)); };
    const std::string face = role(Drawn::ButtonFace);
    return "#Form1{forced-color-adjust:none}:root{--ground:" + role(Drawn::Ground) + ";--face:" + face +
           ";--face-hover:" + face + ";--face-pressed:" + face + ";--edge-upper:" + face +
           ";--edge-lower:" + face + ";--outline:" + role(Drawn::ButtonOutline) +
           ";--outline-disabled:" + role(Drawn::ButtonOutlineDisabled) +
           ";--greyed:" + role(Drawn::ButtonTextDisabled) + ";--list-ground:" + role(Drawn::ListGround) +
           ";--list-outline:" + role(Drawn::ListText) + ";--list-greyed:" + role(Drawn::ListTextDisabled) +
           ";--focus:" + role(Drawn::FocusMark) + ";--notice:" + role(Drawn::LabelText) +
           "}#Form1 .button{--text:" + role(Drawn::ButtonText) + ";--text-hover:" + role(Drawn::ButtonText) +
           "}#Form1 .list{--text:" + role(Drawn::ListText) +
           "}#Form1 .label{color:" + role(Drawn::LabelText) +
           "!important}#Form1 .line{background:" + role(Drawn::Line) + "}";
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
        where = "right:" + px(design::px(panelRow(row.panel).place.width) - left - width);
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
                         [&control](const design::Font& font) { return sameFont(font, control.font); })) {
            fonts.push_back(control.font);
        }
    }
    return fonts;
}

std::string fontClass(const std::vector<design::Font>& fonts, const design::Font& font)
{
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        if (sameFont(fonts[i], font)) {
            return "font-" + std::to_string(i);
        }
    }
    return "font-0";
}

std::string styleSheet(const std::vector<design::Font>& fonts, const present::WindowModel& model,
                       std::string_view pageCss)
{
    std::string css = lookProperties(false);
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        css += ".font-" + std::to_string(i) + "{font:" + cssFont(fonts[i]) + "}";
    }
    css += partRules() + partColours(model, false);
    css += "@media (prefers-contrast:more){" + lookProperties(true) + partColours(model, true) + "}";
    css += "@media (forced-colors:active){" + forcedColours() + "}";
    return css + "\n" + std::string(pageCss);
}

} // namespace vorlen::web
