// The quiz engine on a fake window, with a clock that stands still until a
// test moves it and a fixed seed, so every run draws the same questions.
// One stand-in serves every kind of control: it keeps its values in public
// fields (a test sets them as the child would), logs every write, as
// "Label4.setForeColor(16711680)", in one list for the window, and refuses
// the one operation the window names ("cev2.caption") by throwing a
// std::runtime_error, or an int.
#pragma once

#include "engine/quiz_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vorlen::test {

using Log = std::vector<std::string>;

struct Wiring {
    Log log;
    std::string refused; // "name.operation"
    bool refuseWithAnInt = false;
    int refusals = 0;
};

struct Fake final : Label, Button, Panel, DropDownList, TextBox, Timer, WebBrowser {
    Fake(Wiring& wiring, const char* name) : wiring_(wiring), name_(name) {}
    std::string value; // a caption, Text1's text, or the address navigated to
    Colour colour = 0;
    bool visible = true;
    bool enabled = true;
    int index = -1;                        // a list's chosen entry
    std::vector<std::string_view> entries; // a list's entries

    void setCaption(const std::string& text) override { write("setCaption", text, value, text); }
    void setText(const std::string& text) override { write("setText", text, value, text); }
    void navigate(const std::string& address) override { write("navigate", address, value, address); }
    void setForeColor(Colour to) override { write("setForeColor", std::to_string(to), colour, to); }
    void setVisible(bool on) override { write("setVisible", on ? "true" : "false", visible, on); }
    void setEnabled(bool on) override { write("setEnabled", on ? "true" : "false", enabled, on); }
    void setListIndex(int at) override { write("setListIndex", std::to_string(at), index, at); }
    [[nodiscard]] std::string caption() const override { return check("caption"), value; }
    [[nodiscard]] bool isVisible() const override { return check("isVisible"), visible; }
    [[nodiscard]] std::string text() const override
    {
        return check("text"),
               entries.empty() ? value : std::string(entries.at(static_cast<std::size_t>(index)));
    }

private:
    void check(const char* operation) const
    {
        if (wiring_.refused == name_ + "." + operation) {
            ++wiring_.refusals;
            if (wiring_.refuseWithAnInt) {
                throw 1; // NOLINT(hicpp-exception-baseclass): a control may throw anything
            }
            throw std::runtime_error(wiring_.refused + " refused");
        }
    }
    template <typename T> void write(const char* operation, const std::string& logged, T& field, T to)
    {
        check(operation);
        wiring_.log.push_back(name_ + "." + operation + "(" + logged + ")");
        field = to;
    }
    Wiring& wiring_;
    std::string name_;
};

// One stand-in for each part, as the window is created: panels hidden,
// answer buttons locked, timers running, command9 showing "Başla".
// NOLINTBEGIN(readability-identifier-naming)
struct FakeWindow : Wiring {
#define VORLEN_FAKE(name, kind) Fake name{*this, #name};
    VORLEN_PARTS(VORLEN_FAKE)
#undef VORLEN_FAKE
    Fake WebBrowser1{*this, "WebBrowser1"};

    const std::array<Fake*, 4> answers{&cev1, &cev2, &cev3, &cev4};

    FakeWindow()
    {
        Frame1.visible = Frame2.visible = Frame3.visible = Frame4.visible = Frame5.visible = false;
        command9.value = "Başla";
        Combo1.entries = {"Tümü",  "1 ler", "2 ler", "3 ler", "4 ler", "5 ler",
                          "6 lar", "7 ler", "8 ler", "9 lar", "10 lar"};
        Combo2.entries = {"Sıralı", "Karışık"};
    }
    [[nodiscard]] Controls controls()
    {
        return {Frame1,  Frame2,   Frame3,           Frame4,           Frame5,     Label1, Label2,
                Label3,  Label4,   Label5,           Label6,           Label7,     Label8, Label9,
                Label10, Label11,  Label12,          Label13,          cev1,       cev2,   cev3,
                cev4,    command9, chameleonButton1, chameleonButton2, Combo1,     Combo2, Text1,
                {},      Timer1,   Timer2,           Timer3,           WebBrowser1};
    }
};
// NOLINTEND(readability-identifier-naming)

struct EngineRig {
    float now = 45296.25F; // 12:34:56.25
    FakeWindow window;
    QuizEngine engine{window.controls(), RandomSource([this] { return now; }, 0x5EED2024),
                      "http://sayac.invalid/sayac/qelnor.php"};

    static void pick(Fake& list, std::string_view entry)
    {
        list.index = static_cast<int>(std::find(list.entries.begin(), list.entries.end(), entry) -
                                      list.entries.begin());
    }
    // Loads the window, picks the two list entries and presses "Başla".
    void start(std::string_view table, std::string_view order)
    {
        engine.load();
        pick(window.Combo1, table);
        pick(window.Combo2, order);
        engine.pressCommand9();
    }
    [[nodiscard]] std::string shown() const { return window.Label1.value + "x" + window.Label3.value; }

    // 1..4: the answer button that shows the correct answer; 5 if none does.
    [[nodiscard]] int rightButton() const
    {
        const auto is = [this](const Fake* button) { return button->value == engine.state().correctanswer; };
        return static_cast<int>(std::find_if(window.answers.begin(), window.answers.end(), is) -
                                window.answers.begin()) +
               1;
    }
    void press(int n)
    {
        constexpr std::array presses{&QuizEngine::pressCev1, &QuizEngine::pressCev2, &QuizEngine::pressCev3,
                                     &QuizEngine::pressCev4};
        (engine.*presses.at(static_cast<std::size_t>(n - 1)))();
    }
    void answerRight() { press(rightButton()); }
    void answerWrong() { press(rightButton() % 4 + 1); }
    // The next question: by a right answer, or every third time by a wrong
    // one and the panel's OK, which must lead to the same.
    void advance(std::size_t i)
    {
        i % 3 == 2 ? (answerWrong(), engine.pressChameleonButton2()) : answerRight();
    }

    // The four captions are the first factor times four distinct factors
    // 1..10, one of them the second, which makes the correct answer; the last
    // caption stays in Text1.
    void expectChoices(bool asked)
    {
        const int a = std::stoi(window.Label1.value);
        const int b = std::stoi(window.Label3.value);
        if (asked) {
            EXPECT_EQ(engine.state().correctanswer, std::to_string(a * b));
        }
        std::set<int> factors;
        for (const Fake* answer : window.answers) {
            const int product = std::stoi(answer->value);
            EXPECT_EQ(product % a, 0) << product;
            factors.insert(product / a);
        }
        EXPECT_EQ(factors.size(), 4U);
        EXPECT_TRUE(factors.contains(b) && *factors.begin() >= 1 && *factors.rbegin() <= 10);
        EXPECT_EQ(window.Text1.value, window.cev4.value);
    }
};

class EngineTest : public ::testing::Test, protected EngineRig {};

} // namespace vorlen::test
