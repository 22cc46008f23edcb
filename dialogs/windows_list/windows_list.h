// The Windows list: every window on the desktop as a tree under "Desktop",
// each child under its parent, with its icon, class, text and handle. A
// line can be copied, and its window brought to the front or closed.
#ifndef VORNEL_DIALOGS_WINDOWS_LIST_WINDOWS_LIST_H
#define VORNEL_DIALOGS_WINDOWS_LIST_WINDOWS_LIST_H

#include <windows.h>

struct ListToolState;

// Runs the list (template 90) owned by owner; nothing while it is open.
void ShowWindowsList(HWND owner);

// Its WM_INITDIALOG takes a ListToolState.
INT_PTR CALLBACK WindowsListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Empties the tree and its icons and lists every window again, collapsed. A
// window whose thread has kept this filling waiting, and every later window
// of that thread, is listed with an empty text and the generic icon.
void FillWindowTree(ListToolState& state);

#endif
