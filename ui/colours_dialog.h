// The Colours dialog: three sliders edit one colour of a working copy of
// the scheme at a time, four faces show the copy as it is edited, and only
// OK puts it in force.
#ifndef VORNEL_UI_COLOURS_DIALOG_H
#define VORNEL_UI_COLOURS_DIALOG_H

#include <windows.h>

#include "settings/colour_scheme.h"

// The scheme being edited, copied from the current one when the dialog
// opens; it keeps its last content after the dialog has closed.
extern ColourScheme WorkingScheme;
// The slot the sliders edit, 0 to 3 as the radio buttons 65 to 68.
extern int SelectedSlot;

// The colour's red, green and blue as three right-aligned numbers.
void ShowColourText(HWND dialog, ColourValue colour);
// Puts the sliders on the colour's components, then shows its numbers.
void ShowSlotValues(HWND dialog, ColourValue colour);
// Takes the sliders' colour into the slot and repaints the preview at once.
void ReadTrackbars(HWND dialog, int slot);

// Ends with 1 (OK, the working scheme now current) or 0 (Cancel, Escape,
// close box: nothing changed).
INT_PTR CALLBACK ColoursDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
