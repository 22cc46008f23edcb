#include "app/shutdown.h"

#include "app/hotkeys.h"
#include "base/platform.h"
#include "menus/popup_menu.h"
#include "ui/program_icons.h"
#include "ui/tray_icon.h"

void ShutdownApplication(HWND window)
{
    DestroyButtonIcons();
    UnregisterHotkeys(window);
    RemoveTrayIcon(window);
    DestroyPopupMenu();
    DestroyWindow(window);
    Platform.ExitProcess(0);
}
