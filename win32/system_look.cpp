#include "win32/system_look.h"

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

COLORREF forcedColour(design::Drawn drawn)
{
    return GetSysColor(systemIndex(design::systemColour(drawn)));
}

HBRUSH forcedBrush(design::Drawn drawn)
{
    return GetSysColorBrush(systemIndex(design::systemColour(drawn)));
}

HBRUSH groundBrush(const Look& look)
{
    return look.forcedColours ? forcedBrush(design::Drawn::Ground) : GetSysColorBrush(COLOR_BTNFACE);
}

} // namespace vorlen::win32
