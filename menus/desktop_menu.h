// The Desktop submenu: everything in the user's desktop folder.
#ifndef VORNEL_MENUS_DESKTOP_MENU_H
#define VORNEL_MENUS_DESKTOP_MENU_H

#include <windows.h>

const int MAX_DESKTOP_ITEMS = 100;

// Names (without directory) of the entries found; entry k belongs to
// command CMD_FIRST_DESKTOP_ITEM + k.
extern char* DesktopItemList[MAX_DESKTOP_ITEMS];
// Index of the last entry, -1 when the submenu is not built.
extern int LastDesktopItem;
// The desktop folder followed by a backslash, as of the last build.
extern char DesktopDirectory[MAX_PATH];

// Fills the submenu once per opening of the popup menu.
void BuildDesktopMenu();

// Frees the names and marks the submenu as not built.
void ClearDesktopItemList();

#endif
