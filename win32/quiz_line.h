// A ruled line: a horizontal or vertical bar of a given width and colour, a
// window of its own over exactly the pixels it covers. Its panel clips what
// lies outside. It takes no mouse input and lies beneath the panel's other
// controls.
#pragma once

#include "win32/system_look.h"
#include "win32/window_class.h"

#include <windows.h>

namespace vorlen::win32 {

class QuizLine {
public:
    QuizLine(HWND parent, int id, COLORREF colour);
    ~QuizLine();
    QuizLine(const QuizLine&) = delete;
    QuizLine& operator=(const QuizLine&) = delete;

    [[nodiscard]] HWND hwnd() const { return window_; }

    // From (x1, y1) to (x2, y2) in pixels of the panel, width pixels wide,
    // centred on that path with flat ends.
    void place(POINT from, POINT to, int width);
    void setLook(const Look& look);

private:
    friend class WindowClass<QuizLine>;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    COLORREF colour_; // the design's
    Look look_;
};

} // namespace vorlen::win32
