// The Desktop submenu: everything in the user's desktop folder, opened by
// the shell when chosen.
#ifndef VORNEL_MENUS_DESKTOP_MENU_H
#define VORNEL_MENUS_DESKTOP_MENU_H

#include "menus/dynamic_menu.h"

// Entry k: text the name found (without directory), file its full path
// (null when the path does not fit a path buffer).
extern const SubmenuKind DesktopSubmenu;

#endif
