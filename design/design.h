// The window as drawn: the window itself, its five panels, every control and
// line with its fixed control ID, place, size, caption, font, colours and
// state at creation, the three timers, the focus order and the look of the
// buttons, in one table like a layout file. Places and sizes are in twips
// (1440 to the inch, 15 to a pixel at 96 dpi) of the container. Every front
// end builds its window from these rows; nothing here creates, draws or lays
// out a control, and nothing here says what a screen reader hears.
#pragma once

#include "design/part.h"
#include "engine/controls.h"
#include "engine/texts.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vorlen::design {

// Twips to pixels at a given dpi, rounded to the nearest pixel.
constexpr int pixels(int twips, int dpi = 96)
{
    const long long scaled = static_cast<long long>(twips) * dpi;
    constexpr long long twipsPerInch = 1440;
    return static_cast<int>(scaled >= 0 ? (scaled + twipsPerInch / 2) / twipsPerInch
                                        : -((-scaled + twipsPerInch / 2) / twipsPerInch));
}

// Twips to logical pixels at 96 dpi.
constexpr int px(int twips)
{
    return pixels(twips);
}

// A place in the container, in twips.
struct Rect {
    int left;
    int top;
    int width;
    int height;
};

struct Font {
    std::string_view family;
    double points;
    bool bold;
    bool operator==(const Font&) const = default;
};

// Every font asks for the Turkish character set, so that ş, ğ, ı and İ show.
inline constexpr int turkishCharset = 162;

// Installed faces that stand in for a design face where it is missing, each
// holding every Turkish letter, so that no word mixes faces. The first is
// the one Debian installs; the others are found on other systems.
struct FontStandIns {
    std::string_view family;
    std::array<std::string_view, 2> faces;
};

inline constexpr std::array<FontStandIns, 5> fontStandIns{{
    {.family = "MS Sans Serif", .faces = {"Liberation Sans", "Arimo"}},
    {.family = "Verdana", .faces = {"DejaVu Sans", "Bitstream Vera Sans"}},  // the same wide, open design
    {.family = "Tahoma", .faces = {"DejaVu Sans Condensed", "DejaVu Sans"}}, // its narrow sibling
    {.family = "Comic Sans MS", .faces = {"Andika", "Comic Neue"}},          // made for young readers
    {.family = "Arial Black", .faces = {"Lato Black", "Arial"}},             // black at normal weight
}};

// The window's own font, for the controls that have none of their own.
inline constexpr Font defaultFont{.family = "MS Sans Serif", .points = 8.25, .bold = false};

inline constexpr int clientWidth = 10965; // 731 px
inline constexpr int clientHeight = 7440; // 496 px

// Before the web address and the telephone number (build settings).
inline constexpr std::string_view captionLead = "Vorlen   -   Keldar Yazılım ve Bilgisayar Hizmetleri   -   ";
inline constexpr std::string_view captionSeparator = "   -   ";

// The window caption with the maker's web address and telephone number.
[[nodiscard]] std::string windowCaption();

// The counter page on the maker's web host.
[[nodiscard]] std::string counterAddress();

struct Panel {
    Part part;
    int id;
    Rect place;
};

// In creation order, which is also the stacking order: the wrong-answer and
// dedication panels lie above the other three.
inline constexpr std::array<Panel, 5> panels{{
    {.part = Part::Frame2, .id = 102, .place = {255, 240, 10455, 1095}},  // settings
    {.part = Part::Frame1, .id = 101, .place = {255, 1440, 10455, 4215}}, // question
    {.part = Part::Frame4, .id = 104, .place = {255, 5760, 10455, 1455}}, // score
    {.part = Part::Frame5, .id = 105, .place = {3202, 4850, 4560, 2250}}, // wrong answer
    {.part = Part::Frame3, .id = 103, .place = {3135, 960, 4695, 4815}},  // dedication, never shown
}};

enum class Align : std::uint8_t { Left, Right, Center };

// A label either takes the size of its caption on one line, keeping its
// right edge, centre or left edge as aligned, or keeps its drawn box.
enum class Sizing : std::uint8_t { ToCaption, Fixed };

struct Control {
    Part part;
    int id;
    Kind kind;
    Part panel;
    Rect place;
    std::string_view caption = {};
    Font font = defaultFont;
    Colour fore = 0;                 // text colour; a button's "fcol"
    Colour foreHover = 0;            // a button's text colour under the mouse, "fcolo"
    std::optional<Colour> back = {}; // none: the platform's face colour
    Align align = Align::Left;
    Sizing sizing = Sizing::ToCaption;
    bool visible = true;
    bool enabled = true;
    std::span<const std::string_view> entries = {}; // a list's entries, in order
};

