#include "logic/window_item_text.h"

#include <string.h>

#include "base/text.h"

static const char CutMark[] = "...";
static const size_t CUT_MARK_LENGTH = sizeof CutMark - 1;

// Appends the first shown characters of part; when that is not all of it,
// the last characters give way to "..." so the reader sees the cut.
static void AppendPart(char* out, size_t capacity, const char* part, size_t shown)
{
    size_t length = strlen(part);
    size_t used = strlen(out);
    if (shown >= length) {
        AppendText(out, capacity, part);
        return;
    }
    size_t kept = shown >= CUT_MARK_LENGTH ? shown - CUT_MARK_LENGTH : 0;
    memcpy(out + used, part, kept);
    out[used + kept] = '\0';
    AppendText(out, used + shown + 1, CutMark);
}

void FormatWindowItemText(const char* className, const char* windowText, uint32_t handle,
                          char* out, size_t capacity)
{
    if (capacity == 0)
        return;
    static const char digits[] = "0123456789abcdef";
    char tail[] = "\" - HWND: 00000000";
    char* hex = tail + sizeof tail - 1 - 8;
    for (int i = 7; i >= 0; --i, handle >>= 4)
        hex[i] = digits[handle & 15];

    const size_t fixed = 1 + 5 + (sizeof tail - 1);   // the quotes, " - " and the handle part
    size_t room = capacity - 1;
    size_t classLength = strlen(className), textLength = strlen(windowText);
    size_t available = room > fixed ? room - fixed : 0;
    size_t classShown = classLength < available ? classLength : available;
    size_t textShown = textLength < available - classShown ? textLength : available - classShown;

    // Below the fixed parts' own length nothing sensible fits: the line is
    // simply cut at the end.
    out[0] = '\0';
    AppendText(out, capacity, "\"");
    AppendPart(out, capacity, className, classShown);
    AppendText(out, capacity, "\" - \"");
    AppendPart(out, capacity, windowText, textShown);
    AppendText(out, capacity, tail);
}
