// The program's entry: the application, its one window, the event loop.
#include "window/application.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt would abort with a long message; say what to do instead.
bool displayAvailable()
{
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
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
    QApplication app(argc, argv);
    vorlen::setUpApplication();
    return vorlen::runWindow();
}
