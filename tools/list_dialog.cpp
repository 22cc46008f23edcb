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
