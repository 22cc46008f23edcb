#include "ui/window_icon.h"

// The icon the window gives (null when it has none); false when the window
// is still there and did not answer in time.
static bool AskWindowIcon(HWND window, WPARAM which, HICON& icon)
{
    DWORD_PTR answer = 0;
    icon = nullptr;
    if (!SendMessageTimeoutA(window, WM_GETICON, which, 0, SMTO_ABORTIFHUNG, WINDOW_ICON_TIMEOUT_MS, &answer))
        return !IsWindow(window);
    icon = reinterpret_cast<HICON>(answer);
    return true;
}

static HICON ClassIcon(HWND window, bool allowDefault)
{
    if (HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM)))
        return icon;
    if (HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON)))
        return icon;
    return allowDefault ? LoadIconA(nullptr, IDI_APPLICATION) : nullptr;
}

HICON GetWindowIcon(HWND window, bool allowDefault)
{
    HICON icon;
    AskWindowIcon(window, ICON_SMALL, icon);
    if (!icon)
        AskWindowIcon(window, ICON_BIG, icon);
    return icon ? icon : ClassIcon(window, allowDefault);
}

HICON GetAnsweredWindowIcon(HWND window, bool allowDefault, bool& answered)
{
    HICON icon;
    answered = AskWindowIcon(window, ICON_SMALL, icon) && (icon || AskWindowIcon(window, ICON_BIG, icon));
    if (!answered)
        return nullptr;
    return icon ? icon : ClassIcon(window, allowDefault);
}
