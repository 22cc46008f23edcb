// The Spy window in-process: the window under a cursor moved with
// SetCursorPos, the pixel colour in both forms, a window that does not
// answer, its keys, and closing through the real command.
#include "tests/win32/test_support.h"

#include <stdio.h>

#include "app/command_dispatch.h"
#include "base/commands.h"
#include "res/resource.h"
#include "dialogs/single_dialog.h"
#include "dialogs/spy_window/spy_window.h"

namespace {

const COLORREF CanvasColour = RGB(255, 0, 5);

std::string Field(HWND dialog, int id)
{
    char text[300];
    return std::string(text, GetDlgItemTextA(dialog, id, text, sizeof text));
}

std::string HandleText(const void* handle)
{
    unsigned low = static_cast<unsigned>(reinterpret_cast<UINT_PTR>(handle));
    char text[64];
    snprintf(text, sizeof text, "Dec: %06d, Hex: %06x", low, low);
    return text;
}

}  // namespace

// A topmost window in one known colour with a button on it, and the spy
// opened modeless so the test can wait for its updates.
class Spy : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = brush = CreateSolidBrush(CanvasColour);
        windowClass.lpszClassName = "VornelSpyCanvas";
        RegisterClassA(&windowClass);
        canvas = CreateWindowExA(WS_EX_TOPMOST, "VornelSpyCanvas", "canvas", WS_POPUP | WS_VISIBLE,
                                 300, 200, 200, 150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        target = CreateWindowA("BUTTON", "Spy target", WS_CHILD | WS_VISIBLE, 10, 10, 120, 20, canvas, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(PumpUntil([&] { return ClientPixel(canvas, 150, 100) == CanvasColour; }));
        dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SPY), window, SpyDlgProc,
                                    reinterpret_cast<LPARAM>(&state));
        ASSERT_NE(nullptr, dialog);
    }
    void TearDown() override
    {
        DestroyWindow(dialog);
        DestroyWindow(canvas);
        UnregisterClassA("VornelSpyCanvas", GetModuleHandleA(nullptr));
        DeleteObject(brush);
        AppTest::TearDown();
    }
    // Moves the cursor and waits for the spy's timer to show the new position.
    bool PointAt(int x, int y)
    {
        char position[32];
        snprintf(position, sizeof position, "X: %5d, Y: %5d", x, y);
        SetCursorPos(x, y);
        return PumpUntil([&] { return Field(dialog, IDC_SPY_MOUSE) == position; });
    }

    SpyWindowState state = {};
    HWND canvas = nullptr, target = nullptr, dialog = nullptr;
    HBRUSH brush = nullptr;
};

TEST_F(Spy, TheTemplateIsAsDesigned)
{
    EXPECT_EQ("-1:STATIC 1000:EDIT -1:STATIC 1003:EDIT -1:STATIC 1001:EDIT -1:STATIC 1002:EDIT -1:STATIC 1009:EDIT "
              "-1:STATIC 1012:EDIT -1:STATIC 1011:EDIT -1:STATIC 1013:EDIT 1014:BUTTON 2:BUTTON ", DialogControls(dialog));
    EXPECT_EQ(BS_AUTOCHECKBOX, GetWindowLongA(GetDlgItem(dialog, IDC_SPY_HEX), GWL_STYLE) & BS_TYPEMASK);
}

TEST_F(Spy, ShowsTheWindowUnderTheCursorAndItsPixelInDecimalThenHexOnlyWhenTheCursorMoves)
{
    EXPECT_EQ("", Field(dialog, IDC_SPY_CLASS)) << "empty until the first update";
    ASSERT_TRUE(PointAt(320, 215));
    EXPECT_EQ("X:   320, Y:   215", Field(dialog, IDC_SPY_MOUSE));
    EXPECT_EQ(0, lstrcmpiA("Button", Field(dialog, IDC_SPY_CLASS).c_str())) << Field(dialog, IDC_SPY_CLASS);
    EXPECT_EQ("Spy target", Field(dialog, IDC_SPY_TEXT));
    EXPECT_EQ(HandleText(target), Field(dialog, IDC_SPY_WINDOW));
    EXPECT_EQ(HandleText(canvas), Field(dialog, IDC_SPY_PARENT));
    EXPECT_EQ("310, 210, 430, 230", Field(dialog, IDC_SPY_RECT));
    SetDlgItemTextA(dialog, IDC_SPY_RECT, "typed over");
    ASSERT_TRUE(PointAt(321, 215));
    EXPECT_EQ("310, 210, 430, 230", Field(dialog, IDC_SPY_RECT)) << "what the user typed is written over";

    ASSERT_TRUE(PointAt(450, 300));
    EXPECT_EQ("R: 255, G:   0, B:   5", Field(dialog, IDC_SPY_COLOUR));
    SendDlgItemMessageA(dialog, IDC_SPY_HEX, BM_CLICK, 0, 0);
    SendMessageA(dialog, WM_TIMER, SPY_TIMER_ID, 0);
    EXPECT_EQ("R: 255, G:   0, B:   5", Field(dialog, IDC_SPY_COLOUR)) << "the cursor has not moved";
    ASSERT_TRUE(PointAt(451, 300));
    EXPECT_EQ("R: ff, G:  0, B:  5", Field(dialog, IDC_SPY_COLOUR));
}

