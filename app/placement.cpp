#include "app/placement.h"

#include "app/hotkeys.h"
#include "menus/popup_menu.h"
#include "settings/settings_store.h"
#include "ui/tray_icon.h"

int ButtonSide()
{
    return Settings.largeSize ? LARGE_BUTTON_SIDE : SMALL_BUTTON_SIDE;
}

void PlaceButtonWindow(HWND window)
{
    MoveWindow(window, Settings.x, Settings.y, ButtonSide(), ButtonSide(), TRUE);
}

static bool ButtonShows()
{
    return PlacementShowsButton(Settings.place, TrayIconShown, PopupMenu.hotkeyHeld);
}

static void ShowButton(HWND window, bool shows)
{
    if (shows) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    } else {
        ShowWindow(window, SW_HIDE);
    }
}

void ShowForPlacement(HWND window)
{
    ShowButton(window, ButtonShows());
    SaveSettings(window);
}

void KeepReachable(HWND window)
{
    bool shows = ButtonShows();
    if (shows != (IsWindowVisible(window) != FALSE))
        ShowButton(window, shows);
}

void ChangePlacement(HWND window, int32_t mode)
{
    ChangeSetting(&SettingsRecord::place, mode);
    // The tray icon first: whether the button may hide depends on it.
    if (PlacementHasTrayIcon(mode))
        AddTrayIcon(window);
    else
        RemoveTrayIcon(window);
    if (mode == HotkeyOnly)
        ClaimMenuHotkey(window);
    ShowForPlacement(window);
}
