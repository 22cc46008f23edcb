#include "menus/applet_menu.h"

#include <cpl.h>
#include <string.h>

#include "actions/shell_commands.h"
#include "base/system_libraries.h"
#include "base/text.h"
#include "menus/menu_columns.h"
#include "menus/menu_texts.h"
#include "settings/shell_folder_names.h"
#include "ui/file_icons.h"

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

// One build: the submenu, the button as the applets' parent, and how many
// applets are listed so far (the unused entries not counted), which the
// column breaks follow.
struct AppletBuild {
    DynamicSubmenu& submenu;
    HWND window;
    int itemsPerColumn;
    int listed;
};

// An applet file being asked: its name as found, and its full path in the
// system directory, by which alone it is loaded.
struct AppletFile {
    const char* name;
    const char* path;
};

static bool IsReservedApplet(int k)
{
    return CMD_FIRST_APPLET + k == CMD_CONTROL_PANEL_IN_START_MENU ||
           CMD_FIRST_APPLET + k == CMD_PRINTERS_IN_START_MENU;
}

static bool TableFull(const DynamicSubmenu& submenu)
{
    return submenu.count >= DYNAMIC_RANGE_SIZE;
}

// The 16 x 16 picture of an icon resource of a loaded applet file; not
// shared, so the table owns it. Without an icon resource, the icon the
// shell shows for the file.
static HICON TakeAppletIcon(HMODULE module, const AppletFile& file, WORD iconId)
{
    if (iconId)
        return module ? static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, 0))
                      : nullptr;
    return AssociatedIcon(file.path);
}

static void AddApplet(AppletBuild& build, HMODULE module, const AppletFile& file, const char* text, WORD iconId,
                      int applet)
{
    DynamicSubmenu& submenu = build.submenu;
    while (!TableFull(submenu) && IsReservedApplet(submenu.count))
        ++submenu.count;   // left unused: no text, no item
    if (!AddEntry(submenu, text, file.name, StartsColumnAtMultiple(build.listed, build.itemsPerColumn)))
        return;
    int k = submenu.count - 1;
    submenu.entries[k].number = applet;
    KeepBuiltIcon(submenu, k, TakeAppletIcon(module, file, iconId));
    ++build.listed;
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

static void AskLoadedFile(AppletBuild& build, HMODULE module, const AppletFile& file)
{
    HWND window = build.window;
    APPLET_PROC entry = module ? reinterpret_cast<APPLET_PROC>(GetProcAddress(module, "CPlApplet")) : nullptr;
    if (!entry || entry(window, CPL_INIT, 0, 0) == 0) {
        AddApplet(build, module, file, FriendlyCplName(file.name), 0, 0);
        return;
    }
    LONG count = entry(window, CPL_GETCOUNT, 0, 0);
    // The lData each applet asked gave in its answer, handed back with its CPL_STOP.
    LONG_PTR data[DYNAMIC_RANGE_SIZE];
    LONG asked = 0;
    for (; asked < count && asked < DYNAMIC_RANGE_SIZE && !TableFull(build.submenu); ++asked) {
        CPLINFO info = {};
        entry(window, CPL_INQUIRE, asked, reinterpret_cast<LPARAM>(&info));
        data[asked] = info.lData;
        char text[MAX_PATH] = "";
        WORD iconId = 0;
        if (LoadStringA(module, info.idName, text, MAX_PATH) > 0 && text[0]) {
            iconId = static_cast<WORD>(info.idIcon);
        } else {
            NewInquiry answer = {};
            answer.ansi.dwSize = sizeof answer.ansi;
            entry(window, CPL_NEWINQUIRE, asked, reinterpret_cast<LPARAM>(&answer));
            // Both forms of the record keep lData in the same place.
            if (answer.ansi.lData)
                data[asked] = answer.ansi.lData;
            NewInquiryName(answer, text, MAX_PATH);
            if (!text[0])
                CopyText(text, MAX_PATH, file.name);
        }
        AddApplet(build, module, file, text, iconId, asked);
    }
    // The protocol closes each applet with CPL_STOP and the file with
    // CPL_EXIT, so applets can free what CPL_INIT and the inquiries
    // allocated; without them every opening leaks inside them.
    for (LONG i = 0; i < asked; ++i)
        entry(window, CPL_STOP, i, data[i]);
    entry(window, CPL_EXIT, 0, 0);
}

static void AskAppletFile(AppletBuild& build, const AppletFile& file)
{
    DrawResourceCounts& counts = build.submenu.resources;
    Library module(LoadLibraryA(file.path));
    if (module.valid())
        ++counts.librariesLoaded;
    AskLoadedFile(build, module.get(), file);
    if (module.valid() && FreeLibrary(module.release()))
        ++counts.librariesFreed;
}

static void BuildAppletMenu(DynamicSubmenu& submenu, HWND window, int itemsPerColumn)
{
    AppendMenuA(submenu.menu, MF_OWNERDRAW, CMD_OPEN_CONTROL_PANEL, TextRunControlPanel);
    AppendMenuA(submenu.menu, MF_SEPARATOR, 0, nullptr);

    char pattern[MAX_PATH];
    if (!SystemDirectoryPath("*.CPL", pattern, MAX_PATH))
        return;
    AppletBuild build = { submenu, window, itemsPerColumn, 0 };
    ListDirectory(pattern, [&build](const WIN32_FIND_DATAA& found) {
        char path[MAX_PATH];
        // A name too long for a path names no file of the system directory.
        if (SystemDirectoryPath(found.cFileName, path, MAX_PATH)) {
            AppletFile file = { found.cFileName, path };
            AskAppletFile(build, file);
        }
        return !TableFull(build.submenu);
    });
}

static const char AppletParametersFormat[] = "shell32.dll,Control_RunDLL %s,@%d";

static void RunApplet(const DynamicSubmenu& submenu, HWND window, int k)
{
    if (!IsEntry(k, submenu.count) || !submenu.entries[k].file)
        return;
    const MenuEntry& entry = submenu.entries[k];
    // The file name comes from a directory listing (at most 259 bytes), so
    // the parameters always fit this buffer.
    char parameters[MAX_PATH + sizeof AppletParametersFormat + 12];
    if (lstrlenA(entry.file) >= MAX_PATH)
        return;
    wsprintfA(parameters, AppletParametersFormat, entry.file, entry.number);
    RunDllCommand(window, parameters);
}

static bool AppletText(const DynamicSubmenu& submenu, int k, bool, char* out, size_t capacity)
{
    if (!IsEntry(k, submenu.count) || !submenu.entries[k].text)
        return false;
    CopyText(out, capacity, submenu.entries[k].text);
    return true;
}

// Taken while building; the table keeps it.
static ItemIcon AppletIcon(DynamicSubmenu& submenu, int k)
{
    return ItemIcon{ submenu.entries[k].icon, false };
}

static const char* AppletTitle()
{
    return ControlPanelName;
}

//                                 base              root position                on demand title        drawn  title icon text        icon        run
const SubmenuKind AppletSubmenu = { CMD_FIRST_APPLET, ROOT_POSITION_CONTROL_PANEL, true,     AppletTitle, false, nullptr,   BuildAppletMenu, AppletText, AppletIcon, RunApplet };
