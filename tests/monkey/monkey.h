// A seeded stream of random events on the real window, as a child at the
// keyboard and mouse would make them, at machine speed: clicks anywhere and on
// every control, keys to whatever has the focus, entries picked in the two
// lists, and ticks of the three timers. The window's invariants are checked
// after every event; the first one broken ends the run with the seed and the
// event's index, which replay it exactly.
#pragma once

#include <cstdint>

namespace vorlen::monkey {

struct Settings {
    std::uint64_t seed = 0;
    long events = 0;
};

// Runs the stream on a new window, printing the seed first and a tally at the
// end. True when every invariant held after every event and the stream
// reached the states worth testing.
[[nodiscard]] bool run(const Settings& settings);

} // namespace vorlen::monkey
