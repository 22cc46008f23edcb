// Actions on other programs' windows: minimize them all, activate, close or
// kill one chosen from the windows submenu, and bring one chosen in the
// windows list to the front.
#ifndef VORNEL_ACTIONS_WINDOW_ACTIONS_H
#define VORNEL_ACTIONS_WINDOW_ACTIONS_H

#include <windows.h>

#include "base/bounded_send.h"

// True when the key is held, as GetAsyncKeyState reports it at this moment.
bool AsyncKeyHeld(int key);

// Minimizes every ordinary top-level window (visible, not minimized, not
// owned, with a minimize box) but `self` (the button), without the animation.
void MinimizeAll(HWND self);

// Brings a window to the front, restoring it first when minimized.
void ActivateWindow(HWND target);

// Brings the top-level window that holds target to the front, restoring it
// when minimized; never waits for its program to answer.
void BringToFront(HWND target);

// Terminates the process that owns the window, without asking; for the
// ghost the system shows in place of a hung program's window, the hung
// program's process.
void KillWindowProcess(HWND target);

// True for a window the compositor keeps off the screen although it counts
// as visible (on another virtual desktop, a suspended app's frame); false
// where the system has no compositor.
bool WindowCloaked(HWND window);

bool EnableDebugPrivilege();

#endif
