// The window's load, the idle and running looks that start and stop give it,
// and how each routine behaves when a control refuses a step.
#include "engine/texts.h"
#include "tests/engine/engine_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorlen::test {
namespace {

using fake::FakeLabel;
using fake::FakeWindow;

// The colours of the question and score labels, idle and running.
struct Look {
    FakeLabel FakeWindow::*label;
    Colour idle;
    Colour running;
};
constexpr std::array<Look, 10> looks{{
    {&FakeWindow::Label1, colour::lightGrey, colour::red},
    {&FakeWindow::Label2, colour::lightGrey, colour::red},
    {&FakeWindow::Label3, colour::lightGrey, colour::red},
    {&FakeWindow::Label4, colour::blue, colour::lightGrey},
    {&FakeWindow::Label6, colour::lightGrey, colour::blue},
    {&FakeWindow::Label7, colour::lightGrey, colour::green},
    {&FakeWindow::Label8, colour::lightGrey, colour::red},
    {&FakeWindow::Label9, colour::lightGrey, colour::blue},
    {&FakeWindow::Label10, colour::lightGrey, colour::green},
    {&FakeWindow::Label11, colour::lightGrey, colour::red},
}};

void expectLook(FakeWindow& window, bool running)
{
    for (const Look& look : looks) {
        const FakeLabel& label = window.*look.label;
        EXPECT_EQ(label.foreColor, running ? look.running : look.idle) << label.name();
    }
    for (const fake::FakeButton* button : window.answers()) {
        EXPECT_EQ(button->enabled, running) << button->name();
    }
    EXPECT_EQ(window.Combo1.enabled, !running);
    EXPECT_EQ(window.Combo2.enabled, !running);
    EXPECT_EQ(window.Timer1.enabled, !running);
    EXPECT_EQ(window.command9.shown, running ? text::stop : text::start);
    if (!running) {
        for (const FakeLabel* label : {&window.Label9, &window.Label10, &window.Label11}) {
            EXPECT_EQ(label->caption, "0") << label->name();
        }
    }
}

TEST_F(EngineTest, LoadLeavesTheWindowIdle)
{
    window.Combo1.index = 5;
    window.Timer1.enabled = false;
    engine.load();

    expectLook(window, false);
    const std::string& dedication = window.Label5.caption;
    EXPECT_EQ(dedication, text::dedication);
    EXPECT_EQ(std::count(dedication.begin(), dedication.end(), '\r'), 2);
    EXPECT_EQ(dedication.find('\n'), std::string::npos);
    EXPECT_EQ(window.Combo1.text(), text::allTables);
    EXPECT_EQ(window.Combo2.text(), text::sequential);
    EXPECT_TRUE(window.Frame1.visible && window.Frame2.visible && window.Frame4.visible);
    EXPECT_FALSE(window.Frame3.visible);
    EXPECT_FALSE(window.Frame5.visible);
    EXPECT_EQ(engine.state().quizmode, QuizMode::None);
    EXPECT_EQ(engine.vs3().rowCount(), 1) << "load asks no question";
}

TEST_F(EngineTest, StartAndStopSwitchTheLook)
{
    engine.load();
    const Colour designColour = window.Label5.foreColor;
    ASSERT_NE(designColour, colour::lightGrey);
    window.Combo1.pick("4 ler");
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        engine.pressCommand9();
        expectLook(window, true);
        EXPECT_FALSE(window.Label5.visible);
        EXPECT_EQ(window.Label5.foreColor, colour::lightGrey);
        EXPECT_EQ(engine.state().totalcount, 0) << "start zeroes the counters";
        answerRight();
        answerWrong();
        engine.pressChameleonButton2();

        engine.pressCommand9();
        expectLook(window, false);
        EXPECT_TRUE(window.Label5.visible);
        EXPECT_EQ(window.Label5.foreColor, colour::lightGrey);
        EXPECT_EQ(engine.state().totalcount, 2) << "stop keeps the counts behind the zeros";
        EXPECT_EQ(engine.state().rightcount, 1);
        EXPECT_EQ(engine.state().wrongcount, 1);
    }
}

TEST_F(EngineTest, UnknownCaptionStartsNothing)
{
    engine.load();
    window.command9.shown = "Başla ";
    window.log.clear();
    engine.pressCommand9();
    EXPECT_EQ(window.log, fake::CallLog{"Label5.setForeColor(0xC0C0C0)"});
}

