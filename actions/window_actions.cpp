#include "actions/window_actions.h"

#include <dwmapi.h>

#include "actions/privileges.h"
#include "base/handles.h"
#include "base/platform.h"

const BYTE SCAN_CODE_RETURN = 0x1C;

bool AsyncKeyHeld(int key)
{
    return (GetAsyncKeyState(key) & 0xF000) != 0;
}

static BOOL CALLBACK MinimizeOrdinaryWindow(HWND window, LPARAM self)
{
    if (!GetParent(window) && !IsIconic(window) && IsWindowVisible(window) &&
        (GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZEBOX) && window != reinterpret_cast<HWND>(self))
        SendSystemCommandBounded(window, SC_MINIMIZE);
    return TRUE;
}

void MinimizeAll(HWND self)
{
    ANIMATIONINFO animation = { sizeof animation, 0 };
    bool switchedOff = false;
    int previous = 0;
    if (Platform.SystemParametersInfoA(SPI_GETANIMATION, sizeof animation, &animation, 0) &&
        animation.iMinAnimate) {
        previous = animation.iMinAnimate;
        animation.iMinAnimate = 0;
        Platform.SystemParametersInfoA(SPI_SETANIMATION, sizeof animation, &animation, 0);
        switchedOff = true;
    }
    EnumWindows(MinimizeOrdinaryWindow, reinterpret_cast<LPARAM>(self));
    if (switchedOff) {
        animation.iMinAnimate = previous;
        Platform.SystemParametersInfoA(SPI_SETANIMATION, sizeof animation, &animation, 0);
    }
}

void ActivateWindow(HWND target)
{
    if (IsIconic(target))
        SendSystemCommandBounded(target, SC_RESTORE);
    SetForegroundWindow(target);
    // Some programs restore only on a key. It goes to whatever window is in
    // front, so only when that is the target.
    if (IsIconic(target) && GetForegroundWindow() == target) {
        // Released at once so the system never believes Enter is still held.
        Platform.keybd_event(VK_RETURN, SCAN_CODE_RETURN, 0, 0);
        Platform.keybd_event(VK_RETURN, SCAN_CODE_RETURN, KEYEVENTF_KEYUP, 0);
    }
}

void BringToFront(HWND target)
{
    // The oldest systems have no GetAncestor.
    HWND top = target;
    while (top && (GetWindowLongA(top, GWL_STYLE) & WS_CHILD))
        top = GetParent(top);
    if (!top)
        return;
    if (IsIconic(top))
        ShowWindowAsync(top, SW_RESTORE);
    SetForegroundWindow(top);
}

bool EnableDebugPrivilege()
{
    return EnableOwnPrivilege("SeDebugPrivilege");
}

void KillWindowProcess(HWND target)
{
    EnableDebugPrivilege();
    // A hung program's window on screen is a ghost of the desktop window
    // manager's process; the process to end owns the window behind it.
    if (HWND hung = Platform.HungWindowFromGhostWindow(target))
        target = hung;
    DWORD processId = 0;
    GetWindowThreadProcessId(target, &processId);
    if (!processId)
        return;
    KernelHandle process(OpenProcess(PROCESS_TERMINATE, TRUE, processId));
    if (process.valid())
        Platform.TerminateProcess(process.get(), 0);
}

bool WindowCloaked(HWND window)
{
    DWORD cloaked = 0;
    return SUCCEEDED(Platform.DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) &&
           cloaked != 0;
}
