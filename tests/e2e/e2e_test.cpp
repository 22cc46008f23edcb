// The real vornel.exe, started as its own process under Wine and checked
// from outside the way a user, a script or another program meets it: the
// window it shows, the registry it writes, the messages it answers, the keys
// typed at it and the pictures of the screen.
#include "tests/e2e/e2e_support.h"
#include "tests/e2e/vornel_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The numbers other programs and scripts post; they never move.
const WPARAM CommandPlaceFloating = 55;
const WPARAM CommandPlaceTray = 56;
const WPARAM CommandAutoRun = 58;
const WPARAM CommandLargeWindow = 59;
const WPARAM CommandCalculator = 155;
const int CalculatorExpressionField = 157;
const int CalculatorResultField = 158;

// A second start steps aside at once; "a few seconds" leaves room for Wine.
const DWORD SecondStartTimeoutMs = 5000;

std::string Hex(const std::vector<unsigned char>& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char byte : bytes) {
        if (!text.empty())
            text += ' ';
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

std::string Describe(const RECT& rect)
{
    return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ") " +
           std::to_string(rect.right - rect.left) + " x " + std::to_string(rect.bottom - rect.top);
}

bool HasSize(HWND window, int width, int height)
{
    RECT rect = WindowRect(window);
    return rect.right - rect.left == width && rect.bottom - rect.top == height;
}

bool IsAt(HWND window, int x, int y)
{
    RECT rect = WindowRect(window);
    return rect.left == x && rect.top == y;
}

LONG SettingOr(const char* name, LONG missing)
{
    LONG value = missing;
    return ReadSettingInt(name, value) ? value : missing;
}

void StoreCoordinates(LONG x, LONG y)
{
    const LONG coordinates[2] = { x, y };
    WriteBinaryValue("Coordinates", coordinates, sizeof coordinates);
}

// Something drawn in the first and in the last item row of a menu on the
// screen: the menu has been painted whole, not only shown.
bool ShowsItems(HWND menu)
{
    const RECT rect = WindowRect(menu);
    const int row = 16;
    const RECT first = { rect.left + 4, rect.top + 3, rect.right - 4, rect.top + 3 + row };
    const RECT last = { rect.left + 4, rect.bottom - 3 - row, rect.right - 4, rect.bottom - 3 };
    return InkPixels(first) >= 10 && InkPixels(last) >= 10;
}

// A command sent the way another program sends it, bounded so that a hung
// program fails the test instead of stopping it.
bool SendCommand(HWND button, WPARAM command)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(button, WM_COMMAND, command, 0, SMTO_NORMAL, UiTimeoutMs, &result) != 0;
}

// True once the program's message loop has taken a message from us, i.e.
// its start-up is over and it answers.
bool Answers(HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, UiTimeoutMs, &result) != 0;
}

// The hook DLL placed on the button's thread inside vornel.exe; it sets our
// named events when it sees messages there (see message_spy.cpp).
class MessageSpy {
public:
    explicit MessageSpy(HWND button)
    {
        ready_ = CreateEventA(nullptr, TRUE, FALSE, "VornelTestSpyReady");
        saw1026_ = CreateEventA(nullptr, TRUE, FALSE, "VornelTestSaw1026");
        ResetEvent(ready_);
        ResetEvent(saw1026_);
        std::string path = TestProgramDirectory() + "\\message_spy.dll";
        library_ = LoadLibraryA(path.c_str());
        HOOKPROC procedure =
            library_ ? reinterpret_cast<HOOKPROC>(GetProcAddress(library_, "MessageSpyProc")) : nullptr;
        DWORD thread = GetWindowThreadProcessId(button, nullptr);
        if (procedure && thread)
            hook_ = SetWindowsHookExA(WH_CALLWNDPROC, procedure, library_, thread);
    }
    ~MessageSpy()
    {
        if (hook_)
            UnhookWindowsHookEx(hook_);
        if (library_)
            FreeLibrary(library_);
        CloseHandle(ready_);
        CloseHandle(saw1026_);
    }

    bool installed() const { return hook_ != nullptr; }
    // A harmless message through the hook proves it runs inside vornel.exe.
    bool WaitUntilWorking(HWND button)
    {
        return Answers(button) && PumpUntil([this] { return Signalled(ready_); }, UiTimeoutMs);
    }
    bool Saw1026(DWORD timeoutMs) { return PumpUntil([this] { return Signalled(saw1026_); }, timeoutMs); }

private:
    static bool Signalled(HANDLE event) { return event && WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

    HANDLE ready_ = nullptr;
    HANDLE saw1026_ = nullptr;
    HMODULE library_ = nullptr;
    HHOOK hook_ = nullptr;
};

}  // namespace

