// The Favourites editor ("Favourite", template 20): the user builds the list
// of favourite programs in a sorted list box, starting from the favourites
// in force; "&Close" and the close box commit it, Esc leaves them as they
// were. Its opener stores the list and rebuilds the submenu afterwards.
#ifndef VORNEL_DIALOGS_FAVOURITES_FAVOURITES_DIALOG_H
#define VORNEL_DIALOGS_FAVOURITES_FAVOURITES_DIALOG_H

#include <windows.h>

#include "settings/favourites_store.h"

enum FavouritesEditOutcome {
    FAVOURITES_EDITOR_BUSY,     // the editor was open already; it came to the front
    FAVOURITES_KEPT,            // Esc: nothing to commit
    FAVOURITES_COMMITTED,       // the edited list is in `edited`, in the list's sorted order
};

// The dialog's state: the list it starts from, what it commits, and
// whether it did.
struct FavouritesEdit {
    const FavouriteListRecord* current;
    FavouriteListRecord edited;
    bool committed;
};

// Runs the editor owned by owner on a copy of `current`. On
// FAVOURITES_COMMITTED, `edited` (empty on entry) holds the committed list,
// which the caller then owns.
FavouritesEditOutcome EditFavouriteList(HWND owner, const FavouriteListRecord& current,
                                        FavouriteListRecord& edited);

// Always ends the dialog with 0; its WM_INITDIALOG takes a FavouritesEdit.
INT_PTR CALLBACK FavouritesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
