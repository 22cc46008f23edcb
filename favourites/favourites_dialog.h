// The Favourites editor ("Favourite", template 20): the user builds the list
// of favourite programs in a sorted list box and hands it to FavouriteList
// when closing with "&Close" or the close box; Esc leaves the list as it was.
// Its opener stores the list and rebuilds the submenu afterwards.
#ifndef VORNEL_FAVOURITES_FAVOURITES_DIALOG_H
#define VORNEL_FAVOURITES_FAVOURITES_DIALOG_H

#include <windows.h>

// Always ends the dialog with 0.
INT_PTR CALLBACK FavouritesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
