// The popup menu tree: the root menu, Tools, Options and the titles of the
// dynamic submenus, built once at start-up and destroyed at exit.
#ifndef VORNEL_MENUS_MENU_TREE_H
#define VORNEL_MENUS_MENU_TREE_H

#include <windows.h>

struct MenuTree {
    HMENU root;
    HMENU tools;
    HMENU options;
};

// Builds the tree: the dynamic submenus' handles, empty, Tools, Options
// with its check items from the settings in force, then the root menu.
MenuTree BuildMenuTree();

// Destroys the tree in its fixed order: Screen Saver, Favourites, Desktop,
// Control Panel, Task Manager, Options, then the root with what remains,
// and frees the dynamic submenus' tables.
void DestroyMenuTree(MenuTree& tree);

// The flags of a check item for an on/off setting. A setting holds 8, the
// check flag itself, when on; a value edited by hand to anything but 8 or 0
// shows unchecked and is never taken for other menu flags.
UINT CheckFlags(LONG setting);

// Writes a string item again with its text and the check mark of setting.
void SetCheckItem(HMENU menu, UINT command, const char* text, LONG setting);

#endif
