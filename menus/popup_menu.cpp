#include "menus/popup_menu.h"

#include "menus/menu_tree.h"
#include "menus/applet_menu.h"
#include "menus/desktop_menu.h"
#include "menus/dynamic_menu.h"
#include "menus/screen_saver_menu.h"
#include "menus/task_menu.h"

int LastPopulatedPosition;
bool Populating;

void PrepareDynamicMenus()
{
    EmptyMenu(ControlPanelMenu);
    ClearAppletList();
    EmptyMenu(ScreenSaverMenu);
    ClearScreenSaverList();
    EmptyMenu(TaskManagerMenu);
    ClearTaskWindowList();
    EmptyMenu(DesktopMenu);
    ClearDesktopItemList();
}

void ShowPopupMenu(HWND window)
{
    // The menu only closes on a click elsewhere when its owner is in front.
    SetForegroundWindow(window);
    POINT cursor;
    GetCursorPos(&cursor);
    PrepareDynamicMenus();
    TrackPopupMenu(RootMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, window,
                   nullptr);
    LastPopulatedPosition = 0;
    // Lets the menu's owner run its loop once more, so a menu opened from
    // the tray closes properly on the next click elsewhere.
    PostMessageA(window, WM_NULL, 0, 0);
}

void PopulateRootSubmenu(HWND window, int position)
{
    switch (position) {
    case ROOT_POSITION_SCREEN_SAVER:  BuildScreenSaverMenu(); break;
    case ROOT_POSITION_DESKTOP:       BuildDesktopMenu(); break;
    case ROOT_POSITION_CONTROL_PANEL: BuildAppletMenu(window); break;
    case ROOT_POSITION_TASK_MANAGER:  BuildTaskMenu(window); break;
    }
}
