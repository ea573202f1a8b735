// The Qt window: every widget shows what the window model says after each
// event of a quiz played with real clicks, keys and ticks; and what only Qt
// can get wrong: where the widgets sit, how they paint, their fonts and the
// keys. What each part shows and says is proved in the window model's tests.
#include "present/drawing.h"
#include "present/look.h"
#include "tests/support/drawn_window.h"
#include "tests/support/quiz_moves.h"
#include "window/colours.h"
#include "window/form1.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"
#include "window/quiz_line.h"
#include "window/quiz_list.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace vorlen {
namespace {

namespace drawn = test::drawn;
using P = design::Part;

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
QColor rgb(const drawn::Rgb& colour)
{
    return {colour.red, colour.green, colour.blue};
}
QRect rect(const present::Box& box)
{
    return {box.left, box.top, box.width, box.height};
}

// For each row of the widget as painted, how many of its pixels lie near a
// colour: their channels differ from it by less than near in all.
std::vector<int> rowsNear(QWidget* widget, const QColor& colour, int near)
{
    const QImage image = widget->grab().toImage();
    std::vector<int> rows(static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int off = std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                            std::abs(pixel.blue() - colour.blue());
            rows[static_cast<std::size_t>(y)] += off < near ? 1 : 0;
        }
    }
    return rows;
}
int pixelsNear(QWidget* widget, const QColor& colour)
{
    const std::vector<int> rows = rowsNear(widget, colour, 40);
    return std::accumulate(rows.begin(), rows.end(), 0);
}
// How many bands of text a widget paints, one above the other: runs of rows
// with ink, far from its ground.
int inkedBands(QWidget* widget)
{
    int bands = 0;
    bool inked = false;
    for (const int ground : rowsNear(widget, widget->palette().color(widget->backgroundRole()), 120)) {
        bands += ground < widget->width() && !inked ? 1 : 0;
        inked = ground < widget->width();
    }
    return bands;
}

class Form1Test : public testing::Test {
protected:
    Form1Test()
    {
        Form1::Options options;
        options.seed = 42;
        options.counterAddress = "http://127.0.0.1:1/sayac/qelnor.php"; // refused at once
        options.reportFailure = [this](const std::string& line) { failures.push_back(line); };
        form = std::make_unique<Form1>(options);
    }
    QWidget* get(std::string_view name) { return form->findChild<QWidget*>(qs(name)); }
    void show()
    {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    [[nodiscard]] QString caption(P label) const
    {
        return qs(static_cast<QuizLabel*>(form->parts()[label])->caption());
    }

    // Every part shows what the model holds for it: caption or text, colour,
    // shown, enabled, chosen entry, timer running.
    void expectTheModel(const char* step)
    {
        SCOPED_TRACE(step);
        for (std::size_t i = 0; i < design::partCount; ++i) {
            const auto part = static_cast<P>(i);
            const present::PartState& now = form->model()[part];
            QObject* object = form->parts()[part];
            SCOPED_TRACE(std::string(design::name(part)));
            if (auto* timer = qobject_cast<QTimer*>(object)) {
                EXPECT_EQ(timer->isActive(), now.running);
                continue;
            }
            auto* widget = static_cast<QWidget*>(object);
            EXPECT_EQ(!widget->isHidden(), now.visible);
            EXPECT_EQ(widget->isEnabledTo(widget->parentWidget()), now.enabled);
            if (auto* label = qobject_cast<QuizLabel*>(widget)) {
                EXPECT_EQ(label->caption(), now.caption);
                const Colour c = now.colour.colour;
                EXPECT_EQ(label->palette().color(QPalette::WindowText),
                          QColor(int(c & 0xFFU), int((c >> 8U) & 0xFFU), int((c >> 16U) & 0xFFU)));
            } else if (auto* button = qobject_cast<QuizButton*>(widget)) {
                EXPECT_EQ(button->text(), qs(now.caption));
            } else if (auto* list = qobject_cast<QuizList*>(widget)) {
                EXPECT_EQ(list->currentIndex(), now.choice);
            } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
                EXPECT_EQ(box->text(), qs(now.caption));
            }
        }
        EXPECT_TRUE(failures.empty());
    }

