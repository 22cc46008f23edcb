// How quickly the popup menu appears, and how quickly each submenu that is
// built on demand shows its items, with a full system: 100 desktop items,
// 100 top-level windows, every applet of the prefix and a few screen savers.
// Runs the program's own start-up in-process, opens the menu with
// ShowPopupMenu again and again and walks it with the keyboard from
// WM_ENTERIDLE, timing the messages the button window receives on the way.
// Prints milliseconds.
//
//   menu_bench [openings]
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include <shellapi.h>
#include <shlwapi.h>

#include "app/shutdown.h"
#include "app/startup.h"
#include "base/platform.h"
#include "menus/dynamic_submenus.h"
#include "menus/owner_draw.h"
#include "menus/popup_menu.h"
#include "tests/bench/bench_timing.h"
#include "tests/support/seam_recorder.h"
#include "tests/support/wine_support.h"
#include "ui/file_icons.h"
#include "ui/window_icon.h"

namespace {

const int BenchDesktopItems = 100;
const int WindowCount = 100;
const int BenchSaverFiles = 10;
const int DefaultOpenings = 10;
// An opening that has not finished its walk by then is abandoned.
const UINT WatchdogMs = 30000;
// How often WM_ENTERIDLE may come back before a submenu's items are seen
// painted, before that submenu is given up.
const int MaxIdleWaits = 5000;

// ---- The full system the menu is measured against.

// A desktop folder of plain documents, and the "Desktop" shell folder
// pointed at it until the destructor puts the old value back.
class BenchDesktop {
public:
    BenchDesktop() : folder_("bench-desktop"), value_("Desktop", folder_.path())
    {
        for (int i = 1; i <= BenchDesktopItems; ++i) {
            char name[64];
            wsprintfA(name, "Document %03d.txt", i);
            WriteFileText(folder_.file(name), "text\r\n");
        }
    }
    std::string firstItem() const { return folder_.file("Document 001.txt"); }

private:
    TemporaryDirectory folder_;
    ShellFolderOverride value_;
};

// A few screen savers in the Windows directory: copies of this program,
// which carries icons, so each item has one to draw.
class BenchScreenSavers {
public:
    BenchScreenSavers()
    {
        char self[MAX_PATH], windows[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        GetWindowsDirectoryA(windows, MAX_PATH);
        for (int i = 1; i <= BenchSaverFiles; ++i) {
            char name[MAX_PATH];
            wsprintfA(name, "%s\\Bench Saver %02d.scr", windows, i);
            if (CopyFileA(self, name, FALSE))
                files_.push_back(name);
        }
    }
    ~BenchScreenSavers()
    {
        for (const std::string& file : files_)
            DeleteFileA(file.c_str());
    }
    size_t count() const { return files_.size(); }
    std::string first() const { return files_.empty() ? std::string() : files_[0]; }

private:
    std::vector<std::string> files_;
};

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// Visible, titled, unowned top-level windows of this process, each with a
// class icon for the Task Manager submenu to draw.
class BenchWindows {
public:
    BenchWindows()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = BenchWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = "VornelBenchWindow";
        RegisterClassA(&windowClass);
        for (int i = 1; i <= WindowCount; ++i) {
            char title[64];
            wsprintfA(title, "Bench window %03d", i);
            HWND window = CreateWindowExA(0, "VornelBenchWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                          (i % 20) * 30, (i / 20) * 60, 240, 140, nullptr, nullptr,
                                          GetModuleHandleA(nullptr), nullptr);
            if (window)
                windows_.push_back(window);
        }
        PumpPending();
    }
    ~BenchWindows()
    {
        for (HWND window : windows_)
            DestroyWindow(window);
        PumpPending();
    }
    size_t count() const { return windows_.size(); }
    HWND first() const { return windows_.empty() ? nullptr : windows_[0]; }

private:
    std::vector<HWND> windows_;
};

std::vector<std::string> AppletFiles()
{
    char pattern[MAX_PATH];
    GetSystemDirectoryA(pattern, MAX_PATH);
    lstrcatA(pattern, "\\*.CPL");
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            files.push_back(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return files;
}

// ---- What the painter pays for one item's icon, call by call: the same
// calls the program makes on every WM_DRAWITEM, timed on their own.

const int IconCostRepetitions = 10;

template <typename Call>
void PrintCallCost(const std::string& what, Call call)
{
    call();
    std::vector<double> samples;
    for (int i = 0; i < IconCostRepetitions; ++i) {
        double begin = NowMicroseconds();
        call();
        samples.push_back(NowMicroseconds() - begin);
    }
    printf("  %-64s %9.0f\n", what.c_str(), Median(samples));
}

void DestroyExtracted(HICON icon)
{
    if (icon)
        DestroyIcon(icon);
}

HICON ExtractIconOf(const std::string& path)
{
    char buffer[MAX_PATH];
    lstrcpynA(buffer, path.c_str(), MAX_PATH);
    WORD index = 0;
    return ExtractAssociatedIconA(GetModuleHandleA(nullptr), buffer, &index);
}

void PrintIconCosts(const std::vector<std::string>& applets, const std::string& desktopItem,
                    const std::string& saver, HWND window)
{
    printf("  %-64s %9s\n", "one item's icon, microseconds (median of 10)", "");
    for (const std::string& file : applets) {
        PrintCallCost("LoadLibraryA + LoadIconA + FreeLibrary, " + file, [&] {
            HMODULE module = LoadLibraryA(file.c_str());
            if (module) {
                LoadIconA(module, MAKEINTRESOURCEA(1));
                FreeLibrary(module);
            }
        });
        PrintCallCost("ExtractAssociatedIconA, " + file + " (the bare name)",
                      [&] { DestroyExtracted(ExtractIconOf(file)); });
    }
    PrintCallCost("ExtractAssociatedIconA, a desktop document (.txt)",
                  [&] { DestroyExtracted(ExtractIconOf(desktopItem)); });
    PrintCallCost("ShowsItsTypesIcon, a desktop document (.txt)",
                  [&] { ShowsItsTypesIcon(desktopItem.c_str(), ".txt"); });
    if (!saver.empty())
        PrintCallCost("ExtractAssociatedIconA, a screen saver (.scr)", [&] { DestroyExtracted(ExtractIconOf(saver)); });
    for (const char* program : { "explorer.exe", "rundll32.exe" }) {
        PrintCallCost(std::string("SearchPathA + ExtractAssociatedIconA, ") + program, [&] {
            char path[MAX_PATH];
            DWORD length = SearchPathA(nullptr, program, nullptr, MAX_PATH, path, nullptr);
            DestroyExtracted(ExtractIconOf(length > 0 && length < MAX_PATH ? path : program));
        });
    }
    if (window)
        PrintCallCost("GetWindowIcon, a window of this process", [&] { GetWindowIcon(window, true); });
}

// ---- One opening of the menu, walked from WM_ENTERIDLE.

struct Target {
    int position;
    const char* name;
    HMENU menu() const { return DynamicSubmenuAtPosition(position)->menu; }
};
const Target Targets[] = {
    { ROOT_POSITION_SCREEN_SAVER, "Screen Saver" },
    { ROOT_POSITION_DESKTOP, "Desktop" },
    { ROOT_POSITION_CONTROL_PANEL, "Control Panel" },
    { ROOT_POSITION_TASK_MANAGER, "Task Manager" },
};
const int TargetCount = sizeof Targets / sizeof Targets[0];

// Times in microseconds of NowMicroseconds; 0 until seen.
struct SubmenuTimes {
    double selectBegin = 0, selectEnd = 0;     // WM_MENUSELECT of the root position, around its handling
    double keyPosted = 0;                      // VK_RIGHT posted to open it
    double firstDraw = 0, lastDraw = 0;        // its items' WM_DRAWITEM, after each was handled
    double idleAfter = 0;                      // the menu loop idle again after they were drawn
    double measuring = 0, drawing = 0;         // time inside the program's WM_MEASUREITEM and WM_DRAWITEM
    double moveKeyPosted = 0, moveIdle = 0;    // VK_DOWN inside the open submenu, and the idle after it
    int drawn = 0;
    int items = 0;
    bool empty = false;
};

struct Opening {
    double call = 0;                           // just before ShowPopupMenu
    double rootFirstDraw = 0, rootLastDraw = 0, rootIdle = 0;
    double rootMeasuring = 0, rootDrawing = 0;
    double returned = 0;
    SubmenuTimes submenus[TargetCount];
    bool complete = false;
};

enum Phase { NAVIGATING, WAITING_FOR_SUBMENU, MOVING_IN_SUBMENU, CLOSING };

struct Walk {
    Opening opening;
    Phase phase = NAVIGATING;
    int target = 0;
    int idleWaits = 0;
    bool rootShown = false;
};

Walk Current;
WNDPROC ProgramWindowProc;
HWND Button;

int HighlightedRootPosition()
{
    int count = GetMenuItemCount(PopupMenu.tree.root);
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(PopupMenu.tree.root, i, MF_BYPOSITION) & MF_HILITE)
            return i;
    }
    return -1;
}

