// The two list tools of the real vornel.exe, opened the way another
// program or the menu opens them (WM_COMMAND 73 and 74), read from outside
// and photographed.
#include "tests/e2e/vornel_test.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// A cell of another program's list view. The message's pointers are used
// as they are inside the receiving program, so the request and the text
// lie in memory taken in that program for the call.
std::string CellText(HANDLE process, HWND list, int row, int column)
{
    struct Request {
        LVITEMA item;
        char text[MAX_PATH];
    };
    Request* remote = static_cast<Request*>(
        VirtualAllocEx(process, nullptr, sizeof(Request), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!remote)
        return "";
    Request request = {};
    request.item.iSubItem = column;
    request.item.pszText = remote->text;
    request.item.cchTextMax = sizeof request.text;
    std::string text;
    if (WriteProcessMemory(process, remote, &request, sizeof request, nullptr)) {
        Ask(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&remote->item));
        if (ReadProcessMemory(process, remote, &request, sizeof request, nullptr)) {
            request.text[sizeof request.text - 1] = '\0';
            text = request.text;
        }
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return text;
}

std::string Identifier(DWORD processId)
{
    char text[16];
    wsprintfA(text, "%08x", processId);
    return text;
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && lstrcmpiA(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

class ListToolsE2E : public VornelTest {
protected:
    std::vector<HWND> VisibleMenus() const { return WindowsOfProcess(vornel.id(), "#32768", true); }
    // Waits for the context menu that the typed input opens, photographs it
    // with its dialog and closes it with Escape.
    void PhotographContextMenu(HWND dialog, const std::string& input, const char* picture)
    {
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog; }, TimeoutMs))
            << "the dialog never came to the front, so typed keys would go nowhere";
        ASSERT_TRUE(Xdotool(input));
        ASSERT_TRUE(PumpUntil([&] { return VisibleMenus().size() == 1; }, TimeoutMs)) << "no menu after " << input;
        HWND menu = VisibleMenus().front();
        EXPECT_TRUE(PumpUntil([&] { return InkPixels(Inset(WindowRect(menu), 4, 4)) >= 40; }, TimeoutMs))
            << "the menu stays blank";
        RECT both = Around(dialog), inner = Around(menu);
        UnionRect(&both, &both, &inner);
        EXPECT_NE("", TakeScreenshotOf(picture, both));
        ASSERT_TRUE(Xdotool("key Escape"));
        EXPECT_TRUE(PumpUntil([&] { return VisibleMenus().empty(); }, TimeoutMs)) << "Escape left the menu open";
    }

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
    const int rows = static_cast<int>(Ask(list, LVM_GETITEMCOUNT));
    EXPECT_GT(rows, 3) << "rows";
    // Its own row: the name (a whole path from the 9x tool help), its
    // identifier and ours as its parent's.
    int own = -1;
    for (int row = 0; row < rows && own < 0; ++row) {
        if (CellText(vornel.handle(), list, row, 1) == Identifier(vornel.id()))
            own = row;
    }
    ASSERT_GE(own, 0) << "no row with the identifier " << Identifier(vornel.id()) << " of vornel.exe";
    const std::string name = CellText(vornel.handle(), list, own, 0);
    EXPECT_TRUE(EndsWithIgnoringCase("\\" + name, "\\vornel.exe")) << name;
    EXPECT_EQ(Identifier(GetCurrentProcessId()), CellText(vornel.handle(), list, own, 2)) << "the parent";
    EXPECT_TRUE(PumpUntil([&] { return InkPixels(Inset(WindowRect(list), 4, 30)) >= 200; }, TimeoutMs))
        << "no rows drawn on the screen";
    EXPECT_NE("", TakeScreenshotOf("processes_list", Around(dialog)));
    // The right button on the third row.
    const RECT area = WindowRect(list);
    PhotographContextMenu(dialog,
                          "mousemove " + std::to_string(area.left + 60) + " " + std::to_string(area.top + 60) +
                              " click 3",
                          "processes_list_menu");
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
    // The Apps key on the first window under the root.
    PhotographContextMenu(dialog, "key Home Down Menu", "windows_list_menu");
    CloseTool(dialog);
}
