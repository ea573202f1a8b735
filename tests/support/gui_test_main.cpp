// The entry of every test program that needs the window: one QApplication,
// set up as the program sets itself up, headless on the offscreen platform
// unless a platform was chosen. Test discovery runs these programs during
// the build, where there is no display, hence offscreen by default.
#include "window/application.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The offscreen platform says on every opened list that it cannot raise a
// window or grab the keyboard; a screen would not need either. Everything
// else Qt says is passed on.
QtMessageHandler passOn = nullptr;

void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == QLatin1String("This plugin does not support raise()") ||
        message == QLatin1String("This plugin does not support grabbing the keyboard")) {
        return;
    }
    passOn(type, context, message);
}

} // namespace

int main(int argc, char* argv[])
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    passOn = qInstallMessageHandler(quietOffscreen);
    QApplication app(argc, argv);
    vorlen::setUpApplication();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
