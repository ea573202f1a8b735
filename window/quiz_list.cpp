#include "window/quiz_list.h"

#include "window/colours.h"

#include <QEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace vorlen {

QuizList::QuizList(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
}

void QuizList::setInks(const present::ListInks& inks)
{
    QPalette colours = palette();
    for (auto role : {QPalette::Base, QPalette::Button}) {
        colours.setColor(role, toQColor(inks.ground));
    }
    for (auto role : {QPalette::Text, QPalette::ButtonText}) {
        colours.setColor(role, toQColor(inks.text));
    }
    colours.setColor(QPalette::Highlight, toQColor(inks.chosenGround));
    colours.setColor(QPalette::HighlightedText, toQColor(inks.chosenText));
    setPalette(colours);
    locked_ = colours;
    locked_.setColor(QPalette::Text, toQColor(inks.textDisabled));
    locked_.setColor(QPalette::ButtonText, toQColor(inks.textDisabled));
    update();
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
