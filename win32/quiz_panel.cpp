#include "win32/quiz_panel.h"

namespace vorlen::win32 {

QuizPanel::QuizPanel(HWND parent, int id)
{
    const wchar_t* name = WindowClass<QuizPanel>::registered(L"VorlenPanel", GetSysColorBrush(COLOR_BTNFACE),
                                                             CS_HREDRAW | CS_VREDRAW);
    // Hidden at first; WS_EX_CONTROLPARENT lets Tab walk into the panel.
    CreateWindowExW(WS_EX_CONTROLPARENT, name, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                    this);
}

QuizPanel::~QuizPanel()
{
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void QuizPanel::setGround(const present::Ink& ground)
{
    if (ground != ground_) {
        ground_ = ground;
        InvalidateRect(window_, nullptr, TRUE);
    }
}

LRESULT QuizPanel::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return eraseWith(window_, wParam, ground_);
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return SendMessageW(GetParent(window_), message, wParam, lParam);
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

} // namespace vorlen::win32
