// The Spy window in-process: its template, the fields for the window under a
// cursor moved with SetCursorPos, the colour in both forms, the rest while
// the cursor does not move, a window that does not answer, and the ways of
// closing it through the real command.
#include "tests/win32/test_support.h"

#include <stdio.h>

#include "app/command_dispatch.h"
#include "res/resource.h"
#include "settings/settings_store.h"
#include "tools/spy_window.h"

namespace {

const COLORREF CanvasColour = RGB(255, 0, 5);
const char SpyTitle[] = "Spy window";

std::string Field(HWND dialog, int id)
{
    char text[300] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string HandleText(const void* handle)
{
    unsigned low = static_cast<unsigned>(reinterpret_cast<UINT_PTR>(handle));
    char text[64];
    snprintf(text, sizeof text, "Dec: %06u, Hex: %06x", low, low);
    return text;
}

std::string PositionText(int x, int y)
{
    char text[64];
    snprintf(text, sizeof text, "X: %5d, Y: %5d", x, y);
    return text;
}

}  // namespace

// A topmost window painted in one known colour with a button on it,
// and the spy opened modeless beside them so the test can wait for its
// updates.
class Spy : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = brush_ = CreateSolidBrush(CanvasColour);
        windowClass.lpszClassName = "VornelSpyCanvas";
        RegisterClassA(&windowClass);
        canvas = CreateWindowExA(WS_EX_TOPMOST, "VornelSpyCanvas", "canvas", WS_POPUP | WS_VISIBLE,
                                 300, 200, 200, 150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        target = CreateWindowA("BUTTON", "Spy target", WS_CHILD | WS_VISIBLE, 10, 10, 120, 20, canvas, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(PumpUntil([&] { return ClientPixel(canvas, 150, 100) == CanvasColour; }))
            << "the canvas is not painted";
    }
    void TearDown() override
    {
        if (dialog)
            DestroyWindow(dialog);
        DestroyWindow(canvas);
        UnregisterClassA("VornelSpyCanvas", GetModuleHandleA(nullptr));
        DeleteObject(brush_);
        AppTest::TearDown();
    }
    HWND OpenModeless()
    {
        if (dialog)
            DestroyWindow(dialog);
        dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SPY), window, SpyDlgProc, 0);
        return dialog;
    }
    // Moves the cursor and waits for the spy's timer to show the new position.
    bool PointAt(int x, int y)
    {
        SetCursorPos(x, y);
        return PumpUntil([&] { return Field(dialog, IDC_SPY_MOUSE) == PositionText(x, y); });
    }

    HWND canvas = nullptr, target = nullptr, dialog = nullptr;

private:
    HBRUSH brush_ = nullptr;
};

TEST_F(Spy, TheTemplateIsAsDesigned)
{
    ASSERT_NE(nullptr, OpenModeless());
    char title[32];
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(SpyTitle, title);
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
              style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE));
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    RECT client = {}, units = { 0, 0, 192, 120 };
    GetClientRect(dialog, &client);
    MapDialogRect(dialog, &units);
    EXPECT_EQ(units.right, client.right);
    EXPECT_EQ(units.bottom, client.bottom);

    struct Control { int id; const char* className; const char* text; RECT place; };
    const Control expected[] = {
        { -1, "Static", "Current window", { 4, 2, 90, 8 } },   { 1000, "Edit", "", { 4, 12, 90, 12 } },
        { -1, "Static", "Parent window", { 98, 2, 90, 8 } },   { 1003, "Edit", "", { 98, 12, 90, 12 } },
        { -1, "Static", "ClassName", { 4, 26, 90, 8 } },       { 1001, "Edit", "", { 4, 36, 90, 12 } },
        { -1, "Static", "Text In Window", { 98, 26, 90, 8 } }, { 1002, "Edit", "", { 98, 36, 90, 12 } },
        { -1, "Static", "Menu handle", { 4, 50, 90, 8 } },     { 1009, "Edit", "", { 4, 60, 90, 12 } },
        { -1, "Static", "Window Rect", { 98, 50, 90, 8 } },    { 1012, "Edit", "", { 98, 60, 90, 12 } },
        { -1, "Static", "Mouse position", { 4, 74, 90, 8 } },  { 1011, "Edit", "", { 4, 84, 90, 12 } },
        { -1, "Static", "Color", { 98, 74, 90, 8 } },          { 1013, "Edit", "", { 98, 84, 90, 12 } },
        { 1014, "Button", "Color as Hex value", { 4, 102, 90, 10 } },
        { 2, "Button", "&Close", { 136, 102, 52, 14 } },
    };
    size_t i = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++i) {
        ASSERT_LT(i, sizeof expected / sizeof expected[0]);
        const Control& control = expected[i];
        SCOPED_TRACE(control.text);
        char className[32], text[64];
        GetClassNameA(child, className, sizeof className);
        GetWindowTextA(child, text, sizeof text);
        EXPECT_EQ(control.id, static_cast<short>(GetDlgCtrlID(child)));
        EXPECT_EQ(0, lstrcmpiA(control.className, className)) << className;
        EXPECT_STREQ(control.text, text);
        RECT place = { control.place.left, control.place.top, control.place.left + control.place.right,
                       control.place.top + control.place.bottom };
        MapDialogRect(dialog, &place);
        RECT actual;
        GetWindowRect(child, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_TRUE(EqualRect(&place, &actual));
        if (!lstrcmpiA(className, "Edit")) {
            EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & ES_AUTOHSCROLL);
        }
    }
    EXPECT_EQ(sizeof expected / sizeof expected[0], i);
    EXPECT_EQ(BS_AUTOCHECKBOX, GetWindowLongA(GetDlgItem(dialog, IDC_SPY_HEX), GWL_STYLE) & BS_TYPEMASK);
}

