#include "app/main_window.h"

#include <windowsx.h>

#include "app/command_dispatch.h"
#include "app/hotkeys.h"
#include "app/placement.h"
#include "app/shutdown.h"
#include "base/commands.h"
#include "menus/menu_char.h"
#include "menus/owner_draw.h"
#include "menus/popup_menu.h"
#include "settings/settings_store.h"
#include "ui/button_face.h"
#include "ui/tray_icon.h"

static ButtonWindowRecord Button;
const ButtonWindowRecord& ButtonWindow = Button;

static void RepaintNow(HWND window)
{
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

static void OnCreate(HWND window)
{
    RecordMainWindow(window);
    Button = ButtonWindowRecord();
    Button.taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    RegisterHotkeys(window);
}

// The session command of a double-click: Shift wins over Ctrl.
static UINT DoubleClickCommand(bool control, bool shift)
{
    if (shift)
        return CMD_RESTART_WINDOWS;
    if (control)
        return CMD_RESTART_COMPUTER;
    return CMD_EXIT_WINDOWS;
}

static void OnLButtonDown(HWND window, UINT keys, int x, int y)
{
    SetCapture(window);
    Button.dragging = Button.pressed = true;
    RepaintNow(window);

    POINT press = { x, y };
    ClientToScreen(window, &press);
    RECT rect;
    GetWindowRect(window, &rect);
    Button.dragOffset.x = press.x - rect.left;
    Button.dragOffset.y = press.y - rect.top;

    DoubleClickLimits limits = { GetDoubleClickTime(), GetSystemMetrics(SM_CXDOUBLECLK),
                                 GetSystemMetrics(SM_CYDOUBLECLK) };
    if (CompletesDoubleClick(Button.lastPress, GetTickCount(), press.x, press.y, limits)) {
        UINT command = DoubleClickCommand((keys & MK_CONTROL) != 0, (keys & MK_SHIFT) != 0);
        SendMessageA(window, WM_COMMAND, command, 0);
    }
    Button.lastPress = ButtonPress{ GetTickCount(), press.x, press.y, true };
}

static void OnMouseMove(HWND window)
{
    if (!Button.dragging)
        return;
    POINT cursor;
    GetCursorPos(&cursor);
    RECT rect;
    GetWindowRect(window, &rect);
    int left = cursor.x - Button.dragOffset.x, top = cursor.y - Button.dragOffset.y;
    if (left != rect.left || top != rect.top)
        Button.lastPress.beginsDoubleClick = false;
    MoveWindow(window, left, top, ButtonSide(), ButtonSide(), TRUE);
}

static void OnLButtonUp(HWND window)
{
    if (Button.dragging)
        ReleaseCapture();
    Button.dragging = Button.pressed = false;
    RepaintNow(window);
    SaveSettings(window);
}

static void OnCaptureChanged(HWND window)
{
    Button.dragging = false;
    if (Button.pressed) {
        Button.pressed = false;
        RepaintNow(window);
    }
}

static bool KeyDown(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

// The popup menu; a calculator key pressed while it was open is acted on
// once it has closed.
static void ShowMenu(HWND window)
{
    ShowPopupMenu(window);
    RunWaitingCalculator(window, Button.calculatorWaiting);
}

// Ctrl+Shift+Delete shows the menu too, through OnHotkey.
static void OnHotkeyPressed(HWND window, UINT modifiers, UINT key)
{
    OnHotkey(window, modifiers, key, Button.rememberedWindow, Button.calculatorWaiting);
    RunWaitingCalculator(window, Button.calculatorWaiting);
}

static LRESULT OnTrayCallback(HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDBLCLK:
        SendMessageA(window, WM_COMMAND, DoubleClickCommand(KeyDown(VK_CONTROL), KeyDown(VK_SHIFT)), 0);
        return 0;
    case WM_RBUTTONDOWN:
        // The icon of a menu already open stays pressed until it closes.
        if (PopupMenuBusy())
            return 0;
        SetTrayIconPressed(true);
        ShowMenu(window);
        SetTrayIconPressed(false);
        return 0;
    }
    return DefWindowProcA(window, MSG_TRAY_CALLBACK, wParam, lParam);
}

// A button that the new screen leaves out comes back to the corner; one
// still within the rectangle of all monitors stays where it is. The system
// has changed its metrics before it sends this message.
static void OnDisplayChange(HWND window, int width, int height)
{
    RECT rect;
    GetWindowRect(window, &rect);
    bool onAMonitor = InsideVirtualScreen(rect.left, rect.top, CurrentScreenBounds());
    if (!onAMonitor && (rect.left > width || rect.top > height)) {
        ChangeButtonPosition(0, 0);
        PlaceButtonWindow(window);
    }
    SetScreenHeight(height);
}

// The tray icon is added anew with the new colours; should the shell refuse
// it where it is the only way in, the button stands in for it.
static void OnSysColorChange(HWND window)
{
    RefreshButtonIcons(window);
    KeepReachable(window);
}

// A second start: the user is looking for the program.
static void OnRefreshTray(HWND window)
{
    ClaimMenuHotkey(window);
    RemoveTrayIcon(window);
    AddTrayIcon(window);
    KeepReachable(window);
}

static LRESULT OnTaskbarCreated(HWND window, WPARAM wParam, LPARAM lParam)
{
    ForgetTrayIcon();
    AddTrayIcon(window);
    KeepReachable(window);
    return DefWindowProcA(window, Button.taskbarCreatedMessage, wParam, lParam);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == Button.taskbarCreatedMessage && message != 0)
        return OnTaskbarCreated(window, wParam, lParam);

    switch (message) {
    case WM_CREATE:         OnCreate(window); return 0;
    case WM_DESTROY:        PostQuitMessage(0); return 0;
    case WM_CLOSE:          ShutdownApplication(window); return 0;
    case WM_PAINT:          PaintButtonWindow(window, Button.dragging); return 0;
    case WM_MEASUREITEM:    MeasureMenuItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)); return TRUE;
    case WM_DRAWITEM:       DrawMenuItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_MENUCHAR:       return OnMenuChar(static_cast<char>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
    case WM_COMMAND:
        if (DispatchCommand(window, LOWORD(wParam)))
            return 0;
        break;
    case WM_MENUSELECT:     OnMenuSelect(window, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)); return 0;
    case WM_HOTKEY:         OnHotkeyPressed(window, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_MOUSEMOVE:      OnMouseMove(window); return 0;
    case WM_LBUTTONDOWN:    OnLButtonDown(window, static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONUP:      OnLButtonUp(window); return 0;
    case WM_RBUTTONDOWN:    ShowMenu(window); return 0;
    case WM_CAPTURECHANGED: OnCaptureChanged(window); return 0;
    case WM_DISPLAYCHANGE:  OnDisplayChange(window, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_SYSCOLORCHANGE: OnSysColorChange(window); return 0;
    case MSG_TRAY_CALLBACK: return OnTrayCallback(window, wParam, lParam);
    case MSG_REFRESH_TRAY:  OnRefreshTray(window); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
