// The button window's procedure: mouse, tray, hotkeys, menu population,
// owner-drawn items, display and colour changes, the second instance's call.
#ifndef VORNEL_APP_MAIN_WINDOW_H
#define VORNEL_APP_MAIN_WINDOW_H

#include <windows.h>

// Private messages. Their numbers are shared with other instances and the
// shell, so they never change.
const UINT MSG_TRAY_CALLBACK = WM_USER + 1;   // 1025: the tray icon's mouse events
const UINT MSG_REFRESH_TRAY = WM_USER + 2;    // 1026: a second instance was started

extern UINT TaskbarCreatedMessage;

// Set while the left button is held down on the button: the face is drawn
// pressed and mouse moves drag the window.
extern bool Dragging;
// Set with Dragging; tells the capture-loss handler a repaint is due.
extern bool Pressed;
// Cursor minus the window's top-left corner at the press, in screen pixels.
extern POINT DragOffset;
// GetTickCount at the previous left press; 0 before the first.
extern DWORD LastButtonDownTick;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
