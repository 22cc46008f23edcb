// WM_COMMAND of the main window: every command identifier to its handler,
// the option toggles and placement changes, and the dialogs, each single
// while the popup menu stays reachable.
#ifndef VORNEL_APP_COMMAND_DISPATCH_H
#define VORNEL_APP_COMMAND_DISPATCH_H

#include <windows.h>

// Handles the command and returns true, or returns false for an identifier
// the program does not know (the caller passes it on to DefWindowProcA).
bool DispatchCommand(HWND window, UINT command);

#endif
