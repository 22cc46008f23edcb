#include "actions/process_actions.h"

#include <tlhelp32.h>

#include "actions/window_actions.h"
#include "base/handles.h"
#include "base/platform.h"
#include "base/text.h"

const DWORD SYSTEM_PROCESS_ID = 4;
// The information class of the critical mark, and the access that Vista and
// later grant where the full query right is refused.
const ULONG PROCESS_BREAK_ON_TERMINATION = 29;
const DWORD QUERY_LIMITED_INFORMATION = 0x1000;
// The exit code of a process the user ended.
const UINT ENDED_BY_USER = 1;

typedef HANDLE (WINAPI* SnapshotFunction)(DWORD flags, DWORD processId);
typedef BOOL (WINAPI* ModuleWalkFunction)(HANDLE snapshot, MODULEENTRY32* entry);
typedef BOOL (WINAPI* ImageNameFunction)(HANDLE process, DWORD flags, LPSTR name, PDWORD size);

ProcessInformationQuery SystemProcessInformationQuery()
{
    HMODULE ntdll = GetModuleHandleA("ntdll");
    return ntdll ? reinterpret_cast<ProcessInformationQuery>(GetProcAddress(ntdll, "NtQueryInformationProcess"))
                 : nullptr;
}

// A handle for questions; the full right first, since the oldest systems
// know no other.
static HANDLE OpenForQuery(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    return process ? process : OpenProcess(QUERY_LIMITED_INFORMATION, FALSE, processId);
}

static bool MarkedCritical(DWORD processId, ProcessInformationQuery query)
{
    if (!query)
        return false;
    KernelHandle process(OpenForQuery(processId));
    ULONG critical = 0;
    return process.valid() &&
           query(process.get(), PROCESS_BREAK_ON_TERMINATION, &critical, sizeof critical, nullptr) == 0 &&
           critical != 0;
}

EndRefusal RefusalToEnd(DWORD processId, ProcessInformationQuery query)
{
    if (processId == GetCurrentProcessId())
        return END_REFUSED_OWN;
    if (processId == 0 || processId == SYSTEM_PROCESS_ID)
        return END_REFUSED_SYSTEM;
    return MarkedCritical(processId, query) ? END_REFUSED_CRITICAL : END_ALLOWED;
}

DWORD EndProcess(DWORD processId, DWORD waitMs)
{
    // Processes of other users and of the system open only with it.
    EnableDebugPrivilege();
    KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process.valid())
        return GetLastError();
    SetLastError(0);
    if (!Platform.TerminateProcess(process.get(), ENDED_BY_USER)) {
        // A refusal that names no cause is the one a protected process gives.
        DWORD error = GetLastError();
        return error ? error : ERROR_ACCESS_DENIED;
    }
    WaitForSingleObject(process.get(), waitMs);
    return 0;
}

bool ProcessImagePathFromSnapshot(DWORD processId, char* path, size_t capacity)
{
    path[0] = '\0';
    HMODULE kernel = GetModuleHandleA("Kernel32.dll");
    if (!kernel)
        return false;
    auto snapshot = reinterpret_cast<SnapshotFunction>(GetProcAddress(kernel, "CreateToolhelp32Snapshot"));
    auto first = reinterpret_cast<ModuleWalkFunction>(GetProcAddress(kernel, "Module32First"));
    if (!snapshot || !first)
        return false;
    SnapshotHandle modules(snapshot(TH32CS_SNAPMODULE, processId));
    MODULEENTRY32 entry;
    entry.dwSize = sizeof entry;
    if (!modules.valid() || !first(modules.get(), &entry))
        return false;
    entry.szExePath[MAX_PATH - 1] = '\0';
    return CopyText(path, capacity, entry.szExePath) && path[0];
}

bool ProcessImagePath(DWORD processId, char* path, size_t capacity)
{
    path[0] = '\0';
    HMODULE kernel = GetModuleHandleA("Kernel32.dll");
    auto imageName =
        kernel ? reinterpret_cast<ImageNameFunction>(GetProcAddress(kernel, "QueryFullProcessImageNameA")) : nullptr;
    if (!imageName)
        return ProcessImagePathFromSnapshot(processId, path, capacity);
    KernelHandle process(OpenProcess(QUERY_LIMITED_INFORMATION, FALSE, processId));
    DWORD size = static_cast<DWORD>(capacity);
    if (!process.valid() || !imageName(process.get(), 0, path, &size) || size >= capacity) {
        path[0] = '\0';
        return false;
    }
    path[size] = '\0';
    return path[0] != '\0';
}
