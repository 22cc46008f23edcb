// Keyboard mnemonics of owner-drawn menu items. The system only looks for
// "&" in the texts of string items; for owner-drawn ones the menu asks its
// owner (WM_MENUCHAR), which answers from the texts the items draw.
#ifndef VORNEL_MENUS_MNEMONICS_H
#define VORNEL_MENUS_MNEMONICS_H

// The upper-cased character after the first single "&" of text ("&&" is a
// literal ampersand), or 0 when the text has none.
char MnemonicOf(const char* text);

// Upper-casing of plain ASCII letters; other bytes are returned unchanged.
char AsciiUpper(char c);

struct MnemonicMatch {
    int item;       // the item to choose or select, -1 when none matches
    bool unique;    // true when no other item shares the character
};

// Looks for the items whose mnemonic is key among count texts (a null text
// is an item without a mnemonic). When several share the key, the match is
// the first one after `current` (the highlighted item, -1 for none), wrapping
// around, so repeated presses walk through them.
MnemonicMatch FindMnemonicItem(const char* const* texts, int count, char key, int current);

#endif
