// The Task Manager submenu: the top-level application windows, shown or
// minimized, in Z order from the top; choosing one activates, closes or
// kills it.
#ifndef VORNEL_MENUS_TASK_MENU_H
#define VORNEL_MENUS_TASK_MENU_H

#include <windows.h>

#include "menus/dynamic_menu.h"

const int MAX_TASK_WINDOWS = 100;

struct TaskWindowEntry {
    char* title;    // heap copy of the title at the time of building
    HWND window;
};

// Entry k belongs to command CMD_FIRST_WINDOW + k.
extern TaskWindowEntry TaskWindowList[MAX_TASK_WINDOWS];
// Number of entries, 0 when the submenu is not built.
extern int TaskWindowCount;

extern const DynamicSubmenu TaskSubmenu;

// Fills the submenu once per opening; `window` (the button) is never listed.
void BuildTaskMenu(HWND window);

// True for a window the submenu lists: titled, visible or minimized, not
// owned, not the desktop's "Program Manager" and not `self`.
bool IsTaskWindow(HWND candidate, HWND self, char* title, int capacity);

// Frees the titles and marks the submenu as not built.
void ClearTaskWindowList();

// Entry k: Ctrl kills its process, Shift asks it to close, otherwise it
// comes to the front.
void RunWindowCommand(HWND window, int k);

#endif
