// What a screen reader hears: the names of the controls, the announcement of
// a wrong answer, and silence while the idle samples change.
#include "window/form1.h"
#include "window/quiz_button.h"

#include <QAccessible>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vorlen {
namespace {

struct Heard {
    QAccessible::Event type;
    QString object;
};

std::vector<Heard>& heard()
{
    static std::vector<Heard> events;
    return events;
}

void record(QAccessibleEvent* event)
{
    const QObject* object = event->object();
    heard().push_back({event->type(), object != nullptr ? object->objectName() : QString()});
}

bool isAnnouncement(QAccessible::Event type)
{
    switch (type) {
    case QAccessible::NameChanged:
    case QAccessible::DescriptionChanged:
    case QAccessible::ValueChanged:
    case QAccessible::TextUpdated:
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::Alert:
    case QAccessible::Focus:
    case QAccessible::ObjectShow:
    case QAccessible::ObjectHide:
        return true;
    default:
        return false;
    }
}

class AccessibilityTest : public testing::Test {
protected:
    void SetUp() override
    {
        previous = QAccessible::installUpdateHandler(&record);
        QAccessible::setActive(true);
        Form1::Options options;
        options.counterAddress = "http://127.0.0.1:1/sayac/qelnor.php";
        form = std::make_unique<Form1>(options);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        heard().clear();
    }

    void TearDown() override
    {
        form.reset();
        QAccessible::setActive(false);
        QAccessible::installUpdateHandler(previous);
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

    QAccessible::UpdateHandler previous = nullptr;
    std::unique_ptr<Form1> form;
};

TEST_F(AccessibilityTest, IdleSamplesAnnounceNothing)
{
    const QString before = button("cev1")->text() + button("cev2")->text() + button("cev3")->text();
    QTest::qWait(600); // about seven idle ticks
    const QString after = button("cev1")->text() + button("cev2")->text() + button("cev3")->text();
    ASSERT_NE(before, after) << "the samples should have changed meanwhile";
    for (const Heard& event : heard()) {
        EXPECT_FALSE(isAnnouncement(event.type))
            << "event " << static_cast<int>(event.type) << " from " << event.object.toStdString();
    }
}

TEST_F(AccessibilityTest, ControlsSayWhatTheyAre)
{
    EXPECT_EQ(get("command9")->accessibleName(), QStringLiteral("Başla"));
    EXPECT_EQ(get("Combo1")->accessibleDescription(), QStringLiteral("Çarpım tablosu seçimi"));
    EXPECT_EQ(get("Combo2")->accessibleDescription(), QStringLiteral("Soru sırası seçimi"));
    EXPECT_EQ(get("Label7")->accessibleName(), QStringLiteral("Doğru sayısı : 0"));

    QTest::mouseClick(get("command9"), Qt::LeftButton);
    EXPECT_EQ(get("command9")->accessibleName(), QStringLiteral("Dur"));
    EXPECT_EQ(get("Frame1")->accessibleName(), QStringLiteral("1 çarpı 1"));
    for (const char* name : {"cev1", "cev2", "cev3", "cev4"}) {
        EXPECT_EQ(get(name)->accessibleName(), button(name)->text()) << name;
    }
    heard().clear();
    QTest::mouseClick(answer(true), Qt::LeftButton);
    EXPECT_EQ(get("Frame1")->accessibleName(), QStringLiteral("1 çarpı 2"));
    EXPECT_EQ(get("Label10")->accessibleName(), QStringLiteral("Doğru sayısı : 1"));
    const bool questionAnnounced = std::any_of(heard().begin(), heard().end(), [](const Heard& event) {
        return event.type == QAccessible::NameChanged && event.object == QLatin1String("Frame1");
    });
    EXPECT_TRUE(questionAnnounced);
}

TEST_F(AccessibilityTest, WrongAnswerIsAnnouncedAndTheOkButtonTakesTheFocus)
{
    QTest::mouseClick(get("command9"), Qt::LeftButton);
    QuizButton* wrong = answer(false);
    wrong->setFocus();
    QTest::mouseClick(wrong, Qt::LeftButton);

    const bool alerted = std::any_of(heard().begin(), heard().end(), [](const Heard& event) {
        return event.type == QAccessible::Alert && event.object == QLatin1String("Frame5");
    });
    EXPECT_TRUE(alerted);
    EXPECT_EQ(get("Frame5")->accessibleName(), QStringLiteral("!!! YANLIŞ !!! DOĞRU CEVAP : 1"));
    EXPECT_EQ(get("chameleonButton2")->accessibleDescription(), QStringLiteral("DOĞRU CEVAP : 1"));
    EXPECT_EQ(form->focusWidget(), get("chameleonButton2"));

    QTest::keyClick(get("chameleonButton2"), Qt::Key_Space);
    EXPECT_FALSE(get("Frame5")->isVisible());
    EXPECT_EQ(form->focusWidget(), wrong) << "the focus goes back to the answers";
}

} // namespace
} // namespace vorlen
