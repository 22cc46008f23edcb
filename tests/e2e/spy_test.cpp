// The Spy window of the real vornel.exe, opened by command 75 and following
// a cursor that this test moves over a window of its own, or not while
// Shift is held down there.
#include "tests/e2e/vornel_test.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const WPARAM CommandSpyWindow = 75;
const int SpyTextField = 1002;
const int SpyMouseField = 1011;
const WPARAM SpyTimer = 110;

std::string Position(int x, int y)
{
    char text[32];
    wsprintfA(text, "X: %5d, Y: %5d", x, y);
    return text;
}

// Shift held down on the X server's keyboard, as the user holds it, until
// the object goes: Wine brings its own idea of the keyboard back to the X
// server's whenever a window gains the focus or the pointer.
class HeldShift {
public:
    HeldShift() { held = Xdotool("keydown shift") && PumpUntil([] { return GetKeyState(VK_SHIFT) < 0; }); }
    ~HeldShift()
    {
        Xdotool("keyup shift");
        PumpUntil([] { return GetKeyState(VK_SHIFT) >= 0; });
    }
    bool held;
};

}  // namespace

class SpyE2E : public VornelTest {};

// Shift goes to this test's window, another program's for the spy, which
// sees it only in the asynchronous key state. Its ticks are sent rather than
// waited for while the key is held, so they surely come meanwhile.
TEST_F(SpyE2E, CommandSeventyFiveOpensTheSpyWhichFollowsTheCursorUnlessShiftIsHeld)
{
    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);
    TestWindow target("Spy e2e target", 300, 250, 320, 200);
    ASSERT_NE(nullptr, target.handle());

    HWND spy = OpenDialog(button, CommandSpyWindow, "Spy window");
    ASSERT_NE(nullptr, spy) << "no Spy window after command 75";

    SetCursorPos(460, 350);
    EXPECT_TRUE(PumpUntil([&] { return ControlText(spy, SpyMouseField) == Position(460, 350); }, UiTimeoutMs))
        << "the mouse position field shows \"" << ControlText(spy, SpyMouseField) << "\"";
    EXPECT_EQ("Spy e2e target", ControlText(spy, SpyTextField)) << "the text of another program's window";
    HWND field = GetDlgItem(spy, SpyMouseField);
    EXPECT_TRUE(PumpUntil([&] { return InkPixels(Inset(WindowRect(field), 3, 3)) >= 5; }, UiTimeoutMs))
        << "the position is not drawn on the screen";
    EXPECT_NE("", TakeScreenshotOf("spy_window", Around(spy)));

    SetForegroundWindow(target.handle());
    {
        HeldShift shift;
        ASSERT_TRUE(shift.held);
        // Wine may answer another program's key from a copy up to 50 ms old,
        // so the first looks can still follow the cursor.
        int step = 0;
        EXPECT_TRUE(PumpUntil([&] {
            SetCursorPos(470 + ++step % 2, 350);
            SendMessageA(spy, WM_TIMER, SpyTimer, 0);
            return ControlText(spy, SpyMouseField) != Position(470 + step % 2, 350);
        }, UiTimeoutMs)) << "it never paused";
        EXPECT_NE("", TakeScreenshotOf("spy_window_paused", Around(spy)));
    }

    ASSERT_TRUE(PostMessageA(spy, WM_CLOSE, 0, 0));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(spy); }, UiTimeoutMs)) << "the Spy window did not close";
}
