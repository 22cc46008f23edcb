#include "actions/end_session.h"

#include "actions/privileges.h"
#include "base/platform.h"
#include "settings/settings_store.h"

// Indexed 0 for shutdown, 1 for log off, 2 for restart.
static const char* const ConfirmationTexts[] = {
    "Exit Windows?",
    "Restart Windows?",
    "Restart Computer?",
};

static const char* ConfirmationText(EndSessionMode mode)
{
    switch (mode) {
    case END_SESSION_SHUTDOWN: return ConfirmationTexts[0];
    case END_SESSION_LOGOFF:   return ConfirmationTexts[1];
    case END_SESSION_REBOOT:   return ConfirmationTexts[2];
    }
    return ConfirmationTexts[0];
}

void EndSession(HWND owner, EndSessionMode mode)
{
    if (Settings.confirmation != 0) {
        int answer = Platform.MessageBoxA(owner, ConfirmationText(mode), "Warning!",
                                          MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL);
        if (answer != IDYES)
            return;
    }
    EnableOwnPrivilege("SeShutdownPrivilege");
    UINT flags = static_cast<UINT>(mode);
    if (Settings.force == SETTING_ON)
        flags |= EWX_FORCE;
    Platform.ExitWindowsEx(flags, 0);
}
