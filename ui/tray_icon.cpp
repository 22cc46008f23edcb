#include "ui/tray_icon.h"

#include "app/main_window.h"
#include "app/startup.h"
#include "base/text.h"
#include "settings/settings_store.h"
#include "ui/button_face.h"

// The oldest shell's record, which every shell accepts: 88 bytes on 32-bit
// Windows, its pointer-sized fields wider on 64-bit.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88, "the oldest shell's record");

NOTIFYICONDATAA TrayIconData;
bool TrayIconShown;

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
    TrayIconShown = Shell_NotifyIconA(NIM_ADD, &TrayIconData) != FALSE;
}

void RemoveTrayIcon(HWND)
{
    if (!TrayIconShown)
        return;
    Shell_NotifyIconA(NIM_DELETE, &TrayIconData);
    TrayIconShown = false;
}

void SetTrayIconPressed(bool pressed)
{
    if (!TrayIconShown)
        return;
    TrayIconData.hIcon = ButtonIconOrDefault(pressed ? 1 : 0);
    Shell_NotifyIconA(NIM_MODIFY, &TrayIconData);
}
