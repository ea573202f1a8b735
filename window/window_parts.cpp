#include "window/window_parts.h"

#include "design/design.h"
#include "window/colours.h"
#include "window/fonts.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"
#include "window/quiz_line.h"
#include "window/quiz_list.h"
#include "window/quiz_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>

#include <stdexcept>
#include <string>
#include <string_view>

// The pictures are built into this static library; Q_INIT_RESOURCE must be
// called outside any namespace.
static void initResources()
{
    Q_INIT_RESOURCE(vorlen);
}

namespace vorlen {

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect pixelRect(const design::Rect& place)
{
    return {design::px(place.left), design::px(place.top), design::px(place.width), design::px(place.height)};
}

Qt::Alignment toQt(design::Align align)
{
    switch (align) {
    case design::Align::Left:
        return Qt::AlignLeft;
    case design::Align::Right:
        return Qt::AlignRight;
    case design::Align::Center:
        return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

QWidget* makeControl(const design::Control& row, QWidget* panel)
{
    switch (row.kind) {
    case design::Kind::Label: {
        auto* label = new QuizLabel(toQt(row.align), present::anchor(row.align, row.sizing), panel);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, toQColor(row.fore));
        label->setPalette(palette);
        return label;
    }
    case design::Kind::Button: {
        auto* button = new QuizButton(toQColor(row.fore), toQColor(row.foreHover), panel);
        button->setText(qs(row.caption));
        return button;
    }
    case design::Kind::List: {
        auto* list = new QuizList(toQColor(row.fore), toQColor(row.back.value_or(colour::white)), panel);
        for (std::string_view entry : row.entries) {
            list->addItem(qs(entry));
        }
        list->setCurrentIndex(-1);
        list->setMaxVisibleItems(list->count());
        return list;
    }
    case design::Kind::TextBox: {
        auto* box = new QLineEdit(panel);
        box->setText(qs(row.caption));
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    }
    case design::Kind::Picture: {
        auto* picture = new QLabel(panel);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        picture->setPixmap(QPixmap(QStringLiteral(":/images/dedication.png")));
        return picture;
    }
    case design::Kind::Panel:
    case design::Kind::Timer:
        break;
    }
    throw std::logic_error("a control of no known kind");
}

template <typename T> T* take(const WindowParts& parts, design::Part part)
{
    T* made = qobject_cast<T*>(parts[part]);
    if (made == nullptr) {
        throw std::logic_error("the design has no " + std::string(design::name(part)) +
                               " of the expected kind");
    }
    return made;
}

} // namespace

WindowParts buildWindow(QWidget& window)
{
    initResources();
    WindowParts parts;
    auto& all = parts.all;
    for (const design::Panel& row : design::panels) {
        auto* panel = new QuizPanel(&window);
        panel->setObjectName(qs(design::name(row.part)));
        panel->setGeometry(pixelRect(row.place));
        panel->hide();
        all[design::index(row.part)] = panel;
    }

    for (const design::Control& row : design::controls) {
        QWidget* widget = makeControl(row, take<QuizPanel>(parts, row.panel));
        widget->setObjectName(qs(design::name(row.part)));
        widget->setFont(toQFont(row.font));
        const QRect box = pixelRect(row.place);
        if (auto* label = qobject_cast<QuizLabel*>(widget)) {
            label->setDesignGeometry(box);
            label->setCaption(std::string(row.caption));
        } else {
            widget->setGeometry(box);
        }
        widget->setVisible(row.visible);
        widget->setEnabled(row.enabled);
        all[design::index(row.part)] = widget;
    }

    for (std::size_t i = 0; const design::Line& row : design::lines) {
        auto* line =
            new QuizLine(present::lineBox(row), toQColor(row.colour), take<QuizPanel>(parts, row.panel));
        line->setObjectName(qs(row.name));
        line->lower(); // beneath the panel's other controls
        parts.lines[i++] = line;
    }

    for (const design::Timer& row : design::timers) {
        auto* timer = new QTimer(&window);
        timer->setObjectName(qs(design::name(row.part)));
        timer->setInterval(row.intervalMs);
        all[design::index(row.part)] = timer;
    }

    QWidget* previous = nullptr;
    for (design::Part part : design::focusOrder) {
        auto* widget = take<QWidget>(parts, part);
        widget->setFocusPolicy(Qt::StrongFocus);
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }

    using P = design::Part;
    parts.Frame1 = take<QuizPanel>(parts, P::Frame1);
    parts.Frame2 = take<QuizPanel>(parts, P::Frame2);
    parts.Frame3 = take<QuizPanel>(parts, P::Frame3);
    parts.Frame4 = take<QuizPanel>(parts, P::Frame4);
    parts.Frame5 = take<QuizPanel>(parts, P::Frame5);
    parts.Label1 = take<QuizLabel>(parts, P::Label1);
    parts.Label2 = take<QuizLabel>(parts, P::Label2);
    parts.Label3 = take<QuizLabel>(parts, P::Label3);
    parts.Label4 = take<QuizLabel>(parts, P::Label4);
    parts.Label5 = take<QuizLabel>(parts, P::Label5);
    parts.Label6 = take<QuizLabel>(parts, P::Label6);
    parts.Label7 = take<QuizLabel>(parts, P::Label7);
    parts.Label8 = take<QuizLabel>(parts, P::Label8);
    parts.Label9 = take<QuizLabel>(parts, P::Label9);
    parts.Label10 = take<QuizLabel>(parts, P::Label10);
    parts.Label11 = take<QuizLabel>(parts, P::Label11);
    parts.Label12 = take<QuizLabel>(parts, P::Label12);
    parts.Label13 = take<QuizLabel>(parts, P::Label13);
    parts.command9 = take<QuizButton>(parts, P::command9);
    parts.cev1 = take<QuizButton>(parts, P::cev1);
    parts.cev2 = take<QuizButton>(parts, P::cev2);
    parts.cev3 = take<QuizButton>(parts, P::cev3);
    parts.cev4 = take<QuizButton>(parts, P::cev4);
    parts.chameleonButton1 = take<QuizButton>(parts, P::chameleonButton1);
    parts.chameleonButton2 = take<QuizButton>(parts, P::chameleonButton2);
    parts.Combo1 = take<QuizList>(parts, P::Combo1);
    parts.Combo2 = take<QuizList>(parts, P::Combo2);
    parts.Text1 = take<QLineEdit>(parts, P::Text1);
    parts.Image1 = take<QLabel>(parts, P::Image1);
    parts.Timer1 = take<QTimer>(parts, P::Timer1);
    parts.Timer2 = take<QTimer>(parts, P::Timer2);
    parts.Timer3 = take<QTimer>(parts, P::Timer3);
    // The idle animation keeps its pace; the others need no precision.
    parts.Timer1->setTimerType(Qt::PreciseTimer);
    for (QTimer* timer : parts.timers()) {
        timer->start();
    }
    return parts;
}

} // namespace vorlen
