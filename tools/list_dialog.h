// What the two resizable list tools (the processes list and the windows
// tree) share: their 16 x 16 icon list and the way they follow the size of
// their dialog.
#ifndef VORNEL_TOOLS_LIST_DIALOG_H
#define VORNEL_TOOLS_LIST_DIALOG_H

#include <windows.h>

#include "base/system_libraries.h"

// An empty list of 16 x 16 icons without masks, on the window colour so the
// icons blend with the control; null when it cannot be made.
HIMAGELIST CreateIconList(const ImageListCalls* calls);

// The list control fills the client area of width x height pixels above the
// buttons; Close keeps to the lower right corner and Refresh, at Close's
// size, to the lower left.
void LayOutListDialog(HWND dialog, int listId, int width, int height);

// One of the two tools, as their common dialog procedure sees it.
struct ListTool {
    int listId;
    UINT setImageList;          // LVM_SETIMAGELIST or TVM_SETIMAGELIST
    WPARAM imageListKind;       // LVSIL_SMALL or TVSIL_NORMAL
    HWND* handle;               // non-null while the dialog is open
    HIMAGELIST* images;         // the tool's icon list while it is open
    BOOL (*initialise)(HWND dialog);
    void (*refresh)(HWND dialog);
};

// The dialog procedure of both: initialise, follow the size, Refresh, and
// Close, Escape or the close box end it, the icon list destroyed once.
INT_PTR ListToolMessage(const ListTool& tool, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
