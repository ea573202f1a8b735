// What a screen reader hears through Qt: the window model's names and roles
// in the tree, its announcements, its focus moves, and silence while the idle
// samples change or the wrong-answer panel blinks.
#include "design/design.h"
#include "present/spoken.h"
#include "tests/accessibility/heard.h"
#include "tests/support/answer.h"
#include "window/form1.h"
#include "window/quiz_button.h"

#include <QAccessible>
#include <QApplication>
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
        const auto part =
            test::answerButton([this](design::Part p) { return form->model()[p].caption; }, right);
        return part ? static_cast<QuizButton*>(form->parts()[*part]) : nullptr;
    }

    void expectSilence(const char* while_)
    {
        const QWidget* focus = QApplication::focusWidget();
        for (const Heard& event : heard()) {
            if (event.type == QAccessible::NameChanged &&
                (focus == nullptr || event.object != focus->objectName())) {
                continue; // a screen reader speaks name changes of the focus only
            }
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

// What a screen reader finds in the tree is what the window model says, in
// Qt's roles; the parts the model leaves out are nowhere in the tree.
TEST_F(AccessibilityTest, TheTreeHoldsTheModelsNamesAndRoles)
{
    const auto expectTheModel = [&] {
        const present::WindowModel& model = form->model();
        for (std::size_t i = 0; i < design::partCount; ++i) {
            const auto part = static_cast<design::Part>(i);
            auto* widget = qobject_cast<QWidget*>(form->parts()[part]);
            if (widget == nullptr) {
                continue; // a timer
            }
            SCOPED_TRACE(std::string(design::name(part)));
            QAccessibleInterface* self = QAccessible::queryAccessibleInterface(widget);
            QAccessibleInterface* parent = QAccessible::queryAccessibleInterface(widget->parentWidget());
            const bool inTree = parent->indexOfChild(self) >= 0;
            EXPECT_EQ(inTree, present::role(part) != present::Role::LeftOut);
            if (!inTree) {
                continue;
            }
            const std::string& name = model[part].name;
            if (design::kind(part) == design::Kind::List) {
                // Read by its label, then its choice.
                const auto labels = self->relations(QAccessible::Label);
                ASSERT_EQ(labels.size(), 1);
                EXPECT_EQ(labels[0].first->text(QAccessible::Name).toStdString(), name);
                EXPECT_EQ(self->text(QAccessible::Name).toStdString(), model.choiceText(part));
            } else if (design::kind(part) != design::Kind::Panel || !name.empty()) {
                EXPECT_EQ(self->text(QAccessible::Name).toStdString(), name);
            }
            EXPECT_EQ(self->text(QAccessible::Description).toStdString(), model[part].description);
        }
    };
    EXPECT_EQ(accessibleName(form.get()), QStringLiteral("Vorlen"));
    EXPECT_TRUE(
        form->accessibleDescription().startsWith(QStringLiteral("Keldar Yazılım ve Bilgisayar Hizmetleri")));
    const auto role = [&](const char* name) {
        return QAccessible::queryAccessibleInterface(get(name))->role();
    };
    EXPECT_EQ(role("Frame1"), QAccessible::Grouping);
    EXPECT_EQ(role("Frame5"), QAccessible::AlertMessage);
    EXPECT_EQ(role("Label7"), QAccessible::StaticText);
    EXPECT_EQ(role("Combo1"), QAccessible::ComboBox);
    EXPECT_EQ(role("Image1"), QAccessible::Graphic);
    expectTheModel();

    QTest::mouseClick(get("command9"), Qt::LeftButton);
    expectTheModel();
    QTest::mouseClick(answer(true), Qt::LeftButton);
    EXPECT_EQ(accessibleName(get("Label7")), QStringLiteral("Doğru sayısı : 1"));
    expectTheModel();
    QTest::mouseClick(get("command9"), Qt::LeftButton);
    // Where the focus stays, each question and the stop are announced once.
    EXPECT_EQ(announced(), (std::vector<QString>{QStringLiteral("1 çarpı 1"), QStringLiteral("1 çarpı 2"),
                                                 QStringLiteral("Başla")}));
}

TEST_F(AccessibilityTest, WrongAnswerIsSpokenThroughTheFocusAndThePanelKeepsStill)
{
    form->activateWindow(); // focus events come from the active window only
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
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

    heard().clear();
    QTest::keyClick(get("chameleonButton2"), Qt::Key_Space);
    EXPECT_FALSE(get("Frame5")->isVisible());
    std::vector<QString> focused;
    for (const Heard& event : heard()) {
        if (event.type == QAccessible::Focus) {
            focused.push_back(event.object);
        }
    }
    EXPECT_EQ(focused, std::vector<QString>{wrong->objectName()})
        << "straight back, passing nothing on the way";
    // Back to the answers, whose panel now names the next question.
    EXPECT_EQ(form->focusWidget(), wrong);
    EXPECT_EQ(accessibleName(get("Frame1")), QStringLiteral("1 çarpı 2"));
    EXPECT_TRUE(announced().empty()) << "the focus move says the question; no second time";
}

} // namespace
} // namespace vorlen
