// The button window's own messages: presses, double-clicks, dragging,
// capture loss, tray notifications, hotkeys, display and colour changes,
// the second instance's call and the taskbar's restart.
#include "tests/win32/test_support.h"

#include "app/hotkeys.h"
#include "base/commands.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "menus/popup_menu.h"
#include "settings/settings_store.h"
#include "dialogs/calculator/calculator_dialog.h"
#include "ui/button_face.h"
#include "ui/program_icons.h"
#include "ui/tray_icon.h"

// The button window's own record, to set up a press from long ago.
static ButtonWindowRecord& Button()
{
    return const_cast<ButtonWindowRecord&>(ButtonWindow);
}

class MainWindow_ : public AppTest {
protected:
    void Press(UINT keys = 0, int x = 5, int y = 5)
    {
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y));
    }
    void Release() { SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); }
    void Click(UINT keys = 0)
    {
        Press(keys);
        Release();
    }
    // Makes the next press too late to complete a double-click.
    void ForgetLastPress() { Button().lastPress.tick = GetTickCount() - GetDoubleClickTime() - 1; }
    void MoveCursor(int x, int y)
    {
        SetCursorPos(x, y);
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    }
};

TEST_F(MainWindow_, TwoQuickPressesSendTheSessionCommandByTheKeysHeld)
{
    struct Case { UINT keys; UINT command; };
    const Case cases[] = {
        { 0, 48 },
        { MK_SHIFT, 49 },
        { MK_CONTROL, 50 },
        { MK_SHIFT | MK_CONTROL, 49 },   // Shift wins
    };
    for (const Case& c : cases) {
        CommandRecorder recorder(window, true);
        ForgetLastPress();
        Click();
        Click(c.keys);
        ASSERT_EQ(1u, recorder.commands.size()) << "keys " << c.keys;
        EXPECT_EQ(c.command, recorder.commands[0]) << "keys " << c.keys;
    }
}

TEST_F(MainWindow_, AThirdQuickPressIsASecondDoubleClick)
{
    CommandRecorder recorder(window, true);
    ForgetLastPress();
    Click();
    Click();
    Click();
    EXPECT_EQ((std::vector<UINT>{48, 48}), recorder.commands);
}

TEST_F(MainWindow_, APressThatMovedTheButtonBeginsNoDoubleClick)
{
    CommandRecorder recorder(window, true);
    ForgetLastPress();
    SetCursorPos(6, 6);
    Press(0, 5, 5);
    MoveCursor(200, 200);
    MoveCursor(6, 6);   // back where it was: only the move tells
    Release();
    Press(0, 5, 5);
    Release();
    EXPECT_TRUE(recorder.commands.empty()) << "two quick nudges must not end the session";
}

TEST_F(MainWindow_, TheSecondPressMustFallInTheSystemsDoubleClickRectangle)
{
    CommandRecorder recorder(window, true);
    ForgetLastPress();
    Click();
    Press(0, 5 + GetSystemMetrics(SM_CXDOUBLECLK) / 2, 5);
    Release();
    EXPECT_TRUE(recorder.commands.empty());
}

TEST_F(MainWindow_, SlowPressesGiveNoCommand)
{
    CommandRecorder recorder(window, true);
    ForgetLastPress();
    Click();
    ForgetLastPress();
    Click();
    EXPECT_TRUE(recorder.commands.empty());
}

TEST_F(MainWindow_, ADoubleClickEndsTheSessionAfterConfirmation)
{
    ForgetLastPress();
    Click();
    Click();
    auto boxes = SeamCallsOf("MessageBoxA");
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Exit Windows?", boxes[0].text1);
    EXPECT_TRUE(SeamCallsOf("ExitWindowsEx").empty()) << "the recorder answered No";
}

TEST_F(MainWindow_, DraggingFollowsTheCursorKeepingTheGrabPointAndTheReleaseSaves)
{
    SetCursorPos(6, 6);
    Press(0, 5, 5);   // client (5, 5) is screen (6, 6): one pixel of border
    EXPECT_TRUE(ButtonWindow.dragging);
    EXPECT_EQ(window, GetCapture());
    EXPECT_EQ(6, ButtonWindow.dragOffset.x);
    EXPECT_EQ(6, ButtonWindow.dragOffset.y);

    SetCursorPos(300, 200);
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(294, rect.left);
    EXPECT_EQ(194, rect.top);
    EXPECT_EQ(25, rect.right - rect.left);

    Release();
    EXPECT_FALSE(ButtonWindow.dragging);
    EXPECT_EQ(nullptr, GetCapture());
    std::vector<unsigned char> stored;
    ASSERT_TRUE(ReadValue("Coordinates", stored));
    EXPECT_EQ((std::vector<unsigned char>{38, 1, 0, 0, 194, 0, 0, 0}), stored);
}

