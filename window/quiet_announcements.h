// Stands between the window and the screen reader's bridge and drops the
// accessibility events that would only make noise: a name change that leaves
// the spoken name as it was (a button's caption rewritten under a fixed
// accessible name) and any text or name change of a hidden control (the
// scratch text box). Everything else passes on unchanged. Installed for the
// life of the window; it does not decide what the names are.
#pragma once

#include <QAccessible>
#include <QHash>
#include <QPointer>
#include <QString>

namespace vorlen {

class QuietAnnouncements {
public:
    QuietAnnouncements();
    ~QuietAnnouncements();

    QuietAnnouncements(const QuietAnnouncements&) = delete;
    QuietAnnouncements& operator=(const QuietAnnouncements&) = delete;

private:
    static void filter(QAccessibleEvent* event);
    [[nodiscard]] bool passes(QAccessibleEvent* event);

    QAccessible::UpdateHandler previous_ = nullptr;
    QHash<const QObject*, QString> spokenNames_;
};

} // namespace vorlen
