#include "menus/desktop_menu.h"

#include "actions/shell_commands.h"
#include "base/commands.h"
#include "base/text.h"
#include "menus/menu_columns.h"
#include "menus/menu_item_text.h"
#include "menus/menu_tree.h"
#include "settings/shell_folders.h"
#include "ui/file_icons.h"

char* DesktopItemList[MAX_DESKTOP_ITEMS];
int DesktopItemCount;
char DesktopDirectory[MAX_PATH];

void BuildDesktopMenu()
{
    if (DesktopItemCount != 0)
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
        int k = DesktopItemCount;
        if (k >= MAX_DESKTOP_ITEMS)
            return false;
        char* name = DuplicateText(found.cFileName);
        if (!name)
            return false;
        AppendEntryItem(DesktopMenu, CMD_FIRST_DESKTOP_ITEM + k, StartsColumnAfterFirst(k, ItemsPerColumn));
        DesktopItemList[k] = name;
        DesktopItemCount = k + 1;
        return true;
    });
}

void ClearDesktopItemList()
{
    for (int k = 0; k < DesktopItemCount; ++k)
        FreeText(DesktopItemList[k]);
    DesktopItemCount = 0;
}

// The item's path, when it fits a path buffer: a longer one could only
// name some other file.
static bool DesktopItemPath(int k, char* path)
{
    return IsEntry(k, DesktopItemCount) && JoinText(path, MAX_PATH, DesktopDirectory, DesktopItemList[k]);
}

void OpenDesktopItem(HWND window, int k)
{
    char path[MAX_PATH];
    if (DesktopItemPath(k, path))
        OpenWithShell(window, path, nullptr);
}

static int CountDesktopItems()
{
    return DesktopItemCount;
}

// Measured with its extension, drawn without ("Word.lnk" shows as "Word").
static bool DesktopItemText(int k, bool drawn, char* out, size_t capacity)
{
    if (!IsEntry(k, DesktopItemCount))
        return false;
    if (drawn)
        FileNameWithoutExtension(DesktopItemList[k], out, capacity);
    else
        CopyText(out, capacity, DesktopItemList[k]);
    return true;
}

static ItemIcon DesktopItemIcon(int k)
{
    char path[MAX_PATH];
    return OwnedItemIcon(DesktopItemPath(k, path) ? AssociatedIcon(path) : nullptr);
}

//                                     base                    root position          count              text             icon             run
const DynamicSubmenu DesktopSubmenu = { CMD_FIRST_DESKTOP_ITEM, ROOT_POSITION_DESKTOP, CountDesktopItems, DesktopItemText, DesktopItemIcon, OpenDesktopItem };
