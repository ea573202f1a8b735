// The child's system settings, decided once for every front end: less
// motion, more contrast, the system's own colours, and a window nobody sees.
#include "design/contrast.h"
#include "design/system_colours.h"
#include "tests/present/form_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace vorlen::present {
namespace {

using P = Part;
using Parts = std::vector<P>;

// The contrast ratio as the web's contrast rules define it.
double ratio(Colour first, Colour second)
{
    const auto luminance = [](Colour colour) {
        double sum = 0;
        for (unsigned channel = 0; channel < 3; ++channel) { // red, green, blue
            const double value = ((colour >> (8 * channel)) & 0xFFU) / 255.0;
            sum += std::array{0.2126, 0.7152, 0.0722}[channel] *
                   (value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4));
        }
        return sum + 0.05;
    };
    return std::max(luminance(first), luminance(second)) / std::min(luminance(first), luminance(second));
}

TEST(MoreContrast, EveryTextAndBorderStandsOutInADarkerShadeOfItsHue)
{
    constexpr Colour windowFace = 0xEFEFEF;
    constexpr Colour buttonFace = 0xD8E9EC;
    constexpr Colour pressedFace = 0xC0D0D2;
    const design::ButtonLook& look = design::buttonLookFor(true);
    EXPECT_EQ(look.face, buttonFace) << "the same face";
    struct Row {
        Colour got;
        Colour expected;
        Colour ground; // the darkest it lies on
    };
    for (const Row& row : std::vector<Row>{
             {design::contrasted(0xC0C0C0, windowFace), 0x6C6C6C, windowFace},   // light grey
             {design::contrasted(0x0000FF, windowFace), 0x0000DC, windowFace},   // red
             {design::contrasted(0x0000C0, windowFace), 0x0000C0, windowFace},   // dark red, already enough
             {design::contrasted(0xFF0000, windowFace), 0xFF0000, windowFace},   // blue
             {design::contrasted(0x00C000, windowFace), 0x007F00, windowFace},   // green
             {design::contrasted(0x0000FF, pressedFace), 0x0000B6, pressedFace}, // red on a button
             {design::contrasted(0x800000, pressedFace), 0x800000, pressedFace}, // navy on a button
             {design::buttonText(look, 0x0000FF), 0x0000B6, pressedFace},
             {design::shaded(look.face, look.outline), 0x363A3B, windowFace},
             {design::shaded(look.face, look.outlineDisabled), 0x606768, windowFace},
             {design::shaded(look.face, look.lowerEdge), 0x606768, buttonFace},
             {design::shaded(look.face, look.greyedText), 0x606768, buttonFace},
         }) {
        EXPECT_EQ(row.got, row.expected) << std::hex << row.expected;
        EXPECT_GE(ratio(row.got, row.ground), 4.5) << std::hex << row.got;
        EXPECT_GE(ratio(row.got, 0xF0F0F0), 4.5) << "on the Windows face too";
    }
    EXPECT_EQ(design::buttonText(design::buttonLookFor(false), 0x0000FF), 0x0000FFU) << "as drawn";
}

TEST(ForcedColours, EachThingDrawnTakesASystemColour)
{
    using enum design::Drawn;
    using S = design::SystemColour;
    for (const auto& [drawn, role] : std::vector<std::pair<design::Drawn, S>>{
             {Ground, S::Canvas},
             {LabelText, S::CanvasText},
             {Line, S::CanvasText}, // the wrong-answer panel keeps its frame
             {ButtonFace, S::ButtonFace},
             {ButtonText, S::ButtonText},
             {ButtonTextDisabled, S::GrayText},
             {ButtonOutline, S::ButtonText},
             {ButtonOutlineDisabled, S::GrayText},
             {FocusMark, S::Highlight},
             {ListGround, S::Field},
             {ListText, S::FieldText},
             {ListTextDisabled, S::GrayText},
             {ListChosenGround, S::Highlight},
             {ListChosenText, S::HighlightText}}) {
        EXPECT_EQ(design::systemColour(drawn), role) << static_cast<int>(drawn);
    }
}

// The parts an update changed that have this property.
Parts changed(const Update& update, Property property)
{
    Parts parts;
    for (const Change& change : update.changes) {
        if (change.has(property)) {
            parts.push_back(change.part);
        }
    }
    return parts;
}

using PreferencesTest = test::FormTest;
constexpr Preferences lessMotion{.reducedMotion = true};

