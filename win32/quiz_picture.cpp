#include "win32/quiz_picture.h"

namespace vorlen::win32 {

QuizPicture::QuizPicture(HWND parent, int id, HBITMAP bitmap) : bitmap_(bitmap)
{
    const wchar_t* name = WindowClass<QuizPicture>::registered(
        L"VorlenPicture", GetSysColorBrush(COLOR_BTNFACE), CS_HREDRAW | CS_VREDRAW);
    CreateWindowExW(0, name, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
}

QuizPicture::~QuizPicture()
{
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    if (bitmap_ != nullptr) {
        DeleteObject(bitmap_);
    }
}

LRESULT QuizPicture::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT) {
        return DefWindowProcW(window_, message, wParam, lParam);
    }
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window_, &paint);
    if (bitmap_ != nullptr) {
        BITMAP info{};
        GetObjectW(bitmap_, sizeof(info), &info);
        RECT box{};
        GetClientRect(window_, &box);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, bitmap_);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, 0, 0, box.right, box.bottom, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    EndPaint(window_, &paint);
    return 0;
}

} // namespace vorlen::win32
