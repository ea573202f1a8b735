#include "window/adapters.h"

#include "window/colours.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QTimer>

#include <stdexcept>

namespace vorlen {

namespace {

QString toQString(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

void LabelAdapter::setCaption(const std::string& text)
{
    label_->setCaption(text);
}

void LabelAdapter::setForeColor(Colour colour)
{
    QPalette palette = label_->palette();
    const QColor wanted = toQColor(colour);
    if (palette.color(QPalette::WindowText) != wanted) {
        palette.setColor(QPalette::WindowText, wanted);
        label_->setPalette(palette);
    }
}

void LabelAdapter::setVisible(bool visible)
{
    label_->setVisible(visible);
}

std::string ButtonAdapter::caption() const
{
    return button_->text().toStdString();
}

void ButtonAdapter::setCaption(const std::string& text)
{
    const QString caption = toQString(text);
    if (caption != button_->text()) {
        button_->setText(caption);
    }
}

void ButtonAdapter::setEnabled(bool enabled)
{
    button_->setEnabled(enabled);
}

bool PanelAdapter::isVisible() const
{
    // The panel's own setting, whether or not the window is on screen yet.
    return !panel_->isHidden();
}

void PanelAdapter::setVisible(bool visible)
{
    panel_->setVisible(visible);
}

void PanelAdapter::setEnabled(bool enabled)
{
    panel_->setEnabled(enabled);
}

void ListAdapter::setListIndex(int index)
{
    if (index < -1 || index >= list_->count()) {
        throw std::out_of_range("no such list entry");
    }
    list_->setCurrentIndex(index);
}

std::string ListAdapter::text() const
{
    return list_->currentText().toStdString();
}

void ListAdapter::setEnabled(bool enabled)
{
    list_->setEnabled(enabled);
}

std::string TextBoxAdapter::text() const
{
    return box_->text().toStdString();
}

void TextBoxAdapter::setText(const std::string& text)
{
    box_->setText(toQString(text));
}

void TimerAdapter::setEnabled(bool enabled)
{
    // Enabling a running timer leaves its rhythm alone.
    if (!enabled) {
        timer_->stop();
    } else if (!timer_->isActive()) {
        timer_->start();
    }
}

} // namespace vorlen
