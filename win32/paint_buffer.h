// Paints a window through an off-screen bitmap, so that a control that
// changes every tick (the sample questions, the answers) never shows a half
// drawn state. Use it in place of BeginPaint/EndPaint.
#pragma once

#include <windows.h>

namespace vorlen::win32 {

class PaintBuffer {
public:
    explicit PaintBuffer(HWND window) : window_(window)
    {
        screen_ = BeginPaint(window_, &paint_);
        GetClientRect(window_, &client_);
        memory_ = CreateCompatibleDC(screen_);
        bitmap_ = CreateCompatibleBitmap(screen_, client_.right > 0 ? client_.right : 1,
                                         client_.bottom > 0 ? client_.bottom : 1);
        old_ = SelectObject(memory_, bitmap_);
    }
    ~PaintBuffer()
    {
        BitBlt(screen_, 0, 0, client_.right, client_.bottom, memory_, 0, 0, SRCCOPY);
        SelectObject(memory_, old_);
        DeleteObject(bitmap_);
        DeleteDC(memory_);
        EndPaint(window_, &paint_);
    }
    PaintBuffer(const PaintBuffer&) = delete;
    PaintBuffer& operator=(const PaintBuffer&) = delete;

    [[nodiscard]] HDC dc() const { return memory_; }
    [[nodiscard]] const RECT& client() const { return client_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC screen_ = nullptr;
    RECT client_{};
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

} // namespace vorlen::win32
