// What the two resizable list tools (the processes list and the windows
// tree) share: their state, their 16 x 16 icon list, the way they follow the
// size of their dialog, and their dialog procedure.
#ifndef VORNEL_DIALOGS_LIST_TOOL_H
#define VORNEL_DIALOGS_LIST_TOOL_H

#include <windows.h>

#include "base/system_libraries.h"
#include "dialogs/single_dialog.h"

// An open list tool: its list control and that control's icons. Lives in
// the opener's frame for as long as the dialog runs.
struct ListToolState {
    HWND control;                       // the list view or tree view
    const ImageListCalls* imageLists;
    HIMAGELIST images;                  // null when none could be made
    // While a filling waits for other programs, what they send the dialog is
    // handled: a Refresh that comes then is kept for after the filling, a
    // Close ends the filling and then the dialog. A filling never runs inside
    // another.
    bool filling;
    bool refreshDue;
    bool closeDue;
};

// An empty list of 16 x 16 icons without masks, on the window colour so the
// icons blend with the control; null when it cannot be made.
HIMAGELIST CreateIconList(const ImageListCalls* calls);

// The list control fills the client area of width x height pixels above the
// buttons; Close keeps to the lower right corner and Refresh, at Close's
// size, to the lower left.
void LayOutListDialog(HWND dialog, int listId, int width, int height);

// One of the two tools, as their common dialog procedure sees it.
struct ListTool {
    SingleDialog dialog;
    int listId;
    UINT setImageList;          // LVM_SETIMAGELIST or TVM_SETIMAGELIST
    WPARAM imageListKind;       // LVSIL_SMALL or TVSIL_NORMAL
    // Readies the control once the state is set (columns, image list).
    void (*initialise)(ListToolState& state);
    // Empties the control and lists everything again; stops early once
    // state.closeDue is set.
    void (*refresh)(ListToolState& state);
};

// The dialog procedure of both: initialise and fill, follow the size,
// Refresh, and Close, Escape or the close box end it, the icon list
// destroyed once.
INT_PTR ListToolMessage(const ListTool& tool, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the tool owned by owner; nothing while it is open already, or
// without the common controls, whose list controls its template names.
void RunListTool(const ListTool& tool, HWND owner);

#endif