inline constexpr Font settingsFont{.family = "MS Sans Serif", .points = 18, .bold = true};
inline constexpr Font questionFont{.family = "Verdana", .points = 48, .bold = true};
inline constexpr Font answerFont{.family = "Tahoma", .points = 36, .bold = true};
inline constexpr Font scoreFont{.family = "Comic Sans MS", .points = 11.25, .bold = true};
inline constexpr Font warningFont{.family = "Arial Black", .points = 15.75, .bold = false};
inline constexpr Font correctAnswerFont{.family = "Tahoma", .points = 18, .bold = true};
inline constexpr Font dedicationOkFont{.family = "MS Sans Serif", .points = 13.5, .bold = true};
inline constexpr Font wrongOkFont{.family = "MS Sans Serif", .points = 12, .bold = true};

// In creation order within each panel.
// One row a control, its fields packed.
// clang-format off
inline constexpr auto controls = std::to_array<Control>({
    // Settings panel.
    {.part = Part::Label4, .id = 204, .kind = Kind::Label, .panel = Part::Frame2,
     .place = {900, 360, 2355, 435}, .caption = text::askingWay, .font = settingsFont,
     .fore = colour::darkBlue, .align = Align::Right},
    {.part = Part::command9, .id = 309, .kind = Kind::Button, .panel = Part::Frame2,
     .place = {7560, 300, 1785, 555}, .caption = text::start, .font = settingsFont, .fore = colour::red,
     .foreHover = colour::red, .back = colour::buttonFace, .align = Align::Center},
    {.part = Part::Combo1, .id = 401, .kind = Kind::List, .panel = Part::Frame2,
     .place = {3420, 300, 1905, 555}, .font = settingsFont, .fore = colour::blue, .back = colour::white,
     .enabled = false, .entries = text::tableList},
    {.part = Part::Combo2, .id = 402, .kind = Kind::List, .panel = Part::Frame2,
     .place = {5490, 300, 1905, 555}, .font = settingsFont, .fore = colour::blue, .back = colour::white,
     .enabled = false, .entries = text::orderList},
    // Question panel.
    {.part = Part::Label1, .id = 201, .kind = Kind::Label, .panel = Part::Frame1,
     .place = {3750, 645, 690, 1170}, .caption = "3", .font = questionFont, .fore = colour::red,
     .align = Align::Right},
    {.part = Part::Label2, .id = 202, .kind = Kind::Label, .panel = Part::Frame1,
     .place = {4920, 645, 645, 1170}, .caption = "x", .font = questionFont, .fore = colour::red},
    {.part = Part::Label3, .id = 203, .kind = Kind::Label, .panel = Part::Frame1,
     .place = {6045, 645, 690, 1170}, .caption = "3", .font = questionFont, .fore = colour::red},
    {.part = Part::cev1, .id = 301, .kind = Kind::Button, .panel = Part::Frame1,
     .place = {915, 2400, 1740, 930}, .caption = "322", .font = answerFont, .fore = colour::blue,
     .foreHover = colour::navy, .back = colour::buttonFace, .align = Align::Center, .enabled = false},
    {.part = Part::cev2, .id = 302, .kind = Kind::Button, .panel = Part::Frame1,
     .place = {3195, 2400, 1740, 930}, .caption = "32", .font = answerFont, .fore = colour::blue,
     .foreHover = colour::navy, .back = colour::buttonFace, .align = Align::Center, .enabled = false},
    {.part = Part::cev3, .id = 303, .kind = Kind::Button, .panel = Part::Frame1,
     .place = {5475, 2400, 1740, 930}, .caption = "32", .font = answerFont, .fore = colour::blue,
     .foreHover = colour::navy, .back = colour::buttonFace, .align = Align::Center, .enabled = false},
    {.part = Part::cev4, .id = 304, .kind = Kind::Button, .panel = Part::Frame1,
     .place = {7755, 2400, 1740, 930}, .caption = "32", .font = answerFont, .fore = colour::blue,
     .foreHover = colour::navy, .back = colour::buttonFace, .align = Align::Center, .enabled = false},
    {.part = Part::Text1, .id = 501, .kind = Kind::TextBox, .panel = Part::Frame1,
     .place = {1440, 480, 975, 375}, .caption = "Text1", .visible = false},
    // Score panel.
    {.part = Part::Label5, .id = 205, .kind = Kind::Label, .panel = Part::Frame4,
     .place = {240, 450, 3495, 585}, .caption = "Çarpım tablosunu", .fore = colour::darkBlue,
     .sizing = Sizing::Fixed},
    {.part = Part::Label6, .id = 206, .kind = Kind::Label, .panel = Part::Frame4,
     .place = {7560, 240, 2295, 315}, .caption = text::totalCaption, .font = scoreFont, .fore = colour::blue,
     .align = Align::Right},
    {.part = Part::Label9, .id = 209, .kind = Kind::Label, .panel = Part::Frame4,
     .place = {9840, 240, 405, 315}, .caption = "555", .font = scoreFont, .fore = colour::blue},
    {.part = Part::Label7, .id = 207, .kind = Kind::Label, .panel = Part::Frame4,
     .place = {8235, 585, 1620, 315}, .caption = text::rightCaption, .font = scoreFont, .fore = colour::green,
     .align = Align::Right},
    {.part = Part::Label10, .id = 210, .kind = Kind::Label, .panel = Part::Frame4,
     .place = {9840, 585, 405, 315}, .caption = "555", .font = scoreFont, .fore = colour::green},
    {.part = Part::Label8, .id = 208, .kind = Kind::Label, .panel = Part::Frame4,
     .place = {8250, 930, 1605, 315}, .caption = text::wrongCaption, .font = scoreFont, .fore = colour::red,
     .align = Align::Right},
    {.part = Part::Label11, .id = 211, .kind = Kind::Label, .panel = Part::Frame4,
     .place = {9840, 930, 405, 315}, .caption = "555", .font = scoreFont, .fore = colour::red},
    // Wrong-answer panel.
    {.part = Part::Label12, .id = 212, .kind = Kind::Label, .panel = Part::Frame5,
     .place = {1208, 180, 2145, 450}, .caption = text::wrong, .font = warningFont, .fore = colour::darkRed},
    {.part = Part::Label13, .id = 213, .kind = Kind::Label, .panel = Part::Frame5,
     .place = {1118, 840, 2325, 435}, .caption = text::wrong, .font = correctAnswerFont,
     .fore = colour::green, .align = Align::Center},
    // Dedication panel.
    {.part = Part::Image1, .id = 601, .kind = Kind::Picture, .panel = Part::Frame3,
     .place = {360, 480, 3900, 2250}, .sizing = Sizing::Fixed},
    {.part = Part::chameleonButton1, .id = 311, .kind = Kind::Button, .panel = Part::Frame3,
     .place = {1418, 3840, 1785, 465}, .caption = text::ok, .font = dedicationOkFont, .fore = colour::blue,
     .foreHover = colour::blue, .back = colour::buttonFace, .align = Align::Center},
    {.part = Part::chameleonButton2, .id = 312, .kind = Kind::Button, .panel = Part::Frame5,
     .place = {1545, 1590, 1470, 405}, .caption = text::ok, .font = wrongOkFont, .fore = colour::blue,
     .foreHover = colour::blue, .back = colour::buttonFace, .align = Align::Center},
});
// clang-format on

