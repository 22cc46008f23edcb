#include "dialogs/list_tool.h"

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

// Fills the list, and once more if a Refresh came meanwhile; a Close that
// came ends the dialog once the filling has stopped.
static void FillListTool(const ListTool& tool, HWND dialog, ListToolState& state)
{
    if (state.filling) {
        state.refreshDue = true;
        return;
    }
    state.filling = true;
    do {
        state.refreshDue = false;
        tool.refresh(state);
    } while (state.refreshDue && !state.closeDue);
    state.filling = false;
    if (state.closeDue)
        CloseListTool(tool, dialog, state);
}

static void RequestClose(const ListTool& tool, HWND dialog, ListToolState& state)
{
    if (state.filling)
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
    }
    return FALSE;
}

void RunListTool(const ListTool& tool, HWND owner)
{
    ListToolState state = { nullptr, LoadCommonControls(), nullptr, false, false, false };
    if (state.imageLists)
        RunSingleDialog(tool.dialog, owner, &state);
}
