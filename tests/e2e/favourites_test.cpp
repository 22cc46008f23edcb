// The Favourites editor of the real vornel.exe, driven from outside the way
// a script would: command 42 to the button, text put into the fields and
// buttons pressed by messages to the dialog, then what "&Close" leaves in
// the registry and in the Favourites submenu.
#include "tests/e2e/vornel_test.h"

#include <gtest/gtest.h>

namespace {

const int ListField = 22, ProgramField = 23, ParametersField = 43, CloseButton = 24, AddButton = 39,
          FullNote = 45;

bool Send(HWND window, UINT message, WPARAM wParam, const void* lParam = nullptr)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, wParam, reinterpret_cast<LPARAM>(lParam), SMTO_NORMAL,
                               UiTimeoutMs, &result) != 0;
}

std::string Setting(const char* name)
{
    std::string text;
    return ReadSettingString(name, text) ? text : "<missing>";
}

}  // namespace

class FavouritesE2E : public VornelTest {};

TEST_F(FavouritesE2E, TypedProgramsReachTheRegistryAndTheSubmenu)
{
    // Stored before the start: a program that does not exist.
    WriteStringValue("Item0", "C:\\Tools\\missing.exe");
    WriteStringValue("Param0", "-x");
    char system[MAX_PATH] = "", windows[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string notepad = std::string(system) + "\\notepad.exe";
    const std::string regedit = std::string(windows) + "\\regedit.exe";

    HWND button = StartVornel();
    ASSERT_NE(nullptr, button);
    HWND dialog = OpenDialog(button, 42, "Favourite");
    ASSERT_NE(nullptr, dialog) << "no Favourite dialog after command 42";

    EXPECT_TRUE(Send(GetDlgItem(dialog, ProgramField), WM_SETTEXT, 0, notepad.c_str()));
    EXPECT_TRUE(Send(GetDlgItem(dialog, ParametersField), WM_SETTEXT, 0, "readme.txt"));
    EXPECT_TRUE(Send(dialog, WM_COMMAND, AddButton));
    EXPECT_TRUE(Send(GetDlgItem(dialog, ProgramField), WM_SETTEXT, 0, regedit.c_str()));
    EXPECT_TRUE(Send(dialog, WM_COMMAND, AddButton));
    HWND list = GetDlgItem(dialog, ListField);
    EXPECT_TRUE(Send(list, LB_SETCURSEL, 1));
    EXPECT_TRUE(PumpUntil([&] { return InkPixels(Inset(WindowRect(list), 2, 2)) >= 600; }, UiTimeoutMs))
        << "the rows are not drawn";
    HWND icon = GetWindow(GetDlgItem(dialog, FullNote), GW_HWNDPREV);
    EXPECT_TRUE(PumpUntil([&] { return InkPixels(WindowRect(icon)) >= 100; }, UiTimeoutMs)) << "no icon";
    EXPECT_NE("", TakeScreenshotOf("favourites_dialog", Around(dialog)));

    EXPECT_TRUE(Send(dialog, WM_COMMAND, CloseButton));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, UiTimeoutMs)) << "Close did not end the dialog";
    EXPECT_EQ("C:\\Tools\\missing.exe", Setting("Item0"));
    EXPECT_EQ(regedit, Setting("Item1"));
    EXPECT_EQ("<missing>", Setting("Param1"));
    EXPECT_EQ(notepad, Setting("Item2"));
    EXPECT_EQ("readme.txt", Setting("Param2"));

    // The submenu from the keyboard, which reaches vornel once its button is
    // in front again: seven times Down skips the separator to "&Favourites".
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == button; }, UiTimeoutMs));
    auto menus = [&] { return WindowsOfProcess(vornel.id(), "#32768", true); };
    ASSERT_TRUE(Xdotool("mousemove 300 200 key ctrl+shift+Delete"));
    ASSERT_TRUE(PumpUntil([&] { return menus().size() == 1; }, UiTimeoutMs)) << "no popup menu";
    HWND root = menus().front(), submenu = nullptr;
    ASSERT_TRUE(Xdotool("key Down Down Down Down Down Down Down Right"));
    ASSERT_TRUE(PumpUntil([&] {
        for (HWND menu : menus())
            submenu = menu != root ? menu : submenu;
        return submenu != nullptr;
    }, UiTimeoutMs)) << "the submenu did not open";
    // "&Edit", the separator and three favourites, each at least an icon high.
    RECT rect = WindowRect(submenu);
    EXPECT_GE(rect.bottom - rect.top, 4 * 16);
    const RECT lastRow = { rect.left + 20, rect.bottom - 19, rect.right - 4, rect.bottom - 3 };
    EXPECT_TRUE(PumpUntil([&] { return InkPixels(lastRow) >= 10; }, UiTimeoutMs)) << "the last favourite is not drawn";
    EXPECT_NE("", TakeScreenshot("favourites_menu"));
    ASSERT_TRUE(Xdotool("key Escape Escape"));
    EXPECT_TRUE(PumpUntil([&] { return menus().empty(); }, UiTimeoutMs));
}