void PostKey(UINT key)
{
    PostMessageA(Button, WM_KEYDOWN, key, 1);
}

void FinishWalk()
{
    Current.phase = CLOSING;
    Current.opening.complete = Current.target >= TargetCount;
    EndMenu();
}

void Navigate()
{
    if (Current.target >= TargetCount) {
        FinishWalk();
        return;
    }
    const Target& target = Targets[Current.target];
    SubmenuTimes& times = Current.opening.submenus[Current.target];
    int highlighted = HighlightedRootPosition();
    if (highlighted == target.position && times.selectEnd != 0) {
        times.items = GetMenuItemCount(target.menu());
        if (times.items <= 0) {
            // Nothing to open: the build is all there is to time.
            times.empty = true;
            ++Current.target;
            Navigate();
            return;
        }
        Current.phase = WAITING_FOR_SUBMENU;
        Current.idleWaits = 0;
        times.keyPosted = NowMicroseconds();
        PostKey(VK_RIGHT);
    } else if (highlighted > target.position) {
        PostKey(VK_UP);
    } else {
        PostKey(VK_DOWN);
    }
}

void OnEnterIdle()
{
    double now = NowMicroseconds();
    if (!Current.rootShown) {
        Current.rootShown = true;
        Current.opening.rootIdle = now;
    }
    switch (Current.phase) {
    case NAVIGATING:
        Navigate();
        break;
    case WAITING_FOR_SUBMENU: {
        SubmenuTimes& times = Current.opening.submenus[Current.target];
        if (times.drawn > 0) {
            times.idleAfter = now;
            // One step down inside it: what a user waits for at every key
            // or mouse move over the submenu.
            Current.phase = MOVING_IN_SUBMENU;
            times.moveKeyPosted = NowMicroseconds();
            PostKey(VK_DOWN);
        } else if (++Current.idleWaits > MaxIdleWaits) {
            FinishWalk();
        } else {
            // Not painted yet: wake the loop again so it comes back idle.
            PostMessageA(Button, WM_NULL, 0, 0);
        }
        break;
    }
    case MOVING_IN_SUBMENU:
        Current.opening.submenus[Current.target].moveIdle = now;
        ++Current.target;
        Current.phase = NAVIGATING;
        PostKey(VK_LEFT);
        break;
    case CLOSING:
        break;
    }
}

