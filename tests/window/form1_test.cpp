// The window's wiring: its controls against the window as drawn, its creation and
// start-up states, a quiz played with real clicks and keys, and the timers on
// real ticks. The quiz rules are proved in the engine tests, and what each
// part shows and says in the window model's.
#include "engine/texts.h"
#include "present/drawing.h"
#include "tests/support/drawn_window.h"
#include "tests/support/quiz_moves.h"
#include "window/form1.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"
#include "window/quiz_line.h"
#include "window/quiz_panel.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace vorlen {
namespace {

namespace drawn = test::drawn;

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

QRect boxOf(const drawn::Box& box)
{
    return {box.left, box.top, box.width, box.height};
}

QColor rgb(const drawn::Rgb& colour)
{
    return {colour.red, colour.green, colour.blue};
}

TEST_F(Form1Test, EveryPanelAndControlSitsWhereItWasDrawnInItsColours)
{
    for (const drawn::PanelBox& panel : drawn::panels) {
        SCOPED_TRACE(std::string(panel.name));
        QWidget* widget = get(std::string(panel.name).c_str());
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), form.get());
        EXPECT_EQ(widget->geometry(), boxOf(panel.box));
    }
    for (const drawn::ControlBox& control : drawn::controls) {
        SCOPED_TRACE(std::string(control.name));
        QWidget* widget = get(std::string(control.name).c_str());
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), qs(control.panel));
        QRect told = boxOf(control.box);
        if (auto* label = qobject_cast<QuizLabel*>(widget)) {
            EXPECT_EQ(label->palette().color(QPalette::WindowText), rgb(control.text));
            const QSize size = label->captionSize(label->text());
            const present::Box fitted =
                present::captionBox(control.anchor, {told.left(), told.top(), told.width(), told.height()},
                                    {size.width(), size.height()});
            told = QRect(fitted.left, fitted.top, fitted.width, fitted.height);
        }
        EXPECT_EQ(widget->geometry(), told);
        if (auto* button = qobject_cast<QuizButton*>(widget)) {
            EXPECT_EQ(button->palette().color(QPalette::ButtonText), rgb(control.text));
            EXPECT_EQ(button->palette().color(QPalette::Button), rgb(drawn::beige));
            const bool answer = control.name.starts_with("cev");
            EXPECT_EQ(button->hoverTextColour(), rgb(answer ? drawn::answerHover : control.text));
        }
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            EXPECT_EQ(list->palette().color(QPalette::Text), rgb(control.text));
            EXPECT_EQ(list->palette().color(QPalette::Base), rgb(drawn::white));
        }
    }
}

TEST_F(Form1Test, FontsAreTheDesignsAndHoldEveryTurkishLetter)
{
    EXPECT_TRUE(form->font().families().contains(QStringLiteral("MS Sans Serif"))) << "the window's own font";
    EXPECT_DOUBLE_EQ(form->font().pointSizeF(), 8.25);
    const QString turkish = qs(drawn::turkishLetters);
    for (const drawn::ControlFont& expected : drawn::fonts) {
        SCOPED_TRACE(std::string(expected.name));
        const QFont font = get(std::string(expected.name).c_str())->font();
        EXPECT_TRUE(font.families().contains(qs(expected.family)))
            << font.families().join(u',').toStdString();
        EXPECT_DOUBLE_EQ(font.pointSizeF(), expected.points);
        EXPECT_EQ(font.bold(), expected.bold);
        // Whatever face the system gives, it must hold every Turkish letter.
        const QFontMetrics metrics(font);
        for (const QChar letter : turkish) {
            EXPECT_TRUE(metrics.inFont(letter)) << QFontInfo(font).family().toStdString() << " lacks U+"
                                                << std::hex << static_cast<unsigned>(letter.unicode());
        }
    }
}

