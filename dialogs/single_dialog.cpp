#include "dialogs/single_dialog.h"

#include "base/program.h"

namespace {
struct OpenDialog {
    int templateId;     // 0: a free slot
    HWND window;
};

// What RunSingleDialog hands the dialog manager: the dialog's own procedure
// is reached through it, with the state record its opener gave.
struct Invocation {
    const SingleDialog* dialog;
    void* state;
    OpenDialog* slot;
};

// Dialogs nest at most once each.
const int MAX_OPEN_DIALOGS = 16;

struct {
    OpenDialog open[MAX_OPEN_DIALOGS];
    // The dialog being made: its controls are measured (WM_MEASUREITEM)
    // before WM_INITDIALOG brings the invocation.
    Invocation* creating;
} Dialogs;
}

static OpenDialog* FindOpen(int templateId)
{
    for (OpenDialog& open : Dialogs.open) {
        if (open.templateId == templateId)
            return &open;
    }
    return nullptr;
}

bool SingleDialogOpen(int templateId)
{
    return FindOpen(templateId) != nullptr;
}

HWND SingleDialogWindow(int templateId)
{
    const OpenDialog* open = FindOpen(templateId);
    return open ? open->window : nullptr;
}

// Notes the dialog's window as soon as it exists and passes every message on
// to the dialog's own procedure. The invocation lives in DWLP_USER, the
// dialog's own GWLP_USERDATA being its state record.
static INT_PTR CALLBACK GuardedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Invocation* call = reinterpret_cast<Invocation*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!call) {
        call = Dialogs.creating;
        if (!call)
            return FALSE;
        SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(call));
        call->slot->window = dialog;
    }
    if (message == WM_INITDIALOG) {
        Dialogs.creating = nullptr;
        lParam = reinterpret_cast<LPARAM>(call->state);
    }
    return call->dialog->procedure(dialog, message, wParam, lParam);
}

static void ShowOpenDialog(const OpenDialog& open)
{
    if (!open.window)
        return;
    if (IsIconic(open.window))
        ShowWindow(open.window, SW_RESTORE);
    SetForegroundWindow(open.window);
}

INT_PTR RunSingleDialog(const SingleDialog& dialog, HWND owner, void* state)
{
    if (const OpenDialog* open = FindOpen(dialog.templateId)) {
        if (dialog.secondRequest == SECOND_REQUEST_SHOWS_OPEN_ONE)
            ShowOpenDialog(*open);
        return DIALOG_ALREADY_OPEN;
    }
    OpenDialog* slot = FindOpen(0);
    if (!slot)
        return -1;
    slot->templateId = dialog.templateId;
    slot->window = nullptr;
    Invocation call = { &dialog, state, slot };
    Dialogs.creating = &call;
    INT_PTR result = DialogBoxParamA(Program.instance, MAKEINTRESOURCEA(dialog.templateId), owner,
                                     GuardedDialogProc, 0);
    Dialogs.creating = nullptr;
    slot->templateId = 0;
    slot->window = nullptr;
    return result;
}
