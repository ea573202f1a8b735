#include "engine/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <system_error>

namespace vorlen {

namespace {

std::int16_t narrow16(std::int32_t value, const char* what)
{
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        throw std::overflow_error(what);
    }
    return static_cast<std::int16_t>(value);
}

} // namespace

std::int16_t checkedAdd(std::int16_t a, std::int16_t b)
{
    return narrow16(std::int32_t{a} + std::int32_t{b}, "16-bit addition overflow");
}

std::int16_t checkedMul(std::int16_t a, std::int16_t b)
{
    return narrow16(std::int32_t{a} * std::int32_t{b}, "16-bit multiplication overflow");
}

std::string numberText(std::int64_t value)
{
    return std::to_string(value);
}

std::string wholeText(double value)
{
    // 2^63 is exactly representable; anything at or past it is out of range.
    constexpr double limit = 9223372036854775808.0;
    if (!std::isfinite(value) || value != std::trunc(value) || value >= limit || value < -limit) {
        throw std::domain_error("not a whole number");
    }
    return numberText(static_cast<std::int64_t>(value));
}

std::int32_t parseNumber(std::string_view text)
{
    if (text.empty()) {
        return 0;
    }
    std::int32_t value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        throw std::out_of_range("number out of range");
    }
    if (error != std::errc{} || end != last) {
        throw std::invalid_argument("not a number");
    }
    return value;
}

} // namespace vorlen
