#include "dialogs/processes_list/processes_list.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <stddef.h>
#include <stdlib.h>
#include <string.h>

#include "actions/process_actions.h"
#include "actions/shell_commands.h"
#include "base/clipboard.h"
#include "base/handles.h"
#include "base/platform.h"
#include "base/program.h"
#include "base/system_libraries.h"
#include "base/text.h"
#include "res/resource.h"
#include "ui/file_icons.h"

static const char IdleName[] = "Idle";
static const char IdentifierFormat[] = "%08x";
const int COLUMN_COUNT = 3;

static const char EndCaption[] = "End process";
static const char EndQuestion[] = "End \"%s\" (Process ID %08lx)?\n\nWhat it has not saved is lost.";
static const char EndFailure[] = "\"%s\" (Process ID %08lx) could not be ended:\n\n%s";
// By EndRefusal.
static const char* const EndRefusals[] = {
    nullptr,
    "\"%s\" (Process ID %08lx) is this program: \"Exit\" in its menu ends it.",
    "\"%s\" (Process ID %08lx) is part of the system and cannot be ended.",
    "\"%s\" (Process ID %08lx) is critical to Windows: ending it would stop Windows.",
};
// How long an ended process may take to be gone before the list is made anew.
const DWORD END_WAIT_MS = 2000;

enum ProcessMenuCommand : UINT { MENU_END_PROCESS = 1, MENU_COPY, MENU_OPEN_LOCATION };
static const ContextMenuItem ProcessMenu[] = {
    { MENU_END_PROCESS, "End process" },
    { MENU_COPY, "Copy" },
    { MENU_OPEN_LOCATION, "Open file location" },
    { IDC_REFRESH, "Refresh" },
};

const ULONG SYSTEM_PROCESS_INFORMATION_CLASS = 5;
const LONG STATUS_LENGTH_MISMATCH = static_cast<LONG>(0xC0000004);

#ifndef _WIN64
static_assert(offsetof(ProcessRecord, NextEntryOffset) == 0, "next-entry offset");
static_assert(offsetof(ProcessRecord, ImageName) + offsetof(UNICODE_STRING, Buffer) == 60, "image name text");
static_assert(offsetof(ProcessRecord, UniqueProcessId) == 68, "process identifier");
static_assert(offsetof(ProcessRecord, InheritedFromUniqueProcessId) == 72, "parent identifier");
// The size the Windows 9x tool help insists on.
static_assert(sizeof(PROCESSENTRY32) == 296, "tool help entry");
#endif

typedef HANDLE (WINAPI* SnapshotFunction)(DWORD flags, DWORD processId);
typedef BOOL (WINAPI* ProcessWalkFunction)(HANDLE snapshot, PROCESSENTRY32* entry);

// Process identifiers are 32-bit numbers even where the record carries them
// in pointer-sized fields.
static DWORD IdentifierOf(HANDLE field)
{
    return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(field));
}

SystemProcessBuffer::~SystemProcessBuffer()
{
    if (data)
        HeapFree(GetProcessHeap(), 0, data);
}

bool QuerySystemProcesses(SystemInformationQuery query, ULONG limit, SystemProcessBuffer& result)
{
    HANDLE heap = GetProcessHeap();
    result.size = 1;
    result.growthSteps = 0;
    result.data = static_cast<BYTE*>(HeapAlloc(heap, 0, result.size));
    if (!result.data) {
        SetLastError(ERROR_OUTOFMEMORY);
        return false;
    }
    // The size the query says it needs is not trusted to size the buffer:
    // the list can grow between two calls, so the buffer grows in fixed
    // steps until the answer fits.
    for (;;) {
        ULONG needed = 0;
        result.status = query(SYSTEM_PROCESS_INFORMATION_CLASS, result.data, result.size, &needed);
        if (result.status != STATUS_LENGTH_MISMATCH)
            break;
        if (result.size > limit || limit - result.size < SYSTEM_PROCESS_BUFFER_GROWTH)
            return false;
        void* grown = HeapReAlloc(heap, 0, result.data, result.size + SYSTEM_PROCESS_BUFFER_GROWTH);
        if (!grown) {
            SetLastError(ERROR_OUTOFMEMORY);
            return false;
        }
        result.data = static_cast<BYTE*>(grown);
        result.size += SYSTEM_PROCESS_BUFFER_GROWTH;
        ++result.growthSteps;
    }
    return result.status == 0;
}

