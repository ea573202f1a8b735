// The window as drawn: every panel, control and line with its place, size,
// caption, font and colours at creation, in one table like a layout file.
// Places and sizes are in twips (15 to a pixel at 96 dpi) of the container.
// Nothing here creates a widget; Form1 builds the window from these rows.
#pragma once

#include "engine/controls.h"

#include <array>
#include <string_view>

namespace vorlen::design {

// Twips to logical pixels, rounded to nearest.
constexpr int px(int twips)
{
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

inline constexpr int clientWidth = 10965; // 731 px
inline constexpr int clientHeight = 7440; // 496 px

inline constexpr int timer1Interval = 85;   // idle animation
inline constexpr int timer2Interval = 200;  // wrong-answer blink
inline constexpr int timer3Interval = 2000; // visit counter

struct Font {
    std::string_view family;
    double points;
    bool bold;
};

// The window's own font, for the controls that have none of their own.
inline constexpr Font defaultFont{"MS Sans Serif", 8.25, false};

struct Panel {
    std::string_view name;
    int left, top, width, height;
};

// In creation order, which is also the stacking order: the wrong-answer and
// dedication panels lie above the other three.
inline constexpr std::array<Panel, 5> panels{{
    {"Frame2", 255, 240, 10455, 1095},  // settings
    {"Frame1", 255, 1440, 10455, 4215}, // question
    {"Frame4", 255, 5760, 10455, 1455}, // score
    {"Frame5", 3202, 4850, 4560, 2250}, // wrong answer
    {"Frame3", 3135, 960, 4695, 4815},  // dedication, never shown
}};

enum class Kind { Label, Button, List, TextBox, Picture };
enum class Align { Left, Right, Center };

struct Control {
    std::string_view name;
    Kind kind;
    std::string_view panel;
    int left, top, width, height;
    std::string_view caption;
    Font font;
    Colour fore;      // text colour; for buttons their "fcol"
    Colour foreHover; // buttons only: their second text colour "fcolo"
    Align align;
    bool visible;
    bool enabled;
};

inline constexpr Font settingsFont{"MS Sans Serif", 18, true};
inline constexpr Font questionFont{"Verdana", 48, true};
inline constexpr Font answerFont{"Tahoma", 36, true};
inline constexpr Font scoreFont{"Comic Sans MS", 11.25, true};

// In creation order within each panel.
inline constexpr std::array<Control, 24> controls{{
    // Settings panel.
    {"Label4", Kind::Label, "Frame2", 900, 360, 2355, 435, "Sorma Şekli :", settingsFont, colour::darkBlue, 0,
     Align::Right, true, true},
    {"command9", Kind::Button, "Frame2", 7560, 300, 1785, 555, "Başla", settingsFont, colour::red,
     colour::red, Align::Center, true, true},
    {"Combo1", Kind::List, "Frame2", 3420, 300, 1905, 555, "", settingsFont, colour::blue, 0, Align::Left,
     true, false},
    {"Combo2", Kind::List, "Frame2", 5490, 300, 1905, 555, "", settingsFont, colour::blue, 0, Align::Left,
     true, false},
    // Question panel.
    {"Label1", Kind::Label, "Frame1", 3750, 645, 690, 1170, "3", questionFont, colour::red, 0, Align::Right,
     true, true},
    {"Label2", Kind::Label, "Frame1", 4920, 645, 645, 1170, "x", questionFont, colour::red, 0, Align::Left,
     true, true},
    {"Label3", Kind::Label, "Frame1", 6045, 645, 690, 1170, "3", questionFont, colour::red, 0, Align::Left,
     true, true},
    {"cev1", Kind::Button, "Frame1", 915, 2400, 1740, 930, "322", answerFont, colour::blue, colour::navy,
     Align::Center, true, false},
    {"cev2", Kind::Button, "Frame1", 3195, 2400, 1740, 930, "32", answerFont, colour::blue, colour::navy,
     Align::Center, true, false},
    {"cev3", Kind::Button, "Frame1", 5475, 2400, 1740, 930, "32", answerFont, colour::blue, colour::navy,
     Align::Center, true, false},
    {"cev4", Kind::Button, "Frame1", 7755, 2400, 1740, 930, "32", answerFont, colour::blue, colour::navy,
     Align::Center, true, false},
    {"Text1", Kind::TextBox, "Frame1", 1440, 480, 975, 375, "Text1", defaultFont, 0, 0, Align::Left, false,
     true},
    // Score panel.
    {"Label5", Kind::Label, "Frame4", 240, 450, 3495, 585, "Çarpım tablosunu", defaultFont, colour::darkBlue,
     0, Align::Left, true, true},
    {"Label6", Kind::Label, "Frame4", 7560, 240, 2295, 315, "Toplam soru sayısı : ", scoreFont, colour::blue,
     0, Align::Right, true, true},
    {"Label9", Kind::Label, "Frame4", 9840, 240, 405, 315, "555", scoreFont, colour::blue, 0, Align::Left,
     true, true},
    {"Label7", Kind::Label, "Frame4", 8235, 585, 1620, 315, "Doğru sayısı : ", scoreFont, colour::green, 0,
     Align::Right, true, true},
    {"Label10", Kind::Label, "Frame4", 9840, 585, 405, 315, "555", scoreFont, colour::green, 0, Align::Left,
     true, true},
    {"Label8", Kind::Label, "Frame4", 8250, 930, 1605, 315, "Yanlış sayısı : ", scoreFont, colour::red, 0,
     Align::Right, true, true},
    {"Label11", Kind::Label, "Frame4", 9840, 930, 405, 315, "555", scoreFont, colour::red, 0, Align::Left,
     true, true},
    // Wrong-answer panel.
    {"Label12",
     Kind::Label,
     "Frame5",
     1208,
     180,
     2145,
     450,
     "!!! YANLIŞ !!!",
     {"Arial Black", 15.75, false},
     colour::darkRed,
     0,
     Align::Left,
     true,
     true},
    {"Label13",
     Kind::Label,
     "Frame5",
     1118,
     840,
     2325,
     435,
     "!!! YANLIŞ !!!",
     {"Tahoma", 18, true},
     colour::green,
     0,
     Align::Center,
     true,
     true},
    // Dedication panel.
    {"Image1", Kind::Picture, "Frame3", 360, 480, 3900, 2250, "", defaultFont, 0, 0, Align::Left, true, true},
    {"chameleonButton1",
     Kind::Button,
     "Frame3",
     1418,
     3840,
     1785,
     465,
     "Tamam",
     {"MS Sans Serif", 13.5, true},
     colour::blue,
     colour::blue,
     Align::Center,
     true,
     true},
    {"chameleonButton2",
     Kind::Button,
     "Frame5",
     1545,
     1590,
     1470,
     405,
     "Tamam",
     {"MS Sans Serif", 12, true},
     colour::blue,
     colour::blue,
     Align::Center,
     true,
     true},
}};

inline constexpr Colour listBackground = colour::white;

// The controls that take the keyboard focus, in order.
inline constexpr std::array<std::string_view, 9> focusOrder{
    "command9", "Combo1", "Combo2", "cev1", "cev2", "cev3", "cev4", "chameleonButton1", "chameleonButton2",
};

struct Line {
    std::string_view name;
    std::string_view panel;
    int x1, y1, x2, y2; // twips; may lie outside the panel, which clips them
    int widthPx;
    Colour colour;
};

inline constexpr std::array<Line, 7> lines{{
    {"Line2", "Frame5", 0, 80, 12075, 80, 10, colour::red},        // top of the red border
    {"Line1", "Frame5", -240, 2180, 11835, 2180, 10, colour::red}, // bottom
    {"Line3", "Frame5", 80, 120, 80, 2760, 10, colour::red},       // left
    {"Line4", "Frame5", 4490, 0, 4490, 2640, 10, colour::red},     // right
    {"Line5", "Frame5", 0, 720, 4560, 720, 4, colour::red},        // under the warning
    {"Line6", "Frame5", 0, 1440, 4560, 1440, 4, colour::red},      // above the OK button
    {"Line7", "Frame3", 353, 3000, 4253, 3000, 2, colour::lightGrey},
}};

} // namespace vorlen::design
