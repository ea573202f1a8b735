// The floor for vorlen.exe's start-up and memory: an empty window with the
// program's caption style and client size, which paints the start button's
// beige face where the program has it, and nothing else.
#include "bench_window.h"

#include <windows.h>

namespace {

constexpr COLORREF beige = 0xD8E9EC;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        // Where vorlen.exe's start button lies: panel (17, 16) + button (504, 20).
        const RECT button{521, 36, 640, 73};
        HBRUSH brush = CreateSolidBrush(beige);
        FillRect(dc, &button, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show)
{
    HWND window = vorlen::bench::createWindow(instance, &procedure, L"VorlenFloor", L"Vorlen floor");
    return vorlen::bench::showAndRun(window, show);
}
