// The line the windows tree shows for one window: its class, its text and
// its handle. A class name and a window text of 254 characters each would
// need 532 characters, more than the tree's item buffer holds, so the line
// is shortened in a way that always keeps the handle readable.
#ifndef VORNEL_LOGIC_WINDOW_ITEM_TEXT_H
#define VORNEL_LOGIC_WINDOW_ITEM_TEXT_H

#include <stddef.h>
#include <stdint.h>

// The tree item's buffer, terminator included.
const size_t WINDOW_ITEM_TEXT_CAPACITY = 500;

// "\"Edit\" - \"abc\" - HWND: 00001234". When the whole line does not fit
// in capacity, the window text is cut first and then the class name, each
// cut part ending in "..."; the quotes and the handle always stay.
void FormatWindowItemText(const char* className, const char* windowText, uint32_t handle,
                          char* out, size_t capacity);

#endif
