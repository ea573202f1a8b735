#include "win32/quiz_line.h"

namespace vorlen::win32 {

QuizLine::QuizLine(HWND parent, int id)
{
    const wchar_t* name = WindowClass<QuizLine>::registered(L"VorlenLine", nullptr);
    CreateWindowExW(0, name, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_DISABLED, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
    SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

QuizLine::~QuizLine()
{
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void QuizLine::place(const present::Box& bar)
{
    SetWindowPos(window_, HWND_BOTTOM, bar.left, bar.top, bar.width, bar.height, SWP_NOACTIVATE);
}

void QuizLine::setInk(const present::Ink& ink)
{
    if (ink != ink_) {
        ink_ = ink;
        InvalidateRect(window_, nullptr, TRUE);
    }
}

LRESULT QuizLine::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return eraseWith(window_, wParam, ink_);
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        BeginPaint(window_, &paint);
        EndPaint(window_, &paint);
        return 0;
    }
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

} // namespace vorlen::win32
