// The window model with no toolkit: an event goes in; the parts that changed,
// their names, what is announced and where the focus goes come out. Every
// front end only applies these, so what a child sees and hears is proved here.
#include "tests/present/form_fixture.h"
#include "tests/support/form_probe.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace vorlen::present {
namespace {

using P = Part;
using test::bits;
using test::FormTest;

TEST_F(FormTest, LoadChangesWhatTheLoadStepChangedAndFocusesTheStartButton)
{
    using enum Property;
    const std::vector<std::pair<P, std::uint16_t>> expected{
        {P::Frame1, bits({Visible})},          {P::Frame2, bits({Visible})},
        {P::Frame4, bits({Visible})},          {P::Label1, bits({Colour})},
        {P::Label2, bits({Colour})},           {P::Label3, bits({Colour})},
        {P::Label4, bits({Colour})},           {P::Label5, bits({Caption, Name})},
        {P::Label6, bits({Colour, Name})}, // "Toplam soru sayısı : 0"
        {P::Label7, bits({Colour, Name})},     {P::Label8, bits({Colour, Name})},
        {P::Label9, bits({Caption, Colour})}, // "555" becomes "0"
        {P::Label10, bits({Caption, Colour})}, {P::Label11, bits({Caption, Colour})},
        {P::Combo1, bits({Enabled, Choice})},  {P::Combo2, bits({Enabled, Choice})},
    };
    const Update& update = form.load();
    std::vector<std::pair<P, std::uint16_t>> changes;
    for (const Change& change : update.changes) {
        changes.emplace_back(change.part, change.what);
    }
    EXPECT_EQ(changes, expected);
    EXPECT_EQ(update.focus, P::command9);
    EXPECT_FALSE(update.announcement);
    EXPECT_EQ(at(P::Label9).colour, 0xC0C0C0U);
    EXPECT_EQ(form.model().choiceText(P::Combo1), "Tümü");
    EXPECT_TRUE(form.load().empty()) << "the load step runs once";
}

TEST_F(FormTest, EachPartIsAppliedOnceWithItsLastValueAndOnlyWhenItChanged)
{
    form.load();
    for (int tick = 0; tick < 20; ++tick) {
        const Update& update = form.tick(P::Timer1);
        std::vector<P> parts;
        for (const Change& change : update.changes) {
            // A sample's answer is called what it shows.
            const bool answer = design::kind(change.part) == design::Kind::Button;
            EXPECT_EQ(change.what,
                      answer ? bits({Property::Caption, Property::Name}) : bits({Property::Caption}))
                << design::name(change.part);
            parts.push_back(change.part);
        }
        EXPECT_TRUE(std::is_sorted(parts.begin(), parts.end()));
        EXPECT_EQ(std::adjacent_find(parts.begin(), parts.end()), parts.end()) << "each part once";
        // Text1 was written once per answer button; its last value stays.
        EXPECT_EQ(at(P::Text1).caption, at(P::cev4).caption);
        EXPECT_FALSE(update.announcement || update.focus);
    }
    EXPECT_TRUE(form.tick(P::Timer2).empty()) << "the blink does nothing while the panel is closed";
    // The child's own choice is on the list already.
    EXPECT_TRUE(form.choose(P::Combo1, 7).empty());
    EXPECT_EQ(form.model().choiceText(P::Combo1), "7 ler");
    form.press(P::command9);
    EXPECT_EQ(at(P::Label1).caption + "x" + at(P::Label3).caption, "7x1");
}

TEST_F(FormTest, TheCounterPageIsAskedOnceByItsTimerAndOnlyAtAnHttpAddress)
{
    using namespace std::chrono_literals;
    form.load();
    const Update& update = form.tick(P::Timer3);
    ASSERT_EQ(update.changes.size(), 1U);
    EXPECT_EQ(update.changes[0].part, P::Timer3);
    EXPECT_FALSE(at(P::Timer3).running);
    ASSERT_TRUE(update.counterRequest);
    EXPECT_EQ(update.counterRequest->page.absolute(), "http://sayac.example/sayac/qelnor.php");
    EXPECT_EQ(update.counterRequest->deadline, 15s);
    EXPECT_TRUE(form.tick(P::Timer3).empty()) << "a stopped timer takes no tick";

    Form refused({.counterAddress = "https://sayac.example/sayac/qelnor.php"});
    refused.load();
    EXPECT_FALSE(refused.tick(P::Timer3).counterRequest) << "nothing is sent to an address other than http";
    EXPECT_FALSE(refused.model()[P::Timer3].running);
}

TEST_F(FormTest, WhatAScreenReaderCallsEachPart)
{
    form.load();
    struct Row {
        P part;
        const char* name;
    };
    const auto expectNames = [&](std::initializer_list<Row> rows) {
        for (const Row& row : rows) {
            EXPECT_EQ(at(row.part).name, row.name) << design::name(row.part);
        }
        // Whatever a child can see and a screen reader can reach has a name.
        for (std::size_t i = 0; i < design::partCount; ++i) {
            const auto part = static_cast<P>(i);
            const design::Kind kind = design::kind(part);
            if (role(part) != Role::LeftOut && kind != design::Kind::Panel &&
                form.model().canTakeFocus(part)) {
                EXPECT_FALSE(at(part).name.empty()) << design::name(part);
            }
        }
    };
    expectNames({{P::Frame1, "Örnek sorular"},
                 {P::command9, "Başla"},
                 {P::Label4, "Sorma Şekli :"},
                 {P::Combo1, "Sorma Şekli :"},
                 {P::Combo2, "Sorma Şekli :"},
                 {P::Label6, "Toplam soru sayısı : 0"},
                 {P::Label7, "Doğru sayısı : 0"},
                 {P::Image1, "İthaf"}});
    EXPECT_EQ(at(P::cev2).name, at(P::cev2).caption) << "an answer is called what it shows, samples too";
    EXPECT_EQ(at(P::Combo1).description, "Çarpım tablosu seçimi");
    EXPECT_EQ(at(P::Combo2).description, "Soru sırası seçimi");
    EXPECT_EQ(at(P::Label5).name.find_first_of("\r\n"), std::string::npos);
    EXPECT_TRUE(windowDescription().starts_with("Keldar Yazılım ve Bilgisayar Hizmetleri   -   "));
    for (P counted : {P::Label9, P::Label10, P::Label11, P::Label12, P::Label13, P::Text1}) {
        EXPECT_EQ(role(counted), Role::LeftOut) << "read through another part: " << design::name(counted);
    }
    EXPECT_EQ(role(P::Frame5), Role::Alert);

    form.press(P::command9);
    const std::string right = at(answer(true)).caption;
    expectNames({{P::Frame1, "1 çarpı 1"}, {P::command9, "Dur"}, {answer(true), "1"}});
    form.press(answer(true));
    expectNames(
        {{P::Frame1, "1 çarpı 2"}, {P::Label6, "Toplam soru sayısı : 1"}, {P::Label7, "Doğru sayısı : 1"}});
    form.press(answer(false));
    expectNames({{P::Frame5, "!!! YANLIŞ !!! DOĞRU CEVAP : 2"}, {P::Label8, "Yanlış sayısı : 1"}});
}

TEST_F(FormTest, WhatIsAnnouncedAndWhereTheFocusGoes)
{
    const auto expectSilentTicks = [&](P timer, int ticks) {
        for (int i = 0; i < ticks; ++i) {
            const Update& update = form.tick(timer);
            EXPECT_FALSE(update.announcement || update.focus) << design::name(timer);
            // Only a sample's locked answers take new names: their numbers.
            for (const Change& change : update.changes) {
                const bool sample = timer == P::Timer1 && design::kind(change.part) == design::Kind::Button;
                EXPECT_TRUE(!change.has(Property::Name) || sample) << design::name(change.part);
            }
        }
    };
    // The announcement's text (urgent ones carried by the wrong-answer
    // panel) and where the focus moves.
    const auto expectHeard = [](const Update& update, const char* text, bool urgent, std::optional<P> focus) {
        EXPECT_EQ(update.announcement ? update.announcement->text : "", text);
        if (update.announcement) {
            EXPECT_EQ(update.announcement->urgent, urgent);
            EXPECT_EQ(update.announcement->carrier, urgent ? std::optional<P>(P::Frame5) : std::nullopt);
        }
        EXPECT_EQ(update.focus, focus);
    };

    form.load();
    expectSilentTicks(P::Timer1, 30);
    expectHeard(form.press(P::command9), "1 çarpı 1", false, std::nullopt);
    expectHeard(form.press(answer(true)), "1 çarpı 2", false, std::nullopt);
    // The same question again is still said: the child answered.
    FormProbe::quizState(form).seqsecond = 2;
    expectHeard(form.press(answer(true)), "1 çarpı 2", false, std::nullopt);
    const P wrong = answer(false);
    expectHeard(form.press(wrong), "!!! YANLIŞ !!! DOĞRU CEVAP : 2", true, P::chameleonButton2);
    expectSilentTicks(P::Timer2, 10);
    EXPECT_NE(at(P::Label12).visible, at(P::Label13).visible) << "the panel blinks";
    // Back to the answer, whose panel now says the next question.
    expectHeard(form.press(P::chameleonButton2), "", false, wrong);
    EXPECT_EQ(at(P::Frame1).name, "1 çarpı 3");
    expectHeard(form.press(P::command9), "Başla", false, std::nullopt);
    expectSilentTicks(P::Timer1, 30);
}

TEST_F(FormTest, LockedButtonsAndListsTakeNothing)
{
    form.load();
    EXPECT_TRUE(form.press(P::cev1).empty()) << "the answers are locked while idle";
    form.press(P::command9);
    EXPECT_TRUE(form.choose(P::Combo1, 3).empty()) << "the lists are locked during a quiz";
    EXPECT_EQ(form.model().choiceText(P::Combo1), "Tümü");
    form.press(answer(false));
    for (P locked : {P::cev1, P::cev2, P::cev3, P::cev4, P::command9}) {
        EXPECT_TRUE(form.press(locked).empty()) << "under the open panel: " << design::name(locked);
    }
    EXPECT_EQ(form.quizState().totalcount, 1);
    EXPECT_TRUE(form.press(P::chameleonButton1).empty()) << "its panel is never shown";
    EXPECT_TRUE(form.press(P::Label1).empty());
    EXPECT_TRUE(form.tick(P::cev1).empty());
    EXPECT_TRUE(failures.empty());
}

TEST_F(FormTest, AFailureIsReportedAndTheWindowStillShowsWhatHappened)
{
    form.load();
    form.press(P::command9);
    form.choose(P::Combo2, 5); // locked: refused before anything runs
    form.press(answer(false));
    // Factors whose product leaves 16 bits fail sor inside the OK handler.
    QuizState& staged = FormProbe::quizState(form);
    staged.quizmode = QuizMode::None;
    staged.factora = 200;
    staged.factorb = 200;
    const Update& update = form.press(P::chameleonButton2);
    ASSERT_EQ(failures.size(), 1U);
    EXPECT_EQ(failures[0].rfind("vorlen: chameleonButton2: ", 0), 0U) << failures[0];
    EXPECT_FALSE(at(P::Frame5).visible) << "the steps before the failure are shown";
    EXPECT_TRUE(std::any_of(update.changes.begin(), update.changes.end(),
                            [](const Change& change) { return change.part == P::Frame5; }));

    form.press(P::command9);
    form.choose(P::Combo1, 11); // there is no twelfth entry
    ASSERT_EQ(failures.size(), 2U);
    EXPECT_EQ(form.model().choiceText(P::Combo1), "Tümü");
}

TEST(FormFailure, AReportThatFailsItselfIsLostAndTheWindowGoesOn)
{
    int reports = 0;
    Form form({.seed = 42, .reportFailure = [&](const std::string&) {
                   ++reports;
                   throw std::runtime_error("no place to report");
               }});
    form.load();
    form.choose(P::Combo1, 11);
    EXPECT_EQ(reports, 1);
    form.press(P::command9);
    EXPECT_EQ(form.model()[P::command9].caption, "Dur");
}

} // namespace
} // namespace vorlen::present
