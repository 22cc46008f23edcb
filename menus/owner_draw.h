// The owner-drawn menu items: a 16 x 16 icon left of the text. An item
// carries no record of its own; each measure and draw resolves its id
// afresh from the fixed table or from the dynamic submenus' tables, so it
// always shows the present state of the lists and of the placement mode.
#ifndef VORNEL_MENUS_OWNER_DRAW_H
#define VORNEL_MENUS_OWNER_DRAW_H

#include <windows.h>

#include "menus/dynamic_menu.h"

const int MENU_ITEM_TEXT_CAPACITY = 310;   // 309 characters; longer texts are cut

struct OwnerDrawItem {
    char text[MENU_ITEM_TEXT_CAPACITY];    // empty when the id is not one of the program's items
    HICON icon;                             // null for none
    bool iconOwned;                         // created for this drawing: destroy afterwards
    bool bold;                              // the configured screen saver: caption font
    // An entry of a dynamic submenu: its text is a name found in the system
    // (a title, a file name), shown as it is, every "&" a character, and
    // without a mnemonic.
    bool found;
    DrawResourceCounts* counts;             // where an owned icon is counted
};

// The text of an item as measured or as drawn, without any other effect.
// itemId is the command id, or the submenu's handle for a submenu title.
void MenuItemText(ULONG_PTR itemId, bool drawn, char* out, size_t capacity);

// True for an entry of a dynamic submenu (see OwnerDrawItem::found).
bool IsFoundEntry(ULONG_PTR itemId);

// Resolves an item once: for measuring only its measured text; for drawing
// the drawn text and the icon, and the popup menu notes the dynamic submenu
// being painted. Release what it holds with ReleaseMenuItem.
void ResolveMenuItem(ULONG_PTR itemId, bool forDrawing, OwnerDrawItem& item);
void ReleaseMenuItem(OwnerDrawItem& item);

// The system's menu metrics and fonts, made at the first call and kept for
// the whole run: menuFont for every item, captionFont (normally bold) for
// the configured screen saver, iMenuHeight the least item height.
struct MenuLook {
    NONCLIENTMETRICSA metrics;
    HFONT menuFont;
    HFONT captionFont;
};
const MenuLook& MenuFonts();

// Icons made and libraries loaded for drawing and building the menus, and
// how many were given back.
DrawResourceCounts DrawResources();

void MeasureMenuItem(MEASUREITEMSTRUCT* measure);
void DrawMenuItem(const DRAWITEMSTRUCT* draw);

#endif
