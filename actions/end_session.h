// Ending the Windows session: the program's main function.
#ifndef VORNEL_ACTIONS_END_SESSION_H
#define VORNEL_ACTIONS_END_SESSION_H

#include <windows.h>

// The mode is also the base of the ExitWindowsEx flags.
enum EndSessionMode {
    END_SESSION_LOGOFF = 0,     // EWX_LOGOFF: "Restart Windows"
    END_SESSION_SHUTDOWN = 1,   // EWX_SHUTDOWN: "Exit Windows"
    END_SESSION_REBOOT = 2,     // EWX_REBOOT: "Restart Computer"
};

// Asks first when "Confirmation" is on, then ends the session; with "Force"
// on (exactly 8) the session ends without waiting for programs to agree.
void EndSession(HWND owner, EndSessionMode mode);

#endif
