// The counter request's transport on Windows: WinINet on a thread of its own
// that nobody waits for. WinINet takes the system's proxy settings, as the
// platform's own browser does; each step (connect, send, receive) gives up at
// the request's deadline, no redirect is followed, and the answer is dropped
// once its headers are in.
#pragma once

#include "engine/counter_request.h"

namespace vorlen {

// Makes the request and returns at once, never throwing; the plan's proxy is not used: the
// system's settings decide.
void sendOverWinInet(const CounterPlan& plan) noexcept;

} // namespace vorlen
