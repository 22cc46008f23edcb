// The button window's procedure: mouse, tray, hotkeys, menu population,
// owner-drawn items, display and colour changes, the second instance's call.
#ifndef VORNEL_APP_MAIN_WINDOW_H
#define VORNEL_APP_MAIN_WINDOW_H

#include <windows.h>

#include "base/program.h"   // MSG_TRAY_CALLBACK and MSG_REFRESH_TRAY

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