TEST_F(PreferencesTest, LessMotionShowsOneStillSampleAfterEachIdleStart)
{
    using Event = std::function<const Update&()>;
    const Event sample = [&]() -> const Update& { return form.tick(P::Timer1); };
    const Event press = [&]() -> const Update& { return form.press(P::command9); };
    const Event less = [&]() -> const Update& { return form.prefer(lessMotion); };
    const Event usual = [&]() -> const Update& { return form.prefer({}); };
    struct Step {
        const char* what;
        Event event;
        bool switched; // the update starts or stops Timer1
        bool runs;
    };
    for (const Step& step : std::vector<Step>{
             {"less motion before the load step", less, false, true},
             {"load: idle", [&]() -> const Update& { return form.load(); }, false, true},
             {"one sample", sample, true, false},
             {"no second one", sample, false, false},
             {"start", press, false, false},
             {"stop: idle again", press, true, true},
             {"the same setting", less, false, true},
             {"its sample", sample, true, false},
             {"usual motion again", usual, true, true},
             {"a moving sample", sample, false, true},
             {"less motion after a sample", less, true, false},
             {"start", press, false, false},
             {"usual motion during a quiz", usual, false, false},
         }) {
        const Parts running = changed(step.event(), Property::Running);
        EXPECT_EQ(std::count(running.begin(), running.end(), P::Timer1), step.switched ? 1 : 0) << step.what;
        EXPECT_EQ(at(P::Timer1).running, step.runs) << step.what;
    }
    EXPECT_TRUE(form.tick(P::Timer1).empty()) << "a timer that does not run takes no tick";
}

TEST_F(PreferencesTest, LessMotionHoldsTheCorrectAnswerStill)
{
    form.load();
    form.press(P::command9);
    form.press(answer(false));
    form.tick(P::Timer2);
    ASSERT_NE(at(P::Label12).visible, at(P::Label13).visible) << "blinking";
    EXPECT_EQ(changed(form.prefer(lessMotion), Property::Running), Parts{P::Timer2});
    EXPECT_TRUE(at(P::Label12).visible && at(P::Label13).visible);
    EXPECT_TRUE(form.tick(P::Timer2).empty());
    EXPECT_EQ(changed(form.prefer({}), Property::Running), Parts{P::Timer2}) << "the blink comes back";
    EXPECT_NE(at(P::Label12).visible, at(P::Label13).visible);
}

TEST_F(PreferencesTest, AWindowNobodySeesPausesOnlyTheSamples)
{
    form.load();
    form.tick(P::Timer1);
    for (const bool reduced : {false, true}) {
        form.prefer({.reducedMotion = reduced});
        const bool running = at(P::Timer1).running; // not after its still sample
        const Update& hidden = form.show(false);
        EXPECT_EQ(changed(hidden, Property::Running), running ? Parts{P::Timer1} : Parts{}) << reduced;
        EXPECT_EQ(hidden.changes.size(), running ? 1U : 0U) << "nothing else changes";
        EXPECT_TRUE(!at(P::Timer1).running && at(P::Timer2).running == !reduced && at(P::Timer3).running);
        EXPECT_TRUE(form.tick(P::Timer1).empty());
        form.show(true);
        EXPECT_EQ(at(P::Timer1).running, running);
    }
    form.show(false);
    EXPECT_TRUE(form.tick(P::Timer3).counterRequest) << "the counter page is still asked for";
}

TEST_F(PreferencesTest, MoreContrastDarkensTheLabelsAsTheyAreShown)
{
    form.load();
    const Update& darker = form.prefer({.moreContrast = true});
    EXPECT_EQ(changed(darker, Property::Colour),
              (Parts{P::Label1, P::Label2, P::Label3, P::Label6, P::Label7, P::Label8, P::Label9, P::Label10,
                     P::Label11, P::Label13}));
    EXPECT_EQ(darker.changes.size(), 10U) << "nothing but colours";
    EXPECT_EQ(at(P::Label1).colour, 0x6C6C6CU) << "light grey, darker";
    EXPECT_EQ(at(P::Label4).colour, 0xFF0000U) << "blue stands out already";
    form.press(P::command9);
    EXPECT_EQ(at(P::Label10).colour, 0x007F00U) << "what the engine writes later is darker too";
    form.prefer({});
    EXPECT_EQ(at(P::Label1).colour, 0x0000FFU) << "the engine's own colour";
}

} // namespace
} // namespace vorlen::present
