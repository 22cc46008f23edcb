// The Calculator dialog: an expression box with the history of evaluated
// expressions, the result, and Copy. The history survives restarts as the
// values "calc0" to "calc29" of the program's registry key.
#ifndef VORNEL_TOOLS_CALCULATOR_DIALOG_H
#define VORNEL_TOOLS_CALCULATOR_DIALOG_H

#include <windows.h>

const int CALCULATOR_HISTORY_SIZE = 30;

// True while the dialog exists; the dialog sets it, its opener clears it.
extern bool CalculatorOpen;
// The dialog, valid while CalculatorOpen.
extern HWND CalculatorWindow;

INT_PTR CALLBACK CalculatorDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Writes the first 30 items of the history as "calc0", "calc1", ...
void SaveCalculatorHistory(HWND dialog);

#endif
