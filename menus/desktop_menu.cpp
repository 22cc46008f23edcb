#include "menus/desktop_menu.h"

#include "app/commands.h"
#include "app/handles.h"
#include "app/menu_tree.h"
#include "app/startup.h"
#include "app/text.h"
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

    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(pattern, &found));
    if (!search.valid())
        return;
    do {
        if (found.cFileName[0] == '.')
            continue;
        int k = LastDesktopItem + 1;
        if (k >= MAX_DESKTOP_ITEMS)
            break;
        char* name = DuplicateText(found.cFileName);
        if (!name)
            break;
        AppendEntryItem(DesktopMenu, CMD_FIRST_DESKTOP_ITEM + k, StartsColumnAfterFirst(k, ItemsPerColumn));
        DesktopItemList[k] = name;
        LastDesktopItem = k;
    } while (FindNextFileA(search.get(), &found));
}

void ClearDesktopItemList()
{
    for (int k = 0; k <= LastDesktopItem; ++k)
        FreeText(DesktopItemList[k]);
    LastDesktopItem = -1;
}
