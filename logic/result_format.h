// The text the Calculator shows for a result. Kept apart from the dialog so the
// native tests can check it without a window.
#ifndef VORNEL_LOGIC_RESULT_FORMAT_H
#define VORNEL_LOGIC_RESULT_FORMAT_H

#include <cstddef>

// Formats an evaluation result for the Result field: "%f", trailing zeros and a trailing "." trimmed.
//
// When that text does not fit `capacity` (for the 255-byte Result buffer,
// magnitudes from about 1E253 up) the value is shown as "%.15g" instead, e.g.
// "1e+300". If neither fits, `out` is left empty rather than holding a cut-off
// number. `out` is always terminated unless `capacity` is 0.
void FormatResult(double value, char* out, size_t capacity);

#endif