class VornelE2E : public VornelTest {
protected:
    std::vector<HWND> VisibleMenus() const { return WindowsOfProcess(vornel.id(), "#32768", true); }

    HWND FindCalculator() const { return FindDialog("Calculator"); }
};

TEST_F(VornelE2E, StartShowsTheButtonAndWritesEverySetting)
{
    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(button) != FALSE; }, UiTimeoutMs));
    EXPECT_EQ(button, FindWindowA("SimpleClass", nullptr));

    char title[64] = "";
    GetWindowTextA(button, title, sizeof title);
    EXPECT_STREQ("Vornel 2.10", title);
    RECT rect = WindowRect(button);
    EXPECT_TRUE(IsAt(button, 0, 0) && HasSize(button, 25, 25)) << Describe(rect);
    LONG exStyle = GetWindowLongA(button, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(PumpUntil([&] { return InkPixels(WindowRect(button)) >= 50; }, UiTimeoutMs)) << "the face is not drawn";
    EXPECT_NE("", TakeScreenshotOf("button", Around(button, 12)));

    struct Stored {
        const char* name;
        std::vector<unsigned char> bytes;
    };
    const Stored expected[] = {
        { "Coordinates", { 0, 0, 0, 0, 0, 0, 0, 0 } },
        { "Force", { 0, 0, 0, 0 } },
        { "AutoRun", { 0, 0, 0, 0 } },
        { "Place", { 0, 0, 0, 0 } },
        { "LargeSize", { 0, 0, 0, 0 } },
        { "Confirmation", { 8, 0, 0, 0 } },
        { "Colors", { 0xff, 0, 0, 0, 0xff, 0xff, 0, 0, 0x80, 0, 0, 0, 0x80, 0x80, 0, 0 } },
        { "&Color as hex", { 0, 0, 0, 0 } },
    };
    for (const Stored& value : expected) {
        std::vector<unsigned char> bytes;
        DWORD type = REG_NONE;
        ASSERT_TRUE(ReadValue(value.name, bytes, &type)) << value.name << " missing after start";
        EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type) << value.name;
        EXPECT_EQ(Hex(value.bytes), Hex(bytes)) << value.name;
    }
}

TEST_F(VornelE2E, SecondStartExitsWithZeroAndTheRunningOneReceives1026)
{
    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(button) != FALSE; }, UiTimeoutMs));
    {
        MessageSpy spy(button);
        ASSERT_TRUE(spy.installed()) << "cannot hook the button's thread, error " << GetLastError();
        ASSERT_TRUE(spy.WaitUntilWorking(button)) << "the hook never ran inside vornel.exe";

        VornelProcess second;
        ASSERT_TRUE(second.Start());
        bool secondShowedAWindow = false;
        bool ended = PumpUntil([&] {
            if (!WindowsOfProcess(second.id(), nullptr, true).empty())
                secondShowedAWindow = true;
            return !second.Running();
        }, SecondStartTimeoutMs);
        ASSERT_TRUE(ended) << "the second vornel.exe is still running";
        EXPECT_EQ(0u, second.ExitCode());
        EXPECT_FALSE(secondShowedAWindow);
        EXPECT_TRUE(spy.Saw1026(UiTimeoutMs)) << "the running instance never got message 1026";
    }
    EXPECT_EQ(button, FindWindowA("SimpleClass", nullptr)) << "one button, the first one's";
    EXPECT_TRUE(IsWindowVisible(button));
    EXPECT_TRUE(vornel.Running());

    ASSERT_TRUE(vornel.Close(ExitTimeoutMs));
    EXPECT_EQ(0u, vornel.ExitCode());
}

TEST_F(VornelE2E, CloseMessageEndsTheProcessWithExitCodeZero)
{
    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);
    ASSERT_TRUE(PostMessageA(button, WM_CLOSE, 0, 0));
    ASSERT_TRUE(vornel.WaitForExit(ExitTimeoutMs)) << "still running after WM_CLOSE";
    EXPECT_EQ(0u, vornel.ExitCode());
    EXPECT_FALSE(IsWindow(button));
    EXPECT_EQ(nullptr, FindWindowA("SimpleClass", nullptr));
    // The single-instance mutex went with the process, so the next start runs.
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "VornelMutex");
    EXPECT_EQ(nullptr, mutex);
    if (mutex)
        CloseHandle(mutex);
}

