// The global hotkeys: the popup menu, the calculator, and maximizing,
// minimizing and restoring whatever window is in front.
#ifndef VORNEL_APP_HOTKEYS_H
#define VORNEL_APP_HOTKEYS_H

#include <windows.h>

enum HotkeyId {
    HOTKEY_MENU = 4096,             // Ctrl+Shift+Delete
    HOTKEY_MAXIMIZE = 4097,         // Ctrl+Alt+Num+
    HOTKEY_MINIMIZE = 4098,         // Ctrl+Alt+Num-
    HOTKEY_TOGGLE_MINIMIZE = 4099,  // Ctrl+Alt+Num*
    HOTKEY_RESTORE = 4100,          // Ctrl+Alt+Num/
    HOTKEY_CALCULATOR = 4112,       // Ctrl+` (the key left of 1 on US keyboards)
};

// Registers the six hotkeys in id order; one owned by another program is
// skipped. The popup menu notes whether Ctrl+Shift+Delete is the button's.
void RegisterHotkeys(HWND window);
void UnregisterHotkeys(HWND window);

// Tries Ctrl+Shift+Delete once more when another program held it before.
void ClaimMenuHotkey(HWND window);

// Acts on a hotkey. The action follows the keys (lParam of WM_HOTKEY), not
// the id, so the same combination always does the same thing. A window in
// front that does not answer is given up on after a short wait. remembered
// is the window last minimized by Ctrl+Alt+Num- or Ctrl+Alt+Num*. The
// calculator's key pressed while the popup menu is busy only sets
// calculatorWaiting.
void OnHotkey(HWND window, UINT modifiers, UINT key, HWND& remembered, bool& calculatorWaiting);

// Acts on a calculator key that waited for the popup menu, once the menu
// has closed.
void RunWaitingCalculator(HWND window, bool& calculatorWaiting);

#endif
