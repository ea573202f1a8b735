#include "window/quiz_label.h"

#include "window/caption_images.h"

#include <QEvent>
#include <QPainter>

namespace vorlen {

QuizLabel::QuizLabel(Qt::Alignment alignment, Sizing sizing, QWidget* parent)
    : QLabel(parent), sizing_(sizing)
{
    setAlignment(alignment | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    // A caption's image covers the whole label, so nothing behind it is painted.
    setAutoFillBackground(sizing == Sizing::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent, sizing == Sizing::ToCaption);
    captions_.setFont(font());
}

QSize QuizLabel::captionSize(const QString& text) const
{
    return captions_.line(text);
}

void QuizLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        captions_.setFont(font());
    }
    QLabel::changeEvent(event);
}

void QuizLabel::setCaption(const std::string& caption)
{
    caption_ = caption;
    const QString text = QString::fromStdString(caption);
    if (text != this->text()) {
        setText(text);
    }
    if (sizing_ == Sizing::ToCaption) {
        fitToCaption();
    }
}

void QuizLabel::paintEvent(QPaintEvent* /*event*/)
{
    if (sizing_ == Sizing::ToCaption) {
        // One line, as wide as the label, which takes the caption's size.
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(backgroundRole()));
        painter.setPen(palette().color(foregroundRole()));
        painter.setFont(font());
        painter.drawStaticText(QPointF(0, 0), captions_.layout(text()));
        return;
    }
    // The dedication's lines are joined by carriage returns alone, which a
    // plain label would run together on one line.
    QString shown = text();
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), static_cast<int>(alignment()), shown);
}

void QuizLabel::setDesignGeometry(const QRect& box)
{
    design_ = box;
    setGeometry(box);
}

void QuizLabel::fitToCaption()
{
    const QSize size = captionSize(text());
    int left = design_.left();
    if (alignment().testFlag(Qt::AlignRight)) {
        left = design_.left() + design_.width() - size.width();
    } else if (alignment().testFlag(Qt::AlignHCenter)) {
        left = design_.left() + (design_.width() - size.width()) / 2;
    }
    const QRect box(QPoint(left, design_.top()), size);
    if (box != geometry()) {
        setGeometry(box);
    }
}

} // namespace vorlen
