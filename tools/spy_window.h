// The Spy window: follows the mouse and shows the window under the cursor
// (its handle, parent, class, text, menu and rectangle), the cursor position
// and the colour of the pixel there, in decimal or in hexadecimal as the
// "Color as Hex value" box (the ColourAsHex setting) says.
#ifndef VORNEL_TOOLS_SPY_WINDOW_H
#define VORNEL_TOOLS_SPY_WINDOW_H

#include <windows.h>

const UINT_PTR SPY_TIMER_ID = 110;
const UINT SPY_TIMER_PERIOD_MS = 100;

// The longest the window under the cursor may take to give its text; one
// that does not answer in time shows an empty text.
const UINT SPY_TEXT_TIMEOUT_MS = 100;

// The cursor position of the last update. It lives as long as the program,
// so a new opening shows nothing until the mouse moves.
extern POINT LastSpyPosition;

INT_PTR CALLBACK SpyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
