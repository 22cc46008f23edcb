// Messages to windows that may belong to other programs. Such a program may
// have stopped answering; the button must not wait for it, so these sends
// give up after a short time, and at once for a window the system already
// knows to be hung.
#ifndef VORNEL_BASE_BOUNDED_SEND_H
#define VORNEL_BASE_BOUNDED_SEND_H

#include <windows.h>

// The longest a window may take to act on a system command (minimize,
// maximize, restore) before it is passed over.
const UINT WINDOW_ANSWER_TIMEOUT_MS = 1000;

// Sends WM_SYSCOMMAND with the command, waiting at most
// WINDOW_ANSWER_TIMEOUT_MS. What the window answers does not matter.
void SendSystemCommandBounded(HWND target, WPARAM command);

#endif
