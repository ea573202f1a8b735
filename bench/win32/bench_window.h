// The top-level window the Win32 floors draw in: the program's caption
// style and client size on the button face; the message loop; and the idle
// samples' new numbers.
#pragma once

#include <array>
#include <cstdlib>
#include <string>
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

// New numbers in the question's two controls (1 to 10) and the four
// answers (1 to 100), as the idle samples bring them.
inline void showNewSamples(const std::array<HWND, 2>& numbers, const std::array<HWND, 4>& answers)
{
    for (HWND number : numbers) {
        // NOLINTNEXTLINE(cert-msc30-c,cert-msc50-cpp): any numbers will do
        SetWindowTextW(number, std::to_wstring(1 + std::rand() % 10).c_str());
    }
    for (HWND answer : answers) {
        // NOLINTNEXTLINE(cert-msc30-c,cert-msc50-cpp)
        SetWindowTextW(answer, std::to_wstring(1 + std::rand() % 100).c_str());
    }
}

} // namespace vorlen::bench
