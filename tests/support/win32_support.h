// What the Windows window tests share: running the message loop against a
// deadline, reading a window's pixels back, and boxes in a parent's pixels.
// Linking this makes the test process dpi-aware, as the program is through
// its manifest, so that the window sees the prefix's real dpi.
#pragma once

#include "tests/support/drawn_window.h"

#include <functional>
#include <string>
#include <windows.h>

namespace vorlen::test::win32 {

// Runs the message loop until done() holds or the deadline passes; true if
// done() held. preTranslate, when given, sees each message first.
bool pumpUntil(const std::function<bool()>& done, int deadlineMs,
               const std::function<bool(const MSG&)>& preTranslate = {});
void pumpFor(int ms);

// The window's box in the client area of its parent (or of the window
// given), in pixels.
[[nodiscard]] drawn::Box boxIn(HWND window, HWND parent);

[[nodiscard]] std::wstring textOf(HWND window);

// The window's client area as the screen shows it, pixel by pixel.
class Pixels {
public:
    explicit Pixels(HWND window);
    [[nodiscard]] drawn::Rgb at(int x, int y) const;
    // How many pixels in [left, right) x [top, bottom) have exactly this colour.
    [[nodiscard]] int count(const drawn::Box& box, drawn::Rgb colour) const;
    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::basic_string<unsigned char> bgra_;
};

} // namespace vorlen::test::win32
