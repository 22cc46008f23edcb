#include "dialogs/spy_window/spy_window.h"

#include "base/handles.h"
#include "base/window_text.h"
#include "dialogs/single_dialog.h"
#include "res/resource.h"

// Every field is written from a buffer this long; the widest format fills
// less than a quarter of it, so wsprintfA never reaches its end.
const int SPY_FIELD_CAPACITY = 255;

static const char HandleFormat[] = "Dec: %06d, Hex: %06x";
static const char PositionFormat[] = "X: %5d, Y: %5d";
static const char RectangleFormat[] = "%d, %d, %d, %d";
static const char DecimalColourFormat[] = "R: %3d, G: %3d, B: %3d";
static const char HexColourFormat[] = "R: %2x, G: %2x, B: %2x";

static void ShowHandle(HWND dialog, int field, const void* handle)
{
    // The field shows the low 32 bits: all of a handle on 32-bit systems, and
    // all that window and menu handles use on 64-bit ones.
    UINT low = static_cast<UINT>(reinterpret_cast<UINT_PTR>(handle));
    char text[SPY_FIELD_CAPACITY];
    wsprintfA(text, HandleFormat, low, low);
    SetDlgItemTextA(dialog, field, text);
}

// The window's text, at most 254 characters; empty when it has none or does
// not answer in time. The caption of another program's window is read
// without asking it; controls of other programs keep their text to
// themselves, so those are asked.
static void ReadSpyText(HWND window, char* text)
{
    if (ReadWindowText(window, WINDOW_TITLE, text, SPY_FIELD_CAPACITY, SPY_TEXT_TIMEOUT_MS) && !text[0])
        ReadWindowText(window, WINDOW_ANSWER, text, SPY_FIELD_CAPACITY, SPY_TEXT_TIMEOUT_MS);
}

// The pixel is read through the window's own DC, so over a caption it is the
// caption's colour; the DC goes back at once.
static void ShowColour(HWND dialog, bool hex, HWND window, POINT cursor, const RECT& rect)
{
    COLORREF colour = CLR_INVALID;
    {
        WholeWindowDC dc(window);
        if (dc.get())
            colour = GetPixel(dc.get(), cursor.x - rect.left, cursor.y - rect.top);
    }
    // A failed read, CLR_INVALID, splits into 255, 255, 255.
    char text[SPY_FIELD_CAPACITY];
    wsprintfA(text, hex ? HexColourFormat : DecimalColourFormat,
              GetRValue(colour), GetGValue(colour), GetBValue(colour));
    SetDlgItemTextA(dialog, IDC_SPY_COLOUR, text);
}

// Looks again at the window under the cursor, unless the cursor has not moved.
static void OnSpyTimer(HWND dialog, SpyWindowState& state)
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    if (cursor.x == state.lastPosition.x && cursor.y == state.lastPosition.y)
        return;
    state.lastPosition = cursor;

    char text[SPY_FIELD_CAPACITY];
    wsprintfA(text, PositionFormat, cursor.x, cursor.y);
    SetDlgItemTextA(dialog, IDC_SPY_MOUSE, text);

    HWND window = WindowFromPoint(cursor);
    text[0] = '\0';
    GetClassNameA(window, text, SPY_FIELD_CAPACITY);
    SetDlgItemTextA(dialog, IDC_SPY_CLASS, text);
    ReadSpyText(window, text);
    SetDlgItemTextA(dialog, IDC_SPY_TEXT, text);

    ShowHandle(dialog, IDC_SPY_WINDOW, window);
    ShowHandle(dialog, IDC_SPY_PARENT, GetParent(window));
    RECT rect = {};
    GetWindowRect(window, &rect);
    wsprintfA(text, RectangleFormat, rect.left, rect.top, rect.right, rect.bottom);
    SetDlgItemTextA(dialog, IDC_SPY_RECT, text);
    ShowHandle(dialog, IDC_SPY_MENU, GetMenu(window));

    ShowColour(dialog, state.colourAsHex != 0, window, cursor, rect);
}

static void CloseSpy(HWND dialog)
{
    KillTimer(dialog, SPY_TIMER_ID);
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK SpyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        KeepDialogState(dialog, lParam);
        if (reinterpret_cast<SpyWindowState*>(lParam)->colourAsHex)
            CheckDlgButton(dialog, IDC_SPY_HEX, BST_CHECKED);
        // No timer procedure: the ticks come to this dialog as WM_TIMER.
        SetTimer(dialog, SPY_TIMER_ID, SPY_TIMER_PERIOD_MS, nullptr);
        return TRUE;
    }
    SpyWindowState* state = DialogState<SpyWindowState>(dialog);
    if (!state)
        return FALSE;
    switch (message) {
    case WM_TIMER:
        OnSpyTimer(dialog, *state);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SPY_HEX:
            // The box checks itself; the setting follows it, and the colour
            // changes form at the next update.
            state->colourAsHex ^= 1;
            return TRUE;
        case IDCANCEL:
        case IDC_CLOSE:
            CloseSpy(dialog);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        CloseSpy(dialog);
        return TRUE;
    }
    return FALSE;
}

static const SingleDialog SpyDialog = { IDD_SPY, SpyDlgProc, SECOND_REQUEST_IGNORED };

bool ShowSpyWindow(HWND owner, SpyWindowState& state)
{
    return RunSingleDialog(SpyDialog, owner, &state) != DIALOG_ALREADY_OPEN;
}
