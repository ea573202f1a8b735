// What a screen reader hears: the names of the controls, what is announced
// after each press, and silence while the idle samples change or the
// wrong-answer panel blinks.
#include "tests/accessibility/heard.h"
#include "window/form1.h"
#include "window/quiz_button.h"

#include <QAccessible>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace vorlen {
namespace {

bool isAnnouncement(QAccessible::Event type)
{
    switch (type) {
    case QAccessible::NameChanged:
    case QAccessible::DescriptionChanged:
    case QAccessible::ValueChanged:
    case QAccessible::TextUpdated:
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextCaretMoved:
    case QAccessible::Alert:
    case QAccessible::Focus:
    case QAccessible::ObjectShow:
    case QAccessible::ObjectHide:
    case QAccessible::StateChanged:
        return true;
    default:
        return false;
    }
}

// The texts the announcement object was shown with, in order.
std::vector<QString> announced()
{
    std::vector<QString> texts;
    for (const Heard& event : heard()) {
        if (event.type == QAccessible::ObjectShow && event.object == QLatin1String("announcement")) {
            texts.push_back(event.name);
        }
    }
    return texts;
}

QString accessibleName(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

class AccessibilityTest : public testing::Test {
protected:
    void SetUp() override
    {
        Form1::Options options;
        options.counterAddress = "http://127.0.0.1:1/sayac/qelnor.php";
        form = std::make_unique<Form1>(options);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        heard().clear();
    }

    QWidget* get(const char* name) { return form->findChild<QWidget*>(QLatin1String(name)); }
    QuizButton* button(const char* name) { return form->findChild<QuizButton*>(QLatin1String(name)); }

    QuizButton* answer(bool right)
    {
        for (const char* name : {"cev1", "cev2", "cev3", "cev4"}) {
            const bool isRight =
                button(name)->text() == QString::fromStdString(form->engine().state().correctanswer);
            if (isRight == right) {
                return button(name);
            }
        }
        return nullptr;
    }

    void expectSilence(const char* while_)
    {
        for (const Heard& event : heard()) {
            EXPECT_FALSE(isAnnouncement(event.type)) << while_ << ": event " << static_cast<int>(event.type)
                                                     << " from " << event.object.toStdString();
        }
    }

    std::unique_ptr<Form1> form;
};

TEST_F(AccessibilityTest, IdleSamplesAnnounceNothing)
{
    const QString before = button("cev1")->text() + button("cev2")->text() + button("cev3")->text();
    QTest::qWait(600); // about seven idle ticks
    const QString after = button("cev1")->text() + button("cev2")->text() + button("cev3")->text();
    ASSERT_NE(before, after) << "the samples should have changed meanwhile";
    expectSilence("idle");
}

TEST_F(AccessibilityTest, ControlsSayWhatTheyAre)
{
    EXPECT_EQ(accessibleName(form.get()), QStringLiteral("Vorlen"));
    EXPECT_TRUE(
        form->accessibleDescription().startsWith(QStringLiteral("Keldar Yazılım ve Bilgisayar Hizmetleri")));
    for (const char* panel : {"Frame1", "Frame2", "Frame4", "Frame5"}) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(get(panel))->role(), QAccessible::Grouping) << panel;
    }
    EXPECT_EQ(accessibleName(get("command9")), QStringLiteral("Başla"));
    EXPECT_EQ(get("Combo1")->accessibleDescription(), QStringLiteral("Çarpım tablosu seçimi"));
    EXPECT_EQ(get("Combo2")->accessibleDescription(), QStringLiteral("Soru sırası seçimi"));
    // Each count is one thing to read: its caption label carries the value.
    EXPECT_EQ(accessibleName(get("Label7")), QStringLiteral("Doğru sayısı : 0"));
    EXPECT_EQ(accessibleName(get("Label10")), QString());
    const QString dedication = accessibleName(get("Label5"));
    EXPECT_FALSE(dedication.isEmpty());
    EXPECT_FALSE(dedication.contains(QLatin1Char('\r')) || dedication.contains(QLatin1Char('\n')));

    QTest::mouseClick(get("command9"), Qt::LeftButton);
    EXPECT_EQ(accessibleName(get("command9")), QStringLiteral("Dur"));
    EXPECT_EQ(accessibleName(get("Frame1")), QStringLiteral("1 çarpı 1"));
    for (const char* name : {"cev1", "cev2", "cev3", "cev4"}) {
        EXPECT_EQ(accessibleName(get(name)), button(name)->text()) << name;
    }
    QTest::mouseClick(answer(true), Qt::LeftButton);
    EXPECT_EQ(accessibleName(get("Label7")), QStringLiteral("Doğru sayısı : 1"));
    QTest::mouseClick(get("command9"), Qt::LeftButton);
    // Where the focus stays, each question and the stop are announced once.
    EXPECT_EQ(announced(), (std::vector<QString>{QStringLiteral("1 çarpı 1"), QStringLiteral("1 çarpı 2"),
                                                 QStringLiteral("Başla")}));
}

TEST_F(AccessibilityTest, WrongAnswerIsSpokenThroughTheFocusAndThePanelKeepsStill)
{
    QTest::mouseClick(get("command9"), Qt::LeftButton);
    QuizButton* wrong = answer(false);
    wrong->setFocus();
    QTest::mouseClick(wrong, Qt::LeftButton);

    // The focus enters the panel, whose name says it all, then names "Tamam".
    EXPECT_EQ(accessibleName(get("Frame5")), QStringLiteral("!!! YANLIŞ !!! DOĞRU CEVAP : 1"));
    EXPECT_EQ(form->focusWidget(), get("chameleonButton2"));
    heard().clear();
    const bool warningShown = get("Label12")->isVisible();
    QTest::qWait(500); // two or three blinks
    ASSERT_NE(get("Label12")->isVisible(), warningShown) << "the panel should have blinked meanwhile";
    expectSilence("blink");

    QTest::keyClick(get("chameleonButton2"), Qt::Key_Space);
    EXPECT_FALSE(get("Frame5")->isVisible());
    // Back to the answers, whose panel now names the next question.
    EXPECT_EQ(form->focusWidget(), wrong);
    EXPECT_EQ(accessibleName(get("Frame1")), QStringLiteral("1 çarpı 2"));
    EXPECT_TRUE(announced().empty()) << "the focus move says the question; no second time";
}

} // namespace
} // namespace vorlen
