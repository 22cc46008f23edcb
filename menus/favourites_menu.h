// The Favourites submenu: "&Edit", a separator, then one item per favourite
// in force, started by the shell when chosen. It is built at start-up and
// after each edit; opening the popup menu leaves it alone.
#ifndef VORNEL_MENUS_FAVOURITES_MENU_H
#define VORNEL_MENUS_FAVOURITES_MENU_H

#include "menus/dynamic_menu.h"

// Entry k is favourite k of the favourites in force; the table holds nothing.
extern const SubmenuKind FavouritesSubmenu;

#endif
