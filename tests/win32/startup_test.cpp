// Start-up: the window class and the button window as the system sees them,
// the process-wide values, and the exit in its order.
#include "tests/win32/test_support.h"

#include <sddl.h>

#include "app/hotkeys.h"
#include "app/startup.h"
#include "menus/owner_draw.h"
#include "menus/popup_menu.h"
#include "res/resource.h"
#include "settings/settings_store.h"
#include "settings/shell_folder_names.h"
#include "ui/program_icons.h"

class StartupTest : public AppTest {};

TEST_F(StartupTest, RegistersTheButtonClass)
{
    WNDCLASSEXA windowClass = { sizeof windowClass };
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "SimpleClass", &windowClass));
    EXPECT_EQ(static_cast<UINT>(CS_HREDRAW | CS_VREDRAW), windowClass.style) << "no CS_DBLCLKS";
    EXPECT_EQ(0, windowClass.cbClsExtra);
    EXPECT_EQ(0, windowClass.cbWndExtra);
    EXPECT_NE(nullptr, windowClass.hIcon);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1), windowClass.hbrBackground);
    EXPECT_EQ(nullptr, windowClass.lpszMenuName);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), windowClass.hCursor);
}

TEST_F(StartupTest, CreatesTheButtonWindowAtTheDefaultPlace)
{
    char className[64], title[64];
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ("SimpleClass", className);
    EXPECT_STREQ("Vornel 2.10", title);
    EXPECT_EQ(window, FindWindowA("SimpleClass", nullptr));
    EXPECT_EQ(window, Program.mainWindow);

    LONG style = GetWindowLongA(window, GWL_STYLE);
    LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    EXPECT_EQ(static_cast<LONG>(WS_POPUP | WS_BORDER), style & ~(WS_VISIBLE | WS_CLIPSIBLINGS));
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(window)) << "Floating is the default placement";

    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(25, rect.right - rect.left);
    EXPECT_EQ(25, rect.bottom - rect.top);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(23, client.right);
    EXPECT_EQ(23, client.bottom);
}

TEST_F(StartupTest, ComputesProcessWideValues)
{
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) / 20 + 1, PopupMenu.itemsPerColumn);
    EXPECT_EQ(148u, Program.osVersion.dwOSVersionInfoSize);
    EXPECT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_NT), Program.osVersion.dwPlatformId);
    // The menu's fonts wait for its first measuring, then stay.
    const MenuLook& fonts = MenuFonts();
    EXPECT_NE(nullptr, fonts.menuFont);
    EXPECT_NE(nullptr, fonts.captionFont);
    EXPECT_GT(fonts.metrics.iMenuHeight, 0);
    EXPECT_EQ(340u, fonts.metrics.cbSize);
    EXPECT_EQ(fonts.menuFont, MenuFonts().menuFont);
}

// The process as it comes from whatever started it: no error mode set.
class StartupFromAnyParent : public AppTest {
protected:
    void BeforeStart() override { SetErrorMode(0); }
};

TEST_F(StartupFromAnyParent, TheSystemsBoxesAndTheProgramsFolderAreOutOfTheWay)
{
    UINT mode = SetErrorMode(0);
    EXPECT_EQ(static_cast<UINT>(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX), mode);
    // vtthree.cpl lies beside the test program, not in the system directory.
    EXPECT_EQ(nullptr, LoadLibraryA("vtthree.cpl")) << "libraries come from the system directory only";
}

TEST_F(StartupTest, LoadsEveryIcon)
{
    EXPECT_NE(nullptr, Icons.app);
    EXPECT_NE(nullptr, Icons.appPressed);
    HICON icons[] = { Icons.desk, Icons.taskManager, Icons.minimizeAll, Icons.floating, Icons.tray,
                      Icons.windowAndTray, Icons.hotkeyOnly, Icons.genericWindow, Icons.cdEject,
                      Icons.cdClose, Icons.about, Icons.exitWindows, Icons.restartWindows };
    for (HICON icon : icons)
        EXPECT_NE(nullptr, icon);
    EXPECT_NE(nullptr, ButtonIcons[0]);
    EXPECT_NE(nullptr, ButtonIcons[1]);
}

