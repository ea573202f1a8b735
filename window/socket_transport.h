// The counter request's transport on Linux: one plain TCP connection on a
// thread of its own that nobody waits for, so the window's thread never
// blocks and the program ends at once even while a name lookup or a
// connection is pending. It writes the request's own text, waits for the
// first byte of the answer or the deadline, and closes without reading it.
#pragma once

#include "engine/counter_request.h"

namespace vorlen {

// Makes the request and returns at once, through the proxy that the
// environment names for the page's host (window/proxy.h).
void sendOverSocket(CounterPlan plan);

} // namespace vorlen
