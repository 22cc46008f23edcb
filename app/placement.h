// Where the button is and whether it shows: its size, its place from the
// settings, and the placement mode's choice between button, tray icon and
// hotkey alone. Whatever the mode, the program is never left unreachable:
// while the mode's own way in is missing, the button shows.
#ifndef VORNEL_APP_PLACEMENT_H
#define VORNEL_APP_PLACEMENT_H

#include <windows.h>

#include <stdint.h>

// The button's side in pixels for the present "LargeSize" setting.
int ButtonSide();

// Moves the button to the stored position at its present size.
void PlaceButtonWindow(HWND window);

// Hides or shows the button for the placement mode and the ways in that
// exist now, then saves the settings.
void ShowForPlacement(HWND window);

// The same without saving, after a way in came or went (the tray icon added
// again, the hotkey claimed); the window is touched only when it changes.
void KeepReachable(HWND window);

// A new placement mode: the tray icon and the button follow it, and it is
// saved at once. The stored mode is the one chosen, also while the button
// stands in for a way in that is missing.
void ChangePlacement(HWND window, int32_t mode);

#endif