TEST_F(StartupTest, EveryIconResourceHoldsBothSizes)
{
    const int ids[] = { IDI_APP, IDI_DESK, IDI_HOTKEY_ONLY, IDI_TASK_MANAGER, IDI_FLOATING, IDI_TRAY,
                        IDI_WINDOW_AND_TRAY, IDI_APP_PRESSED, IDI_MINIMIZE_ALL, IDI_GENERIC_WINDOW,
                        IDI_CD_EJECT, IDI_CD_CLOSE };
    for (int id : ids) {
        for (int side : { 16, 32 }) {
            HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                                       side, side, 0));
            ASSERT_NE(nullptr, icon) << "icon " << id << " at " << side;
            ICONINFO info;
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAP bitmap;
            GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
            EXPECT_EQ(side, bitmap.bmWidth) << "icon " << id;
            DeleteObject(info.hbmMask);
            DeleteObject(info.hbmColor);
            DestroyIcon(icon);
        }
    }
}

TEST_F(StartupTest, ShellFolderNamesDefaultWhenTheRegistryHasNone)
{
    // Wine's registry names these folders itself; whatever it gives must be
    // a non-empty name.
    EXPECT_STRNE("", DesktopName);
    EXPECT_STRNE("", ControlPanelName);
    EXPECT_STRNE("", PrintersName);
}

class StartupWithNamedFolders : public AppTest {
protected:
    void BeforeStart() override
    {
        SetClassName("CLSID\\{00021400-0000-0000-C000-000000000046}", "My Desk", desktop_);
        SetClassName("CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}", "", controlPanel_);
        RemoveClassName("CLSID\\{2227A280-3AEA-1069-A2DE-08002B30309D}", printers_);
    }
    void TearDown() override
    {
        AppTest::TearDown();
        Restore("CLSID\\{00021400-0000-0000-C000-000000000046}", desktop_);
        Restore("CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}", controlPanel_);
        Restore("CLSID\\{2227A280-3AEA-1069-A2DE-08002B30309D}", printers_);
    }

    struct Saved { bool had = false; std::string value; };
    static void Save(const char* key, Saved& saved)
    {
        char value[MAX_PATH] = "";
        LONG size = sizeof value;
        saved.had = RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) == ERROR_SUCCESS;
        saved.value = value;
    }
    static void SetClassName(const char* key, const char* name, Saved& saved)
    {
        Save(key, saved);
        RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, name, static_cast<DWORD>(strlen(name)));
    }
    static void RemoveClassName(const char* key, Saved& saved)
    {
        Save(key, saved);
        HKEY handle;
        if (RegOpenKeyA(HKEY_CLASSES_ROOT, key, &handle) == ERROR_SUCCESS) {
            RegDeleteValueA(handle, nullptr);
            RegCloseKey(handle);
        }
    }
    static void Restore(const char* key, const Saved& saved)
    {
        if (saved.had)
            RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, saved.value.c_str(), static_cast<DWORD>(saved.value.size()));
    }
    Saved desktop_, controlPanel_, printers_;
};

TEST_F(StartupWithNamedFolders, TakesNamesFromTheRegistryAndKeepsDefaultsForEmptyOrMissing)
{
    EXPECT_STREQ("My Desk", DesktopName);
    EXPECT_STREQ("Control Panel", ControlPanelName);
    EXPECT_STREQ("Printers", PrintersName);
}

static bool menusGoneAtDestroy, hotkeysFreeAtDestroy, exitNotYetCalled;
static WNDPROC original;
static HMENU watchedRoot;

static LRESULT CALLBACK WatchDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        menusGoneAtDestroy = !IsMenu(watchedRoot);
        // A hotkey can be registered again only once the button gave it up.
        hotkeysFreeAtDestroy = RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_SHIFT, VK_DELETE);
        if (hotkeysFreeAtDestroy)
            UnregisterHotKey(nullptr, 1);
        exitNotYetCalled = SeamCallsOf("ExitProcess").empty();
    }
    return CallWindowProcA(original, window, message, wParam, lParam);
}

