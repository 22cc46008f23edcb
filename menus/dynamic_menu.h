// What the dynamic submenus share: the record that carries one submenu
// through its whole life (its handle, its entries for this opening of the
// popup menu, how it is built, emptied, titled and drawn), and the helpers
// their builders use.
#ifndef VORNEL_MENUS_DYNAMIC_MENU_H
#define VORNEL_MENUS_DYNAMIC_MENU_H

#include <windows.h>

#include "base/commands.h"
#include "base/handles.h"

// Positions in the root menu by which the submenus are recognised when
// they are highlighted.
enum RootMenuPosition {
    ROOT_POSITION_NONE = 0,
    ROOT_POSITION_SCREEN_SAVER = 5,
    ROOT_POSITION_DESKTOP = 6,
    ROOT_POSITION_FAVOURITES = 7,
    ROOT_POSITION_CONTROL_PANEL = 8,
    ROOT_POSITION_TASK_MANAGER = 9,
    ROOT_POSITION_TOOLS = 10,
};

// An icon for one drawing of an item; `owned` when it was made for that
// drawing and must be destroyed after it.
struct ItemIcon {
    HICON icon;
    bool owned;
};

// One entry of a dynamic submenu as its builder found it; entry k is the
// item of command base + k. The table owns the texts and the icons it took.
struct MenuEntry {
    char* text;     // the name, path or title found; null for an entry left unused
    char* file;     // applets: the file; desktop items: the full path (null when too long)
    // Taken while building (applets) or at the entry's first drawing in an
    // opening of the popup menu, and kept until the next opening: a shell
    // icon costs a millisecond or more, and the highlight repaints an item
    // each time it moves.
    HICON icon;
    bool iconTaken;     // icon holds what was found, which may be none
    bool iconOwned;     // the table destroys icon when it is emptied
    // The icon is the one of the entry's file type, which other entries of
    // that type may show too (see ShowsItsTypesIcon).
    bool iconOfType;
    HWND window;    // task windows: the window the entry stands for
    int number;     // applets: the applet's number within its file
};

// Icons made and libraries loaded for the menus, and how many of them were
// given back: equal after every drawing and every emptying. The menus are
// drawn hundreds of times a day, so a single forgotten icon would add up;
// the counts make that visible where the system cannot tell its object
// counts.
struct DrawResourceCounts {
    long iconsTaken, iconsReleased;
    long librariesLoaded, librariesFreed;
};

struct DynamicSubmenu;

// What a submenu is: fixed for the program's life, one per submenu file.
struct SubmenuKind {
    UINT base;                  // entry k is command base + k
    int rootPosition;           // where its title stands in the root menu
    // Emptied before every opening of the popup menu and built on its first
    // highlight; otherwise (the favourites) built at start-up and after
    // each edit.
    bool builtOnDemand;
    // The title in the root menu, and whether the program draws it (with
    // titleIcon) rather than the system.
    const char* (*title)();
    bool ownerDrawnTitle;
    HICON (*titleIcon)();
    // Fills the empty submenu and its entries; window is the button, which
    // applets get as their parent and the windows list leaves out.
    void (*build)(DynamicSubmenu& submenu, HWND window, int itemsPerColumn);
    // Entry k's text as measured or as drawn; false when there is no entry k.
    bool (*text)(const DynamicSubmenu& submenu, int k, bool drawn, char* out, size_t capacity);
    // Entry k's icon, asked for at its first drawing in an opening
    // (EntryIcon keeps it).
    ItemIcon (*icon)(DynamicSubmenu& submenu, int k);
    // Choosing entry k; Ctrl and Shift, where they mean something, are read
    // when it runs (after the menu has closed).
    void (*run)(const DynamicSubmenu& submenu, HWND window, int k);
};

// A submenu and what it holds in this opening of the popup menu.
struct DynamicSubmenu {
    const SubmenuKind* kind;
    HMENU menu;
    MenuEntry entries[DYNAMIC_RANGE_SIZE];
    int count;          // entries 0 .. count - 1; 0 when not built
    int marked;         // the entry drawn in the caption font, -1 for none
    DrawResourceCounts resources;
};

// True when k is an entry of a table of count entries.
inline bool IsEntry(int k, int count)
{
    return k >= 0 && k < count;
}

// Deletes the items one by one from the top until none is left.
void EmptyMenu(HMENU menu);

// Empties the submenu and frees its entries. A submenu counts as built in
// an opening once it holds an item: the Control Panel's fixed items make
// even a build that found no applet count, the others are built again on
// their next highlight while they are empty.
void EmptySubmenu(DynamicSubmenu& submenu);

// Appends an owner-drawn item; the painter finds its entry from the id, so
// the item carries no data of its own.
void AppendEntryItem(HMENU menu, UINT id, bool startsColumn);

// Takes entry k (the next one) with copies of text and file and the item of
// command base + k; false when the table is full or memory ran out, and
// nothing is added then.
bool AddEntry(DynamicSubmenu& submenu, const char* text, const char* file, bool startsColumn);

// An icon made for the asker, who destroys it.
inline ItemIcon DrawingIcon(HICON icon)
{
    return ItemIcon{ icon, icon != nullptr };
}

// Counts an icon the menus made and keep (null is allowed), and destroys
// one of them, counted.
void CountItemIcon(DrawResourceCounts& counts, HICON icon);
void ReleaseItemIcon(DrawResourceCounts& counts, HICON icon);

// Entry k's icon: taken from the kind at its first drawing, then kept.
HICON EntryIcon(DynamicSubmenu& submenu, int k);
// Gives back the icons taken at drawing, keeping the entries: before each
// opening, for a submenu that lives across openings.
void ForgetEntryIcons(DynamicSubmenu& submenu);
// The entry takes an icon made while building; the table destroys it.
void KeepBuiltIcon(DynamicSubmenu& submenu, int k, HICON icon);

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
