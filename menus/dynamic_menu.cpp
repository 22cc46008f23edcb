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
        ReleaseItemIcon(submenu.resources, entry.icon);
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
