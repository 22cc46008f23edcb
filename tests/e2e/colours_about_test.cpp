// The Colours dialog and the About box of the real vornel.exe, opened by
// the commands its menu sends and looked at on the screen.
#include "tests/e2e/e2e_support.h"

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

const DWORD StartTimeoutMs = 15000;
const DWORD ExitTimeoutMs = 10000;
const DWORD UiTimeoutMs = 10000;

}  // namespace

class ColoursAboutE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CloseLeftoverInstances(ExitTimeoutMs)) << "a vornel.exe left from an earlier run does not end";
        DeleteSettingsKey();
    }

    void TearDown() override
    {
        if (vornel.Running() && !vornel.Close(ExitTimeoutMs))
            ADD_FAILURE() << "vornel.exe did not end on WM_CLOSE; terminated";
        vornel.Kill();
        DeleteSettingsKey();
    }

    HWND StartVornel()
    {
        if (!vornel.Start())
            return nullptr;
        HWND button = vornel.WaitForButton(StartTimeoutMs);
        DWORD_PTR result = 0;
        if (!button || !SendMessageTimeoutA(button, WM_NULL, 0, 0, SMTO_NORMAL, UiTimeoutMs, &result))
            return nullptr;
        return button;
    }

    // Sends the command and waits for the visible dialog with the title.
    HWND OpenDialog(HWND button, WPARAM command, const char* title)
    {
        PostMessageA(button, WM_COMMAND, command, 0);
        HWND found = nullptr;
        PumpUntil([&] {
            for (HWND dialog : WindowsOfProcess(vornel.id(), "#32770", true)) {
                char text[64] = "";
                GetWindowTextA(dialog, text, sizeof text);
                if (std::string(text) == title)
                    found = dialog;
            }
            return found != nullptr;
        }, UiTimeoutMs);
        return found;
    }

    VornelProcess vornel;
};

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
