// The window's wiring: its controls against the design table, its creation and
// start-up states, a quiz played with real clicks, the timers on real ticks,
// and the boundary that stops a failure from ending the program. The quiz
// rules themselves are proved in the engine tests.
#include "design/design.h"
#include "engine/texts.h"
#include "window/colours.h"
#include "window/form1.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"
#include "window/quiz_line.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vorlen {
namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class Form1Test : public testing::Test {
protected:
    void SetUp() override
    {
        Form1::Options options;
        options.seed = 42;
        options.counterAddress = "http://127.0.0.1:1/sayac/qelnor.php"; // refused at once
        options.reportFailure = [this](const std::string& line) { failures.push_back(line); };
        form = std::make_unique<Form1>(options);
    }

    template <typename T = QWidget> T* get(const char* name)
    {
        auto* widget = form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QString caption(const char* label) { return qs(get<QuizLabel>(label)->caption()); }

    QuizButton* rightButton()
    {
        for (const char* name : {"cev1", "cev2", "cev3", "cev4"}) {
            if (get<QuizButton>(name)->text() == qs(form->engine().state().correctanswer)) {
                return get<QuizButton>(name);
            }
        }
        return nullptr;
    }

    QuizButton* wrongButton()
    {
        for (const char* name : {"cev1", "cev2", "cev3", "cev4"}) {
            if (get<QuizButton>(name)->text() != qs(form->engine().state().correctanswer)) {
                return get<QuizButton>(name);
            }
        }
        return nullptr;
    }

    void showWindow()
    {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    std::unique_ptr<Form1> form;
    std::vector<std::string> failures;
};

TEST_F(Form1Test, WindowIsFixedAndCaptionKeepsItsThreeSeparators)
{
    EXPECT_EQ(form->size(), QSize(731, 496));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    const QString title = form->windowTitle();
    EXPECT_TRUE(
        title.startsWith(QStringLiteral("Vorlen   -   Keldar Yazılım ve Bilgisayar Hizmetleri   -   ")));
    EXPECT_EQ(title.count(QLatin1Char('-')), 3);
    EXPECT_EQ(title.count(QStringLiteral("   -   ")), 3);
}

TEST_F(Form1Test, EveryControlHasItsDesignPlaceFontAndColours)
{
    for (const design::Control& row : design::controls) {
        SCOPED_TRACE(std::string(row.name));
        QWidget* widget = get(std::string(row.name).c_str());
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), qs(row.panel));

        const QRect designed(design::px(row.place.left), design::px(row.place.top),
                             design::px(row.place.width), design::px(row.place.height));
        auto* label = qobject_cast<QuizLabel*>(widget);
        if (label != nullptr && row.name != "Label5") {
            // A self-sizing label keeps its anchor edge and takes its text's size.
            EXPECT_EQ(label->geometry().top(), designed.top());
            EXPECT_EQ(label->size(), label->captionSize(label->text()));
            switch (row.align) {
            case design::Align::Left:
                EXPECT_EQ(label->geometry().left(), designed.left());
                break;
            case design::Align::Right:
                EXPECT_EQ(label->geometry().right(), designed.right());
                break;
            case design::Align::Center:
                EXPECT_NEAR(label->geometry().center().x(), designed.center().x(), 1);
                break;
            }
        } else {
            EXPECT_EQ(widget->geometry(), designed);
        }

        EXPECT_EQ(widget->font().family(), qs(row.font.family));
        EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), row.font.points);
        EXPECT_EQ(widget->font().bold(), row.font.bold);
        if (label != nullptr) {
            EXPECT_EQ(fromQColor(label->palette().color(QPalette::WindowText)), row.fore);
            EXPECT_EQ(label->caption(), std::string(row.caption));
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            // Read as any push button would be, whatever the button's state.
            EXPECT_EQ(button->text(), qs(row.caption));
            EXPECT_EQ(fromQColor(button->palette().color(QPalette::ButtonText)), row.fore);
            EXPECT_EQ(fromQColor(button->palette().color(QPalette::Button)), colour::buttonFace);
            EXPECT_EQ(fromQColor(qobject_cast<QuizButton*>(button)->hoverTextColour()), row.foreHover);
        }
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            EXPECT_EQ(fromQColor(list->palette().color(QPalette::Text)), row.fore);
            EXPECT_EQ(fromQColor(list->palette().color(QPalette::Base)), colour::white);
        }
        EXPECT_EQ(!widget->isHidden(), row.visible);
        EXPECT_EQ(widget->isEnabled(), row.enabled);
    }
}