TEST_F(VornelE2E, LargeWindowCommandResizesTheButtonAndIsStored)
{
    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);

    ASSERT_TRUE(SendCommand(button, CommandLargeWindow));
    EXPECT_TRUE(PumpUntil([&] { return HasSize(button, 47, 47); }, UiTimeoutMs)) << Describe(WindowRect(button));
    EXPECT_EQ(8, SettingOr("LargeSize", -1));
    // The large face fills the larger window: its lower right quarter, beyond
    // where the small face ends, shows the ball's edge and the bevel.
    EXPECT_TRUE(PumpUntil([&] {
        const RECT rect = WindowRect(button);
        const RECT lowerRight = { rect.left + 25, rect.top + 25, rect.right - 1, rect.bottom - 1 };
        return InkPixels(lowerRight) >= 50;
    }, UiTimeoutMs)) << "the large face is not drawn";
    EXPECT_NE("", TakeScreenshotOf("button_large", Around(button, 12)));

    ASSERT_TRUE(SendCommand(button, CommandLargeWindow));
    EXPECT_TRUE(PumpUntil([&] { return HasSize(button, 25, 25); }, UiTimeoutMs)) << Describe(WindowRect(button));
    EXPECT_EQ(0, SettingOr("LargeSize", -1));
}

TEST_F(VornelE2E, PlacementCommandsHideAndShowTheButtonAndAreStored)
{
    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(button) != FALSE; }, UiTimeoutMs));

    ASSERT_TRUE(SendCommand(button, CommandPlaceTray));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(button); }, UiTimeoutMs)) << "System Tray hides the button";
    EXPECT_EQ(1, SettingOr("Place", -1));

    ASSERT_TRUE(SendCommand(button, CommandPlaceFloating));
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(button) != FALSE; }, UiTimeoutMs)) << "Floating shows it";
    EXPECT_EQ(0, SettingOr("Place", -1));
}

// The start-with-Windows entry as the shell reads it, in UTF-16; taken
// away, so nothing of the test stays behind to start with the prefix.
std::wstring TakeRunEntry()
{
    WCHAR value[MAX_PATH * 2] = L"";
    DWORD size = sizeof value - sizeof(WCHAR);
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ |
                      KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return L"";
    RegQueryValueExW(key, L"Vornel", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegDeleteValueW(key, L"Vornel");
    RegCloseKey(key);
    return value;
}

TEST_F(VornelE2E, AutoRunStoresTheWholePathOfAFolderNamedOutsideTheCodePage)
{
    if (LaneWindowsVersion() == "win98")
        GTEST_SKIP() << "the 9x family names files in its ANSI code page";
    WCHAR temporary[MAX_PATH];
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring folder = std::wstring(temporary) + L"Vornel \u03A9\u043C\u0435\u0433\u0430";
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, 0, folder.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (!lossy)
        GTEST_SKIP() << "this ANSI code page holds the folder's name";
    const std::wstring program = folder + L"\\vornel.exe";
    CreateDirectoryW(folder.c_str(), nullptr);
    WCHAR original[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, VornelProcess::ExecutablePath().c_str(), -1, original, MAX_PATH);
    ASSERT_TRUE(CopyFileW(original, program.c_str(), FALSE));
    ASSERT_TRUE(vornel.StartAt(program));
    HWND button = vornel.WaitForButton(StartTimeoutMs);
    ASSERT_NE(nullptr, button);
    ASSERT_TRUE(SendCommand(button, CommandAutoRun));
    EXPECT_EQ(8, SettingOr("AutoRun", -1));
    EXPECT_TRUE(TakeRunEntry() == L"\"" + program + L"\"") << "the path in the entry is not the program's";
    ASSERT_TRUE(vornel.Close(ExitTimeoutMs));
    DeleteFileW(program.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST_F(VornelE2E, StartsAtTheStoredPosition)
{
    StoreCoordinates(200, 150);
    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(button) && IsAt(button, 200, 150); }, UiTimeoutMs))
        << Describe(WindowRect(button));
    EXPECT_TRUE(HasSize(button, 25, 25));
}

