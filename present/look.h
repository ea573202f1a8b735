// The whole window's look as the child's settings want it: the colours of
// every button in each of its states, of every list, of the lines, the face
// behind them and the focus mark, as drawn, darker for more contrast, or in
// the system's colour roles under forced colours. Worked out here once for
// every front end, which looks up a role's colour on its platform and
// computes no shade, contrast or system colour itself; the page's style
// sheet is written from the same look. A label's colour follows the engine
// and is the model's (labelInk).
#pragma once

#include "present/drawing.h"
#include "present/window_model.h"

#include <array>

namespace vorlen::present {

// A button's paints: the one for each state it can show.
struct ButtonInks {
    ButtonPaint plain;
    ButtonPaint hovered;
    ButtonPaint pressed;        // held by a key, the pointer elsewhere
    ButtonPaint pressedHovered; // held under the pointer
    ButtonPaint disabled;
    // The paint for a state, its focus mark included.
    [[nodiscard]] ButtonPaint in(ButtonState state) const;
    bool operator==(const ButtonInks&) const = default;
};

// A list's colours: its field and text, the text while locked, its outline,
// and the entry under the pointer in the opened list.
struct ListInks {
    Ink ground;
    Ink text;
    Ink textDisabled;
    Ink outline;
    Ink chosenGround;
    Ink chosenText;
    bool operator==(const ListInks&) const = default;
};

struct Look {
    Ink ground;    // the window's and the panels' face, behind every label and around every button
    Ink focusMark; // black at focusAlpha where it is a colour
    std::array<ButtonInks, design::partCount> buttons{}; // by design::index, for the buttons
    std::array<ListInks, design::partCount> lists{};     // likewise, for the lists
    std::array<Ink, design::lines.size()> lines{};       // in the order of design::lines

    [[nodiscard]] const ButtonInks& button(Part part) const { return buttons[design::index(part)]; }
    [[nodiscard]] const ListInks& list(Part part) const { return lists[design::index(part)]; }
    bool operator==(const Look&) const = default;
};

[[nodiscard]] Look look(const Preferences& preferences);

// A label's text in the colour the engine gave it, as the settings want it.
[[nodiscard]] Ink labelInk(Colour colour, const Preferences& preferences);

} // namespace vorlen::present
