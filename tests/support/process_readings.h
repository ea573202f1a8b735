// Readings of the running process that tests compare: its resident memory,
// its threads, and a monotonic clock that two processes on one machine share.
#pragma once

namespace vorlen::test {

// The resident set (working set on Windows) of this process, in KiB; -1 if unknown.
[[nodiscard]] long residentKiB();
// The threads of this process; -1 if unknown (on Windows).
[[nodiscard]] long threadCount();
// A monotonic clock in nanoseconds (CLOCK_MONOTONIC on Linux, the performance
// counter on Windows): comparable between processes on one machine.
[[nodiscard]] long long monotonicNs();

} // namespace vorlen::test
