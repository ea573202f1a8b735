#include "window/quiz_line.h"

#include <QPainter>

namespace vorlen {

QuizLine::QuizLine(present::Box bar, QColor colour, QWidget* parent) : QWidget(parent), colour_(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(bar.left, bar.top, bar.width, bar.height);
}

void QuizLine::paintEvent(QPaintEvent* /*event*/)
{
    QPainter(this).fillRect(rect(), colour_);
}

} // namespace vorlen
