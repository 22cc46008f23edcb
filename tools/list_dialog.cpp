#include "tools/list_dialog.h"

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

static void CloseListTool(const ListTool& tool, HWND dialog)
{
    // A control without a shared image list destroys it when it goes, and
    // may paint before then: take ours back first so it is destroyed once,
    // here, and never painted from afterwards.
    SendMessageA(*tool.handle, tool.setImageList, tool.imageListKind, 0);
    if (*tool.images)
        LoadCommonControls()->Destroy(*tool.images);
    *tool.images = nullptr;
    *tool.handle = nullptr;
    EndDialog(dialog, 0);
}

INT_PTR ListToolMessage(const ListTool& tool, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return tool.initialise(dialog);
    case WM_SIZE:
        LayOutListDialog(dialog, tool.listId, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_REFRESH:
            tool.refresh(dialog);
            return TRUE;
        case IDC_CLOSE:
        case IDCANCEL:
            CloseListTool(tool, dialog);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        CloseListTool(tool, dialog);
        return TRUE;
    }
    return FALSE;
}
