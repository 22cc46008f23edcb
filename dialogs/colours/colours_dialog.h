// The Colours dialog: three sliders edit one colour of a working copy of
// the scheme at a time, four faces show the copy as it is edited, and only
// OK hands it back.
#ifndef VORNEL_DIALOGS_COLOURS_COLOURS_DIALOG_H
#define VORNEL_DIALOGS_COLOURS_COLOURS_DIALOG_H

#include <windows.h>

#include "settings/colour_scheme.h"

// The dialog's state: the scheme being edited and the slot the sliders
// edit, 0 to 3 as the radio buttons 65 to 68.
struct ColoursEdit {
    ColourScheme scheme;
    int selectedSlot;
};

// Lets the user edit scheme (template 69, owned by owner). True when the
// dialog ended with OK: scheme is then what the user chose. False on Cancel,
// Escape or the close box, without the common controls, and while the
// dialog is open already; scheme is then unchanged.
bool EditColours(HWND owner, ColourScheme& scheme);

// The colour's red, green and blue as three right-aligned numbers.
void ShowColourText(HWND dialog, ColourValue colour);
// Puts the sliders on the colour's components, then shows its numbers.
void ShowSlotValues(HWND dialog, ColourValue colour);
// Takes the sliders' colour into the edited slot and repaints the preview at once.
void ReadTrackbars(HWND dialog, ColoursEdit& edit);

// Ends with IDOK or 0; its WM_INITDIALOG takes a ColoursEdit.
INT_PTR CALLBACK ColoursDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
