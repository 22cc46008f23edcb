// libFuzzer target for the Calculator's evaluator. Besides the sanitizers'
// own checks it enforces the promises the dialog relies on: the caller's
// bytes past the terminator are never touched (nor read: they are poisoned
// under AddressSanitizer), a failure returns 0.0 with the text as it was, and
// a success leaves exactly the ASCII upper-cased text.
#include "logic/evaluator.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/asan_interface.h>
#define VORNEL_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define VORNEL_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#endif
#endif
#ifndef VORNEL_POISON
#define VORNEL_POISON(address, size) ((void)(address), (void)(size))
#define VORNEL_UNPOISON(address, size) ((void)(address), (void)(size))
#endif

namespace {

constexpr size_t MaxInput = 300;
constexpr size_t GuardSize = 32;
constexpr unsigned char GuardByte = 0xA5;

// ASan poisons in 8-byte granules, so the text is placed to end its
// terminator exactly on a granule boundary; otherwise the bytes between the
// terminator and the boundary could be read unnoticed.
alignas(8) char storage[MaxInput + 8 + GuardSize];

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > MaxInput)
        return 0;

    // The text is the input up to its first zero byte; what follows the
    // terminator is the guard.
    const void* zero = std::memchr(data, 0, size);
    size_t length = zero ? size_t(static_cast<const uint8_t*>(zero) - data) : size;
    size_t end = (length + 1 + 7) / 8 * 8;  // terminator ends on a granule boundary
    char* text = storage + end - (length + 1);

    VORNEL_UNPOISON(storage, sizeof storage);
    std::memset(storage, GuardByte, sizeof storage);
    std::memcpy(text, data, length);
    text[length] = '\0';

    char original[MaxInput + 1];
    std::memcpy(original, text, length + 1);

    VORNEL_POISON(storage + end, sizeof storage - end);
    bool ok = !(length & 1);  // whatever it was, the evaluator sets it
    double result = EvaluateExpression(text, ok);
    VORNEL_UNPOISON(storage, sizeof storage);

    for (size_t i = end; i < sizeof storage; ++i)
        Check(static_cast<unsigned char>(storage[i]) == GuardByte);
    Check(text[length] == '\0');

    if (!ok) {
        Check(result == 0.0);
        Check(std::memcmp(text, original, length + 1) == 0);
    } else {
        for (size_t i = 0; i < length; ++i)
            Check(text[i] == Upper(original[i]));
        // A success means the text fitted the 79-character working copy.
        Check(length <= 79);
    }

    // Nothing carries over: the same text gives the same answer again.
    std::memcpy(text, original, length + 1);
    bool okAgain = false;
    double again = EvaluateExpression(text, okAgain);
    Check(okAgain == ok);
    Check(std::memcmp(&again, &result, sizeof result) == 0);
    return 0;
}
