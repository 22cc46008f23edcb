// Decimal text to doubles, exactly, on whole numbers alone: the Calculator
// reads numbers the same way on every compiler and runtime, and the program
// carries no C runtime strtod.
#ifndef VORNEL_LOGIC_DECIMAL_TEXT_H
#define VORNEL_LOGIC_DECIMAL_TEXT_H

#include <cstddef>

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
