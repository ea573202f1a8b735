#include "window/quiz_button.h"

#include "engine/controls.h"
#include "window/colours.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace vorlen {

QuizButton::QuizButton(QColor text, QColor hoverText, QWidget* parent)
    : QPushButton(parent), text_(text), hoverText_(hoverText)
{
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    enterPress_.setSingleShot(true);
    enterPress_.setInterval(100);
    connect(&enterPress_, &QTimer::timeout, this, [this] {
        setDown(false);
        // click() does nothing once the button or its panel has been locked
        // meanwhile, say by a wrong answer clicked with the mouse.
        click();
    });
}

void QuizButton::setText(const QString& caption)
{
    if (caption != caption_) {
        caption_ = caption;
        update();
    }
}

QColor QuizButton::faceColour()
{
    return toQColor(colour::buttonFace);
}

void QuizButton::keyPressEvent(QKeyEvent* event)
{
    // Enter presses the focused button as Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier && !event->isAutoRepeat()) {
        if (!enterPress_.isActive()) {
            setDown(true);
            enterPress_.start();
        }
        return;
    }
    QPushButton::keyPressEvent(event);
}

void QuizButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled() && enterPress_.isActive()) {
        enterPress_.stop();
        setDown(false);
    }
    QPushButton::changeEvent(event);
}

void QuizButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    constexpr qreal radius = 4.0;

    const bool enabled = isEnabled();
    const bool down = isDown();
    const bool hover = enabled && underMouse();

    QColor face = faceColour();
    if (down) {
        face = face.darker(112);
    } else if (hover) {
        face = face.lighter(104);
    }
    QPainterPath outline;
    outline.addRoundedRect(frame, radius, radius);
    painter.fillPath(outline, face);

    // A soft raised edge: light above, shade below; flat while pressed.
    if (!down) {
        painter.setPen(QPen(QColor(255, 255, 255, 170), 1.0));
        painter.drawLine(QPointF(frame.left() + radius, frame.top() + 1.0),
                         QPointF(frame.right() - radius, frame.top() + 1.0));
        painter.setPen(QPen(face.darker(125), 1.0));
        painter.drawLine(QPointF(frame.left() + radius, frame.bottom() - 1.0),
                         QPointF(frame.right() - radius, frame.bottom() - 1.0));
    }
    painter.setPen(QPen(enabled ? face.darker(160) : face.darker(130), 1.0));
    painter.drawPath(outline);

    QColor ink = hover ? hoverText_ : text_;
    if (!enabled) {
        ink = face.darker(150);
    }
    painter.setPen(ink);
    painter.setFont(font());
    const QRect textBox = rect().translated(down ? 1 : 0, down ? 1 : 0);
    painter.drawText(textBox, Qt::AlignCenter | Qt::TextSingleLine, caption_);

    if (hasFocus()) {
        QPen focus(QColor(0, 0, 0, 160), 1.0, Qt::DotLine);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(focus);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

} // namespace vorlen
