// The two list tools of the real vornel.exe, opened the way another
// program or the menu opens them (WM_COMMAND 73 and 74), read from outside
// and photographed.
#include "tests/e2e/vornel_test.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const WPARAM CommandProcessesList = 73;
const WPARAM CommandWindowsList = 74;
const int ProcessListControl = 96;
const int WindowTreeControl = 91;
const DWORD TimeoutMs = 15000;

// A message without pointers, bounded so a hung program fails the test.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, TimeoutMs, &result) ? result : 0;
}

class ListToolsE2E : public VornelTest {
protected:
    void SetUp() override
    {
        VornelTest::SetUp();
        button = StartVornel();
        ASSERT_NE(nullptr, button);
    }
    HWND OpenTool(WPARAM command, const char* title) const { return OpenDialog(button, command, title); }
    void CloseTool(HWND dialog)
    {
        ASSERT_TRUE(PostMessageA(dialog, WM_CLOSE, 0, 0));
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, TimeoutMs)) << "the tool did not close";
    }

    HWND button = nullptr;
};

}  // namespace

TEST_F(ListToolsE2E, TheProcessesListShowsTheRunningProcesses)
{
    HWND dialog = OpenTool(CommandProcessesList, "Processes list");
    ASSERT_NE(nullptr, dialog) << "no Processes list after command 73";
    HWND list = GetDlgItem(dialog, ProcessListControl);
    EXPECT_GT(Ask(list, LVM_GETITEMCOUNT), 3) << "rows";
    EXPECT_TRUE(PumpUntil([&] { return InkPixels(Inset(WindowRect(list), 4, 30)) >= 200; }, TimeoutMs))
        << "no rows drawn on the screen";
    EXPECT_NE("", TakeScreenshotOf("processes_list", Around(dialog)));
    CloseTool(dialog);
}

TEST_F(ListToolsE2E, TheWindowsListShowsTheDesktopCollapsed)
{
    HWND dialog = OpenTool(CommandWindowsList, "Windows list");
    ASSERT_NE(nullptr, dialog) << "no Windows list after command 74";
    HWND tree = GetDlgItem(dialog, WindowTreeControl);
    EXPECT_GT(Ask(tree, TVM_GETCOUNT), 3) << "items";
    LPARAM root = Ask(tree, TVM_GETNEXTITEM, TVGN_ROOT);
    ASSERT_NE(0, root);
    EXPECT_EQ(0, Ask(tree, TVM_GETITEMSTATE, root, TVIS_EXPANDED)) << "the root starts collapsed";
    EXPECT_TRUE(PumpUntil([&] { return InkPixels(Inset(WindowRect(tree), 3, 3)) >= 20; }, TimeoutMs))
        << "the root is not drawn";
    EXPECT_NE("", TakeScreenshotOf("windows_list", Around(dialog)));
    // Opened by hand, the first level shows the top-level windows.
    Ask(tree, TVM_EXPAND, TVE_EXPAND, root);
    EXPECT_TRUE(PumpUntil([&] { return InkPixels(Inset(WindowRect(tree), 3, 3)) >= 400; }, TimeoutMs))
        << "the windows are not drawn";
    EXPECT_NE("", TakeScreenshotOf("windows_list_expanded", Around(dialog)));
    CloseTool(dialog);
}