    // Where the panels, controls and lines sit, with their colours as
    // created; a label fitted to its caption by its anchor.
    void expectPlacedAsDrawn(bool created)
    {
        for (const drawn::PanelBox& panel : drawn::panels) {
            EXPECT_EQ(get(panel.name)->geometry(),
                      QRect(panel.box.left, panel.box.top, panel.box.width, panel.box.height))
                << panel.name;
        }
        for (const drawn::ControlBox& control : drawn::controls) {
            QWidget* widget = get(control.name);
            EXPECT_EQ(widget->parentWidget()->objectName(), qs(control.panel)) << control.name;
            present::Box box{control.box.left, control.box.top, control.box.width, control.box.height};
            bool placed = true;
            if (auto* label = qobject_cast<QuizLabel*>(widget);
                label != nullptr && control.anchor != present::Anchor::Box) {
                // A label takes its caption's size when it shows: measuring
                // loads the font, which a hidden panel needs only later.
                const QSize size = label->captionSize(label->text());
                box = present::captionBox(control.anchor, box, {size.width(), size.height()});
                placed = label->isVisible();
            }
            if (placed) {
                EXPECT_EQ(widget->geometry(), rect(box)) << control.name;
            }
            const QPalette::ColorRole text = qobject_cast<QuizButton*>(widget) ? QPalette::ButtonText
                                             : qobject_cast<QuizList*>(widget) ? QPalette::Text
                                                                               : QPalette::WindowText;
            if (created && control.text != drawn::Rgb{0, 0, 0}) {
                EXPECT_EQ(widget->palette().color(text), rgb(control.text)) << control.name;
            }
            if (auto* button = qobject_cast<QuizButton*>(widget)) { // navy under the pointer on the answers
                EXPECT_EQ(button->hoverTextColour(),
                          rgb(control.name.starts_with("cev") ? drawn::answerHover : control.text));
            } else if (auto* list = qobject_cast<QuizList*>(widget)) {
                EXPECT_EQ(list->palette().color(QPalette::Base), rgb(drawn::white)) << control.name;
                EXPECT_FALSE(list->isEditable()) << control.name;
            }
        }
        for (const drawn::LineBox& expected : drawn::lines) {
            auto* line = form->findChild<QuizLine*>(qs(expected.name));
            const auto* row =
                std::find_if(design::lines.begin(), design::lines.end(),
                             [&](const design::Line& each) { return each.name == expected.name; });
            EXPECT_EQ(line->geometry(), rect(present::lineBox(*row))) << expected.name;
            EXPECT_EQ(line->colour(), rgb(expected.colour)) << expected.name;
            EXPECT_EQ(line->parentWidget()->objectName(), qs(expected.panel));
            const QObjectList& siblings = line->parentWidget()->children(); // lowered beneath the rest
            EXPECT_LT(siblings.indexOf(line),
                      std::count_if(siblings.begin(), siblings.end(), [](QObject* sibling) {
                          return qobject_cast<QuizLine*>(sibling) != nullptr;
                      }));
            EXPECT_TRUE(line->testAttribute(Qt::WA_TransparentForMouseEvents));
        }
    }

    std::unique_ptr<Form1> form;
    std::vector<std::string> failures;
};