// The controls that take the keyboard focus, in order.
inline constexpr std::array<Part, 9> focusOrder{
    Part::command9, Part::Combo1,           Part::Combo2,           Part::cev1, Part::cev2, Part::cev3,
    Part::cev4,     Part::chameleonButton1, Part::chameleonButton2,
};

struct Line {
    std::string_view name;
    int id;
    Part panel;
    int x1, y1, x2, y2; // twips; may lie outside the panel, which clips them
    int widthPx;
    Colour colour;
};

// clang-format off
inline constexpr std::array<Line, 7> lines{{
    // The red border of the wrong-answer panel and its two rules.
    {.name = "Line2", .id = 702, .panel = Part::Frame5, .x1 = 0, .y1 = 80, .x2 = 12075, .y2 = 80,
     .widthPx = 10, .colour = colour::red},
    {.name = "Line1", .id = 701, .panel = Part::Frame5, .x1 = -240, .y1 = 2180, .x2 = 11835, .y2 = 2180,
     .widthPx = 10, .colour = colour::red},
    {.name = "Line3", .id = 703, .panel = Part::Frame5, .x1 = 80, .y1 = 120, .x2 = 80, .y2 = 2760,
     .widthPx = 10, .colour = colour::red},
    {.name = "Line4", .id = 704, .panel = Part::Frame5, .x1 = 4490, .y1 = 0, .x2 = 4490, .y2 = 2640,
     .widthPx = 10, .colour = colour::red},
    {.name = "Line5", .id = 705, .panel = Part::Frame5, .x1 = 0, .y1 = 720, .x2 = 4560, .y2 = 720,
     .widthPx = 4, .colour = colour::red},
    {.name = "Line6", .id = 706, .panel = Part::Frame5, .x1 = 0, .y1 = 1440, .x2 = 4560, .y2 = 1440,
     .widthPx = 4, .colour = colour::red},
    // The rule under the dedication picture.
    {.name = "Line7", .id = 707, .panel = Part::Frame3, .x1 = 353, .y1 = 3000, .x2 = 4253, .y2 = 3000,
     .widthPx = 2, .colour = colour::lightGrey},
}};
// clang-format on

