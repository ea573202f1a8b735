// The counter request's transport on Windows: WinINet on a thread of its own
// that nobody waits for. WinINet takes the system's proxy settings, as the
// platform's own browser does; each step (connect, send, receive) gives up at
// the request's deadline, no redirect is followed, and the answer is dropped
// once its headers are in.
#pragma once

#include "engine/counter_request.h"

#include <functional>

namespace vorlen {

class WinInetTransport : public CounterTransport {
public:
    // finished is called once per request, on the request's own thread, when
    // the request is over whatever its outcome.
    explicit WinInetTransport(std::function<void()> finished);

    // The plan's proxy is not used: the system's settings decide.
    void send(const CounterPlan& plan) override;

private:
    std::function<void()> finished_;
};

} // namespace vorlen
