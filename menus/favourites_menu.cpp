#include "menus/favourites_menu.h"

#include <io.h>

#include "actions/shell_commands.h"
#include "base/commands.h"
#include "base/text.h"
#include "menus/menu_columns.h"
#include "menus/menu_item_text.h"
#include "menus/menu_tree.h"
#include "settings/favourites_store.h"
#include "ui/file_icons.h"

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

static int CountFavourites()
{
    return FavouriteList.LastFavourite + 1;
}

void StartFavourite(HWND window, int k)
{
    if (IsEntry(k, CountFavourites()))
        OpenWithShell(window, FavouriteList.programs[k], FavouriteList.parameters[k]);
}

// Measured by the whole program text, drawn as its file name, a space and
// the parameters.
static bool FavouriteText(int k, bool drawn, char* out, size_t capacity)
{
    if (!IsEntry(k, CountFavourites()))
        return false;
    if (drawn)
        FavouriteDrawnText(FavouriteList.programs[k], FavouriteList.parameters[k], out, capacity);
    else
        CopyText(out, capacity, FavouriteList.programs[k]);
    return true;
}

// A program that is not there shows the system's application icon.
static ItemIcon FavouriteIcon(int k)
{
    char program[MAX_PATH];
    ProgramPathOf(FavouriteList.programs[k], program, MAX_PATH);
    if (_access(program, 0) == 0)
        return OwnedItemIcon(AssociatedIcon(program));
    return ItemIcon{ LoadIconA(nullptr, IDI_APPLICATION), false };
}

//                                        base                 root position  count            text           icon           run
const DynamicSubmenu FavouritesSubmenu = { CMD_FIRST_FAVOURITE, 0,             CountFavourites, FavouriteText, FavouriteIcon, StartFavourite };
