// The one request of the visit-counter page. It sends a single HTTP GET and
// never waits for it: no redirect is followed, no byte of the answer is read
// (the request is dropped as soon as the headers arrive), nothing is retried,
// and a server that does not answer is given up after a timeout. Name lookup
// and the transfer run off the window's thread inside Qt's network stack.
#pragma once

#include "engine/controls.h"

#include <QObject>
#include <QPointer>

class QNetworkAccessManager;
class QNetworkReply;

namespace vorlen {

class CounterRequest : public QObject, public WebBrowser {
    Q_OBJECT

public:
    explicit CounterRequest(int timeoutMs, QObject* parent = nullptr);
    ~CounterRequest() override;

    // Starts the request. Throws std::invalid_argument for an address that is
    // not an absolute http URL with a host, and std::logic_error when a
    // request was made already: the page is asked for once per run.
    void navigate(const std::string& address) override;

    [[nodiscard]] bool pending() const { return !reply_.isNull(); }

signals:
    // Emitted once the request is over, whatever its outcome.
    void done();

private:
    void finish();

    int timeoutMs_;
    bool sent_ = false;
    QNetworkAccessManager* network_ = nullptr; // made on first use: start-up stays lean
    QPointer<QNetworkReply> reply_;
};

} // namespace vorlen
