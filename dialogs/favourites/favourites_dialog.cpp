#include "dialogs/favourites/favourites_dialog.h"

#include <windowsx.h>

#include <stdlib.h>
#include <string.h>

#include "base/platform.h"
#include "base/program.h"
#include "base/text.h"
#include "dialogs/control_keys.h"
#include "dialogs/favourites/favourite_rows.h"
#include "dialogs/single_dialog.h"
#include "res/resource.h"

// The Program field is read whole up to the longest path, 259 characters,
// the length Browse gives; the Parameters field as at most 254 characters.
static const int PROGRAM_CAPACITY = MAX_PATH;
static const int PARAMETERS_CAPACITY = 255;

static const char ProgramFilter[] =
    "Executable (*.exe;*.com;*.bat;*.pif)\0*.exe;*.com;*.bat;*.pif\0"
    "All files (*.*)\0*.*\0";

static LRESULT SendList(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendDlgItemMessageA(dialog, IDC_FAV_LIST, message, wParam, lParam);
}

static int EntryCount(HWND dialog)
{
    return static_cast<int>(SendList(dialog, LB_GETCOUNT, 0, 0));
}

// The list box sorts it in (case-insensitively, by program first).
static void AddEntry(HWND dialog, const char* program, const char* parameters)
{
    size_t capacity = strlen(program) + 1 + strlen(parameters) + 1;
    char* text = static_cast<char*>(malloc(capacity));
    if (!text)
        return;
    CopyText(text, capacity, program);
    AppendText(text, capacity, "\t");
    AppendText(text, capacity, parameters);
    SendList(dialog, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    free(text);
}

static void FillList(HWND dialog, const FavouriteListRecord& list)
{
    for (int i = 0; i <= list.LastFavourite; ++i) {
        if (list.programs[i][0])
            AddEntry(dialog, list.programs[i], list.parameters[i]);
    }
}

// A list keeps 100 entries, so that is where the commit stops (the dialog
// refuses more, this is the last line).
static void CommitFavourites(HWND dialog, FavouritesEdit& edit)
{
    ClearFavourites(edit.edited);
    edit.committed = true;
    HWND list = GetDlgItem(dialog, IDC_FAV_LIST);
    int count = EntryCount(dialog);
    for (int i = 0; i < count; ++i) {
        FavouriteEntryText entry(list, i);
        const char* program = nullptr;
        const char* parameters = nullptr;
        entry.Split(program, parameters);
        // An empty "Item%d" would end the stored list early.
        if (program[0] && !AppendFavourite(edit.edited, program, parameters))
            break;
    }
}

// A control about to be disabled must not keep the focus, or the keyboard
// is stranded on it; the Program field is where typing goes next.
static void EnableControl(HWND dialog, int id, bool enable)
{
    HWND control = GetDlgItem(dialog, id);
    if (!enable && GetFocus() == control)
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_FAV_PROGRAM)), TRUE);
    EnableWindow(control, enable);
}

// Enter adds while "&Add" can; otherwise it is the dialog's IDOK, which
// nothing here answers.
static void SetEnterButton(HWND dialog, bool add)
{
    int id = add ? IDC_FAV_ADD : IDOK;
    if (LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)) != id)
        SendMessageA(dialog, DM_SETDEFID, id, 0);
}

static void UpdateButtons(HWND dialog)
{
    int count = EntryCount(dialog);
    bool full = count >= MAX_FAVOURITES;
    bool canAdd = !full && GetWindowTextLengthA(GetDlgItem(dialog, IDC_FAV_PROGRAM)) > 0;
    EnableControl(dialog, IDC_FAV_ERASE, count > 0);
    EnableControl(dialog, IDC_FAV_EDIT, count > 0);
    EnableControl(dialog, IDC_FAV_ADD, canAdd);
    SetEnterButton(dialog, canAdd);
    ShowWindow(GetDlgItem(dialog, IDC_FAV_FULL), full ? SW_SHOWNA : SW_HIDE);
}

static void EraseFavourite(HWND dialog)
{
    if (EntryCount(dialog) == 0)
        return;
    int caret = static_cast<int>(SendList(dialog, LB_GETCARETINDEX, 0, 0));
    SendList(dialog, LB_DELETESTRING, caret, 0);
    if (caret > EntryCount(dialog) - 1)
        caret = 0;
    SendList(dialog, LB_SETCURSEL, caret, 0);
}

// Moves the entry at the caret into the fields; "&Add" puts it back.
static void EditFavourite(HWND dialog)
{
    if (EntryCount(dialog) == 0)
        return;
    int caret = static_cast<int>(SendList(dialog, LB_GETCARETINDEX, 0, 0));
    {
        FavouriteEntryText entry(GetDlgItem(dialog, IDC_FAV_LIST), caret);
        const char* program = nullptr;
        const char* parameters = nullptr;
        entry.Split(program, parameters);
        SetDlgItemTextA(dialog, IDC_FAV_PROGRAM, program);
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_FAV_PROGRAM)), TRUE);
        // An entry without parameters leaves what the user typed there.
        if (parameters[0])
            SetDlgItemTextA(dialog, IDC_FAV_PARAMETERS, parameters);
    }
    EraseFavourite(dialog);
}

