// The floor of the idle window: the same visible work as the idle samples,
// done the plainest Win32 way, with nothing of the program's own (no
// manifest, so the controls are Windows' classic ones). A 731x496 client area
// shows two 48 pt bold numbers around an "x" and four disabled 36 pt bold
// buttons; every 85 ms both numbers and the four captions get new values
// through SetWindowText on the standard controls.
#include "bench_window.h"

#include <array>
#include <windows.h>

namespace {

std::array<HWND, 2> numbers{};
std::array<HWND, 4> answers{};

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER) {
        vorlen::bench::showNewSamples(numbers, answers);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"VorlenFloorIdle";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&windowClass);
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer{0, 0, 731, 496};
    AdjustWindowRect(&outer, style, FALSE);
    HWND window = CreateWindowW(L"VorlenFloorIdle", L"Vorlen floor idle", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                                instance, nullptr);
    HFONT big = CreateFontW(-64, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                            CLEARTYPE_QUALITY, 0, L"Verdana");
    HFONT middle = CreateFontW(-48, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                               CLEARTYPE_QUALITY, 0, L"Tahoma");
    const std::array<int, 3> left{267, 345, 420};
    for (std::size_t i = 0; i < left.size(); ++i) {
        HWND label = CreateWindowW(L"STATIC", i == 1 ? L"x" : L"3", WS_CHILD | WS_VISIBLE | SS_RIGHT,
                                   left.at(i), 139, 60, 78, window, nullptr, instance, nullptr);
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(big), FALSE);
        if (i != 1) {
            numbers.at(i / 2) = label;
        }
    }
    for (std::size_t i = 0; i < answers.size(); ++i) {
        answers.at(i) =
            CreateWindowW(L"BUTTON", L"12", WS_CHILD | WS_VISIBLE | WS_DISABLED | BS_PUSHBUTTON,
                          78 + static_cast<int>(i) * 152, 256, 116, 62, window, nullptr, instance, nullptr);
        SendMessageW(answers.at(i), WM_SETFONT, reinterpret_cast<WPARAM>(middle), FALSE);
    }
    SetTimer(window, 1, 85, nullptr);
    const int exitCode = vorlen::bench::showAndRun(window, show);
    DeleteObject(big);
    DeleteObject(middle);
    return exitCode;
}