// The keys as the spy's thread sees them while it is in front, and Ctrl+C
// as it comes to the field with the focus; Shift held over another
// program's window is the end-to-end test's.
TEST_F(Spy, HeldCtrlFreezesItAndCtrlCCopiesEveryFieldOrTheSelection)
{
    SetWindowPos(dialog, HWND_TOP, 600, 400, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(dialog);
    HWND mouse = GetDlgItem(dialog, IDC_SPY_MOUSE);
    SetFocus(mouse);
    ASSERT_TRUE(PointAt(320, 215));
    SetHeldKeys(true, false);
    SetCursorPos(450, 300);
    SendMessageA(dialog, WM_TIMER, SPY_TIMER_ID, 0);
    EXPECT_EQ("X:   320, Y:   215", Field(dialog, IDC_SPY_MOUSE)) << "frozen while Ctrl is held";
    const std::string all = "Current window: " + HandleText(target) + "\r\nParent window: " + HandleText(canvas) +
                            "\r\nClassName: " + Field(dialog, IDC_SPY_CLASS) + "\r\nText In Window: Spy target\r\n"
                            "Menu handle: " + HandleText(nullptr) + "\r\nWindow Rect: 310, 210, 430, 230\r\n"
                            "Mouse position: X:   320, Y:   215\r\nColor: " + Field(dialog, IDC_SPY_COLOUR) + "\r\n";
    PostMessageA(mouse, WM_KEYDOWN, 'C', 0);
    EXPECT_TRUE(PumpUntil([&] { return ClipboardText() == all; })) << ClipboardText();
    SendMessageA(mouse, EM_SETSEL, 0, 2);
    PostMessageA(mouse, WM_KEYDOWN, 'C', 0);
    EXPECT_TRUE(PumpUntil([] { return ClipboardText() == "X:"; })) << ClipboardText();

    SetHeldKeys(false, false);
    SendMessageA(dialog, WM_TIMER, SPY_TIMER_ID, 0);
    EXPECT_EQ("X:   320, Y:   215", Field(dialog, IDC_SPY_MOUSE)) << "letting go alone changes nothing";
    EXPECT_TRUE(PointAt(451, 300)) << "the next movement updates";
}

TEST_F(Spy, AWindowThatDoesNotAnswerShowsNoTextAndDoesNotHoldTheSpy)
{
    HungWindow hung;
    ASSERT_NE(nullptr, hung.window);
    SetCursorPos(150, 100);
    DWORD start = GetTickCount();
    SendMessageA(dialog, WM_TIMER, SPY_TIMER_ID, 0);
    EXPECT_LT(GetTickCount() - start, 5000u) << "a wait for the window would never end";
    EXPECT_EQ("VornelHungWindow", Field(dialog, IDC_SPY_CLASS));
    EXPECT_EQ(HandleText(hung.window), Field(dialog, IDC_SPY_WINDOW));
    EXPECT_EQ("", Field(dialog, IDC_SPY_TEXT));
}

TEST_F(Spy, EachWayOfClosingEndsItAndTheOpenerSavesTheHexChoice)
{
    DestroyWindow(dialog);   // the command opens its own
    const std::pair<UINT, WPARAM> closings[] = { { WM_COMMAND, IDCANCEL }, { WM_COMMAND, IDC_CLOSE }, { WM_CLOSE, 0 } };
    LONG hex = 0;
    for (const auto& closing : closings) {
        SCOPED_TRACE(closing.second);
        DialogScript script("Spy window");
        script.Then([&](HWND spy) {
            EXPECT_EQ(hex != 0, IsDlgButtonChecked(spy, IDC_SPY_HEX) == BST_CHECKED) << "as the setting says";
            SendDlgItemMessageA(spy, IDC_SPY_HEX, BM_CLICK, 0, 0);
            PostMessageA(spy, closing.first, closing.second, 0);
        }).Start();
        SendMessageA(window, WM_COMMAND, CMD_SPY_WINDOW, 0);   // returns once the dialog has ended
        hex ^= 1;
        EXPECT_FALSE(SingleDialogOpen(IDD_SPY));
        EXPECT_EQ(nullptr, FindWindowA(nullptr, "Spy window"));
        std::vector<unsigned char> stored;
        ASSERT_TRUE(ReadValue("&Color as hex", stored));
        ASSERT_EQ(4u, stored.size());
        EXPECT_EQ(hex, static_cast<LONG>(stored[0]));
    }
}