TEST_F(VornelE2E, StoredPositionBeyondTheScreenMovesToItsLeftEdge)
{
    ASSERT_LT(GetSystemMetrics(SM_CXSCREEN), 5000) << "the test needs a screen narrower than 5000 pixels";
    ASSERT_GT(GetSystemMetrics(SM_CYSCREEN), 100 + 25);
    StoreCoordinates(5000, 100);
    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(button) && IsAt(button, 0, 100); }, UiTimeoutMs))
        << Describe(WindowRect(button));
    std::vector<unsigned char> stored;
    ASSERT_TRUE(ReadValue("Coordinates", stored));
    EXPECT_EQ("00 00 00 00 64 00 00 00", Hex(stored)) << "the corrected place is what start-up saves";
}

TEST_F(VornelE2E, UnknownStoredPlacementStillShowsTheButton)
{
    const LONG place = 7;
    WriteBinaryValue("Place", &place, sizeof place);
    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(button) != FALSE; }, UiTimeoutMs))
        << "a placement the program does not know must leave the button reachable";
    EXPECT_EQ(0, SettingOr("Place", -1)) << "started as Floating, and saved so";
}

TEST_F(VornelE2E, HotkeyOpensTheMenuAndTheKeyboardOpensEverySubmenu)
{
    // Something for each live submenu to list: a desktop with two entries, a
    // screen saver file, a favourite and a window of our own.
    TemporaryDirectory desktop("e2e-desktop");
    ASSERT_TRUE(WriteFileText(desktop.file("Notes.txt"), "notes"));
    ASSERT_TRUE(CreateDirectoryA(desktop.file("Projects").c_str(), nullptr));
    ShellFolderOverride desktopFolder("Desktop", desktop.path());
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    TemporaryFile saver(std::string(windows) + "\\Vornel Test Saver.scr", "");
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    WriteStringValue("Item0", (std::string(system) + "\\notepad.exe").c_str());
    WriteStringValue("Param0", "readme.txt");
    TestWindow listed("Vornel test window", 20, 560, 320, 160);
    ASSERT_NE(nullptr, listed.handle());

    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(button) != FALSE; }, UiTimeoutMs));
    ASSERT_TRUE(VisibleMenus().empty());
    // Wine hands the X keyboard focus to the window it activates (there is
    // no window manager to do it), so the keys reach Wine once vornel's
    // button is in front; the hotkey itself is the same from any window.
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == button; }, UiTimeoutMs))
        << "vornel's button never came to the front, so typed keys would go nowhere";

    // The menu opens at the mouse pointer: put it where the whole menu tree
    // fits on the screen, whatever earlier tests did with it.
    const POINT pointer = { 400, 300 };
    ASSERT_TRUE(Xdotool("mousemove " + std::to_string(pointer.x) + " " + std::to_string(pointer.y)));
    ASSERT_TRUE(PumpUntil([&] {
        POINT now = {};
        return GetCursorPos(&now) && now.x == pointer.x && now.y == pointer.y;
    }, UiTimeoutMs)) << "the pointer did not move";

    ASSERT_TRUE(Xdotool("key ctrl+shift+Delete"));
    ASSERT_TRUE(PumpUntil([&] { return VisibleMenus().size() == 1; }, UiTimeoutMs))
        << "no popup menu after Ctrl+Shift+Delete";
    HWND root = VisibleMenus().front();
    EXPECT_TRUE(IsAt(root, pointer.x, pointer.y)) << Describe(WindowRect(root));
    EXPECT_TRUE(PumpUntil([&] { return ShowsItems(root); }, UiTimeoutMs)) << "the menu stays blank";
    EXPECT_NE("", TakeScreenshotOf("menu_root", Around(root)));

    struct Submenu {
        int position;   // in the root menu
        const char* name;
    };
    const Submenu submenus[] = {
        { 5, "screen_saver" }, { 6, "desktop" },       { 7, "favourites" }, { 8, "control_panel" },
        { 9, "task_manager" }, { 10, "tools" },        { 11, "options" },
    };
    // The keyboard skips the root's separators (positions 3 and 13); the
    // first Down selects position 0.
    auto isSeparator = [](int position) { return position == 3 || position == 13; };
    int selected = -1;
    for (const Submenu& submenu : submenus) {
        std::string keys = "key";
        for (int position = selected + 1; position <= submenu.position; ++position) {
            if (!isSeparator(position))
                keys += " Down";
        }
        keys += " Right";
        selected = submenu.position;
        ASSERT_TRUE(Xdotool(keys));

        HWND opened = nullptr;
        bool shown = PumpUntil([&] {
            for (HWND menu : VisibleMenus()) {
                if (menu != root)
                    opened = menu;
            }
            return opened != nullptr;
        }, UiTimeoutMs);
        // Each of them lists something (the fixtures above, or fixed items).
        bool drawn = shown && PumpUntil([&] { return ShowsItems(opened); }, UiTimeoutMs);
        RECT both = Around(root);
        if (opened) {
            RECT inner = Around(opened);
            UnionRect(&both, &both, &inner);
        }
        std::string picture = TakeScreenshotOf(std::string("menu_") + submenu.name, both);
        EXPECT_NE("", picture) << submenu.name;
        ASSERT_TRUE(shown) << "the " << submenu.name << " submenu did not open";
        EXPECT_TRUE(drawn) << "the " << submenu.name << " submenu shows no items";
        // An empty submenu is a sliver; one with items is at least an item high.
        RECT rect = WindowRect(opened);
        EXPECT_GE(rect.bottom - rect.top, 15) << submenu.name << " " << Describe(rect);
        EXPECT_GE(rect.right - rect.left, 30) << submenu.name << " " << Describe(rect);

        ASSERT_TRUE(Xdotool("key Left"));
        ASSERT_TRUE(PumpUntil([&] { return VisibleMenus().size() == 1; }, UiTimeoutMs))
            << "Left did not close the " << submenu.name << " submenu";
    }

    ASSERT_TRUE(Xdotool("key Escape"));
    EXPECT_TRUE(PumpUntil([&] { return WindowsOfProcess(vornel.id(), "#32768", false).empty(); }, UiTimeoutMs))
        << "Escape did not close the menu";
    EXPECT_FALSE(IsWindowVisible(root));
    EXPECT_TRUE(Answers(button)) << "the program goes on after the menu";
}

