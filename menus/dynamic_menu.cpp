#include "menus/dynamic_menu.h"

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
