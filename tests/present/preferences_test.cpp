// The child's system settings, decided once for every front end: less
// motion, more contrast, the system's own colours, and a window nobody sees.
#include "design/contrast.h"
#include "design/system_colours.h"
#include "present/form.h"
#include "tests/present/form_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlen::present {
namespace {

using P = Part;

// The contrast ratio as the web's contrast rules define it.
double ratio(Colour first, Colour second)
{
    const auto luminance = [](Colour colour) {
        double sum = 0;
        const std::array<double, 3> weights{0.2126, 0.7152, 0.0722}; // red, green, blue
        for (unsigned channel = 0; channel < 3; ++channel) {
            const double value = ((colour >> (8 * channel)) & 0xFFU) / 255.0;
            sum += weights[channel] *
                   (value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4));
        }
        return sum;
    };
    const double a = luminance(first) + 0.05;
    const double b = luminance(second) + 0.05;
    return a > b ? a / b : b / a;
}

constexpr Colour windowFace = 0xEFEFEF;
constexpr Colour buttonFace = 0xD8E9EC;
constexpr Colour pressedFace = 0xC0D0D2;

TEST(MoreContrast, EveryTextAndBorderStandsOutInADarkerShadeOfItsHue)
{
    struct Row {
        Colour colour;
        Colour ground;
        Colour expected;
    };
    // The design's colours: the labels and lines on the window face, the
    // buttons' text on their pressed face, the darkest they lie on.
    for (const Row& row : std::vector<Row>{
             {0xC0C0C0, windowFace, 0x6C6C6C},  // light grey
             {0x0000FF, windowFace, 0x0000DC},  // red
             {0x0000C0, windowFace, 0x0000C0},  // dark red, already enough
             {0xFF0000, windowFace, 0xFF0000},  // blue
             {0xC00000, windowFace, 0xC00000},  // dark blue
             {0x00C000, windowFace, 0x007F00},  // green
             {0x0000FF, pressedFace, 0x0000B6}, // red on a button
             {0xFF0000, pressedFace, 0xFF0000}, // blue on a button
             {0x800000, pressedFace, 0x800000}, // navy on a button
         }) {
        const Colour got = design::contrasted(row.colour, row.ground);
        EXPECT_EQ(got, row.expected) << std::hex << row.colour << " on " << row.ground;
        EXPECT_GE(ratio(got, row.ground), 4.5) << std::hex << got;
        EXPECT_GE(ratio(got, 0xF0F0F0), 4.5) << "on the Windows face too";
    }
    static_assert(design::contrasted(0x0000FF, 0xEFEFEF) == 0x0000DC, "decided at compile time");
    EXPECT_NEAR(design::contrastRatio(0x000000, 0xFFFFFF), 21.0, 1e-9);
    EXPECT_NEAR(design::contrastRatio(0x0000FF, windowFace), ratio(0x0000FF, windowFace), 1e-6);

    const design::ButtonLook& look = design::buttonLookFor(true);
    EXPECT_EQ(look.face, buttonFace) << "the same face";
    struct Shade {
        int percent;
        Colour expected;
        Colour ground;
    };
    for (const Shade& shade : std::vector<Shade>{
             {look.outline, 0x363A3B, windowFace},
             {look.outlineDisabled, 0x606768, windowFace},
             {look.lowerEdge, 0x606768, buttonFace},
             {look.greyedText, 0x606768, buttonFace},
         }) {
        const Colour got = design::shaded(look.face, shade.percent);
        EXPECT_EQ(got, shade.expected) << shade.percent;
        EXPECT_GE(ratio(got, shade.ground), 4.5) << std::hex << got;
        EXPECT_GE(ratio(got, buttonFace), 4.5) << std::hex << got;
    }
    EXPECT_EQ(design::buttonText(look, 0x0000FF), 0x0000B6U);
    EXPECT_EQ(design::buttonText(design::buttonLookFor(false), 0x0000FF), 0x0000FFU) << "as drawn";
}

TEST(ForcedColours, EachThingDrawnTakesASystemColour)
{
    using enum design::Drawn;
    using S = design::SystemColour;
    struct Row {
        design::Drawn drawn;
        S role;
    };
    for (const Row& row : std::vector<Row>{
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
             {ListChosenText, S::HighlightText},
         }) {
        EXPECT_EQ(design::systemColour(row.drawn), row.role) << static_cast<int>(row.drawn);
    }
}

class PreferencesTest : public test::FormTest {
protected:
    // The parts an update changed, each with whether it has this property.
    static std::vector<P> changed(const Update& update, Property property)
    {
        std::vector<P> parts;
        for (const Change& change : update.changes) {
            if (change.has(property)) {
                parts.push_back(change.part);
            }
        }
        return parts;
    }
};

