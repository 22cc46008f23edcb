#include "app/platform.h"

#include <shellapi.h>

const PlatformCalls RealPlatformCalls = {
    ::ExitWindowsEx,
    ::TerminateProcess,
    ::ShellExecuteA,
    ::mciSendStringA,
    ::MessageBoxA,
    ::keybd_event,
    ::SystemParametersInfoA,
    ::WritePrivateProfileStringA,
    ::ExitProcess,
};

PlatformCalls Platform = RealPlatformCalls;
