// The window's hidden web browser, `WebBrowser1`: the counter request sent
// over one socket, with its end reported back on the window's thread as done().
// Once this object is gone, the end of a request still under way is dropped.
#pragma once

#include "engine/counter_request.h"

#include <QObject>

#include <chrono>
#include <memory>

namespace vorlen {

class CounterBrowser : public QObject, public CounterRequest {
    Q_OBJECT

public:
    explicit CounterBrowser(std::chrono::milliseconds deadline = defaultDeadline, QObject* parent = nullptr);
    ~CounterBrowser() override;

    CounterBrowser(const CounterBrowser&) = delete;
    CounterBrowser& operator=(const CounterBrowser&) = delete;

    void navigate(const std::string& address) override;

    // True from a request's start until done().
    [[nodiscard]] bool pending() const { return pending_; }

signals:
    // Emitted once the request is over, whatever its outcome.
    void done();

private:
    struct Channel; // shared with the request's thread, which may outlive this object

    CounterBrowser(std::shared_ptr<Channel> channel, std::chrono::milliseconds deadline, QObject* parent);

    std::shared_ptr<Channel> channel_;
    bool pending_ = false;
};

} // namespace vorlen
