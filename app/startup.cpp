#include "app/startup.h"

#include "app/main_window.h"
#include "app/placement.h"
#include "base/system_libraries.h"
#include "menus/popup_menu.h"
#include "res/resource.h"
#include "settings/favourites_store.h"
#include "settings/settings_store.h"
#include "settings/shell_folder_names.h"
#include "ui/program_icons.h"
#include "ui/tray_icon.h"

const char MainWindowClass[] = "SimpleClass";
const char InstanceMutexName[] = "VornelMutex";

bool SignalRunningInstance()
{
    HANDLE mutex = CreateMutexA(nullptr, FALSE, InstanceMutexName);
    DWORD error = GetLastError();
    // A first instance started elevated made the mutex out of this one's reach.
    bool running = error == ERROR_ALREADY_EXISTS || (!mutex && error == ERROR_ACCESS_DENIED);
    if (!running)
        return false;
    // The first instance may still be starting and have no window yet, so
    // the message goes nowhere, or it may have stopped answering, so it is
    // not waited for long; either way this instance steps aside. The title
    // tells the button from other programs' windows of its common class.
    HWND button = FindWindowA(MainWindowClass, MainWindowTitle);
    DWORD_PTR result;
    if (button)
        SendMessageTimeoutA(button, MSG_REFRESH_TRAY, 0, 0, SMTO_ABORTIFHUNG, INSTANCE_SIGNAL_TIMEOUT_MS, &result);
    return true;
}

static void RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    // No CS_DBLCLKS: the window procedure tells double-clicks itself.
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
    windowClass.lpszClassName = MainWindowClass;
    RegisterClassExA(&windowClass);
}

static HWND CreateMainWindow(HINSTANCE instance)
{
    return CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, MainWindowClass, MainWindowTitle,
                           WS_POPUP | WS_BORDER, CW_USEDEFAULT, CW_USEDEFAULT,
                           SMALL_BUTTON_SIDE, SMALL_BUTTON_SIDE, nullptr, nullptr, instance, nullptr);
}

HWND StartApplication(HINSTANCE instance)
{
    // A drive without a disk or an applet missing a library must not stop
    // the menu with a box of the system's: the call fails quietly instead.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    LoadLibrariesFromSystemDirectoryOnly();
    RecordInstance(instance);
    SetScreenHeight(GetSystemMetrics(SM_CYSCREEN));
    RegisterMainWindowClass(instance);
    ResetSettings();
    HWND window = CreateMainWindow(instance);
    if (!window)
        return nullptr;
    LoadSettings(window);
    PlaceButtonWindow(window);
    // The tray icon shows the ball; without it, the ball's icons wait with
    // the menu's until the button is on screen.
    bool trayIconFirst = PlacementHasTrayIcon(Settings.place);
    if (trayIconFirst)
        BuildButtonIcons(window);
    AddTrayIcon(window);
    // After the tray icon, which decides whether the button may hide.
    ShowForPlacement(window);
    if (!trayIconFirst)
        BuildButtonIcons(window);
    LoadProgramIcons(instance);
    ReadShellFolderNames();
    LoadFavourites();
    BuildPopupMenu(window);
    RecordOsVersion();
    return window;
}

int RunMessageLoop()
{
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int RunVornel(HINSTANCE instance, const char*, int)
{
    if (SignalRunningInstance())
        return 0;
    if (!StartApplication(instance))
        return 0;
    return RunMessageLoop();
}
