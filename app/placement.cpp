#include "app/placement.h"

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

void ShowForPlacement(HWND window)
{
    if (PlacementHidesButton(Settings.place)) {
        ShowWindow(window, SW_HIDE);
    } else {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    SaveSettings(window);
}

void ChangePlacement(HWND window, int32_t mode)
{
    ChangeSetting(&SettingsRecord::place, mode);
    ShowForPlacement(window);
    if (PlacementHasTrayIcon(mode))
        AddTrayIcon(window);
    else
        RemoveTrayIcon(window);
}
