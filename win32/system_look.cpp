#include "win32/system_look.h"

#include <unordered_map>

namespace vorlen::win32 {

namespace {

int systemIndex(design::SystemColour role)
{
    using design::SystemColour;
    switch (role) {
    case SystemColour::Canvas:
    case SystemColour::Field:
        return COLOR_WINDOW;
    case SystemColour::CanvasText:
    case SystemColour::FieldText:
        return COLOR_WINDOWTEXT;
    case SystemColour::ButtonFace:
        return COLOR_BTNFACE;
    case SystemColour::ButtonText:
        return COLOR_BTNTEXT;
    case SystemColour::GrayText:
        return COLOR_GRAYTEXT;
    case SystemColour::Highlight:
        return COLOR_HIGHLIGHT;
    case SystemColour::HighlightText:
        return COLOR_HIGHLIGHTTEXT;
    }
    return COLOR_WINDOWTEXT;
}

} // namespace

present::Preferences systemPreferences()
{
    present::Preferences preferences;
    BOOL animation = TRUE;
    if (SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animation, 0) != FALSE) {
        preferences.reducedMotion = animation == FALSE;
    }
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) != FALSE) {
        preferences.forcedColours = (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
        preferences.moreContrast = preferences.forcedColours;
    }
    return preferences;
}

COLORREF colourOf(const present::Ink& ink)
{
    return ink.role ? GetSysColor(systemIndex(*ink.role)) : static_cast<COLORREF>(ink.colour);
}

HBRUSH brushOf(const present::Ink& ink)
{
    if (ink.role) {
        return GetSysColorBrush(systemIndex(*ink.role));
    }
    static std::unordered_map<COLORREF, HBRUSH> brushes;
    const auto colour = static_cast<COLORREF>(ink.colour);
    auto [found, made] = brushes.try_emplace(colour, nullptr);
    if (made) {
        found->second = CreateSolidBrush(colour);
    }
    return found->second;
}

LRESULT eraseWith(HWND window, WPARAM dc, const present::Ink& ink)
{
    RECT box{};
    GetClientRect(window, &box);
    FillRect(reinterpret_cast<HDC>(dc), &box, brushOf(ink));
    return 1;
}

} // namespace vorlen::win32
