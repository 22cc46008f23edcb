#include "menus/desktop_menu.h"

#include "actions/shell_commands.h"
#include "base/text.h"
#include "menus/menu_columns.h"
#include "menus/menu_item_text.h"
#include "settings/shell_folder_names.h"
#include "settings/shell_folders.h"
#include "ui/file_icons.h"
#include "ui/program_icons.h"

static void BuildDesktopMenu(DynamicSubmenu& submenu, HWND, int itemsPerColumn)
{
    char folder[MAX_PATH];
    if (!ReadShellFolderPath("Desktop", folder))
        return;
    char directory[MAX_PATH], pattern[MAX_PATH];
    if (!JoinText(directory, MAX_PATH, folder, "\\") || !JoinText(pattern, MAX_PATH, folder, "\\*.*"))
        return;

    ListDirectory(pattern, [&](const WIN32_FIND_DATAA& found) {
        if (found.cFileName[0] == '.')
            return true;
        int k = submenu.count;
        // A path that does not fit could only name some other file: the
        // item is listed but opens nothing.
        char path[MAX_PATH];
        bool fits = JoinText(path, MAX_PATH, directory, found.cFileName);
        return AddEntry(submenu, found.cFileName, fits ? path : nullptr, StartsColumnAfterFirst(k, itemsPerColumn));
    });
}

static void OpenDesktopItem(const DynamicSubmenu& submenu, HWND window, int k)
{
    if (IsEntry(k, submenu.count) && submenu.entries[k].file)
        OpenWithShell(window, submenu.entries[k].file, nullptr);
}

// Measured with its extension, drawn without ("Word.lnk" shows as "Word").
static bool DesktopItemText(const DynamicSubmenu& submenu, int k, bool drawn, char* out, size_t capacity)
{
    if (!IsEntry(k, submenu.count))
        return false;
    if (drawn)
        FileNameWithoutExtension(submenu.entries[k].text, out, capacity);
    else
        CopyText(out, capacity, submenu.entries[k].text);
    return true;
}

static bool SameExtension(const char* path, const char* other)
{
    FileNameParts a = SplitFileName(path), b = SplitFileName(other);
    return lstrcmpiA(a.extension, b.extension) == 0;
}

// A document shows its type's icon, so one extraction serves every entry of
// its type in this opening: a desktop of a hundred documents costs a few
// extractions, not a hundred. The entry that took the icon owns it; the
// others show it while the table lives, which is as long as the owner.
// A type that gives no icon gives none to any of its entries.
static ItemIcon DesktopItemIcon(DynamicSubmenu& submenu, int k)
{
    MenuEntry& entry = submenu.entries[k];
    ItemIcon icon = { nullptr, false };
    if (!entry.file)
        return icon;
    entry.iconOfType = ShowsItsTypesIcon(entry.file, SplitFileName(entry.file).extension);
    if (entry.iconOfType) {
        for (int j = 0; j < submenu.count; ++j) {
            const MenuEntry& other = submenu.entries[j];
            if (j != k && other.iconOfType && other.iconTaken && SameExtension(other.file, entry.file))
                return ItemIcon{ other.icon, false };
        }
    }
    icon.icon = ListedFileIcon(entry.file, icon.owned);
    return icon;
}

static const char* DesktopTitle()
{
    return DesktopName;
}

static HICON DesktopTitleIcon()
{
    return Icons.desk;
}

//                                  base                    root position          on demand title         drawn title icon         build             text             icon             run
const SubmenuKind DesktopSubmenu = { CMD_FIRST_DESKTOP_ITEM, ROOT_POSITION_DESKTOP, true,     DesktopTitle, true, DesktopTitleIcon, BuildDesktopMenu, DesktopItemText, DesktopItemIcon, OpenDesktopItem };
