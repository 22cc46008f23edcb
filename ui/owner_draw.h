// The owner-drawn menu items: a 16 x 16 icon left of the text. An item
// carries no record of its own; each measure and draw resolves its id
// afresh from the fixed table or from the dynamic submenus' tables, so it
// always shows the present state of the lists and of the placement mode.
#ifndef VORNEL_UI_OWNER_DRAW_H
#define VORNEL_UI_OWNER_DRAW_H

#include <windows.h>

const int MENU_ITEM_TEXT_CAPACITY = 310;   // 309 characters; longer texts are cut

struct OwnerDrawItem {
    char text[MENU_ITEM_TEXT_CAPACITY];    // empty when the id is not one of the program's items
    HICON icon;                             // null for none
    bool iconOwned;                         // created for this drawing: destroy afterwards
    HMODULE module;                         // loaded only to take the icon from it
    bool bold;                              // the configured screen saver: caption font
};

// Icons extracted and libraries loaded for drawing, and how many of them
// were given back: equal after every drawing. The menus are drawn hundreds
// of times a day, so a single forgotten icon would add up; the counts make
// that visible where the system cannot tell its object counts.
struct DrawResourceCounts {
    long iconsTaken, iconsReleased;
    long librariesLoaded, librariesFreed;
};
extern DrawResourceCounts DrawResources;

// The text of an item as measured or as drawn, without any other effect.
// itemId is the command id, or the submenu's handle for a submenu title.
void MenuItemText(ULONG_PTR itemId, bool drawn, char* out, size_t capacity);

// Resolves an item: for measuring only its measured text; for drawing the
// drawn text and the icon, and LastPopulatedPosition notes the dynamic
// submenu being painted. Release what it holds with ReleaseMenuItem.
void ResolveMenuItem(ULONG_PTR itemId, bool forDrawing, OwnerDrawItem& item);
void ReleaseMenuItem(OwnerDrawItem& item);

void MeasureMenuItem(MEASUREITEMSTRUCT* measure);
void DrawMenuItem(const DRAWITEMSTRUCT* draw);

#endif
