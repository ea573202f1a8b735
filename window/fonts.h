// The design's fonts as Qt fonts. A widget's font names the face that
// Debian installs in the design face's stead (design::fontStandIns) first,
// and the design's face after it among its families.
#pragma once

#include "design/design.h"

#include <QFont>
#include <QString>

namespace vorlen {

// Registers the substitutes with Qt, for anything that asks for a design face
// by name; call once after the application exists.
void installFontSubstitutes();

// The design font, its installed substitute first among its families.
[[nodiscard]] QFont toQFont(const design::Font& font);

} // namespace vorlen
