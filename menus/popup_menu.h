// The popup menu as a whole: its tree, showing it, and the lifetime of the
// submenus built on demand: emptied before every opening, filled on their
// first highlight, valid from the menu's close until the next opening (when
// their commands are handled).
#ifndef VORNEL_MENUS_POPUP_MENU_H
#define VORNEL_MENUS_POPUP_MENU_H

#include <windows.h>

#include "menus/menu_tree.h"

struct PopupMenuRecord {
    MenuTree tree;
    // Where the dynamic submenus start a new column, for the screen's height.
    int itemsPerColumn;
    // The root position (5, 6, 8 or 9) of the dynamic submenu whose items
    // were painted last; 0 when none. While set, highlighting that position
    // again does not rebuild what is on screen.
    int lastPopulatedPosition;
    // Set while a submenu is being filled; highlights meanwhile are ignored.
    bool populating;
    // Set while the menu is tracked. Its loop dispatches what is posted
    // meanwhile (the hotkey, the tray icon's press), so a second request
    // for the menu can arrive while it is on screen.
    bool open;
    // Whether Ctrl+Shift+Delete reaches the button: another program may
    // hold those keys.
    bool hotkeyHeld;
};

extern const PopupMenuRecord& PopupMenu;

// Start-up: the column height for a screen of this height.
void SetScreenHeight(int height);

// Builds the tree and the Favourites submenu from the favourites in force.
void BuildPopupMenu(HWND window);
void DestroyPopupMenu();

// True while the menu is open or a submenu is being filled: a request for
// the menu then does nothing, so what is on screen keeps its tables.
bool PopupMenuBusy();

// Shows the root menu at the cursor and returns when it has closed; the
// chosen command arrives afterwards as WM_COMMAND. Does nothing while the
// menu is busy.
void ShowPopupMenu(HWND window);

// Whether Ctrl+Shift+Delete was registered for the button.
void NoteMenuHotkey(bool held);

// Empties the Control Panel, Screen Saver, Task Manager and Desktop
// submenus and frees their tables.
void PrepareDynamicMenus();

// WM_MENUSELECT of the menu's owner: fills a submenu built on demand on its
// first highlight in an opening, and reads the Start Menu folders' checks
// back when Tools is highlighted.
void OnMenuSelect(HWND window, UINT item, UINT flags, HMENU menu);

// The painter drew an entry of the submenu at this root position.
void NotePaintedSubmenu(int rootPosition);

// The Favourites submenu again, from the favourites in force.
void RebuildFavouritesMenu(HWND window);

// Writes an Options item again with the mark of its setting.
void UpdateOptionCheck(UINT command, const char* text, LONG setting);

// "&Edit" of the Favourites submenu, greyed while the editor is open.
void EnableEditFavourites(bool enable);

#endif
