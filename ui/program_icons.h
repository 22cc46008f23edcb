// Icons loaded at start-up and kept for the whole run (never destroyed):
// the program's own resource icons and three of the system's.
#ifndef VORNEL_UI_PROGRAM_ICONS_H
#define VORNEL_UI_PROGRAM_ICONS_H

#include <windows.h>

struct StartupIcons {
    HICON desk;             // 12: Desktop submenu, windows tree root
    HICON taskManager;      // 14
    HICON minimizeAll;      // 41
    HICON floating;         // 35: mark of the Floating placement
    HICON tray;             // 36: TrayOnly
    HICON windowAndTray;    // 37: WindowAndTray
    HICON hotkeyOnly;       // 13: HotkeyOnly
    HICON genericWindow;    // 93
    HICON cdEject;          // 153
    HICON cdClose;          // 154
    HICON about;            // system IDI_ASTERISK
    HICON exitWindows;      // system IDI_HAND
    HICON restartWindows;   // system IDI_WINLOGO
};
extern StartupIcons Icons;

// Loads them all, and AppIcon and AppIconPressed of the button face. An icon
// that fails to load stays null.
void LoadProgramIcons(HINSTANCE instance);

#endif