// The image name of a record, in the ANSI code page. The name's text lies in
// the same buffer behind the records; a name pointing anywhere else is not
// read.
static void ImageNameOf(const UNICODE_STRING& image, const BYTE* data, ULONG size, char* name)
{
    name[0] = '\0';
    if (!image.Buffer) {
        CopyText(name, MAX_PATH, IdleName);
        return;
    }
    UINT_PTR start = reinterpret_cast<UINT_PTR>(image.Buffer);
    UINT_PTR first = reinterpret_cast<UINT_PTR>(data), end = first + size;
    if (start < first || start > end || end - start < image.Length)
        return;
    int written = WideCharToMultiByte(GetACP(), 0, image.Buffer, image.Length / sizeof(WCHAR), name,
                                      MAX_PATH - 1, nullptr, nullptr);
    name[written > 0 ? written : 0] = '\0';
}

void ListProcessRecords(const BYTE* data, ULONG size, ProcessSink add, void* context)
{
    ULONG offset = 0;
    while (size - offset >= sizeof(ProcessRecord)) {
        ProcessRecord record;
        memcpy(&record, data + offset, sizeof record);
        char name[MAX_PATH];
        ImageNameOf(record.ImageName, data, size, name);
        add(context, name, IdentifierOf(record.UniqueProcessId), IdentifierOf(record.InheritedFromUniqueProcessId));
        // An offset leading out of the buffer ends the list like the last entry.
        if (record.NextEntryOffset == 0 || record.NextEntryOffset > size - offset)
            break;
        offset += record.NextEntryOffset;
    }
}

bool EnumerateWithSystemInformation(ProcessSink add, void* context)
{
    HMODULE ntdll = GetModuleHandleA("ntdll");
    SystemInformationQuery query =
        ntdll ? reinterpret_cast<SystemInformationQuery>(GetProcAddress(ntdll, "NtQuerySystemInformation")) : nullptr;
    if (!query)
        return false;
    SystemProcessBuffer buffer;
    if (!QuerySystemProcesses(query, SYSTEM_PROCESS_BUFFER_LIMIT, buffer))
        return false;
    ListProcessRecords(buffer.data, buffer.size, add, context);
    return true;
}

bool EnumerateWithToolHelp(ProcessSink add, void* context)
{
    HMODULE kernel = GetModuleHandleA("Kernel32.dll");
    SnapshotFunction snapshot = nullptr;
    ProcessWalkFunction first = nullptr, next = nullptr;
    if (kernel) {
        snapshot = reinterpret_cast<SnapshotFunction>(GetProcAddress(kernel, "CreateToolhelp32Snapshot"));
        first = reinterpret_cast<ProcessWalkFunction>(GetProcAddress(kernel, "Process32First"));
        next = reinterpret_cast<ProcessWalkFunction>(GetProcAddress(kernel, "Process32Next"));
    }
    if (!snapshot || !first || !next) {
        SetLastError(ERROR_INVALID_FUNCTION);
        return false;
    }
    SnapshotHandle processes(snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    if (!processes.valid() || !first(processes.get(), &entry))
        return false;
    do {
        char name[MAX_PATH];
        CopyText(name, sizeof name, entry.szExeFile);
        add(context, name, entry.th32ProcessID, entry.th32ParentProcessID);
    } while (next(processes.get(), &entry));
    return true;
}

ProcessListState::~ProcessListState()
{
    free(rows);
}

// Room for one more row at the end; null when the heap has none.
static ProcessRow* NewRow(ProcessListState& state)
{
    if (state.rowCount == state.rowCapacity) {
        int capacity = state.rowCapacity ? 2 * state.rowCapacity : 64;
        void* grown = realloc(state.rows, capacity * sizeof(ProcessRow));
        if (!grown)
            return nullptr;
        state.rows = static_cast<ProcessRow*>(grown);
        state.rowCapacity = capacity;
    }
    return &state.rows[state.rowCount++];
}

void AddProcessRow(ProcessListState& state, const char* name, DWORD processId, DWORD parentId)
{
    // A row that could not be kept could not be sorted nor acted on.
    ProcessRow* kept = NewRow(state);
    if (!kept)
        return;
    CopyText(kept->name, sizeof kept->name, name);
    kept->processId = processId;
    kept->parentId = parentId;

    // When the shell finds no icon for the name it answers with a file of
    // its choice, often this program itself, and writes that file's path
    // over the name it was given; AssociatedIcon hands it a copy, so the
    // row keeps the process's own name.
    OwnedIcon icon(AssociatedIcon(name));
    int image = I_IMAGENONE;
    if (icon.get() && state.images) {
        image = state.imageLists->ReplaceIcon(state.images, -1, icon.get());
        if (image < 0)
            image = I_IMAGENONE;
    }

    LVITEMA row = {};
    row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    row.iItem = static_cast<int>(SendMessageA(state.control, LVM_GETITEMCOUNT, 0, 0));
    row.pszText = const_cast<char*>(name);
    row.iImage = image;
    row.lParam = state.rowCount - 1;
    row.iItem = static_cast<int>(SendMessageA(state.control, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
    if (row.iItem < 0)
        return;
    const DWORD identifiers[2] = { processId, parentId };
    for (int column = 1; column <= 2; ++column) {
        char text[16];
        wsprintfA(text, IdentifierFormat, identifiers[column - 1]);
        LVITEMA cell = {};
        cell.mask = LVIF_TEXT;
        cell.iItem = row.iItem;
        cell.iSubItem = column;
        cell.pszText = text;
        SendMessageA(state.control, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&cell));
    }
}

static void AddRow(void* state, const char* name, DWORD processId, DWORD parentId)
{
    AddProcessRow(*static_cast<ProcessListState*>(state), name, processId, parentId);
}

// The row a list item stands for; null for none.
static const ProcessRow* RowOfItem(const ProcessListState& state, int item)
{
    LVITEMA entry = {};
    entry.mask = LVIF_PARAM;
    entry.iItem = item;
    if (item < 0 || !SendMessageA(state.control, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry)) ||
        entry.lParam < 0 || entry.lParam >= state.rowCount)
        return nullptr;
    return &state.rows[entry.lParam];
}

static int NextSelected(HWND list, int after)
{
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, after, LVNI_SELECTED));
}

