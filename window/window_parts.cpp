#include "window/window_parts.h"

#include "design/design.h"
#include "window/colours.h"
#include "window/fonts.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"
#include "window/quiz_line.h"
#include "window/quiz_list.h"
#include "window/quiz_panel.h"
#include "window/texts.h"

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
    QWidget* made = nullptr;
    switch (row.kind) {
    case design::Kind::Label: {
        auto* label = new QuizLabel(toQt(row.align), present::anchor(row.align, row.sizing), panel);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, toQColor(row.fore));
        label->setPalette(palette);
        made = label;
        break;
    }
    case design::Kind::Button:
        made = new QuizButton(panel);
        break;
    case design::Kind::List:
        made = new QuizList(panel);
        break;
    case design::Kind::TextBox: {
        auto* box = new QLineEdit(panel);
        box->setFocusPolicy(Qt::NoFocus);
        made = box;
        break;
    }
    case design::Kind::Picture: {
        auto* picture = new QLabel(panel);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        picture->setPixmap(QPixmap(QStringLiteral(":/images/dedication.png")));
        made = picture;
        break;
    }
    case design::Kind::Panel:
    case design::Kind::Timer:
        break;
    }
    if (made == nullptr) {
        throw std::logic_error("a control of no known kind");
    }
    // The font before the text: a list lays out all its entries again, and
    // loads their font, whenever its font changes.
    made->setFont(toQFont(row.font));
    if (auto* button = qobject_cast<QuizButton*>(made)) {
        button->setText(qs(row.caption));
    } else if (auto* list = qobject_cast<QuizList*>(made)) {
        for (std::string_view entry : row.entries) {
            list->addItem(qs(entry));
        }
        list->setCurrentIndex(-1);
        list->setMaxVisibleItems(list->count());
    } else if (auto* box = qobject_cast<QLineEdit*>(made)) {
        box->setText(qs(row.caption));
    }
    return made;
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
        auto* line = new QuizLine(present::lineBox(row), take<QuizPanel>(parts, row.panel));
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

    // Every part by its name, of its kind's class: a part the design lacks
    // stops the start here.
#define VORLEN_TAKE(name, kind)                                                                              \
    parts.name = take<WidgetOf<design::Kind::kind>::Type>(parts, design::Part::name);
    VORLEN_PARTS(VORLEN_TAKE)
#undef VORLEN_TAKE
    // The idle animation keeps its pace; the others need no precision.
    parts.Timer1->setTimerType(Qt::PreciseTimer);
    for (QTimer* timer : parts.timers()) {
        timer->start();
    }
    return parts;
}

} // namespace vorlen