TEST_F(Spy, ShowsTheWindowUnderTheCursor)
{
    ASSERT_NE(nullptr, OpenModeless());
    EXPECT_EQ("", Field(dialog, IDC_SPY_CLASS)) << "empty until the first update";
    ASSERT_TRUE(PointAt(320, 215));
    EXPECT_EQ("X:   320, Y:   215", Field(dialog, IDC_SPY_MOUSE));
    EXPECT_EQ(0, lstrcmpiA("Button", Field(dialog, IDC_SPY_CLASS).c_str())) << Field(dialog, IDC_SPY_CLASS);
    EXPECT_EQ("Spy target", Field(dialog, IDC_SPY_TEXT));
    EXPECT_EQ(HandleText(target), Field(dialog, IDC_SPY_WINDOW));
    EXPECT_EQ(HandleText(canvas), Field(dialog, IDC_SPY_PARENT));
    EXPECT_EQ("310, 210, 430, 230", Field(dialog, IDC_SPY_RECT));
}

TEST_F(Spy, ShowsThePixelColourInDecimalThenInHexOnceTheCursorMovesEvenAfterReopening)
{
    ASSERT_NE(nullptr, OpenModeless());
    ASSERT_TRUE(PointAt(450, 300));
    EXPECT_EQ("R: 255, G:   0, B:   5", Field(dialog, IDC_SPY_COLOUR));

    SendDlgItemMessageA(dialog, IDC_SPY_HEX, BM_CLICK, 0, 0);
    EXPECT_EQ(1, Settings.colourAsHex);
    SendMessageA(dialog, WM_TIMER, SPY_TIMER_ID, 0);
    EXPECT_EQ("R: 255, G:   0, B:   5", Field(dialog, IDC_SPY_COLOUR)) << "the cursor has not moved";

    ASSERT_NE(nullptr, OpenModeless());
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_SPY_HEX)) << "checked as the setting says";
    SendMessageA(dialog, WM_TIMER, SPY_TIMER_ID, 0);
    EXPECT_EQ("", Field(dialog, IDC_SPY_COLOUR)) << "a new opening waits for the cursor to move";

    ASSERT_TRUE(PointAt(451, 300));
    EXPECT_EQ("R: ff, G:  0, B:  5", Field(dialog, IDC_SPY_COLOUR));
}

TEST_F(Spy, AWindowThatDoesNotAnswerShowsNoTextAndDoesNotHoldTheSpy)
{
    HungWindow hung;
    ASSERT_NE(nullptr, hung.window);
    ASSERT_NE(nullptr, OpenModeless());
    SetCursorPos(150, 100);
    DWORD start = GetTickCount();
    SendMessageA(dialog, WM_TIMER, SPY_TIMER_ID, 0);
    DWORD elapsed = GetTickCount() - start;
    // A wait for the window would never end; the bound is the short time-out.
    EXPECT_LT(elapsed, 5000u);
    EXPECT_EQ("VornelHungWindow", Field(dialog, IDC_SPY_CLASS));
    EXPECT_EQ(HandleText(hung.window), Field(dialog, IDC_SPY_WINDOW));
    EXPECT_EQ("", Field(dialog, IDC_SPY_TEXT));
}

TEST_F(Spy, EachWayOfClosingEndsItAndTheOpenerSavesTheHexChoice)
{
    struct Closing { UINT message; WPARAM wParam; };
    const Closing closings[] = { { WM_COMMAND, IDCANCEL }, { WM_COMMAND, IDC_CLOSE }, { WM_CLOSE, 0 } };
    LONG expectedHex = 0;
    for (const Closing& closing : closings) {
        SCOPED_TRACE(closing.wParam);
        DialogScript script(SpyTitle);
        script.Then([&](HWND spy) {
            SendDlgItemMessageA(spy, IDC_SPY_HEX, BM_CLICK, 0, 0);
            PostMessageA(spy, closing.message, closing.wParam, 0);
        }).Start();
        SendMessageA(window, WM_COMMAND, 75, 0);   // returns once the dialog has ended
        expectedHex ^= 1;
        EXPECT_FALSE(SpyOpen);
        EXPECT_EQ(nullptr, FindWindowA(nullptr, SpyTitle));
        std::vector<unsigned char> stored;
        ASSERT_TRUE(ReadValue("&Color as hex", stored));
        ASSERT_EQ(4u, stored.size());
        EXPECT_EQ(expectedHex, static_cast<LONG>(stored[0]));
    }
}
