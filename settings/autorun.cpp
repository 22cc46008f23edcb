#include "settings/autorun.h"

#include <string.h>
#include <windows.h>

#include "base/handles.h"
#include "base/text.h"
#include "settings/settings_store.h"

const char RunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char RunValueName[] = "Vornel";

const DWORD MODULE_PATH_CAPACITY = 310;

bool RunCommandForPath(const char* path, char* out, size_t capacity)
{
    if (!strchr(path, ' '))
        return CopyText(out, capacity, path);
    size_t length = strlen(path);
    if (length + 3 > capacity) {
        if (capacity)
            out[0] = '\0';
        return false;
    }
    out[0] = '"';
    memcpy(out + 1, path, length);
    out[length + 1] = '"';
    out[length + 2] = '\0';
    return true;
}

void SetAutoRun()
{
    RegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, RunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.out(),
                        nullptr) != ERROR_SUCCESS)
        return;
    if (Settings.autoRun == 0) {
        RegDeleteValueA(key.get(), RunValueName);
        return;
    }
    char path[MODULE_PATH_CAPACITY];
    DWORD length = GetModuleFileNameA(nullptr, path, MODULE_PATH_CAPACITY);
    if (length == 0 || length >= MODULE_PATH_CAPACITY)
        return;   // a cut path would start something else
    char command[MODULE_PATH_CAPACITY + 2];
    if (!RunCommandForPath(path, command, sizeof command))
        return;
    RegSetValueExA(key.get(), RunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                   static_cast<DWORD>(strlen(command) + 1));
}
