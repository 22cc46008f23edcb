// The button window's procedure: mouse, tray, hotkeys, menu population,
// owner-drawn items, display and colour changes, the second instance's call.
#ifndef VORNEL_APP_MAIN_WINDOW_H
#define VORNEL_APP_MAIN_WINDOW_H

#include <windows.h>

#include "app/click_timing.h"
#include "base/program.h"   // MSG_TRAY_CALLBACK and MSG_REFRESH_TRAY

// What the button window keeps between its messages; there is one button.
struct ButtonWindowRecord {
    UINT taskbarCreatedMessage;
    // Set while the left button is held down on the button: the face is
    // drawn pressed and mouse moves drag the window.
    bool dragging;
    // Set with dragging; tells the capture-loss handler a repaint is due.
    bool pressed;
    // Cursor minus the window's top-left corner at the press, in screen pixels.
    POINT dragOffset;
    // The previous left press (its tick taken once its double-click, if
    // any, was handled); none before the first.
    ButtonPress lastPress;
    // The window last minimized by Ctrl+Alt+Num- or Ctrl+Alt+Num*.
    HWND rememberedWindow;
    // Ctrl+` came while the popup menu was open: acted on when it closes.
    bool calculatorWaiting;
};

extern const ButtonWindowRecord& ButtonWindow;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