int TargetOfMenu(HMENU menu)
{
    for (int k = 0; k < TargetCount; ++k) {
        if (menu == Targets[k].menu())
            return k;
    }
    return -1;
}

LRESULT CALLBACK TimingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ENTERIDLE: {
        LRESULT result = CallWindowProcA(ProgramWindowProc, window, message, wParam, lParam);
        if (wParam == MSGF_MENU)
            OnEnterIdle();
        return result;
    }
    case WM_MENUSELECT: {
        UINT flags = HIWORD(wParam);
        bool rootPopup = reinterpret_cast<HMENU>(lParam) == PopupMenu.tree.root && flags != 0xFFFF && (flags & MF_POPUP);
        int k = Current.target;
        bool timed = rootPopup && k < TargetCount && LOWORD(wParam) == Targets[k].position &&
                     Current.opening.submenus[k].selectBegin == 0;
        double begin = NowMicroseconds();
        LRESULT result = CallWindowProcA(ProgramWindowProc, window, message, wParam, lParam);
        if (timed) {
            Current.opening.submenus[k].selectBegin = begin;
            Current.opening.submenus[k].selectEnd = NowMicroseconds();
        }
        return result;
    }
    case WM_MEASUREITEM: {
        double begin = NowMicroseconds();
        LRESULT result = CallWindowProcA(ProgramWindowProc, window, message, wParam, lParam);
        double spent = NowMicroseconds() - begin;
        // The items measured belong to the menu about to be shown.
        if (!Current.rootShown)
            Current.opening.rootMeasuring += spent;
        else if (Current.phase == WAITING_FOR_SUBMENU)
            Current.opening.submenus[Current.target].measuring += spent;
        return result;
    }
    case WM_DRAWITEM: {
        double begin = NowMicroseconds();
        LRESULT result = CallWindowProcA(ProgramWindowProc, window, message, wParam, lParam);
        const DRAWITEMSTRUCT* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_MENU)
            return result;
        double now = NowMicroseconds();
        HMENU menu = reinterpret_cast<HMENU>(draw->hwndItem);
        if (menu == PopupMenu.tree.root && !Current.rootShown) {
            if (Current.opening.rootFirstDraw == 0)
                Current.opening.rootFirstDraw = now;
            Current.opening.rootLastDraw = now;
            Current.opening.rootDrawing += now - begin;
        }
        int k = TargetOfMenu(menu);
        if (k >= 0 && k == Current.target && Current.phase == WAITING_FOR_SUBMENU) {
            SubmenuTimes& times = Current.opening.submenus[k];
            if (times.firstDraw == 0)
                times.firstDraw = now;
            times.lastDraw = now;
            times.drawing += now - begin;
            ++times.drawn;
        }
        return result;
    }
    }
    return CallWindowProcA(ProgramWindowProc, window, message, wParam, lParam);
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD)
{
    if (Current.phase != CLOSING)
        FinishWalk();
}

