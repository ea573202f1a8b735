// A picture from the program's resources, drawn at its own size scaled by
// the window's dpi to fill the picture's box.
#pragma once

#include "win32/window_class.h"

#include <windows.h>

namespace vorlen::win32 {

class QuizPicture {
public:
    // bitmap may be null (a build without the resources): the box stays empty.
    QuizPicture(HWND parent, int id, HBITMAP bitmap);
    ~QuizPicture();
    QuizPicture(const QuizPicture&) = delete;
    QuizPicture& operator=(const QuizPicture&) = delete;

    [[nodiscard]] HWND hwnd() const { return window_; }

private:
    friend class WindowClass<QuizPicture>;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HBITMAP bitmap_;
};

} // namespace vorlen::win32
