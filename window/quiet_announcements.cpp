#include "window/quiet_announcements.h"

#include <QWidget>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

namespace vorlen {

namespace {

// The filter in charge; Qt keeps one update handler per application.
QuietAnnouncements* current = nullptr;

} // namespace

QuietAnnouncements::QuietAnnouncements()
{
    previous_ = QAccessible::installUpdateHandler(&QuietAnnouncements::filter);
    if (previous_ == &QuietAnnouncements::filter) {
        previous_ = nullptr; // a second window: one filter in the chain is enough
    }
    current = this;
}

QuietAnnouncements::~QuietAnnouncements()
{
    if (current == this) {
        QAccessible::installUpdateHandler(previous_);
        current = nullptr;
    }
}

void QuietAnnouncements::filter(QAccessibleEvent* event)
{
    QuietAnnouncements* self = current;
    if (self != nullptr && !self->passes(event)) {
        return;
    }
    // Without a filter of ours, or when the event passes: on to whoever had
    // the events before (a test's recorder), or to the platform's bridge.
    QAccessible::UpdateHandler next = self != nullptr ? self->previous_ : nullptr;
    if (next != nullptr) {
        next(event);
    } else if (QPlatformIntegration* platform = QGuiApplicationPrivate::platformIntegration()) {
        if (QPlatformAccessibility* bridge = platform->accessibility()) {
            bridge->notifyAccessibilityUpdate(event);
        }
    }
}

bool QuietAnnouncements::passes(QAccessibleEvent* event)
{
    const QObject* object = event->object();
    const auto* widget = qobject_cast<const QWidget*>(object);
    switch (event->type()) {
    case QAccessible::TextUpdated:
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::ValueChanged:
        return widget == nullptr || widget->isVisible();
    case QAccessible::NameChanged: {
        QAccessibleInterface* iface = event->accessibleInterface();
        if (iface == nullptr || object == nullptr) {
            return true;
        }
        // Remember every name, hidden or not, so that a control shown later
        // does not announce a name it already had.
        const QString name = iface->text(QAccessible::Name);
        const auto known = spokenNames_.constFind(object);
        const bool unchanged = known != spokenNames_.constEnd() && *known == name;
        // The window's controls live as long as the window and this filter.
        spokenNames_.insert(object, name);
        return !unchanged && (widget == nullptr || widget->isVisible());
    }
    default:
        return true;
    }
}

} // namespace vorlen
