// Minimize All, the three actions on a listed window and the shell and
// device commands, on real windows and processes of the test prefix; what
// must not really happen is recorded by the seam.
#include "tests/win32/test_support.h"

#include "actions/shell_commands.h"
#include "actions/window_actions.h"
#include "menus/menu_tree.h"
#include "base/platform.h"
#include "app/startup.h"
#include "menus/applet_menu.h"
#include "menus/desktop_menu.h"
#include "menus/popup_menu.h"
#include "menus/screen_saver_menu.h"
#include "menus/task_menu.h"
#include "settings/favourites_store.h"

// Holds a key down through the system's input, as the user would. Wine
// keeps the asynchronous key state only for input that goes to another
// process's window, so a ForeignForeground must be in front.
class HeldKey {
public:
    explicit HeldKey(BYTE key) : key_(key)
    {
        RealPlatformCalls.keybd_event(key, 0, 0, 0);
        PumpUntil([&] { return (GetAsyncKeyState(key_) & 0x8000) != 0; }, 2000);
    }
    ~HeldKey()
    {
        RealPlatformCalls.keybd_event(key_, 0, KEYEVENTF_KEYUP, 0);
        PumpUntil([&] { return (GetAsyncKeyState(key_) & 0x8000) == 0; }, 2000);
    }

private:
    BYTE key_;
};

// A notepad of its own, ended with the test if it still runs.
class Notepad {
public:
    Notepad()
    {
        STARTUPINFOA startup = { sizeof startup };
        char command[] = "notepad.exe";
        if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child_))
            return;
        PumpUntil([&] {
            for (HWND w = FindWindowA("Notepad", nullptr); w; w = FindWindowExA(nullptr, w, "Notepad", nullptr)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == child_.dwProcessId)
                    window = w;
            }
            return window != nullptr;
        }, 15000);
    }
    ~Notepad()
    {
        if (!child_.hProcess)
            return;
        if (!Ended(0)) {
            TerminateProcess(child_.hProcess, 1);
            Ended(5000);
        }
        CloseHandle(child_.hProcess);
        CloseHandle(child_.hThread);
    }
    bool Ended(DWORD timeoutMs = 10000) { return WaitForSingleObject(child_.hProcess, timeoutMs) == WAIT_OBJECT_0; }
    DWORD ExitCode()
    {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(child_.hProcess, &code);
        return code;
    }
    HWND window = nullptr;

private:
    PROCESS_INFORMATION child_ = {};
};

// A window of another process in front, as when the user picks a command
// while working in some program.
class ForeignForeground : public Notepad {
public:
    ForeignForeground()
    {
        SetForegroundWindow(window);
        PumpUntil([&] { return GetForegroundWindow() == window; });
    }
};

class Actions : public AppTest {
protected:
    void TearDown() override
    {
        PrepareDynamicMenus();
        windows_.DestroyAll();
        AppTest::TearDown();
    }
    HWND Make(const char* title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND owner = nullptr)
    {
        return windows_.Make(title, style, owner);
    }
    // Lists exactly these windows as the windows submenu's entries.
    void List(std::initializer_list<HWND> targets)
    {
        PrepareDynamicMenus();
        int k = 0;
        for (HWND target : targets)
            PlantMenuEntry(ROOT_POSITION_TASK_MANAGER, k++, "listed").window = target;
    }
    TestWindows windows_;
};

// The minimize animation as the seam reports it; the test prefix's system
// does not keep the flag, so the test keeps it here.
static int FakeAnimation;

static BOOL WINAPI FakeAnimationSetting(UINT action, UINT parameter, PVOID data, UINT update)
{
    char text[16], updateText[16];
    wsprintfA(text, "%u", parameter);
    wsprintfA(updateText, "%u", update);
    SeamCall call;
    call.function = "SystemParametersInfoA";
    call.number = action;
    call.text1 = text;
    call.text2 = updateText;
    ANIMATIONINFO* animation = static_cast<ANIMATIONINFO*>(data);
    if (action == SPI_GETANIMATION) {
        animation->iMinAnimate = FakeAnimation;
        return TRUE;
    }
    if (action == SPI_SETANIMATION) {
        call.text3 = std::to_string(animation->iMinAnimate);
        FakeAnimation = animation->iMinAnimate;
    }
    SeamCalls.push_back(call);
    return TRUE;
}

