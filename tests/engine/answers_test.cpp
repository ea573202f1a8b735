// Judging and counting answers, the wrong-answer panel with its blink, and
// the two OK buttons.
#include "engine/texts.h"
#include "tests/engine/engine_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace vorlen::test {
namespace {

using fake::CallLog;

TEST_F(EngineTest, RightAnswerCountsAndAsksTheNextQuestionAtOnce)
{
    start(text::allTables, text::sequential);
    window.log.clear();
    answerRight();
    EXPECT_EQ(window.Label9.caption, "1");
    EXPECT_EQ(window.Label10.caption, "1");
    EXPECT_EQ(window.Label11.caption, "0");
    EXPECT_FALSE(window.Frame5.visible);
    EXPECT_EQ(shown(), "1x2");
    EXPECT_EQ(window.log.at(0), "Label9.setCaption(1)");
    EXPECT_EQ(window.log.at(1), "Label10.setCaption(1)");
}

TEST_F(EngineTest, WrongAnswerOpensThePanelAndKeepsTheQuestion)
{
    start("6 lar", text::sequential);
    answerRight();
    answerRight(); // 6 x 3 on screen
    window.log.clear();
    answerWrong();
    const CallLog expected{"Label9.setCaption(3)",     "Label13.setCaption(DOĞRU CEVAP : 18)",
                           "Frame5.setVisible(true)",  "Frame1.setEnabled(false)",
                           "Frame2.setEnabled(false)", "Frame4.setEnabled(false)",
                           "Label11.setCaption(1)"};
    EXPECT_EQ(window.log, expected);
    EXPECT_EQ(shown(), "6x3");
    EXPECT_EQ(engine.state().correctanswer, "18");

    // A second miss replaces the line instead of adding to it.
    engine.pressChameleonButton2();
    answerWrong();
    EXPECT_EQ(window.Label13.caption, "DOĞRU CEVAP : 24");
    EXPECT_EQ(window.Label11.caption, "2");
    EXPECT_EQ(window.Label10.caption, "2");
}

TEST_F(EngineTest, CaptionIsJudgedAsExactText)
{
    start(text::allTables, text::sequential); // 1 x 1
    struct Case {
        std::string caption;
        bool right;
    };
    const std::array<Case, 4> cases{{{"1 ", false}, {" 1", false}, {"01", false}, {"1", true}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        const std::int16_t before = engine.state().rightcount;
        window.cev3.shown = c.caption;
        engine.pressCev3();
        EXPECT_EQ(engine.state().rightcount, before + (c.right ? 1 : 0));
        EXPECT_EQ(window.Frame5.visible, !c.right);
        window.Frame5.visible = false;
    }
    EXPECT_EQ(engine.state().totalcount, 4);
    EXPECT_EQ(engine.state().wrongcount, 3);
}

TEST_F(EngineTest, UnreadableCaptionCountsAsAWrongAnswer)
{
    start("3 ler", text::sequential); // 3 x 1
    window.cev2.failAlways("caption");
    engine.pressCev2();
    EXPECT_EQ(window.Label9.caption, "1");
    EXPECT_EQ(window.Label10.caption, "0");
    EXPECT_EQ(window.Label11.caption, "1");
    EXPECT_TRUE(window.Frame5.visible);
    EXPECT_EQ(window.Label13.caption, "DOĞRU CEVAP : 3");
}

TEST_F(EngineTest, CounterAtItsLimitStaysThereAndThePressGoesOn)
{
    struct Case {
        const char* name;
        std::int16_t QuizState::*counter;
        fake::FakeLabel fake::FakeWindow::*label;
        bool right;
    };
    const std::array<Case, 4> cases{{
        {"total, right answer", &QuizState::totalcount, &fake::FakeWindow::Label9, true},
        {"total, wrong answer", &QuizState::totalcount, &fake::FakeWindow::Label9, false},
        {"right", &QuizState::rightcount, &fake::FakeWindow::Label10, true},
        {"wrong", &QuizState::wrongcount, &fake::FakeWindow::Label11, false},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig;
        rig.start("8 ler", text::sequential);
        rig.engine.state().*c.counter = 32767;
        c.right ? rig.answerRight() : rig.answerWrong();
        EXPECT_EQ(rig.engine.state().*c.counter, 32767);
        EXPECT_EQ((rig.window.*c.label).caption, "32767");
        if (c.right) {
            EXPECT_EQ(rig.shown(), "8x2");
            EXPECT_FALSE(rig.window.Frame5.visible);
        } else {
            EXPECT_EQ(rig.window.Label13.caption, "DOĞRU CEVAP : 8");
            EXPECT_TRUE(rig.window.Frame5.visible);
            EXPECT_FALSE(rig.window.Frame4.enabled);
        }
    }
}

TEST_F(EngineTest, PanelOkClosesThePanelThenAsks)
{
    start("2 ler", text::sequential);
    answerWrong();
    window.log.clear();
    engine.pressChameleonButton2();
    ASSERT_GE(window.log.size(), 4U);
    const CallLog first(window.log.begin(), window.log.begin() + 4);
    const CallLog expected{"Frame5.setVisible(false)", "Frame1.setEnabled(true)", "Frame2.setEnabled(true)",
                           "Frame4.setEnabled(true)"};
    EXPECT_EQ(first, expected);
    EXPECT_EQ(shown(), "2x2");
    EXPECT_EQ(engine.state().wrongcount, 1);
    EXPECT_EQ(engine.state().rightcount, 0);
}

TEST_F(EngineTest, DedicationOkShowsTheWorkingPanelsOnly)
{
    engine.pressChameleonButton1();
    EXPECT_FALSE(window.Frame3.visible);
    EXPECT_TRUE(window.Frame1.visible && window.Frame2.visible && window.Frame4.visible);
    EXPECT_FALSE(window.Frame5.visible);
    EXPECT_EQ(window.log.size(), 4U) << "nothing but the four panels";
    EXPECT_EQ(engine.state().totalcount, 0);
    EXPECT_TRUE(engine.state().correctanswer.empty());
}

TEST_F(EngineTest, BlinkAlternatesOnlyWhileThePanelIsOpen)
{
    start(text::allTables, text::mixed);
    const auto labels = [&] { return std::array{window.Label12.visible, window.Label13.visible}; };

    engine.tickTimer2();
    EXPECT_EQ(labels(), (std::array{true, true})) << "panel closed: nothing changes";
    EXPECT_EQ(engine.state().blinkphase, 0);

    answerWrong();
    engine.tickTimer2();
    EXPECT_EQ(labels(), (std::array{true, false}));
    engine.tickTimer2();
    EXPECT_EQ(labels(), (std::array{false, true}));
    engine.tickTimer2();
    EXPECT_EQ(labels(), (std::array{true, false}));

    engine.pressChameleonButton2();
    engine.tickTimer2();
    EXPECT_EQ(labels(), (std::array{true, false})) << "closed again: the labels hold";
    EXPECT_EQ(engine.state().blinkphase, 1);

    answerWrong();
    EXPECT_EQ(labels(), (std::array{true, false})) << "reopened: the last blink shows until the next tick";
    engine.tickTimer2();
    EXPECT_EQ(labels(), (std::array{false, true})) << "the phase carries on, it is not reset";
}

} // namespace
} // namespace vorlen::test
