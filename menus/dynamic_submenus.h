// The five dynamic submenus, in the order their titles stand in the root
// menu. A new one is a file with its SubmenuKind, a row of the table in
// dynamic_submenus.cpp and a command range.
#ifndef VORNEL_MENUS_DYNAMIC_SUBMENUS_H
#define VORNEL_MENUS_DYNAMIC_SUBMENUS_H

#include <windows.h>

#include "menus/dynamic_menu.h"

const int DYNAMIC_SUBMENU_COUNT = 5;

// Submenu i of the table, 0 to DYNAMIC_SUBMENU_COUNT - 1, in root order.
DynamicSubmenu& DynamicSubmenuAt(int i);

// The submenu whose title stands at a root position, or null.
DynamicSubmenu* DynamicSubmenuAtPosition(int rootPosition);
// The submenu whose range holds id (base to base + DYNAMIC_RANGE_SIZE - 1),
// or null. An item id may also be a submenu's handle; no range holds those.
DynamicSubmenu* DynamicSubmenuOf(ULONG_PTR id);
// The submenu whose handle is id (a submenu title's item id), or null.
DynamicSubmenu* DynamicSubmenuWithHandle(ULONG_PTR id);

// Makes every submenu's handle, empty; the root menu takes them as titles.
void CreateDynamicSubmenus();
// Frees every table; the handles die with the root menu.
void ForgetDynamicSubmenus();

// Empties the submenus built on demand and frees their tables, and gives
// back the icons the others took while drawn: before every opening of the
// popup menu.
void EmptyDynamicSubmenus();
// Builds the submenu at a root position if it is built on demand and not
// yet built in this opening.
void FillDynamicSubmenu(int rootPosition, HWND window, int itemsPerColumn);
// Empties and builds it again whatever it holds (the favourites).
void RebuildDynamicSubmenu(int rootPosition, HWND window, int itemsPerColumn);

// What the submenus' tables and builds took and gave back, all together.
DrawResourceCounts DynamicSubmenuResources();

#endif
