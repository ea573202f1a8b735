// A quiz engine wired to a fake window, with a clock that stands still until a
// test moves it and a fixed seed, so every run draws the same questions; plus
// the few moves a child makes (pick, start, answer right or wrong).
#pragma once

#include "engine/quiz_engine.h"
#include "tests/engine/fake_controls.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace vorlen::test {

inline constexpr std::uint64_t fixedSeed = 0x5EED2024;
inline constexpr std::string_view counterAddress = "http://sayac.invalid/sayac/qelnor.php";

struct EngineRig {
    float now = 45296.25F; // 12:34:56.25
    fake::FakeWindow window;
    QuizEngine engine{window.controls(), RandomSource([this] { return now; }, fixedSeed),
                      std::string(counterAddress)};

    EngineRig() = default;
    EngineRig(const EngineRig&) = delete;
    EngineRig& operator=(const EngineRig&) = delete;

    // Loads the window, picks the two list entries and presses "Başla".
    void start(std::string_view table, std::string_view order)
    {
        engine.load();
        window.Combo1.pick(table);
        window.Combo2.pick(order);
        engine.pressCommand9();
    }

    // The question on screen as "axb".
    [[nodiscard]] std::string shown() const { return window.Label1.caption + "x" + window.Label3.caption; }

    // 1..4: the answer button whose caption is the correct answer; 0 if none.
    [[nodiscard]] int rightButton()
    {
        for (int n = 1; n <= 4; ++n) {
            if (window.answers()[static_cast<std::size_t>(n - 1)]->shown == engine.state().correctanswer) {
                return n;
            }
        }
        return 0;
    }

    void press(int n)
    {
        switch (n) {
        case 1:
            return engine.pressCev1();
        case 2:
            return engine.pressCev2();
        case 3:
            return engine.pressCev3();
        default:
            return engine.pressCev4();
        }
    }
    void answerRight() { press(rightButton()); }
    void answerWrong() { press(rightButton() % 4 + 1); }

    // Moves on to the next question: mostly by a right answer, every third
    // time by a wrong one and the panel's OK, which must lead to the same.
    void advance(std::size_t i)
    {
        if (i % 3 == 2) {
            answerWrong();
            engine.pressChameleonButton2();
        } else {
            answerRight();
        }
    }

    // The factors on screen agree with the state, and the four captions are
    // the first factor times four distinct second factors, one of them the
    // shown one, in the order of the keys 1..4 in vs2, the last also in Text1.
    void expectChoices(bool askedThroughSor)
    {
        const int a = std::stoi(window.Label1.caption);
        const int b = std::stoi(window.Label3.caption);
        EXPECT_EQ(engine.state().factora, a);
        EXPECT_EQ(engine.state().factorb, b);
        if (askedThroughSor) {
            EXPECT_EQ(engine.state().correctanswer, std::to_string(a * b));
            EXPECT_NE(rightButton(), 0);
        }
        ScratchTable& vs2 = engine.vs2();
        ASSERT_EQ(vs2.rowCount(), 5);
        std::set<std::string> captions;
        int right = 0;
        for (int row = 1; row <= 4; ++row) {
            const std::string& caption = window.answers()[static_cast<std::size_t>(row - 1)]->shown;
            const int factor = vs2.cellNumber(row, 0);
            EXPECT_EQ(vs2.cell(row, 1), std::to_string(row));
            EXPECT_TRUE(factor >= 1 && factor <= 10) << factor;
            EXPECT_EQ(caption, std::to_string(factor * a));
            captions.insert(caption);
            right += caption == std::to_string(a * b) ? 1 : 0;
        }
        EXPECT_EQ(captions.size(), 4U);
        EXPECT_EQ(right, 1);
        EXPECT_EQ(window.Text1.value, window.cev4.shown);
    }
};

class EngineTest : public ::testing::Test, protected EngineRig {};

} // namespace vorlen::test
