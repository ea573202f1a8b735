#include "present/drawing.h"

#include "design/contrast.h"

#include <algorithm>

namespace vorlen::present {

Anchor anchor(design::Align align, design::Sizing sizing)
{
    if (sizing == design::Sizing::Fixed) {
        return Anchor::Box;
    }
    switch (align) {
    case design::Align::Left:
        return Anchor::Left;
    case design::Align::Right:
        return Anchor::Right;
    case design::Align::Center:
        return Anchor::Centre;
    }
    return Anchor::Left;
}

Box captionBox(Anchor anchor, Box drawn, Size measured)
{
    Box box{.left = drawn.left, .top = drawn.top, .width = measured.width, .height = measured.height};
    switch (anchor) {
    case Anchor::Box:
        return drawn;
    case Anchor::Left:
        break;
    case Anchor::Right:
        box.left = drawn.left + drawn.width - measured.width;
        break;
    case Anchor::Centre:
        box.left = drawn.left + (drawn.width - measured.width) / 2;
        break;
    }
    return box;
}

ButtonPaint buttonPaint(const design::ButtonLook& look, Colour text, Colour hoverText, ButtonState state)
{
    const auto shade = [&look](int percent) { return design::shaded(look.face, percent); };
    const bool hovered = state.enabled && state.hovered;
    const bool pressed = state.enabled && state.pressed;
    Colour face = look.face;
    if (pressed) {
        face = shade(look.pressed);
    } else if (hovered) {
        face = shade(look.hovered);
    }
    return {.face = {face},
            .raised = !pressed,
            .upperEdge = {look.upperEdge},
            .lowerEdge = {shade(look.lowerEdge)},
            .outline = {shade(state.enabled ? look.outline : look.outlineDisabled)},
            .text = {state.enabled ? design::buttonText(look, hovered ? hoverText : text)
                                   : shade(look.greyedText)},
            .textShiftPx = pressed ? 1 : 0,
            .focusMark = state.focused};
}

Box lineBox(const design::Line& line, int dpi)
{
    const design::Panel& panel = design::panel(line.panel);
    const int x1 = design::pixels(std::min(line.x1, line.x2), dpi);
    const int x2 = design::pixels(std::max(line.x1, line.x2), dpi);
    const int y1 = design::pixels(std::min(line.y1, line.y2), dpi);
    const int y2 = design::pixels(std::max(line.y1, line.y2), dpi);
    constexpr int baseDpi = 96;
    const int width = (line.widthPx * dpi + baseDpi / 2) / baseDpi;
    const int half = width / 2;
    const bool across = y1 == y2;
    const int left = std::max(0, across ? x1 : x1 - half);
    const int top = std::max(0, across ? y1 - half : y1);
    const int right = std::min(design::pixels(panel.place.width, dpi), across ? x2 : x1 - half + width);
    const int bottom = std::min(design::pixels(panel.place.height, dpi), across ? y1 - half + width : y2);
    return {
        .left = left, .top = top, .width = std::max(0, right - left), .height = std::max(0, bottom - top)};
}

} // namespace vorlen::present
