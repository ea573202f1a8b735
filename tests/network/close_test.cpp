// Closing the window while the counter request is pending ends the program at
// once: nothing at exit waits for the server or for the name lookup. The
// program runs in its own process (vorlen_close_helper) and closes its window
// itself; this test times from that close to the process's end.
#include "tests/support/fault_server.h"
#include "tests/support/loop_tools.h"
#include "tests/support/process_readings.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <ostream>
#include <string>

namespace vorlen::test {
namespace {

using Fault = FaultServer::Fault;

constexpr long long oneSecondNs = 1'000'000'000LL;

enum class Pending {
    SilentServer,       // connected, the request sent, no answer
    ConnectionUnmade,   // the connection is still being made
    NameLookupUnderWay, // the name server takes far longer than the window stays open
};

struct PendingCase {
    const char* name;
    Pending pending;
};

void PrintTo(const PendingCase& pending, std::ostream* out)
{
    *out << pending.name;
}

const auto pendingCases = std::to_array<PendingCase>({
    {"SilentServer", Pending::SilentServer},
    {"ConnectionUnmade", Pending::ConnectionUnmade},
    {"NameLookupUnderWay", Pending::NameLookupUnderWay},
});

class ClosingWhilePending : public testing::TestWithParam<PendingCase> {};

TEST_P(ClosingWhilePending, EndsTheProgramWithinASecond)
{
    const PendingCase& pending = GetParam();
    std::unique_ptr<FaultServer> server;
    std::unique_ptr<FullBacklog> backlog;
    QStringList arguments;
    switch (pending.pending) {
    case Pending::SilentServer:
        server = std::make_unique<FaultServer>(Fault::Silent);
        ASSERT_TRUE(server->listening());
        arguments << QString::fromStdString(server->pageAddress()) << QStringLiteral("1000");
        break;
    case Pending::ConnectionUnmade:
        backlog = std::make_unique<FullBacklog>();
        ASSERT_TRUE(backlog->swallowsConnections());
        arguments << QString::fromStdString(backlog->pageAddress()) << QStringLiteral("1000");
        break;
    case Pending::NameLookupUnderWay:
        arguments << QStringLiteral("http://vorlen-counter.invalid/sayac/qelnor.php")
                  << QStringLiteral("1000") << QStringLiteral("8000");
        break;
    }

    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Under the sanitizers the leak scan at exit would be timed with the program.
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
    helper.setProcessEnvironment(environment);
    long long endedAt = 0;
    QObject::connect(&helper, &QProcess::finished, [&] { endedAt = monotonicNs(); });
    helper.start(QStringLiteral(VORLEN_CLOSE_HELPER), arguments);
    ASSERT_TRUE(helper.waitForStarted(5000)) << helper.errorString().toStdString();
    const bool ended = spinUntil([&] { return endedAt != 0; }, 15000);
    if (!ended) {
        helper.kill();
        helper.waitForFinished(2000);
    }
    ASSERT_TRUE(ended) << "the program did not end";
    EXPECT_EQ(helper.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(helper.exitCode(), 0) << helper.readAllStandardError().toStdString();

    const QString report = QString::fromLocal8Bit(helper.readAllStandardOutput());
    ASSERT_TRUE(report.contains(QStringLiteral("pending 1"))) << "the request was over before the close";
    const qsizetype at = report.indexOf(QStringLiteral("closing "));
    ASSERT_GE(at, 0) << report.toStdString();
    const long long closedAt = report.mid(at + 8).trimmed().toLongLong();
    ASSERT_GT(closedAt, 0);
    EXPECT_LT(endedAt - closedAt, oneSecondNs)
        << (endedAt - closedAt) / 1'000'000 << " ms from close to exit";
    if (server) {
        EXPECT_EQ(server->connections(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Pending, ClosingWhilePending, testing::ValuesIn(pendingCases),
                         [](const testing::TestParamInfo<PendingCase>& param) { return param.param.name; });

} // namespace
} // namespace vorlen::test