Opening OpenOnce()
{
    Current = Walk();
    UINT_PTR timer = SetTimer(nullptr, 0, WatchdogMs, Watchdog);
    Current.opening.call = NowMicroseconds();
    ShowPopupMenu(Button);
    Current.opening.returned = NowMicroseconds();
    KillTimer(nullptr, timer);
    PumpPending();
    return Current.opening;
}

// ---- The report.

double Ms(double from, double to)
{
    return from != 0 && to != 0 ? (to - from) / 1000.0 : -1;
}

struct Row {
    std::string what;
    double first;
    std::vector<double> later;
};

void AddSample(std::vector<Row>& rows, size_t index, const char* what, bool first, double value)
{
    if (rows.size() <= index)
        rows.resize(index + 1);
    rows[index].what = what;
    if (value < 0)
        return;
    if (first)
        rows[index].first = value;
    else
        rows[index].later.push_back(value);
}

// ---- What repeated openings leave behind: the menu is prepared, each
// submenu built on demand is filled and every item of it drawn, as an
// opening would, without the menu loop. The process's handles, where the
// system counts them, and the icons and libraries the menus took and gave
// back must end where they began.

const int LeakOpenings = 500;

DWORD ProcessHandleCount()
{
    typedef BOOL(WINAPI * Count)(HANDLE, PDWORD);
    Count count = reinterpret_cast<Count>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetProcessHandleCount")));
    DWORD handles = 0;
    if (!count || !count(GetCurrentProcess(), &handles))
        return 0;
    return handles;
}

