#include "window/desktop_settings.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QMap>
#include <QStringList>
#include <QVariantMap>

namespace vorlen {

namespace {

constexpr QLatin1String portal("org.freedesktop.portal.Desktop");
constexpr QLatin1String portalPath("/org/freedesktop/portal/desktop");
constexpr QLatin1String settings("org.freedesktop.portal.Settings");

constexpr QLatin1String appearance("org.freedesktop.appearance");
constexpr QLatin1String gnomeInterface("org.gnome.desktop.interface");
constexpr QLatin1String gnomeA11y("org.gnome.desktop.a11y.interface");
constexpr QLatin1String kde("org.kde.kdeglobals.KDE");

using Groups = QMap<QString, QVariantMap>;

// A value as it came: the setting itself, or the setting in a variant.
QVariant unwrapped(QVariant value)
{
    while (value.userType() == qMetaTypeId<QDBusVariant>()) {
        value = qvariant_cast<QDBusVariant>(value).variant();
    }
    return value;
}

} // namespace

present::Preferences desktopPreferences(const DesktopValues& values)
{
    present::Preferences preferences;
    if (values.reducedMotion) {
        preferences.reducedMotion = *values.reducedMotion == 1;
    } else if (values.enableAnimations) {
        preferences.reducedMotion = !*values.enableAnimations;
    } else if (values.animationFactor) {
        preferences.reducedMotion = *values.animationFactor == 0.0;
    }
    if (values.contrast) {
        preferences.moreContrast = *values.contrast == 1;
    } else if (values.highContrast) {
        preferences.moreContrast = *values.highContrast;
    } else if (values.gtkTheme) {
        preferences.moreContrast = values.gtkTheme->starts_with("HighContrast");
    }
    return preferences;
}

DesktopSettings::DesktopSettings(QDBusConnection bus, QObject* parent) : QObject(parent)
{
    // QtDBus delivers a signal's variant argument to a slot only once the
    // type is registered; without it connect() fails.
    qRegisterMetaType<QDBusVariant>();
    qDBusRegisterMetaType<Groups>();
    if (!bus.isConnected()) {
        read_ = true;
        return;
    }
    // QDBusConnection::connect takes a slot by its signature only.
    bus.connect(portal, portalPath, settings, QStringLiteral("SettingChanged"), this,
                SLOT(settingChanged(QString, QString, QDBusVariant)));
    QDBusMessage call =
        QDBusMessage::createMethodCall(portal, portalPath, settings, QStringLiteral("ReadAll"));
    call << QStringList{appearance, gnomeInterface, gnomeA11y, kde};
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &DesktopSettings::readAll);
}

void DesktopSettings::readAll(QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    const QDBusPendingReply<Groups> reply = *call;
    if (!reply.isError()) {
        const present::Preferences before = preferences();
        const Groups groups = reply.value();
        for (auto group = groups.cbegin(); group != groups.cend(); ++group) {
            for (auto key = group.value().cbegin(); key != group.value().cend(); ++key) {
                take(group.key(), key.key(), unwrapped(key.value()));
            }
        }
        if (preferences() != before) {
            emit changed(preferences());
        }
    }
    read_ = true;
    emit settled();
}

void DesktopSettings::settingChanged(const QString& group, const QString& key, const QDBusVariant& value)
{
    const present::Preferences before = preferences();
    take(group, key, unwrapped(value.variant()));
    if (preferences() != before) {
        emit changed(preferences());
    }
}

void DesktopSettings::take(const QString& group, const QString& key, const QVariant& value)
{
    const bool valid = value.isValid();
    if (group == appearance && key == QLatin1String("reduced-motion")) {
        values_.reducedMotion = valid ? std::optional<unsigned>(value.toUInt()) : std::nullopt;
    } else if (group == appearance && key == QLatin1String("contrast")) {
        values_.contrast = valid ? std::optional<unsigned>(value.toUInt()) : std::nullopt;
    } else if (group == gnomeInterface && key == QLatin1String("enable-animations")) {
        values_.enableAnimations = valid ? std::optional<bool>(value.toBool()) : std::nullopt;
    } else if (group == gnomeInterface && key == QLatin1String("gtk-theme")) {
        values_.gtkTheme = valid ? std::optional<std::string>(value.toString().toStdString()) : std::nullopt;
    } else if (group == gnomeA11y && key == QLatin1String("high-contrast")) {
        values_.highContrast = valid ? std::optional<bool>(value.toBool()) : std::nullopt;
    } else if (group == kde && key == QLatin1String("AnimationDurationFactor")) {
        values_.animationFactor = valid ? std::optional<double>(value.toDouble()) : std::nullopt;
    }
}

} // namespace vorlen
