#include "base/clipboard.h"

#include <string.h>

bool PutTextOnClipboard(HWND owner, const char* text, size_t length)
{
    // The clipboard takes the block only if it can be moved, and frees it
    // itself once it holds it.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length + 1);
    if (!block)
        return false;
    char* copy = static_cast<char*>(GlobalLock(block));
    if (!copy) {
        GlobalFree(block);
        return false;
    }
    memcpy(copy, text, length);
    copy[length] = '\0';
    GlobalUnlock(block);
    if (!OpenClipboard(owner)) {
        GlobalFree(block);
        return false;
    }
    bool placed = EmptyClipboard() && SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    if (!placed)
        GlobalFree(block);
    return placed;
}
