// The entry of the headless window and network tests: one QApplication for
// every test, headless unless
// a platform was chosen. Test discovery runs this binary during the build,
// where there is no display, so offscreen is the default.
#include "window/fonts.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char* argv[])
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    QApplication app(argc, argv);
    vorlen::installFontSubstitutes();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
