#include "window/screen_reader.h"

#include "engine/texts.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"
#include "window/quiz_list.h"
#include "window/quiz_panel.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QSet>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace vorlen {

namespace {

// Marks a count label whose caption label speaks for it.
constexpr const char* spokenByCaption = "vorlenSpokenByCaption";
// Holds the label that labels a list.
constexpr const char* labelledBy = "vorlenLabelledBy";

// A label read by its accessible name, or by its caption when it has none;
// a count reads nothing itself, since its caption label carries it.
class LabelInterface : public QAccessibleWidget {
public:
    explicit LabelInterface(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name) {
            return QAccessibleWidget::text(t);
        }
        if (widget()->property(spokenByCaption).toBool()) {
            return {};
        }
        const QString name = QAccessibleWidget::text(t);
        return name.isEmpty() ? static_cast<QLabel*>(widget())->text() : name;
    }
};

// A list read as its label, its choice and its purpose. Qt's own list keeps
// its choice in a child list that screen readers find empty while the list
// is closed, so a list named by its label would not say its choice; this one
// offers the choice as its text, and names the label that labels it.
class ListInterface : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ListInterface(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name || t == QAccessible::Value ? choice() : QAccessibleWidget::text(t);
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto found = QAccessibleWidget::relations(match);
        auto* label = qvariant_cast<QObject*>(widget()->property(labelledBy));
        if ((match & QAccessible::Label) != 0 && label != nullptr) {
            found.append({QAccessible::queryAccessibleInterface(label), QAccessible::Label});
        }
        return found;
    }

    // The choice as read-only text.
    QString text(int startOffset, int endOffset) const override
    {
        return choice().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(choice().size()); }
    void selection(int /*selectionIndex*/, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int /*startOffset*/, int /*endOffset*/) override {}
    void removeSelection(int /*selectionIndex*/) override {}
    void setSelection(int /*selectionIndex*/, int /*startOffset*/, int /*endOffset*/) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int /*position*/) override {}
    QRect characterRect(int /*offset*/) const override { return {}; }
    int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }
    void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override {}
    QString attributes(int /*offset*/, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = 0;
        return {};
    }

private:
    [[nodiscard]] QString choice() const { return static_cast<QComboBox*>(widget())->currentText(); }
};

QAccessibleInterface* interfaceFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("vorlen::QuizPanel")) {
        // A panel is a grouping inside the window. As a frame, a screen reader
        // would take it for a window of its own and ignore the focus in it.
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    }
    if (className == QLatin1String("vorlen::QuizLabel")) {
        return new LabelInterface(static_cast<QLabel*>(object));
    }
    if (className == QLatin1String("vorlen::QuizList")) {
        return new ListInterface(static_cast<QComboBox*>(object));
    }
    if (className == QLatin1String("vorlen::Announcement")) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    }
    return nullptr;
}

// The filter's memory: the last name sent for each object, and the labels
// that blink, whose showing and hiding no screen reader should hear.
QHash<const QObject*, QString> sentNames;
QSet<const QObject*> stillObjects;
QAccessible::UpdateHandler nextHandler = nullptr;

void forget(const QObject* object)
{
    sentNames.remove(object);
    stillObjects.remove(object);
}

bool passes(QAccessibleEvent* event)
{
    QObject* object = event->object();
    const auto* widget = qobject_cast<const QWidget*>(object);
    const bool hidden = widget != nullptr && !widget->isVisible();
    switch (event->type()) {
    case QAccessible::ObjectShow:
    case QAccessible::ObjectHide:
    case QAccessible::StateChanged:
        return !stillObjects.contains(object);
    case QAccessible::TextUpdated:
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
    case QAccessible::ValueChanged:
        // The scratch text box is written on every idle tick, never shown.
        return !hidden;
    case QAccessible::NameChanged: {
        QAccessibleInterface* iface = event->accessibleInterface();
        if (iface == nullptr || object == nullptr) {
            return true;
        }
        // A caption rewritten under a fixed accessible name changes nothing
        // that is heard (the idle samples on the answer buttons).
        const QString name = iface->text(QAccessible::Name);
        const auto sent = sentNames.constFind(object);
        if (sent != sentNames.constEnd() && *sent == name) {
            return false;
        }
        if (sent == sentNames.constEnd()) {
            QObject::connect(object, &QObject::destroyed, [object] { forget(object); });
        }
        sentNames.insert(object, name);
        return true;
    }
    default:
        return true;
    }
}

void filter(QAccessibleEvent* event)
{
    if (!passes(event)) {
        return;
    }
    if (nextHandler != nullptr) {
        nextHandler(event); // a test's recorder
        return;
    }
    // With no handler installed, Qt hands the event to the platform's bridge.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&filter);
}

QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

Announcement::Announcement(QWidget* window) : QWidget(window)
{
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    hide();
}

void installScreenReaderSupport()
{
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    QAccessible::installFactory(&interfaceFor);
    nextHandler = QAccessible::installUpdateHandler(&filter);
}

ScreenReader::ScreenReader(QWidget& window, const WindowParts& parts) : parts_(parts)
{
    announcer_ = new Announcement(&window);
    announcer_->setObjectName(QStringLiteral("announcement"));

    // The caption is long: the program's name is read, the maker's line is
    // there for who asks.
    const QString separator = QStringLiteral("   -   ");
    const QString caption = window.windowTitle();
    window.setAccessibleName(caption.section(separator, 0, 0));
    window.setAccessibleDescription(caption.section(separator, 1));

    for (QuizList* list : {parts_.Combo1, parts_.Combo2}) {
        list->setProperty(labelledBy, QVariant::fromValue<QObject*>(parts_.Label4));
    }
    for (QuizLabel* count : parts_.counts()) {
        count->setProperty(spokenByCaption, true);
    }
    stillObjects.insert(parts_.Label12);
    stillObjects.insert(parts_.Label13);
    update();
}

ScreenReader::~ScreenReader()
{
    stillObjects.remove(parts_.Label12);
    stillObjects.remove(parts_.Label13);
}

void ScreenReader::name(QWidget* widget, const QString& accessibleName)
{
    // Every set sends an event, so set only what changed.
    if (widget->accessibleName() != accessibleName) {
        widget->setAccessibleName(accessibleName);
    }
}

void ScreenReader::announce(const QString& text)
{
    name(announcer_, text);
    announcer_->show();
    announcer_->hide();
}

void ScreenReader::update(QAbstractButton* pressed)
{
    const WindowParts& p = parts_;
    const auto answers = p.answers();
    if (std::find(answers.begin(), answers.end(), pressed) != answers.end()) {
        lastAnswer_ = pressed;
    }
    const auto qs = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    };
    const bool running = p.command9->text() == qs(text::stop);
    const QString times = QStringLiteral(" çarpı ");

    name(p.command9, p.command9->text());
    name(p.Label4, p.Label4->text());
    name(p.Label2, times.trimmed());
    QString question;
    if (running) {
        question = p.Label1->text() + times + p.Label3->text();
        name(p.Frame1, question);
        name(p.Label1, p.Label1->text());
        name(p.Label3, p.Label3->text());
        for (QuizButton* answer : answers) {
            name(answer, answer->text());
        }
    } else {
        // Fixed names while the samples run: nothing to hear eleven times a second.
        name(p.Frame1, QStringLiteral("Örnek sorular"));
        name(p.Label1, QStringLiteral("örnek"));
        name(p.Label3, QStringLiteral("örnek"));
        for (std::size_t i = 0; i < answers.size(); ++i) {
            name(answers[i], QStringLiteral("Cevap %1").arg(i + 1));
        }
    }
    const std::array<std::pair<QuizLabel*, QuizLabel*>, 3> counts{
        {{p.Label6, p.Label9}, {p.Label7, p.Label10}, {p.Label8, p.Label11}}};
    for (const auto& [caption, value] : counts) {
        name(caption, caption->text() + value->text());
    }
    name(p.Label5, oneLine(p.Label5->text()));
    name(p.Label12, p.Label12->text());
    name(p.Label13, p.Label13->text());
    name(p.chameleonButton1, p.chameleonButton1->text());
    name(p.chameleonButton2, p.chameleonButton2->text());

    // What changed is said through the focus where the focus moves (a screen
    // reader names the panel it enters, then the control), and through an
    // announcement where it stays.
    const bool open = !p.Frame5->isHidden();
    if (open && !wrongPanelOpen_) {
        name(p.Frame5, p.Label12->text() + QLatin1Char(' ') + p.Label13->text());
        p.chameleonButton2->setFocus(Qt::OtherFocusReason);
    } else if (!open && wrongPanelOpen_ && lastAnswer_ != nullptr && lastAnswer_->isEnabled() &&
               lastAnswer_->isVisible()) {
        // Back to the answer that opened the panel, where the child left off.
        lastAnswer_->setFocus(Qt::OtherFocusReason);
    } else if (running && !open && question != lastQuestion_) {
        announce(question);
    } else if (!running && running_) {
        announce(p.command9->text());
    }
    wrongPanelOpen_ = open;
    running_ = running;
    lastQuestion_ = question;
}

} // namespace vorlen
