#include "window/form1.h"

#include "window/colours.h"
#include "window/fonts.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"
#include "window/quiz_line.h"
#include "window/quiz_list.h"
#include "window/quiz_panel.h"
#include "window/screen_reader.h"
#include "window/socket_transport.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>

#include <utility>

using namespace vorlen;
using P = design::Part;

namespace {

void setTextColour(QWidget* widget, const present::Ink& colour)
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
    Form1::look(form_->look()); // this class's own, while it is being built
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
    present::apply(update, form_->model(), *this, options_.reportFailure);
    applying_ = false;
}

void Form1::caption(Part part, const std::string& caption)
{
    switch (design::kind(part)) {
    case design::Kind::Label:
        static_cast<QuizLabel*>(parts_[part])->setCaption(caption);
        break;
    case design::Kind::Button:
        static_cast<QuizButton*>(parts_[part])->setText(QString::fromStdString(caption));
        break;
    case design::Kind::TextBox:
        static_cast<QLineEdit*>(parts_[part])->setText(QString::fromStdString(caption));
        break;
    default:
        break;
    }
}

void Form1::look(const present::Look& look)
{
    // The face behind every panel and label, which inherit it.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, toQColor(look.ground));
    setPalette(colours);
    for (const design::Control& row : design::controls) {
        if (row.kind == design::Kind::Button) {
            static_cast<QuizButton*>(parts_[row.part])->setInks(look.button(row.part), look.focusMark);
        } else if (row.kind == design::Kind::List) {
            static_cast<QuizList*>(parts_[row.part])->setInks(look.list(row.part));
        }
    }
    for (std::size_t i = 0; i < parts_.lines.size(); ++i) {
        parts_.lines[i]->setColour(toQColor(look.lines[i]));
    }
}

void Form1::colour(Part part, const present::Ink& colour)
{
    setTextColour(static_cast<QWidget*>(parts_[part]), colour);
}

void Form1::visible(Part part, bool visible, bool /*inTree*/)
{
    // Qt tells screen readers nothing of a widget that the screen reader's
    // filter keeps out of the tree.
    auto* widget = static_cast<QWidget*>(parts_[part]);
    const QWidget* focused = QApplication::focusWidget();
    if (!visible && focused != nullptr && (focused == widget || widget->isAncestorOf(focused))) {
        hideAfterFocus_.push_back(widget);
    } else {
        widget->setVisible(visible);
    }
}

void Form1::enabled(Part part, bool enabled)
{
    static_cast<QWidget*>(parts_[part])->setEnabled(enabled);
}

void Form1::choice(Part list, int entry)
{
    static_cast<QuizList*>(parts_[list])->setCurrentIndex(entry);
}

void Form1::running(Part timer, bool running)
{
    auto* each = static_cast<QTimer*>(parts_[timer]);
    running ? each->start() : each->stop();
}

void Form1::inTree(Part part, bool inTree)
{
    screenReader_->place(part, inTree);
}

void Form1::name(Part part, const std::string& name)
{
    screenReader_->setName(part, name);
}

void Form1::description(Part part, const std::string& description)
{
    screenReader_->setDescription(part, description);
}

void Form1::focus(Part part)
{
    static_cast<QWidget*>(parts_[part])->setFocus(Qt::OtherFocusReason);
}

void Form1::announce(const present::Announcement& announcement)
{
    screenReader_->announce(announcement);
}

void Form1::requestCounter(const CounterPlan& plan)
{
    sendOverSocket(plan);
}

void Form1::settled()
{
    for (QWidget* widget : std::exchange(hideAfterFocus_, {})) {
        widget->hide();
    }
}

void Form1::setVisible(bool visible)
{
    if (visible && !form_->loaded()) {
        apply(form_->load());
    }
    QWidget::setVisible(visible);
    // Hidden, nobody sees the samples either.
    apply(form_->show(visible && !isMinimized()));
}

void Form1::prefer(const present::Preferences& preferences)
{
    apply(form_->prefer(preferences));
}

void Form1::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        apply(form_->show(!isMinimized()));
    }
    QWidget::changeEvent(event);
}
