// Doubles to decimal text and back, exactly, on whole numbers alone: the
// Calculator reads and shows numbers the same way on every compiler and
// runtime, and the program carries no C runtime printf or strtod.
#ifndef VORNEL_LOGIC_DECIMAL_TEXT_H
#define VORNEL_LOGIC_DECIMAL_TEXT_H

#include <cstddef>

// The text printf's "%f" gives: six decimals, rounded from the exact binary
// value to nearest, ties to even; "-" for every negative sign, -0 included.
// Infinities are "inf" and "-inf" and every NaN is "nan", as the MinGW
// runtime's printf showed them. Returns the length; when the text and its
// terminator do not fit `capacity`, `out` is left empty (if it has room for
// that) and 0 is returned. The longest text, of -DBL_MAX, has 317 characters.
size_t FormatFixed(double value, char* out, size_t capacity);

// The text printf's "%.15g" gives: fifteen significant digits rounded as in
// FormatFixed, in fixed notation for decimal exponents from -4 to 14 and as
// "1.5e+280" otherwise, trailing zeros dropped. Returns as FormatFixed does.
size_t FormatGeneral(double value, char* out, size_t capacity);

// Texts longer than this are refused by ParseDecimal: the Calculator's line
// is no longer.
constexpr size_t DecimalTextMaxLength = 79;

// Reads the `length` characters of `text`: digits with at most one "." among
// them, then optionally "E" or "e", a sign and digits; an "E" with no digit
// after it is not part of the number, nor is anything after the exponent.
// `value` is the double nearest to the exact decimal value (ties to even),
// as a correctly rounding strtod gives it: infinity above the range, a
// subnormal or zero below it. Returns false when the number is out of range,
// as the MinGW runtime's strtod reported it: it rounded to infinity, or a
// number other than zero rounded to less than the smallest normal double.
// A text without digits reads as 0.
bool ParseDecimal(const char* text, size_t length, double& value);

#endif
