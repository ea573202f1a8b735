#include "window/form1.h"

#include "window/colours.h"
#include "window/fonts.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"
#include "window/quiz_list.h"
#include "window/quiz_panel.h"
#include "window/screen_reader.h"
#include "window/socket_transport.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <utility>
#include <vector>

using namespace vorlen;
using present::Property;
using P = design::Part;

namespace {

void setTextColour(QWidget* widget, Colour colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, toQColor(colour));
    widget->setPalette(palette);
}

} // namespace

Form1::Form1() : Form1(Options{})
{
}

Form1::Form1(Options options, QWidget* parent) : QWidget(parent), options_(std::move(options))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromStdString(design::windowCaption()));
    setFont(toQFont(design::defaultFont));
    setFixedSize(design::px(design::clientWidth), design::px(design::clientHeight));

    parts_ = buildWindow(*this);
    form_ = std::make_unique<present::Form>(options_);
    screenReader_ = std::make_unique<ScreenReader>(*this, parts_, form_->model());
    connectEvents();
}

Form1::~Form1()
{
    // The timers must not tick into a model that is gone.
    for (QTimer* timer : parts_.timers()) {
        timer->stop();
    }
}

void Form1::connectEvents()
{
    for (std::size_t i = 0; i < design::partCount; ++i) {
        const auto part = static_cast<P>(i);
        switch (design::kind(part)) {
        case design::Kind::Button:
            connect(static_cast<QuizButton*>(parts_[part]), &QuizButton::clicked, this,
                    [this, part] { apply(form_->press(part)); });
            break;
        case design::Kind::List:
            connect(static_cast<QuizList*>(parts_[part]), &QComboBox::currentIndexChanged, this,
                    [this, part](int entry) {
                        if (!applying_) {
                            apply(form_->choose(part, entry));
                        }
                    });
            break;
        case design::Kind::Timer:
            connect(static_cast<QTimer*>(parts_[part]), &QTimer::timeout, this,
                    [this, part] { apply(form_->tick(part)); });
            break;
        case design::Kind::Panel:
        case design::Kind::Label:
        case design::Kind::TextBox:
        case design::Kind::Picture:
            break;
        }
    }
}

void Form1::apply(const present::Update& update)
{
    applying_ = true;
    runReportingFailure(options_.reportFailure, "window", [&] {
        const present::WindowModel& model = form_->model();
        std::vector<QWidget*> hideAfterFocus;
        for (const present::Change& change : update.changes) {
            const present::PartState& now = model[change.part];
            QObject* object = parts_[change.part];
            switch (design::kind(change.part)) {
            case design::Kind::Timer: {
                auto* timer = static_cast<QTimer*>(object);
                if (change.has(Property::Running)) {
                    now.running ? timer->start() : timer->stop();
                }
                continue;
            }
            case design::Kind::Label:
                if (change.has(Property::Caption)) {
                    static_cast<QuizLabel*>(object)->setCaption(now.caption);
                }
                if (change.has(Property::Colour)) {
                    setTextColour(static_cast<QWidget*>(object), now.colour);
                }
                break;
            case design::Kind::Button:
                if (change.has(Property::Caption)) {
                    static_cast<QuizButton*>(object)->setText(QString::fromStdString(now.caption));
                }
                break;
            case design::Kind::List:
                if (change.has(Property::Choice)) {
                    static_cast<QuizList*>(object)->setCurrentIndex(now.choice);
                }
                break;
            case design::Kind::TextBox:
                if (change.has(Property::Caption)) {
                    static_cast<QLineEdit*>(object)->setText(QString::fromStdString(now.caption));
                }
                break;
            case design::Kind::Panel:
            case design::Kind::Picture:
                break;
            }
            auto* widget = static_cast<QWidget*>(object);
            if (change.has(Property::Enabled)) {
                widget->setEnabled(now.enabled);
            }
            if (change.has(Property::Visible)) {
                // Hiding the focus makes Qt pass it to the next control in the
                // tab order, which a screen reader would start to say; where
                // this update moves the focus anyway, that part hides after.
                const QWidget* focus = QApplication::focusWidget();
                if (!now.visible && update.focus && focus != nullptr &&
                    (focus == widget || widget->isAncestorOf(focus))) {
                    hideAfterFocus.push_back(widget);
                } else {
                    widget->setVisible(now.visible);
                }
            }
            if (change.has(Property::Name) || change.has(Property::Description)) {
                screenReader_->name(change.part);
            }
        }
        if (update.focus) {
            static_cast<QWidget*>(parts_[*update.focus])->setFocus(Qt::OtherFocusReason);
        }
        for (QWidget* widget : hideAfterFocus) {
            widget->hide();
        }
        if (update.announcement) {
            screenReader_->announce(*update.announcement);
        }
        if (update.counterRequest) {
            sendOverSocket(*update.counterRequest);
        }
    });
    applying_ = false;
}

void Form1::setVisible(bool visible)
{
    if (visible && !form_->loaded()) {
        apply(form_->load());
    }
    QWidget::setVisible(visible);
}
