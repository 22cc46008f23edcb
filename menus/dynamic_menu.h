// What the dynamic submenus share: the record by which the painter and the
// command dispatch find entry k of any of them, the count of icons taken
// for the menus, emptying a submenu and appending an owner-drawn entry.
#ifndef VORNEL_MENUS_DYNAMIC_MENU_H
#define VORNEL_MENUS_DYNAMIC_MENU_H

#include <windows.h>

#include "base/handles.h"

// An icon for one drawing of an item; `owned` when it was made for that
// drawing and must be destroyed after it.
struct ItemIcon {
    HICON icon;
    bool owned;
};

// One dynamic submenu: entry k is the item of command base + k, and the
// submenu's own file answers for it from the table its builder keeps.
struct DynamicSubmenu {
    UINT base;
    // The submenu's position in the root menu, noted in LastPopulatedPosition
    // when one of its entries is drawn; 0 for the Favourites, never noted.
    int rootPosition;
    // Entries 0 .. count() - 1; a few may be holes, which have no text.
    int (*count)();
    // Entry k's text as measured or as drawn; false when there is no entry k.
    bool (*text)(int k, bool drawn, char* out, size_t capacity);
    // Entry k's icon for one drawing.
    ItemIcon (*icon)(int k);
    // Choosing entry k; Ctrl and Shift, where they mean something, are read
    // when it runs (after the menu has closed).
    void (*run)(HWND window, int k);
};

// True when k is an entry of a table of count entries.
inline bool IsEntry(int k, int count)
{
    return k >= 0 && k < count;
}

// Icons extracted or made and libraries loaded for the menus, and how many
// of them were given back: equal after every drawing and every clearing.
// The menus are drawn hundreds of times a day, so a single forgotten icon
// would add up; the counts make that visible where the system cannot tell
// its object counts.
struct DrawResourceCounts {
    long iconsTaken, iconsReleased;
    long librariesLoaded, librariesFreed;
};
extern DrawResourceCounts DrawResources;

// An icon made for one drawing, counted.
ItemIcon OwnedItemIcon(HICON icon);
// Destroys an icon the menus made, counted; null is allowed.
void ReleaseItemIcon(HICON icon);

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