static void SetItemState(HWND list, int item, UINT state, UINT mask)
{
    LVITEMA entry = {};
    entry.state = state;
    entry.stateMask = mask;
    SendMessageA(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&entry));
}

static int CompareNumbers(DWORD first, DWORD second)
{
    return first < second ? -1 : first > second ? 1 : 0;
}

static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM list)
{
    const ProcessListState& state = *reinterpret_cast<const ProcessListState*>(list);
    const ProcessRow &a = state.rows[first], &b = state.rows[second];
    int order = state.sortColumn == 0   ? lstrcmpiA(a.name, b.name)
                : state.sortColumn == 1 ? CompareNumbers(a.processId, b.processId)
                                        : CompareNumbers(a.parentId, b.parentId);
    // Equal names and parents fall back on the process, so that the two
    // directions are each other's reverse.
    if (order == 0)
        order = CompareNumbers(a.processId, b.processId);
    return state.descending ? -order : order;
}

static void SortRows(ProcessListState& state)
{
    if (state.sortColumn >= 0)
        SendMessageA(state.control, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&state),
                     reinterpret_cast<LPARAM>(CompareRows));
}

static bool SameProcess(const ProcessRow& first, const ProcessRow& second)
{
    return first.processId == second.processId && lstrcmpA(first.name, second.name) == 0;
}

// Selects the rows of the processes among count earlier ones, and gives the
// first of them the focus.
static void SelectAgain(ProcessListState& state, const ProcessRow* earlier, int count)
{
    int items = static_cast<int>(SendMessageA(state.control, LVM_GETITEMCOUNT, 0, 0)), focused = -1;
    for (int item = 0; item < items && count > 0; ++item) {
        const ProcessRow* row = RowOfItem(state, item);
        for (int i = 0; row && i < count; ++i) {
            if (SameProcess(*row, earlier[i])) {
                SetItemState(state.control, item, LVIS_SELECTED, LVIS_SELECTED);
                if (focused < 0)
                    focused = item;
                break;
            }
        }
    }
    if (focused >= 0) {
        SetItemState(state.control, focused, LVIS_FOCUSED, LVIS_FOCUSED);
        SendMessageA(state.control, LVM_ENSUREVISIBLE, focused, FALSE);
    }
}

