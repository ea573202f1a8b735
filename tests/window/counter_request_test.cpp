// The visit-counter request: one GET of the counter path about two seconds
// after the window is created, and no address it should not fetch.
#include "tests/network/fault_server.h"
#include "window/counter_request.h"
#include "window/form1.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace vorlen {
namespace {

using test::FaultServer;

// The faults (silence, resets, redirects, huge and dripping answers, slow
// names) are proved in tests/network; this is the request of a sound server.
TEST(CounterRequest, OneGetOfTheCounterPathAboutTwoSecondsAfterCreation)
{
    FaultServer server(FaultServer::Fault::Ok);
    QElapsedTimer clock;
    clock.start();
    Form1::Options options;
    options.counterAddress = server.pageAddress();
    Form1 form(options);

    QTRY_VERIFY_WITH_TIMEOUT(!server.request().isEmpty(), 6000);
    // Qt's coarse timers may fire up to 5% early; nothing comes at once.
    EXPECT_GE(clock.elapsed(), 1800);
    EXPECT_TRUE(server.request().startsWith("GET /sayac/qelnor.php HTTP/1.1\r\n"));
    EXPECT_FALSE(form.findChild<QTimer*>(QStringLiteral("Timer3"))->isActive());

    QTRY_VERIFY_WITH_TIMEOUT(!form.counterRequest().pending(), 2000);
    QTest::qWait(2500);
    EXPECT_EQ(server.connections(), 1) << "the page is requested once per run";
}

TEST(CounterRequest, RefusesAddressesItShouldNotFetchAndASecondRequest)
{
    CounterRequest request(1000);
    for (const char* bad :
         {"", "ftp://127.0.0.1/x", "https://127.0.0.1/x", "http:///nohost", "file:///etc/passwd"}) {
        EXPECT_THROW(request.navigate(bad), std::invalid_argument) << bad;
    }
    EXPECT_FALSE(request.pending());
    request.navigate("http://127.0.0.1:1/sayac/qelnor.php");
    EXPECT_THROW(request.navigate("http://127.0.0.1:1/sayac/qelnor.php"), std::logic_error);
    QTRY_VERIFY_WITH_TIMEOUT(!request.pending(), 3000);
}

} // namespace
} // namespace vorlen
