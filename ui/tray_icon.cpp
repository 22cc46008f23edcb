#include "ui/tray_icon.h"

#include "base/program.h"
#include "base/system_libraries.h"
#include "base/text.h"
#include "settings/settings_store.h"
#include "ui/program_icons.h"

// The oldest shell's record, which every shell accepts: 88 bytes on 32-bit
// Windows, its pointer-sized fields wider on 64-bit.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88, "the oldest shell's record");

static struct {
    NOTIFYICONDATAA data;
    bool shown;
} Tray;

const NOTIFYICONDATAA& TrayIconData = Tray.data;
const bool& TrayIconShown = Tray.shown;

// shell32 is loaded when the first icon is shown, not at every start: the
// placements without a tray icon never need it.
static BOOL NotifyShell(DWORD message)
{
    auto notify = SystemFunctionOf<BOOL WINAPI(DWORD, PNOTIFYICONDATAA)>("shell32.dll", "Shell_NotifyIconA");
    return notify ? notify(message, &Tray.data) : FALSE;
}

void AddTrayIcon(HWND window)
{
    if (!PlacementHasTrayIcon(Settings.place) || Tray.shown)
        return;
    Tray.data = NOTIFYICONDATAA();
    Tray.data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    Tray.data.hWnd = window;
    Tray.data.uID = TRAY_ICON_ID;
    Tray.data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    Tray.data.uCallbackMessage = MSG_TRAY_CALLBACK;
    Tray.data.hIcon = ButtonIconOrDefault(0);
    CopyText(Tray.data.szTip, 64, MainWindowTitle);
    Tray.shown = NotifyShell(NIM_ADD) != FALSE;
}

void RemoveTrayIcon(HWND)
{
    if (!Tray.shown)
        return;
    NotifyShell(NIM_DELETE);
    Tray.shown = false;
}

void ForgetTrayIcon()
{
    Tray.shown = false;
}

void SetTrayIconPressed(bool pressed)
{
    if (!Tray.shown)
        return;
    Tray.data.hIcon = ButtonIconOrDefault(pressed ? 1 : 0);
    NotifyShell(NIM_MODIFY);
}

void RefreshButtonIcons(HWND window)
{
    BuildButtonIcons(window);
    RemoveTrayIcon(window);
    AddTrayIcon(window);
}
