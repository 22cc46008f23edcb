// The Calculator dialog: an expression box with the history of evaluated
// expressions, the result, and Copy. The history survives restarts as the
// values "calc0" to "calc29" of the program's registry key.
#ifndef VORNEL_DIALOGS_CALCULATOR_CALCULATOR_DIALOG_H
#define VORNEL_DIALOGS_CALCULATOR_CALCULATOR_DIALOG_H

#include <windows.h>

const int CALCULATOR_HISTORY_SIZE = 30;

// Runs the calculator (template 156) owned by owner; afterwards the window
// that was in front before comes to the front again. Does nothing while the
// calculator is open.
void ShowCalculator(HWND owner);

// True from the request until the calculator has closed.
bool CalculatorOpen();
// Asks the open calculator to close, as its close box does.
void CloseCalculator();

INT_PTR CALLBACK CalculatorDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Writes the first 30 items of the history as "calc0", "calc1", ...
void SaveCalculatorHistory(HWND dialog);

#endif
