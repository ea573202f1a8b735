// The window's load, start and stop, judging and counting answers, the two
// OK buttons, the three timers, and what each routine does when a control
// refuses a step.
#include "tests/engine/engine_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace vorlen::test {
namespace {

// The colours of Label1..4 and Label6..11, as 0x00BBGGRR.
constexpr Colour grey = 0xC0C0C0;
constexpr Colour red = 0x0000FF;
constexpr Colour blue = 0xFF0000;
constexpr Colour green = 0x00C000;
const std::vector<Colour> idle{grey, grey, grey, blue, grey, grey, grey, grey, grey, grey};
const std::vector<Colour> running{red, red, red, grey, blue, green, red, blue, green, red};

void expectLook(FakeWindow& window, bool quiz)
{
    std::vector<Colour> colours;
    for (const Fake* label :
         {&window.Label1, &window.Label2, &window.Label3, &window.Label4, &window.Label6, &window.Label7,
          &window.Label8, &window.Label9, &window.Label10, &window.Label11}) {
        colours.push_back(label->colour);
    }
    EXPECT_EQ(colours, quiz ? running : idle);
    for (const Fake* button : window.answers) {
        EXPECT_EQ(button->enabled, quiz);
    }
    EXPECT_EQ(window.Combo1.enabled && window.Combo2.enabled && window.Timer1.enabled, !quiz);
    EXPECT_EQ(window.command9.value, quiz ? "Dur" : "Başla");
    EXPECT_EQ(window.Label5.visible, !quiz);
    if (!quiz) {
        EXPECT_EQ(window.Label9.value + window.Label10.value + window.Label11.value, "000");
    }
}

TEST_F(EngineTest, LoadLeavesTheWindowIdleAndStartAndStopSwitchTheLook)
{
    window.Combo1.index = 5;
    window.Timer1.enabled = false;
    engine.load();
    expectLook(window, false);
    EXPECT_EQ(window.Label5.value,
              "Çarpım tablosunu öğrenen\rbütün çocuklara, sevgiyle\rarmağan edilmiştir.");
    EXPECT_EQ(window.Combo1.text() + window.Combo2.text(), "TümüSıralı");
    EXPECT_TRUE(window.Frame1.visible && window.Frame2.visible && window.Frame4.visible);
    EXPECT_FALSE(window.Frame3.visible || window.Frame5.visible);
    EXPECT_EQ(engine.state().quizmode, QuizMode::None);

    ASSERT_NE(window.Label5.colour, grey);
    pick(window.Combo1, "4 ler");
    for (int round = 0; round < 2; ++round) {
        engine.pressCommand9();
        expectLook(window, true);
        EXPECT_EQ(window.Label5.colour, grey);
        EXPECT_EQ(engine.state().totalcount, 0) << "start zeroes the counters";
        answerRight();
        answerWrong();
        engine.pressChameleonButton2();
        engine.pressCommand9();
        expectLook(window, false);
        EXPECT_EQ(engine.state().totalcount + engine.state().rightcount + engine.state().wrongcount, 4)
            << "stop keeps the counts behind the zeros";
    }
    window.command9.value = "Başla ";
    window.log.clear();
    engine.pressCommand9();
    EXPECT_EQ(window.log, Log{"Label5.setForeColor(12632256)"}) << "an unknown caption starts nothing";
}

TEST_F(EngineTest, RightAnswerCountsAndAsksAtOnceWrongOpensThePanel)
{
    start("6 lar", "Sıralı");
    window.log.clear();
    answerRight();
    EXPECT_EQ(window.log.at(0), "Label9.setCaption(1)");
    EXPECT_EQ(window.log.at(1), "Label10.setCaption(1)");
    EXPECT_EQ(shown(), "6x2");
    answerRight();
    window.log.clear();
    answerWrong();
    EXPECT_EQ(window.log,
              (Log{"Label9.setCaption(3)", "Label13.setCaption(DOĞRU CEVAP : 18)", "Frame5.setVisible(true)",
                   "Frame1.setEnabled(false)", "Frame2.setEnabled(false)", "Frame4.setEnabled(false)",
                   "Label11.setCaption(1)"}));
    EXPECT_EQ(shown(), "6x3");

    window.log.clear();
    engine.pressChameleonButton2();
    EXPECT_EQ(Log(window.log.begin(), window.log.begin() + 4),
              (Log{"Frame5.setVisible(false)", "Frame1.setEnabled(true)", "Frame2.setEnabled(true)",
                   "Frame4.setEnabled(true)"}));
    EXPECT_EQ(shown(), "6x4") << "the panel's OK asks the next question";
    answerWrong();
    EXPECT_EQ(window.Label13.value, "DOĞRU CEVAP : 24") << "a second miss replaces the line";
    EXPECT_EQ(window.Label9.value + window.Label10.value + window.Label11.value, "422");
}

TEST_F(EngineTest, OnlyTheExactCaptionIsRightAndAnUnreadableOneIsWrong)
{
    start("Tümü", "Sıralı"); // 1 x 1
    for (const auto& [caption, right] : std::vector<std::pair<const char*, bool>>{
             {"1 ", false}, {" 1", false}, {"01", false}, {"1", true}}) {
        const std::int16_t before = engine.state().rightcount;
        window.cev3.value = caption;
        engine.pressCev3();
        EXPECT_EQ(engine.state().rightcount, before + (right ? 1 : 0)) << caption;
        EXPECT_EQ(window.Frame5.visible, !right) << caption;
        window.Frame5.visible = false;
    }
    window.refused = "cev2.caption";
    engine.pressCev2();
    EXPECT_EQ(window.Label9.value + window.Label10.value + window.Label11.value, "514");
    EXPECT_TRUE(window.Frame5.visible);
    EXPECT_EQ(window.Label13.value, "DOĞRU CEVAP : 2");
}

TEST_F(EngineTest, CounterAtItsLimitStaysThereAndThePressGoesOn)
{
    for (const auto& [counter, label, right] :
         std::vector<std::tuple<std::int16_t QuizState::*, Fake FakeWindow::*, bool>>{
             {&QuizState::totalcount, &FakeWindow::Label9, true},
             {&QuizState::rightcount, &FakeWindow::Label10, true},
             {&QuizState::wrongcount, &FakeWindow::Label11, false}}) {
        EngineRig rig;
        rig.start("8 ler", "Sıralı");
        rig.engine.state().*counter = 32767;
        right ? rig.answerRight() : rig.answerWrong();
        EXPECT_EQ(rig.engine.state().*counter, 32767);
        EXPECT_EQ((rig.window.*label).value, "32767");
        EXPECT_EQ(rig.shown(), right ? "8x2" : "8x1");
        EXPECT_EQ(rig.window.Frame5.visible, !right);
    }
}

TEST_F(EngineTest, BlinkAlternatesOnlyWhileThePanelIsOpen)
{
    start("Tümü", "Karışık");
    const auto blink = [&] {
        engine.tickTimer2();
        return std::to_string(window.Label12.visible) + std::to_string(window.Label13.visible);
    };
    EXPECT_EQ(blink(), "11") << "panel closed: nothing changes";
    answerWrong();
    EXPECT_EQ(blink() + blink() + blink(), "100110");
    engine.pressChameleonButton2();
    EXPECT_EQ(blink(), "10") << "closed again: the labels hold";
    answerWrong();
    EXPECT_EQ(blink(), "01") << "the phase carries on, it is not reset";
}

TEST_F(EngineTest, IdleTicksShowSamplesThatCannotBeAnsweredAndStopDuringAQuiz)
{
    engine.load();
    engine.state().totalcount = 5;
    engine.state().correctanswer = "12";
    for (int pair = 1; pair <= 40; ++pair) {
        engine.vs3().append(0, "9x" + std::to_string(pair)); // left over from an earlier quiz
    }
    window.log.clear();
    std::set<std::string> samples;
    for (int tick = 0; tick < 200; ++tick) {
        engine.tickTimer1();
        ASSERT_EQ(engine.vs3().rowCount(), 2) << "each tick draws from all hundred pairs";
        expectChoices(false);
        samples.insert(shown());
    }
    EXPECT_GT(samples.size(), 50U);
    EXPECT_EQ(engine.state().correctanswer + std::to_string(engine.state().totalcount), "125");
    const std::set<std::string> allowed{"Label1.setCaption", "Label3.setCaption", "Text1.setText",
                                        "cev1.setCaption",   "cev2.setCaption",   "cev3.setCaption",
                                        "cev4.setCaption"};
    for (const std::string& write : window.log) {
        EXPECT_TRUE(allowed.contains(write.substr(0, write.find('(')))) << write;
    }

    engine.pressCommand9();
    const std::string question = shown();
    window.log.clear();
    engine.tickTimer1();
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(shown(), question);
}

TEST(VisitCounter, NavigatesOnceAndSwitchesItselfOff)
{
    for (const bool refused : {false, true}) {
        EngineRig rig;
        rig.window.refused = refused ? "WebBrowser1.navigate" : "";
        rig.engine.tickTimer3();
        const Log off{"Timer3.setEnabled(false)"};
        EXPECT_EQ(
            rig.window.log,
            (refused ? off : Log{"WebBrowser1.navigate(http://sayac.invalid/sayac/qelnor.php)", off[0]}));
        EXPECT_EQ(rig.window.refusals, refused ? 1 : 0);
    }
}

// A routine that carries on: with one control refusing one operation, it
// writes everything it writes without the failure but the refused write and
// the writes named after it, whether the control throws a std::exception or
// anything else.
TEST(CarryOn, RefusedStepIsSkippedAndTheRestHappens)
{
    enum Routine : std::uint8_t { load, start, stop, rightAnswer, wrongAnswer };
    const auto play = [](Routine routine, const std::string& refused, bool anInt) {
        EngineRig rig;
        routine == start ? rig.engine.load() : routine != load ? rig.start("3 ler", "Karışık") : void();
        rig.window.log.clear();
        rig.window.refused = refused;
        rig.window.refuseWithAnInt = anInt;
        routine == load          ? rig.engine.load()
        : routine <= stop        ? rig.engine.pressCommand9()
        : routine == rightAnswer ? rig.answerRight()
                                 : rig.answerWrong();
        EXPECT_EQ(rig.window.refusals, refused.empty() ? 0 : 1) << refused;
        return rig.window.log;
    };
    for (const bool anInt : {false, true}) {
        for (const auto& [routine, refused, alsoLost] : std::vector<std::tuple<Routine, std::string, Log>>{
                 {load, "Label4.setForeColor", {}},
                 {load, "Label5.setCaption", {}},
                 {load, "Combo1.setListIndex", {}},
                 {load, "cev3.setEnabled", {}},
                 {load, "Label10.setCaption", {}},
                 // The dedication OK passes its failure on: load skips the rest of it.
                 {load, "Frame3.setVisible", {"Frame1.", "Frame2.", "Frame4."}},
                 {start, "Label2.setForeColor", {}},
                 {start, "command9.setCaption", {}},
                 // Without Text1 the answer choices end, the question is still shown.
                 {start, "Text1.setText", {"cev1.setC", "cev2.setC", "cev3.setC", "cev4.setC"}},
                 {stop, "Label5.setVisible", {}},
                 {rightAnswer, "Label9.setCaption", {}},
                 {wrongAnswer, "Frame5.setVisible", {}},
                 {wrongAnswer, "Label13.setCaption", {}}}) {
            Log expected = play(routine, "", false);
            std::erase_if(expected, [&lost = alsoLost, &step = refused](const std::string& write) {
                return write.starts_with(step) ||
                       std::any_of(lost.begin(), lost.end(), [&](auto& p) { return write.starts_with(p); });
            });
            EXPECT_EQ(play(routine, refused, anInt), expected) << refused << (anInt ? ", an int" : "");
        }
    }
}

TEST_F(EngineTest, FailureEndsTheRoutinesThatPassItOn)
{
    start("5 ler", "Sıralı");
    answerWrong();
    window.log.clear();
    for (const auto& [refused, routine] : std::vector<std::pair<const char*, void (QuizEngine::*)()>>{
             {"Frame5.setVisible", &QuizEngine::pressChameleonButton2},
             {"Frame3.setVisible", &QuizEngine::pressChameleonButton1},
             {"command9.caption", &QuizEngine::tickTimer1}}) {
        window.refused = refused;
        EXPECT_THROW((engine.*routine)(), std::runtime_error) << refused;
    }
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(shown(), "5x1");
    window.refused.clear();
    engine.pressChameleonButton2(); // the next call goes through
    EXPECT_EQ(shown(), "5x2");
}

} // namespace
} // namespace vorlen::test
