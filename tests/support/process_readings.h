// Readings of the running process (Linux) that tests compare: its resident
// memory, its threads, and a monotonic clock that two processes share.
#pragma once

namespace vorlen::test {

// The resident set of this process in KiB, and its threads; -1 if unknown.
[[nodiscard]] long residentKiB();
[[nodiscard]] long threadCount();
// CLOCK_MONOTONIC in nanoseconds: comparable between processes on one machine.
[[nodiscard]] long long monotonicNs();

} // namespace vorlen::test