DWORD RefreshProcessList(ProcessListState& state)
{
    // The selected processes, to find among the new rows.
    int selectedCount = static_cast<int>(SendMessageA(state.control, LVM_GETSELECTEDCOUNT, 0, 0));
    ProcessRow* selected =
        selectedCount > 0 ? static_cast<ProcessRow*>(malloc(selectedCount * sizeof(ProcessRow))) : nullptr;
    int kept = 0;
    for (int item = -1; selected && kept < selectedCount && (item = NextSelected(state.control, item)) >= 0;) {
        if (const ProcessRow* row = RowOfItem(state, item))
            selected[kept++] = *row;
    }

    SendMessageA(state.control, LVM_DELETEALLITEMS, 0, 0);
    if (state.images)
        state.imageLists->Remove(state.images, -1);
    state.rowCount = 0;
    SetLastError(0);
    bool listed = true;
    if (Program.osVersion.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        listed = EnumerateWithToolHelp(AddRow, &state);
    else if (Program.osVersion.dwPlatformId == VER_PLATFORM_WIN32_NT)
        listed = EnumerateWithSystemInformation(AddRow, &state);
    DWORD error = listed ? 0 : GetLastError();
    SortRows(state);
    SelectAgain(state, selected, kept);
    free(selected);
    return error;
}

static void InsertColumn(HWND list, int index, const char* header, int width, int format)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(header);
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

// Sort arrows came to the header with version 6 of the common controls.
static bool HeaderShowsSortArrows()
{
    auto version = SystemFunctionOf<HRESULT WINAPI(DLLVERSIONINFO*)>("comctl32.dll", "DllGetVersion");
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof info;
    return version && SUCCEEDED(version(&info)) && info.dwMajorVersion >= 6;
}

static void InitialiseList(ListToolState& list)
{
    ProcessListState& state = static_cast<ProcessListState&>(list);
    InsertColumn(state.control, 0, "Process", 240, LVCFMT_LEFT);
    InsertColumn(state.control, 1, "Process ID", 80, LVCFMT_RIGHT);
    InsertColumn(state.control, 2, "Parent ID", 80, LVCFMT_RIGHT);
    SendMessageA(state.control, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(state.images));
    state.sortArrows = HeaderShowsSortArrows();
}

static void Refresh(ListToolState& state)
{
    RefreshProcessList(static_cast<ProcessListState&>(state));
}

static void ShowSortDirection(const ProcessListState& state)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(state.control, LVM_GETHEADER, 0, 0));
    for (int column = 0; column < COLUMN_COUNT; ++column) {
        HDITEMA item = {};
        item.mask = HDI_FORMAT;
        SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == state.sortColumn)
            item.fmt |= state.descending ? HDF_SORTDOWN : HDF_SORTUP;
        SendMessageA(header, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item));
    }
}

static void OnColumnClick(ListToolState& list, int column)
{
    ProcessListState& state = static_cast<ProcessListState&>(list);
    state.descending = column == state.sortColumn && !state.descending;
    state.sortColumn = column;
    SortRows(state);
    if (state.sortArrows)
        ShowSortDirection(state);
}

// One line per selected row, in the order shown: the three texts as shown,
// between tabs, each line ending in CR LF.
static void CopySelectedRows(HWND dialog, const ProcessListState& state)
{
    const size_t lineCapacity = MAX_PATH + 2 * 16 + 4;
    int count = static_cast<int>(SendMessageA(state.control, LVM_GETSELECTEDCOUNT, 0, 0));
    char* text = count > 0 ? static_cast<char*>(malloc(count * lineCapacity)) : nullptr;
    if (!text)
        return;
    size_t length = 0;
    for (int item = -1, lines = 0; lines < count && (item = NextSelected(state.control, item)) >= 0; ++lines) {
        char line[lineCapacity] = "";
        for (int column = 0; column < COLUMN_COUNT; ++column) {
            char cell[MAX_PATH] = "";
            LVITEMA entry = {};
            entry.iSubItem = column;
            entry.pszText = cell;
            entry.cchTextMax = sizeof cell;
            SendMessageA(state.control, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&entry));
            AppendText(line, sizeof line, cell);
            AppendText(line, sizeof line, column + 1 < COLUMN_COUNT ? "\t" : "\r\n");
        }
        size_t lineLength = strlen(line);
        memcpy(text + length, line, lineLength);
        length += lineLength;
    }
    PutTextOnClipboard(dialog, text, length);
    free(text);
}

// A message about one process through the seam; its answer.
static int SayAboutProcess(HWND dialog, const char* format, const ProcessRow& row, const char* detail, UINT type)
{
    char text[1024];
    wsprintfA(text, format, row.name, static_cast<unsigned long>(row.processId), detail);
    return Platform.MessageBoxA(dialog, text, EndCaption, type);
}

