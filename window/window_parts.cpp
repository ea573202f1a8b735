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

#include <map>
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

// What has been made so far, by design name; only while the window is built.
using Made = std::map<std::string_view, QObject*>;

QWidget* makeControl(const design::Control& row, QWidget* panel)
{
    switch (row.kind) {
    case design::Kind::Label: {
        const auto sizing =
            row.sizing == design::Sizing::Fixed ? QuizLabel::Sizing::Fixed : QuizLabel::Sizing::ToCaption;
        auto* label = new QuizLabel(toQt(row.align), sizing, panel);
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
    }
    throw std::logic_error("a control of no known kind");
}

template <typename T> T* take(const Made& made, std::string_view name)
{
    const auto found = made.find(name);
    T* part = found != made.end() ? qobject_cast<T*>(found->second) : nullptr;
    if (part == nullptr) {
        throw std::logic_error("the design has no " + std::string(name) + " of the expected kind");
    }
    return part;
}

} // namespace

WindowParts buildWindow(QWidget& window)
{
    initResources();
    Made made;
    for (const design::Panel& row : design::panels) {
        auto* panel = new QuizPanel(&window);
        panel->setObjectName(qs(row.name));
        panel->setGeometry(pixelRect(row.place));
        panel->hide();
        made[row.name] = panel;
    }

    for (const design::Control& row : design::controls) {
        QWidget* widget = makeControl(row, take<QuizPanel>(made, row.panel));
        widget->setObjectName(qs(row.name));
        // A label with a name of its own does not announce its caption changes.
        widget->setAccessibleName(qs(row.accessibleName.empty() ? row.caption : row.accessibleName));
        // A list is read out by its choice; what it chooses goes in the description.
        widget->setAccessibleDescription(qs(row.description));
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
        made[row.name] = widget;
    }

    for (const design::Line& row : design::lines) {
        auto* line = new QuizLine(
            QLine(design::px(row.x1), design::px(row.y1), design::px(row.x2), design::px(row.y2)),
            row.widthPx, toQColor(row.colour), take<QuizPanel>(made, row.panel));
        line->setObjectName(qs(row.name));
        line->lower(); // beneath the panel's other controls
        made[row.name] = line;
    }

    for (const design::Timer& row : design::timers) {
        auto* timer = new QTimer(&window);
        timer->setObjectName(qs(row.name));
        timer->setInterval(row.intervalMs);
        made[row.name] = timer;
    }

    QWidget* previous = nullptr;
    for (std::string_view name : design::focusOrder) {
        auto* widget = take<QWidget>(made, name);
        widget->setFocusPolicy(Qt::StrongFocus);
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }

    WindowParts parts;
    parts.Frame1 = take<QuizPanel>(made, "Frame1");
    parts.Frame2 = take<QuizPanel>(made, "Frame2");
    parts.Frame3 = take<QuizPanel>(made, "Frame3");
    parts.Frame4 = take<QuizPanel>(made, "Frame4");
    parts.Frame5 = take<QuizPanel>(made, "Frame5");
    parts.Label1 = take<QuizLabel>(made, "Label1");
    parts.Label2 = take<QuizLabel>(made, "Label2");
    parts.Label3 = take<QuizLabel>(made, "Label3");
    parts.Label4 = take<QuizLabel>(made, "Label4");
    parts.Label5 = take<QuizLabel>(made, "Label5");
    parts.Label6 = take<QuizLabel>(made, "Label6");
    parts.Label7 = take<QuizLabel>(made, "Label7");
    parts.Label8 = take<QuizLabel>(made, "Label8");
    parts.Label9 = take<QuizLabel>(made, "Label9");
    parts.Label10 = take<QuizLabel>(made, "Label10");
    parts.Label11 = take<QuizLabel>(made, "Label11");
    parts.Label12 = take<QuizLabel>(made, "Label12");
    parts.Label13 = take<QuizLabel>(made, "Label13");
    parts.command9 = take<QuizButton>(made, "command9");
    parts.cev1 = take<QuizButton>(made, "cev1");
    parts.cev2 = take<QuizButton>(made, "cev2");
    parts.cev3 = take<QuizButton>(made, "cev3");
    parts.cev4 = take<QuizButton>(made, "cev4");
    parts.chameleonButton1 = take<QuizButton>(made, "chameleonButton1");
    parts.chameleonButton2 = take<QuizButton>(made, "chameleonButton2");
    parts.Combo1 = take<QuizList>(made, "Combo1");
    parts.Combo2 = take<QuizList>(made, "Combo2");
    parts.Text1 = take<QLineEdit>(made, "Text1");
    parts.Image1 = take<QLabel>(made, "Image1");
    for (std::size_t i = 0; i < parts.lines.size(); ++i) {
        parts.lines[i] = take<QuizLine>(made, "Line" + std::to_string(i + 1));
    }
    parts.Timer1 = take<QTimer>(made, "Timer1");
    parts.Timer2 = take<QTimer>(made, "Timer2");
    parts.Timer3 = take<QTimer>(made, "Timer3");
    // The idle animation keeps its pace; the others need no precision.
    parts.Timer1->setTimerType(Qt::PreciseTimer);
    for (QTimer* timer : parts.timers()) {
        timer->start();
    }
    return parts;
}

} // namespace vorlen
