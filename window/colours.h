// Colours of the window's design values (0x00BBGGRR) as Qt colours.
#pragma once

#include "engine/controls.h"

#include <QColor>

namespace vorlen {

inline QColor toQColor(Colour bgr)
{
    return {static_cast<int>(bgr & 0xFFU), static_cast<int>((bgr >> 8U) & 0xFFU),
            static_cast<int>((bgr >> 16U) & 0xFFU)};
}

inline Colour fromQColor(const QColor& colour)
{
    return static_cast<Colour>(colour.red()) | (static_cast<Colour>(colour.green()) << 8U) |
           (static_cast<Colour>(colour.blue()) << 16U);
}

} // namespace vorlen