static void AddFavourite(HWND dialog)
{
    if (EntryCount(dialog) >= MAX_FAVOURITES)
        return;   // the fields keep their text for after an erase
    char program[PROGRAM_CAPACITY];
    GetDlgItemTextA(dialog, IDC_FAV_PROGRAM, program, PROGRAM_CAPACITY);
    // A TAB would end the program inside the entry text; no path holds one,
    // so whatever follows a pasted TAB is not part of the program.
    if (char* tab = strchr(program, '\t'))
        *tab = '\0';
    if (!program[0])
        return;
    SetDlgItemTextA(dialog, IDC_FAV_PROGRAM, "");
    char parameters[PARAMETERS_CAPACITY];
    GetDlgItemTextA(dialog, IDC_FAV_PARAMETERS, parameters, PARAMETERS_CAPACITY);
    SetDlgItemTextA(dialog, IDC_FAV_PARAMETERS, "");
    AddEntry(dialog, program, parameters);
}

static void BrowseForProgram(HWND dialog)
{
    char file[MAX_PATH] = "";
    OPENFILENAMEA request = {};
    // The size the chooser of every supported system accepts.
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = dialog;
    request.lpstrFilter = ProgramFilter;
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = MAX_PATH;
    request.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (Platform.GetOpenFileNameA(&request)) {
        file[MAX_PATH - 1] = '\0';
        SetDlgItemTextA(dialog, IDC_FAV_PROGRAM, file);
    }
}

// The list notifies a double click below its last row too; only one on a
// row, which its first click made the caret's, edits.
static bool DoubleClickOnCaretRow(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_FAV_LIST);
    DWORD position = GetMessagePos();
    POINT point = { GET_X_LPARAM(position), GET_Y_LPARAM(position) };
    ScreenToClient(list, &point);
    RECT row = {};
    int caret = static_cast<int>(SendMessageA(list, LB_GETCARETINDEX, 0, 0));
    return SendMessageA(list, LB_GETITEMRECT, caret, reinterpret_cast<LPARAM>(&row)) != LB_ERR &&
           PtInRect(&row, point);
}

static void OnCommand(HWND dialog, FavouritesEdit& edit, int id, int code)
{
    switch (id) {
    case IDC_FAV_LIST:
        if (code == LBN_DBLCLK && DoubleClickOnCaretRow(dialog))
            EditFavourite(dialog);
        break;
    case IDC_CLOSE:
        CommitFavourites(dialog, edit);
        EndDialog(dialog, 0);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_FAV_EDIT:   EditFavourite(dialog); break;
    case IDC_FAV_ERASE:  EraseFavourite(dialog); break;
    case IDC_FAV_ADD:    AddFavourite(dialog); break;
    case IDC_FAV_BROWSE: BrowseForProgram(dialog); break;
    }
}

// Delete in the list erases the selected row as "&Erase" does. The list
// box's template has no LBS_WANTKEYBOARDINPUT, so the key is taken here.
static LRESULT CALLBACK FavouriteListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && wParam == VK_DELETE) {
        if (SendMessageA(list, LB_GETCURSEL, 0, 0) != LB_ERR)
            SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(IDC_FAV_ERASE, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(GetParent(list), IDC_FAV_ERASE)));
        return 0;
    }
    return CallControlProcedure(list, message, wParam, lParam);
}

// The note that the list is full sits below "&Erase", hidden until then. It
// is made here rather than in the template, which holds the editor's fields
// and buttons alone.
static void CreateListFullNote(HWND dialog)
{
    RECT place = { 190, 57, 190 + 52, 57 + 20 };
    MapDialogRect(dialog, &place);
    HWND note = CreateWindowExA(0, "STATIC", "List full: 100 favourites", WS_CHILD | SS_CENTER, place.left,
                                place.top, place.right - place.left, place.bottom - place.top, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FAV_FULL)), Program.instance,
                                nullptr);
    SendMessageA(note, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
}

INT_PTR CALLBACK FavouritesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The list box is measured while it is made, before WM_INITDIALOG.
    if (message == WM_MEASUREITEM) {
        MEASUREITEMSTRUCT* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_LISTBOX)
            return FALSE;
        measure->itemHeight = FAVOURITE_ROW_HEIGHT;
        return TRUE;
    }
    if (message == WM_INITDIALOG) {
        KeepDialogState(dialog, lParam);
        CreateListFullNote(dialog);
        SubclassControl(GetDlgItem(dialog, IDC_FAV_LIST), FavouriteListProc);
        FillList(dialog, *reinterpret_cast<FavouritesEdit*>(lParam)->current);
        UpdateButtons(dialog);
        return TRUE;
    }
    FavouritesEdit* edit = DialogState<FavouritesEdit>(dialog);
    if (!edit)
        return FALSE;
    switch (message) {
    case WM_DRAWITEM:
        DrawFavouriteListItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CLOSE:
        CommitFavourites(dialog, *edit);
        EndDialog(dialog, 0);
        return TRUE;
    case WM_COMMAND:
        // Every command and every change of a field may change what the
        // buttons can do.
        OnCommand(dialog, *edit, LOWORD(wParam), HIWORD(wParam));
        UpdateButtons(dialog);
        return TRUE;
    }
    return FALSE;
}

static const SingleDialog FavouritesDialog = { IDD_FAVOURITES, FavouritesDlgProc, SECOND_REQUEST_SHOWS_OPEN_ONE };

FavouritesEditOutcome EditFavouriteList(HWND owner, const FavouriteListRecord& current,
                                        FavouriteListRecord& edited)
{
    FavouritesEdit edit = { &current, FavouriteListRecord(), false };
    if (RunSingleDialog(FavouritesDialog, owner, &edit) == DIALOG_ALREADY_OPEN)
        return FAVOURITES_EDITOR_BUSY;
    if (!edit.committed)
        return FAVOURITES_KEPT;
    edited = edit.edited;
    return FAVOURITES_COMMITTED;
}
