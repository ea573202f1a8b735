#include "window/quiz_label.h"

#include <QFontMetrics>

namespace vorlen {

QuizLabel::QuizLabel(Qt::Alignment alignment, Sizing sizing, QWidget* parent)
    : QLabel(parent), sizing_(sizing)
{
    setAlignment(alignment | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
}

QSize QuizLabel::captionSize(const QString& text) const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text), metrics.height()};
}

void QuizLabel::setCaption(const std::string& caption)
{
    caption_ = caption;
    QString shown = QString::fromStdString(caption);
    if (sizing_ == Sizing::Fixed) {
        // The dedication's lines are joined by carriage returns alone.
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n"))
            .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    if (shown != text()) {
        setText(shown);
    }
    if (sizing_ == Sizing::ToCaption) {
        fitToCaption();
    }
}

void QuizLabel::fitToCaption()
{
    const QSize size = captionSize(text());
    QRect box = geometry();
    if (alignment().testFlag(Qt::AlignRight)) {
        box.setLeft(box.right() + 1 - size.width());
    } else if (alignment().testFlag(Qt::AlignHCenter)) {
        const int centre2 = box.left() * 2 + box.width(); // twice the centre, exact
        box.setLeft((centre2 - size.width()) / 2);
    }
    box.setSize(size);
    if (box != geometry()) {
        setGeometry(box);
    }
}

} // namespace vorlen