TEST_F(Actions, MinimizeAllTakesOnlyOrdinaryWindows)
{
    HWND ordinary = Make("ordinary");
    HWND noBox = Make("dialog-like", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
    HWND ownedPopup = Make("owned", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, ordinary);
    HWND hidden = Make("hidden", WS_OVERLAPPEDWINDOW);
    HWND minimized = Make("minimized", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE);
    SendMessageA(window, WM_COMMAND, 53, 0);
    EXPECT_TRUE(IsIconic(ordinary));
    EXPECT_FALSE(IsIconic(noBox)) << "no minimize box";
    EXPECT_FALSE(IsIconic(ownedPopup)) << "an owned pop-up has a parent for GetParent";
    EXPECT_FALSE(IsIconic(hidden));
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_TRUE(IsIconic(minimized));
    EXPECT_FALSE(IsIconic(window)) << "never the button";
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(Actions, MinimizeAllSwitchesTheAnimationOffAndRestoresIt)
{
    Platform.SystemParametersInfoA = FakeAnimationSetting;
    FakeAnimation = 1;
    HWND ordinary = Make("ordinary");
    MinimizeAll(window);
    auto writes = SeamCallsOf("SystemParametersInfoA");
    ASSERT_EQ(2u, writes.size());
    EXPECT_EQ(static_cast<UINT>(SPI_SETANIMATION), writes[0].number);
    EXPECT_EQ("0", writes[0].text3) << "off while minimizing";
    EXPECT_EQ("0", writes[0].text2) << "neither stored nor broadcast";
    EXPECT_EQ("1", writes[1].text3) << "then back as it was found";
    EXPECT_EQ(1, FakeAnimation);
    EXPECT_TRUE(IsIconic(ordinary));

    FakeAnimation = 0;
    SeamCalls.clear();
    MinimizeAll(window);
    EXPECT_TRUE(SeamCallsOf("SystemParametersInfoA").empty()) << "already off: left alone";
}

TEST_F(Actions, MinimizeAllDoesNotWaitForeverOnAWindowThatDoesNotAnswer)
{
    HungWindow hung;
    ASSERT_NE(nullptr, hung.window);
    HWND ordinary = Make("ordinary");
    DWORD start = GetTickCount();
    MinimizeAll(window);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_LT(elapsed, 10 * WINDOW_ANSWER_TIMEOUT_MS) << "bounded by the time-out, not by the hung window";
    EXPECT_TRUE(IsIconic(ordinary)) << "the others are still minimized";
}

TEST_F(Actions, ChoosingAMinimizedWindowRestoresItAndBringsItToTheFront)
{
    HWND target = Make("target", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE);
    List({ target });
    SendMessageA(window, WM_COMMAND, 2000, 0);
    EXPECT_FALSE(IsIconic(target));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == target; }));
    EXPECT_TRUE(SeamCallsOf("keybd_event").empty()) << "restored, so no Enter is needed";
}

static LRESULT CALLBACK RestoreOnlyOnEnter(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_RESTORE)
        return 0;   // this program ignores the restore
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(Actions, AWindowThatStaysMinimizedGetsEnterPressedAndReleased)
{
    HWND stubborn = Make("stubborn", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE);
    SetWindowLongPtrA(stubborn, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RestoreOnlyOnEnter));
    ActivateWindow(stubborn);
    auto keys = SeamCallsOf("keybd_event");
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ(static_cast<UINT>(VK_RETURN), keys[0].number & 0xFF);
    EXPECT_EQ("28", keys[0].text1) << "scan code 0x1C";
    EXPECT_EQ(0u, keys[0].number >> 16) << "key down";
    EXPECT_EQ(static_cast<UINT>(VK_RETURN), keys[1].number & 0xFF);
    EXPECT_EQ(static_cast<UINT>(KEYEVENTF_KEYUP), keys[1].number >> 16) << "then key up";
}

