// What a screen reader hears of the window, and when.
//
// installScreenReaderSupport() sets up, once for the application, how the
// window's parts are exposed (the panels as groupings inside the window, each
// count as one label that carries its caption, an announcement object) and a
// filter that keeps the idle animation and the wrong-answer blink off the
// accessibility bus. A ScreenReader keeps one window's accessible names in
// step after the load step and after every press, and says what a child
// cannot see: the new question, and the correct answer after a mistake.
//
// It decides nothing about the quiz; it only reads the controls.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>

class QAbstractButton;
class QComboBox;
class QLabel;

namespace vorlen {

void installScreenReaderSupport();

// The parts of one window that a screen reader reads.
struct SpokenParts {
    QWidget* window = nullptr;
    QWidget* questionPanel = nullptr;          // Frame1
    QWidget* wrongPanel = nullptr;             // Frame5
    QLabel* first = nullptr;                   // Label1
    QLabel* times = nullptr;                   // Label2
    QLabel* second = nullptr;                  // Label3
    QLabel* settingsCaption = nullptr;         // Label4
    QLabel* dedication = nullptr;              // Label5
    QLabel* warning = nullptr;                 // Label12
    QLabel* correctLine = nullptr;             // Label13
    QComboBox* tableList = nullptr;            // Combo1
    QComboBox* orderList = nullptr;            // Combo2
    QWidget* scratchText = nullptr;            // Text1
    QAbstractButton* startStop = nullptr;      // command9
    std::array<QAbstractButton*, 4> answers{}; // cev1..cev4
    QAbstractButton* dedicationOk = nullptr;   // chameleonButton1
    QAbstractButton* wrongOk = nullptr;        // chameleonButton2
    struct Count {
        QLabel* caption = nullptr;
        QLabel* value = nullptr;
    };
    std::array<Count, 3> counts{}; // Label6/Label9, Label7/Label10, Label8/Label11
};

// A zero-sized child of the window that is shown for a moment to say one
// thing. Screen readers speak a notification when it appears, wherever the
// focus is; a name change alone goes unheard.
class Announcement : public QWidget {
    Q_OBJECT

public:
    explicit Announcement(QWidget* window);
};

class ScreenReader {
public:
    // The start button reads stopCaption ("Dur") while a quiz runs.
    ScreenReader(const SpokenParts& parts, QString stopCaption);
    ~ScreenReader();

    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    // Brings the names in step with the controls and says what changed: call
    // after the load step and after every press, with the button pressed.
    void update(QAbstractButton* pressed = nullptr);

private:
    void name(QWidget* widget, const QString& accessibleName);
    void announce(const QString& text);

    SpokenParts parts_;
    QString stopCaption_;
    Announcement* announcer_ = nullptr; // owned by the window
    QString lastQuestion_;
    bool running_ = false;
    bool wrongPanelOpen_ = false;
    QPointer<QAbstractButton> lastAnswer_; // the answer button pressed last
};

} // namespace vorlen
