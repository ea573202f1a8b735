#include "window/quiz_panel.h"

#include <QPainter>

namespace vorlen {

QuizPanel::QuizPanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame);
}

void QuizPanel::addLine(const Line& line)
{
    lines_.append(line);
    update();
}

void QuizPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (lines_.isEmpty()) {
        return;
    }
    QPainter painter(this);
    for (const Line& line : lines_) {
        // Flat ends, so a thick line ends at its end points like a ruled line.
        painter.setPen(QPen(line.colour, line.width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(line.points);
    }
}

} // namespace vorlen
