// The counter request's transport on Linux: libcurl on a thread of its own
// that nobody waits for, so the window's thread never blocks and the program
// ends at once even while a name lookup or a connection is pending. libcurl is
// loaded only when the request is due, not at start-up.
#pragma once

#include "engine/counter_request.h"

#include <functional>

namespace vorlen {

class CurlTransport : public CounterTransport {
public:
    // finished is called once per request, on the request's own thread, when
    // the request is over whatever its outcome (libcurl missing included).
    explicit CurlTransport(std::function<void()> finished);

    void send(const CounterPlan& plan) override;

    // Loads libcurl unless it is loaded already; false if it cannot be.
    [[nodiscard]] static bool load();

private:
    std::function<void()> finished_;
};

} // namespace vorlen
