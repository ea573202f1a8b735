// The child's system settings as Windows keeps them, and the system colours
// that the design's colour roles name. With a high-contrast theme the window
// takes the system's colours, and asks for more contrast as well, as
// browsers do under such a theme.
#pragma once

#include "design/system_colours.h"
#include "present/form.h"

#include <windows.h>

namespace vorlen::win32 {

// Client-area animation off: less motion; a high-contrast theme: the
// system's colours.
[[nodiscard]] present::Preferences systemPreferences();

// How the parts paint: the design's colours, darker for more contrast, or
// the system's.
struct Look {
    bool moreContrast = false;
    bool forcedColours = false;
    bool operator==(const Look&) const = default;
};

// The system colour for a thing drawn under forced colours, and its brush
// (the system's own, never deleted).
[[nodiscard]] COLORREF forcedColour(design::Drawn drawn);
[[nodiscard]] HBRUSH forcedBrush(design::Drawn drawn);

// What the window's and the panels' face is painted with.
[[nodiscard]] HBRUSH groundBrush(const Look& look);

} // namespace vorlen::win32
