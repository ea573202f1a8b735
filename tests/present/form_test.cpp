// The window model with no toolkit: an event goes in; the parts that changed,
// their names, what is announced and where the focus goes come out. Every
// front end only applies these, so what a child sees and hears is proved here.
#include "tests/present/form_fixture.h"
#include "tests/support/form_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vorlen::present {
namespace {

using P = Part;
using test::bits;
using test::FormTest;

TEST_F(FormTest, EachPartIsAppliedOnceWithItsLastValueAndOnlyWhenItChanged)
{
    using enum Property;
    const Update& load = form.load();
    EXPECT_EQ(load.changes.size(), 16U);
    EXPECT_EQ(load.focus, P::command9);
    EXPECT_FALSE(load.announcement);
    EXPECT_TRUE(form.load().empty()) << "the load step runs once";
    for (int tick = 0; tick < 20; ++tick) {
        const Update& update = form.tick(P::Timer1);
        std::vector<P> parts;
        for (const Change& change : update.changes) {
            EXPECT_EQ(change.what, bits({Caption})) << design::name(change.part);
            parts.push_back(change.part);
        }
        EXPECT_TRUE(std::is_sorted(parts.begin(), parts.end()));
        EXPECT_EQ(std::adjacent_find(parts.begin(), parts.end()), parts.end()) << "each part once";
        EXPECT_EQ(at(P::Text1).caption, at(P::cev4).caption) << "written four times, the last value stays";
        EXPECT_FALSE(update.announcement || update.focus);
    }
    EXPECT_TRUE(form.choose(P::Combo1, 7).empty()) << "the child's choice is on the list already";
    EXPECT_EQ(form.model().choiceText(P::Combo1), "7 ler");
}

TEST_F(FormTest, TheCounterPageIsAskedOnceByItsTimerAndOnlyAtAnHttpAddress)
{
    form.load();
    const Update& update = form.tick(P::Timer3);
    ASSERT_EQ(update.changes.size(), 1U);
    EXPECT_EQ(update.changes[0].part, P::Timer3);
    ASSERT_TRUE(update.counterRequest);
    EXPECT_EQ(update.counterRequest->page.absolute(), "http://sayac.example/sayac/qelnor.php");
    EXPECT_EQ(update.counterRequest->deadline, std::chrono::milliseconds(15000));
    EXPECT_TRUE(form.tick(P::Timer3).empty()) << "a stopped timer takes no tick";

    Form refused({.counterAddress = "https://sayac.example/sayac/qelnor.php"});
    refused.load();
    EXPECT_FALSE(refused.tick(P::Timer3).counterRequest) << "nothing is sent to an address other than http";
    EXPECT_FALSE(refused.model()[P::Timer3].running);
}

TEST_F(FormTest, WhatAScreenReaderCallsEachPart)
{
    form.load();
    const auto expectNames = [&](std::initializer_list<std::pair<P, const char*>> rows) {
        for (const auto& [part, name] : rows) {
            EXPECT_EQ(at(part).name, name) << design::name(part);
        }
        for (std::size_t i = 0; i < design::partCount; ++i) { // whatever a screen reader can reach has a name
            const auto part = static_cast<P>(i);
            if (role(part) != Role::LeftOut && design::kind(part) != design::Kind::Panel &&
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
                 {P::Label5, "Çarpım tablosunu öğrenen bütün çocuklara, sevgiyle armağan edilmiştir."},
                 {P::Label6, "Toplam soru sayısı : 0"},
                 {P::Label7, "Doğru sayısı : 0"},
                 {P::Image1, "İthaf"}});
    EXPECT_FALSE(at(P::cev2).inTree) << "a locked sample is nothing to find, press or say";
    EXPECT_EQ(at(P::Combo1).description, "Çarpım tablosu seçimi");
    EXPECT_EQ(at(P::Combo2).description, "Soru sırası seçimi");
    EXPECT_TRUE(windowDescription().starts_with("Keldar Yazılım ve Bilgisayar Hizmetleri   -   "));
    for (P counted : {P::Label9, P::Label10, P::Label11, P::Label12, P::Label13, P::Text1}) {
        EXPECT_EQ(role(counted), Role::LeftOut) << "read through another part: " << design::name(counted);
    }
    EXPECT_EQ(role(P::Frame5), Role::Alert);

    form.press(P::command9);
    expectNames({{P::Frame1, "1 çarpı 1"}, {P::command9, "Dur"}, {answer(true), "1"}});
    EXPECT_TRUE(at(P::cev2).inTree);
    form.press(answer(true));
    expectNames({{P::Label6, "Toplam soru sayısı : 1"}, {P::Label7, "Doğru sayısı : 1"}});
    form.press(answer(false));
    expectNames({{P::Frame5, "!!! YANLIŞ !!! DOĞRU CEVAP : 2"}, {P::Label8, "Yanlış sayısı : 1"}});
}

TEST_F(FormTest, WhatIsAnnouncedAndWhereTheFocusGoes)
{
    // Nothing a timer changes reaches a screen reader: a tick changes only
    // parts out of the tree, and the captions of buttons that a screen
    // reader knows by a name that stays.
    const auto expectSilentTicks = [&](P timer) {
        for (int i = 0; i < 20; ++i) {
            const Update& update = form.tick(timer);
            EXPECT_FALSE(update.announcement || update.focus) << design::name(timer);
            for (const Change& change : update.changes) {
                const bool unheard =
                    !at(change.part).inTree || (change.what == bits({Property::Caption}) &&
                                                at(change.part).name != at(change.part).caption);
                EXPECT_TRUE(unheard) << design::name(timer) << " changes " << design::name(change.part);
            }
        }
    };
    // The announcement's text (urgent ones carried by the wrong-answer panel)
    // and where the focus moves.
    const auto expectHeard = [](const Update& update, const char* text, bool urgent, std::optional<P> focus) {
        EXPECT_EQ(update.announcement ? update.announcement->text : "", text);
        if (update.announcement) {
            EXPECT_EQ(update.announcement->urgent, urgent);
            EXPECT_EQ(update.announcement->carrier, urgent ? std::optional<P>(P::Frame5) : std::nullopt);
        }
        EXPECT_EQ(update.focus, focus);
    };
    form.load();
    expectSilentTicks(P::Timer1);
    expectHeard(form.press(P::command9), "1 çarpı 1", false, std::nullopt);
    expectHeard(form.press(answer(true)), "1 çarpı 2", false, std::nullopt);
    FormProbe::quizState(form).seqsecond = 2; // the same question again is still said
    expectHeard(form.press(answer(true)), "1 çarpı 2", false, std::nullopt);
    const P wrong = answer(false);
    expectHeard(form.press(wrong), "!!! YANLIŞ !!! DOĞRU CEVAP : 2", true, P::chameleonButton2);
    expectSilentTicks(P::Timer2);
    expectHeard(form.press(P::chameleonButton2), "", false, wrong); // whose panel says the next question
    EXPECT_EQ(at(P::Frame1).name, "1 çarpı 3");
    expectHeard(form.press(P::command9), "Başla", false, std::nullopt);
    expectSilentTicks(P::Timer1);
}

TEST_F(FormTest, LockedButtonsAndListsTakeNothing)
{
    form.load();
    EXPECT_TRUE(form.press(P::cev1).empty()) << "the answers are locked while idle";
    form.press(P::command9);
    EXPECT_TRUE(form.choose(P::Combo1, 3).empty()) << "the lists are locked during a quiz";
    form.press(answer(false));
    for (P locked : {P::cev1, P::cev2, P::cev3, P::cev4, P::command9, P::chameleonButton1, P::Label1}) {
        EXPECT_TRUE(form.press(locked).empty()) << design::name(locked);
    }
    EXPECT_TRUE(form.tick(P::cev1).empty());
    EXPECT_EQ(form.quizState().totalcount, 1);
    EXPECT_EQ(form.model().choiceText(P::Combo1), "Tümü");
    EXPECT_TRUE(failures.empty());
}

TEST_F(FormTest, AFailureIsReportedAndTheWindowStillShowsWhatHappened)
{
    form.load();
    form.press(P::command9);
    form.press(answer(false));
    QuizState& staged = FormProbe::quizState(form); // a product past 16 bits fails sor in the OK
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
