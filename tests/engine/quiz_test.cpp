// Whole quizzes played through the handlers only: the order in which each
// mode asks its questions, its cycles, and the answer choices of every
// question.
#include "tests/engine/engine_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vorlen::test {
namespace {

// Every entry of the table list: all tables, then tables 1 to 10.
TEST(EveryTable, SequentialWalksTheCycleAndMixedAsksEachQuestionOncePerCycle)
{
    for (int number = 0; number <= 10; ++number) {
        EngineRig rig;
        const std::string_view entry = rig.window.Combo1.entries.at(static_cast<std::size_t>(number));
        SCOPED_TRACE(entry);
        std::vector<std::string> cycle; // in sequential order
        for (int a = 1; a <= 10; ++a) {
            for (int b = 1; b <= 10 && (number == 0 || number == a); ++b) {
                cycle.push_back(std::to_string(a) + "x" + std::to_string(b));
            }
        }
        rig.start(entry, "Sıralı");
        for (std::size_t i = 0; i <= cycle.size(); ++i) {
            EXPECT_EQ(rig.shown(), cycle[i % cycle.size()]) << i;
            rig.expectChoices(true);
            rig.advance(i);
        }
        rig.engine.pressCommand9();
        rig.engine.pressCommand9(); // stopped and started again: from the first question
        EXPECT_EQ(rig.shown(), cycle[0]);

        rig.engine.pressCommand9();
        EngineRig::pick(rig.window.Combo2, "Karışık");
        rig.engine.pressCommand9();
        rig.answerRight();
        rig.engine.pressCommand9();
        rig.engine.tickTimer1();    // a sample
        rig.engine.pressCommand9(); // a new start forgets what the last quiz and the sample asked
        const std::set<std::string> all(cycle.begin(), cycle.end());
        for (int round = 0; round < 2; ++round) {
            std::set<std::string> asked;
            for (std::size_t i = 0; i < cycle.size(); ++i) {
                rig.expectChoices(true);
                asked.insert(rig.shown());
                rig.advance(i);
            }
            EXPECT_EQ(asked, all) << "round " << round;
        }
    }
}

TEST_F(EngineTest, RightAnswerLandsOnEveryButtonAlike)
{
    start("Tümü", "Karışık");
    std::array<int, 4> hits{};
    for (int i = 0; i < 4000; ++i) {
        ASSERT_LT(rightButton(), 5);
        ++hits.at(static_cast<std::size_t>(rightButton() - 1));
        answerRight();
    }
    double chiSquare = 0;
    for (const int observed : hits) {
        chiSquare += (observed - 1000.0) * (observed - 1000.0) / 1000.0;
    }
    // 16.27 is the 0.1 % point of the chi-square distribution with 3 degrees of freedom.
    EXPECT_LT(chiSquare, 16.27) << hits[0] << " " << hits[1] << " " << hits[2] << " " << hits[3];
}

TEST_F(EngineTest, FrozenClockStillReachesEveryQuestion)
{
    now = 0.0F; // midnight, and it stays there
    for (const auto& [table, questions] :
         std::vector<std::pair<const char*, std::size_t>>{{"9 lar", 10}, {"Tümü", 100}}) {
        start(table, "Karışık");
        std::set<std::string> asked;
        for (int i = 0; i < 1000; ++i) {
            asked.insert(shown());
            answerRight();
        }
        expectChoices(true);
        EXPECT_EQ(asked.size(), questions) << table;
        engine.pressCommand9();
    }
}

// The time of day is mixed into every draw: the same seed at another time
// asks other questions, and the same seed at the same time asks the same.
TEST(Reseeding, TheClockDecidesTheMixedQuestions)
{
    const auto play = [](float now, const char* table) {
        EngineRig rig;
        rig.now = now;
        rig.start(table, "Karışık");
        std::string run;
        for (int i = 0; i < 10; ++i) {
            run += rig.shown() + ":" + rig.window.cev1.value + "," + rig.window.cev2.value + " ";
            rig.answerRight();
        }
        return run;
    };
    for (const char* table : {"Tümü", "7 ler"}) {
        EXPECT_EQ(play(30000.0F, table), play(30000.0F, table)) << table;
        EXPECT_NE(play(30000.0F, table), play(30000.5F, table)) << table;
    }
}

} // namespace
} // namespace vorlen::test
