// A loopback HTTP server that misbehaves on purpose, in one of a few fixed
// ways, and records what the client did to it: how many connections, the
// bytes of the request, and how much of its own answer it got into the
// kernel before the client went away. It never leaves the loopback address.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <string>
#include <vector>

namespace vorlen::test {

class FaultServer : public QObject {
public:
    enum class Fault {
        Silent,            // accepts, reads, never answers
        ResetOnAccept,     // accepts and resets the connection at once
        ResetAfterRequest, // reads the request, then resets the connection
        Redirect,          // answers 302 to another address
        HugeBody,          // answers 200 with a 50 MiB body, written as fast as the peer takes it
        Drip,              // answers one byte a second
        Ok,                // answers 200 with a short body (the redirect target)
    };

    static constexpr qint64 hugeBodySize = 50LL * 1024 * 1024;

    explicit FaultServer(Fault fault, const QHostAddress& address = QHostAddress::LocalHost);
    ~FaultServer() override;

    FaultServer(const FaultServer&) = delete;
    FaultServer& operator=(const FaultServer&) = delete;

    [[nodiscard]] bool listening() const { return server_.isListening(); }
    // http://127.0.0.1:port/sayac/qelnor.php, or http://[::1]:port/... on IPv6.
    [[nodiscard]] std::string pageAddress(const char* path = "/sayac/qelnor.php") const;
    void redirectTo(const std::string& address) { location_ = QByteArray::fromStdString(address); }

    [[nodiscard]] int connections() const { return connections_; }
    [[nodiscard]] const QByteArray& request() const { return request_; }
    // Bytes of the answer that reached the kernel (headers included).
    [[nodiscard]] qint64 bytesWritten() const { return bytesWritten_; }
    // True once every connection this server accepted is closed.
    [[nodiscard]] bool idle() const { return open_ == 0; }

private:
    void accept();
    void received(QTcpSocket* socket);
    void answer(QTcpSocket* socket);
    void refill(QTcpSocket* socket);
    void drip();
    static void reset(QTcpSocket* socket);

    Fault fault_;
    QTcpServer server_;
    QByteArray location_;
    QByteArray request_;
    int connections_ = 0;
    int open_ = 0;
    qint64 bytesWritten_ = 0;
    qint64 bodyQueued_ = 0;
    QPointer<QTcpSocket> dripping_;
    qsizetype dripped_ = 0;
    QTimer dripTimer_;
};

// A loopback port whose queue of connections waiting to be accepted is full
// and never emptied: the kernel drops every new handshake, so a connection
// to it is never made, as behind a firewall that drops packets.
class FullBacklog {
public:
    FullBacklog();
    ~FullBacklog();

    FullBacklog(const FullBacklog&) = delete;
    FullBacklog& operator=(const FullBacklog&) = delete;

    // True once a connection to the port is seen to go unanswered.
    [[nodiscard]] bool swallowsConnections() const { return swallows_; }
    [[nodiscard]] std::string pageAddress() const;

private:
    int listener_ = -1;
    quint16 port_ = 0;
    std::vector<int> fillers_;
    bool swallows_ = false;
};

} // namespace vorlen::test
