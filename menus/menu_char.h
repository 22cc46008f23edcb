// WM_MENUCHAR: a key pressed in an open menu that matched no string item's
// mnemonic. The answer chooses the owner-drawn item whose drawn text
// underlines that letter, or selects the next of several that share it.
#ifndef VORNEL_MENUS_MENU_CHAR_H
#define VORNEL_MENUS_MENU_CHAR_H

#include <windows.h>

LRESULT OnMenuChar(char key, HMENU menu);

#endif