TEST_F(StartupTest, ShutdownReleasesEverythingInOrderAndEndsWithExitCodeZero)
{
    HICON icon0 = ButtonIcons[0];
    HMENU root = PopupMenu.tree.root, tools = PopupMenu.tree.tools;
    // At the moment the window is destroyed, everything before it must be gone.
    watchedRoot = root;
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchDestroy)));
    HWND button = window;
    ShutDown();

    EXPECT_FALSE(IsWindow(button));
    EXPECT_TRUE(menusGoneAtDestroy);
    EXPECT_FALSE(IsMenu(tools)) << "Tools goes with the root";
    EXPECT_TRUE(hotkeysFreeAtDestroy);
    EXPECT_TRUE(exitNotYetCalled);
    ICONINFO info;
    EXPECT_FALSE(GetIconInfo(icon0, &info)) << "the button icons are destroyed";
    EXPECT_EQ(nullptr, ButtonIcons[0]);
    auto exits = SeamCallsOf("ExitProcess");
    ASSERT_EQ(1u, exits.size());
    EXPECT_EQ(0u, exits[0].number);
}

TEST_F(StartupTest, WmCloseRunsTheShutdown)
{
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    ASSERT_EQ(1u, SeamCallsOf("ExitProcess").size());
}

static int refreshes;
static HWND refreshed;

static LRESULT CALLBACK CountRefreshes(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER + 2) {
        ++refreshes;
        refreshed = window;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(SingleInstance, ASecondStartSignalsTheFirstAndStepsAside)
{
    // The first instance's mutex and window.
    HANDLE first = CreateMutexA(nullptr, FALSE, "VornelMutex");
    ASSERT_NE(nullptr, first);
    refreshes = 0;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountRefreshes;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SimpleClass";
    UnregisterClassA("SimpleClass", GetModuleHandleA(nullptr));
    ASSERT_TRUE(RegisterClassA(&windowClass));
    HWND running = CreateWindowA("SimpleClass", "Vornel 2.10", WS_POPUP, 0, 0, 25, 25, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, running);
    // Another program's window of this common class, in front of the button.
    HWND other = CreateWindowA("SimpleClass", "Another program", WS_POPUP, 0, 0, 25, 25, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_EQ(other, FindWindowA("SimpleClass", nullptr));

    EXPECT_EQ(0, RunVornel(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL));
    EXPECT_EQ(1, refreshes);
    EXPECT_EQ(running, refreshed) << "the button, told by its title";
    EXPECT_EQ(running, FindWindowA("SimpleClass", "Vornel 2.10")) << "no second window";

    DestroyWindow(other);
    DestroyWindow(running);
    EXPECT_EQ(0, RunVornel(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL)) << "the first may have no window yet";
    UnregisterClassA("SimpleClass", GetModuleHandleA(nullptr));
    CloseHandle(first);
}

TEST(SingleInstance, ASecondStartStepsAsideEvenWhenTheFirstDoesNotAnswer)
{
    HANDLE first = CreateMutexA(nullptr, FALSE, "VornelMutex");
    ASSERT_NE(nullptr, first);
    HungWindow running("SimpleClass", "Vornel 2.10");
    ASSERT_NE(nullptr, running.window);
    DWORD start = GetTickCount();
    EXPECT_EQ(0, RunVornel(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL));
    // Waiting for the window would never end; the bound is the short time-out.
    EXPECT_LT(GetTickCount() - start, 10000u);
    CloseHandle(first);
}

TEST(SingleInstance, AMutexOutOfReachIsAnInstanceStartedElevated)
{
    // A mutex no one may open, as one made by an elevated first instance is
    // to a second one that is not.
    SECURITY_ATTRIBUTES attributes = { sizeof attributes, nullptr, FALSE };
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:", SDDL_REVISION_1,
                                                                     &attributes.lpSecurityDescriptor, nullptr));
    HANDLE first = CreateMutexA(&attributes, FALSE, "VornelMutex");
    LocalFree(attributes.lpSecurityDescriptor);
    ASSERT_NE(nullptr, first);
    EXPECT_TRUE(SignalRunningInstance());
    CloseHandle(first);
}

// The resource compiler drops the size of an ICON statement without a word,
// and a control laid down 0 x 0 is never seen.
TEST(DialogTemplates, EveryControlHasASize)
{
    for (int id : { IDD_FAVOURITES, IDD_ABOUT, IDD_COLOURS, IDD_WINDOWS_LIST, IDD_PROCESSES_LIST, IDD_CALCULATOR,
                    IDD_SPY }) {
        std::vector<TemplateControl> controls = DialogTemplateControls(id);
        EXPECT_FALSE(controls.empty()) << "template " << id;
        for (const TemplateControl& control : controls)
            EXPECT_TRUE(control.cx > 0 && control.cy > 0) << "template " << id << ", control " << control.id;
    }
}
