#include "menus/desktop_menu.h"

#include "base/commands.h"
#include "app/menu_tree.h"
#include "app/startup.h"
#include "base/text.h"
#include "menus/dynamic_menu.h"
#include "menus/menu_columns.h"
#include "settings/shell_folders.h"

char* DesktopItemList[MAX_DESKTOP_ITEMS];
int LastDesktopItem = -1;
char DesktopDirectory[MAX_PATH];

void BuildDesktopMenu()
{
    if (LastDesktopItem != -1)
        return;
    char folder[MAX_PATH];
    if (!ReadShellFolderPath("Desktop", folder))
        return;
    char pattern[MAX_PATH];
    if (!JoinText(DesktopDirectory, MAX_PATH, folder, "\\") || !JoinText(pattern, MAX_PATH, folder, "\\*.*"))
        return;

    ListDirectory(pattern, [](const WIN32_FIND_DATAA& found) {
        if (found.cFileName[0] == '.')
            return true;
        int k = LastDesktopItem + 1;
        if (k >= MAX_DESKTOP_ITEMS)
            return false;
        char* name = DuplicateText(found.cFileName);
        if (!name)
            return false;
        AppendEntryItem(DesktopMenu, CMD_FIRST_DESKTOP_ITEM + k, StartsColumnAfterFirst(k, ItemsPerColumn));
        DesktopItemList[k] = name;
        LastDesktopItem = k;
        return true;
    });
}

void ClearDesktopItemList()
{
    for (int k = 0; k <= LastDesktopItem; ++k)
        FreeText(DesktopItemList[k]);
    LastDesktopItem = -1;
}
