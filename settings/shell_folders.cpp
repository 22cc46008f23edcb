#include "settings/shell_folders.h"

#include "base/handles.h"
#include "settings/settings_store.h"

static const char ShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

bool ReadShellFolderPath(const char* valueName, char* out)
{
    out[0] = '\0';
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ShellFoldersKey, 0, KEY_READ, key.out()) != ERROR_SUCCESS)
        return false;
    return QueryStringValue(key.get(), valueName, out, MAX_PATH - 1) && out[0] != '\0';
}