// The window the system will not bring to the front, as its foreground
// lock refuses a program in the background.
static HWND Refused;

static LRESULT CALLBACK RefuseActivation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && reinterpret_cast<HWND>(wParam) == Refused)
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(Actions, EnterIsPressedOnlyForATargetInFront)
{
    Refused = Make("stubborn", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE);
    SetWindowLongPtrA(Refused, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RestoreOnlyOnEnter));
    HWND front = Make("in front");
    SetForegroundWindow(front);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == front; }));
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseActivation, nullptr, GetCurrentThreadId());
    ActivateWindow(Refused);
    UnhookWindowsHookEx(hook);
    ASSERT_EQ(front, GetForegroundWindow());
    EXPECT_TRUE(SeamCallsOf("keybd_event").empty()) << "Enter would reach the window in front";
}

static UINT ClosesSeen;

static LRESULT CALLBACK CountCloses(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        ++ClosesSeen;
        return 0;   // this program decides to stay
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(Actions, ShiftOnlyAsksTheWindowToClose)
{
    HWND target = Make("target");
    SetWindowLongPtrA(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountCloses));
    ClosesSeen = 0;
    List({ target });
    ForeignForeground notepad;
    {
        HeldKey shift(VK_SHIFT);
        SendMessageA(window, WM_COMMAND, 2000, 0);
    }
    EXPECT_TRUE(PumpUntil([] { return ClosesSeen == 1; }));
    EXPECT_TRUE(IsWindow(target));
    EXPECT_TRUE(SeamCallsOf("TerminateProcess").empty());
}

TEST_F(Actions, CtrlKillsTheOwningProcessWithExitCodeZero)
{
    Notepad target;
    ASSERT_NE(nullptr, target.window);
    List({ target.window });
    Platform.TerminateProcess = RealPlatformCalls.TerminateProcess;
    {
        HeldKey control(VK_CONTROL);
        HeldKey shift(VK_SHIFT);   // both held: Ctrl wins, the process is killed
        SendMessageA(window, WM_COMMAND, 2000, 0);
    }
    EXPECT_TRUE(target.Ended());
    EXPECT_EQ(0u, target.ExitCode());
}

// What the system would say: this window is the ghost of that hung one.
static HWND Ghost, HungBehindGhost;

static HWND WINAPI GhostOf(HWND window)
{
    return window == Ghost ? HungBehindGhost : nullptr;
}

// The rights the process handle was opened with, as the kernel granted them.
static ACCESS_MASK GrantedToKill;

