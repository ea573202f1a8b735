// The one push button of the window, used for all seven: a light beige face,
// its own text colour (a second colour under the mouse), a visible focus
// rectangle, and its caption given back exactly as written. Space and Enter
// press it alike. A press reaches nobody while the button or its panel is
// disabled; it paints greyed only while it is disabled itself. It knows
// nothing of the quiz: the window connects clicked().
#pragma once

#include "present/look.h"
#include "window/caption_images.h"

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QPushButton>

namespace vorlen {

class QuizButton : public QPushButton {
    Q_OBJECT

public:
    // Its colours are the window's look, given by setInks(); the plain text
    // colour and face are the palette's ButtonText and Button too.
    explicit QuizButton(QWidget* parent = nullptr);

    [[nodiscard]] QColor textColour() const
    {
        return palette().color(QPalette::Active, QPalette::ButtonText);
    }
    [[nodiscard]] QColor hoverTextColour() const { return hoverText_; }
    [[nodiscard]] static QColor faceColour();

    // The paints of every state, and the focus mark, as the window's look has them.
    void setInks(const present::ButtonInks& inks, const present::Ink& focusMark);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void cancelEnter();
    [[nodiscard]] QPixmap faceFor(const present::ButtonPaint& paint) const;

    QColor hoverText_;
    present::ButtonInks inks_;
    present::Ink focusMark_;
    bool enterDown_ = false; // Enter is held on this button
    // The answer buttons repaint eleven times a second while idle, and
    // drawing an antialiased face afresh cost several times the whole rest:
    // the faces are drawn once (faceFor) and the captions laid out once.
    CaptionLayouts captions_;
};

} // namespace vorlen
