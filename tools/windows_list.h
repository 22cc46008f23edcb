// The Windows list: every window on the desktop as a tree under "Desktop",
// each child under its parent, with its icon, class, text and handle.
#ifndef VORNEL_TOOLS_WINDOWS_LIST_H
#define VORNEL_TOOLS_WINDOWS_LIST_H

#include <windows.h>
#include <commctrl.h>

// The tree view while the dialog is open, null otherwise: the dispatch
// opens the dialog only while it is null.
extern HWND WindowTreeHandle;

// The longest a window may take to give its text before it is listed
// without one.
const UINT WINDOW_TEXT_TIMEOUT_MS = 100;

INT_PTR CALLBACK WindowsListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Empties the tree and its icons and lists every window again, collapsed.
void FillWindowTree(HWND dialog);

// Adds the children of window under parentItem, each followed by its own
// children.
void AddChildWindows(HWND window, HWND tree, HTREEITEM parentItem);

#endif
