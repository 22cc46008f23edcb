#include "menus/popup_menu.h"

#include "base/commands.h"
#include "menus/dynamic_submenus.h"
#include "menus/menu_columns.h"
#include "menus/menu_texts.h"
#include "settings/settings_record.h"
#include "settings/shell_folder_names.h"
#include "settings/start_menu_folders.h"

static PopupMenuRecord Popup;
const PopupMenuRecord& PopupMenu = Popup;

void SetScreenHeight(int height)
{
    Popup.itemsPerColumn = ItemsPerColumnForHeight(height);
}

void BuildPopupMenu(HWND window)
{
    Popup.tree = BuildMenuTree();
    RebuildFavouritesMenu(window);
}

void DestroyPopupMenu()
{
    DestroyMenuTree(Popup.tree);
}

void RebuildFavouritesMenu(HWND window)
{
    RebuildDynamicSubmenu(ROOT_POSITION_FAVOURITES, window, Popup.itemsPerColumn);
}

void PrepareDynamicMenus()
{
    EmptyDynamicSubmenus();
}

bool PopupMenuBusy()
{
    return Popup.open || Popup.populating;
}

void ShowPopupMenu(HWND window)
{
    // Preparing again would empty the submenus on screen and free their
    // tables under an applet that may be answering inside a build.
    if (PopupMenuBusy())
        return;
    // The menu only closes on a click elsewhere when its owner is in front.
    SetForegroundWindow(window);
    POINT cursor;
    GetCursorPos(&cursor);
    PrepareDynamicMenus();
    Popup.open = true;
    TrackPopupMenu(Popup.tree.root, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, window,
                   nullptr);
    Popup.open = false;
    Popup.lastPopulatedPosition = 0;
    // Lets the menu's owner run its loop once more, so a menu opened from
    // the tray closes properly on the next click elsewhere.
    PostMessageA(window, WM_NULL, 0, 0);
}

void NoteMenuHotkey(bool held)
{
    Popup.hotkeyHeld = held;
}

void NotePaintedSubmenu(int rootPosition)
{
    Popup.lastPopulatedPosition = rootPosition;
}

// Reads the two Start Menu folders back from the file system each time the
// Tools submenu opens, so the marks tell the truth even if the user changed
// the Start Menu meanwhile.
static void RefreshStartMenuChecks()
{
    HMENU tools = Popup.tree.tools;
    SetCheckItem(tools, CMD_CONTROL_PANEL_IN_START_MENU, TextControlPanelInStartMenu,
                 StartMenuFolder(ControlPanelName, ControlPanelClassId, START_MENU_TEST) ? SETTING_ON : SETTING_OFF);
    SetCheckItem(tools, CMD_PRINTERS_IN_START_MENU, TextPrintersInStartMenu,
                 StartMenuFolder(PrintersName, PrintersClassId, START_MENU_TEST) ? SETTING_ON : SETTING_OFF);
}

void OnMenuSelect(HWND window, UINT item, UINT flags, HMENU menu)
{
    if (Popup.populating)
        return;
    bool rootPopup = (flags & MF_POPUP) && flags != 0xFFFF && menu == Popup.tree.root;
    if (rootPopup && item == ROOT_POSITION_TOOLS) {
        RefreshStartMenuChecks();
        return;
    }
    if (flags == 0xFFFF || static_cast<int>(item) == Popup.lastPopulatedPosition)
        return;
    Popup.populating = true;
    if (rootPopup)
        FillDynamicSubmenu(static_cast<int>(item), window, Popup.itemsPerColumn);
    Popup.populating = false;
}

void UpdateOptionCheck(UINT command, const char* text, LONG setting)
{
    SetCheckItem(Popup.tree.options, command, text, setting);
}

void EnableEditFavourites(bool enable)
{
    EnableMenuItem(Popup.tree.root, CMD_EDIT_FAVOURITES, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}