struct Timer {
    Part part;
    int id;
    int intervalMs;
};

// All three run from creation on.
inline constexpr std::array<Timer, 3> timers{{
    {.part = Part::Timer1, .id = 1, .intervalMs = 85},   // idle animation
    {.part = Part::Timer2, .id = 2, .intervalMs = 200},  // wrong-answer blink
    {.part = Part::Timer3, .id = 3, .intervalMs = 2000}, // visit counter, once
}};

// What a part is and where it lies, gathered from the rows above.
struct PartRow {
    Kind kind = Kind::Panel;
    Part panel = Part::Frame1;        // the panel that holds a control; a panel or timer: itself
    const Control* control = nullptr; // the control's row, if it is one
    int id = 0;                       // its control ID, or a timer's ID
};

namespace detail {
consteval std::array<PartRow, partCount> partRows()
{
    std::array<PartRow, partCount> rows{};
    std::array<int, partCount> seen{};
    for (const Panel& panel : panels) {
        rows[index(panel.part)] = {.kind = Kind::Panel, .panel = panel.part, .id = panel.id};
        ++seen[index(panel.part)];
    }
    for (const Control& control : controls) {
        rows[index(control.part)] = {
            .kind = control.kind, .panel = control.panel, .control = &control, .id = control.id};
        ++seen[index(control.part)];
    }
    for (const Timer& timer : timers) {
        rows[index(timer.part)] = {.kind = Kind::Timer, .panel = timer.part, .id = timer.id};
        ++seen[index(timer.part)];
    }
    for (std::size_t i = 0; i < partCount; ++i) {
        if (seen[i] != 1) {
            throw "every part needs exactly one row in the design";
        }
        if (rows[i].kind != partKinds[i]) {
            throw "a part's row is of another kind than engine/parts.h lists";
        }
    }
    return rows;
}
} // namespace detail

inline constexpr std::array<PartRow, partCount> partRows = detail::partRows();

constexpr const PartRow& row(Part part)
{
    return partRows[index(part)];
}

constexpr Kind kind(Part part)
{
    return partKinds[index(part)];
}

// A panel's row.
constexpr const Panel& panel(Part part)
{
    for (const Panel& row : panels) {
        if (row.part == part) {
            return row;
        }
    }
    throw std::invalid_argument("no panel");
}

// A timer's place in timers, and its row.
constexpr std::size_t timerIndex(Part timer)
{
    for (std::size_t i = 0; i < timers.size(); ++i) {
        if (timers[i].part == timer) {
            return i;
        }
    }
    throw std::invalid_argument("no timer");
}

constexpr const Timer& timer(Part timer)
{
    return timers[timerIndex(timer)];
}

// The part with this control ID (a panel or control) or timer ID, if any.
constexpr std::optional<Part> partWithId(int id)
{
    for (std::size_t i = 0; i < partCount; ++i) {
        if (partRows[i].id == id) {
            return static_cast<Part>(i);
        }
    }
    return std::nullopt;
}

// The look of every button: its face, and how far the face and its edges
// darken, in percent of each colour channel's value (112 is a twelfth darker;
// below 100 is lighter). The text colours are the rows' own.
struct ButtonLook {
    Colour face = colour::buttonFace;
    int pressed = 112;           // the face while the button is held down
    int hovered = 96;            // the face under a pointer that can hover
    int lowerEdge = 125;         // the shade along the lower edge
    Colour upperEdge = 0xF6FAFA; // the light along the upper edge
    int outline = 160;           // the outline of a button that can be pressed
    int outlineDisabled = 130;   // the outline of a disabled button
    int greyedText = 150;        // the text of a disabled button, from the face
    int cornerRadiusPx = 4;      // at 96 dpi
    bool contrastedText = false; // the rows' text colours darkened to stand out (design/contrast.h)
};
inline constexpr ButtonLook buttonLook{};

// A colour with each channel times numerator/denominator, held to 255.
constexpr Colour scaledBy(Colour colour, unsigned numerator, unsigned denominator)
{
    Colour result = 0;
    for (unsigned shift = 0; shift < 24; shift += 8) {
        const unsigned channel = ((colour >> shift) & 0xFFU) * numerator / denominator;
        result |= (channel > 255U ? 255U : channel) << shift;
    }
    return result;
}

// A colour with each channel at 100/percent of its value, held to 255.
constexpr Colour shaded(Colour colour, int percent)
{
    return scaledBy(colour, 100U, static_cast<unsigned>(percent));
}

} // namespace vorlen::design
