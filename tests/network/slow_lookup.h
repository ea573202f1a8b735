// A stand-in for a name server that takes its time. While a delay is set, a
// lookup of a name under the reserved .invalid domain waits that long and then
// fails as an unknown name does; every other lookup goes to the system
// resolver. The executable's own getaddrinfo wins over the C library's.
#pragma once

namespace vorlen::test {

void setSlowLookup(int delayMs);
// How many lookups of .invalid names this process has made.
[[nodiscard]] int invalidNameLookups();

} // namespace vorlen::test
