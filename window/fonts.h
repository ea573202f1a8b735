// The design's font faces and the installed faces that stand in for them,
// each a face that holds every Turkish letter, so no word mixes faces. A
// widget's font names the installed face first and the design's face after
// it among its families.
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
    {"Arial Black", "Lato Black"},       // a black face that is black at normal weight
}};

// Registers the substitutes with Qt, for anything that asks for a design face
// by name; call once after the application exists.
void installFontSubstitutes();

// The design font, its installed substitute first among its families.
[[nodiscard]] QFont toQFont(const design::Font& font);

} // namespace vorlen