constexpr Preferences lessMotion{.reducedMotion = true};

TEST_F(PreferencesTest, LessMotionShowsOneStillSampleAfterEachIdleStart)
{
    const auto sample = [&]() -> const Update& { return form.tick(P::Timer1); };
    const auto startOrStop = [&]() -> const Update& { return form.press(P::command9); };
    const auto less = [&]() -> const Update& { return form.prefer(lessMotion); };
    const auto usual = [&]() -> const Update& { return form.prefer({}); };
    struct Step {
        const char* what;
        std::function<const Update&()> event;
        bool switched; // the update starts or stops Timer1
        bool runs;
    };
    for (const Step& step : std::vector<Step>{
             {"less motion before the load step", less, false, true},
             {"load: idle", [&]() -> const Update& { return form.load(); }, false, true},
             {"one sample", sample, true, false},
             {"no second one", sample, false, false},
             {"start", startOrStop, false, false},
             {"stop: idle again", startOrStop, true, true},
             {"the same setting", less, false, true},
             {"its sample", sample, true, false},
             {"usual motion again", usual, true, true},
             {"a moving sample", sample, false, true},
             {"less motion after a sample", less, true, false},
             {"start", startOrStop, false, false},
             {"usual motion during a quiz", usual, false, false},
         }) {
        const std::vector<P> running = changed(step.event(), Property::Running);
        EXPECT_EQ(std::count(running.begin(), running.end(), P::Timer1), step.switched ? 1 : 0) << step.what;
        EXPECT_EQ(at(P::Timer1).running, step.runs) << step.what;
        if (step.what == std::string_view("one sample")) {
            EXPECT_NE(at(P::Label1).caption + at(P::Label2).caption + at(P::Label3).caption, "3x3")
                << "the question as drawn is replaced";
        }
    }
    EXPECT_EQ(form.preferences(), Preferences{});
    EXPECT_TRUE(form.tick(P::Timer1).empty()) << "a timer that does not run takes no tick";
}

TEST_F(PreferencesTest, LessMotionHoldsTheCorrectAnswerStill)
{
    using V = std::vector<P>;
    form.load();
    form.press(P::command9);
    form.press(answer(false));
    form.tick(P::Timer2);
    ASSERT_NE(at(P::Label12).visible, at(P::Label13).visible) << "blinking";
    const Update& still = form.prefer(lessMotion);
    EXPECT_EQ(changed(still, Property::Running), V{P::Timer2});
    EXPECT_TRUE(at(P::Label12).visible && at(P::Label13).visible);
    EXPECT_EQ(at(P::Label13).caption, "DOĞRU CEVAP : " + form.quizState().correctanswer);
    EXPECT_TRUE(form.tick(P::Timer2).empty());
    EXPECT_EQ(changed(form.prefer({}), Property::Running), V{P::Timer2}) << "the blink comes back";
    EXPECT_NE(at(P::Label12).visible, at(P::Label13).visible);
}

TEST_F(PreferencesTest, AWindowNobodySeesPausesOnlyTheSamples)
{
    form.load();
    form.tick(P::Timer1);
    for (const bool reduced : {false, true}) {
        SCOPED_TRACE(reduced);
        form.prefer({.reducedMotion = reduced});
        const bool running = at(P::Timer1).running;
        const Update& hidden = form.show(false);
        EXPECT_EQ(changed(hidden, Property::Running), running ? std::vector<P>{P::Timer1} : std::vector<P>{});
        EXPECT_EQ(hidden.changes.size(), running ? 1U : 0U) << "nothing else changes";
        EXPECT_FALSE(at(P::Timer1).running);
        EXPECT_EQ(at(P::Timer2).running, !reduced) << "as before";
        EXPECT_TRUE(at(P::Timer3).running);
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
              (std::vector<P>{P::Label1, P::Label2, P::Label3, P::Label6, P::Label7, P::Label8, P::Label9,
                              P::Label10, P::Label11, P::Label13}));
    EXPECT_EQ(darker.changes.size(), 10U) << "nothing but colours";
    EXPECT_EQ(at(P::Label1).colour, 0x6C6C6CU) << "light grey, darker";
    EXPECT_EQ(at(P::Label4).colour, 0xFF0000U) << "blue stands out already";
    // What the engine writes later is shown darker too.
    form.press(P::command9);
    EXPECT_EQ(at(P::Label1).colour, 0x0000DCU);
    EXPECT_EQ(at(P::Label10).colour, 0x007F00U);
    form.prefer({});
    EXPECT_EQ(at(P::Label1).colour, 0x0000FFU) << "the engine's own colour";
}

} // namespace
} // namespace vorlen::present
