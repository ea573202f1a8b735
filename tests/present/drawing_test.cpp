// How each part is drawn, in the window's own numbers: the lines a caption is
// shown as, the box a label's caption takes, a button's colours in each
// state and where each ruled line lies. The front ends measure and paint
// only what these give them.
#include "present/drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace vorlen::present {
namespace {

using Lines = std::vector<std::string_view>;
using P = design::Part;

TEST(Drawing, EveryLineEndIsOneBreak)
{
    for (const auto& [caption, lines] : std::vector<std::pair<std::string_view, Lines>>{
             {"Çarpım tablosunu öğrenen\rbütün çocuklara, sevgiyle\rarmağan edilmiştir.",
              {"Çarpım tablosunu öğrenen", "bütün çocuklara, sevgiyle", "armağan edilmiştir."}},
             {"", {""}},
             {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
             {"a\n\rb", {"a", "", "b"}}, // a line end, then another
             {"a\r\r\nb\r", {"a", "", "b", ""}}}) {
        EXPECT_EQ(captionLines(caption), lines) << caption;
    }
    EXPECT_EQ(shownLines<wchar_t>(L"a\r\nb\rc"), L"a\nb\nc");
}

TEST(Drawing, ALabelKeepsItsEdgeOrItsBox)
{
    struct Case {
        P part;
        Anchor anchor;
        Box drawn; // at 96 dpi
        Size measured;
        Box shown;
    };
    for (const Case& each :
         std::vector<Case>{{P::Label4, Anchor::Right, {60, 24, 157, 29}, {120, 29}, {97, 24, 120, 29}},
                           {P::Label2, Anchor::Left, {328, 43, 43, 78}, {50, 80}, {328, 43, 50, 80}},
                           {P::Label13, Anchor::Centre, {75, 56, 155, 29}, {200, 29}, {53, 56, 200, 29}},
                           {P::Label13, Anchor::Centre, {75, 56, 155, 29}, {100, 29}, {102, 56, 100, 29}},
                           {P::Label5, Anchor::Box, {16, 30, 233, 39}, {400, 13}, {16, 30, 233, 39}}}) {
        const design::Control& row = *design::row(each.part).control;
        EXPECT_EQ(anchor(row.align, row.sizing), each.anchor) << design::name(each.part);
        EXPECT_EQ(captionBox(each.anchor, each.drawn, each.measured), each.shown) << design::name(each.part);
    }
}

constexpr Colour rgb(unsigned red, unsigned green, unsigned blue)
{
    return red | (green << 8U) | (blue << 16U);
}

TEST(Drawing, AButtonsColoursInEachState)
{
    // The answer buttons: blue text, navy under the pointer, on the beige face.
    constexpr Ink blue{rgb(0, 0, 255)};
    constexpr Ink navy{rgb(0, 0, 128)};
    constexpr Ink beige{rgb(236, 233, 216)};
    constexpr Ink up{rgb(250, 250, 246)};
    constexpr Ink low{rgb(188, 186, 172)};
    constexpr Ink line{rgb(147, 145, 135)};
    constexpr Ink held{rgb(210, 208, 192)};
    for (const auto& [given, shown] : std::vector<std::pair<ButtonState, ButtonPaint>>{
             {{}, {beige, true, up, low, line, blue, 0, false}},
             {{.hovered = true}, {Ink{rgb(245, 242, 225)}, true, up, low, line, navy, 0, false}},
             {{.pressed = true}, {held, false, up, low, line, blue, 1, false}}, // by a key
             {{.hovered = true, .pressed = true}, {held, false, up, low, line, navy, 1, false}},
             {{.enabled = false, .hovered = true, .pressed = true},
              {beige, true, up, low, Ink{rgb(181, 179, 166)}, Ink{rgb(157, 155, 144)}, 0, false}},
             {{.focused = true}, {beige, true, up, low, line, blue, 0, true}}}) {
        const design::Control& cev1 = *design::row(P::cev1).control;
        EXPECT_EQ(buttonPaint(design::buttonLook, cev1.fore, cev1.foreHover, given), shown)
            << given.enabled << given.hovered << given.pressed << given.focused;
    }
}

TEST(Drawing, ALineIsItsBarCutToItsPanel)
{
    // Each line's bar at a dpi.
    for (const auto& [name, dpi, bar] : std::vector<std::tuple<std::string_view, int, Box>>{
             {"Line2", 96, {0, 0, 304, 10}},   // starts above the panel
             {"Line1", 96, {0, 140, 304, 10}}, // runs out on both sides
             {"Line3", 96, {0, 8, 10, 142}},   // down, out at the bottom
             {"Line4", 96, {294, 0, 10, 150}},
             {"Line5", 96, {0, 46, 304, 4}},
             {"Line5", 144, {0, 69, 456, 6}},
             {"Line7", 96, {24, 199, 260, 2}}}) { // in the dedication panel
        const auto* line =
            std::find_if(design::lines.begin(), design::lines.end(),
                         [&wanted = name](const design::Line& row) { return row.name == wanted; });
        ASSERT_NE(line, design::lines.end());
        EXPECT_EQ(lineBox(*line, dpi), bar) << name << " at " << dpi;
    }
}

} // namespace
} // namespace vorlen::present
