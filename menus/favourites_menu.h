// The Favourites submenu: "&Edit", a separator, then one item per favourite.
#ifndef VORNEL_MENUS_FAVOURITES_MENU_H
#define VORNEL_MENUS_FAVOURITES_MENU_H

#include <windows.h>

// Empties the submenu, reloads the favourites from the registry and fills
// it again. Only start-up and the end of an edit call it; opening the popup
// menu leaves it alone.
void RebuildFavouritesMenu(HWND window);

#endif
