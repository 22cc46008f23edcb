// The About box: the product's name, version and maker, and two ways to
// reach the maker, its home page and its support mail address.
#ifndef VORNEL_ABOUT_ABOUT_BOX_H
#define VORNEL_ABOUT_ABOUT_BOX_H

#include <windows.h>

// Ends with 0 on Close, Cancel (Escape) and the close box; Homepage and
// Email hand the address to the shell and leave the box open.
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
