// The window under the system's own colours (a high-contrast theme): each
// thing the window draws takes one of the system's colour roles instead of
// its design colour, so that the child's theme decides every colour. The
// roles carry the names of the web's system colours; a front end maps each
// to its platform's colour. Enabled and disabled stay apart (GrayText), and
// the wrong-answer panel's frame keeps its lines (CanvasText on Canvas).
#pragma once

#include <cstdint>

namespace vorlen::design {

// NOLINTBEGIN(readability-identifier-naming): the web's names
enum class SystemColour : std::uint8_t {
    Canvas,
    CanvasText,
    ButtonFace,
    ButtonText,
    GrayText,
    Highlight,
    HighlightText,
    Field,
    FieldText,
};
// NOLINTEND(readability-identifier-naming)

// Every kind of thing the window draws.
enum class Drawn : std::uint8_t {
    Ground, // the window's and the panels' face
    LabelText,
    Line, // the ruled lines
    ButtonFace,
    ButtonText,
    ButtonTextDisabled,
    ButtonOutline,
    ButtonOutlineDisabled,
    FocusMark,  // the mark on the focused button or list
    ListGround, // a list's field and its opened entries
    ListText,
    ListTextDisabled,
    ListChosenGround, // the entry under the pointer in an opened list
    ListChosenText,
};

constexpr SystemColour systemColour(Drawn drawn)
{
    switch (drawn) {
    case Drawn::Ground:
        return SystemColour::Canvas;
    case Drawn::LabelText:
    case Drawn::Line:
        return SystemColour::CanvasText;
    case Drawn::ButtonFace:
        return SystemColour::ButtonFace;
    case Drawn::ButtonText:
    case Drawn::ButtonOutline:
        return SystemColour::ButtonText;
    case Drawn::ButtonTextDisabled:
    case Drawn::ButtonOutlineDisabled:
    case Drawn::ListTextDisabled:
        return SystemColour::GrayText;
    case Drawn::FocusMark:
    case Drawn::ListChosenGround:
        return SystemColour::Highlight;
    case Drawn::ListChosenText:
        return SystemColour::HighlightText;
    case Drawn::ListGround:
        return SystemColour::Field;
    case Drawn::ListText:
        return SystemColour::FieldText;
    }
    return SystemColour::CanvasText;
}

} // namespace vorlen::design