TEST_F(Form1Test, DesignFacesResolveToInstalledFacesWithTurkishLetters)
{
    const QString turkish = QStringLiteral("şğıİŞĞçöüÇÖÜ");
    for (const char* name : {"Label4", "Label1", "cev1", "Label6", "Label12", "Label5"}) {
        SCOPED_TRACE(name);
        const QFont font = get(name)->font();
        const QFontInfo resolved(font);
        EXPECT_NE(resolved.family(), font.family()) << "the design face is not on this system";
        const QFontMetrics metrics(font);
        for (const QChar letter : turkish) {
            EXPECT_TRUE(metrics.inFont(letter)) << resolved.family().toStdString() << " lacks U+" << std::hex
                                                << static_cast<unsigned>(letter.unicode());
        }
    }
}

TEST_F(Form1Test, PanelsAndLinesAreStackedAndPlacedAsDrawn)
{
    EXPECT_EQ(form->font().family(), QStringLiteral("MS Sans Serif")) << "the window's own font";
    EXPECT_DOUBLE_EQ(form->font().pointSizeF(), 8.25);
    const QObjectList& children = form->children();
    auto stackIndex = [&](const char* name) { return children.indexOf(get(name)); };
    for (const char* lower : {"Frame1", "Frame2", "Frame4"}) {
        EXPECT_LT(stackIndex(lower), stackIndex("Frame5"));
        EXPECT_LT(stackIndex(lower), stackIndex("Frame3"));
    }
    for (const design::Line& row : design::lines) {
        SCOPED_TRACE(std::string(row.name));
        auto* line = get<QuizLine>(std::string(row.name).c_str());
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->parentWidget()->objectName(), qs(row.panel));
        const QLine expected(design::px(row.x1), design::px(row.y1), design::px(row.x2), design::px(row.y2));
        EXPECT_EQ(line->points(), expected);
        EXPECT_EQ(line->lineWidth(), row.widthPx);
        EXPECT_EQ(fromQColor(line->colour()), row.colour);
        EXPECT_TRUE(line->testAttribute(Qt::WA_TransparentForMouseEvents));
        // Beneath every other control of its panel.
        const QObjectList& siblings = line->parentWidget()->children();
        for (QObject* sibling : siblings) {
            if (qobject_cast<QWidget*>(sibling) != nullptr && qobject_cast<QuizLine*>(sibling) == nullptr) {
                EXPECT_LT(siblings.indexOf(line), siblings.indexOf(sibling))
                    << sibling->objectName().toStdString();
            }
        }
    }
}

TEST_F(Form1Test, CreationStateBeforeTheFirstShow)
{
    for (const char* frame : {"Frame1", "Frame2", "Frame3", "Frame4", "Frame5"}) {
        EXPECT_TRUE(get(frame)->isHidden()) << frame;
    }
    for (const char* list : {"Combo1", "Combo2"}) {
        EXPECT_FALSE(get(list)->isEnabled()) << list;
        EXPECT_EQ(get<QComboBox>(list)->currentIndex(), -1) << list;
        EXPECT_FALSE(get<QComboBox>(list)->isEditable()) << list;
    }
    EXPECT_EQ(get<QComboBox>("Combo1")->count(), 11);
    EXPECT_EQ(get<QComboBox>("Combo1")->itemText(10), QStringLiteral("10 lar"));
    EXPECT_EQ(get<QComboBox>("Combo2")->count(), 2);
    const QPixmap picture = get<QLabel>("Image1")->pixmap();
    EXPECT_EQ(picture.size(), QSize(260, 150));
    EXPECT_EQ(picture.toImage().pixelColor(0, 0), QColor(236, 233, 216)) << "the light beige ground";
    EXPECT_TRUE(get<QLineEdit>("Text1")->isHidden());
    EXPECT_EQ(get("Text1")->focusPolicy(), Qt::NoFocus);

    const std::vector<std::pair<const char*, int>> timers{{"Timer1", 85}, {"Timer2", 200}, {"Timer3", 2000}};
    for (const auto& [name, interval] : timers) {
        auto* timer = form->findChild<QTimer*>(QLatin1String(name));
        ASSERT_NE(timer, nullptr) << name;
        EXPECT_TRUE(timer->isActive()) << name;
        EXPECT_EQ(timer->interval(), interval) << name;
    }
}

