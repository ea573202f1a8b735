// Entry of the in-process screen-reader tests: a QApplication on the display
// that tools/with-atspi.sh provides, with the accessibility bridge on, and a
// recorder behind the program's screen-reader filter in place of the bridge.
#include "tests/accessibility/heard.h"
#include "window/application.h"
#include "window/screen_reader.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>

namespace vorlen {

std::vector<Heard>& heard()
{
    static std::vector<Heard> events;
    return events;
}

} // namespace vorlen

namespace {

void record(QAccessibleEvent* event)
{
    const QObject* object = event->object();
    QAccessibleInterface* iface = event->accessibleInterface();
    vorlen::heard().push_back({event->type(), object != nullptr ? object->objectName() : QString(),
                               iface != nullptr ? iface->text(QAccessible::Name) : QString()});
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vorlen::setUpApplication();
    QAccessible::installUpdateHandler(&record);
    vorlen::installScreenReaderSupport();
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
