#include "dialogs/colours/colours_dialog.h"

#include <commctrl.h>

#include "base/system_libraries.h"
#include "dialogs/single_dialog.h"
#include "res/resource.h"
#include "ui/button_face.h"

// The sliders of red, green and blue, in the order of a colour's bytes.
static const int Trackbars[3] = { IDC_COLOUR_RED, IDC_COLOUR_GREEN, IDC_COLOUR_BLUE };

// Each face of the preview takes its side plus two pixels: 25 + 25 + 47 + 47.
const int PREVIEW_ROW_WIDTH = 144;
// Lowers the small faces to the middle of the large ones: (45 - 23) / 2.
const int SMALL_FACE_DROP = 11;

static unsigned Component(ColourValue colour, int index)
{
    return (colour >> (8 * index)) & 0xFF;
}

void ShowColourText(HWND dialog, ColourValue colour)
{
    // Three bytes of three digits each and two line breaks: 11 characters.
    char text[16];
    wsprintfA(text, "%3u\n%3u\n%3u", Component(colour, 0), Component(colour, 1), Component(colour, 2));
    SetDlgItemTextA(dialog, IDC_COLOUR_VALUES, text);
}

void ShowSlotValues(HWND dialog, ColourValue colour)
{
    for (int i = 0; i < 3; ++i)
        SendDlgItemMessageA(dialog, Trackbars[i], TBM_SETPOS, TRUE, static_cast<LPARAM>(Component(colour, i)));
    ShowColourText(dialog, colour);
}

// The preview follows the thumb while it is dragged, so it is painted now
// rather than when the dialog's queue next runs dry.
static void RepaintNow(HWND dialog)
{
    InvalidateRect(dialog, nullptr, FALSE);
    UpdateWindow(dialog);
}

void ReadTrackbars(HWND dialog, ColoursEdit& edit)
{
    ColourValue colour = 0;
    for (int i = 0; i < 3; ++i)
        colour |= static_cast<ColourValue>(SendDlgItemMessageA(dialog, Trackbars[i], TBM_GETPOS, 0, 0)) << (8 * i);
    colour &= 0xFFFFFF;
    edit.scheme.colours[edit.selectedSlot] = colour;
    ShowColourText(dialog, colour);
    RepaintNow(dialog);
}

// The four faces in the working scheme in one row over the "Preview" box:
// unpressed and pressed at the normal size, then at the Large Window size.
// The row is placed by the group box's offset within the dialog's window
// rectangle, taken as client coordinates.
static void PaintPreview(HWND dialog, const ColourScheme& scheme)
{
    HWND group = GetDlgItem(dialog, IDC_COLOUR_PREVIEW);
    RECT dialogRect, groupRect, groupClient;
    GetWindowRect(dialog, &dialogRect);
    GetWindowRect(group, &groupRect);
    GetClientRect(group, &groupClient);
    int gap = (groupClient.right - groupClient.left - PREVIEW_ROW_WIDTH) / 4;
    int x = (groupRect.left - dialogRect.left) + gap / 2;
    int y = (groupRect.top - dialogRect.top) + 1;

    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    DrawButtonFace(dc, IDB_FACE_UNPRESSED, x, y + SMALL_FACE_DROP, 0, scheme);
    x += gap + FaceSize[0] + 2;
    DrawButtonFace(dc, IDB_FACE_PRESSED, x, y + SMALL_FACE_DROP, 0, scheme);
    x += gap + FaceSize[0] + 2;
    DrawButtonFace(dc, IDB_FACE_LARGE_UNPRESSED, x, y, 1, scheme);
    x += gap + FaceSize[1] + 2;
    DrawButtonFace(dc, IDB_FACE_LARGE_PRESSED, x, y, 1, scheme);
    EndPaint(dialog, &paint);
}

static void OnInitDialog(HWND dialog, ColoursEdit& edit)
{
    for (int id : Trackbars)
        SendDlgItemMessageA(dialog, id, TBM_SETRANGE, TRUE, MAKELPARAM(0, 255));
    edit.selectedSlot = UnpressedColour;
    CheckRadioButton(dialog, IDC_COLOUR_UNPRESSED, IDC_COLOUR_SHADOW, IDC_COLOUR_UNPRESSED);
    ShowSlotValues(dialog, edit.scheme.colours[edit.selectedSlot]);
}

// All four colours go back; the slot being edited stays selected.
static void RestoreDefaults(HWND dialog, ColoursEdit& edit)
{
    edit.scheme = DefaultColourScheme;
    RepaintNow(dialog);
    ShowSlotValues(dialog, edit.scheme.colours[edit.selectedSlot]);
}

static void OnCommand(HWND dialog, ColoursEdit& edit, int id, UINT code)
{
    switch (id) {
    case IDC_COLOUR_UNPRESSED:
    case IDC_COLOUR_HIGHLIGHT:
    case IDC_COLOUR_PRESSED:
    case IDC_COLOUR_SHADOW:
        if (code == BN_CLICKED) {
            edit.selectedSlot = id - IDC_COLOUR_UNPRESSED;
            ShowSlotValues(dialog, edit.scheme.colours[edit.selectedSlot]);
        }
        break;
    case IDOK:
        EndDialog(dialog, IDOK);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_COLOUR_DEFAULT:
        RestoreDefaults(dialog, edit);
        break;
    }
}

INT_PTR CALLBACK ColoursDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        KeepDialogState(dialog, lParam);
        OnInitDialog(dialog, *reinterpret_cast<ColoursEdit*>(lParam));
        return TRUE;
    }
    ColoursEdit* edit = DialogState<ColoursEdit>(dialog);
    if (!edit)
        return FALSE;
    switch (message) {
    case WM_PAINT:      PaintPreview(dialog, edit->scheme); return TRUE;
    case WM_HSCROLL:    ReadTrackbars(dialog, *edit); return TRUE;
    case WM_COMMAND:    OnCommand(dialog, *edit, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_CLOSE:      EndDialog(dialog, 0); return TRUE;
    }
    return FALSE;
}

static const SingleDialog ColoursDialog = { IDD_COLOURS, ColoursDlgProc, SECOND_REQUEST_IGNORED };

bool EditColours(HWND owner, ColourScheme& scheme)
{
    // The sliders are common controls: without their library there is no dialog.
    if (!LoadCommonControls())
        return false;
    ColoursEdit edit = { scheme, UnpressedColour };
    if (RunSingleDialog(ColoursDialog, owner, &edit) != IDOK)
        return false;
    scheme = edit.scheme;
    return true;
}
