#include "base/platform.h"

#include "base/system_libraries.h"

static MCIERROR WINAPI OnDemandMciSendStringA(LPCSTR command, LPSTR result, UINT resultLength, HWND callback)
{
    auto real = SystemFunctionOf<MCIERROR WINAPI(LPCSTR, LPSTR, UINT, HWND)>("winmm.dll", "mciSendStringA");
    return real ? real(command, result, resultLength, callback) : MCIERR_DEVICE_NOT_INSTALLED;
}

static HINSTANCE WINAPI OnDemandShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                              LPCSTR directory, INT show)
{
    auto real = SystemFunctionOf<HINSTANCE WINAPI(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT)>(
        "shell32.dll", "ShellExecuteA");
    // What the call answers when the system lacks the resources to start anything.
    return real ? real(owner, verb, file, parameters, directory, show) : nullptr;
}

static BOOL WINAPI OnDemandGetOpenFileNameA(LPOPENFILENAMEA request)
{
    auto real = SystemFunctionOf<BOOL WINAPI(LPOPENFILENAMEA)>("comdlg32.dll", "GetOpenFileNameA");
    return real ? real(request) : FALSE;
}

static HWND WINAPI OnDemandHungWindowFromGhostWindow(HWND ghost)
{
    auto real = SystemFunctionOf<HWND WINAPI(HWND)>("user32.dll", "HungWindowFromGhostWindow");
    return real ? real(ghost) : nullptr;
}

static HRESULT WINAPI OnDemandDwmGetWindowAttribute(HWND window, DWORD attribute, PVOID value, DWORD size)
{
    auto real = SystemFunctionOf<HRESULT WINAPI(HWND, DWORD, PVOID, DWORD)>("dwmapi.dll", "DwmGetWindowAttribute");
    return real ? real(window, attribute, value, size) : E_NOTIMPL;
}

const PlatformCalls RealPlatformCalls = {
    ::ExitWindowsEx,
    ::TerminateProcess,
    OnDemandShellExecuteA,
    OnDemandMciSendStringA,
    ::MessageBoxA,
    ::keybd_event,
    ::SystemParametersInfoA,
    ::WritePrivateProfileStringA,
    ::ExitProcess,
    OnDemandGetOpenFileNameA,
    OnDemandHungWindowFromGhostWindow,
    OnDemandDwmGetWindowAttribute,
};

PlatformCalls Platform = RealPlatformCalls;