TEST_F(Form1Test, StartUpBringsTheIdleStateAndFocusesTheStartButton)
{
    showWindow();
    EXPECT_EQ(get<QComboBox>("Combo1")->currentText(), QStringLiteral("Tümü"));
    EXPECT_EQ(get<QComboBox>("Combo2")->currentText(), QStringLiteral("Sıralı"));
    for (const char* count : {"Label9", "Label10", "Label11"}) {
        EXPECT_EQ(caption(count), QStringLiteral("0")) << count;
    }
    for (const char* answer : {"cev1", "cev2", "cev3", "cev4"}) {
        EXPECT_FALSE(get(answer)->isEnabled()) << answer;
    }
    EXPECT_TRUE(get("Combo1")->isEnabled());
    EXPECT_TRUE(get("Frame1")->isVisible());
    EXPECT_TRUE(get("Frame2")->isVisible());
    EXPECT_TRUE(get("Frame4")->isVisible());
    EXPECT_FALSE(get("Frame3")->isVisible());
    EXPECT_FALSE(get("Frame5")->isVisible());
    EXPECT_EQ(caption("Label5").count(QLatin1Char('\r')), 2);
    EXPECT_EQ(get<QLabel>("Label5")->text(), caption("Label5")) << "the caption exactly as written";
    EXPECT_EQ(form->focusWidget(), get("command9"));

    // The focus order: start button, the lists, the answers, the OK buttons.
    std::vector<QString> order;
    for (QWidget* widget = get("command9"); order.size() < design::focusOrder.size();
         widget = widget->nextInFocusChain()) {
        if (widget->focusPolicy() & Qt::TabFocus) {
            order.push_back(widget->objectName());
        }
    }
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i], qs(design::focusOrder[i]));
    }
}

