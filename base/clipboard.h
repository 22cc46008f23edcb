// Text for other programs through the clipboard, in the ANSI code page
// (CF_TEXT), as every Windows since the first reads it.
#ifndef VORNEL_BASE_CLIPBOARD_H
#define VORNEL_BASE_CLIPBOARD_H

#include <windows.h>

#include <stddef.h>

// Replaces what the clipboard holds with the length bytes of text (no
// terminator needed; one is added), owned by owner. False when another
// program keeps the clipboard open or the memory cannot be had; the
// clipboard is then left as it was.
bool PutTextOnClipboard(HWND owner, const char* text, size_t length);

#endif
