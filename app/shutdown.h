// The orderly exit: "E&xit" and WM_CLOSE end the program here. Nothing is
// saved: every change was saved when it was made.
#ifndef VORNEL_APP_SHUTDOWN_H
#define VORNEL_APP_SHUTDOWN_H

#include <windows.h>

// Icons, hotkeys, tray icon, menus, window, then the process, with code 0.
void ShutdownApplication(HWND window);

#endif
