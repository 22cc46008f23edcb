// Result text of the Calculator.
#include "logic/result_format.h"

#include <cstring>

#include "logic/decimal_text.h"

namespace {

// "%f" of the largest double is 317 characters.
constexpr size_t FixedTextSize = 330;

// Copies `text` (of `length` characters) when it fits with its terminator.
bool CopyIfFits(const char* text, size_t length, char* out, size_t capacity)
{
    if (length >= capacity)
        return false;
    std::memcpy(out, text, length);
    out[length] = '\0';
    return true;
}

}  // namespace

void FormatResult(double value, char* out, size_t capacity)
{
    if (out == nullptr || capacity == 0)
        return;

    // Format into our own buffer and only copy what fits: the fixed text
    // may fit only once its zeros are trimmed.
    char text[FixedTextSize];
    size_t length = FormatFixed(value, text, sizeof text);
    if (length > 0) {
        // Six decimals always print, so trimming never reaches an integer
        // part's own zeros: "100.000000" becomes "100", not "1".
        while (length > 0 && text[length - 1] == '0')
            --length;
        if (length > 0 && text[length - 1] == '.')
            --length;
        if (CopyIfFits(text, length, out, capacity))
            return;
    }

    // Too long for the field in fixed notation. Fifteen significant digits
    // are as many as a double holds for sure; the exponent's zeros ("1e+300")
    // must not be trimmed.
    length = FormatGeneral(value, text, sizeof text);
    if (length > 0 && CopyIfFits(text, length, out, capacity))
        return;

    // A cut-off number would be a wrong number.
    out[0] = '\0';
}
