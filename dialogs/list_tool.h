// What the two resizable list tools (the processes list and the windows
// tree) share: their state, their 16 x 16 icon list, the way they follow the
// size of their dialog, their keys and context menus, and their dialog
// procedure.
#ifndef VORNEL_DIALOGS_LIST_TOOL_H
#define VORNEL_DIALOGS_LIST_TOOL_H

#include <windows.h>

#include "base/system_libraries.h"
#include "dialogs/single_dialog.h"

// An open list tool: its list control and that control's icons. Lives in
// the opener's frame for as long as the dialog runs; a tool with more to
// keep makes its own record from this one.
struct ListToolState {
    HWND control = nullptr;             // the list view or tree view
    const ImageListCalls* imageLists = nullptr;
    HIMAGELIST images = nullptr;        // null when none could be made
    // The dialog does one thing at a time. While it fills its list, shows
    // its context menu or asks a question, what other programs send it is
    // handled: a Refresh that comes then is kept for after it, a Close ends
    // it and then the dialog; keys and menus that come then are dropped. A
    // filling never runs inside another.
    bool busy = false;
    bool refreshDue = false;
    bool closeDue = false;
    // A menu key the control reported: its menu shows once, unless the
    // system has already turned the same key into a context menu.
    bool keyMenuDue = false;
};

// An empty list of 16 x 16 icons without masks, on the window colour so the
// icons blend with the control; null when it cannot be made.
HIMAGELIST CreateIconList(const ImageListCalls* calls);

// The list control fills the client area of width x height pixels above the
// buttons; Close keeps to the lower right corner and Refresh, at Close's
// size, to the lower left.
void LayOutListDialog(HWND dialog, int listId, int width, int height);

// One entry of a context menu.
struct ContextMenuItem {
    UINT command;   // never 0, which stands for no choice
    const char* text;
};

// Tracks a context menu of count items at a screen point, owned by the
// dialog, the items whose bit (1 << index) is set in greyed greyed. Returns
// the chosen command, or 0.
UINT TrackContextMenu(HWND dialog, const ContextMenuItem* items, int count, unsigned greyed, POINT at);

// Where a menu opened from the keyboard shows: below the left end of an
// item's rectangle (client coordinates of the control), or at the control's
// upper left corner without an item. Screen coordinates.
POINT KeyboardMenuPoint(HWND control, const RECT* item);

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
    // A key the control reported, other than F5 and the menu keys.
    void (*key)(HWND dialog, ListToolState& state, UINT key);
    // Shows the context menu for the item at a screen point, or for the
    // selected item when at is null, and does what is chosen; "Refresh",
    // and an action that changes what the list shows, set state.refreshDue.
    void (*contextMenu)(HWND dialog, ListToolState& state, const POINT* at);
    // A click on a column's header; null for a control without them.
    void (*columnClick)(ListToolState& state, int column);
};

// The dialog procedure of both: initialise and fill, follow the size,
// Refresh (also F5 and the menu's "Refresh"), the keys and the context menu
// (the right button, Shift+F10 and the Apps key), and Close, Escape or the
// close box end it, the icon list destroyed once.
INT_PTR ListToolMessage(const ListTool& tool, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the tool owned by owner with its state; nothing while it is open
// already, or without the common controls, whose list controls its
// template names.
void RunListTool(const ListTool& tool, HWND owner, ListToolState& state);

#endif
