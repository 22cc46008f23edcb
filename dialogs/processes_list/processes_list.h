// The Processes list: every running process with its icon, its identifier
// and its parent's, read from the tool help snapshot on the Windows 9x
// family and from the native system information on the NT family. Both
// back-ends are looked up at run time; the program does not link them.
// The headers sort it; the keys and the context menu copy rows, end a
// process and open the folder of its program.
#ifndef VORNEL_DIALOGS_PROCESSES_LIST_PROCESSES_LIST_H
#define VORNEL_DIALOGS_PROCESSES_LIST_PROCESSES_LIST_H

#include <windows.h>
#include <winternl.h>

#include "dialogs/list_tool.h"

// One listed process, as the back-end reported it.
struct ProcessRow {
    char name[MAX_PATH];
    DWORD processId;
    DWORD parentId;
};

// The open Processes list. Each list item carries the index of its row.
struct ProcessListState : ListToolState {
    ProcessListState() = default;
    ProcessListState(const ProcessListState&) = delete;
    ProcessListState& operator=(const ProcessListState&) = delete;
    ~ProcessListState();
    ProcessRow* rows = nullptr;     // this filling's, in the back-end's order
    int rowCount = 0;
    int rowCapacity = 0;
    // Rows stand in the back-end's order until a header is clicked.
    int sortColumn = -1;
    bool descending = false;
    bool sortArrows = false;        // the header can show the direction
};

// Runs the list (template 95) owned by owner; nothing while it is open.
void ShowProcessesList(HWND owner);

// Its WM_INITDIALOG takes a ProcessListState.
INT_PTR CALLBACK ProcessesListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Empties the list and its icons and lists the processes again with the
// back-end of the running platform, in the order chosen by the headers,
// keeping selected every process that was and still is. Returns 0, or the
// last error when a back-end could not run.
DWORD RefreshProcessList(ProcessListState& state);

// Appends one row: the icon the shell associates with name (none when it
// has none), the name and the two identifiers as eight hexadecimal digits.
void AddProcessRow(ProcessListState& state, const char* name, DWORD processId, DWORD parentId);

// Where the back-ends report each process, in their order.
typedef void (*ProcessSink)(void* context, const char* name, DWORD processId, DWORD parentId);

// Tool help functions of "Kernel32.dll". False (last error
// ERROR_INVALID_FUNCTION when they are missing) when nothing was listed.
bool EnumerateWithToolHelp(ProcessSink add, void* context);
// NtQuerySystemInformation of "ntdll". False when nothing was listed.
bool EnumerateWithSystemInformation(ProcessSink add, void* context);

// The head of one entry of the native process information, as far as the
// list reads it. The entries are chained by the offset in front and carry
// their threads and their image name behind this head. Pointer-sized
// fields move the identifiers on 64-bit Windows; on 32-bit Windows they sit
// where every version of the system has put them.
struct ProcessRecord {
    ULONG NextEntryOffset;
    ULONG NumberOfThreads;
    LARGE_INTEGER Reserved[6];
    UNICODE_STRING ImageName;
    LONG BasePriority;
    HANDLE UniqueProcessId;
    HANDLE InheritedFromUniqueProcessId;
};

// The native query: NTSTATUS (information class, buffer, size, size needed).
typedef LONG (WINAPI* SystemInformationQuery)(ULONG, void*, ULONG, ULONG*);

// The process records of the native query in a buffer of the process heap,
// grown from 1 byte in steps of 16384 while the query reports
// STATUS_INFO_LENGTH_MISMATCH.
struct SystemProcessBuffer {
    SystemProcessBuffer() = default;
    SystemProcessBuffer(const SystemProcessBuffer&) = delete;
    SystemProcessBuffer& operator=(const SystemProcessBuffer&) = delete;
    ~SystemProcessBuffer();
    BYTE* data = nullptr;
    ULONG size = 0;
    int growthSteps = 0;
    LONG status = 0;
};

const ULONG SYSTEM_PROCESS_BUFFER_GROWTH = 16384;
// No real system needs this much; a query that still asks for more is broken.
const ULONG SYSTEM_PROCESS_BUFFER_LIMIT = 64 * 1024 * 1024;

// True when the query succeeded within limit bytes. On false, result.status
// is the query's last answer (STATUS_INFO_LENGTH_MISMATCH when the limit or
// the heap stopped the growth; the heap's refusal also sets the last error
// to ERROR_OUTOFMEMORY).
bool QuerySystemProcesses(SystemInformationQuery query, ULONG limit, SystemProcessBuffer& result);

// Reports every record of a filled buffer, following the next-entry offsets
// and never reading outside the size bytes; the record without an image
// name is "Idle".
void ListProcessRecords(const BYTE* data, ULONG size, ProcessSink add, void* context);

#endif
