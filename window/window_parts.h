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

// The widget class of each kind of part.
template <design::Kind> struct WidgetOf;
template <> struct WidgetOf<design::Kind::Panel> {
    using Type = QuizPanel;
};
template <> struct WidgetOf<design::Kind::Label> {
    using Type = QuizLabel;
};
template <> struct WidgetOf<design::Kind::Button> {
    using Type = QuizButton;
};
template <> struct WidgetOf<design::Kind::List> {
    using Type = QuizList;
};
template <> struct WidgetOf<design::Kind::TextBox> {
    using Type = QLineEdit;
};
template <> struct WidgetOf<design::Kind::Picture> {
    using Type = QLabel; // the dedication picture
};
template <> struct WidgetOf<design::Kind::Timer> {
    using Type = QTimer;
};

// NOLINTBEGIN(readability-identifier-naming): the design's names
struct WindowParts {
    std::array<QuizLine*, design::lines.size()> lines{}; // in the design's order

    [[nodiscard]] std::array<QuizButton*, 4> answers() const { return {cev1, cev2, cev3, cev4}; }
    [[nodiscard]] std::array<QuizLabel*, 3> counts() const { return {Label9, Label10, Label11}; }
    [[nodiscard]] std::array<QuizPanel*, 5> frames() const
    {
        return {Frame1, Frame2, Frame3, Frame4, Frame5};
    }
    [[nodiscard]] std::array<QTimer*, 3> timers() const { return {Timer1, Timer2, Timer3}; }

    // Every part, by design::index(): of the class WidgetOf its kind.
    std::array<QObject*, design::partCount> all{};
    [[nodiscard]] QObject* operator[](design::Part part) const { return all[design::index(part)]; }

    // Every part under its design name (engine/parts.h), typed by its kind.
#define VORLEN_WIDGET(name, kind) WidgetOf<design::Kind::kind>::Type* name = nullptr;
    VORLEN_PARTS(VORLEN_WIDGET)
#undef VORLEN_WIDGET
};
// NOLINTEND(readability-identifier-naming)

// Makes every panel, control, line and timer of the design as a child of
// the window, in its place, with its caption, font, colours, state at
// creation and focus order. The timers start at once.
[[nodiscard]] WindowParts buildWindow(QWidget& window);

} // namespace vorlen
