#include "base/platform.h"

#include <shellapi.h>

#include "base/system_libraries.h"

static MCIERROR WINAPI OnDemandMciSendStringA(LPCSTR command, LPSTR result, UINT resultLength, HWND callback)
{
    auto real = SystemFunctionOf<MCIERROR WINAPI(LPCSTR, LPSTR, UINT, HWND)>("winmm.dll", "mciSendStringA");
    return real ? real(command, result, resultLength, callback) : MCIERR_DEVICE_NOT_INSTALLED;
}

static BOOL WINAPI OnDemandGetOpenFileNameA(LPOPENFILENAMEA request)
{
    auto real = SystemFunctionOf<BOOL WINAPI(LPOPENFILENAMEA)>("comdlg32.dll", "GetOpenFileNameA");
    return real ? real(request) : FALSE;
}

const PlatformCalls RealPlatformCalls = {
    ::ExitWindowsEx,
    ::TerminateProcess,
    ::ShellExecuteA,
    OnDemandMciSendStringA,
    ::MessageBoxA,
    ::keybd_event,
    ::SystemParametersInfoA,
    ::WritePrivateProfileStringA,
    ::ExitProcess,
    OnDemandGetOpenFileNameA,
};

PlatformCalls Platform = RealPlatformCalls;
