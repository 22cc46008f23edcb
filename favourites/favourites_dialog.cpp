#include "favourites/favourites_dialog.h"

#include <stdlib.h>
#include <string.h>

#include "base/platform.h"
#include "base/text.h"
#include "res/resource.h"
#include "settings/favourites_store.h"
#include "ui/favourite_list_item.h"

// Each field is read as at most 254 characters.
static const int FIELD_CAPACITY = 255;

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

static void FillList(HWND dialog)
{
    for (int i = 0; i <= FavouriteList.LastFavourite; ++i) {
        if (FavouriteList.programs[i][0])
            AddEntry(dialog, FavouriteList.programs[i], FavouriteList.parameters[i]);
    }
}

// FavouriteList keeps 100 entries, so that is where the commit stops (the
// dialog refuses more, this is the last line).
static void CommitFavourites(HWND dialog)
{
    ClearFavourites();
    HWND list = GetDlgItem(dialog, IDC_FAV_LIST);
    int count = EntryCount(dialog);
    for (int i = 0; i < count; ++i) {
        FavouriteEntryText entry(list, i);
        const char* program = nullptr;
        const char* parameters = nullptr;
        entry.Split(program, parameters);
        // An empty "Item%d" would end the stored list early.
        if (program[0] && !AppendFavourite(program, parameters))
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

static void UpdateButtons(HWND dialog)
{
    int count = EntryCount(dialog);
    bool full = count >= MAX_FAVOURITES;
    EnableControl(dialog, IDC_FAV_ERASE, count > 0);
    EnableControl(dialog, IDC_FAV_EDIT, count > 0);
    EnableControl(dialog, IDC_FAV_ADD, !full && GetWindowTextLengthA(GetDlgItem(dialog, IDC_FAV_PROGRAM)) > 0);
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
    char program[FIELD_CAPACITY];
    GetDlgItemTextA(dialog, IDC_FAV_PROGRAM, program, FIELD_CAPACITY);
    // A TAB would end the program inside the entry text; no path holds one,
    // so whatever follows a pasted TAB is not part of the program.
    if (char* tab = strchr(program, '\t'))
        *tab = '\0';
    if (!program[0])
        return;
    SetDlgItemTextA(dialog, IDC_FAV_PROGRAM, "");
    char parameters[FIELD_CAPACITY];
    GetDlgItemTextA(dialog, IDC_FAV_PARAMETERS, parameters, FIELD_CAPACITY);
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

static void OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDC_CLOSE:
        CommitFavourites(dialog);
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

INT_PTR CALLBACK FavouritesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        FillList(dialog);
        UpdateButtons(dialog);
        return TRUE;
    case WM_MEASUREITEM: {
        MEASUREITEMSTRUCT* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_LISTBOX)
            return FALSE;
        measure->itemHeight = FAVOURITE_ROW_HEIGHT;
        return TRUE;
    }
    case WM_DRAWITEM:
        DrawFavouriteListItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CLOSE:
        CommitFavourites(dialog);
        EndDialog(dialog, 0);
        return TRUE;
    case WM_COMMAND:
        // Every command and every change of a field may change what the
        // buttons can do.
        OnCommand(dialog, LOWORD(wParam));
        UpdateButtons(dialog);
        return TRUE;
    }
    return FALSE;
}
