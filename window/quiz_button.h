// The one push button of the window, used for all seven: a light beige face,
// its own text colour (a second colour under the mouse), a visible focus
// rectangle, and its caption given back exactly as written. A press reaches
// nobody while the button or its panel is disabled. It knows nothing of the
// quiz: the window connects clicked().
#pragma once

#include <QColor>
#include <QPushButton>
#include <QTimer>

namespace vorlen {

class QuizButton : public QPushButton {
    Q_OBJECT

public:
    QuizButton(QColor text, QColor hoverText, QWidget* parent = nullptr);

    // The caption is kept here rather than in QAbstractButton's text: a change
    // of that text announces itself to screen readers, and the idle animation
    // rewrites the answer captions every 85 ms. These hide the base class's
    // text() and setText(); the window names the buttons for screen readers.
    [[nodiscard]] QString text() const { return caption_; }
    void setText(const QString& caption);

    [[nodiscard]] QColor textColour() const { return text_; }
    [[nodiscard]] QColor hoverTextColour() const { return hoverText_; }
    [[nodiscard]] static QColor faceColour();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QTimer enterPress_; // shows Enter's press briefly before the click
    QString caption_;
    QColor text_;
    QColor hoverText_;
};

} // namespace vorlen
