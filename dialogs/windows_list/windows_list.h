// The Windows list: every window on the desktop as a tree under "Desktop",
// each child under its parent, with its icon, class, text and handle.
#ifndef VORNEL_DIALOGS_WINDOWS_LIST_WINDOWS_LIST_H
#define VORNEL_DIALOGS_WINDOWS_LIST_WINDOWS_LIST_H

#include <windows.h>
#include <commctrl.h>

struct ListToolState;

// Runs the list (template 90) owned by owner; nothing while it is open.
void ShowWindowsList(HWND owner);

// Its WM_INITDIALOG takes a ListToolState.
INT_PTR CALLBACK WindowsListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Empties the tree and its icons and lists every window again, collapsed.
void FillWindowTree(ListToolState& state);

// Adds the children of window under parentItem, each followed by its own
// children.
void AddChildWindows(ListToolState& state, HWND window, HTREEITEM parentItem);

#endif
