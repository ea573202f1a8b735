// The window's parts, made once from the design table: a typed pointer to
// every panel, control, line and timer, under the name it has in the
// design, and each part by its design::Part for applying what changed. The
// window owns the widgets (they are its children); this only points at
// them, for the window's wiring, the screen reader and the tests.
#pragma once

#include "design/design.h"

#include <array>

class QLabel;
class QLineEdit;
class QObject;
class QTimer;
class QWidget;

namespace vorlen {

class QuizButton;
class QuizLabel;
class QuizLine;
class QuizList;
class QuizPanel;

// NOLINTBEGIN(readability-identifier-naming): the design's names
struct WindowParts {
    QuizPanel* Frame1 = nullptr; // question
    QuizPanel* Frame2 = nullptr; // settings
    QuizPanel* Frame3 = nullptr; // dedication, never shown
    QuizPanel* Frame4 = nullptr; // score
    QuizPanel* Frame5 = nullptr; // wrong answer

    QuizLabel* Label1 = nullptr;  // first factor
    QuizLabel* Label2 = nullptr;  // "x"
    QuizLabel* Label3 = nullptr;  // second factor
    QuizLabel* Label4 = nullptr;  // "Sorma Şekli :"
    QuizLabel* Label5 = nullptr;  // dedication
    QuizLabel* Label6 = nullptr;  // "Toplam soru sayısı : "
    QuizLabel* Label7 = nullptr;  // "Doğru sayısı : "
    QuizLabel* Label8 = nullptr;  // "Yanlış sayısı : "
    QuizLabel* Label9 = nullptr;  // answers given
    QuizLabel* Label10 = nullptr; // right answers
    QuizLabel* Label11 = nullptr; // wrong answers
    QuizLabel* Label12 = nullptr; // "!!! YANLIŞ !!!"
    QuizLabel* Label13 = nullptr; // the correct answer

    QuizButton* command9 = nullptr; // "Başla" / "Dur"
    QuizButton* cev1 = nullptr;
    QuizButton* cev2 = nullptr;
    QuizButton* cev3 = nullptr;
    QuizButton* cev4 = nullptr;
    QuizButton* chameleonButton1 = nullptr; // OK of the dedication panel
    QuizButton* chameleonButton2 = nullptr; // OK of the wrong-answer panel

    QuizList* Combo1 = nullptr; // table
    QuizList* Combo2 = nullptr; // order
    QLineEdit* Text1 = nullptr; // hidden scratch cell
    QLabel* Image1 = nullptr;   // dedication picture

    std::array<QuizLine*, design::lines.size()> lines{}; // in the design's order

    QTimer* Timer1 = nullptr; // idle animation
    QTimer* Timer2 = nullptr; // wrong-answer blink
    QTimer* Timer3 = nullptr; // visit counter

    [[nodiscard]] std::array<QuizButton*, 4> answers() const { return {cev1, cev2, cev3, cev4}; }
    [[nodiscard]] std::array<QuizLabel*, 3> counts() const { return {Label9, Label10, Label11}; }
    [[nodiscard]] std::array<QuizPanel*, 5> frames() const
    {
        return {Frame1, Frame2, Frame3, Frame4, Frame5};
    }
    [[nodiscard]] std::array<QTimer*, 3> timers() const { return {Timer1, Timer2, Timer3}; }

    // Every part, by design::index(): a QuizPanel, QuizLabel, QuizButton,
    // QuizList, QLineEdit, QLabel or QTimer as design::kind() says.
    std::array<QObject*, design::partCount> all{};
    [[nodiscard]] QObject* operator[](design::Part part) const { return all[design::index(part)]; }
};
// NOLINTEND(readability-identifier-naming)

// Makes every panel, control, line and timer of the design as a child of
// the window, in its place, with its caption, font, colours, state at
// creation and focus order. The timers start at once.
[[nodiscard]] WindowParts buildWindow(QWidget& window);

} // namespace vorlen
