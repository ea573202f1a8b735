// Whole quizzes played through the handlers only: the order in which each
// mode asks its questions, its cycles, and the answer choices of every
// question.
#include "engine/texts.h"
#include "tests/engine/engine_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorlen::test {
namespace {

// Every question of one cycle as "axb", in sequential order.
std::vector<std::string> sequentialCycle(std::string_view table)
{
    std::vector<std::string> questions;
    for (std::size_t a = 1; a <= 10; ++a) {
        for (int b = 1; b <= 10; ++b) {
            if (table == text::allTables || table == text::tables[a - 1]) {
                questions.push_back(std::to_string(a) + "x" + std::to_string(b));
            }
        }
    }
    return questions;
}

class EveryTable : public EngineTest, public ::testing::WithParamInterface<std::string_view> {};

INSTANTIATE_TEST_SUITE_P(TableList, EveryTable, ::testing::ValuesIn(text::tableList),
                         [](const ::testing::TestParamInfo<std::string_view>& param) {
                             return param.index == 0 ? std::string("AllTables")
                                                     : "Table" + std::to_string(param.index);
                         });

TEST_P(EveryTable, SequentialOrderWalksTheCycleThenStartsAgain)
{
    const std::vector<std::string> cycle = sequentialCycle(GetParam());
    start(GetParam(), text::sequential);
    for (std::size_t i = 0; i <= cycle.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(shown(), cycle[i % cycle.size()]);
        expectChoices(true);
        advance(i);
    }
    engine.pressCommand9(); // stop
    engine.pressCommand9(); // start with the same choices
    EXPECT_EQ(shown(), cycle[0]);
}

TEST_P(EveryTable, MixedOrderAsksEveryQuestionOncePerCycle)
{
    const std::vector<std::string> cycle = sequentialCycle(GetParam());
    const std::set<std::string> all(cycle.begin(), cycle.end());
    const ScratchTable& used = GetParam() == text::allTables ? engine.vs3() : engine.vs1();
    start(GetParam(), text::mixed);
    for (int round = 0; round < 2; ++round) {
        std::set<std::string> asked;
        for (std::size_t i = 0; i < cycle.size(); ++i) {
            SCOPED_TRACE(::testing::Message() << "round " << round << ", question " << i);
            expectChoices(true);
            asked.insert(shown());
            EXPECT_EQ(used.rowCount(), i + 1 == cycle.size() ? 1 : static_cast<int>(i) + 2);
            advance(i);
        }
        EXPECT_EQ(asked, all);
    }
}

TEST_F(EngineTest, RightAnswerLandsOnEveryButtonAlike)
{
    start(text::allTables, text::mixed);
    std::array<int, 4> hits{};
    constexpr int questions = 4000;
    for (int i = 0; i < questions; ++i) {
        const int button = rightButton();
        ASSERT_NE(button, 0);
        ++hits[static_cast<std::size_t>(button - 1)];
        answerRight();
    }
    double chiSquare = 0;
    for (const int observed : hits) {
        const double expected = questions / 4.0;
        chiSquare += (observed - expected) * (observed - expected) / expected;
    }
    // 16.27 is the 0.1 % point of the chi-square distribution with 3 degrees of freedom.
    EXPECT_LT(chiSquare, 16.27) << hits[0] << " " << hits[1] << " " << hits[2] << " " << hits[3];
}

TEST_F(EngineTest, FrozenClockStillReachesEveryQuestion)
{
    struct Case {
        QuizMode mode;
        std::size_t questions; // distinct questions of the mode
    };
    constexpr std::array<Case, 4> cases{{{QuizMode::SingleMixed, 10},
                                         {QuizMode::SingleSequential, 10},
                                         {QuizMode::AllMixed, 100},
                                         {QuizMode::AllSequential, 100}}};
    now = 0.0F; // midnight, and it stays there
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        engine.state().seqfirst = 1;
        engine.state().seqsecond = 1;
        engine.state().tableno = 9;
        engine.state().quizmode = c.mode;
        std::set<std::string> asked;
        for (int i = 0; i < 1000; ++i) {
            engine.sor();
            asked.insert(shown());
        }
        expectChoices(true);
        EXPECT_EQ(asked.size(), c.questions);
    }
}

