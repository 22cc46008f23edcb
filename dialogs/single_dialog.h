// Every dialog of the program is modal and runs in a loop of its own on the
// one thread, and the popup menu, the hotkeys and other programs' messages
// stay reachable meanwhile. So a dialog can be asked for again while it is
// open; one copy of each is all there may ever be. This file keeps the
// open ones and opens every dialog.
#ifndef VORNEL_DIALOGS_SINGLE_DIALOG_H
#define VORNEL_DIALOGS_SINGLE_DIALOG_H

#include <windows.h>

// What a request for a dialog that is already open does.
enum SecondRequest {
    SECOND_REQUEST_IGNORED,         // nothing
    SECOND_REQUEST_SHOWS_OPEN_ONE,  // the open one comes to the front
};

struct SingleDialog {
    int templateId;
    // The dialog's procedure. Its WM_INITDIALOG gets the state record the
    // opener passed, which the procedure keeps in GWLP_USERDATA.
    DLGPROC procedure;
    SecondRequest secondRequest;
};

// RunSingleDialog's answer when the dialog was open already.
const INT_PTR DIALOG_ALREADY_OPEN = -2;

// Runs the dialog modally, owned by owner, with its state record, and
// returns what it ended with (-1 when it could not be made). When it is open
// already, does what its SecondRequest says and returns DIALOG_ALREADY_OPEN.
INT_PTR RunSingleDialog(const SingleDialog& dialog, HWND owner, void* state);

// True from a request until the dialog has ended.
bool SingleDialogOpen(int templateId);
// The open dialog's window; null while it is closed or not made yet.
HWND SingleDialogWindow(int templateId);

// The state record a dialog procedure was given, as kept in GWLP_USERDATA.
template <typename State>
State* DialogState(HWND dialog)
{
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

// Keeps the record given with WM_INITDIALOG; the procedure's first step.
inline void KeepDialogState(HWND dialog, LPARAM state)
{
    SetWindowLongPtrA(dialog, GWLP_USERDATA, state);
}

#endif
