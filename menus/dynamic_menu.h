// What the builders of the dynamic submenus share: emptying a submenu and
// appending an owner-drawn entry, optionally at the top of a new column.
#ifndef VORNEL_MENUS_DYNAMIC_MENU_H
#define VORNEL_MENUS_DYNAMIC_MENU_H

#include <windows.h>

#include "base/handles.h"

// Deletes the items one by one from the top until none is left.
void EmptyMenu(HMENU menu);

// Appends an owner-drawn item; the painter finds its entry from the id, so
// the item carries no data of its own.
void AppendEntryItem(HMENU menu, UINT id, bool startsColumn);

// Hands each entry of a directory listing to visit, in the order the file
// system returns them, until visit returns false or the listing ends.
template <typename Visit>
void ListDirectory(const char* pattern, Visit visit)
{
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(pattern, &found));
    if (!search.valid())
        return;
    do {
        if (!visit(found))
            return;
    } while (FindNextFileA(search.get(), &found));
}

#endif
