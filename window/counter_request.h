// The one request of the visit-counter page: a single HTTP GET over a single
// connection, never waited for. It follows no redirect, reads none of the
// answer (the connection is dropped at its first byte), never sends the
// request twice and never tries a second address, and gives up after a
// timeout. The host name is looked up off the window's thread, in a way that
// never holds up the end of the program.
#pragma once

#include "engine/controls.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QHostAddress;
class QSocketNotifier;
class QTcpSocket;
class QTimer;

namespace vorlen {

class CounterRequest : public QObject, public WebBrowser {
    Q_OBJECT

public:
    explicit CounterRequest(int timeoutMs, QObject* parent = nullptr);
    ~CounterRequest() override;

    CounterRequest(const CounterRequest&) = delete;
    CounterRequest& operator=(const CounterRequest&) = delete;

    // Starts the request. Throws std::invalid_argument for an address that is
    // not an absolute http URL with a host, and std::logic_error when a
    // request was made already: the page is asked for once per run.
    void navigate(const std::string& address) override;

    [[nodiscard]] bool pending() const { return pending_; }

signals:
    // Emitted once the request is over, whatever its outcome.
    void done();

private:
    struct Lookup; // shared with a lookup thread that may outlive this object

    void lookUp(const QString& host);
    void connectTo(const QHostAddress& address);
    void watch(QTcpSocket* socket);
#if defined(Q_OS_UNIX)
    void adopt(int fd);
    void stopConnecting(bool close);
#endif
    void finish();

    int timeoutMs_;
    bool sent_ = false;
    bool pending_ = false;
    quint16 port_ = 80;
    QByteArray request_;
    QTimer* deadline_ = nullptr;
    QPointer<QTcpSocket> socket_;
    int connecting_ = -1;                     // a connection being made by hand
    QSocketNotifier* connectWatch_ = nullptr; // tells when it is made
    std::shared_ptr<Lookup> lookup_;
};

} // namespace vorlen
