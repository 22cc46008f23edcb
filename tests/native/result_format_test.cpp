// The Calculator's Result text.
#include "logic/result_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The Calculator's Result field holds 254 characters.
constexpr size_t ResultFieldSize = 255;

std::string Format(double value, size_t capacity = ResultFieldSize)
{
    char out[ResultFieldSize + 16];
    std::memset(out, 'x', sizeof out);
    FormatResult(value, out, capacity);
    EXPECT_EQ(nullptr, std::memchr(out + capacity, 0, sizeof out - capacity)) << "terminated past capacity";
    for (size_t i = capacity; i < sizeof out; ++i)
        EXPECT_EQ('x', out[i]) << "wrote byte " << i << " with capacity " << capacity;
    return std::string(out, strnlen(out, capacity));
}

bool AllDigits(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

TEST(ResultFormat, TrailingZerosAndPointAreTrimmed)
{
    EXPECT_EQ("3", Format(3));
    EXPECT_EQ("1.25", Format(1.25));
    EXPECT_EQ("0.1", Format(0.1));
    EXPECT_EQ("0.5", Format(0.5));
    EXPECT_EQ("-2.5", Format(-2.5));
    EXPECT_EQ("1234.5678", Format(1234.5678));
}

TEST(ResultFormat, ZerosOfTheIntegerPartStay)
{
    EXPECT_EQ("100", Format(100));
    EXPECT_EQ("10", Format(10));
    EXPECT_EQ("1000000", Format(1e6));
    EXPECT_EQ("0", Format(0));
    EXPECT_EQ("-100", Format(-100));
}

TEST(ResultFormat, OnlySixDecimalsAreShown)
{
    EXPECT_EQ("0.666667", Format(2.0 / 3));
    EXPECT_EQ("0", Format(1e-9));
    EXPECT_EQ("-0", Format(-1e-9));
    EXPECT_EQ("-0", Format(-0.0));
    EXPECT_EQ("2", Format(1.9999999));
    EXPECT_EQ("0.000001", Format(0.000001));
}

TEST(ResultFormat, FixedNotationWhileItFitsTheField)
{
    // Every digit of the double, not a rounded decimal: it reads back exactly.
    std::string text = Format(3e245);
    EXPECT_EQ(246u, text.size());
    EXPECT_TRUE(AllDigits(text)) << text;
    EXPECT_EQ(3e245, std::strtod(text.c_str(), nullptr));

    // 254 digits still fit; a minus sign more does not.
    text = Format(2e253);
    EXPECT_EQ(254u, text.size());
    EXPECT_TRUE(AllDigits(text)) << text;
    EXPECT_EQ(2e253, std::strtod(text.c_str(), nullptr));
    EXPECT_EQ("-2e+253", Format(-2e253));
    EXPECT_EQ("2e+254", Format(2e254));
}

TEST(ResultFormat, LargeValuesSwitchToExponentNotation)
{
    EXPECT_EQ("1e+300", Format(1e300));
    EXPECT_EQ("-1e+300", Format(-1e300));
    EXPECT_EQ("1.5e+280", Format(1.5e280));
    EXPECT_EQ("1.79769313486232e+308", Format(1.7976931348623157e308));
}

TEST(ResultFormat, EveryMagnitudeFitsAndReadsBackAsTheValue)
{
    for (int exponent = 200; exponent <= 308; ++exponent) {
        for (double sign : {1.0, -1.0}) {
            double value = sign * 3.0 * std::pow(10.0, exponent - 1);
            std::string text = Format(value);
            ASSERT_LE(text.size(), ResultFieldSize - 1) << value;
            double back = std::strtod(text.c_str(), nullptr);
            EXPECT_NEAR(1.0, back / value, 1e-14) << text;
        }
    }
}

// The words the MinGW runtime's printf used: a NaN has no sign there.
TEST(ResultFormat, InfinityAndNaNShowTheRuntimeText)
{
    EXPECT_EQ("inf", Format(HUGE_VAL));
    EXPECT_EQ("-inf", Format(-HUGE_VAL));
    EXPECT_EQ("nan", Format(std::fabs(std::nan(""))));
    EXPECT_EQ("nan", Format(-std::fabs(std::nan(""))));
}

TEST(ResultFormat, SmallBuffersAreNeverOverrun)
{
    char untouched[4] = {'x', 'x', 'x', 'x'};
    FormatResult(3, untouched, 0);
    EXPECT_EQ(0, std::memcmp(untouched, "xxxx", 4));

    EXPECT_EQ("", Format(3, 1));
    EXPECT_EQ("3", Format(3, 2));
    // Fits only once trimmed: "1.250000" needs nine bytes, "1.25" five.
    EXPECT_EQ("1.25", Format(1.25, 5));
    // Neither notation fits: nothing rather than a cut-off number.
    EXPECT_EQ("", Format(1.25, 4));
    EXPECT_EQ("", Format(123456, 6));
    // Fixed notation does not fit, the exponent form does.
    EXPECT_EQ("1e+20", Format(1e20, 8));
}

}  // namespace
