// A ruled line: a horizontal or vertical bar of a given width and colour, a
// window of its own over exactly the pixels it covers in its panel. It takes no mouse input and lies beneath
// the panel's other controls.
#pragma once

#include "present/drawing.h"
#include "win32/system_look.h"
#include "win32/window_class.h"

#include <windows.h>

namespace vorlen::win32 {

class QuizLine {
public:
    QuizLine(HWND parent, int id);
    ~QuizLine();
    QuizLine(const QuizLine&) = delete;
    QuizLine& operator=(const QuizLine&) = delete;

    [[nodiscard]] HWND hwnd() const { return window_; }

    // Over the bar the line covers in pixels of the panel (present::lineBox).
    void place(const present::Box& bar);
    void setInk(const present::Ink& ink);

private:
    friend class WindowClass<QuizLine>;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    present::Ink ink_;
};

} // namespace vorlen::win32
