// Colours of the window's design values (0x00BBGGRR) as Qt colours, and the
// window model's inks: a design colour, or a colour role of the system's,
// which Qt's application palette holds.
#pragma once

#include "engine/controls.h"
#include "present/drawing.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

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

inline QColor toQColor(const present::Ink& ink)
{
    if (!ink.role) {
        return toQColor(ink.colour);
    }
    using S = design::SystemColour;
    const QPalette system = QGuiApplication::palette();
    switch (*ink.role) {
    case S::Canvas:
        return system.color(QPalette::Window);
    case S::CanvasText:
        return system.color(QPalette::WindowText);
    case S::ButtonFace:
        return system.color(QPalette::Button);
    case S::ButtonText:
        return system.color(QPalette::ButtonText);
    case S::GrayText:
        return system.color(QPalette::Disabled, QPalette::WindowText);
    case S::Highlight:
        return system.color(QPalette::Highlight);
    case S::HighlightText:
        return system.color(QPalette::HighlightedText);
    case S::Field:
        return system.color(QPalette::Base);
    case S::FieldText:
        return system.color(QPalette::Text);
    }
    return toQColor(ink.colour);
}

} // namespace vorlen
