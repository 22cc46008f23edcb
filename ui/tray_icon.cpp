#include "ui/tray_icon.h"

#include "base/program.h"
#include "base/system_libraries.h"
#include "base/text.h"
#include "settings/settings_store.h"
#include "ui/button_face.h"

// The oldest shell's record, which every shell accepts: 88 bytes on 32-bit
// Windows, its pointer-sized fields wider on 64-bit.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88, "the oldest shell's record");

NOTIFYICONDATAA TrayIconData;
bool TrayIconShown;

// shell32 is loaded when the first icon is shown, not at every start: the
// placements without a tray icon never need it.
static BOOL NotifyShell(DWORD message)
{
    auto notify = SystemFunctionOf<BOOL WINAPI(DWORD, PNOTIFYICONDATAA)>("shell32.dll", "Shell_NotifyIconA");
    return notify ? notify(message, &TrayIconData) : FALSE;
}

void AddTrayIcon(HWND window)
{
    if (!PlacementHasTrayIcon(Settings.place) || TrayIconShown)
        return;
    TrayIconData = NOTIFYICONDATAA();
    TrayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    TrayIconData.hWnd = window;
    TrayIconData.uID = TRAY_ICON_ID;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = MSG_TRAY_CALLBACK;
    TrayIconData.hIcon = ButtonIconOrDefault(0);
    CopyText(TrayIconData.szTip, 64, MainWindowTitle);
    TrayIconShown = NotifyShell(NIM_ADD) != FALSE;
}

void RemoveTrayIcon(HWND)
{
    if (!TrayIconShown)
        return;
    NotifyShell(NIM_DELETE);
    TrayIconShown = false;
}

void SetTrayIconPressed(bool pressed)
{
    if (!TrayIconShown)
        return;
    TrayIconData.hIcon = ButtonIconOrDefault(pressed ? 1 : 0);
    NotifyShell(NIM_MODIFY);
}

void RefreshButtonIcons(HWND window)
{
    BuildButtonIcon(window, 0);
    BuildButtonIcon(window, 1);
    RemoveTrayIcon(window);
    AddTrayIcon(window);
}
