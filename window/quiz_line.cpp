#include "window/quiz_line.h"

#include <QPainter>

#include <algorithm>

namespace vorlen {

QuizLine::QuizLine(QLine points, int width, QColor colour, QWidget* parent)
    : QWidget(parent), points_(points), width_(width), colour_(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    const int half = width / 2;
    const QRect extent =
        QRect(points.p1(), points.p2()).normalized().adjusted(-half, -half, width - half, width - half);
    setGeometry(extent);
}

void QuizLine::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    // Flat ends, so a thick line ends at its end points like a ruled line.
    painter.setPen(QPen(colour_, width_, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(points_.translated(-pos()));
}

} // namespace vorlen
