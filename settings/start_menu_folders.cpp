#include "settings/start_menu_folders.h"

#include <windows.h>

#include "base/handles.h"
#include "base/text.h"
#include "settings/shell_folders.h"

bool StartMenuFolder(const char* name, const char* classId, StartMenuOperation operation)
{
    char startMenu[MAX_PATH];
    if (!ReadShellFolderPath("Start Menu", startMenu))
        return false;
    char path[MAX_PATH] = "";
    const char* parts[] = { startMenu, "\\", name, ".", classId };
    for (const char* part : parts)
        if (!AppendText(path, sizeof path, part))
            return false;   // a cut name would be another folder
    switch (operation) {
    case START_MENU_CREATE:
        return CreateDirectoryA(path, nullptr) != FALSE;
    case START_MENU_REMOVE:
        return RemoveDirectoryA(path) != FALSE;
    case START_MENU_TEST: {
        WIN32_FIND_DATAA found;
        FindHandle search(FindFirstFileA(path, &found));
        return search.valid();
    }
    }
    return false;
}
