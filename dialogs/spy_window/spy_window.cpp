#include "dialogs/spy_window/spy_window.h"

#include <string.h>

#include "actions/window_actions.h"
#include "base/clipboard.h"
#include "base/handles.h"
#include "base/text.h"
#include "base/window_text.h"
#include "dialogs/control_keys.h"
#include "dialogs/single_dialog.h"
#include "res/resource.h"

// Every field is written from a buffer of SPY_FIELD_CAPACITY; the widest
// format fills less than a quarter of it, so wsprintfA never reaches its end.
// Room for the longest label, "Text In Window".
const int SPY_LABEL_CAPACITY = 32;
// Ctrl+C as it comes to a control after translation.
const WPARAM CTRL_C = 3;

// The fields in the dialog's order, which is the order of the lines when
// all of them are copied.
static const int Fields[SPY_FIELD_COUNT] = { IDC_SPY_WINDOW, IDC_SPY_PARENT, IDC_SPY_CLASS, IDC_SPY_TEXT,
                                             IDC_SPY_MENU,   IDC_SPY_RECT,   IDC_SPY_MOUSE, IDC_SPY_COLOUR };

// The field's place in Fields, or -1.
static int FieldIndex(int id)
{
    for (int i = 0; i < SPY_FIELD_COUNT; ++i) {
        if (Fields[i] == id)
            return i;
    }
    return -1;
}

static const char HandleFormat[] = "Dec: %06d, Hex: %06x";
static const char PositionFormat[] = "X: %5d, Y: %5d";
static const char RectangleFormat[] = "%d, %d, %d, %d";
static const char DecimalColourFormat[] = "R: %3d, G: %3d, B: %3d";
static const char HexColourFormat[] = "R: %2x, G: %2x, B: %2x";

// Writes a field only when its text changes: each write costs the edit a new
// layout and a repaint, and rewriting all eight at every move made them
// flicker. The text is compared with what the field was last given, not
// read back from it, which cost a sixth of each look; what the user types
// over a field makes it unknown (see OnFieldChanged).
static void ShowField(HWND dialog, SpyWindowState& state, int field, const char* text)
{
    int i = FieldIndex(field);
    if (state.known[i] && strcmp(state.shown[i], text) == 0)
        return;
    state.writing = true;
    SetDlgItemTextA(dialog, field, text);
    state.writing = false;
    CopyText(state.shown[i], SPY_FIELD_CAPACITY, text);
    state.known[i] = true;
}

static void OnFieldChanged(SpyWindowState& state, int field)
{
    int i = FieldIndex(field);
    if (i >= 0 && !state.writing)
        state.known[i] = false;
}

// The fields start empty.
static void KnowEmptyFields(SpyWindowState& state)
{
    for (int i = 0; i < SPY_FIELD_COUNT; ++i) {
        state.shown[i][0] = '\0';
        state.known[i] = true;
    }
    state.writing = false;
}

