#include "menus/applet_menu.h"

#include <cpl.h>
#include <string.h>

#include "actions/shell_commands.h"
#include "base/commands.h"
#include "base/handles.h"
#include "base/text.h"
#include "menus/menu_columns.h"
#include "menus/menu_tree.h"
#include "ui/file_icons.h"

AppletEntry AppletList[MAX_APPLETS];
int AppletCount;

// A build that found no applet file still counts, so the two fixed items
// are never added twice in one opening.
static bool AppletMenuBuilt;
// Applets listed so far in this build, the holes of the table not counted;
// the column breaks follow it.
static int AppletsListed;

//  file           shown as
static const struct { const char* file; const char* text; } FriendlyNames[] = {
    { "SYSDM.CPL",  "System" },
    { "MODEM.CPL",  "Modem" },
    { "NETCPL.CPL", "Network" },
};

const char* FriendlyCplName(const char* file)
{
    for (const auto& friendly : FriendlyNames) {
        if (lstrcmpiA(file, friendly.file) == 0)
            return friendly.text;
    }
    return file;
}

static bool IsReservedApplet(int k)
{
    return CMD_FIRST_APPLET + k == CMD_CONTROL_PANEL_IN_START_MENU ||
           CMD_FIRST_APPLET + k == CMD_PRINTERS_IN_START_MENU;
}

static bool TableFull()
{
    return AppletCount >= MAX_APPLETS;
}

// The 16 x 16 picture of an icon resource of a loaded applet file; not
// shared, so the table owns it. Without an icon resource, the icon the
// shell shows for the file.
static HICON TakeAppletIcon(HMODULE module, const char* file, WORD iconId, WORD* iconIndex)
{
    HICON icon = iconId && module
        ? static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, 0))
        : iconId ? nullptr : SystemFileIcon(file, iconIndex);
    return OwnedItemIcon(icon).icon;
}

static void AddApplet(HMODULE module, const char* file, const char* text, WORD iconId, int applet)
{
    while (!TableFull() && IsReservedApplet(AppletCount))
        ++AppletCount;
    if (TableFull())
        return;
    char* fileCopy = DuplicateText(file);
    char* textCopy = DuplicateText(text);
    if (!fileCopy || !textCopy) {
        FreeText(fileCopy);
        FreeText(textCopy);
        return;
    }
    int k = AppletCount;
    AppletList[k].file = fileCopy;
    AppletList[k].text = textCopy;
    AppletList[k].iconId = iconId;
    AppletList[k].iconIndex = 0;
    AppletList[k].applet = applet;
    AppletList[k].icon = TakeAppletIcon(module, file, iconId, &AppletList[k].iconIndex);
    AppendEntryItem(ControlPanelMenu, CMD_FIRST_APPLET + k, StartsColumnAtMultiple(AppletsListed, ItemsPerColumn));
    ++AppletCount;
    ++AppletsListed;
}

// NEWCPLINFO as an applet may fill it: the ANSI record, or on NT the wide
// one, which is larger. The buffer holds either without overrunning.
union NewInquiry {
    NEWCPLINFOA ansi;
    NEWCPLINFOW wide;
};

// The name of a CPL_NEWINQUIRE answer in the ANSI code page. Some applets
// answer in UTF-16 whatever record they were given; taken as ANSI such a name
// would show as its first letter only.
static void NewInquiryName(const NewInquiry& answer, char* out, size_t capacity)
{
    const char* ansi = answer.ansi.szName;
    bool wide = answer.ansi.dwSize == sizeof(NEWCPLINFOW) || (ansi[0] != '\0' && ansi[1] == '\0');
    if (wide) {
        WCHAR name[32];
        memcpy(name, answer.wide.szName, sizeof name);
        name[31] = L'\0';
        if (!WideCharToMultiByte(CP_ACP, 0, name, -1, out, static_cast<int>(capacity), nullptr, nullptr))
            out[0] = '\0';
        out[capacity - 1] = '\0';
        return;
    }
    char name[sizeof answer.ansi.szName + 1];
    memcpy(name, ansi, sizeof answer.ansi.szName);
    name[sizeof answer.ansi.szName] = '\0';
    CopyText(out, capacity, name);
}

