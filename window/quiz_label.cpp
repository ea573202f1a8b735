#include "window/quiz_label.h"

#include "window/caption_images.h"

#include <QEvent>
#include <QPainter>

namespace vorlen {

QuizLabel::QuizLabel(Qt::Alignment alignment, present::Anchor anchor, QWidget* parent)
    : QLabel(parent), anchor_(anchor)
{
    setAlignment(alignment | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    // A caption's image covers the whole label, so nothing behind it is painted.
    setAutoFillBackground(!fitsCaption());
    setAttribute(Qt::WA_OpaquePaintEvent, fitsCaption());
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
    // A hidden label is fitted when it is shown: measuring a caption loads
    // its font, and the panels that start hidden need theirs only later.
    if (fitsCaption() && isVisible()) {
        fitToCaption();
    }
}

void QuizLabel::showEvent(QShowEvent* event)
{
    if (fitsCaption()) {
        fitToCaption(); // measured once per caption and font, then kept
    }
    QLabel::showEvent(event);
}

void QuizLabel::paintEvent(QPaintEvent* /*event*/)
{
    if (fitsCaption()) {
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
    const QString shown = QString::fromStdString(present::shownLines<char>(caption_));
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
    const present::Box fitted =
        present::captionBox(anchor_, {design_.left(), design_.top(), design_.width(), design_.height()},
                            {size.width(), size.height()});
    const QRect box(fitted.left, fitted.top, fitted.width, fitted.height);
    if (box != geometry()) {
        setGeometry(box);
    }
}

} // namespace vorlen