TEST_F(MainWindow_, MovesWithoutAPressDoNothingAndAPlainClickSavesUnchangedCoordinates)
{
    MoveWindow(window, 40, 50, 25, 25, TRUE);
    SetCursorPos(500, 500);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(40, rect.left);

    DeleteSettingsKey();
    ForgetLastPress();
    Click();
    std::vector<unsigned char> stored;
    ASSERT_TRUE(ReadValue("Coordinates", stored)) << "every release saves";
    EXPECT_EQ((std::vector<unsigned char>{40, 0, 0, 0, 50, 0, 0, 0}), stored);
}

TEST_F(MainWindow_, CaptureLossReleasesAndRepaintsTheFace)
{
    ForgetLastPress();
    Press();
    ASSERT_TRUE(ButtonWindow.pressed);
    // The face is pressed while held: its centre shows the pressed ball.
    COLORREF pressedCentre = ClientPixel(window, 11, 11);
    ReleaseCapture();
    EXPECT_FALSE(ButtonWindow.dragging);
    EXPECT_FALSE(ButtonWindow.pressed);
    COLORREF releasedCentre = ClientPixel(window, 11, 11);
    EXPECT_EQ(RGB(128, 0, 0), pressedCentre);
    EXPECT_EQ(RGB(255, 0, 0), releasedCentre);
}

TEST_F(MainWindow_, TrayDoubleClickTakesTheKeysOfThisMoment)
{
    struct Case { bool control, shift; UINT command; };
    const Case cases[] = { { false, false, 48 }, { true, false, 50 }, { false, true, 49 }, { true, true, 49 } };
    for (const Case& c : cases) {
        CommandRecorder recorder(window, true);
        SetHeldKeys(c.control, c.shift);
        EXPECT_EQ(0, SendMessageA(window, MSG_TRAY_CALLBACK, TRAY_ICON_ID, WM_LBUTTONDBLCLK));
        ASSERT_EQ(1u, recorder.commands.size());
        EXPECT_EQ(c.command, recorder.commands[0]);
    }
    SetHeldKeys(false, false);
}

TEST_F(MainWindow_, OtherTrayNotificationsChangeNothing)
{
    CommandRecorder recorder(window, true);
    SendMessageA(window, MSG_TRAY_CALLBACK, TRAY_ICON_ID, WM_MOUSEMOVE);
    SendMessageA(window, MSG_TRAY_CALLBACK, TRAY_ICON_ID, WM_LBUTTONDOWN);
    EXPECT_TRUE(recorder.commands.empty());
}

class Hotkeys : public MainWindow_ {
protected:
    void SetUp() override
    {
        MainWindow_::SetUp();
        first = CreateTestWindow("first");
        second = CreateTestWindow("second");
    }
    void TearDown() override
    {
        DestroyWindow(first);
        DestroyWindow(second);
        MainWindow_::TearDown();
    }
    void Hotkey(UINT modifiers, UINT key)
    {
        SendMessageA(window, WM_HOTKEY, 0, MAKELPARAM(modifiers, key));
        PumpPending();
    }
    void Front(HWND target)
    {
        SetForegroundWindow(target);
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == target; }));
    }
    HWND first = nullptr, second = nullptr;
};

TEST_F(Hotkeys, MaximizeMinimizeAndRestoreTheWindowInFront)
{
    Front(first);
    Hotkey(MOD_CONTROL | MOD_ALT, VK_ADD);
    EXPECT_TRUE(IsZoomed(first));
    Hotkey(MOD_CONTROL | MOD_ALT, VK_DIVIDE);
    EXPECT_FALSE(IsZoomed(first));
    Hotkey(MOD_CONTROL | MOD_ALT, VK_SUBTRACT);
    EXPECT_TRUE(IsIconic(first));
    EXPECT_EQ(first, ButtonWindow.rememberedWindow);
}

TEST_F(Hotkeys, ToggleRestoresTheRememberedWindowOrMinimizesTheOneInFront)
{
    Front(first);
    Hotkey(MOD_CONTROL | MOD_ALT, VK_SUBTRACT);
    ASSERT_TRUE(IsIconic(first));
    Front(second);
    Hotkey(MOD_CONTROL | MOD_ALT, VK_MULTIPLY);
    EXPECT_FALSE(IsIconic(first)) << "the remembered window comes back";
    EXPECT_FALSE(IsIconic(second));
    EXPECT_EQ(first, ButtonWindow.rememberedWindow);

    Front(first);
    Hotkey(MOD_CONTROL | MOD_ALT, VK_MULTIPLY);
    EXPECT_TRUE(IsIconic(first)) << "with the remembered window itself in front it goes again";
    EXPECT_EQ(first, ButtonWindow.rememberedWindow);
}

TEST_F(Hotkeys, NothingHappensWhileTheButtonIsInFront)
{
    Front(window);
    Hotkey(MOD_CONTROL | MOD_ALT, VK_SUBTRACT);
    Hotkey(MOD_CONTROL | MOD_ALT, VK_ADD);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_EQ(nullptr, ButtonWindow.rememberedWindow);
}

TEST_F(Hotkeys, TheActionFollowsTheKeysNotTheId)
{
    Front(first);
    SendMessageA(window, WM_HOTKEY, HOTKEY_RESTORE, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_ADD));
    EXPECT_TRUE(IsZoomed(first));
}

