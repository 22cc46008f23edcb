#include "menus/dynamic_menu.h"

DrawResourceCounts DrawResources;

ItemIcon OwnedItemIcon(HICON icon)
{
    if (icon)
        ++DrawResources.iconsTaken;
    return ItemIcon{ icon, icon != nullptr };
}

void ReleaseItemIcon(HICON icon)
{
    if (icon && DestroyIcon(icon))
        ++DrawResources.iconsReleased;
}

void EmptyMenu(HMENU menu)
{
    while (GetMenuItemCount(menu) > 0) {
        if (!DeleteMenu(menu, 0, MF_BYPOSITION))
            break;
    }
}

void AppendEntryItem(HMENU menu, UINT id, bool startsColumn)
{
    AppendMenuA(menu, MF_OWNERDRAW | (startsColumn ? MF_MENUBARBREAK : 0), id, nullptr);
}
