// The life of the process up to its message loop: the single-instance
// check, the start-up in its fixed order, and the loop.
#ifndef VORNEL_APP_STARTUP_H
#define VORNEL_APP_STARTUP_H

#include <windows.h>

#include "base/program.h"

extern const char MainWindowClass[];    // "SimpleClass"
extern const char InstanceMutexName[];  // "VornelMutex"

// The whole program: refuses a second instance, starts, runs the message
// loop. Returns the process exit code. The arguments and the show command
// are accepted and ignored: the program has no options and always starts
// the way its settings say.
int RunVornel(HINSTANCE instance, const char* arguments, int showCommand);

// When another instance runs, tells it to show its tray icon again and
// returns true. The mutex of this instance stays open for the process's life.
// The running instance is given at most INSTANCE_SIGNAL_TIMEOUT_MS to answer.
const UINT INSTANCE_SIGNAL_TIMEOUT_MS = 2000;
bool SignalRunningInstance();

// Everything between the single-instance check and the message loop. Returns
// the main window, or null when it could not be created.
HWND StartApplication(HINSTANCE instance);

// Runs until WM_QUIT; returns its wParam.
int RunMessageLoop();

#endif
