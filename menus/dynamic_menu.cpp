#include "menus/dynamic_menu.h"

#include "base/text.h"

void CountItemIcon(DrawResourceCounts& counts, HICON icon)
{
    if (icon)
        ++counts.iconsTaken;
}

void ReleaseItemIcon(DrawResourceCounts& counts, HICON icon)
{
    if (icon && DestroyIcon(icon))
        ++counts.iconsReleased;
}

// The entry keeps what was found; an icon it owns is counted.
static void TakeEntryIcon(DynamicSubmenu& submenu, MenuEntry& entry, ItemIcon found)
{
    entry.icon = found.icon;
    entry.iconOwned = found.owned && found.icon;
    entry.iconTaken = true;
    if (entry.iconOwned)
        CountItemIcon(submenu.resources, entry.icon);
}

HICON EntryIcon(DynamicSubmenu& submenu, int k)
{
    MenuEntry& entry = submenu.entries[k];
    if (!entry.iconTaken)
        TakeEntryIcon(submenu, entry, submenu.kind->icon(submenu, k));
    return entry.icon;
}

void KeepBuiltIcon(DynamicSubmenu& submenu, int k, HICON icon)
{
    TakeEntryIcon(submenu, submenu.entries[k], DrawingIcon(icon));
}

static void ForgetEntryIcon(DrawResourceCounts& counts, MenuEntry& entry)
{
    if (entry.iconOwned)
        ReleaseItemIcon(counts, entry.icon);
    entry.icon = nullptr;
    entry.iconTaken = false;
    entry.iconOwned = false;
    entry.iconOfType = false;
}

void ForgetEntryIcons(DynamicSubmenu& submenu)
{
    for (int k = 0; k < submenu.count; ++k)
        ForgetEntryIcon(submenu.resources, submenu.entries[k]);
}

void EmptyMenu(HMENU menu)
{
    while (GetMenuItemCount(menu) > 0) {
        if (!DeleteMenu(menu, 0, MF_BYPOSITION))
            break;
    }
}

void EmptySubmenu(DynamicSubmenu& submenu)
{
    EmptyMenu(submenu.menu);
    for (int k = 0; k < submenu.count; ++k) {
        MenuEntry& entry = submenu.entries[k];
        FreeText(entry.text);
        FreeText(entry.file);
        ForgetEntryIcon(submenu.resources, entry);
        entry = MenuEntry();
    }
    submenu.count = 0;
    submenu.marked = -1;
}

void AppendEntryItem(HMENU menu, UINT id, bool startsColumn)
{
    AppendMenuA(menu, MF_OWNERDRAW | (startsColumn ? MF_MENUBARBREAK : 0), id, nullptr);
}

bool AddEntry(DynamicSubmenu& submenu, const char* text, const char* file, bool startsColumn)
{
    int k = submenu.count;
    if (k >= DYNAMIC_RANGE_SIZE)
        return false;
    char* textCopy = DuplicateText(text);
    char* fileCopy = file ? DuplicateText(file) : nullptr;
    if (!textCopy || (file && !fileCopy)) {
        FreeText(textCopy);
        FreeText(fileCopy);
        return false;
    }
    MenuEntry& entry = submenu.entries[k];
    entry = MenuEntry();
    entry.text = textCopy;
    entry.file = fileCopy;
    AppendEntryItem(submenu.menu, submenu.kind->base + k, startsColumn);
    submenu.count = k + 1;
    return true;
}
