// Whole quizzes played through the handlers only: the order in which each
// mode asks its questions, its cycles, and the answer choices of every
// question.
#include "tests/engine/engine_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace vorlen::test {
namespace {

struct Table {
    const char* entry;
    int number; // 0 for all tables
};
void PrintTo(const Table& table, std::ostream* out)
{
    *out << table.entry;
}
class EveryTable : public EngineTest, public ::testing::WithParamInterface<Table> {};
INSTANTIATE_TEST_SUITE_P(TableList, EveryTable,
                         ::testing::Values(Table{"Tümü", 0}, Table{"1 ler", 1}, Table{"2 ler", 2},
                                           Table{"3 ler", 3}, Table{"4 ler", 4}, Table{"5 ler", 5},
                                           Table{"6 lar", 6}, Table{"7 ler", 7}, Table{"8 ler", 8},
                                           Table{"9 lar", 9}, Table{"10 lar", 10}));

TEST_P(EveryTable, SequentialWalksTheCycleAndMixedAsksEachQuestionOncePerCycle)
{
    std::vector<std::string> cycle; // in sequential order
    for (int a = 1; a <= 10; ++a) {
        for (int b = 1; b <= 10; ++b) {
            if (GetParam().number == 0 || GetParam().number == a) {
                cycle.push_back(std::to_string(a) + "x" + std::to_string(b));
            }
        }
    }
    start(GetParam().entry, "Sıralı");
    for (std::size_t i = 0; i <= cycle.size(); ++i) {
        EXPECT_EQ(shown(), cycle[i % cycle.size()]) << i;
        expectChoices(true);
        advance(i);
    }
    engine.pressCommand9();
    engine.pressCommand9(); // stopped and started again: from the first question
    EXPECT_EQ(shown(), cycle[0]);

    engine.pressCommand9();
    pick(window.Combo2, "Karışık");
    engine.pressCommand9();
    answerRight();
    engine.pressCommand9();
    engine.tickTimer1();    // a sample
    engine.pressCommand9(); // a new start forgets what the last quiz and the sample asked
    const std::set<std::string> all(cycle.begin(), cycle.end());
    for (int round = 0; round < 2; ++round) {
        std::set<std::string> asked;
        for (std::size_t i = 0; i < cycle.size(); ++i) {
            expectChoices(true);
            asked.insert(shown());
            advance(i);
        }
        EXPECT_EQ(asked, all) << "round " << round;
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
    for (const auto& [order, table, questions] :
         std::vector<std::tuple<const char*, const char*, std::size_t>>{{"Karışık", "9 lar", 10},
                                                                        {"Karışık", "Tümü", 100}}) {
        start(table, order);
        std::set<std::string> asked;
        for (int i = 0; i < 1000; ++i) {
            asked.insert(shown());
            answerRight();
        }
        expectChoices(true);
        EXPECT_EQ(asked.size(), questions) << order << " " << table;
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
