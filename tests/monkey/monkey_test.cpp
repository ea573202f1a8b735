// The monkey as a test: one seeded stream of random events on the real
// window. VORLEN_MONKEY_SEED and VORLEN_MONKEY_EVENTS choose the stream; a
// failure prints both values that replay it.
#include "monkey.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr std::uint64_t defaultSeed = 20240601;
constexpr std::uint64_t defaultEvents = 200000;
constexpr std::uint64_t mostEvents = 100000000;

std::optional<std::uint64_t> fromEnvironment(const char* name, std::uint64_t fallback)
{
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') {
        return fallback;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || *text == '-') {
        return std::nullopt;
    }
    return value;
}

TEST(Monkey, WindowHoldsUpUnderASeededStreamOfEvents)
{
    const auto seed = fromEnvironment("VORLEN_MONKEY_SEED", defaultSeed);
    const auto events = fromEnvironment("VORLEN_MONKEY_EVENTS", defaultEvents);
    ASSERT_TRUE(seed.has_value()) << "VORLEN_MONKEY_SEED must be a whole number";
    ASSERT_TRUE(events.has_value() && *events <= mostEvents)
        << "VORLEN_MONKEY_EVENTS must be a whole number up to " << mostEvents;
    EXPECT_TRUE(vorlen::monkey::run({*seed, static_cast<long>(*events)}));
}

} // namespace
