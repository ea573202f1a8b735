#include "window/quiz_list.h"

#include <QEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace vorlen {

QuizList::QuizList(QColor text, QColor background, QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    QPalette colours = palette();
    for (auto role : {QPalette::Base, QPalette::Button}) {
        colours.setColor(role, background);
    }
    for (auto role : {QPalette::Text, QPalette::ButtonText}) {
        colours.setColor(role, text);
    }
    setPalette(colours);
    makeLockedPalette();
}

void QuizList::makeLockedPalette()
{
    locked_ = palette();
    const QColor greyed = locked_.color(QPalette::Window).darker(150);
    locked_.setColor(QPalette::Text, greyed);
    locked_.setColor(QPalette::ButtonText, greyed);
}

void QuizList::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange) {
        makeLockedPalette();
    }
    QComboBox::changeEvent(event);
}

void QuizList::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    if (!isEnabled()) {
        option.palette = locked_;
        option.palette.setCurrentColorGroup(QPalette::Disabled);
    }
    painter.setPen(option.palette.color(QPalette::Text));
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace vorlen
