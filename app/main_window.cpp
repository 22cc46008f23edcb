#include "app/main_window.h"

#include <windowsx.h>

#include "app/command_dispatch.h"
#include "app/click_timing.h"
#include "base/commands.h"
#include "app/hotkeys.h"
#include "menus/menu_tree.h"
#include "settings/shell_folder_names.h"
#include "app/startup.h"
#include "menus/menu_char.h"
#include "menus/menu_columns.h"
#include "menus/popup_menu.h"
#include "settings/settings_store.h"
#include "settings/start_menu_folders.h"
#include "ui/button_face.h"
#include "menus/owner_draw.h"
#include "ui/tray_icon.h"

UINT TaskbarCreatedMessage;
bool Dragging;
bool Pressed;
POINT DragOffset;
DWORD LastButtonDownTick;

static void RepaintNow(HWND window)
{
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

static void OnCreate(HWND window)
{
    MainWindow = window;
    Dragging = Pressed = false;
    LastButtonDownTick = 0;
    RememberedWindow = nullptr;
    TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
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
    Dragging = Pressed = true;
    RepaintNow(window);

    POINT press = { x, y };
    ClientToScreen(window, &press);
    RECT rect;
    GetWindowRect(window, &rect);
    DragOffset.x = press.x - rect.left;
    DragOffset.y = press.y - rect.top;

    if (CompletesDoubleClick(GetTickCount(), LastButtonDownTick, GetDoubleClickTime())) {
        UINT command = DoubleClickCommand((keys & MK_CONTROL) != 0, (keys & MK_SHIFT) != 0);
        SendMessageA(window, WM_COMMAND, command, 0);
    }
    LastButtonDownTick = GetTickCount();
}

static void OnMouseMove(HWND window)
{
    if (!Dragging)
        return;
    POINT cursor;
    GetCursorPos(&cursor);
    MoveWindow(window, cursor.x - DragOffset.x, cursor.y - DragOffset.y, ButtonSide(), ButtonSide(), TRUE);
}

static void OnLButtonUp(HWND window)
{
    if (Dragging)
        ReleaseCapture();
    Dragging = Pressed = false;
    RepaintNow(window);
    SaveSettings(window);
}

static void OnCaptureChanged(HWND window)
{
    Dragging = false;
    if (Pressed) {
        Pressed = false;
        RepaintNow(window);
    }
}

static bool KeyDown(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

static LRESULT OnTrayCallback(HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDBLCLK:
        SendMessageA(window, WM_COMMAND, DoubleClickCommand(KeyDown(VK_CONTROL), KeyDown(VK_SHIFT)), 0);
        return 0;
    case WM_RBUTTONDOWN:
        SetTrayIconPressed(true);
        ShowPopupMenu(window);
        SetTrayIconPressed(false);
        return 0;
    }
    return DefWindowProcA(window, MSG_TRAY_CALLBACK, wParam, lParam);
}

// Reads the two Start Menu folders back from the file system each time the
// Tools submenu opens, so the marks tell the truth even if the user changed
// the Start Menu meanwhile.
static void RefreshStartMenuChecks()
{
    SetCheckItem(ToolsMenu, CMD_CONTROL_PANEL_IN_START_MENU, TextControlPanelInStartMenu,
                 StartMenuFolder(ControlPanelName, ControlPanelClassId, START_MENU_TEST) ? SETTING_ON
                                                                                         : SETTING_OFF);
    SetCheckItem(ToolsMenu, CMD_PRINTERS_IN_START_MENU, TextPrintersInStartMenu,
                 StartMenuFolder(PrintersName, PrintersClassId, START_MENU_TEST) ? SETTING_ON
                                                                                 : SETTING_OFF);
}

static void OnMenuSelect(HWND window, UINT item, UINT flags, HMENU menu)
{
    if (Populating)
        return;
    bool rootPopup = (flags & MF_POPUP) && flags != 0xFFFF && menu == RootMenu;
    if (rootPopup && item == ROOT_POSITION_TOOLS) {
        RefreshStartMenuChecks();
        return;
    }
    if (flags == 0xFFFF || static_cast<int>(item) == LastPopulatedPosition)
        return;
    Populating = true;
    if (rootPopup)
        PopulateRootSubmenu(window, static_cast<int>(item));
    Populating = false;
}

static void OnDisplayChange(HWND window, int width, int height)
{
    RECT rect;
    GetWindowRect(window, &rect);
    if (rect.left > width || rect.top > height) {
        Settings.x = Settings.y = 0;
        PlaceButtonWindow(window);
        ItemsPerColumn = ItemsPerColumnForHeight(height);
    }
}

static void OnSysColorChange(HWND window)
{
    RefreshButtonIcons(window);
}

static void OnRefreshTray(HWND window)
{
    RemoveTrayIcon(window);
    AddTrayIcon(window);
}

static LRESULT OnTaskbarCreated(HWND window, WPARAM wParam, LPARAM lParam)
{
    // The old icon died with the old taskbar; there is nothing to delete.
    TrayIconShown = false;
    AddTrayIcon(window);
    return DefWindowProcA(window, TaskbarCreatedMessage, wParam, lParam);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TaskbarCreatedMessage && message != 0)
        return OnTaskbarCreated(window, wParam, lParam);

    switch (message) {
    case WM_CREATE:         OnCreate(window); return 0;
    case WM_DESTROY:        PostQuitMessage(0); return 0;
    case WM_CLOSE:          ShutdownApplication(window); return 0;
    case WM_PAINT:          PaintButtonWindow(window, Dragging); return 0;
    case WM_MEASUREITEM:    MeasureMenuItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)); return TRUE;
    case WM_DRAWITEM:       DrawMenuItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_MENUCHAR:       return OnMenuChar(static_cast<char>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
    case WM_COMMAND:
        if (DispatchCommand(window, LOWORD(wParam)))
            return 0;
        break;
    case WM_MENUSELECT:     OnMenuSelect(window, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)); return 0;
    case WM_HOTKEY:         OnHotkey(window, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_MOUSEMOVE:      OnMouseMove(window); return 0;
    case WM_LBUTTONDOWN:    OnLButtonDown(window, static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONUP:      OnLButtonUp(window); return 0;
    case WM_RBUTTONDOWN:    ShowPopupMenu(window); return 0;
    case WM_CAPTURECHANGED: OnCaptureChanged(window); return 0;
    case WM_DISPLAYCHANGE:  OnDisplayChange(window, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_SYSCOLORCHANGE: OnSysColorChange(window); return 0;
    case MSG_TRAY_CALLBACK: return OnTrayCallback(window, wParam, lParam);
    case MSG_REFRESH_TRAY:  OnRefreshTray(window); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
