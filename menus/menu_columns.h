// Where the dynamic submenus start a new column. A menu taller than the
// screen would scroll, so every ItemsPerColumn items a column break is set.
#ifndef VORNEL_MENUS_MENU_COLUMNS_H
#define VORNEL_MENUS_MENU_COLUMNS_H

// Items per column for a screen of the given height in pixels: one item per
// 20 pixels, plus one.
int ItemsPerColumnForHeight(int screenHeight);

// The favourites, applets and windows submenus: entry k starts a new column
// when k is a non-zero multiple of perColumn (their fixed items sit above
// entry 0 and do not count).
bool StartsColumnAtMultiple(int k, int perColumn);

// The desktop and screen saver submenus: entry k starts a new column when
// k - 1 is a positive multiple of perColumn, so the first column holds one
// entry more than the others.
bool StartsColumnAfterFirst(int k, int perColumn);

#endif
