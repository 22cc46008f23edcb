// The Control Panel submenu: "&Run...", a separator, then every applet of
// the .CPL files in the system directory, asked through CPlApplet; choosing
// one runs it through rundll32.
#ifndef VORNEL_MENUS_APPLET_MENU_H
#define VORNEL_MENUS_APPLET_MENU_H

#include "menus/dynamic_menu.h"

// Entry k: text the applet's name, file the applet file's name without
// directory, number the applet's number within its file, icon the item's
// icon, taken while the file was loaded and kept for this opening of the
// menu, so painting loads nothing. Entries 15 and 16 are never used: their
// identifiers, 1015 and 1016, are the Tools submenu's Start Menu commands,
// and a menu command is known by its identifier alone.
extern const SubmenuKind AppletSubmenu;

// The name shown for a file that cannot be asked: "System" for SYSDM.CPL,
// "Modem" for MODEM.CPL, "Network" for NETCPL.CPL, else the file's name.
const char* FriendlyCplName(const char* file);

#endif
