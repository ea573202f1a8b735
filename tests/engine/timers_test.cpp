// The idle sample questions of Timer1 and the one visit of Timer3. (The blink
// of Timer2 belongs with the wrong-answer panel, in answers_test.cpp.)
#include "engine/texts.h"
#include "tests/engine/engine_fixture.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

namespace vorlen::test {
namespace {

TEST_F(EngineTest, IdleTicksShowSamplesThatCannotBeAnswered)
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
        SCOPED_TRACE(tick);
        engine.tickTimer1();
        ASSERT_EQ(engine.vs3().rowCount(), 2);
        EXPECT_EQ(engine.vs3().cell(1, 0), shown());
        expectChoices(false);
        samples.insert(shown());
    }
    EXPECT_GT(samples.size(), 50U) << "each tick draws from all hundred pairs";
    EXPECT_EQ(engine.state().correctanswer, "12");
    EXPECT_EQ(engine.state().totalcount, 5);
    EXPECT_EQ(engine.state().quizmode, QuizMode::None);
    const std::set<std::string> allowed{"Label1.setCaption", "Label3.setCaption", "Text1.setText",
                                        "cev1.setCaption",   "cev2.setCaption",   "cev3.setCaption",
                                        "cev4.setCaption"};
    for (const std::string& write : window.log) {
        EXPECT_TRUE(allowed.contains(write.substr(0, write.find('(')))) << write;
    }
}

TEST_F(EngineTest, IdleTicksStopWhileAQuizRuns)
{
    start(text::allTables, text::mixed);
    answerRight();
    const std::string question = shown();
    window.log.clear();
    for (int tick = 0; tick < 5; ++tick) {
        engine.tickTimer1();
    }
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(engine.vs3().rowCount(), 3);
    EXPECT_EQ(shown(), question);
}

TEST_F(EngineTest, IdleTickPassesAnUnreadableButtonOn)
{
    engine.load();
    window.command9.failAlways("caption");
    engine.vs3().append(0, "2x2");
    EXPECT_THROW(engine.tickTimer1(), std::runtime_error);
    EXPECT_EQ(engine.vs3().rowCount(), 2);
}

TEST(VisitCounter, NavigatesOnceAndSwitchesItselfOff)
{
    for (const bool refused : {false, true}) {
        SCOPED_TRACE(refused);
        EngineRig rig;
        if (refused) {
            rig.window.WebBrowser1.failAlways("navigate");
        }
        rig.engine.tickTimer3();
        EXPECT_EQ(rig.window.WebBrowser1.calls("navigate"), 1);
        EXPECT_EQ(rig.window.WebBrowser1.visited, refused ? "" : counterAddress);
        EXPECT_FALSE(rig.window.Timer3.enabled);
    }
}

} // namespace
} // namespace vorlen::test
