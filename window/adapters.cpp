#include "window/adapters.h"

#include "window/colours.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"
#include "window/quiz_list.h"
#include "window/quiz_panel.h"
#include "window/window_parts.h"

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

EngineControls::EngineControls(const WindowParts& parts, WebBrowser& browser)
    : labels_{LabelAdapter(parts.Label1),  LabelAdapter(parts.Label2),  LabelAdapter(parts.Label3),
              LabelAdapter(parts.Label4),  LabelAdapter(parts.Label5),  LabelAdapter(parts.Label6),
              LabelAdapter(parts.Label7),  LabelAdapter(parts.Label8),  LabelAdapter(parts.Label9),
              LabelAdapter(parts.Label10), LabelAdapter(parts.Label11), LabelAdapter(parts.Label12),
              LabelAdapter(parts.Label13)},
      frames_{PanelAdapter(parts.Frame1), PanelAdapter(parts.Frame2), PanelAdapter(parts.Frame3),
              PanelAdapter(parts.Frame4), PanelAdapter(parts.Frame5)},
      answers_{ButtonAdapter(parts.cev1), ButtonAdapter(parts.cev2), ButtonAdapter(parts.cev3),
               ButtonAdapter(parts.cev4)},
      buttons_{ButtonAdapter(parts.command9), ButtonAdapter(parts.chameleonButton1),
               ButtonAdapter(parts.chameleonButton2)},
      lists_{ListAdapter(parts.Combo1), ListAdapter(parts.Combo2)},
      text1_(parts.Text1), timers_{TimerAdapter(parts.Timer1), TimerAdapter(parts.Timer2),
                                   TimerAdapter(parts.Timer3)},
      browser_(browser)
{
}

Controls EngineControls::controls()
{
    return Controls{
        .Label1 = labels_[0],
        .Label2 = labels_[1],
        .Label3 = labels_[2],
        .Label4 = labels_[3],
        .Label5 = labels_[4],
        .Label6 = labels_[5],
        .Label7 = labels_[6],
        .Label8 = labels_[7],
        .Label9 = labels_[8],
        .Label10 = labels_[9],
        .Label11 = labels_[10],
        .Label12 = labels_[11],
        .Label13 = labels_[12],
        .Frame1 = frames_[0],
        .Frame2 = frames_[1],
        .Frame3 = frames_[2],
        .Frame4 = frames_[3],
        .Frame5 = frames_[4],
        .Combo1 = lists_[0],
        .Combo2 = lists_[1],
        .Text1 = text1_,
        .cev1 = answers_[0],
        .cev2 = answers_[1],
        .cev3 = answers_[2],
        .cev4 = answers_[3],
        .command9 = buttons_[0],
        .chameleonButton1 = buttons_[1],
        .chameleonButton2 = buttons_[2],
        .Timer1 = timers_[0],
        .Timer2 = timers_[1],
        .Timer3 = timers_[2],
        .WebBrowser1 = browser_,
    };
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
