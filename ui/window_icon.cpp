#include "ui/window_icon.h"

static HICON AskWindowIcon(HWND window, WPARAM which)
{
    DWORD_PTR icon = 0;
    if (!SendMessageTimeoutA(window, WM_GETICON, which, 0, SMTO_ABORTIFHUNG, WINDOW_ICON_TIMEOUT_MS, &icon))
        return nullptr;
    return reinterpret_cast<HICON>(icon);
}

HICON GetWindowIcon(HWND window, bool allowDefault)
{
    if (HICON icon = AskWindowIcon(window, ICON_SMALL))
        return icon;
    if (HICON icon = AskWindowIcon(window, ICON_BIG))
        return icon;
    if (HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM)))
        return icon;
    if (HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON)))
        return icon;
    return allowDefault ? LoadIconA(nullptr, IDI_APPLICATION) : nullptr;
}
