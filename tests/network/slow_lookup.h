// A stand-in for a name server that takes its time. While a delay is set, a
// lookup of a name under the reserved .invalid domain waits that long and
// then fails as an unknown name does; without a delay it goes to the system
// resolver. Every other name always goes to the system resolver unchanged.
// It works by defining getaddrinfo in the test executable, which the linker
// prefers over the C library's for the program's own calls.
#pragma once

namespace vorlen::test {

void setSlowLookup(int delayMs);
// How many lookups of .invalid names have been made in this process.
[[nodiscard]] int invalidNameLookups();

} // namespace vorlen::test
