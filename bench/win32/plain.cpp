// The plain window for vorlen.exe's idle CPU: what the program shows while
// idle, done the plainest way. The question's two 48 pt numbers are STATIC
// controls and the four 36 pt answers BUTTON controls, where the program has
// them, and all six are set anew every 85 ms, as the program's idle samples
// are. With the argument "still" they are set once and stand still.
#include "bench_window.h"

#include <array>
#include <cwchar>
#include <windows.h>

namespace {

constexpr UINT_PTR tickTimer = 1;
std::array<HWND, 2> numbers{};
std::array<HWND, 4> answers{};

HFONT boldFont(const wchar_t* face, int points)
{
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, TURKISH_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        vorlen::bench::showNewSamples(numbers, answers);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR commandLine, int show)
{
    HWND window = vorlen::bench::createWindow(instance, &procedure, L"VorlenPlain", L"Vorlen plain");
    // Where the program has them: the question panel at (17, 96), the two
    // numbers at (250, 43) and (403, 43), the answers 116 px apart from (61, 160).
    HFONT numberFont = boldFont(L"Verdana", 48);
    HFONT answerFont = boldFont(L"Tahoma", 36);
    const std::array<int, 2> numberLeft{17 + 250, 17 + 403};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        numbers.at(i) =
            CreateWindowExW(0, L"STATIC", L"3", WS_CHILD | WS_VISIBLE | SS_RIGHT, numberLeft.at(i), 96 + 43,
                            46, 78, window, nullptr, instance, nullptr);
        SendMessageW(numbers.at(i), WM_SETFONT, reinterpret_cast<WPARAM>(numberFont), FALSE);
    }
    const std::array<int, 4> answerLeft{17 + 61, 17 + 213, 17 + 365, 17 + 517};
    for (std::size_t i = 0; i < answers.size(); ++i) {
        answers.at(i) =
            CreateWindowExW(0, L"BUTTON", L"32", WS_CHILD | WS_VISIBLE | WS_DISABLED | BS_PUSHBUTTON,
                            answerLeft.at(i), 96 + 160, 116, 62, window, nullptr, instance, nullptr);
        SendMessageW(answers.at(i), WM_SETFONT, reinterpret_cast<WPARAM>(answerFont), FALSE);
    }
    if (std::wcscmp(commandLine, L"still") != 0) {
        SetTimer(window, tickTimer, 85, nullptr);
    }
    const int exitCode = vorlen::bench::showAndRun(window, show);
    DeleteObject(numberFont);
    DeleteObject(answerFont);
    return exitCode;
}
