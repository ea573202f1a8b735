// The design's font faces and the installed faces that stand in for them.
// Widgets keep the design's family in font(); Qt resolves it through the
// substitutes registered here, each a face that holds every Turkish letter,
// so no word mixes faces.
#pragma once

#include "design/design.h"

#include <QFont>
#include <QString>

#include <array>
#include <utility>

namespace vorlen {

struct FontSubstitute {
    const char* family;     // as the window asks for it
    const char* substitute; // what Debian installs
};

inline constexpr std::array<FontSubstitute, 5> fontSubstitutes{{
    {"MS Sans Serif", "Liberation Sans"},
    {"Verdana", "DejaVu Sans"},          // the same wide, open design
    {"Tahoma", "DejaVu Sans Condensed"}, // its narrow sibling
    {"Comic Sans MS", "Andika"},         // a friendly face made for young readers
    {"Arial Black", "Lato Black"},       // black at normal weight, like the original
}};

// Registers the substitutes with Qt; call once after the application exists.
void installFontSubstitutes();

[[nodiscard]] QFont toQFont(const design::Font& font);

} // namespace vorlen
