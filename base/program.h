// What the process learns of itself at start-up and keeps for its whole
// run: its module, and the system it runs on. Start-up sets them once.
#ifndef VORNEL_BASE_PROGRAM_H
#define VORNEL_BASE_PROGRAM_H

#include <windows.h>

#include "base/product.h"

extern HINSTANCE AppInstance;
// The classic 148-byte record; dwPlatformId tells the 9x family from NT.
extern OSVERSIONINFOA OsVersion;

// "Vornel 2.10": the button's title and the tray icon's tip.
extern const char MainWindowTitle[];

// Private messages of the button window. Other programs send them too (a
// second instance sends MSG_REFRESH_TRAY), so the numbers never move.
const UINT MSG_TRAY_CALLBACK = WM_USER + 1;   // 1025: the tray icon's mouse events
const UINT MSG_REFRESH_TRAY = WM_USER + 2;    // 1026: a second instance was started

#endif