static void ShowHandle(HWND dialog, SpyWindowState& state, int field, const void* handle)
{
    // The field shows the low 32 bits: all of a handle on 32-bit systems, and
    // all that window and menu handles use on 64-bit ones.
    UINT low = static_cast<UINT>(reinterpret_cast<UINT_PTR>(handle));
    char text[SPY_FIELD_CAPACITY];
    wsprintfA(text, HandleFormat, low, low);
    ShowField(dialog, state, field, text);
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
static void ShowColour(HWND dialog, SpyWindowState& state, HWND window, POINT cursor, const RECT& rect)
{
    COLORREF colour = CLR_INVALID;
    {
        WholeWindowDC dc(window);
        if (dc.get())
            colour = GetPixel(dc.get(), cursor.x - rect.left, cursor.y - rect.top);
    }
    // A failed read, CLR_INVALID, splits into 255, 255, 255.
    char text[SPY_FIELD_CAPACITY];
    wsprintfA(text, state.colourAsHex ? HexColourFormat : DecimalColourFormat,
              GetRValue(colour), GetGValue(colour), GetBValue(colour));
    ShowField(dialog, state, IDC_SPY_COLOUR, text);
}

// Shift or Ctrl held down. Keys typed into another program show in the
// asynchronous state; keys typed into the spy while it is in front show in
// its thread's state, the only place Wine keeps them.
static bool FreezeKeyHeld(HWND dialog)
{
    const int keys[] = { VK_SHIFT, VK_CONTROL };
    bool inFront = GetForegroundWindow() == dialog;
    for (int key : keys) {
        if (AsyncKeyHeld(key) || (inFront && GetKeyState(key) < 0))
            return true;
    }
    return false;
}

// Looks again at the window under the cursor, unless the cursor has not
// moved or a key freezes the fields.
static void OnSpyTimer(HWND dialog, SpyWindowState& state)
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    if (cursor.x == state.lastPosition.x && cursor.y == state.lastPosition.y)
        return;
    // Kept while frozen too, so that letting go of the key changes nothing
    // until the cursor moves again.
    state.lastPosition = cursor;
    if (FreezeKeyHeld(dialog))
        return;

    char text[SPY_FIELD_CAPACITY];
    wsprintfA(text, PositionFormat, cursor.x, cursor.y);
    ShowField(dialog, state, IDC_SPY_MOUSE, text);

    HWND window = WindowFromPoint(cursor);
    // Class and text are read once, as the cursor comes onto a window, not
    // at every move: the text may have to be asked of another program.
    if (window != state.describedWindow) {
        state.describedWindow = window;
        text[0] = '\0';
        GetClassNameA(window, text, SPY_FIELD_CAPACITY);
        ShowField(dialog, state, IDC_SPY_CLASS, text);
        ReadSpyText(window, text);
        ShowField(dialog, state, IDC_SPY_TEXT, text);
    }

    ShowHandle(dialog, state, IDC_SPY_WINDOW, window);
    ShowHandle(dialog, state, IDC_SPY_PARENT, GetParent(window));
    RECT rect = {};
    GetWindowRect(window, &rect);
    wsprintfA(text, RectangleFormat, rect.left, rect.top, rect.right, rect.bottom);
    ShowField(dialog, state, IDC_SPY_RECT, text);
    ShowHandle(dialog, state, IDC_SPY_MENU, GetMenu(window));

    ShowColour(dialog, state, window, cursor, rect);
}

// Every field as a line "Label: value" ending in CR LF. Each label is the
// control just before its field in the template.
static void CopyAllFields(HWND dialog)
{
    const int lineCapacity = SPY_LABEL_CAPACITY + 2 + SPY_FIELD_CAPACITY + 2;
    char all[sizeof Fields / sizeof Fields[0] * lineCapacity] = "";
    for (int field : Fields) {
        HWND control = GetDlgItem(dialog, field);
        char label[SPY_LABEL_CAPACITY] = "";
        char value[SPY_FIELD_CAPACITY] = "";
        GetWindowTextA(GetWindow(control, GW_HWNDPREV), label, SPY_LABEL_CAPACITY);
        GetWindowTextA(control, value, SPY_FIELD_CAPACITY);
        AppendText(all, sizeof all, label);
        AppendText(all, sizeof all, ": ");
        AppendText(all, sizeof all, value);
        AppendText(all, sizeof all, "\r\n");
    }
    PutTextOnClipboard(dialog, all, strlen(all));
}

static bool HasSelection(HWND control)
{
    // Left at 0 by the controls that have no selection, the check box and Close.
    DWORD start = 0, end = 0;
    SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start != end;
}

// Ctrl+C reaches the control with the focus as the character 3, which is
// where an edit copies its selection; without one, the spy copies all.
static LRESULT CALLBACK SpyControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR && wParam == CTRL_C && !HasSelection(control)) {
        CopyAllFields(GetParent(control));
        return 0;
    }
    return CallControlProcedure(control, message, wParam, lParam);
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
        SpyWindowState* opened = reinterpret_cast<SpyWindowState*>(lParam);
        opened->describedWindow = nullptr;
        KnowEmptyFields(*opened);
        if (opened->colourAsHex)
            CheckDlgButton(dialog, IDC_SPY_HEX, BST_CHECKED);
        for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
            SubclassControl(control, SpyControlProc);
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
        if (HIWORD(wParam) == EN_CHANGE) {
            OnFieldChanged(*state, LOWORD(wParam));
            return TRUE;
        }
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
