// What the process learns of itself at start-up and keeps for its whole
// run: its module, the system it runs on and the button window. Start-up
// records each once, through this file; everything else only reads them.
#ifndef VORNEL_BASE_PROGRAM_H
#define VORNEL_BASE_PROGRAM_H

#include <windows.h>

#include "base/product.h"

struct ProgramRecord {
    HINSTANCE instance;         // for every resource and dialog
    // The classic 148-byte record; dwPlatformId tells the 9x family from NT.
    OSVERSIONINFOA osVersion;
    HWND mainWindow;            // the button, recorded on its WM_CREATE
};

extern const ProgramRecord& Program;

void RecordInstance(HINSTANCE instance);
void RecordOsVersion();
void RecordMainWindow(HWND window);

// "Vornel 2.10": the button's title and the tray icon's tip.
extern const char MainWindowTitle[];

// Private messages of the button window. Other programs send them too (a
// second instance sends MSG_REFRESH_TRAY), so the numbers never move.
const UINT MSG_TRAY_CALLBACK = WM_USER + 1;   // 1025: the tray icon's mouse events
const UINT MSG_REFRESH_TRAY = WM_USER + 2;    // 1026: a second instance was started

#endif
