#include "window/screen_reader.h"

#include "window/quiz_label.h"
#include "window/quiz_line.h"
#include "window/quiz_list.h"
#include "window/texts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QHash>
#include <QLabel>

namespace vorlen {

namespace {

// Set on a widget that no screen reader should find (a bool).
constexpr const char* leftOut = "vorlenLeftOut";
// Set on the panel that carries an alert (a bool).
constexpr const char* alert = "vorlenAlert";
// Holds the label that labels a list.
constexpr const char* labelledBy = "vorlenLabelledBy";

bool isLeftOut(const QObject* object)
{
    return object != nullptr && object->property(leftOut).toBool();
}

// A panel is a grouping inside the window (as a frame, a screen reader would
// take it for a window of its own and ignore the focus in it), or an alert.
// Its children are its widgets less those left out.
class PanelInterface : public QAccessibleWidget {
public:
    explicit PanelInterface(QWidget* panel) : QAccessibleWidget(panel, QAccessible::Grouping) {}

    QAccessible::Role role() const override
    {
        return widget()->property(alert).toBool() ? QAccessible::AlertMessage : QAccessible::Grouping;
    }
    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> found = children();
        return index >= 0 && index < found.size() ? QAccessible::queryAccessibleInterface(found[index])
                                                  : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr ? static_cast<int>(children().indexOf(child->object())) : -1;
    }

private:
    [[nodiscard]] QList<QWidget*> children() const
    {
        QList<QWidget*> kept;
        for (QObject* object : widget()->children()) {
            auto* each = qobject_cast<QWidget*>(object);
            if (each != nullptr && !each->isWindow() && !isLeftOut(each)) {
                kept.append(each);
            }
        }
        return kept;
    }
};

// A label read by its accessible name, or by its caption when it has none.
class LabelInterface : public QAccessibleWidget {
public:
    explicit LabelInterface(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const QString text = QAccessibleWidget::text(t);
        return t == QAccessible::Name && text.isEmpty() ? static_cast<QLabel*>(widget())->text() : text;
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
        return new PanelInterface(static_cast<QWidget*>(object));
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

// The last name sent for each object.
QHash<const QObject*, QString> sentNames;
QAccessible::UpdateHandler nextHandler = nullptr;

bool passes(QAccessibleEvent* event)
{
    QObject* object = event->object();
    if (isLeftOut(object)) {
        return false;
    }
    if (event->type() != QAccessible::NameChanged) {
        return true;
    }
    QAccessibleInterface* iface = event->accessibleInterface();
    if (iface == nullptr || object == nullptr) {
        return true;
    }
    // A caption rewritten under a fixed accessible name changes nothing that
    // is heard (the idle samples on the answer buttons).
    const QString name = iface->text(QAccessible::Name);
    const auto sent = sentNames.constFind(object);
    if (sent != sentNames.constEnd() && *sent == name) {
        return false;
    }
    if (sent == sentNames.constEnd()) {
        QObject::connect(object, &QObject::destroyed, [object] { sentNames.remove(object); });
    }
    sentNames.insert(object, name);
    return true;
}

void filter(QAccessibleEvent* event)
{
    if (!passes(event)) {
        return;
    }
    if (nextHandler != nullptr) {
        nextHandler(event); // the handler installed before this one
        return;
    }
    // With no handler installed, Qt hands the event to the platform's bridge.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&filter);
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

ScreenReader::ScreenReader(QWidget& window, const WindowParts& parts, const present::WindowModel& model)
    : parts_(parts)
{
    announcer_ = new Announcement(&window);
    announcer_->setObjectName(QStringLiteral("announcement"));
    window.setAccessibleName(qs(std::string(present::phrase::windowName)));
    window.setAccessibleDescription(qs(present::windowDescription()));

    for (QuizLine* line : parts.lines) {
        line->setProperty(leftOut, true);
    }
    for (std::size_t i = 0; i < design::partCount; ++i) {
        const auto part = static_cast<design::Part>(i);
        const present::PartState& state = model[part];
        parts[part]->setProperty(leftOut, !state.inTree);
        parts[part]->setProperty(alert, present::role(part) == present::Role::Alert);
        if (state.inTree) {
            setName(part, state.name);
            setDescription(part, state.description);
        }
    }
    // A screen reader reads the label that labels a list, then its choice.
    for (QuizList* list : {parts.Combo1, parts.Combo2}) {
        list->setProperty(labelledBy, QVariant::fromValue<QObject*>(parts.Label4));
    }
}

// Every set sends an event, so set only what changed.
void ScreenReader::setName(design::Part part, const std::string& name)
{
    auto* widget = qobject_cast<QWidget*>(parts_[part]);
    if (widget != nullptr && widget->accessibleName() != qs(name)) {
        widget->setAccessibleName(qs(name));
    }
}

void ScreenReader::setDescription(design::Part part, const std::string& description)
{
    auto* widget = qobject_cast<QWidget*>(parts_[part]);
    if (widget != nullptr && widget->accessibleDescription() != qs(description)) {
        widget->setAccessibleDescription(qs(description));
    }
}

void ScreenReader::place(design::Part part, bool inTree)
{
    QObject* object = parts_[part];
    if (isLeftOut(object) == !inTree) {
        return;
    }
    // Said while the part is in the tree, which the filter lets through:
    // after it joins, before it leaves.
    if (inTree) {
        object->setProperty(leftOut, false);
    }
    QAccessibleEvent changed(object, inTree ? QAccessible::ObjectCreated : QAccessible::ObjectDestroyed);
    QAccessible::updateAccessibility(&changed);
    if (!inTree) {
        object->setProperty(leftOut, true);
    }
}

void ScreenReader::announce(const present::Announcement& announcement)
{
    if (announcement.carrier) {
        // The alert panel that carries it takes the focus with its name: a
        // screen reader says it as the focus enters.
        return;
    }
    announcer_->setAccessibleName(qs(announcement.text));
    announcer_->show();
    announcer_->hide();
}

} // namespace vorlen
