// The counter request's transport on Linux: one plain TCP connection on a
// thread of its own that nobody waits for, so the window's thread never
// blocks and the program ends at once even while a name lookup or a
// connection is pending. It writes the request's own text, waits for the
// first byte of the answer or the deadline, and closes without reading it.
#pragma once

#include "engine/counter_request.h"

#include <functional>

namespace vorlen {

class SocketTransport : public CounterTransport {
public:
    // finished is called once per request, on the request's own thread, when
    // the request is over whatever its outcome.
    explicit SocketTransport(std::function<void()> finished);

    void send(const CounterPlan& plan) override;

private:
    std::function<void()> finished_;
};

} // namespace vorlen
