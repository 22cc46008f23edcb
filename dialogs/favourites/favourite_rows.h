// The rows of the favourites dialog's list: each entry is the program, a
// TAB and the parameters, drawn as the program's icon and that text with
// the TAB shown as a space.
#ifndef VORNEL_DIALOGS_FAVOURITES_FAVOURITE_ROWS_H
#define VORNEL_DIALOGS_FAVOURITES_FAVOURITE_ROWS_H

#include <windows.h>

const int FAVOURITE_ROW_HEIGHT = 20;

// An entry typed into the dialog's two fields (a path of up to 259
// characters, a TAB, up to 254 characters of parameters) fits with its
// terminator.
const size_t FAVOURITE_ENTRY_CAPACITY = (MAX_PATH - 1) + 1 + 254 + 1;

// One list entry read whole. Entries typed in the dialog fit the fixed
// buffer; those loaded from the registry may be longer and are read into
// the heap rather than cut, so that opening and closing the dialog keeps
// them as they were.
class FavouriteEntryText {
public:
    FavouriteEntryText(HWND list, int index);
    ~FavouriteEntryText();
    FavouriteEntryText(const FavouriteEntryText&) = delete;
    FavouriteEntryText& operator=(const FavouriteEntryText&) = delete;

    char* text() { return text_; }
    // Splits the text in place: the program is what comes before the first
    // TAB, the parameters what follows it up to the next TAB (a pasted one)
    // or the end; the empty text when the entry has no TAB.
    void Split(const char*& program, const char*& parameters);

private:
    char fixed_[FAVOURITE_ENTRY_CAPACITY];
    char* heap_;
    char* text_;
};

// Paints one row of the list box that sent WM_DRAWITEM: the selection or
// window colour across the whole row, the program's associated icon (the
// system application icon when the file is missing), the text 18 pixels
// from the left. No focus rectangle.
void DrawFavouriteListItem(const DRAWITEMSTRUCT* draw);

#endif