static BOOL WINAPI TerminateNotingRights(HANDLE process, UINT exitCode)
{
    struct { ULONG attributes; ACCESS_MASK granted; ULONG counts[12]; } basic = {};
    typedef LONG WINAPI QueryObject(HANDLE, int, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryObject*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryObject"));
    if (query && query(process, 0 /* ObjectBasicInformation */, &basic, sizeof basic, nullptr) == 0)
        GrantedToKill = basic.granted;
    return RealPlatformCalls.TerminateProcess(process, exitCode);
}

TEST_F(Actions, CtrlOnTheGhostOfAHungProgramEndsTheHungProgramWithTheRightToEndItOnly)
{
    Notepad ghostsOwner, hung;   // the first stands in for the window manager's process
    ASSERT_TRUE(ghostsOwner.window && hung.window);
    Ghost = ghostsOwner.window;
    HungBehindGhost = hung.window;
    Platform.HungWindowFromGhostWindow = GhostOf;
    Platform.TerminateProcess = TerminateNotingRights;
    GrantedToKill = 0;
    List({ Ghost });
    {
        HeldKey control(VK_CONTROL);
        SendMessageA(window, WM_COMMAND, 2000, 0);
    }
    EXPECT_TRUE(hung.Ended());
    EXPECT_FALSE(ghostsOwner.Ended(0));
    EXPECT_EQ(static_cast<ACCESS_MASK>(PROCESS_TERMINATE), GrantedToKill);
}

TEST_F(Actions, AWindowThatVanishedBeforeItsCommandIsHarmless)
{
    HWND gone = Make("gone");
    List({ gone });
    DestroyWindow(gone);
    SendMessageA(window, WM_COMMAND, 2000, 0);
    ForeignForeground notepad;
    {
        HeldKey control(VK_CONTROL);
        SendMessageA(window, WM_COMMAND, 2000, 0);
    }
    EXPECT_TRUE(SeamCallsOf("TerminateProcess").empty());
    EXPECT_TRUE(IsWindow(window));
}

// rundll32.exe is started by its full path: a bare name would start a file
// of that name in the current directory first.
static bool IsRunDll(const std::string& file)
{
    const std::string name = "\\rundll32.exe";
    return file.size() > name.size() && file.compare(file.size() - name.size(), name.size(), name) == 0;
}

TEST_F(Actions, ShellCommandsPassTheirExactTexts)
{
    SendMessageA(window, WM_COMMAND, 51, 0);
    SendMessageA(window, WM_COMMAND, 151, 0);
    SendMessageA(window, WM_COMMAND, 152, 0);
    auto shell = SeamCallsOf("ShellExecuteA");
    ASSERT_EQ(1u, shell.size());
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(std::string(system) + "\\rundll32.exe", shell[0].text1) << "the system's own";
    EXPECT_EQ("shell32.dll,Control_RunDLL", shell[0].text2);
    EXPECT_EQ("open|(null)", shell[0].text3);
    EXPECT_EQ(static_cast<UINT>(SW_SHOWDEFAULT), shell[0].number);
    EXPECT_EQ(window, shell[0].window);
    auto mci = SeamCallsOf("mciSendStringA");
    ASSERT_EQ(2u, mci.size());
    EXPECT_EQ("Set cdaudio door open wait", mci[0].text1);
    EXPECT_EQ("Set cdaudio door closed wait", mci[1].text1);
    EXPECT_EQ(window, mci[0].window);
    EXPECT_EQ(0u, mci[0].number);
}

TEST_F(Actions, AppletsRunThroughRundllWithFileAndNumber)
{
    PrepareDynamicMenus();
    PlantMenuEntry(ROOT_POSITION_CONTROL_PANEL, 3, "Beta Applet", "vtthree.cpl").number = 1;
    SendMessageA(window, WM_COMMAND, 1003, 0);
    auto shell = SeamCallsOf("ShellExecuteA");
    ASSERT_EQ(1u, shell.size());
    EXPECT_TRUE(IsRunDll(shell[0].text1)) << shell[0].text1;
    EXPECT_EQ("shell32.dll,Control_RunDLL vtthree.cpl,@1", shell[0].text2);
}

TEST_F(Actions, FavouritesAndDesktopItemsOpenThroughTheShell)
{
    UseFavourites({ { "C:\\Tools\\app.exe", "-x" }, { "C:\\Tools\\plain.exe", "" } });
    SendMessageA(window, WM_COMMAND, 3000, 0);
    SendMessageA(window, WM_COMMAND, 3001, 0);
    SendMessageA(window, WM_COMMAND, 3002, 0);   // no such favourite
    PrepareDynamicMenus();
    PlantMenuEntry(ROOT_POSITION_DESKTOP, 0, "Word.lnk", "C:\\Desk\\Word.lnk");
    SendMessageA(window, WM_COMMAND, 4000, 0);
    auto shell = SeamCallsOf("ShellExecuteA");
    ASSERT_EQ(3u, shell.size());
    EXPECT_EQ("C:\\Tools\\app.exe", shell[0].text1);
    EXPECT_EQ("-x", shell[0].text2);
    EXPECT_EQ("", shell[1].text2) << "empty parameters are passed as they are";
    EXPECT_EQ("C:\\Desk\\Word.lnk", shell[2].text1);
    EXPECT_EQ("(null)", shell[2].text2);
}

TEST_F(Actions, ADesktopItemWhosePathDidNotFitOpensNothing)
{
    PrepareDynamicMenus();
    PlantMenuEntry(ROOT_POSITION_DESKTOP, 0, std::string(100, 'n').c_str(), nullptr);
    SendMessageA(window, WM_COMMAND, 4000, 0);
    EXPECT_TRUE(SeamCallsOf("ShellExecuteA").empty());
}

class ScreenSaverActions : public Actions {
protected:
    void SetUp() override
    {
        Actions::SetUp();
        char directory[MAX_PATH];
        GetSystemDirectoryA(directory, MAX_PATH);
        saver_ = std::string(directory) + "\\VtLongSaverName.scr";
        WriteFileText(saver_, "MZ");
        char configured[MAX_PATH];
        GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "\x01", configured, MAX_PATH, "system.ini");
        previous_ = configured;
        PrepareDynamicMenus();
        PlantMenuEntry(ROOT_POSITION_SCREEN_SAVER, 0, saver_.c_str());
    }
    void TearDown() override
    {
        DeleteFileA(saver_.c_str());
        WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", previous_ == "\x01" ? nullptr : previous_.c_str(),
                                   "system.ini");
        Actions::TearDown();
    }
    std::string saver_, previous_;
};

