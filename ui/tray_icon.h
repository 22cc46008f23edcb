// The icon in the taskbar's notification area, shown in the placement
// modes that have one.
#ifndef VORNEL_UI_TRAY_ICON_H
#define VORNEL_UI_TRAY_ICON_H

#include <windows.h>
#include <shellapi.h>

const UINT TRAY_ICON_ID = 100;

// The 88-byte record of the oldest shell, with a 64-character tip; every
// shell accepts it. Filled by AddTrayIcon and reused unchanged.
extern const NOTIFYICONDATAA& TrayIconData;
// True only while the shell has accepted the icon.
extern const bool& TrayIconShown;

// Adds the icon in TrayOnly and WindowAndTray when it is not shown yet.
void AddTrayIcon(HWND window);
// Deletes the icon when it is shown; afterwards it counts as not shown.
void RemoveTrayIcon(HWND window);
// The taskbar was made anew: the old icon died with the old one, so it no
// longer counts as shown, and nothing is asked of the shell.
void ForgetTrayIcon();
// Shows the pressed or the unpressed ball while the icon is shown.
void SetTrayIconPressed(bool pressed);

// Both button icons again from the current colours, then the tray icon
// again so it shows them.
void RefreshButtonIcons(HWND window);

#endif
