#include "menus/menu_char.h"

#include <stdlib.h>

#include "menus/mnemonics.h"
#include "menus/owner_draw.h"

struct ItemTexts {
    int count;
    char (*texts)[MENU_ITEM_TEXT_CAPACITY];
    const char** pointers;   // null for items that cannot be chosen
};

// The text each item of the menu shows; separators and greyed items have none.
static bool ReadItemTexts(HMENU menu, ItemTexts& items, int& current)
{
    items.count = GetMenuItemCount(menu);
    if (items.count <= 0)
        return false;
    items.texts = static_cast<char (*)[MENU_ITEM_TEXT_CAPACITY]>(calloc(items.count, MENU_ITEM_TEXT_CAPACITY));
    items.pointers = static_cast<const char**>(calloc(items.count, sizeof(const char*)));
    if (!items.texts || !items.pointers)
        return false;
    for (int i = 0; i < items.count; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STATE;
        if (!GetMenuItemInfoA(menu, i, TRUE, &info))
            continue;
        if (info.fState & MFS_HILITE)
            current = i;
        if ((info.fType & MFT_SEPARATOR) || (info.fState & MFS_GRAYED))
            continue;
        if (info.fType & MFT_OWNERDRAW) {
            ULONG_PTR id = info.hSubMenu ? reinterpret_cast<ULONG_PTR>(info.hSubMenu) : info.wID;
            // A name found in the system has no mnemonic: its "&" is a
            // character, and the letter after it would choose the item.
            if (IsFoundEntry(id))
                continue;
            MenuItemText(id, true, items.texts[i], MENU_ITEM_TEXT_CAPACITY);
        } else {
            GetMenuStringA(menu, i, items.texts[i], MENU_ITEM_TEXT_CAPACITY, MF_BYPOSITION);
        }
        items.pointers[i] = items.texts[i];
    }
    return true;
}

LRESULT OnMenuChar(char key, HMENU menu)
{
    ItemTexts items = { 0, nullptr, nullptr };
    int current = -1;
    MnemonicMatch match = { -1, false };
    if (ReadItemTexts(menu, items, current))
        match = FindMnemonicItem(items.pointers, items.count, key, current);
    free(items.texts);
    free(items.pointers);
    if (match.item < 0)
        return MAKELRESULT(0, MNC_IGNORE);
    return MAKELRESULT(match.item, match.unique ? MNC_EXECUTE : MNC_SELECT);
}
