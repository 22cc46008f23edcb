// Showing the popup menu, and the lifetime of the four submenus built on
// demand: emptied before every opening, filled on their first highlight,
// valid from the menu's close until the next opening (when their commands
// are handled).
#ifndef VORNEL_MENUS_POPUP_MENU_H
#define VORNEL_MENUS_POPUP_MENU_H

#include <windows.h>

// The root position (5, 6, 8 or 9) of the dynamic submenu whose items were
// painted last; 0 when none. While set, highlighting that position again
// does not rebuild what is on screen.
extern int LastPopulatedPosition;
// Set while a submenu is being filled; highlights meanwhile are ignored.
extern bool Populating;

// Shows the root menu at the cursor and returns when it has closed; the
// chosen command arrives afterwards as WM_COMMAND.
void ShowPopupMenu(HWND window);

// Empties the Control Panel, Screen Saver, Task Manager and Desktop
// submenus and frees their tables.
void PrepareDynamicMenus();

// Fills the submenu at a root position (5, 6, 8 or 9) if it is not built
// in this opening; other positions have nothing to fill. `window` is the
// button, which the windows submenu leaves out and applets get as parent.
void PopulateRootSubmenu(HWND window, int position);

#endif
