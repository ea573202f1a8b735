// Checked 16-bit arithmetic and the plain decimal text the program shows,
// stores and compares ("7", "42", "100"). Parsing of that text lives here too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorlen {

// Both throw std::overflow_error when the result leaves -32768..32767; the
// caller decides whether that failure is skipped or passed on.
[[nodiscard]] std::int16_t checkedAdd(std::int16_t a, std::int16_t b);
[[nodiscard]] std::int16_t checkedMul(std::int16_t a, std::int16_t b);

// Decimal digits of a whole number, with a '-' only for a negative one.
[[nodiscard]] std::string numberText(std::int64_t value);

// The text of a whole double ("42" for 42.0). Throws std::domain_error for a
// value that is not a whole number within the 64-bit range.
[[nodiscard]] std::string wholeText(double value);

// Reads a cell written by the engine: empty text is 0, otherwise an optional
// '-' and decimal digits. Anything else throws std::invalid_argument; a value
// outside the 32-bit range throws std::out_of_range.
[[nodiscard]] std::int32_t parseNumber(std::string_view text);

} // namespace vorlen
