// A modal dialog's message loop is the system's: a key the dialog manager
// has no use for goes straight to the control with the focus. A dialog that
// answers such a key puts a procedure of its own in front of the control's,
// which takes the key and hands everything else on.
#ifndef VORNEL_DIALOGS_CONTROL_KEYS_H
#define VORNEL_DIALOGS_CONTROL_KEYS_H

#include <windows.h>

// Puts procedure in front of the control's own. The control keeps its own
// in GWLP_USERDATA, which the system's controls leave to the program.
void SubclassControl(HWND control, WNDPROC procedure);

// Hands a message on to the control's own procedure.
LRESULT CallControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

#endif
