// The visit-counter request over the Linux transport: one GET of the counter
// path about two seconds after the window is created. Servers that
// misbehave, slow names and proxies are proved in tests/network.
#include "tests/support/fault_server.h"
#include "window/form1.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace vorlen {
namespace {

TEST(CounterRequest, OneGetOfTheCounterPathAboutTwoSecondsAfterCreation)
{
    test::FaultServer server(test::FaultServer::Fault::Ok);
    ASSERT_TRUE(server.listening());
    QElapsedTimer clock;
    clock.start();
    Form1::Options options;
    options.counterAddress = server.pageAddress();
    Form1 form(options);

    QTRY_VERIFY_WITH_TIMEOUT(!server.request().empty(), 6000);
    EXPECT_GE(clock.elapsed(), 1800) << "Qt's coarse timers may fire up to 5% early; nothing comes at once";
    EXPECT_TRUE(server.request().starts_with("GET /sayac/qelnor.php HTTP/1.1\r\n")) << server.request();
    EXPECT_FALSE(form.findChild<QTimer*>(QStringLiteral("Timer3"))->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(server.idle(), 2000); // the answer's first bytes end the request
    QTest::qWait(2500);
    EXPECT_EQ(server.connections(), 1) << "the page is requested once per run";
}

} // namespace
} // namespace vorlen