TEST_F(Form1Test, AQuizPlayedWithClicksAndTicksShowsWhatTheModelSaysAsDrawn)
{
    EXPECT_EQ(form->size(), QSize(731, 496));
    EXPECT_TRUE(form->windowTitle().startsWith(
        QStringLiteral("Vorlen   -   Keldar Yazılım ve Bilgisayar Hizmetleri   -   ")));
    QString intervals;
    for (const char* name : {"Timer1", "Timer2", "Timer3"}) {
        intervals += QString::number(form->findChild<QTimer*>(QLatin1String(name))->interval()) + " ";
    }
    EXPECT_EQ(intervals, QStringLiteral("85 200 2000 "));
    const QImage picture = static_cast<QLabel*>(get("Image1"))->pixmap().toImage();
    EXPECT_EQ(picture.size(), QSize(260, 150));
    EXPECT_EQ(picture.pixelColor(0, 0), rgb(drawn::beige)) << "the light beige ground";
    expectTheModel("created");
    expectPlacedAsDrawn(true);

    show();
    expectTheModel("loaded");
    EXPECT_EQ(form->focusWidget(), get("command9"));
    EXPECT_EQ(inkedBands(get("Label5")), 3) << "the dedication's three lines, as painted";
    const QString sample = caption(P::Label1) + caption(P::Label3) + form->parts().cev1->text();
    QTRY_VERIFY_WITH_TIMEOUT(caption(P::Label1) + caption(P::Label3) + form->parts().cev1->text() != sample,
                             2000);
    expectTheModel("a sample");

    form->parts().Combo1->setCurrentIndex(7); // as the child picks "7 ler"
    click(get("command9"));
    expectTheModel("started");
    EXPECT_EQ(caption(P::Label1) + "x" + caption(P::Label3), "7x1");
    click(test::answerButton(*form, true));
    expectTheModel("a right answer");
    EXPECT_EQ(caption(P::Label3), "2");
    click(test::answerButton(*form, false));
    expectTheModel("a wrong answer");
    EXPECT_EQ(form->focusWidget(), get("chameleonButton2"));
    expectPlacedAsDrawn(false);
    // The open panel lies above the question and covers no answer and no
    // count, which keep their look: blue on the beige face, and "Dur" red.
    QWidget* atPoint = form->childAt(230, 340); // Frame5 (213,323 to 517,473) over Frame1 (17,96 to 714,377)
    EXPECT_TRUE(atPoint == get("Frame5") || get("Frame5")->isAncestorOf(atPoint));
    for (const std::string_view name : drawn::uncoveredByFrame5) {
        QWidget* control = get(name);
        EXPECT_EQ(form->childAt(control->mapTo(form.get(), QPoint(1, 1))), control) << name;
    }
    for (QuizButton* answer : form->parts().answers()) {
        EXPECT_GT(pixelsNear(answer, rgb(drawn::blue)), 20) << "greyed";
        EXPECT_GT(pixelsNear(answer, rgb(drawn::beige)), answer->width() * answer->height() / 2);
        click(answer);
    }
    EXPECT_GT(pixelsNear(form->parts().command9, rgb(drawn::red)), 20) << "\"Dur\" greyed";
    QTRY_VERIFY_WITH_TIMEOUT(get("Label12")->isVisible() != get("Label13")->isVisible(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(get("Label12")->isVisible() && !get("Label13")->isVisible(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(!get("Label12")->isVisible() && get("Label13")->isVisible(), 1000);
    expectTheModel("blinking");
    EXPECT_EQ(caption(P::Label9), "2") << "the locked answers took no press";

    click(get("chameleonButton2"));
    expectTheModel("the panel's OK");
    click(get("command9"));
    expectTheModel("stopped");
    form->showMinimized();
    EXPECT_FALSE(form->parts().Timer1->isActive()) << "nobody sees a minimised window's samples";
    form->showNormal();
    EXPECT_TRUE(form->parts().Timer1->isActive());
}

// Each state of a button as the window's look paints it, as drawn, for more
// contrast and in the system's colours: the face inside the border, the
// lower edge where the button stands raised, the caption's colour, and the
// focus mark on the inset line.
TEST_F(Form1Test, EveryStateTheLookDecidesIsPaintedSo)
{
    show();
    auto* start = static_cast<QuizButton*>(get("command9"));
    struct Row {
        const char* what;
        present::ButtonState state;
    };
    const Row rows[] = {{"plain", {}},
                        {"under the pointer", {.hovered = true}},
                        {"held", {.pressed = true}},
                        {"held under the pointer", {.hovered = true, .pressed = true}},
                        {"focused", {.focused = true}},
                        {"locked", {.enabled = false}}};
    for (const present::Preferences& preferences :
         {present::Preferences{}, present::Preferences{.moreContrast = true},
          present::Preferences{.forcedColours = true}}) {
        form->prefer(preferences);
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(row.what) + (preferences.moreContrast    ? ", more contrast"
                                                  : preferences.forcedColours ? ", forced colours"
                                                                              : ""));
            start->setEnabled(row.state.enabled);
            start->setDown(row.state.pressed);
            start->setAttribute(Qt::WA_UnderMouse, row.state.hovered);
            (row.state.focused ? start : static_cast<QWidget*>(form->parts().Combo1))->setFocus();
            const present::ButtonPaint paint = present::look(preferences).button(P::command9).in(row.state);
            const QImage image = start->grab().toImage();
            EXPECT_EQ(image.pixelColor(6, 6), toQColor(paint.face));
            if (paint.raised) {
                EXPECT_EQ(image.pixelColor(6, image.height() - 2), toQColor(paint.lowerEdge));
            }
            EXPECT_GT(pixelsNear(start, toQColor(paint.text)), 30) << "the caption";
            // The mark: black at the focus opacity, or the system's highlight.
            const present::Ink mark = present::look(preferences).focusMark;
            int marked = 0;
            int inMarkColour = 0;
            for (int y = 6; y < image.height() - 6; ++y) {
                const QColor pixel = image.pixelColor(present::focusInsetPx, y);
                marked += pixel != toQColor(paint.face) ? 1 : 0;
                inMarkColour += mark.role && pixel == toQColor(mark) ? 1 : 0;
            }
            EXPECT_EQ(marked > 5, paint.focusMark);
            EXPECT_EQ(inMarkColour > 5, paint.focusMark && mark.role);
        }
        // A list's text, and its grey while locked.
        QWidget* list = get("Combo1");
        const present::ListInks inks = present::look(preferences).list(P::Combo1);
        for (const bool enabled : {true, false}) {
            list->setEnabled(enabled);
            EXPECT_GT(pixelsNear(list, toQColor(enabled ? inks.text : inks.textDisabled)), 30) << enabled;
        }
    }
    start->setEnabled(true);
}

TEST_F(Form1Test, FontsAreTheDesignsAndHoldEveryTurkishLetter)
{
    EXPECT_TRUE(form->font().families().contains(QStringLiteral("MS Sans Serif")));
    EXPECT_DOUBLE_EQ(form->font().pointSizeF(), 8.25);
    for (const drawn::ControlFont& expected : drawn::fonts) {
        const QFont font = get(expected.name)->font();
        EXPECT_TRUE(font.families().contains(qs(expected.family))) << expected.name;
        EXPECT_DOUBLE_EQ(font.pointSizeF(), expected.points) << expected.name;
        EXPECT_EQ(font.bold(), expected.bold) << expected.name;
        for (const QChar letter : qs(drawn::turkishLetters)) { // whatever face the system gives
            EXPECT_TRUE(QFontMetrics(font).inFont(letter))
                << expected.name << " lacks U+" << static_cast<unsigned>(letter.unicode());
        }
    }
}

TEST_F(Form1Test, KeysPressTheFocusedButtonWithinTheirStrokeOrNotAtAll)
{
    show();
    QTest::keyClick(get("command9"), Qt::Key_Space);
    QuizButton* right = test::answerButton(*form, true);
    right->setFocus();
    QTest::keyPress(right, Qt::Key_Return);
    EXPECT_TRUE(right->isDown());
    click(test::answerButton(*form, false)); // the panel locks while Return is held
    QTest::keyRelease(right, Qt::Key_Return);
    EXPECT_EQ(caption(P::Label9) + caption(P::Label10), "10");
    click(get("chameleonButton2"));

    QuizButton* wrong = test::answerButton(*form, false);
    wrong->setFocus();
    QTest::keyPress(wrong, Qt::Key_Enter, Qt::KeypadModifier);
    click(test::answerButton(*form, true)); // takes the focus, and the next question comes
    QTest::keyRelease(form->focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(caption(P::Label9) + caption(P::Label11), "21") << "the held Enter judged nothing";
    test::answerButton(*form, true)->setFocus();
    QTest::keyClick(test::answerButton(*form, true), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(caption(P::Label10), "2") << "the keypad's Enter presses like Return";
}

} // namespace
} // namespace vorlen
