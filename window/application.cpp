#include "window/application.h"

#include "window/desktop_settings.h"
#include "window/fonts.h"
#include "window/form1.h"
#include "window/screen_reader.h"

#include <QApplication>
#include <QIcon>

// The icons are built into this static library; Q_INIT_RESOURCE must be
// called outside any namespace.
static void initResources()
{
    Q_INIT_RESOURCE(vorlen);
}

namespace vorlen {

void setUpApplication()
{
    initResources();
    QApplication::setApplicationName(QStringLiteral("Vorlen"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setOrganizationName(QStringLiteral("Keldar Yazılım"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.keldar.Vorlen"));
    // The sizes a title bar, a task bar and a window switcher draw. Each is
    // decoded before the window shows; the larger ones come from the icon
    // theme that the desktop file names.
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/icons/vorlen-%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
    installFontSubstitutes();
}

int runWindow(const std::function<void(Form1&)>& beforeShow)
{
    installScreenReaderSupport();
    Form1 window;
    DesktopSettings desktop;
    QObject::connect(&desktop, &DesktopSettings::changed, &window, &Form1::prefer);
    if (beforeShow) {
        beforeShow(window);
    }
    window.show();
    return QApplication::exec();
}

} // namespace vorlen
