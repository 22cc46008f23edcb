// Actions on a process chosen in the processes list: whether the program may
// end it, ending it, and where its program file lies.
#ifndef VORNEL_ACTIONS_PROCESS_ACTIONS_H
#define VORNEL_ACTIONS_PROCESS_ACTIONS_H

#include <windows.h>

#include <stddef.h>

// Why a process is not to be ended.
enum EndRefusal {
    END_ALLOWED,
    END_REFUSED_OWN,        // this program: it ends through its own Exit
    END_REFUSED_SYSTEM,     // the idle process (0) and the system (4)
    END_REFUSED_CRITICAL,   // marked critical: Windows stops when it ends
};

// NtQueryInformationProcess: NTSTATUS (process, information class, buffer,
// size, size written).
typedef LONG (WINAPI* ProcessInformationQuery)(HANDLE, ULONG, void*, ULONG, ULONG*);

// ntdll's query, looked up at run time; null on the 9x family.
ProcessInformationQuery SystemProcessInformationQuery();

// Whether the program refuses to end the process. The critical mark is
// asked through query (none when null); a process that cannot be asked
// counts as unmarked, and ending it decides.
EndRefusal RefusalToEnd(DWORD processId, ProcessInformationQuery query);

// Ends the process and waits up to waitMs for it to be gone. Returns 0, or
// the system's error code when it could not be opened or ended.
DWORD EndProcess(DWORD processId, DWORD waitMs);

// The full path of the process's program file: from
// QueryFullProcessImageNameA where the system has it, else from the module
// snapshot. False, with the empty text, when neither tells it.
bool ProcessImagePath(DWORD processId, char* path, size_t capacity);
// The module snapshot's answer alone (the first module's path).
bool ProcessImagePathFromSnapshot(DWORD processId, char* path, size_t capacity);

#endif
