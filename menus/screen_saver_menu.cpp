#include "menus/screen_saver_menu.h"

#include <string.h>

#include "actions/shell_commands.h"
#include "actions/window_actions.h"
#include "base/text.h"
#include "menus/menu_columns.h"
#include "menus/menu_item_text.h"
#include "menus/menu_texts.h"
#include "menus/mnemonics.h"
#include "ui/file_icons.h"

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

static bool ListFull(const DynamicSubmenu& submenu)
{
    return submenu.count >= DYNAMIC_RANGE_SIZE;
}

static void ScanDirectory(DynamicSubmenu& submenu, const char* directory, const char* configured,
                          int itemsPerColumn)
{
    char prefix[MAX_PATH], pattern[MAX_PATH];
    if (!JoinText(prefix, MAX_PATH, directory, "\\") || !JoinText(pattern, MAX_PATH, directory, "\\*.SCR"))
        return;
    ListDirectory(pattern, [&](const WIN32_FIND_DATAA& found) {
        if (found.cFileName[0] == '.' || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return true;
        if (ListFull(submenu))
            return false;
        char path[MAX_PATH];
        if (!JoinText(path, MAX_PATH, prefix, found.cFileName))
            return true;   // a path that does not fit could not be started anyway
        int k = submenu.count;
        if (!AddEntry(submenu, path, nullptr, StartsColumnAfterFirst(k, itemsPerColumn)))
            return false;
        // A later match replaces an earlier one.
        if (NamesConfiguredSaver(configured, found.cFileName))
            submenu.marked = k;
        return true;
    });
}

static void BuildScreenSaverMenu(DynamicSubmenu& submenu, HWND, int itemsPerColumn)
{
    submenu.marked = -1;
    char configured[MAX_PATH];
    ReadConfiguredSaver(configured);

    char directory[MAX_PATH];
    UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    if (length && length < MAX_PATH)
        ScanDirectory(submenu, directory, configured, itemsPerColumn);
    length = GetWindowsDirectoryA(directory, MAX_PATH);
    if (length && length < MAX_PATH && !ListFull(submenu))
        ScanDirectory(submenu, directory, configured, itemsPerColumn);
}

static void RunScreenSaverCommand(const DynamicSubmenu& submenu, HWND window, int k)
{
    if (!IsEntry(k, submenu.count))
        return;
    const char* path = submenu.entries[k].text;
    if (AsyncKeyHeld(VK_CONTROL))
        SetDefaultScreenSaver(path);
    else if (AsyncKeyHeld(VK_SHIFT))
        OpenScreenSaverSettings(window);
    else
        OpenWithShell(window, path, nullptr);
}

// Measured as "Mystify.scr", drawn as "Mystify".
static bool ScreenSaverText(const DynamicSubmenu& submenu, int k, bool drawn, char* out, size_t capacity)
{
    if (!IsEntry(k, submenu.count))
        return false;
    if (drawn)
        FileNameWithoutExtension(submenu.entries[k].text, out, capacity);
    else
        FileNameWithExtension(submenu.entries[k].text, out, capacity);
    return true;
}

static ItemIcon ScreenSaverIcon(DynamicSubmenu& submenu, int k)
{
    return DrawingIcon(AssociatedIcon(submenu.entries[k].text));
}

static const char* ScreenSaverTitle()
{
    return TextScreenSaver;
}

//                                      base                    root position               on demand title             drawn  title icon build                 text             icon             run
const SubmenuKind ScreenSaverSubmenu = { CMD_FIRST_SCREEN_SAVER, ROOT_POSITION_SCREEN_SAVER, true,     ScreenSaverTitle, false, nullptr,   BuildScreenSaverMenu, ScreenSaverText, ScreenSaverIcon, RunScreenSaverCommand };
