// The child's system settings as Windows keeps them, and the window look's
// inks as Windows paints them: a design colour, or the system's colour in
// the role the look names. With a high-contrast theme the window takes the
// system's colours, and asks for more contrast as well, as browsers do
// under such a theme.
#pragma once

#include "design/system_colours.h"
#include "present/form.h"

#include <windows.h>

namespace vorlen::win32 {

// Client-area animation off: less motion; a high-contrast theme: the
// system's colours.
[[nodiscard]] present::Preferences systemPreferences();

// An ink's colour, and a brush of it that the caller never deletes: the
// system's own for a role, else one kept for the program's life (the look
// has a handful of colours, and paints would otherwise make one each time).
[[nodiscard]] COLORREF colourOf(const present::Ink& ink);
[[nodiscard]] HBRUSH brushOf(const present::Ink& ink);

// Fills a window's client area with an ink, for WM_ERASEBKGND; answers 1,
// the background erased.
LRESULT eraseWith(HWND window, WPARAM dc, const present::Ink& ink);

} // namespace vorlen::win32