// The system's own words for an error, without the line end it adds.
static void SystemErrorText(DWORD error, char* text, DWORD capacity)
{
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  text, capacity, nullptr);
    if (length >= capacity)
        length = 0;
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' '))
        --length;
    if (length == 0)
        wsprintfA(text, "Error %lu.", static_cast<unsigned long>(error));
    else
        text[length] = '\0';
}

// Asks, ends the process and has the list made anew; refuses the processes
// the program never ends.
static void EndListedProcess(HWND dialog, ProcessListState& state, const ProcessRow& row)
{
    EndRefusal refusal = RefusalToEnd(row.processId, SystemProcessInformationQuery());
    if (refusal != END_ALLOWED) {
        SayAboutProcess(dialog, EndRefusals[refusal], row, "", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (SayAboutProcess(dialog, EndQuestion, row, "", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return;
    DWORD error = EndProcess(row.processId, END_WAIT_MS);
    state.refreshDue = true;
    if (error) {
        char reason[256];
        SystemErrorText(error, reason, sizeof reason);
        SayAboutProcess(dialog, EndFailure, row, reason, MB_OK | MB_ICONERROR);
    }
}

// The row the actions take: the focused one when it is selected, else the
// first selected one.
static int ChosenItem(HWND list)
{
    int item = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED | LVNI_SELECTED));
    return item >= 0 ? item : NextSelected(list, -1);
}

static void OnKey(HWND dialog, ListToolState& list, UINT key)
{
    ProcessListState& state = static_cast<ProcessListState&>(list);
    bool control = GetKeyState(VK_CONTROL) < 0;
    if (control && key == 'A') {
        SetItemState(state.control, -1, LVIS_SELECTED, LVIS_SELECTED);
    } else if (control && key == 'C') {
        CopySelectedRows(dialog, state);
    } else if (key == VK_DELETE) {
        if (const ProcessRow* chosen = RowOfItem(state, ChosenItem(state.control)))
            EndListedProcess(dialog, state, *chosen);
    }
}

static void ShowProcessMenu(HWND dialog, ListToolState& list, const POINT* at)
{
    ProcessListState& state = static_cast<ProcessListState&>(list);
    int item = -1;
    POINT point;
    if (at) {
        // The list has selected the row under the pointer, or none.
        LVHITTESTINFO hit = {};
        hit.pt = *at;
        ScreenToClient(state.control, &hit.pt);
        item = static_cast<int>(SendMessageA(state.control, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        point = *at;
    } else {
        item = ChosenItem(state.control);
        RECT label = {};
        label.left = LVIR_LABEL;
        bool shown = item >= 0 && SendMessageA(state.control, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&label));
        point = KeyboardMenuPoint(state.control, shown ? &label : nullptr);
    }
    const ProcessRow* chosen = RowOfItem(state, item);
    ProcessRow row = chosen ? *chosen : ProcessRow();
    char path[MAX_PATH] = "";
    bool located = chosen && ProcessImagePath(row.processId, path, sizeof path);
    bool anySelected = SendMessageA(state.control, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
    unsigned greyed = (chosen ? 0 : 1u) | (anySelected ? 0 : 2u) | (located ? 0 : 4u);
    switch (TrackContextMenu(dialog, ProcessMenu, sizeof ProcessMenu / sizeof ProcessMenu[0], greyed, point)) {
    case MENU_END_PROCESS:
        EndListedProcess(dialog, state, row);
        break;
    case MENU_COPY:
        CopySelectedRows(dialog, state);
        break;
    case MENU_OPEN_LOCATION:
        ShowFileInExplorer(dialog, path);
        break;
    case IDC_REFRESH:
        state.refreshDue = true;
        break;
    }
}

static const ListTool ProcessesTool = {
    { IDD_PROCESSES_LIST, ProcessesListDlgProc, SECOND_REQUEST_IGNORED },
    IDC_PROCESS_LIST, LVM_SETIMAGELIST, LVSIL_SMALL, InitialiseList, Refresh, OnKey, ShowProcessMenu, OnColumnClick,
};

INT_PTR CALLBACK ProcessesListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ListToolMessage(ProcessesTool, dialog, message, wParam, lParam);
}

void ShowProcessesList(HWND owner)
{
    ProcessListState state;
    RunListTool(ProcessesTool, owner, state);
}
