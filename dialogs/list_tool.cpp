#include "dialogs/list_tool.h"

#include <windowsx.h>

#include "res/resource.h"

HIMAGELIST CreateIconList(const ImageListCalls* calls)
{
    HIMAGELIST list = calls->Create(16, 16, ILC_COLOR, 0, 10);
    if (list)
        calls->SetBkColor(list, GetSysColor(COLOR_WINDOW));
    return list;
}

void LayOutListDialog(HWND dialog, int listId, int width, int height)
{
    const int margin = 6;
    HWND close = GetDlgItem(dialog, IDC_CLOSE);
    // The controls do not exist yet when the dialog is first sized.
    if (!close)
        return;
    RECT button;
    GetWindowRect(close, &button);
    int w = button.right - button.left, h = button.bottom - button.top;
    MoveWindow(GetDlgItem(dialog, listId), margin, margin, width - 2 * margin, height - 42, TRUE);
    MoveWindow(close, width - w - margin, height - h - margin, w, h, TRUE);
    MoveWindow(GetDlgItem(dialog, IDC_REFRESH), margin, height - h - margin, w, h, TRUE);
}

static void CloseListTool(const ListTool& tool, HWND dialog, ListToolState& state)
{
    // A control without a shared image list destroys it when it goes, and
    // may paint before then: take ours back first so it is destroyed once,
    // here, and never painted from afterwards.
    SendMessageA(state.control, tool.setImageList, tool.imageListKind, 0);
    if (state.images)
        state.imageLists->Destroy(state.images);
    state.images = nullptr;
    EndDialog(dialog, 0);
}

// Runs one of the dialog's own steps, then the fillings asked for meanwhile;
// a Close that came ends the dialog once they have stopped.
template <typename Step>
static void RunStep(const ListTool& tool, HWND dialog, ListToolState& state, Step step)
{
    state.busy = true;
    step();
    while (state.refreshDue && !state.closeDue) {
        state.refreshDue = false;
        tool.refresh(state);
    }
    state.busy = false;
    if (state.closeDue)
        CloseListTool(tool, dialog, state);
}

static void FillListTool(const ListTool& tool, HWND dialog, ListToolState& state)
{
    state.refreshDue = true;
    if (!state.busy)
        RunStep(tool, dialog, state, [] {});
}

static void RequestClose(const ListTool& tool, HWND dialog, ListToolState& state)
{
    if (state.busy)
        state.closeDue = true;
    else
        CloseListTool(tool, dialog, state);
}

static void InitialiseListTool(const ListTool& tool, HWND dialog, ListToolState& state)
{
    state.control = GetDlgItem(dialog, tool.listId);
    state.images = CreateIconList(state.imageLists);
    tool.initialise(state);
    FillListTool(tool, dialog, state);
}

UINT TrackContextMenu(HWND dialog, const ContextMenuItem* items, int count, unsigned greyed, POINT at)
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return 0;
    for (int i = 0; i < count; ++i)
        AppendMenuA(menu, MF_STRING | ((greyed >> i) & 1 ? MF_GRAYED : 0), items[i].command, items[i].text);
    // The choice comes back here rather than as a WM_COMMAND, which could
    // meet the dialog after another step had changed the list.
    UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, dialog,
                       nullptr));
    DestroyMenu(menu);
    return command;
}

POINT KeyboardMenuPoint(HWND control, const RECT* item)
{
    RECT client;
    GetClientRect(control, &client);
    POINT at = { 0, 0 };
    // An item scrolled out of sight still has its rectangle there.
    if (item && item->bottom > client.top && item->bottom < client.bottom) {
        at.x = item->left > client.left ? item->left : client.left;
        at.y = item->bottom;
    }
    ClientToScreen(control, &at);
    return at;
}

// A keyboard menu waits for this message, which comes after anything the
// system makes of the same key press.
const UINT MSG_KEY_MENU = WM_APP + 1;

static void ShowContextMenu(const ListTool& tool, HWND dialog, ListToolState& state, const POINT* at)
{
    if (!state.busy)
        RunStep(tool, dialog, state, [&] { tool.contextMenu(dialog, state, at); });
}

static void OnContextMenu(const ListTool& tool, HWND dialog, ListToolState& state, LPARAM lParam)
{
    // Shift+F10 and the Apps key come with no point.
    if (lParam == -1) {
        state.keyMenuDue = false;
        ShowContextMenu(tool, dialog, state, nullptr);
        return;
    }
    POINT at = { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
    ShowContextMenu(tool, dialog, state, &at);
}

static void OnKeyDown(const ListTool& tool, HWND dialog, ListToolState& state, UINT key)
{
    if (key == VK_F5) {
        FillListTool(tool, dialog, state);
        return;
    }
    if (state.busy)
        return;
    // Shift+F10 and the Apps key reach the dialog as key notifications, as
    // WM_CONTEXTMENU, or as both, by the control and the system's version:
    // the key's own menu waits for whatever the system makes of the press
    // and shows only if that was nothing.
    if (key == VK_APPS || (key == VK_F10 && GetKeyState(VK_SHIFT) < 0)) {
        state.keyMenuDue = true;
        PostMessageA(dialog, MSG_KEY_MENU, 0, 0);
    } else {
        RunStep(tool, dialog, state, [&] { tool.key(dialog, state, key); });
    }
}

// The controls go on with their own handling of what they report: the
// tree view's search by typing, for one.
static void OnNotify(const ListTool& tool, HWND dialog, ListToolState& state, const NMHDR& header)
{
    if (header.hwndFrom != state.control)
        return;
    switch (header.code) {
    case LVN_KEYDOWN:
    case TVN_KEYDOWN:
        // Both notifications carry the key in the same place.
        OnKeyDown(tool, dialog, state, reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
        break;
    case LVN_COLUMNCLICK:
        if (tool.columnClick && !state.busy)
            tool.columnClick(state, reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        break;
    }
}

INT_PTR ListToolMessage(const ListTool& tool, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        KeepDialogState(dialog, lParam);
        InitialiseListTool(tool, dialog, *reinterpret_cast<ListToolState*>(lParam));
        return TRUE;
    }
    ListToolState* state = DialogState<ListToolState>(dialog);
    if (!state)
        return FALSE;
    switch (message) {
    case WM_SIZE:
        LayOutListDialog(dialog, tool.listId, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_REFRESH:
            FillListTool(tool, dialog, *state);
            return TRUE;
        case IDC_CLOSE:
        case IDCANCEL:
            RequestClose(tool, dialog, *state);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        RequestClose(tool, dialog, *state);
        return TRUE;
    case WM_NOTIFY:
        OnNotify(tool, dialog, *state, *reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) != state->control)
            return FALSE;
        OnContextMenu(tool, dialog, *state, lParam);
        return TRUE;
    case MSG_KEY_MENU:
        if (state->keyMenuDue) {
            state->keyMenuDue = false;
            ShowContextMenu(tool, dialog, *state, nullptr);
        }
        return TRUE;
    }
    return FALSE;
}

void RunListTool(const ListTool& tool, HWND owner, ListToolState& state)
{
    state.imageLists = LoadCommonControls();
    if (state.imageLists)
        RunSingleDialog(tool.dialog, owner, &state);
}
