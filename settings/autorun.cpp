#include "settings/autorun.h"

#include <string.h>
#include <wchar.h>
#include <windows.h>

#include "base/handles.h"
#include "base/program.h"
#include "base/system_libraries.h"

const char RunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char RunValueName[] = "Vornel";

const DWORD MODULE_PATH_CAPACITY = 310;

template <typename Char>
static bool QuotedWhenSpaced(const Char* path, size_t length, Char* out, size_t capacity)
{
    bool spaced = false;
    for (size_t i = 0; i < length; ++i)
        spaced = spaced || path[i] == ' ';
    size_t needed = length + (spaced ? 2 : 0);
    if (needed >= capacity) {
        if (capacity)
            out[0] = 0;
        return false;
    }
    Char* p = out;
    if (spaced)
        *p++ = '"';
    memcpy(p, path, length * sizeof(Char));
    p += length;
    if (spaced)
        *p++ = '"';
    *p = 0;
    return true;
}

bool RunCommandForPath(const char* path, char* out, size_t capacity)
{
    return QuotedWhenSpaced(path, strlen(path), out, capacity);
}

bool RunCommandForPath(const wchar_t* path, wchar_t* out, size_t capacity)
{
    return QuotedWhenSpaced(path, wcslen(path), out, capacity);
}

// The path in UTF-16, as the file system names it: any folder name fits,
// where the ANSI code page would turn letters it lacks into '?'. Looked up,
// as the 9x family's libraries may lack the names.
static bool WriteWidePath(HKEY key)
{
    auto moduleName = SystemFunctionOf<DWORD WINAPI(HMODULE, LPWSTR, DWORD)>("kernel32.dll", "GetModuleFileNameW");
    auto setValue = SystemFunctionOf<LONG WINAPI(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD)>(
        "advapi32.dll", "RegSetValueExW");
    WCHAR path[MODULE_PATH_CAPACITY];
    DWORD length = moduleName ? moduleName(nullptr, path, MODULE_PATH_CAPACITY) : 0;
    if (length == 0 || length >= MODULE_PATH_CAPACITY || !setValue)
        return false;   // a cut path would start something else
    WCHAR command[MODULE_PATH_CAPACITY + 2];
    WCHAR name[sizeof RunValueName];
    if (!RunCommandForPath(path, command, MODULE_PATH_CAPACITY + 2) ||
        !MultiByteToWideChar(CP_ACP, 0, RunValueName, -1, name, sizeof RunValueName))
        return false;
    return setValue(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                    static_cast<DWORD>((wcslen(command) + 1) * sizeof(WCHAR))) == ERROR_SUCCESS;
}

// The 9x family has the wide calls in name only; there the file system
// names files in the ANSI code page, so the ANSI path is whole.
static bool WriteAnsiPath(HKEY key)
{
    char path[MODULE_PATH_CAPACITY];
    DWORD length = GetModuleFileNameA(nullptr, path, MODULE_PATH_CAPACITY);
    char command[MODULE_PATH_CAPACITY + 2];
    if (length == 0 || length >= MODULE_PATH_CAPACITY || !RunCommandForPath(path, command, sizeof command))
        return false;
    return RegSetValueExA(key, RunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                          static_cast<DWORD>(strlen(command) + 1)) == ERROR_SUCCESS;
}

bool SetAutoRun(bool on)
{
    RegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, RunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.out(),
                        nullptr) != ERROR_SUCCESS)
        return !on;
    if (!on) {
        RegDeleteValueA(key.get(), RunValueName);
        return true;
    }
    if (Program.osVersion.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return WriteAnsiPath(key.get());
    return WriteWidePath(key.get());
}