TEST_F(Form1Test, PanelsAndLinesAreStackedAndPlacedAsDrawn)
{
    const QObjectList& children = form->children();
    auto stackIndex = [&](const char* name) { return children.indexOf(get(name)); };
    for (const char* lower : {"Frame1", "Frame2", "Frame4"}) {
        EXPECT_LT(stackIndex(lower), stackIndex("Frame5"));
        EXPECT_LT(stackIndex(lower), stackIndex("Frame3"));
    }
    for (const drawn::LineBox& expected : drawn::lines) {
        SCOPED_TRACE(std::string(expected.name));
        auto* line = get<QuizLine>(std::string(expected.name).c_str());
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->parentWidget()->objectName(), qs(expected.panel));
        const auto* row = std::find_if(design::lines.begin(), design::lines.end(),
                                       [&](const design::Line& each) { return each.name == expected.name; });
        ASSERT_NE(row, design::lines.end());
        const present::Box bar = present::lineBox(*row);
        EXPECT_EQ(line->geometry(), QRect(bar.left, bar.top, bar.width, bar.height)) << "the bar it is told";
        EXPECT_EQ(line->colour(), rgb(expected.colour));
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

// With the wrong-answer panel open, what lies under a point of the window is
// what the child sees there: the panel where it overlaps the question panel,
// and the answer buttons and the counts, which it never covers.
TEST_F(Form1Test, OpenWrongAnswerPanelLiesAboveAndCoversNoAnswerOrCount)
{
    showWindow();
    QTest::mouseClick(form->parts().command9, Qt::LeftButton);
    QTest::mouseClick(test::answerButton(*form, false), Qt::LeftButton);
    ASSERT_TRUE(form->parts().Frame5->isVisible());
    const auto insideFrame5 = [&](QWidget* widget) {
        for (; widget != nullptr; widget = widget->parentWidget()) {
            if (widget == form->parts().Frame5) {
                return true;
            }
        }
        return false;
    };
    // Frame5 (213,323 to 517,473) over Frame1 (17,96 to 714,377).
    EXPECT_TRUE(insideFrame5(form->childAt(QPoint(230, 340))));
    EXPECT_TRUE(insideFrame5(form->childAt(QPoint(500, 370))));
    for (const std::string_view name : drawn::uncoveredByFrame5) {
        SCOPED_TRACE(std::string(name));
        QWidget* control = get(std::string(name).c_str());
        for (const QPoint corner : {QPoint(1, 1), QPoint(control->width() - 2, control->height() - 2)}) {
            EXPECT_EQ(form->childAt(control->mapTo(form.get(), corner)), control);
        }
    }
}

// Under the open panel the locked controls keep their look: blue answers on
// the beige face and the red "Dur", not greyed; and they take no press.
TEST_F(Form1Test, LockedControlsKeepTheirLookAndTakeNoPress)
{
    showWindow();
    const WindowParts& parts = form->parts();
    QTest::mouseClick(parts.command9, Qt::LeftButton);
    QTest::mouseClick(test::answerButton(*form, false), Qt::LeftButton);
    ASSERT_TRUE(parts.Frame5->isVisible());
    const auto pixelsNear = [](QWidget* widget, const QColor& colour) {
        const QImage image = widget->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                count += std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                                     std::abs(pixel.blue() - colour.blue()) <
                                 40
                             ? 1
                             : 0;
            }
        }
        return count;
    };
    for (QuizButton* answer : parts.answers()) {
        SCOPED_TRACE(answer->objectName().toStdString());
        EXPECT_GT(pixelsNear(answer, rgb(drawn::blue)), 20) << "the caption is greyed";
        EXPECT_GT(pixelsNear(answer, rgb(drawn::beige)), answer->width() * answer->height() / 2);
    }
    EXPECT_GT(pixelsNear(parts.command9, rgb(drawn::red)), 20) << "\"Dur\" is greyed";

    for (QuizButton* answer : parts.answers()) {
        QTest::mouseClick(answer, Qt::LeftButton);
        QTest::keyClick(answer, Qt::Key_Space);
    }
    QTest::mouseClick(parts.command9, Qt::LeftButton);
    EXPECT_EQ(caption("Label9"), QStringLiteral("1"));
    EXPECT_EQ(parts.command9->text(), QStringLiteral("Dur"));
    EXPECT_TRUE(parts.Frame5->isVisible());
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

// How many bands of text a widget paints, one above the other: runs of pixel
// rows with ink on them, apart from its ground.
int paintedLines(QWidget* widget)
{
    const QImage image = widget->grab().toImage();
    const QColor ground = widget->palette().color(widget->backgroundRole());
    int bands = 0;
    bool inked = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            ink = std::abs(pixel.red() - ground.red()) + std::abs(pixel.blue() - ground.blue()) > 120;
        }
        bands += ink && !inked ? 1 : 0;
        inked = ink;
    }
    return bands;
}

