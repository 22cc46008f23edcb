#include "menus/screen_saver_menu.h"

#include <string.h>
#include <windows.h>

#include "actions/shell_commands.h"
#include "actions/window_actions.h"
#include "base/commands.h"
#include "base/handles.h"
#include "base/text.h"
#include "menus/menu_columns.h"
#include "menus/menu_item_text.h"
#include "menus/menu_tree.h"
#include "menus/mnemonics.h"
#include "ui/file_icons.h"

char* ScreenSaverList[MAX_SCREEN_SAVERS];
int ScreenSaverCount;
int CurrentScreenSaverId = -1;

static void UpperCase(char* text)
{
    for (; *text; ++text)
        *text = AsciiUpper(*text);
}

bool NamesConfiguredSaver(const char* configured, const char* fileName)
{
    char configuredUpper[MAX_PATH], nameUpper[MAX_PATH];
    CopyText(configuredUpper, MAX_PATH, configured);
    CopyText(nameUpper, MAX_PATH, fileName);
    UpperCase(configuredUpper);
    UpperCase(nameUpper);
    return strstr(configuredUpper, nameUpper) != nullptr;
}

// The configured saver as "system.ini" names it; when that file exists, its
// long name alone, which is what the directory listings will show.
static void ReadConfiguredSaver(char* out)
{
    GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "", out, MAX_PATH, "system.ini");
    if (!out[0])
        return;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(out, &found));
    if (search.valid())
        CopyText(out, MAX_PATH, found.cFileName);
}

static bool ListFull()
{
    return ScreenSaverCount >= MAX_SCREEN_SAVERS;
}

static void ScanDirectory(const char* directory, const char* configured)
{
    char prefix[MAX_PATH], pattern[MAX_PATH];
    if (!JoinText(prefix, MAX_PATH, directory, "\\") || !JoinText(pattern, MAX_PATH, directory, "\\*.SCR"))
        return;
    ListDirectory(pattern, [&](const WIN32_FIND_DATAA& found) {
        if (found.cFileName[0] == '.' || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return true;
        if (ListFull())
            return false;
        char path[MAX_PATH];
        if (!JoinText(path, MAX_PATH, prefix, found.cFileName))
            return true;   // a path that does not fit could not be started anyway
        char* copy = DuplicateText(path);
        if (!copy)
            return false;
        int k = ScreenSaverCount;
        ScreenSaverList[k] = copy;
        ScreenSaverCount = k + 1;
        if (NamesConfiguredSaver(configured, found.cFileName))
            CurrentScreenSaverId = CMD_FIRST_SCREEN_SAVER + k;
        AppendEntryItem(ScreenSaverMenu, CMD_FIRST_SCREEN_SAVER + k, StartsColumnAfterFirst(k, ItemsPerColumn));
        return true;
    });
}

void BuildScreenSaverMenu()
{
    if (ScreenSaverCount != 0)
        return;
    CurrentScreenSaverId = -1;
    char configured[MAX_PATH];
    ReadConfiguredSaver(configured);

    char directory[MAX_PATH];
    UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    if (length && length < MAX_PATH)
        ScanDirectory(directory, configured);
    length = GetWindowsDirectoryA(directory, MAX_PATH);
    if (length && length < MAX_PATH && !ListFull())
        ScanDirectory(directory, configured);
}

void ClearScreenSaverList()
{
    for (int k = 0; k < ScreenSaverCount; ++k)
        FreeText(ScreenSaverList[k]);
    ScreenSaverCount = 0;
}

void RunScreenSaverCommand(HWND window, int k)
{
    if (!IsEntry(k, ScreenSaverCount))
        return;
    if (AsyncKeyHeld(VK_CONTROL))
        SetDefaultScreenSaver(ScreenSaverList[k]);
    else if (AsyncKeyHeld(VK_SHIFT))
        OpenScreenSaverSettings(window);
    else
        OpenWithShell(window, ScreenSaverList[k], nullptr);
}

static int CountScreenSavers()
{
    return ScreenSaverCount;
}

// Measured as "Mystify.scr", drawn as "Mystify".
static bool ScreenSaverText(int k, bool drawn, char* out, size_t capacity)
{
    if (!IsEntry(k, ScreenSaverCount))
        return false;
    if (drawn)
        FileNameWithoutExtension(ScreenSaverList[k], out, capacity);
    else
        FileNameWithExtension(ScreenSaverList[k], out, capacity);
    return true;
}

static ItemIcon ScreenSaverIcon(int k)
{
    return OwnedItemIcon(AssociatedIcon(ScreenSaverList[k]));
}

//                                         base                    root position               count              text             icon             run
const DynamicSubmenu ScreenSaverSubmenu = { CMD_FIRST_SCREEN_SAVER, ROOT_POSITION_SCREEN_SAVER, CountScreenSavers, ScreenSaverText, ScreenSaverIcon, RunScreenSaverCommand };
