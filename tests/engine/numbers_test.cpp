#include "engine/numbers.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vorlen {
namespace {

TEST(CheckedArithmetic, StaysWithinSixteenBits)
{
    EXPECT_EQ(checkedAdd(32766, 1), 32767);
    EXPECT_THROW((void)checkedAdd(32767, 1), std::overflow_error);
    EXPECT_EQ(checkedMul(10, 10), 100);
    EXPECT_THROW((void)checkedMul(200, 200), std::overflow_error);
    EXPECT_THROW((void)checkedMul(-32768, -1), std::overflow_error);
}

TEST(NumberText, PlainDecimalDigits)
{
    EXPECT_EQ(numberText(std::int64_t{7}), "7");
    EXPECT_EQ(wholeText(100.0), "100");
    EXPECT_EQ(wholeText(0.0), "0");
    EXPECT_THROW((void)wholeText(2.5), std::domain_error);
    EXPECT_EQ(parseNumber(""), 0);
    EXPECT_EQ(parseNumber("42"), 42);
    EXPECT_THROW((void)parseNumber(" 42"), std::invalid_argument);
    EXPECT_THROW((void)parseNumber("4x"), std::invalid_argument);
    EXPECT_THROW((void)parseNumber("99999999999"), std::out_of_range);
}

} // namespace
} // namespace vorlen
