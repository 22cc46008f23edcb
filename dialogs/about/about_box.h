// The About box: the product's name, version and maker, and two ways to
// reach the maker, its home page and its support mail address.
#ifndef VORNEL_DIALOGS_ABOUT_ABOUT_BOX_H
#define VORNEL_DIALOGS_ABOUT_ABOUT_BOX_H

#include <windows.h>

// Shows the box (template 21) owned by owner until Close, Escape or the
// close box; Homepage and Email hand the address to the shell and leave the
// box open. A second request brings the open box to the front.
void ShowAboutBox(HWND owner);

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
