#include "dialogs/calculator/calculator_dialog.h"

#include "dialogs/single_dialog.h"
#include "res/resource.h"
#include "settings/settings_store.h"
#include "logic/evaluator.h"
#include "logic/result_format.h"

static const char HistoryValueFormat[] = "calc%d";
static const char ErrorText[] = "Error";

// The expression and result fields hold 254 characters.
const int FIELD_CAPACITY = 255;

static LRESULT SendExpressionBox(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendDlgItemMessageA(dialog, IDC_CALC_EXPRESSION, message, wParam, lParam);
}

// True when some history item begins with text (the box's own
// case-insensitive prefix search).
static bool HistoryHasPrefix(HWND dialog, const char* text)
{
    return SendExpressionBox(dialog, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)) != CB_ERR;
}

static void LoadHistory(HWND dialog)
{
    for (int i = 0; i < CALCULATOR_HISTORY_SIZE; ++i) {
        char name[16], text[REGISTRY_STRING_CAPACITY];
        wsprintfA(name, HistoryValueFormat, i);
        if (!ReadRegistryString(HKEY_CURRENT_USER, SettingsKey, name, text))
            continue;   // a gap does not end the history
        if (i == 0)
            SetDlgItemTextA(dialog, IDC_CALC_EXPRESSION, text);
        if (!HistoryHasPrefix(dialog, text))
            SendExpressionBox(dialog, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

void SaveCalculatorHistory(HWND dialog)
{
    int count = static_cast<int>(SendExpressionBox(dialog, CB_GETCOUNT, 0, 0));
    if (count > CALCULATOR_HISTORY_SIZE)
        count = CALCULATOR_HISTORY_SIZE;
    for (int i = 0; i < count; ++i) {
        // An item is at most 254 characters: the box only takes what the
        // field holds and what was stored.
        if (SendExpressionBox(dialog, CB_GETLBTEXTLEN, i, 0) >= FIELD_CAPACITY)
            continue;
        char name[16], text[FIELD_CAPACITY];
        wsprintfA(name, HistoryValueFormat, i);
        if (SendExpressionBox(dialog, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text)) == CB_ERR)
            continue;
        WriteRegistryString(HKEY_CURRENT_USER, SettingsKey, name, text);
    }
}

static void Evaluate(HWND dialog)
{
    char expression[FIELD_CAPACITY];
    GetDlgItemTextA(dialog, IDC_CALC_EXPRESSION, expression, FIELD_CAPACITY);
    bool ok = false;
    double value = EvaluateExpression(expression, ok);
    char result[FIELD_CAPACITY];
    if (ok) {
        // On success the evaluator left the expression upper-cased.
        if (!HistoryHasPrefix(dialog, expression))
            SendExpressionBox(dialog, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(expression));
        FormatResult(value, result, sizeof result);
    } else {
        lstrcpynA(result, ErrorText, sizeof result);
    }
    SetDlgItemTextA(dialog, IDC_CALC_RESULT, result);
    // Typing now replaces the expression.
    SendExpressionBox(dialog, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

static void CopyResult(HWND dialog)
{
    SendDlgItemMessageA(dialog, IDC_CALC_RESULT, EM_SETSEL, 0, -1);
    SendDlgItemMessageA(dialog, IDC_CALC_RESULT, WM_COPY, 0, 0);
}

static void EndCalculator(HWND dialog)
{
    SaveCalculatorHistory(dialog);
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK CalculatorDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        LoadHistory(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_CALC_EVALUATE:
        case IDOK:
            Evaluate(dialog);
            return TRUE;
        case IDC_CALC_COPY:
            CopyResult(dialog);
            return TRUE;
        case IDC_CLOSE:
        case IDCANCEL:
            EndCalculator(dialog);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndCalculator(dialog);
        return TRUE;
    }
    return FALSE;
}

static const SingleDialog CalculatorDialog = { IDD_CALCULATOR, CalculatorDlgProc, SECOND_REQUEST_IGNORED };

void ShowCalculator(HWND owner)
{
    if (CalculatorOpen())
        return;
    HWND previous = GetForegroundWindow();
    RunSingleDialog(CalculatorDialog, owner, nullptr);
    SetForegroundWindow(previous);
}

bool CalculatorOpen()
{
    return SingleDialogOpen(IDD_CALCULATOR);
}

void CloseCalculator()
{
    if (HWND dialog = SingleDialogWindow(IDD_CALCULATOR))
        PostMessageA(dialog, WM_CLOSE, 0, 0);
}
