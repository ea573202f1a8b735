#include "engine/random_source.h"

#include <bit>
#include <chrono>
#include <cmath>
#include <ctime>
#include <utility>

namespace vorlen {

namespace {

// splitmix64's finaliser: a bijection on 64-bit values that spreads every
// input bit over the whole output.
constexpr std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31U);
}

constexpr std::uint64_t golden = 0x9E3779B97F4A7C15ULL;

// The clock reading's bits as an integer. libc++ 13 (emscripten's) has no
// std::bit_cast yet; the compiler's builtin is what std::bit_cast calls.
std::uint32_t bitsOf(float reading)
{
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<std::uint32_t>(reading);
#else
    return __builtin_bit_cast(std::uint32_t, reading);
#endif
}

} // namespace

RandomSource::RandomSource(Clock clock, std::uint64_t seed) : clock_(std::move(clock)), state_(seed)
{
}

void RandomSource::reseed()
{
    const std::uint32_t reading = bitsOf(clock_());
    // Folding the reading in through the bijection keeps the whole history in
    // the state: equal readings lead to different states each time.
    state_ = mix(state_ ^ mix(reading + golden));
}

float RandomSource::uniform()
{
    state_ += golden;
    // The top 24 bits fill a float's mantissa exactly, so r < 1 always holds.
    constexpr float scale = 1.0F / 16777216.0F;
    return static_cast<float>(mix(state_) >> 40U) * scale;
}

std::int16_t RandomSource::whole(std::int16_t n)
{
    const double r = uniform();
    return static_cast<std::int16_t>(std::floor(r * n + 1.0));
}

std::int16_t RandomSource::reseededWhole(std::int16_t n)
{
    reseed();
    return whole(n);
}

float RandomSource::timeOfDay()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    const auto fraction = duration<double>(now - system_clock::from_time_t(seconds)).count();
    return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + fraction);
}

} // namespace vorlen
