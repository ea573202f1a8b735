// How the window's parts are drawn, worked out once for every front end: the
// box a label's caption is fitted into, the lines a caption is shown as, a
// button's colours in each state and where each ruled line lies in its
// panel. A front end measures text with its toolkit and paints what it is
// told here; nothing here measures or paints.
#pragma once

#include "design/design.h"
#include "design/system_colours.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlen::present {

// A box in pixels of the container.
struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Box&) const = default;
};

// A caption's size as the toolkit measures it: one line in its font.
struct Size {
    int width = 0;
    int height = 0;
};

// Which edge of a label stays where it was drawn as its caption changes: a
// label that keeps its box, or the left edge, right edge or centre of one
// that takes the size of its caption.
enum class Anchor : std::uint8_t { Box, Left, Right, Centre };

[[nodiscard]] Anchor anchor(design::Align align, design::Sizing sizing);

// The box a label shows a caption of this measured size in, from its drawn
// box (in pixels at whatever scale the front end draws).
[[nodiscard]] Box captionBox(Anchor anchor, Box drawn, Size measured);

// The lines a caption is shown as: "\r\n", "\r" and "\n" each end a line.
template <typename Char>
[[nodiscard]] std::vector<std::basic_string_view<Char>> captionLines(std::basic_string_view<Char> caption)
{
    std::vector<std::basic_string_view<Char>> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == Char('\r') || caption[i] == Char('\n')) {
            lines.push_back(caption.substr(start, i - start));
            if (caption[i] == Char('\r') && i + 1 < caption.size() && caption[i + 1] == Char('\n')) {
                ++i;
            }
            start = i + 1;
        }
    }
    lines.push_back(caption.substr(start));
    return lines;
}

// The caption's lines joined by "\n" alone, for a toolkit that breaks there.
template <typename Char>
[[nodiscard]] std::basic_string<Char> shownLines(std::basic_string_view<Char> caption)
{
    std::basic_string<Char> shown;
    shown.reserve(caption.size());
    bool first = true;
    for (const std::basic_string_view<Char> line : captionLines(caption)) {
        if (!first) {
            shown += Char('\n');
        }
        first = false;
        shown += line;
    }
    return shown;
}

// A colour as a front end paints it. Where role is set, the platform's own
// colour in that role (design/system_colours.h), which the front end looks
// up and never works out; colour is what a platform paints that has no such
// colour in use (the page outside forced colours).
struct Ink {
    Colour colour = 0;
    std::optional<design::SystemColour> role = std::nullopt;
    bool operator==(const Ink&) const = default;
};

// What a button is showing itself as. A disabled button shows neither hover
// nor press; a press shows under the pointer's text colour, on the pressed face.
struct ButtonState {
    bool enabled = true;
    bool hovered = false;
    bool pressed = false;
    bool focused = false;
};

// A button's colours as painted in one state. The lower edge and the outline
// are shades of the plain face in every state, so that only the face itself
// lightens under the pointer and darkens while held down.
struct ButtonPaint {
    Ink face;
    bool raised = true;     // the light upper and the shaded lower edge are drawn: not while pressed
    Ink upperEdge;          // one pixel below the top, between the rounded corners
    Ink lowerEdge;          // one pixel above the bottom
    Ink outline;            // the rounded border
    Ink text;               // the caption's colour
    int textShiftPx = 0;    // the caption moves this far right and down
    bool focusMark = false; // a dotted rectangle focusInsetPx inside the border
    bool operator==(const ButtonPaint&) const = default;
};

inline constexpr int focusInsetPx = 3;
inline constexpr int focusAlpha = 160; // the focus mark is black at this opacity of 255

// text and hoverText are the row's own ("fcol" and "fcolo").
[[nodiscard]] ButtonPaint buttonPaint(const design::ButtonLook& look, Colour text, Colour hoverText,
                                      ButtonState state);

// Where a ruled line lies in its panel at a dpi: the bar it covers with flat
// ends, cut to the panel's inside.
[[nodiscard]] Box lineBox(const design::Line& line, int dpi = 96);

} // namespace vorlen::present
