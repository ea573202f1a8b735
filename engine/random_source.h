// The random source behind every draw of the quiz: single-precision uniform
// values in [0, 1), whole numbers 1..n taken from them, and reseeding from the
// time of day. It does not decide what is drawn or when to reseed.
#pragma once

#include <cstdint>
#include <functional>

namespace vorlen {

class RandomSource {
public:
    // Seconds since midnight, with fraction.
    using Clock = std::function<float()>;

    RandomSource(Clock clock, std::uint64_t seed);

    // Mixes the clock's reading into the current state. It never restarts the
    // sequence: several reseeds within one tick of the clock (a system clock
    // may advance in steps as coarse as 1/64 s) must still yield fresh values,
    // or the redraw loops that wait for an unused factor would spin for ever.
    void reseed();

    // One value r with 0 <= r < 1.
    [[nodiscard]] float uniform();

    // The largest integer not greater than r * n + 1, in double precision: 1..n.
    [[nodiscard]] std::int16_t whole(std::int16_t n);

    // reseed() followed by whole(n), the way nearly every draw is made.
    [[nodiscard]] std::int16_t reseededWhole(std::int16_t n);

    // The local time of day in seconds since midnight, the program's clock.
    [[nodiscard]] static float timeOfDay();

private:
    Clock clock_;
    std::uint64_t state_;
};

} // namespace vorlen
