// The child's desktop settings on Linux, as the XDG desktop portal's Settings
// interface gives them over the session bus: whether the desktop asks for
// less motion and for more contrast. Read once, without waiting (the window
// shows at once with the default look and takes the desktop's when the
// answer comes), then followed through SettingChanged. No bus, no portal, a
// portal without a settings backend or any error: the default look. Which
// key decides what is desktopPreferences().
#pragma once

#include "present/window_model.h"

#include <QDBusConnection>
#include <QObject>

#include <optional>
#include <string>

class QDBusPendingCallWatcher;
class QDBusVariant;

namespace vorlen {

// What the portal said of the keys that decide, where it said anything.
struct DesktopValues {
    std::optional<unsigned> reducedMotion{}; // org.freedesktop.appearance reduced-motion: 1 reduced
    std::optional<bool> enableAnimations{};  // org.gnome.desktop.interface enable-animations
    std::optional<double> animationFactor{}; // org.kde.kdeglobals.KDE AnimationDurationFactor: 0 none
    std::optional<unsigned> contrast{};      // org.freedesktop.appearance contrast: 1 higher
    std::optional<bool> highContrast{};      // org.gnome.desktop.a11y.interface high-contrast
    std::optional<std::string> gtkTheme{};   // org.gnome.desktop.interface gtk-theme
};

// Less motion from the portal's own reduced-motion, else from GNOME's
// animations switched off, else from KDE's animations at speed 0; more
// contrast from the portal's own contrast, else from GNOME's high-contrast
// switch, else from a GTK theme whose name starts with "HighContrast".
[[nodiscard]] present::Preferences desktopPreferences(const DesktopValues& values);

class DesktopSettings : public QObject {
    Q_OBJECT

public:
    // Starts reading at once on the bus given (the session bus by default).
    explicit DesktopSettings(QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    [[nodiscard]] present::Preferences preferences() const { return desktopPreferences(values_); }
    // The first answer came, or the read failed: the preferences are the desktop's.
    [[nodiscard]] bool read() const { return read_; }

signals:
    // The preferences differ from what they were.
    void changed(const vorlen::present::Preferences& preferences);
    // The first read ended, answered or not.
    void settled();

private slots:
    void readAll(QDBusPendingCallWatcher* call);
    void settingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private: // NOLINT(readability-redundant-access-specifiers): what follows is no slot
    void take(const QString& group, const QString& key, const QVariant& value);

    DesktopValues values_;
    bool read_ = false;
};

} // namespace vorlen