TEST_F(Hotkeys, AWindowInFrontThatDoesNotAnswerDoesNotHoldTheButton)
{
    HungWindow hung;
    ASSERT_NE(nullptr, hung.window);
    Front(hung.window);
    DWORD start = GetTickCount();
    Hotkey(MOD_CONTROL | MOD_ALT, VK_ADD);
    // Waiting for the window would never end; the bound is the short time-out.
    EXPECT_LT(GetTickCount() - start, 5000u);
}

// Closing the open calculator is the calculator's test.
TEST_F(Hotkeys, CalculatorKeyPostsTheCalculatorCommand)
{
    CommandRecorder recorder(window, true);
    Hotkey(MOD_CONTROL, 192);
    EXPECT_EQ((std::vector<UINT>{155}), recorder.commands) << "posted, handled from the loop";
}

TEST_F(Hotkeys, AllSixAreRegisteredOnTheButton)
{
    // A hotkey another window holds cannot be registered again.
    struct Key { UINT modifiers, key; };
    const Key keys[] = { { MOD_CONTROL | MOD_SHIFT, VK_DELETE }, { MOD_CONTROL | MOD_ALT, VK_ADD },
                         { MOD_CONTROL | MOD_ALT, VK_SUBTRACT }, { MOD_CONTROL | MOD_ALT, VK_MULTIPLY },
                         { MOD_CONTROL | MOD_ALT, VK_DIVIDE }, { MOD_CONTROL, 192 } };
    for (const Key& key : keys) {
        EXPECT_FALSE(RegisterHotKey(first, 1, key.modifiers, key.key)) << key.key;
        UnregisterHotKey(first, 1);
    }
}

TEST_F(MainWindow_, DisplayChangeBringsAButtonBeyondEveryMonitorBackWithoutSaving)
{
    int x = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN) + 100;
    MoveWindow(window, x, 400, 25, 25, TRUE);
    SaveSettings(window);
    SendMessageA(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(400, 300));
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(16, PopupMenu.itemsPerColumn);
    std::vector<unsigned char> stored;
    ASSERT_TRUE(ReadValue("Coordinates", stored));
    EXPECT_EQ(x & 0xFF, stored[0]) << "nothing is saved here";
}

TEST_F(MainWindow_, DisplayChangeLeavesAButtonStillOnAMonitorAndSizesTheColumnsAnew)
{
    // Within the virtual screen, though beyond the new size of the primary one.
    MoveWindow(window, 500, 400, 25, 25, TRUE);
    SendMessageA(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(400, 300));
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(500, rect.left);
    EXPECT_EQ(300 / 20 + 1, PopupMenu.itemsPerColumn);
}

TEST_F(MainWindow_, SystemColourChangeRebuildsTheIcons)
{
    HICON before = ButtonIcons[0];
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_NE(nullptr, ButtonIcons[0]);
    ICONINFO info;
    EXPECT_FALSE(GetIconInfo(before, &info)) << "the old icon is destroyed";
}

TEST_F(MainWindow_, UnhandledMessagesGoToTheDefaultProcedure)
{
    EXPECT_EQ(DefWindowProcA(window, WM_NCHITTEST, 0, MAKELPARAM(5, 5)),
              SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(5, 5)));
    EXPECT_EQ(0, SendMessageA(window, WM_LBUTTONDBLCLK, 0, 0));
}

// Another program holds Ctrl+Shift+Delete before the button starts.
class HotkeyTakenByAnother : public AppTest {
protected:
    void BeforeStart() override
    {
        other_ = CreateTestWindow("holder");
        ASSERT_TRUE(RegisterHotKey(other_, 7, MOD_CONTROL | MOD_SHIFT, VK_DELETE));
    }
    void TearDown() override
    {
        AppTest::TearDown();
        UnregisterHotKey(other_, 7);
        DestroyWindow(other_);
    }
    HWND other_ = nullptr;
};

TEST_F(HotkeyTakenByAnother, StartsQuietlyWithTheOtherHotkeys)
{
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(RegisterHotKey(other_, 8, MOD_CONTROL | MOD_ALT, VK_ADD)) << "the later hotkeys are the button's";
    EXPECT_FALSE(RegisterHotKey(other_, 9, MOD_CONTROL, 192));
}

TEST_F(HotkeyTakenByAnother, HotkeyOnlyKeepsTheButtonUntilTheHotkeyIsTheButtons)
{
    SendMessageA(window, WM_COMMAND, CMD_PLACE_HOTKEY_ONLY, 0);
    EXPECT_TRUE(IsWindowVisible(window)) << "no other way in";
    EXPECT_EQ(HotkeyOnly, Settings.place) << "the choice is kept";
    UnregisterHotKey(other_, 7);
    SendMessageA(window, WM_USER + 2, 0, 0);   // a second start: the program is looked for
    EXPECT_FALSE(IsWindowVisible(window)) << "Ctrl+Shift+Delete is the button's now";
    EXPECT_FALSE(RegisterHotKey(other_, 7, MOD_CONTROL | MOD_SHIFT, VK_DELETE));
}