enum class Routine : std::uint8_t { load, start, stop, rightAnswer, wrongAnswer };

// Brings the window to where the routine runs, then runs it.
void prepare(EngineRig& rig, Routine routine)
{
    if (routine == Routine::start) {
        rig.engine.load();
    } else if (routine != Routine::load) {
        rig.start("3 ler", text::mixed);
    }
}
void run(EngineRig& rig, Routine routine)
{
    switch (routine) {
    case Routine::load:
        return rig.engine.load();
    case Routine::start:
    case Routine::stop:
        return rig.engine.pressCommand9();
    case Routine::rightAnswer:
        return rig.answerRight();
    case Routine::wrongAnswer:
        return rig.answerWrong();
    }
}

// A routine that carries on: with one control refusing one operation, it
// writes everything it writes without the failure, minus what was refused,
// whether the control throws a std::exception or anything else.
TEST(CarryOn, RefusedStepIsSkippedAndTheRestHappens)
{
    struct Case {
        Routine routine;
        const char* control;
        const char* op;
        std::vector<std::string> lost; // prefixes of the writes that go missing
    };
    const std::vector<Case> cases{
        {Routine::load, "Label4", "setForeColor", {"Label4."}},
        {Routine::load, "Label5", "setCaption", {"Label5."}},
        {Routine::load, "Combo1", "setListIndex", {"Combo1.setListIndex"}},
        {Routine::load, "cev3", "setEnabled", {"cev3."}},
        {Routine::load, "Label10", "setCaption", {"Label10.setCaption"}},
        // The dedication OK passes its failure on: load skips the rest of it.
        {Routine::load, "Frame3", "setVisible", {"Frame3.", "Frame1.", "Frame2.", "Frame4."}},
        {Routine::start, "Label2", "setForeColor", {"Label2."}},
        {Routine::start, "command9", "setCaption", {"command9."}},
        // Without Text1 the answer choices end, the question is still shown.
        {Routine::start, "Text1", "setText", {"Text1.", "cev1.setC", "cev2.setC", "cev3.setC", "cev4.setC"}},
        {Routine::stop, "Label5", "setVisible", {"Label5.setVisible"}},
        {Routine::rightAnswer, "Label9", "setCaption", {"Label9."}},
        {Routine::wrongAnswer, "Frame5", "setVisible", {"Frame5."}},
        {Routine::wrongAnswer, "Label13", "setCaption", {"Label13."}},
    };
    for (const bool nonStandard : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << static_cast<int>(c.routine) << " " << c.control << "."
                                              << c.op << (nonStandard ? ", throwing an int" : ""));
            EngineRig plain;
            EngineRig refusing;
            for (EngineRig* rig : {&plain, &refusing}) {
                prepare(*rig, c.routine);
                rig->window.log.clear();
            }
            refusing.window.refuseWithNonStandardThrow = nonStandard;
            refusing.window.find(c.control).failAlways(c.op);
            run(plain, c.routine);
            EXPECT_NO_THROW(run(refusing, c.routine));

            std::vector<std::string> expected;
            std::copy_if(plain.window.log.begin(), plain.window.log.end(), std::back_inserter(expected),
                         [&](const std::string& write) {
                             return std::none_of(c.lost.begin(), c.lost.end(),
                                                 [&](const std::string& p) { return write.starts_with(p); });
                         });
            ASSERT_LT(expected.size(), plain.window.log.size()) << "the refused step was never tried";
            EXPECT_EQ(refusing.window.log, expected);
        }
    }
}

TEST_F(EngineTest, FailureEndsTheRoutinesThatPassItOn)
{
    start("5 ler", text::sequential);
    answerWrong();
    window.Frame5.failOnCall("setVisible", window.Frame5.calls("setVisible") + 1);
    window.log.clear();
    EXPECT_THROW(engine.pressChameleonButton2(), std::runtime_error);
    EXPECT_TRUE(window.log.empty());
    EXPECT_FALSE(window.Frame1.enabled);
    EXPECT_EQ(shown(), "5x1");

    window.Frame3.failAlways("setVisible");
    EXPECT_THROW(engine.pressChameleonButton1(), std::runtime_error);
    EXPECT_TRUE(window.log.empty());

    engine.pressChameleonButton2(); // the next call goes through
    EXPECT_EQ(shown(), "5x2");
}

} // namespace
} // namespace vorlen::test
