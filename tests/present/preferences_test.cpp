// The child's system settings, decided once for every front end: less
// motion, more contrast, the system's own colours, and a window nobody sees.
#include "design/contrast.h"
#include "design/system_colours.h"
#include "present/look.h"
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
    EXPECT_EQ(at(P::Label1).colour, Ink{0x6C6C6CU}) << "light grey, darker";
    EXPECT_EQ(at(P::Label4).colour, Ink{0xFF0000U}) << "blue stands out already";
    form.press(P::command9);
    EXPECT_EQ(at(P::Label10).colour, Ink{0x007F00U}) << "what the engine writes later is darker too";
    form.prefer({});
    EXPECT_EQ(at(P::Label1).colour, Ink{0x0000FFU}) << "the engine's own colour";
    form.prefer({.forcedColours = true});
    EXPECT_EQ(at(P::Label1).colour.role, design::SystemColour::CanvasText);
}

// The whole look, as drawn, for more contrast and under forced colours: each
// button in each state, each list, the lines, the face and the focus mark.
TEST_F(PreferencesTest, TheLookComesWholeWhenTheSettingsChangeIt)
{
    using S = design::SystemColour;
    const Look drawn = form.look();
    EXPECT_EQ(drawn.ground, (Ink{0xEFEFEF, S::ButtonFace})) << "the platform's face; the page's grey";
    EXPECT_EQ(drawn.button(P::cev1).plain.face, Ink{0xD8E9EC});
    EXPECT_EQ(drawn.button(P::cev1).hovered.text, Ink{0x800000}) << "navy under the pointer";
    EXPECT_EQ(drawn.list(P::Combo1).text, Ink{0xFF0000});
    EXPECT_EQ(drawn.list(P::Combo1).textDisabled, Ink{0x9F9F9F}) << "greyed from the face, as a button";
    EXPECT_EQ(drawn.lines[1], Ink{0x0000FF}) << "Line1, red";
    EXPECT_EQ(drawn.focusMark, Ink{}) << "black";

    const Update& contrasted = form.prefer({.moreContrast = true});
    ASSERT_TRUE(contrasted.look);
    EXPECT_EQ(contrasted.look->button(P::command9).plain.text, Ink{0x0000B6}) << "red on a button, darker";
    EXPECT_EQ(contrasted.look->button(P::cev1).plain.outline, Ink{0x363A3B});
    EXPECT_EQ(contrasted.look->list(P::Combo1).textDisabled, Ink{0x6A6A6A});
    EXPECT_EQ(contrasted.look->lines[1], Ink{0x0000DC});
    EXPECT_FALSE(form.prefer({.moreContrast = true}).look) << "the same settings, the same look";
    EXPECT_TRUE(form.prefer({.reducedMotion = true, .moreContrast = true}).changes.size() < 3U);

    const Update& forced = form.prefer({.forcedColours = true});
    ASSERT_TRUE(forced.look);
    const ButtonInks& start = forced.look->button(P::command9);
    EXPECT_EQ(start.plain.face.role, S::ButtonFace);
    EXPECT_FALSE(start.plain.raised) << "flat";
    EXPECT_EQ(start.plain.text.role, S::ButtonText);
    EXPECT_EQ(start.disabled.text.role, S::GrayText);
    EXPECT_EQ(start.pressed.textShiftPx, 1);
    EXPECT_EQ(forced.look->list(P::Combo2).ground.role, S::Field);
    EXPECT_EQ(forced.look->lines[0].role, S::CanvasText);
    EXPECT_EQ(forced.look->ground.role, S::Canvas);
    EXPECT_EQ(forced.look->focusMark.role, S::Highlight);

    // A button's paint for what it shows itself as.
    const ButtonInks& answer = drawn.button(P::cev2);
    EXPECT_EQ(answer.in({.enabled = false, .hovered = true, .pressed = true}).face, answer.disabled.face);
    EXPECT_EQ(answer.in({.hovered = true, .pressed = true}).text, Ink{0x800000});
    EXPECT_EQ(answer.in({.pressed = true}).text, Ink{0xFF0000}) << "held by a key: its own colour";
    EXPECT_TRUE(answer.in({.focused = true}).focusMark);
}

} // namespace
} // namespace vorlen::present
