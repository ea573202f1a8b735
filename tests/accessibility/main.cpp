// Entry of the in-process screen-reader tests: a QApplication on the display
// that tools/with-atspi.sh provides, with the accessibility bridge on.
#include "window/fonts.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vorlen::installFontSubstitutes();
    testing::InitGoogleTest(&argc, argv);
    // The bridge comes up once the accessibility bus has answered.
    if (!QTest::qWaitFor([] { return QAccessible::isActive(); }, 5000)) {
        // Without the bridge no event is delivered, and every test would pass
        // without hearing anything.
        std::fputs("accessibility is not active: run under tools/with-atspi.sh\n", stderr);
        return 1;
    }
    return RUN_ALL_TESTS();
}
