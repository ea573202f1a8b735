// The window's dots per inch and what follows from them: twips and points to
// pixels, the design fonts at a given dpi, and the outer size of a window for
// a wanted client size. The per-window dpi functions exist from Windows 10
// on; they are looked up at run time so that the program still starts on
// Windows 7, where the screen's one dpi serves.
#pragma once

#include "design/design.h"

#include <windows.h>

namespace vorlen::win32 {

inline constexpr int baseDpi = 96;

[[nodiscard]] int dpiOf(HWND window);

// A design place in pixels of its container at a dpi.
[[nodiscard]] RECT pixelBox(const design::Rect& place, int dpi);

// A length given in pixels at 96 dpi, at another dpi.
[[nodiscard]] int scaled(int pixelsAt96, int dpi);

// CreateFontW's height for a size in points: negative, so that it is the
// character height without the internal leading, as a point size means.
[[nodiscard]] int fontHeight(double points, int dpi);

// A design font at a dpi, in the Turkish character set. The caller owns it.
[[nodiscard]] HFONT createFont(const design::Font& font, int dpi);

// The outer rectangle of a window with this style whose client area is
// width x height, at a dpi.
[[nodiscard]] RECT outerRect(int width, int height, DWORD style, DWORD exStyle, int dpi);

} // namespace vorlen::win32
