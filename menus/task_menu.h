// The Task Manager submenu: the top-level application windows, shown or
// minimized, in Z order from the top.
#ifndef VORNEL_MENUS_TASK_MENU_H
#define VORNEL_MENUS_TASK_MENU_H

#include <windows.h>

const int MAX_TASK_WINDOWS = 100;

struct TaskWindowEntry {
    char* title;    // heap copy of the title at the time of building
    HWND window;
};

// Entry k belongs to command CMD_FIRST_WINDOW + k.
extern TaskWindowEntry TaskWindowList[MAX_TASK_WINDOWS];
// Number of entries, 0 when the submenu is not built.
extern int TaskWindowCount;

// Fills the submenu once per opening; `window` (the button) is never listed.
void BuildTaskMenu(HWND window);

// True for a window the submenu lists: titled, visible or minimized, not
// owned, not the desktop's "Program Manager" and not `self`.
bool IsTaskWindow(HWND candidate, HWND self, char* title, int capacity);

// Frees the titles and marks the submenu as not built.
void ClearTaskWindowList();

#endif