TEST_F(ScreenSaverActions, PlainStartsTheSaverShiftOpensItsSettingsPage)
{
    SendMessageA(window, WM_COMMAND, 5000, 0);
    ForeignForeground notepad;
    {
        HeldKey shift(VK_SHIFT);
        SendMessageA(window, WM_COMMAND, 5000, 0);
    }
    auto shell = SeamCallsOf("ShellExecuteA");
    ASSERT_EQ(2u, shell.size());
    EXPECT_EQ(saver_, shell[0].text1);
    EXPECT_EQ("(null)", shell[0].text2);
    EXPECT_TRUE(IsRunDll(shell[1].text1)) << shell[1].text1;
    EXPECT_EQ("shell32.dll,Control_RunDLL desk.cpl,,1", shell[1].text2);
}

TEST_F(ScreenSaverActions, CtrlMakesItTheDefaultWithoutStartingIt)
{
    ForeignForeground notepad;
    {
        HeldKey control(VK_CONTROL);
        SendMessageA(window, WM_COMMAND, 5000, 0);
    }
    EXPECT_TRUE(SeamCallsOf("ShellExecuteA").empty()) << "not started";
    char shortPath[MAX_PATH];
    GetShortPathNameA(saver_.c_str(), shortPath, MAX_PATH);
    char configured[MAX_PATH];
    GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "", configured, MAX_PATH, "system.ini");
    EXPECT_STREQ(shortPath, configured);
    auto settings = SeamCallsOf("SystemParametersInfoA");
    ASSERT_EQ(1u, settings.size());
    EXPECT_EQ(static_cast<UINT>(SPI_SETSCREENSAVEACTIVE), settings[0].number);
    EXPECT_EQ("1", settings[0].text1);
    EXPECT_EQ("2", settings[0].text2) << "SPIF_SENDWININICHANGE";
    BOOL active = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    EXPECT_TRUE(active);
}

TEST_F(ScreenSaverActions, AMissingSaverChangesNothing)
{
    DeleteFileA(saver_.c_str());
    WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", "KEEP.SCR", "system.ini");
    SetDefaultScreenSaver(saver_.c_str());
    char configured[MAX_PATH];
    GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "", configured, MAX_PATH, "system.ini");
    EXPECT_STREQ("KEEP.SCR", configured);
    EXPECT_TRUE(SeamCallsOf("WritePrivateProfileStringA").empty());
}