TEST_F(VornelE2E, CalculatorEvaluatesTypedExpressionsAndKeepsThem)
{
    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);

    struct Case {
        const char* typed;
        const char* result;
        const char* stored;   // what the history keeps: upper case
        const char* picture;
    };
    const Case cases[] = {
        { "2*(3+4)", "14", "2*(3+4)", "calculator" },
        { "sqrt(16)", "4", "SQRT(16)", "calculator_sqrt" },
    };
    std::string previous;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.typed);
        ASSERT_TRUE(PostMessageA(button, WM_COMMAND, CommandCalculator, 0));
        HWND dialog = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (dialog = FindCalculator()) != nullptr; }, UiTimeoutMs))
            << "no Calculator dialog after command 155";
        // The newest expression of the history is ready in the field, all
        // selected, so typing replaces it.
        EXPECT_EQ(previous, ControlText(dialog, CalculatorExpressionField));
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog; }, UiTimeoutMs))
            << "the keyboard does not go to the Calculator";

        ASSERT_TRUE(Xdotool(std::string("type \"") + test.typed + "\""));
        EXPECT_TRUE(PumpUntil([&] { return ControlText(dialog, CalculatorExpressionField) == test.typed; },
                            UiTimeoutMs))
            << "typed text arrived as \"" << ControlText(dialog, CalculatorExpressionField) << "\"";
        ASSERT_TRUE(Xdotool("key Return"));
        PumpUntil([&] { return !ControlText(dialog, CalculatorResultField).empty(); }, UiTimeoutMs);
        EXPECT_EQ(test.result, ControlText(dialog, CalculatorResultField));
        HWND resultField = GetDlgItem(dialog, CalculatorResultField);
        EXPECT_TRUE(PumpUntil([&] { return InkPixels(Inset(WindowRect(resultField), 3, 3)) >= 5; }, UiTimeoutMs))
            << "the result is not drawn on the screen";
        EXPECT_NE("", TakeScreenshotOf(test.picture, Around(dialog)));

        ASSERT_TRUE(PostMessageA(dialog, WM_CLOSE, 0, 0));
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, UiTimeoutMs)) << "the Calculator did not close";
        std::string stored;
        EXPECT_TRUE(ReadSettingString("calc0", stored));
        EXPECT_EQ(test.stored, stored);
        if (!previous.empty()) {
            EXPECT_TRUE(ReadSettingString("calc1", stored));
            EXPECT_EQ(previous, stored) << "the earlier expression moves down one";
        }
        previous = test.stored;
        EXPECT_TRUE(Answers(button));
    }
}