static void AskLoadedFile(HWND window, HMODULE module, const char* file)
{
    APPLET_PROC entry = module ? reinterpret_cast<APPLET_PROC>(GetProcAddress(module, "CPlApplet")) : nullptr;
    if (!entry || entry(window, CPL_INIT, 0, 0) == 0) {
        AddApplet(module, file, FriendlyCplName(file), 0, 0);
        return;
    }
    LONG count = entry(window, CPL_GETCOUNT, 0, 0);
    for (LONG i = 0; i < count && !TableFull(); ++i) {
        CPLINFO info = {};
        entry(window, CPL_INQUIRE, i, reinterpret_cast<LPARAM>(&info));
        char text[MAX_PATH] = "";
        WORD iconId = 0;
        if (LoadStringA(module, info.idName, text, MAX_PATH) > 0 && text[0]) {
            iconId = static_cast<WORD>(info.idIcon);
        } else {
            NewInquiry answer = {};
            answer.ansi.dwSize = sizeof answer.ansi;
            entry(window, CPL_NEWINQUIRE, i, reinterpret_cast<LPARAM>(&answer));
            NewInquiryName(answer, text, MAX_PATH);
            if (!text[0])
                CopyText(text, MAX_PATH, file);
        }
        AddApplet(module, file, text, iconId, i);
    }
    // The applet protocol ends with CPL_EXIT so applets can free what
    // CPL_INIT allocated; without it every opening leaks inside them.
    entry(window, CPL_EXIT, 0, 0);
}

static void AskAppletFile(HWND window, const char* file)
{
    Library module(LoadLibraryA(file));
    if (module.valid())
        ++DrawResources.librariesLoaded;
    AskLoadedFile(window, module.get(), file);
    if (module.valid() && FreeLibrary(module.release()))
        ++DrawResources.librariesFreed;
}

void BuildAppletMenu(HWND window)
{
    if (AppletMenuBuilt)
        return;
    AppletMenuBuilt = true;
    AppletsListed = 0;
    AppendMenuA(ControlPanelMenu, MF_OWNERDRAW, CMD_OPEN_CONTROL_PANEL, TextRunControlPanel);
    AppendMenuA(ControlPanelMenu, MF_SEPARATOR, 0, nullptr);

    char pattern[MAX_PATH];
    UINT length = GetSystemDirectoryA(pattern, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !AppendText(pattern, MAX_PATH, "\\*.CPL"))
        return;
    ListDirectory(pattern, [window](const WIN32_FIND_DATAA& found) {
        AskAppletFile(window, found.cFileName);
        return !TableFull();
    });
}

void ClearAppletList()
{
    for (AppletEntry& entry : AppletList) {
        FreeText(entry.file);
        FreeText(entry.text);
        ReleaseItemIcon(entry.icon);
        entry = AppletEntry();
    }
    AppletCount = 0;
    AppletMenuBuilt = false;
}

static const char RunDll[] = "rundll32.exe";
static const char AppletParametersFormat[] = "shell32.dll,Control_RunDLL %s,@%d";

void RunApplet(HWND window, int k)
{
    if (!IsEntry(k, AppletCount) || !AppletList[k].file)
        return;
    // The file name comes from a directory listing (at most 259 bytes), so
    // the parameters always fit this buffer.
    char parameters[MAX_PATH + sizeof AppletParametersFormat + 12];
    if (lstrlenA(AppletList[k].file) >= MAX_PATH)
        return;
    wsprintfA(parameters, AppletParametersFormat, AppletList[k].file, AppletList[k].applet);
    OpenWithShell(window, RunDll, parameters);
}

static int CountApplets()
{
    return AppletCount;
}

static bool AppletText(int k, bool, char* out, size_t capacity)
{
    if (!IsEntry(k, AppletCount) || !AppletList[k].text)
        return false;
    CopyText(out, capacity, AppletList[k].text);
    return true;
}

static ItemIcon AppletIcon(int k)
{
    return ItemIcon{ AppletList[k].icon, false };
}

//                                    base              root position                count         text        icon        run
const DynamicSubmenu AppletSubmenu = { CMD_FIRST_APPLET, ROOT_POSITION_CONTROL_PANEL, CountApplets, AppletText, AppletIcon, RunApplet };