TEST_F(Form1Test, QuizPlayedWithTheMouse)
{
    showWindow();
    QTest::mouseClick(get("command9"), Qt::LeftButton);
    EXPECT_EQ(get<QuizButton>("command9")->text(), QStringLiteral("Dur"));
    EXPECT_FALSE(form->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    EXPECT_EQ(caption("Label1"), QStringLiteral("1"));
    EXPECT_EQ(caption("Label3"), QStringLiteral("1"));
    EXPECT_EQ(fromQColor(get("Label1")->palette().color(QPalette::WindowText)), colour::red);
    EXPECT_FALSE(get("Combo1")->isEnabled());

    QuizButton* right = rightButton();
    ASSERT_NE(right, nullptr);
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_EQ(caption("Label9"), QStringLiteral("1"));
    EXPECT_EQ(caption("Label10"), QStringLiteral("1"));
    EXPECT_EQ(caption("Label3"), QStringLiteral("2")) << "the next question follows at once";

    QuizButton* wrong = wrongButton();
    ASSERT_NE(wrong, nullptr);
    QTest::mouseClick(wrong, Qt::LeftButton);
    EXPECT_TRUE(get("Frame5")->isVisible());
    EXPECT_EQ(caption("Label13"), QStringLiteral("DOĞRU CEVAP : 2"));
    EXPECT_EQ(caption("Label11"), QStringLiteral("1"));
    // Label13 centres on its design centre whatever its new width, however
    // often its width changes.
    const int centre = (design::px(1118) * 2 + design::px(2325)) / 2;
    EXPECT_NEAR(get("Label13")->geometry().center().x(), centre, 1);
    for (int i = 0; i < 51; ++i) {
        get<QuizLabel>("Label13")->setCaption(i % 2 == 0 ? "DOĞRU CEVAP : 7" : "DOĞRU CEVAP : 100");
    }
    EXPECT_NEAR(get("Label13")->geometry().center().x(), centre, 1);

    // Nothing under the open panel reacts: not the answers, not the start button.
    QTest::mouseClick(rightButton(), Qt::LeftButton);
    QTest::mouseClick(get("command9"), Qt::LeftButton);
    EXPECT_EQ(caption("Label9"), QStringLiteral("2"));
    EXPECT_EQ(get<QuizButton>("command9")->text(), QStringLiteral("Dur"));

    QTest::mouseClick(get("chameleonButton2"), Qt::LeftButton);
    EXPECT_FALSE(get("Frame5")->isVisible());
    EXPECT_EQ(caption("Label3"), QStringLiteral("3"));
    EXPECT_TRUE(rightButton()->isEnabled());

    QTest::mouseClick(get("command9"), Qt::LeftButton);
    EXPECT_EQ(get<QuizButton>("command9")->text(), QStringLiteral("Başla"));
    EXPECT_EQ(caption("Label9"), QStringLiteral("0"));
    EXPECT_TRUE(form->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    EXPECT_TRUE(failures.empty());
}

TEST_F(Form1Test, KeyboardPressesTheFocusedButton)
{
    showWindow();
    get("command9")->setFocus();
    QTest::keyClick(get("command9"), Qt::Key_Space);
    EXPECT_EQ(get<QuizButton>("command9")->text(), QStringLiteral("Dur"));
    QTest::keyClick(get("command9"), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(get<QuizButton>("command9")->text(), QStringLiteral("Başla"), 1000);
}

TEST_F(Form1Test, EnterPressesWithinItsKeyStrokeOrNotAtAll)
{
    // Enter shows its press while the key is down and clicks as it comes up.
    // A press still held when the panel locks, or when the focus moves to
    // another answer, must never land on a later question.
    showWindow();
    QTest::mouseClick(get("command9"), Qt::LeftButton);
    QuizButton* right = rightButton();
    right->setFocus();
    QTest::keyPress(right, Qt::Key_Return);
    EXPECT_TRUE(right->isDown());
    QTest::mouseClick(wrongButton(), Qt::LeftButton);
    QTest::keyRelease(right, Qt::Key_Return);
    EXPECT_EQ(caption("Label9"), QStringLiteral("1"));
    EXPECT_EQ(caption("Label10"), QStringLiteral("0"));
    EXPECT_FALSE(right->isDown());
    QTest::mouseClick(get("chameleonButton2"), Qt::LeftButton);

    QuizButton* wrong = wrongButton();
    wrong->setFocus();
    QTest::keyPress(wrong, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::mouseClick(rightButton(), Qt::LeftButton); // takes the focus, and the next question comes
    QTest::keyRelease(form->focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(caption("Label9"), QStringLiteral("2"));
    EXPECT_EQ(caption("Label11"), QStringLiteral("1")) << "the held Enter judged nothing";

    // The keypad's Enter presses like Return.
    rightButton()->setFocus();
    QTest::keyClick(rightButton(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(caption("Label10"), QStringLiteral("2"));
}

TEST_F(Form1Test, TypingAndChoosingInTheListsRunNoStepOfTheQuiz)
{
    showWindow();
    auto* table = get<QComboBox>("Combo1");
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Down);
    QTest::keyClicks(table, QStringLiteral("7"));
    EXPECT_EQ(get<QuizButton>("command9")->text(), QStringLiteral("Başla"));
    EXPECT_EQ(form->engine().state().quizmode, QuizMode::None) << "a choice is read only at the start";
    EXPECT_TRUE(form->engine().state().correctanswer.empty());

    // Letters, digits and Escape reach the buttons and press none of them.
    QTest::mouseClick(get("command9"), Qt::LeftButton);
    const std::string asked = form->engine().state().correctanswer;
    for (const char* name : {"command9", "cev1", "cev2", "cev3", "cev4"}) {
        get(name)->setFocus();
        QTest::keyClicks(get(name), QStringLiteral("a1x9"));
        QTest::keyClick(get(name), Qt::Key_Escape);
    }
    EXPECT_EQ(get<QuizButton>("command9")->text(), QStringLiteral("Dur"));
    EXPECT_EQ(caption("Label9"), QStringLiteral("0"));
    EXPECT_EQ(form->engine().state().correctanswer, asked);
}

TEST_F(Form1Test, IdleAnimationAndBlinkRunOnRealTicks)
{
    showWindow();
    auto sample = [&] {
        return caption("Label1") + "x" + caption("Label3") + get<QuizButton>("cev1")->text();
    };
    const QString first = sample();
    QTRY_VERIFY_WITH_TIMEOUT(sample() != first, 2000);
    EXPECT_FALSE(get("cev1")->isEnabled()) << "samples cannot be answered";

    QTest::mouseClick(get("command9"), Qt::LeftButton);
    QTest::mouseClick(wrongButton(), Qt::LeftButton);
    ASSERT_TRUE(get("Frame5")->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(get("Label12")->isVisible() && !get("Label13")->isVisible(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(!get("Label12")->isVisible() && get("Label13")->isVisible(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(get("Label12")->isVisible() && !get("Label13")->isVisible(), 1000);
}

TEST_F(Form1Test, FailurePassedOnByARoutineIsReportedAndTheWindowGoesOn)
{
    showWindow();
    // Factors whose product leaves 16 bits make sor fail inside the OK
    // button's handler, which does not catch it.
    form->engine().state().factora = 200;
    form->engine().state().factorb = 200;
    get<QuizButton>("chameleonButton2")->click();
    ASSERT_EQ(failures.size(), 1U);
    EXPECT_NE(failures[0].find("chameleonButton2"), std::string::npos);
    EXPECT_NE(failures[0].find("overflow"), std::string::npos);

    // The window is still alive and playable.
    form->engine().state().factora = 1;
    form->engine().state().factorb = 1;
    QTest::mouseClick(get("command9"), Qt::LeftButton);
    EXPECT_EQ(get<QuizButton>("command9")->text(), QStringLiteral("Dur"));
    EXPECT_EQ(failures.size(), 1U);
}

} // namespace
} // namespace vorlen
