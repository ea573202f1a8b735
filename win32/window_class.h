// The glue between a window and the C++ object behind it: registers a window
// class once, creates the window with the object's address, answers screen
// readers (WM_GETOBJECT) for a window in the accessibility tree, and routes
// every other message to the object's handle() until the window is gone.
#pragma once

#include "win32/accessibility.h"

#include <windows.h>

namespace vorlen::win32 {

template <typename Owner> class WindowClass {
public:
    // The object pointer goes in with WM_NCCREATE and stays in
    // GWLP_USERDATA; messages before it arrive go to DefWindowProcW.
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            auto* owner = static_cast<Owner*>(create->lpCreateParams);
            owner->window_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        }
        auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (owner == nullptr) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        if (message == WM_GETOBJECT) {
            if (const LRESULT answer = answerScreenReaders(window, wParam, lParam); answer != 0) {
                return answer;
            }
        }
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            owner->window_ = nullptr;
            return DefWindowProcW(window, message, wParam, lParam);
        }
        return owner->handle(message, wParam, lParam);
    }

    // Registers the class on first use; later calls only return its name.
    static const wchar_t* registered(const wchar_t* name, HBRUSH background, UINT style = 0,
                                     HICON icon = nullptr)
    {
        static const ATOM atom = [&] {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.style = style;
            windowClass.lpfnWndProc = &procedure;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            windowClass.hbrBackground = background;
            windowClass.hIcon = icon;
            windowClass.lpszClassName = name;
            return RegisterClassExW(&windowClass);
        }();
        (void)atom;
        return name;
    }
};

} // namespace vorlen::win32
