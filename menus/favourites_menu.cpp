#include "menus/favourites_menu.h"

#include "actions/shell_commands.h"
#include "base/text.h"
#include "menus/menu_columns.h"
#include "menus/menu_item_text.h"
#include "menus/menu_texts.h"
#include "settings/favourites_store.h"
#include "ui/file_icons.h"

static void BuildFavouritesMenu(DynamicSubmenu& submenu, HWND, int itemsPerColumn)
{
    AppendMenuA(submenu.menu, MF_OWNERDRAW, CMD_EDIT_FAVOURITES, TextEditFavourites);
    AppendMenuA(submenu.menu, MF_SEPARATOR, 0, nullptr);
    for (int i = 0; i <= FavouriteList.LastFavourite; ++i) {
        if (FavouriteList.programs[i][0] == '\0')
            continue;
        AppendEntryItem(submenu.menu, CMD_FIRST_FAVOURITE + i, StartsColumnAtMultiple(i, itemsPerColumn));
    }
    submenu.count = FavouriteList.LastFavourite + 1;
}

static bool IsFavourite(int k)
{
    return IsEntry(k, FavouriteList.LastFavourite + 1);
}

static void StartFavourite(const DynamicSubmenu&, HWND window, int k)
{
    if (IsFavourite(k))
        OpenWithShell(window, FavouriteList.programs[k], FavouriteList.parameters[k]);
}

// Measured by the whole program text, drawn as its file name, a space and
// the parameters.
static bool FavouriteText(const DynamicSubmenu&, int k, bool drawn, char* out, size_t capacity)
{
    if (!IsFavourite(k))
        return false;
    if (drawn)
        FavouriteDrawnText(FavouriteList.programs[k], FavouriteList.parameters[k], out, capacity);
    else
        CopyText(out, capacity, FavouriteList.programs[k]);
    return true;
}

// A program that is not there shows the system's application icon.
static ItemIcon FavouriteIcon(DynamicSubmenu&, int k)
{
    char program[MAX_PATH];
    ProgramPathOf(FavouriteList.programs[k], program, MAX_PATH);
    ItemIcon icon;
    icon.icon = ListedProgramIcon(program, icon.owned);
    return icon;
}

static const char* FavouritesTitle()
{
    return TextFavourites;
}

//                                     base                 root position             on demand title            drawn  title icon build                text           icon           run
const SubmenuKind FavouritesSubmenu = { CMD_FIRST_FAVOURITE, ROOT_POSITION_FAVOURITES, false,    FavouritesTitle, false, nullptr,   BuildFavouritesMenu, FavouriteText, FavouriteIcon, StartFavourite };
