// The Spy window: follows the mouse and shows the window under the cursor
// (its handle, parent, class, text, menu and rectangle), the cursor position
// and the colour of the pixel there, in decimal or in hexadecimal as the
// "Color as Hex value" box (the ColourAsHex setting) says. Holding Shift or
// Ctrl freezes it; Ctrl+C without a selection copies every field.
#ifndef VORNEL_DIALOGS_SPY_WINDOW_SPY_WINDOW_H
#define VORNEL_DIALOGS_SPY_WINDOW_SPY_WINDOW_H

#include <windows.h>

#include <stdint.h>

const UINT_PTR SPY_TIMER_ID = 110;
const UINT SPY_TIMER_PERIOD_MS = 100;

// The longest the window under the cursor may take to give its text; one
// that does not answer in time shows an empty text.
const UINT SPY_TEXT_TIMEOUT_MS = 100;

// Every field holds at most 254 characters.
const int SPY_FIELD_CAPACITY = 255;
const int SPY_FIELD_COUNT = 8;

// What the spy keeps from one opening to the next: the form of the colour
// (0 decimal; anything else hexadecimal, toggled with "Color as Hex value")
// and the cursor position of the last look, so a new opening shows nothing
// until the mouse moves. Within an opening, also the window whose class and
// text the fields show, and what each field was last given.
struct SpyWindowState {
    int32_t colourAsHex;
    POINT lastPosition;
    HWND describedWindow;
    // In the order of the dialog's fields. A field the user changes is no
    // longer known, and the next look writes it again.
    char shown[SPY_FIELD_COUNT][SPY_FIELD_CAPACITY];
    bool known[SPY_FIELD_COUNT];
    bool writing;   // the spy itself is changing a field
};

// Runs the spy window (template 300) owned by owner with its state, which
// it changes. False when it was open already (and nothing happened).
bool ShowSpyWindow(HWND owner, SpyWindowState& state);

// Its WM_INITDIALOG takes a SpyWindowState.
INT_PTR CALLBACK SpyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
