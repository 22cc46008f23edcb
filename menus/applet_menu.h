// The Control Panel submenu: "&Run...", a separator, then every applet of
// the .CPL files in the system directory, asked through CPlApplet; choosing
// one runs it through rundll32.
#ifndef VORNEL_MENUS_APPLET_MENU_H
#define VORNEL_MENUS_APPLET_MENU_H

#include <windows.h>

#include "menus/dynamic_menu.h"

struct AppletEntry {
    char* file;         // the applet file's name without directory; null for an unused entry
    char* text;         // the item's text
    WORD iconId;        // icon resource in the file, 0 when unknown
    WORD iconIndex;     // index for the file's associated icon when iconId is 0
    int applet;         // the applet's number within its file
    // The item's icon, taken while the builder had the file loaded and kept
    // for this opening of the menu: painting then loads nothing. Owned by
    // the table; null when there is none.
    HICON icon;
};

const int MAX_APPLETS = 100;

// Entry k belongs to command CMD_FIRST_APPLET + k. Entries 15 and 16 are
// never used: their identifiers, 1015 and 1016, are the Tools submenu's
// Start Menu commands, and a menu command is known by its identifier alone.
extern AppletEntry AppletList[MAX_APPLETS];
// The index the next entry gets; 0 when the submenu is not built.
extern int AppletCount;

extern const DynamicSubmenu AppletSubmenu;

// The name shown for a file that cannot be asked: "System" for SYSDM.CPL,
// "Modem" for MODEM.CPL, "Network" for NETCPL.CPL, else the file's name.
const char* FriendlyCplName(const char* file);

// Fills the submenu once per opening of the popup menu; `window` is the
// applets' parent window while they are asked.
void BuildAppletMenu(HWND window);

// Frees the table's texts and icons and marks the submenu as not built.
void ClearAppletList();

// Entry k: rundll32 runs the applet from its file. An index the table has
// no entry for does nothing.
void RunApplet(HWND window, int k);

#endif
