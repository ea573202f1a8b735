// The Qt window following the desktop's settings through the real parts: a
// private session bus for each case, Debian's xdg-desktop-portal with its
// GTK backend over GSettings' keyfile backend, and gsettings flipping each
// setting while the window runs; then the portal missing, its backend down
// and no bus at all, where the window keeps the default look and nothing
// waits. Which key wins where several speak is a table here too.
#include "window/desktop_settings.h"
#include "window/form1.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace vorlen {
namespace {

using P = design::Part;

TEST(DesktopPreferences, ThePortalsOwnKeyFirstThenGnomeThenKdeOrTheTheme)
{
    struct Row {
        DesktopValues values;
        bool reducedMotion;
        bool moreContrast;
    };
    const Row rows[] = {
        {{}, false, false},
        {{.enableAnimations = false}, true, false},
        {{.reducedMotion = 0, .enableAnimations = false}, false, false},
        {{.reducedMotion = 1, .enableAnimations = true}, true, false},
        {{.animationFactor = 0.0}, true, false},
        {{.animationFactor = 0.5}, false, false},
        {{.enableAnimations = true, .animationFactor = 0.0}, false, false},
        {{.highContrast = true}, false, true},
        {{.contrast = 0, .highContrast = true}, false, false},
        {{.contrast = 1}, false, true},
        {{.gtkTheme = "HighContrastInverse"}, false, true},
        {{.gtkTheme = "Adwaita"}, false, false},
        {{.highContrast = false, .gtkTheme = "HighContrast"}, false, false},
    };
    for (const Row& row : rows) {
        const present::Preferences preferences = desktopPreferences(row.values);
        EXPECT_EQ(preferences.reducedMotion, row.reducedMotion) << &row - rows;
        EXPECT_EQ(preferences.moreContrast, row.moreContrast) << &row - rows;
        EXPECT_FALSE(preferences.forcedColours);
    }
}

// A session bus of the case's own, whose activated services (the portal and
// its backend) see the case's environment: its own GSettings keyfile.
class PrivateBus {
public:
    enum class Services { Desktop, None };

    PrivateBus(Services services, bool backendDisplay)
    {
        environment_.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
        environment_.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
        environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath(QStringLiteral("config")));
        environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_.path());
        if (!backendDisplay) {
            environment_.remove(QStringLiteral("DISPLAY")); // the GTK backend cannot start
        }
        QStringList arguments{QStringLiteral("--nofork"), QStringLiteral("--print-address=1")};
        if (services == Services::None) {
            // The session bus's own rules, less the folders of the services
            // it may start: no portal.
            QFile standard(QStringLiteral("/usr/share/dbus-1/session.conf"));
            standard.open(QIODevice::ReadOnly);
            const QString config = home_.filePath(QStringLiteral("bus.conf"));
            QFile file(config);
            file.open(QIODevice::WriteOnly);
            file.write(standard.readAll().replace("<standard_session_servicedirs />", ""));
            file.close();
            arguments << QStringLiteral("--config-file=") + config;
        } else {
            arguments << QStringLiteral("--session");
        }
        daemon_.setProcessEnvironment(environment_);
        daemon_.start(QStringLiteral("dbus-daemon"), arguments);
        if (daemon_.waitForReadyRead(5000)) {
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        }
    }
    ~PrivateBus()
    {
        QDBusConnection::disconnectFromBus(name_);
        daemon_.terminate();
        daemon_.waitForFinished(3000);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    [[nodiscard]] QDBusConnection connection() const
    {
        return QDBusConnection::connectToBus(address_, name_);
    }

    // gsettings set, as the desktop's settings panel would.
    void set(const char* schema, const char* key, const char* value) const
    {
        QProcess gsettings;
        gsettings.setProcessEnvironment(environment_);
        gsettings.start(QStringLiteral("gsettings"), {QStringLiteral("set"), QString::fromLatin1(schema),
                                                      QString::fromLatin1(key), QString::fromLatin1(value)});
        ASSERT_TRUE(gsettings.waitForFinished(5000));
        ASSERT_EQ(gsettings.exitCode(), 0) << gsettings.readAllStandardError().toStdString();
    }

private:
    QTemporaryDir home_;
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
    QProcess daemon_;
    QString address_;
    QString name_ = home_.path(); // a name of its own
};

// The window with the desktop's settings wired in as the program wires them.
struct Window {
    explicit Window(QDBusConnection bus) : desktop(std::move(bus))
    {
        QObject::connect(&desktop, &DesktopSettings::changed, &form, &Form1::prefer);
        form.show();
    }
    [[nodiscard]] bool samplesRun() const { return form.parts().Timer1->isActive(); }
    [[nodiscard]] QColor labelColour() const
    {
        return form.parts().Label7->palette().color(QPalette::WindowText); // green: too light as drawn
    }
    [[nodiscard]] bool ticking()
    {
        // The samples go on: the event loop was never held up.
        const QString first = form.parts().cev1->text() + form.parts().Label1->text();
        return QTest::qWaitFor(
            [&] { return form.parts().cev1->text() + form.parts().Label1->text() != first; }, 2000);
    }

    Form1 form{Form1::Options{.counterAddress = "http://127.0.0.1:1/sayac/qelnor.php"}};
    DesktopSettings desktop;
};

TEST(DesktopSettings, FollowsLessMotionAndMoreContrastFlippedWhileTheWindowRuns)
{
    PrivateBus bus(PrivateBus::Services::Desktop, true);
    Window window(bus.connection());
    const QColor plain = window.labelColour();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.desktop.read(); }, 15000)) << "the portal answers";
    EXPECT_TRUE(window.samplesRun());

    bus.set("org.gnome.desktop.interface", "enable-animations", "false");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.samplesRun(); }, 5000)) << "one still sample";
    bus.set("org.gnome.desktop.a11y.interface", "high-contrast", "true");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.labelColour() != plain; }, 5000));
    EXPECT_LT(window.labelColour().lightness(), plain.lightness()) << "darker for more contrast";
    bus.set("org.gnome.desktop.interface", "enable-animations", "true");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.samplesRun(); }, 5000));
}

TEST(DesktopSettings, WithoutAPortalABackendOrABusTheDefaultLookAtOnce)
{
    const auto expectDefault = [](Window& window, const char* what) {
        EXPECT_TRUE(window.ticking()) << what;
        EXPECT_TRUE(window.samplesRun()) << what;
        EXPECT_FALSE(window.desktop.preferences().moreContrast) << what;
    };
    {
        PrivateBus bus(PrivateBus::Services::None, true);
        Window window(bus.connection());
        expectDefault(window, "no portal");
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.desktop.read(); }, 5000)) << "refused at once";
    }
    {
        PrivateBus bus(PrivateBus::Services::Desktop, false);
        Window window(bus.connection());
        expectDefault(window, "the portal's backend cannot start");
    }
    {
        Window window(
            QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"), QStringLiteral("none")));
        EXPECT_TRUE(window.desktop.read()) << "no bus: nothing to wait for";
        expectDefault(window, "no bus");
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("none"));
}

} // namespace
} // namespace vorlen
