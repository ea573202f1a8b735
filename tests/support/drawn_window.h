// The window as a child sees it at 96 dpi, written out by hand from the
// drawing: every panel's and control's pixel box in its container, every
// colour as red, green and blue, and what must never cover what. The window
// tests of the three front ends (Qt, Win32, web) compare their real widgets
// with these literals, never with the design table the windows are built
// from, so a wrong unit conversion, a swapped colour channel or a moved
// control fails a test.
#pragma once

#include "present/drawing.h"

#include <array>
#include <string_view>

namespace vorlen::test::drawn {

struct Box {
    int left;
    int top;
    int width;
    int height;
    [[nodiscard]] constexpr int right() const { return left + width; } // one past the last pixel
    [[nodiscard]] constexpr int bottom() const { return top + height; }
};

struct Rgb {
    int red;
    int green;
    int blue;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb red{255, 0, 0};
inline constexpr Rgb darkRed{192, 0, 0};
inline constexpr Rgb blue{0, 0, 255};
inline constexpr Rgb darkBlue{0, 0, 192};
inline constexpr Rgb navy{0, 0, 128};
inline constexpr Rgb green{0, 192, 0};
inline constexpr Rgb lightGrey{192, 192, 192};
inline constexpr Rgb white{255, 255, 255};
inline constexpr Rgb beige{236, 233, 216}; // the buttons' face

inline constexpr int clientWidth = 731;
inline constexpr int clientHeight = 496;

struct PanelBox {
    std::string_view name;
    Box box; // in the window's client area
};

inline constexpr std::array<PanelBox, 5> panels{{
    {"Frame1", {17, 96, 697, 281}},
    {"Frame2", {17, 16, 697, 73}},
    {"Frame3", {209, 64, 313, 321}},
    {"Frame4", {17, 384, 697, 97}},
    {"Frame5", {213, 323, 304, 150}},
}};

// Which edge of a control stays where it was drawn: a self-sizing label
// takes the width of its caption and keeps its right edge, its centre or its
// left edge; everything else keeps its whole box.
using present::Anchor;

struct ControlBox {
    std::string_view name;
    std::string_view panel;
    Box box; // in the panel
    Anchor anchor;
    Rgb text; // text colour at creation
};

inline constexpr std::array<ControlBox, 24> controls{{
    {"Label4", "Frame2", {60, 24, 157, 29}, Anchor::Right, darkBlue},
    {"Combo1", "Frame2", {228, 20, 127, 37}, Anchor::Box, blue},
    {"Combo2", "Frame2", {366, 20, 127, 37}, Anchor::Box, blue},
    {"command9", "Frame2", {504, 20, 119, 37}, Anchor::Box, red},
    {"Label1", "Frame1", {250, 43, 46, 78}, Anchor::Right, red},
    {"Label2", "Frame1", {328, 43, 43, 78}, Anchor::Left, red},
    {"Label3", "Frame1", {403, 43, 46, 78}, Anchor::Left, red},
    {"cev1", "Frame1", {61, 160, 116, 62}, Anchor::Box, blue},
    {"cev2", "Frame1", {213, 160, 116, 62}, Anchor::Box, blue},
    {"cev3", "Frame1", {365, 160, 116, 62}, Anchor::Box, blue},
    {"cev4", "Frame1", {517, 160, 116, 62}, Anchor::Box, blue},
    {"Text1", "Frame1", {96, 32, 65, 25}, Anchor::Box, {0, 0, 0}},
    {"Label5", "Frame4", {16, 30, 233, 39}, Anchor::Box, darkBlue},
    {"Label6", "Frame4", {504, 16, 153, 21}, Anchor::Right, blue},
    {"Label7", "Frame4", {549, 39, 108, 21}, Anchor::Right, green},
    {"Label8", "Frame4", {550, 62, 107, 21}, Anchor::Right, red},
    {"Label9", "Frame4", {656, 16, 27, 21}, Anchor::Left, blue},
    {"Label10", "Frame4", {656, 39, 27, 21}, Anchor::Left, green},
    {"Label11", "Frame4", {656, 62, 27, 21}, Anchor::Left, red},
    {"Label12", "Frame5", {81, 12, 143, 30}, Anchor::Left, darkRed},
    {"Label13", "Frame5", {75, 56, 155, 29}, Anchor::Centre, green},
    {"Image1", "Frame3", {24, 32, 260, 150}, Anchor::Box, {0, 0, 0}},
    {"chameleonButton1", "Frame3", {95, 256, 119, 31}, Anchor::Box, blue},
    {"chameleonButton2", "Frame5", {103, 106, 98, 27}, Anchor::Box, blue},
}};

struct ControlFont {
    std::string_view name;
    std::string_view family; // as asked for; the system may map it to another face
    double points;
    bool bold;
};

inline constexpr std::array<ControlFont, 23> fonts{{
    {"Label4", "MS Sans Serif", 18, true},
    {"Combo1", "MS Sans Serif", 18, true},
    {"Combo2", "MS Sans Serif", 18, true},
    {"command9", "MS Sans Serif", 18, true},
    {"Label1", "Verdana", 48, true},
    {"Label2", "Verdana", 48, true},
    {"Label3", "Verdana", 48, true},
    {"cev1", "Tahoma", 36, true},
    {"cev2", "Tahoma", 36, true},
    {"cev3", "Tahoma", 36, true},
    {"cev4", "Tahoma", 36, true},
    {"Text1", "MS Sans Serif", 8.25, false},
    {"Label5", "MS Sans Serif", 8.25, false},
    {"Label6", "Comic Sans MS", 11.25, true},
    {"Label7", "Comic Sans MS", 11.25, true},
    {"Label8", "Comic Sans MS", 11.25, true},
    {"Label9", "Comic Sans MS", 11.25, true},
    {"Label10", "Comic Sans MS", 11.25, true},
    {"Label11", "Comic Sans MS", 11.25, true},
    {"Label12", "Arial Black", 15.75, false},
    {"Label13", "Tahoma", 18, true},
    {"chameleonButton1", "MS Sans Serif", 13.5, true},
    {"chameleonButton2", "MS Sans Serif", 12, true},
}};

// Every letter of Turkish that English lacks, as UTF-8.
inline constexpr std::string_view turkishLetters = "şğıİŞĞçöüÇÖÜ";

// The answer buttons' text colour under the mouse.
inline constexpr Rgb answerHover = navy;

struct LineBox {
    std::string_view name;
    std::string_view panel;
    int x1, y1, x2, y2; // in the panel; the panel clips what lies outside
    int width;
    Rgb colour;
};

inline constexpr std::array<LineBox, 7> lines{{
    {"Line1", "Frame5", -16, 145, 789, 145, 10, red},
    {"Line2", "Frame5", 0, 5, 805, 5, 10, red},
    {"Line3", "Frame5", 5, 8, 5, 184, 10, red},
    {"Line4", "Frame5", 299, 0, 299, 176, 10, red},
    {"Line5", "Frame5", 0, 48, 304, 48, 4, red},
    {"Line6", "Frame5", 0, 96, 304, 96, 4, red},
    {"Line7", "Frame3", 24, 200, 284, 200, 2, lightGrey},
}};

// The wrong-answer panel, when open, covers none of these; it and the
// dedication panel lie above the question and score panels.
inline constexpr std::array<std::string_view, 7> uncoveredByFrame5{
    "cev1", "cev2", "cev3", "cev4", "Label9", "Label10", "Label11",
};

inline constexpr std::array<std::string_view, 3> timers{"Timer1", "Timer2", "Timer3"};
inline constexpr std::array<int, 3> timerIntervalsMs{85, 200, 2000};

} // namespace vorlen::test::drawn
