// The Colours dialog and the About box of the real vornel.exe, opened by
// the commands its menu sends and looked at on the screen.
#include "tests/e2e/vornel_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The numbers the menu sends and the dialogs' controls; they never move.
const WPARAM CommandAbout = 26;
const WPARAM CommandColours = 61;
const int ColourPreviewBox = 15;
const int ColourNumbers = 71;
const int AboutVersionLine = 31;

}  // namespace

class ColoursAboutE2E : public VornelTest {};

TEST_F(ColoursAboutE2E, ColoursShowsFourFacesInThePreview)
{
    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);
    HWND dialog = OpenDialog(button, CommandColours, "Colors");
    ASSERT_NE(nullptr, dialog) << "no Colors dialog after command 61";
    RECT preview = Inset(WindowRect(GetDlgItem(dialog, ColourPreviewBox)), 3, 3);
    RECT numbers = WindowRect(GetDlgItem(dialog, ColourNumbers));
    RECT cancel = Inset(WindowRect(GetDlgItem(dialog, IDCANCEL)), 3, 3);
    // Four faces over a plain box are well over a thousand pixels of ink;
    // the controls drawn after them show that the whole dialog is painted.
    EXPECT_TRUE(PumpUntil([&] { return InkPixels(preview) > 1000 && InkPixels(numbers) >= 20 && InkPixels(cancel) >= 10; },
                          UiTimeoutMs))
        << "the preview is not drawn inside its box: " << InkPixels(preview);
    EXPECT_EQ("255\n  0\n  0", ControlText(dialog, ColourNumbers));
    EXPECT_NE("", TakeScreenshotOf("colours", Around(dialog)));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, UiTimeoutMs)) << "Cancel did not close the dialog";
}

TEST_F(ColoursAboutE2E, AboutNamesTheVersionAndEscapeClosesIt)
{
    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);
    HWND dialog = OpenDialog(button, CommandAbout, "About");
    ASSERT_NE(nullptr, dialog) << "no About box after command 26";
    EXPECT_EQ("Version 2.10", ControlText(dialog, AboutVersionLine));
    HWND version = GetDlgItem(dialog, AboutVersionLine);
    EXPECT_TRUE(PumpUntil([&] { return InkPixels(WindowRect(version)) >= 20; }, UiTimeoutMs))
        << "the version line is not drawn";
    EXPECT_NE("", TakeScreenshotOf("about", Around(dialog)));

    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog; }, UiTimeoutMs))
        << "the keyboard does not go to the About box";
    ASSERT_TRUE(Xdotool("key Escape"));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, UiTimeoutMs)) << "Escape did not close the About box";
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutA(button, WM_NULL, 0, 0, SMTO_NORMAL, UiTimeoutMs, &result));
}
