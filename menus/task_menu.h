// The Task Manager submenu: the top-level application windows, shown or
// minimized, in Z order from the top; choosing one activates, closes or
// kills it.
#ifndef VORNEL_MENUS_TASK_MENU_H
#define VORNEL_MENUS_TASK_MENU_H

#include "menus/dynamic_menu.h"

// Entry k: text the window's title when the menu was built, window the window.
extern const SubmenuKind TaskSubmenu;

// True for a window the submenu lists: titled, visible or minimized, not
// owned, not the desktop's "Program Manager", not cloaked (not on screen)
// and not `self`.
bool IsTaskWindow(HWND candidate, HWND self, char* title, int capacity);

#endif
