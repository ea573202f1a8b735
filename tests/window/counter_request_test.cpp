// The visit-counter request against loopback servers: one GET of the counter
// path about two seconds after the window is created, and nothing more,
// whatever the server does.
#include "window/counter_request.h"
#include "window/form1.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace vorlen {
namespace {

class LoopbackServer : public QObject {
public:
    enum class Reply { Ok, Silent, Redirect };

    explicit LoopbackServer(Reply reply, quint16 redirectPort = 0)
        : reply_(reply), redirectPort_(redirectPort)
    {
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
        QObject::connect(&server_, &QTcpServer::newConnection, this, [this] { accept(); });
    }

    [[nodiscard]] quint16 port() const { return server_.serverPort(); }
    [[nodiscard]] std::string address() const
    {
        return "http://127.0.0.1:" + std::to_string(port()) + "/sayac/qelnor.php";
    }

    int connections = 0;
    QByteArray firstRequest;
    QElapsedTimer clock;

    qint64 firstRequestAt = -1;

private:
    void accept()
    {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            ++connections;
            QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        }
    }

    void read(QTcpSocket* socket)
    {
        const QByteArray data = socket->readAll();
        if (firstRequest.isEmpty()) {
            firstRequest = data;
            firstRequestAt = clock.elapsed();
        }
        switch (reply_) {
        case Reply::Ok:
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\nhello");
            break;
        case Reply::Redirect:
            socket->write("HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1:" +
                          QByteArray::number(redirectPort_) + "/elsewhere\r\nContent-Length: 0\r\n\r\n");
            break;
        case Reply::Silent:
            break;
        }
    }

    Reply reply_;
    quint16 redirectPort_;
    QTcpServer server_;
};

std::unique_ptr<Form1> windowRequesting(const std::string& address, int timeoutMs = 1000)
{
    Form1::Options options;
    options.counterAddress = address;
    options.counterTimeoutMs = timeoutMs;
    return std::make_unique<Form1>(options);
}

TEST(CounterRequest, OneGetOfTheCounterPathAboutTwoSecondsAfterCreation)
{
    LoopbackServer server(LoopbackServer::Reply::Ok);
    server.clock.start();
    auto form = windowRequesting(server.address());

    QTRY_COMPARE_WITH_TIMEOUT(server.connections, 1, 6000);
    QTRY_VERIFY_WITH_TIMEOUT(!server.firstRequest.isEmpty(), 2000);
    EXPECT_TRUE(server.firstRequest.startsWith("GET /sayac/qelnor.php HTTP/1.1\r\n"));
    // Qt's coarse timers may fire up to 5% early; nothing comes at once.
    EXPECT_GE(server.firstRequestAt, 1800);
    EXPECT_FALSE(form->findChild<QTimer*>(QStringLiteral("Timer3"))->isActive());

    QTRY_VERIFY_WITH_TIMEOUT(!form->counterRequest().pending(), 2000);
    QTest::qWait(2500);
    EXPECT_EQ(server.connections, 1) << "the page is requested once per run";
}

TEST(CounterRequest, SilentServerIsGivenUpWithoutStallingTheWindow)
{
    LoopbackServer server(LoopbackServer::Reply::Silent);
    auto form = windowRequesting(server.address(), 500);
    form->show();

    // A probe that would starve if the window's thread waited on the network.
    int probes = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] { ++probes; });
    probe.start(20);

    QTRY_COMPARE_WITH_TIMEOUT(server.connections, 1, 6000);
    const int before = probes;
    QTRY_VERIFY_WITH_TIMEOUT(!form->counterRequest().pending(), 3000);
    QTest::qWait(1500);
    EXPECT_GT(probes - before, 40);
    EXPECT_EQ(server.connections, 1) << "no retry after the timeout";
}

TEST(CounterRequest, RedirectIsNotFollowed)
{
    LoopbackServer elsewhere(LoopbackServer::Reply::Ok);
    LoopbackServer server(LoopbackServer::Reply::Redirect, elsewhere.port());
    auto form = windowRequesting(server.address());

    QTRY_COMPARE_WITH_TIMEOUT(server.connections, 1, 6000);
    QTRY_VERIFY_WITH_TIMEOUT(!form->counterRequest().pending(), 3000);
    QTest::qWait(1000);
    EXPECT_EQ(elsewhere.connections, 0);
    EXPECT_EQ(server.connections, 1);
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