TEST_F(EngineTest, StartResetsOnlyWhatItsModeUses)
{
    start("7 ler", text::sequential);
    answerRight();
    answerRight();
    engine.pressCommand9();
    engine.tickTimer1(); // leaves a sample pair in vs3
    window.Combo1.pick(text::allTables);
    window.Combo2.pick(text::mixed);
    engine.pressCommand9();
    EXPECT_EQ(engine.state().quizmode, QuizMode::AllMixed);
    EXPECT_EQ(engine.state().tableno, 7);
    EXPECT_EQ(engine.state().seqsecond, 3);
    EXPECT_EQ(engine.vs3().rowCount(), 2);

    answerRight();
    engine.pressCommand9();
    window.Combo1.pick("6 lar");
    engine.pressCommand9();
    EXPECT_EQ(engine.state().tableno, 6);
    EXPECT_EQ(engine.state().quizmode, QuizMode::SingleMixed);
    EXPECT_EQ(engine.vs1().rowCount(), 2);
    EXPECT_EQ(engine.vs3().rowCount(), 3) << "a single-table start leaves the used pairs alone";
    answerRight();
    answerRight();

    engine.pressCommand9();
    window.Combo2.pick(text::sequential);
    engine.pressCommand9();
    EXPECT_EQ(engine.vs1().rowCount(), 4) << "a sequential start leaves the used factors alone";
    EXPECT_EQ(shown(), "6x1");

    engine.pressCommand9();
    window.Combo2.pick(text::mixed);
    engine.pressCommand9();
    EXPECT_EQ(engine.vs1().rowCount(), 2) << "a mixed start empties them";
}

TEST_F(EngineTest, AskingWithoutModeStoresTheProductOnScreen)
{
    engine.sor();
    EXPECT_EQ(engine.state().correctanswer, "0");
    EXPECT_TRUE(window.log.empty()) << "no question method runs";

    engine.load();
    engine.tickTimer1();
    engine.sor();
    EXPECT_EQ(engine.state().correctanswer,
              std::to_string(std::stoi(window.Label1.caption) * std::stoi(window.Label3.caption)));
}

TEST_F(EngineTest, OverflowingProductLeavesTheAnswerAndReachesTheCaller)
{
    engine.state().correctanswer = "42";
    engine.state().factora = 200;
    engine.state().factorb = 200;
    EXPECT_THROW(engine.sor(), std::overflow_error);
    EXPECT_EQ(engine.state().correctanswer, "42");

    // An answer press carries on past it: the right answer is still counted.
    window.cev2.shown = "42";
    EXPECT_NO_THROW(engine.pressCev2());
    EXPECT_EQ(window.Label10.caption, "1");
    EXPECT_EQ(engine.state().correctanswer, "42");
}

// The time of day is mixed into every draw: the same seed at another time
// asks other questions, and the same seed at the same time asks the same.
TEST(Reseeding, TheClockDecidesTheMixedQuestions)
{
    const auto play = [](float now, std::string_view table) {
        EngineRig rig;
        rig.now = now;
        rig.start(table, text::mixed);
        std::string run;
        for (int i = 0; i < 10; ++i) {
            run += rig.shown() + ":" + rig.window.cev1.shown + "," + rig.window.cev2.shown + " ";
            rig.answerRight();
        }
        return run;
    };
    for (const std::string_view table : {text::allTables, text::tables[6]}) {
        SCOPED_TRACE(table);
        EXPECT_EQ(play(30000.0F, table), play(30000.0F, table));
        EXPECT_NE(play(30000.0F, table), play(30000.5F, table));
    }
}

} // namespace
} // namespace vorlen::test
