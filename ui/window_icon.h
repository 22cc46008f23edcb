// The icon of another program's window, asked without waiting long.
#ifndef VORNEL_UI_WINDOW_ICON_H
#define VORNEL_UI_WINDOW_ICON_H

#include <windows.h>

// The longest each question to the window may take.
const UINT WINDOW_ICON_TIMEOUT_MS = 50;

// The window's small icon, else its big one, else its class's small icon,
// else the class icon; when nothing is found, the system application icon
// if allowDefault, else null. The icon belongs to the window, its class or
// the system: never destroy it.
HICON GetWindowIcon(HWND window, bool allowDefault);

// As GetWindowIcon for a caller that asks a window's thread nothing more
// once it has kept the caller waiting: the first question left unanswered
// in time ends the lookup with null and answered false.
HICON GetAnsweredWindowIcon(HWND window, bool allowDefault, bool& answered);

#endif
