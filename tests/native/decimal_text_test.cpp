// Our exact conversions against glibc's printf and strtod, which round
// exactly as the MinGW runtime did.
#include "logic/decimal_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

double FromBits(uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void ExpectPrintedAsGlibcDoes(double value)
{
    char expected[400], actual[400];
    std::snprintf(expected, sizeof expected, "%f", value);
    EXPECT_EQ(std::strlen(expected), FormatFixed(value, actual, sizeof actual));
    EXPECT_STREQ(expected, actual) << "%f of " << std::hexfloat << value;
    std::snprintf(expected, sizeof expected, "%.15g", value);
    EXPECT_EQ(std::strlen(expected), FormatGeneral(value, actual, sizeof actual));
    EXPECT_STREQ(expected, actual) << "%.15g of " << std::hexfloat << value;
}

void ExpectReadAsGlibcDoes(const std::string& text)
{
    double expected = std::strtod(text.c_str(), nullptr);
    double actual = -1;
    ParseDecimal(text.data(), text.size(), actual);
    EXPECT_EQ(0, std::memcmp(&expected, &actual, sizeof actual)) << text;
}

TEST(DecimalText, PrintsAsPrintf)
{
    // Ties at the sixth decimal and the fifteenth digit go to even.
    for (double value : {0.0, 0.0000005, 2.5e-7, 0.0078125, 0.5e-6, 1.5e-6, 1e15 + 5, 1e15 + 15, 0.1, 2.0 / 3,
                         1e22, 1e23, 9007199254740993.0, 999999.9999995, 9.999999999999995e-5, 1e-5, 1e14,
                         1e15, DBL_MIN, DBL_MAX, DBL_TRUE_MIN, 0x1.fffffffffffffp-1023, HUGE_VAL})
        for (double sign : {1.0, -1.0})
            ExpectPrintedAsGlibcDoes(sign * value);
    for (int exponent = -310; exponent <= 308; ++exponent)
        ExpectPrintedAsGlibcDoes(std::pow(10.0, exponent));

    std::mt19937_64 random(1);
    for (int i = 0; i < 3000; ++i) {
        double value = FromBits(random());
        if (!std::isnan(value))  // glibc writes "-nan" where the program writes "nan"
            ExpectPrintedAsGlibcDoes(value);
        ExpectPrintedAsGlibcDoes(std::ldexp(double(random() % 4000000), -int(random() % 40)));
    }
}

TEST(DecimalText, TextThatDoesNotFitIsNotWritten)
{
    char out[9];
    EXPECT_EQ(0u, FormatFixed(1.5, out, 8));
    EXPECT_STREQ("", out);
    EXPECT_EQ(8u, FormatFixed(1.5, out, 9));
    EXPECT_EQ(0u, FormatGeneral(1e300, out, 6));
    EXPECT_STREQ("", out);
}

TEST(DecimalText, ReadsAsStrtod)
{
    for (const char* text : {"0", "0.000E-999", "1E23", "9007199254740993", "9007199254740993.00001",
                             "9007199254740995", "2.2250738585072011E-308", "2.2250738585072012E-308",
                             "4.9406564584124654E-324", "2.4703282292062327E-324", "2.4703282292062328E-324",
                             "1.7976931348623158E308", "1.7976931348623159E308", "1E-999", "1E999", ".5", "5.",
                             "2E", "2E+", "2e-3"})
        ExpectReadAsGlibcDoes(text);

    std::mt19937_64 random(2);
    for (int i = 0; i < 3000; ++i) {
        // Digits with a point anywhere and an exponent of up to three digits.
        std::string text;
        int digits = 1 + int(random() % 40);
        int point = int(random() % (digits + 2));
        for (int k = 0; k < digits; ++k)
            text += (k == point ? "." : "") + std::to_string(random() % 10);
        text += "E" + std::string(random() % 2 ? "-" : "") + std::to_string(random() % 1000);
        ExpectReadAsGlibcDoes(text);

        // The exact midpoint between two neighbouring doubles, and a hair either side.
        double low = std::ldexp(1.0 + double(random() >> 12) / 0x1p52, int(random() % 63) - 10);  // a fraction in every midpoint
        char midpoint[100];
        std::snprintf(midpoint, sizeof midpoint, "%.70Lf", (static_cast<long double>(low) + std::nextafter(low, 2 * low)) / 2);
        text = midpoint;
        text.erase(text.find_last_not_of('0') + 1);
        ExpectReadAsGlibcDoes(text);
        ExpectReadAsGlibcDoes(text + "1");
        text.back() = char(text.back() - 1);
        ExpectReadAsGlibcDoes(text + "9");
    }
}

// As the MinGW runtime's strtod reported a range error: only for results
// that are infinite, or below DBL_MIN after rounding. glibc also reports
// numbers just below DBL_MIN that round up to it.
TEST(DecimalText, OutOfRangeAsTheWindowsRuntimeSaw)
{
    double value;
    EXPECT_FALSE(ParseDecimal("1.8E308", 7, value));
    EXPECT_TRUE(ParseDecimal("1.7976931348623158E308", 22, value));
    EXPECT_TRUE(ParseDecimal("2.2250738585072012E-308", 23, value));
    EXPECT_EQ(DBL_MIN, value);
    EXPECT_FALSE(ParseDecimal("2.2250738585072011E-308", 23, value));
    EXPECT_FALSE(ParseDecimal("1E-999", 6, value));
    EXPECT_TRUE(ParseDecimal("0E-999", 6, value));

    std::string tooLong(DecimalTextMaxLength + 1, '1');
    EXPECT_FALSE(ParseDecimal(tooLong.data(), tooLong.size(), value));
}

}  // namespace
