#include "menus/favourites_menu.h"

#include "base/commands.h"
#include "app/menu_tree.h"
#include "app/startup.h"
#include "menus/dynamic_menu.h"
#include "menus/menu_columns.h"
#include "settings/favourites_store.h"

void RebuildFavouritesMenu(HWND)
{
    EmptyMenu(FavouritesMenu);
    ClearFavourites();
    AppendMenuA(FavouritesMenu, MF_OWNERDRAW, CMD_EDIT_FAVOURITES, TextEditFavourites);
    AppendMenuA(FavouritesMenu, MF_SEPARATOR, 0, nullptr);
    LoadFavourites();
    for (int i = 0; i <= FavouriteList.LastFavourite; ++i) {
        if (FavouriteList.programs[i][0] == '\0')
            continue;
        AppendEntryItem(FavouritesMenu, CMD_FIRST_FAVOURITE + i, StartsColumnAtMultiple(i, ItemsPerColumn));
    }
}
