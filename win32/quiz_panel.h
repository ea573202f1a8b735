// A plain container with no border of its own, on the face colour. It clips
// its children and its overlapping siblings, lets the dialog keys (Tab, Space,
// Enter) reach the controls inside it, and passes what its controls tell
// their parent (presses, owner drawing, list colours) on to the window.
#pragma once

#include "win32/system_look.h"
#include "win32/window_class.h"

#include <windows.h>

namespace vorlen::win32 {

class QuizPanel {
public:
    QuizPanel(HWND parent, int id);
    ~QuizPanel();
    QuizPanel(const QuizPanel&) = delete;
    QuizPanel& operator=(const QuizPanel&) = delete;

    [[nodiscard]] HWND hwnd() const { return window_; }
    void setGround(const present::Ink& ground);

private:
    friend class WindowClass<QuizPanel>;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    present::Ink ground_;
};

} // namespace vorlen::win32
