// The top-level window both Win32 floors draw in: the program's caption
// style and client size on the button face, and the message loop.
#pragma once

#include <windows.h>

namespace vorlen::bench {

inline HWND createWindow(HINSTANCE instance, WNDPROC procedure, const wchar_t* className,
                         const wchar_t* title)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT outer{0, 0, 731, 496};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    return CreateWindowExW(0, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                           outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
}

// Shows the window and runs its messages until it closes.
inline int showAndRun(HWND window, int show)
{
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace vorlen::bench