TEST_F(Form1Test, StartUpBringsTheIdleStateAndFocusesTheStartButton)
{
    showWindow();
    EXPECT_EQ(get<QComboBox>("Combo1")->currentText(), QStringLiteral("Tümü"));
    EXPECT_EQ(get<QComboBox>("Combo2")->currentText(), QStringLiteral("Sıralı"));
    EXPECT_TRUE(get("Combo1")->isEnabled());
    EXPECT_TRUE(get("Frame1")->isVisible());
    EXPECT_TRUE(get("Frame2")->isVisible());
    EXPECT_TRUE(get("Frame4")->isVisible());
    EXPECT_FALSE(get("Frame3")->isVisible());
    EXPECT_FALSE(get("Frame5")->isVisible());
    EXPECT_EQ(get<QLabel>("Label5")->text(), caption("Label5")) << "the caption exactly as written";
    EXPECT_EQ(paintedLines(get("Label5")), 3) << "the dedication's lines, as it shows them";
    EXPECT_EQ(form->focusWidget(), get("command9"));

    // The focus order: start button, the lists, the answers, the OK buttons.
    std::vector<QString> order;
    const std::vector<QString> expected{
        "command9", "Combo1",           "Combo2",          "cev1", "cev2", "cev3",
        "cev4",     "chameleonButton1", "chameleonButton2"};
    for (QWidget* widget = get("command9"); order.size() < expected.size();
         widget = widget->nextInFocusChain()) {
        if (widget->focusPolicy() & Qt::TabFocus) {
            order.push_back(widget->objectName());
        }
    }
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i], expected[i]);
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
    EXPECT_EQ(get("Label1")->palette().color(QPalette::WindowText), rgb(drawn::red));
    EXPECT_FALSE(get("Combo1")->isEnabled());

    QuizButton* right = test::answerButton(*form, true);
    ASSERT_NE(right, nullptr);
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_EQ(caption("Label9"), QStringLiteral("1"));
    EXPECT_EQ(caption("Label10"), QStringLiteral("1"));
    EXPECT_EQ(caption("Label3"), QStringLiteral("2")) << "the next question follows at once";

    QuizButton* wrong = test::answerButton(*form, false);
    ASSERT_NE(wrong, nullptr);
    QTest::mouseClick(wrong, Qt::LeftButton);
    EXPECT_TRUE(get("Frame5")->isVisible());
    EXPECT_EQ(caption("Label13"), QStringLiteral("DOĞRU CEVAP : 2"));
    EXPECT_EQ(caption("Label11"), QStringLiteral("1"));
    // Label13 centres on its design centre whatever its new width, however
    // often its width changes.
    const int centre = 75 + 155 / 2; // of the box drawn for it
    EXPECT_NEAR(get("Label13")->geometry().center().x(), centre, 1);
    for (int i = 0; i < 51; ++i) {
        get<QuizLabel>("Label13")->setCaption(i % 2 == 0 ? "DOĞRU CEVAP : 7" : "DOĞRU CEVAP : 100");
    }
    EXPECT_NEAR(get("Label13")->geometry().center().x(), centre, 1);

    QTest::mouseClick(get("chameleonButton2"), Qt::LeftButton);
    EXPECT_FALSE(get("Frame5")->isVisible());
    EXPECT_EQ(caption("Label3"), QStringLiteral("3"));
    EXPECT_TRUE(test::answerButton(*form, true)->isEnabled());

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
    QuizButton* right = test::answerButton(*form, true);
    right->setFocus();
    QTest::keyPress(right, Qt::Key_Return);
    EXPECT_TRUE(right->isDown());
    QTest::mouseClick(test::answerButton(*form, false), Qt::LeftButton);
    QTest::keyRelease(right, Qt::Key_Return);
    EXPECT_EQ(caption("Label9"), QStringLiteral("1"));
    EXPECT_EQ(caption("Label10"), QStringLiteral("0"));
    EXPECT_FALSE(right->isDown());
    QTest::mouseClick(get("chameleonButton2"), Qt::LeftButton);

    QuizButton* wrong = test::answerButton(*form, false);
    wrong->setFocus();
    QTest::keyPress(wrong, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::mouseClick(test::answerButton(*form, true),
                      Qt::LeftButton); // takes the focus, and the next question comes
    QTest::keyRelease(form->focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(caption("Label9"), QStringLiteral("2"));
    EXPECT_EQ(caption("Label11"), QStringLiteral("1")) << "the held Enter judged nothing";

    // The keypad's Enter presses like Return.
    test::answerButton(*form, true)->setFocus();
    QTest::keyClick(test::answerButton(*form, true), Qt::Key_Enter, Qt::KeypadModifier);
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
    EXPECT_EQ(form->quizState().quizmode, QuizMode::None) << "a choice is read only at the start";
    EXPECT_TRUE(form->quizState().correctanswer.empty());

    // Letters, digits and Escape reach the buttons and press none of them.
    QTest::mouseClick(get("command9"), Qt::LeftButton);
    const std::string asked = form->quizState().correctanswer;
    for (const char* name : {"command9", "cev1", "cev2", "cev3", "cev4"}) {
        get(name)->setFocus();
        QTest::keyClicks(get(name), QStringLiteral("a1x9"));
        QTest::keyClick(get(name), Qt::Key_Escape);
    }
    EXPECT_EQ(get<QuizButton>("command9")->text(), QStringLiteral("Dur"));
    EXPECT_EQ(caption("Label9"), QStringLiteral("0"));
    EXPECT_EQ(form->quizState().correctanswer, asked);
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
    QTest::mouseClick(test::answerButton(*form, false), Qt::LeftButton);
    ASSERT_TRUE(get("Frame5")->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(get("Label12")->isVisible() && !get("Label13")->isVisible(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(!get("Label12")->isVisible() && get("Label13")->isVisible(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(get("Label12")->isVisible() && !get("Label13")->isVisible(), 1000);
}

} // namespace
} // namespace vorlen
