// The window for a child whose system asks for more contrast: every text and
// border it draws stands out at least 4.5 to 1 from the ground behind it, as
// the web's contrast rules measure it, in darker shades of the design's own
// hues. Places and sizes stay as drawn. Nothing here draws.
#pragma once

#include "design/design.h"

#include <array>

namespace vorlen::design {

// The ground that labels, lines and buttons lie on: the web page's face. The
// Windows face, 0xF0F0F0, is lighter, so a colour that stands out here
// stands out there too.
inline constexpr Colour windowFace = 0xEFEFEF;

// The least contrast ratio of a text or border against its ground.
inline constexpr double minimumContrast = 4.5;

namespace detail {

// a to the power 1/5 for 0 < a <= 1, by Newton's method from above.
constexpr double fifthRoot(double a)
{
    double root = 1.0;
    for (int step = 0; step < 60; ++step) {
        const double square = root * root;
        root = (4.0 * root + a / (square * square)) / 5.0;
    }
    return root;
}

// An sRGB channel (0..255) as linear light (0..1).
constexpr double linearLight(unsigned channel)
{
    const double value = channel / 255.0;
    if (value <= 0.04045) {
        return value / 12.92;
    }
    const double base = (value + 0.055) / 1.055;
    // base^2.4 = base^2 * (base^2)^(1/5)
    return base * base * fifthRoot(base * base);
}

consteval std::array<double, 256> linearLights()
{
    std::array<double, 256> lights{};
    for (unsigned channel = 0; channel < 256; ++channel) {
        lights[channel] = linearLight(channel);
    }
    return lights;
}

inline constexpr std::array<double, 256> linearLights256 = linearLights();

} // namespace detail

// The relative luminance of a colour, 0 for black to 1 for white.
constexpr double relativeLuminance(Colour colour)
{
    const auto light = [colour](unsigned shift) {
        return detail::linearLights256[(colour >> shift) & 0xFFU];
    };
    return 0.2126 * light(0) + 0.7152 * light(8) + 0.0722 * light(16);
}

// From 1 (the same) to 21 (black on white), whichever is the lighter.
constexpr double contrastRatio(Colour first, Colour second)
{
    const double a = relativeLuminance(first) + 0.05;
    const double b = relativeLuminance(second) + 0.05;
    return a > b ? a / b : b / a;
}

// The colour itself when it stands out enough from a light ground;
// otherwise the lightest darker shade of its hue (every channel scaled down
// by the same factor) that does.
constexpr Colour contrasted(Colour colour, Colour ground)
{
    if (contrastRatio(colour, ground) >= minimumContrast) {
        return colour;
    }
    unsigned enough = 0; // black: the darkest shade of every hue
    unsigned tooLight = 1024;
    while (tooLight - enough > 1) {
        const unsigned middle = (enough + tooLight) / 2;
        if (contrastRatio(scaledBy(colour, middle, 1024U), ground) >= minimumContrast) {
            enough = middle;
        } else {
            tooLight = middle;
        }
    }
    return scaledBy(colour, enough, 1024U);
}

// A label's or line's colour on the window face as the child's system asks.
constexpr Colour onWindowFace(Colour colour, bool moreContrast)
{
    return moreContrast ? contrasted(colour, windowFace) : colour;
}

// The buttons for more contrast: the same face, with an outline, a lower
// edge and greyed text dark enough, and the rows' text colours darkened to
// stand out from the pressed face, the darkest they lie on.
inline constexpr ButtonLook moreContrastButtonLook{
    .lowerEdge = 225,
    .outline = 400,
    .outlineDisabled = 225,
    .greyedText = 225,
    .contrastedText = true,
};

constexpr const ButtonLook& buttonLookFor(bool moreContrast)
{
    return moreContrast ? moreContrastButtonLook : buttonLook;
}

// A button's text colour (a row's fore or foreHover) in a look.
constexpr Colour buttonText(const ButtonLook& look, Colour colour)
{
    return look.contrastedText ? contrasted(colour, shaded(look.face, look.pressed)) : colour;
}

} // namespace vorlen::design
