// Where the button is and whether it shows: its size, its place from the
// settings, and the placement mode's choice between button, tray icon and
// hotkey alone.
#ifndef VORNEL_APP_PLACEMENT_H
#define VORNEL_APP_PLACEMENT_H

#include <windows.h>

#include <stdint.h>

// The button's side in pixels for the present "LargeSize" setting.
int ButtonSide();

// Moves the button to the stored position at its present size.
void PlaceButtonWindow(HWND window);

// Hides or shows the button for the placement mode, then saves the settings.
void ShowForPlacement(HWND window);

// A new placement mode: the button and the tray icon follow it, and it is
// saved at once.
void ChangePlacement(HWND window, int32_t mode);

#endif
