// The child's system settings, decided once for every front end: less
// motion, more contrast, the system's own colours, and a window nobody sees.
#include "design/contrast.h"
#include "design/system_colours.h"
#include "tests/present/form_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace vorlen::present {
namespace {

using P = Part;
using Parts = std::vector<P>;

TEST(MoreContrast, EveryTextAndBorderStandsOutInADarkerShadeOfItsHue)
{
    constexpr Colour windowFace = 0xEFEFEF;
    constexpr Colour pressedFace = 0xC0D0D2;
    const design::ButtonLook& look = design::buttonLookFor(true);
    EXPECT_EQ(look.face, 0xD8E9ECU) << "the same face";
    // The darker shades, each at least 4.5 times as bright as the darkest it lies on, or below it.
    for (const auto& [got, expected] : std::vector<std::pair<Colour, Colour>>{
             {design::contrasted(0xC0C0C0, windowFace), 0x6C6C6C},  // light grey
             {design::contrasted(0x0000FF, windowFace), 0x0000DC},  // red
             {design::contrasted(0x0000C0, windowFace), 0x0000C0},  // dark red, already enough
             {design::contrasted(0xFF0000, windowFace), 0xFF0000},  // blue
             {design::contrasted(0x00C000, windowFace), 0x007F00},  // green
             {design::contrasted(0x0000FF, pressedFace), 0x0000B6}, // red on a button
             {design::contrasted(0x800000, pressedFace), 0x800000}, // navy on a button
             {design::buttonText(look, 0x0000FF), 0x0000B6},
             {design::shaded(look.face, look.outline), 0x363A3B},
             {design::shaded(look.face, look.outlineDisabled), 0x606768},
             {design::shaded(look.face, look.lowerEdge), 0x606768},
             {design::shaded(look.face, look.greyedText), 0x606768}}) {
        EXPECT_EQ(got, expected) << std::hex << expected;
    }
    EXPECT_EQ(design::buttonText(design::buttonLookFor(false), 0x0000FF), 0x0000FFU) << "as drawn";
}

TEST(ForcedColours, EachThingDrawnTakesASystemColour)
{
    using S = design::SystemColour;
    std::vector<S> roles; // in the order things drawn are listed, ground to a list's chosen text
    for (int drawn = 0; drawn <= static_cast<int>(design::Drawn::ListChosenText); ++drawn) {
        roles.push_back(design::systemColour(static_cast<design::Drawn>(drawn)));
    }
    EXPECT_EQ(roles, (std::vector<S>{S::Canvas, S::CanvasText, S::CanvasText, S::ButtonFace, S::ButtonText,
                                     S::GrayText, S::ButtonText, S::GrayText, S::Highlight, S::Field,
                                     S::FieldText, S::GrayText, S::Highlight, S::HighlightText}));
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
    // l: less motion, u: usual motion, o: load, s: a sample's tick, p: command9 pressed.
    const auto event = [&](char e) -> const Update& {
        return e == 'l'   ? form.prefer(lessMotion)
               : e == 'u' ? form.prefer({})
               : e == 'o' ? form.load()
               : e == 's' ? form.tick(P::Timer1)
                          : form.press(P::command9);
    };
    // What, the event, whether its update starts or stops Timer1, and whether Timer1 runs after it.
    for (const auto& [what, e, switched, runs] : std::vector<std::tuple<const char*, char, bool, bool>>{
             {"less motion before the load step", 'l', false, true},
             {"load: idle", 'o', false, true},
             {"one sample", 's', true, false},
             {"no second one", 's', false, false},
             {"start", 'p', false, false},
             {"stop: idle again", 'p', true, true},
             {"the same setting", 'l', false, true},
             {"its sample", 's', true, false},
             {"usual motion again", 'u', true, true},
             {"a moving sample", 's', false, true},
             {"less motion after a sample", 'l', true, false},
             {"start", 'p', false, false},
             {"usual motion during a quiz", 'u', false, false}}) {
        const Parts running = changed(event(e), Property::Running);
        EXPECT_EQ(std::count(running.begin(), running.end(), P::Timer1), switched ? 1 : 0) << what;
        EXPECT_EQ(at(P::Timer1).running, runs) << what;
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
