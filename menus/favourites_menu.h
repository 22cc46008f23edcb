// The Favourites submenu: "&Edit", a separator, then one item per favourite,
// started by the shell when chosen.
#ifndef VORNEL_MENUS_FAVOURITES_MENU_H
#define VORNEL_MENUS_FAVOURITES_MENU_H

#include <windows.h>

#include "menus/dynamic_menu.h"

// Empties the submenu, reloads the favourites from the registry and fills
// it again. Only start-up and the end of an edit call it; opening the popup
// menu leaves it alone.
void RebuildFavouritesMenu(HWND window);

// Entry k: the shell opens the program with its parameters.
void StartFavourite(HWND window, int k);

extern const DynamicSubmenu FavouritesSubmenu;

#endif
