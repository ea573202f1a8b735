// The program's entry: the application, its one window, the event loop.
#include "window/fonts.h"
#include "window/form1.h"
#include "window/screen_reader.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

#ifdef VORLEN_BENCH_HOOKS
#include "bench/hooks/quiz_presses.h"
#endif

namespace {

// Without a display Qt would abort with a long message; say what to do instead.
bool displayAvailable()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/vorlen-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace

int main(int argc, char* argv[])
{
    if (!displayAvailable()) {
        std::fputs(
            "vorlen: no display found; start it in a desktop session, or headless with xvfb-run vorlen\n",
            stderr);
        return EXIT_FAILURE;
    }
    Q_INIT_RESOURCE(vorlen);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorlen"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setOrganizationName(QStringLiteral("Keldar Yazılım"));
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("example.keldar.Vorlen"));
    vorlen::installFontSubstitutes();
    vorlen::installScreenReaderSupport();

    Form1 window;
#ifdef VORLEN_BENCH_HOOKS
    vorlen::bench::installProbes(window, vorlen::bench::quizPresses(window)); // for bench/run.sh
#endif
    window.show();
    return QApplication::exec();
}
