#include "win32/dpi.h"

#include "win32/unicode.h"

#include <cmath>
#include <string>

namespace vorlen::win32 {

namespace {

template <typename Function> Function user32Function(const char* name)
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    // GetProcAddress returns a generic function pointer; the cast to the
    // real signature is how a late-bound API is called.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

} // namespace

int dpiOf(HWND window)
{
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : baseDpi;
}

RECT pixelBox(const design::Rect& place, int dpi)
{
    const int left = design::pixels(place.left, dpi);
    const int top = design::pixels(place.top, dpi);
    return RECT{left, top, left + design::pixels(place.width, dpi), top + design::pixels(place.height, dpi)};
}

int scaled(int pixelsAt96, int dpi)
{
    return MulDiv(pixelsAt96, dpi, baseDpi);
}

int fontHeight(double points, int dpi)
{
    return -static_cast<int>(std::lround(points * dpi / 72.0));
}

HFONT createFont(const design::Font& font, int dpi)
{
    const std::wstring face = widen(font.family);
    return CreateFontW(fontHeight(font.points, dpi), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                       FALSE, static_cast<DWORD>(design::turkishCharset), OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

RECT outerRect(int width, int height, DWORD style, DWORD exStyle, int dpi)
{
    static const auto adjustForDpi = user32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    RECT box{0, 0, width, height};
    if (adjustForDpi != nullptr) {
        adjustForDpi(&box, style, FALSE, exStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&box, style, FALSE, exStyle);
    }
    return box;
}

} // namespace vorlen::win32
