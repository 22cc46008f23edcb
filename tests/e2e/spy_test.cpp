// The Spy window of the real vornel.exe, opened by command 75 and following
// a cursor that this test moves over a window of its own.
#include "tests/e2e/vornel_test.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const WPARAM CommandSpyWindow = 75;
const int SpyTextField = 1002;
const int SpyMouseField = 1011;

}  // namespace

class SpyE2E : public VornelTest {};

TEST_F(SpyE2E, CommandSeventyFiveOpensTheSpyWhichFollowsTheCursor)
{
    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);
    TestWindow target("Spy e2e target", 300, 250, 320, 200);
    ASSERT_NE(nullptr, target.handle());

    HWND spy = OpenDialog(button, CommandSpyWindow, "Spy window");
    ASSERT_NE(nullptr, spy) << "no Spy window after command 75";

    SetCursorPos(460, 350);
    EXPECT_TRUE(PumpUntil([&] { return ControlText(spy, SpyMouseField) == "X:   460, Y:   350"; }, UiTimeoutMs))
        << "the mouse position field shows \"" << ControlText(spy, SpyMouseField) << "\"";
    EXPECT_EQ("Spy e2e target", ControlText(spy, SpyTextField)) << "the text of another program's window";
    HWND field = GetDlgItem(spy, SpyMouseField);
    EXPECT_TRUE(PumpUntil([&] { return InkPixels(Inset(WindowRect(field), 3, 3)) >= 5; }, UiTimeoutMs))
        << "the position is not drawn on the screen";
    EXPECT_NE("", TakeScreenshotOf("spy_window", Around(spy)));

    ASSERT_TRUE(PostMessageA(spy, WM_CLOSE, 0, 0));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(spy); }, UiTimeoutMs)) << "the Spy window did not close";
}