void DrawEveryItem(HMENU menu, HDC dc)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_MENU;
        draw.itemID = GetMenuItemID(menu, i);
        draw.hDC = dc;
        SetRect(&draw.rcItem, 0, 0, 300, 24);
        SendMessageA(Button, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    }
}

struct ProcessObjects {
    DWORD handles, gdi, user;
    DrawResourceCounts menus;
};

ProcessObjects CountObjects()
{
    return ProcessObjects{ ProcessHandleCount(), GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                           GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), DrawResources() };
}

// Returns false when something grew.
bool PrintObjectsAfterOpenings()
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 24);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    const int positions[] = { ROOT_POSITION_SCREEN_SAVER, ROOT_POSITION_DESKTOP, ROOT_POSITION_CONTROL_PANEL,
                              ROOT_POSITION_TASK_MANAGER };
    PrepareDynamicMenus();
    ProcessObjects before = CountObjects();
    double begin = NowMicroseconds();
    for (int opening = 0; opening < LeakOpenings; ++opening) {
        PrepareDynamicMenus();
        DrawEveryItem(PopupMenu.tree.root, dc);
        for (int position : positions) {
            FillDynamicSubmenu(position, Button, PopupMenu.itemsPerColumn);
            DrawEveryItem(DynamicSubmenuAtPosition(position)->menu, dc);
        }
    }
    PrepareDynamicMenus();
    double seconds = (NowMicroseconds() - begin) / 1e6;
    ProcessObjects after = CountObjects();
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);

    long taken = after.menus.iconsTaken - before.menus.iconsTaken;
    long released = after.menus.iconsReleased - before.menus.iconsReleased;
    long loaded = after.menus.librariesLoaded - before.menus.librariesLoaded;
    long freed = after.menus.librariesFreed - before.menus.librariesFreed;
    printf("  %d openings without the menu loop (%.1f s): handles %lu -> %lu, GDI objects %lu -> %lu, "
           "USER objects %lu -> %lu (0: not counted here)\n",
           LeakOpenings, seconds, static_cast<unsigned long>(before.handles), static_cast<unsigned long>(after.handles),
           static_cast<unsigned long>(before.gdi), static_cast<unsigned long>(after.gdi),
           static_cast<unsigned long>(before.user), static_cast<unsigned long>(after.user));
    printf("    icons taken %ld, given back %ld; libraries loaded %ld, freed %ld\n", taken, released, loaded, freed);
    bool kept = after.handles <= before.handles && after.gdi <= before.gdi && after.user <= before.user &&
                taken == released && loaded == freed;
    printf("  handle growth over %d openings: %s\n", LeakOpenings, kept ? "none" : "YES");
    return kept;
}

void PrintRow(const Row& row)
{
    printf("  %-52s %8.1f %8.1f %8.1f %8.1f %3zu\n", row.what.c_str(), row.first, Median(row.later),
           Minimum(row.later), Maximum(row.later), row.later.size());
}

}  // namespace

