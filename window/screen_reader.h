// What a screen reader hears of the window, and when.
//
// installScreenReaderSupport() sets up, once for the application, how the
// window's parts are exposed (the panels as groupings inside the window, the
// lists labelled by "Sorma Şekli :" and read by their choice, each count as
// one label that carries its caption, an announcement object) and a
// filter that keeps the idle animation and the wrong-answer blink off the
// accessibility bus. A ScreenReader keeps one window's accessible names in
// step after the load step and after every press, and says what a child
// cannot see: the new question, and the correct answer after a mistake.
//
// It decides nothing about the quiz; it only reads the controls.
#pragma once

#include "window/window_parts.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QAbstractButton;

namespace vorlen {

void installScreenReaderSupport();

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
    ScreenReader(QWidget& window, const WindowParts& parts);
    ~ScreenReader();

    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    // Brings the names in step with the controls and says what changed: call
    // after the load step and after every press, with the button pressed.
    void update(QAbstractButton* pressed = nullptr);

private:
    void name(QWidget* widget, const QString& accessibleName);
    void announce(const QString& text);

    const WindowParts& parts_;          // the window's, which outlives this
    Announcement* announcer_ = nullptr; // owned by the window
    QString lastQuestion_;
    bool running_ = false;
    bool wrongPanelOpen_ = false;
    QPointer<QAbstractButton> lastAnswer_; // the answer button pressed last
};

} // namespace vorlen
