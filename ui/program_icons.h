// Every icon the program keeps for its whole run: its own resource icons and
// three of the system's, loaded at start-up and never destroyed, and the two
// icons of the ball in the user's colours, rebuilt when the colours change.
#ifndef VORNEL_UI_PROGRAM_ICONS_H
#define VORNEL_UI_PROGRAM_ICONS_H

#include <windows.h>

struct StartupIcons {
    HICON app;              // 9: class icon; stands in for an empty button icon slot 0
    HICON appPressed;       // 40: stands in for slot 1
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
extern const StartupIcons& Icons;

// Loads them all. An icon that fails to load stays null.
void LoadProgramIcons(HINSTANCE instance);

// The ball in the current colours: slot 0 unpressed, slot 1 pressed; null
// until built and after a failed build.
extern HICON const (&ButtonIcons)[2];

// Rebuilds both slots from the current colours, destroying their previous
// icons.
void BuildButtonIcons(HWND window);
// Destroys both, slot 0 then slot 1.
void DestroyButtonIcons();
// The slot's icon, or the resource icon standing in for it (also before
// LoadProgramIcons).
HICON ButtonIconOrDefault(int slot);

#endif