int main(int argc, char** argv)
{
    int openings = argc > 1 ? atoi(argv[1]) : DefaultOpenings;
    if (openings < 1)
        openings = DefaultOpenings;

    DeleteSettingsKey();
    InstallSeamRecorders();   // nothing a key press could reach may really happen
    int result = 0;
    {
        BenchDesktop desktop;
        BenchScreenSavers savers;
        BenchWindows windows;
        SetCursorPos(200, 150);

        Button = StartApplication(GetModuleHandleA(nullptr));
        if (!Button) {
            printf("the application did not start\n");
            return 1;
        }
        PumpPending();
        ProgramWindowProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(Button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimingWindowProc)));

        std::vector<Row> rows;
        int incomplete = 0;
        int items[TargetCount] = {};
        for (int n = 0; n <= openings; ++n) {
            Opening o = OpenOnce();
            bool first = n == 0;
            if (!o.complete)
                ++incomplete;
            size_t r = 0;
            AddSample(rows, r++, "ShowPopupMenu -> first root item drawn", first, Ms(o.call, o.rootFirstDraw));
            AddSample(rows, r++, "ShowPopupMenu -> last root item drawn", first, Ms(o.call, o.rootLastDraw));
            AddSample(rows, r++, "ShowPopupMenu -> menu loop idle (root shown)", first, Ms(o.call, o.rootIdle));
            AddSample(rows, r++, "  in the root's WM_MEASUREITEM (sum)", first, o.rootMeasuring / 1000.0);
            AddSample(rows, r++, "  in the root's WM_DRAWITEM (sum)", first, o.rootDrawing / 1000.0);
            for (int k = 0; k < TargetCount; ++k) {
                const SubmenuTimes& s = o.submenus[k];
                items[k] = s.items;
                static char labels[TargetCount][8][96];
                wsprintfA(labels[k][0], "%s (%d): highlight handled (builds it)", Targets[k].name,
                          Targets[k].position);
                wsprintfA(labels[k][1], "%s: open key -> last item painted", Targets[k].name);
                wsprintfA(labels[k][2], "%s: open key -> menu loop idle again", Targets[k].name);
                wsprintfA(labels[k][3], "  in its WM_MEASUREITEM (sum)");
                wsprintfA(labels[k][4], "  in its WM_DRAWITEM (sum)");
                wsprintfA(labels[k][5], "  in WM_DRAWITEM per item, microseconds");
                wsprintfA(labels[k][6], "%s: highlight -> painted, less the key wait", Targets[k].name);
                wsprintfA(labels[k][7], "%s: one step down inside it -> idle again", Targets[k].name);
                double build = Ms(s.selectBegin, s.selectEnd);
                double paint = s.empty ? -1 : Ms(s.keyPosted, s.lastDraw);
                AddSample(rows, r++, labels[k][0], first, build);
                AddSample(rows, r++, labels[k][1], first, paint);
                AddSample(rows, r++, labels[k][2], first, s.empty ? -1 : Ms(s.keyPosted, s.idleAfter));
                AddSample(rows, r++, labels[k][3], first, s.empty ? -1 : s.measuring / 1000.0);
                AddSample(rows, r++, labels[k][4], first, s.empty ? -1 : s.drawing / 1000.0);
                AddSample(rows, r++, labels[k][5], first, s.drawn ? s.drawing / s.drawn : -1);
                AddSample(rows, r++, labels[k][6], first, build >= 0 && paint >= 0 ? build + paint : -1);
                AddSample(rows, r++, labels[k][7], first, Ms(s.moveKeyPosted, s.moveIdle));
            }
            AddSample(rows, r++, "whole opening: ShowPopupMenu called -> returned", first,
                      Ms(o.call, o.returned));
        }

        SetWindowLongPtrA(Button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProgramWindowProc));

        printf("Popup menu under Wine: %d desktop items, %zu top-level windows, %d applet files in the system "
               "directory, %zu screen savers added; %d openings after a first one\n",
               BenchDesktopItems, windows.count(), static_cast<int>(AppletFiles().size()), savers.count(), openings);
        printf("  items listed: Screen Saver %d, Desktop %d, Control Panel %d (with Run... and a separator), "
               "Task Manager %d\n", items[0], items[1], items[2], items[3]);
        printf("  %-52s %8s %8s %8s %8s %3s\n", "milliseconds unless marked", "first", "median", "min", "max", "n");
        for (const Row& row : rows)
            PrintRow(row);
        PrintIconCosts(AppletFiles(), desktop.firstItem(), savers.first(), windows.first());
        if (!PrintObjectsAfterOpenings())
            result = 1;
        if (incomplete) {
            printf("  %d openings did not finish their walk\n", incomplete);
            result = 1;
        }

        ShutdownApplication(Button);
        PumpPending();
    }
    Platform = RealPlatformCalls;
    DeleteSettingsKey();
    fflush(stdout);
    return result;
}
