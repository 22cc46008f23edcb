#include "dialogs/processes_list/processes_list.h"

#include <commctrl.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <stddef.h>
#include <string.h>

#include "base/handles.h"
#include "base/program.h"
#include "base/system_libraries.h"
#include "base/text.h"
#include "res/resource.h"
#include "dialogs/list_tool.h"
#include "ui/file_icons.h"

static const char IdleName[] = "Idle";
static const char IdentifierFormat[] = "%08x";

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
    KernelHandle processes(snapshot(TH32CS_SNAPPROCESS, 0));
    if (processes.get() == INVALID_HANDLE_VALUE) {
        processes.release();
        return false;
    }
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    if (!first(processes.get(), &entry))
        return false;
    do {
        char name[MAX_PATH];
        CopyText(name, sizeof name, entry.szExeFile);
        add(context, name, entry.th32ProcessID, entry.th32ParentProcessID);
    } while (next(processes.get(), &entry));
    return true;
}

void AddProcessRow(ListToolState& state, const char* name, DWORD processId, DWORD parentId)
{
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
    row.mask = LVIF_TEXT | LVIF_IMAGE;
    row.iItem = static_cast<int>(SendMessageA(state.control, LVM_GETITEMCOUNT, 0, 0));
    row.pszText = const_cast<char*>(name);
    row.iImage = image;
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
    AddProcessRow(*static_cast<ListToolState*>(state), name, processId, parentId);
}

DWORD RefreshProcessList(ListToolState& state)
{
    SendMessageA(state.control, LVM_DELETEALLITEMS, 0, 0);
    if (state.images)
        state.imageLists->Remove(state.images, -1);
    SetLastError(0);
    bool listed = true;
    if (Program.osVersion.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        listed = EnumerateWithToolHelp(AddRow, &state);
    else if (Program.osVersion.dwPlatformId == VER_PLATFORM_WIN32_NT)
        listed = EnumerateWithSystemInformation(AddRow, &state);
    return listed ? 0 : GetLastError();
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

static void InitialiseList(ListToolState& state)
{
    InsertColumn(state.control, 0, "Process", 240, LVCFMT_LEFT);
    InsertColumn(state.control, 1, "Process ID", 80, LVCFMT_RIGHT);
    InsertColumn(state.control, 2, "Parent ID", 80, LVCFMT_RIGHT);
    SendMessageA(state.control, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(state.images));
}

static void Refresh(ListToolState& state)
{
    RefreshProcessList(state);
}

static const ListTool ProcessesTool = {
    { IDD_PROCESSES_LIST, ProcessesListDlgProc, SECOND_REQUEST_IGNORED },
    IDC_PROCESS_LIST, LVM_SETIMAGELIST, LVSIL_SMALL, InitialiseList, Refresh,
};

INT_PTR CALLBACK ProcessesListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ListToolMessage(ProcessesTool, dialog, message, wParam, lParam);
}

void ShowProcessesList(HWND owner)
{
    RunListTool(ProcessesTool, owner);
}
