// How each part is drawn, in the window's own numbers: the lines a caption is
// shown as, the box a label's caption takes, a button's colours in each
// state and where each ruled line lies. The front ends measure and paint
// only what these give them.
#include "present/drawing.h"
#include "tests/present/form_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace vorlen::present {
namespace {

using Lines = std::vector<std::string_view>;
using P = Part;
using test::FormTest;

TEST_F(FormTest, TheDedicationShowsItsThreeLines)
{
    form.load();
    EXPECT_EQ(captionLines<char>(at(P::Label5).caption),
              (Lines{"Çarpım tablosunu öğrenen", "bütün çocuklara, sevgiyle", "armağan edilmiştir."}));
}

TEST(Drawing, EveryLineEndIsOneBreak)
{
    const std::vector<std::pair<std::string_view, Lines>> cases{
        {"3", {"3"}},
        {"", {""}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\rb", {"a", "", "b"}}, // a line end, then another
        {"a\r\r\nb\r", {"a", "", "b", ""}},
    };
    for (const auto& [caption, lines] : cases) {
        SCOPED_TRACE(caption);
        EXPECT_EQ(captionLines(caption), lines);
    }
    EXPECT_EQ(shownLines<wchar_t>(L"a\r\nb\rc"), L"a\nb\nc");
}

const design::Control& controlRow(P part)
{
    return *design::row(part).control;
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
    const std::vector<Case> cases{
        {P::Label4, Anchor::Right, {60, 24, 157, 29}, {120, 29}, {97, 24, 120, 29}},
        {P::Label1, Anchor::Right, {250, 43, 46, 78}, {92, 78}, {204, 43, 92, 78}},
        {P::Label2, Anchor::Left, {328, 43, 43, 78}, {50, 80}, {328, 43, 50, 80}},
        {P::Label13, Anchor::Centre, {75, 56, 155, 29}, {200, 29}, {53, 56, 200, 29}},
        {P::Label13, Anchor::Centre, {75, 56, 155, 29}, {100, 29}, {102, 56, 100, 29}},
        {P::Label5, Anchor::Box, {16, 30, 233, 39}, {400, 13}, {16, 30, 233, 39}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(design::name(each.part));
        const Anchor anchored = anchor(controlRow(each.part).align, controlRow(each.part).sizing);
        EXPECT_EQ(anchored, each.anchor);
        EXPECT_EQ(captionBox(anchored, each.drawn, each.measured), each.shown);
    }
}

constexpr Colour rgb(unsigned red, unsigned green, unsigned blue)
{
    return red | (green << 8U) | (blue << 16U);
}

TEST(Drawing, AButtonsColoursInEachState)
{
    // The answer buttons: blue text, navy under the pointer, on the beige face.
    constexpr Colour blue = rgb(0, 0, 255);
    constexpr Colour navy = rgb(0, 0, 128);
    constexpr Colour beige = rgb(236, 233, 216);
    constexpr Colour upper = rgb(250, 250, 246);
    constexpr Colour lower = rgb(188, 186, 172);
    constexpr Colour outline = rgb(147, 145, 135);
    struct Case {
        const char* state;
        ButtonState given;
        ButtonPaint shown;
    };
    const std::vector<Case> cases{
        {"plain", {}, {beige, true, upper, lower, outline, blue, 0, false}},
        {"hovered", {.hovered = true}, {rgb(245, 242, 225), true, upper, lower, outline, navy, 0, false}},
        {"pressed by a key",
         {.pressed = true},
         {rgb(210, 208, 192), false, upper, lower, outline, blue, 1, false}},
        {"pressed by the pointer",
         {.hovered = true, .pressed = true},
         {rgb(210, 208, 192), false, upper, lower, outline, navy, 1, false}},
        {"disabled",
         {.enabled = false, .hovered = true, .pressed = true},
         {beige, true, upper, lower, rgb(181, 179, 166), rgb(157, 155, 144), 0, false}},
        {"focused", {.focused = true}, {beige, true, upper, lower, outline, blue, 0, true}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.state);
        EXPECT_EQ(buttonPaint(design::buttonLook, controlRow(P::cev1).fore, controlRow(P::cev1).foreHover,
                              each.given),
                  each.shown);
    }
}

TEST(Drawing, ALineIsItsBarCutToItsPanel)
{
    struct Case {
        std::string_view name;
        int dpi;
        Box bar;
    };
    const std::vector<Case> cases{
        {"Line2", 96, {0, 0, 304, 10}},   // starts above the panel
        {"Line1", 96, {0, 140, 304, 10}}, // runs out on both sides
        {"Line3", 96, {0, 8, 10, 142}},   // down, out at the bottom
        {"Line4", 96, {294, 0, 10, 150}}, {"Line5", 96, {0, 46, 304, 4}},
        {"Line5", 144, {0, 69, 456, 6}},  {"Line7", 96, {24, 199, 260, 2}}, // in the dedication panel
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        const auto* line = std::find_if(design::lines.begin(), design::lines.end(),
                                        [&each](const design::Line& row) { return row.name == each.name; });
        ASSERT_NE(line, design::lines.end());
        EXPECT_EQ(lineBox(*line, each.dpi), each.bar);
    }
}

} // namespace
} // namespace vorlen::present
