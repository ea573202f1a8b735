#include "window/quiz_line.h"

#include <QPainter>

namespace vorlen {

QuizLine::QuizLine(present::Box bar, QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(bar.left, bar.top, bar.width, bar.height);
}

void QuizLine::setColour(QColor colour)
{
    if (colour != colour_) {
        colour_ = colour;
        update();
    }
}

void QuizLine::paintEvent(QPaintEvent* /*event*/)
{
    QPainter(this).fillRect(rect(), colour_);
}

} // namespace vorlen
