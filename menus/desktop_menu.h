// The Desktop submenu: everything in the user's desktop folder, opened by
// the shell when chosen.
#ifndef VORNEL_MENUS_DESKTOP_MENU_H
#define VORNEL_MENUS_DESKTOP_MENU_H

#include <windows.h>

#include "menus/dynamic_menu.h"

const int MAX_DESKTOP_ITEMS = 100;

// Names (without directory) of the entries found; entry k belongs to
// command CMD_FIRST_DESKTOP_ITEM + k.
extern char* DesktopItemList[MAX_DESKTOP_ITEMS];
// Number of entries, 0 when the submenu is not built.
extern int DesktopItemCount;
// The desktop folder followed by a backslash, as of the last build.
extern char DesktopDirectory[MAX_PATH];

// Fills the submenu once per opening of the popup menu.
void BuildDesktopMenu();

// Frees the names and marks the submenu as not built.
void ClearDesktopItemList();

// Entry k: the shell opens the file.
void OpenDesktopItem(HWND window, int k);

extern const DynamicSubmenu DesktopSubmenu;

#endif
