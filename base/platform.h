// The few system calls whose real effect a test must never have: ending the
// session, killing a process, starting programs, asking the user (also for a
// file), pressing
// keys, changing system-wide settings and leaving the process. Everything
// calls them through this table; tests swap single entries for recorders.
// Beside them, two answers of newer systems that a test must be able to
// choose, since Wine gives neither. All other Win32 calls are made directly.
#ifndef VORNEL_BASE_PLATFORM_H
#define VORNEL_BASE_PLATFORM_H

#include <windows.h>
#include <mmsystem.h>
#include <commdlg.h>

struct PlatformCalls {
    BOOL (WINAPI* ExitWindowsEx)(UINT flags, DWORD reason);
    BOOL (WINAPI* TerminateProcess)(HANDLE process, UINT exitCode);
    HINSTANCE (WINAPI* ShellExecuteA)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                      LPCSTR directory, INT show);
    MCIERROR (WINAPI* mciSendStringA)(LPCSTR command, LPSTR result, UINT resultLength, HWND callback);
    int (WINAPI* MessageBoxA)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
    void (WINAPI* keybd_event)(BYTE key, BYTE scan, DWORD flags, ULONG_PTR extra);
    // For the system-wide settings the program changes, and the query that
    // decides whether it changes the minimize animation; other reads go to
    // the system directly.
    BOOL (WINAPI* SystemParametersInfoA)(UINT action, UINT parameter, PVOID data, UINT update);
    BOOL (WINAPI* WritePrivateProfileStringA)(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file);
    void (WINAPI* ExitProcess)(UINT exitCode);
    // The file chooser is modal and waits for a person.
    BOOL (WINAPI* GetOpenFileNameA)(LPOPENFILENAMEA request);
    // The window of a hung program behind the ghost the system shows in its
    // place; null for any other window, and where the system has no ghosts.
    HWND (WINAPI* HungWindowFromGhostWindow)(HWND ghost);
    // The compositor's attributes of a window (such as whether it is
    // cloaked: not on screen although visible); fails where there is none.
    HRESULT (WINAPI* DwmGetWindowAttribute)(HWND window, DWORD attribute, PVOID value, DWORD size);
};

extern PlatformCalls Platform;

// The table as the program starts with it: every entry the real call. The
// calls of shell32, winmm, comdlg32 and dwmapi load their library on first
// use, and the ghost lookup is found in user32 then (see
// system_libraries.h); when it is missing they fail as the call would.
extern const PlatformCalls RealPlatformCalls;

#endif
