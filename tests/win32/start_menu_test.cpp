// The Control Panel and Printers folders in the Start Menu: created and
// removed by their commands, checked from the file system on each highlight.
#include "tests/win32/test_support.h"

#include "menus/popup_menu.h"
#include "settings/shell_folder_names.h"
#include "settings/start_menu_folders.h"

class StartMenu : public ShellFolderTest {
protected:
    StartMenu() : ShellFolderTest("Start Menu", "startmenu") {}
    std::string Folder(const char* name, const char* classId) const
    {
        return folder_->path() + "\\" + name + "." + classId;
    }
    void HighlightTools()
    {
        SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(10, MF_POPUP | MF_HILITE), reinterpret_cast<LPARAM>(PopupMenu.tree.root));
    }
    bool Checked(UINT id) { return (GetMenuState(PopupMenu.tree.tools, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

};

TEST_F(StartMenu, EachCommandCreatesThenRemovesItsFolder)
{
    std::string controlPanel = Folder(ControlPanelName, "{21EC2020-3AEA-1069-A2DD-08002B30309D}");
    std::string printers = Folder(PrintersName, "{2227A280-3AEA-1069-A2DE-08002B30309D}");
    SendMessageA(window, WM_COMMAND, 1015, 0);
    EXPECT_TRUE(Exists(controlPanel)) << controlPanel;
    EXPECT_FALSE(Exists(printers));
    SendMessageA(window, WM_COMMAND, 1016, 0);
    EXPECT_TRUE(Exists(printers)) << printers;
    SendMessageA(window, WM_COMMAND, 1015, 0);
    EXPECT_FALSE(Exists(controlPanel));
    EXPECT_TRUE(Exists(printers));
}

TEST_F(StartMenu, HighlightingToolsReadsTheChecksFromTheFileSystem)
{
    HighlightTools();
    EXPECT_FALSE(Checked(1015));
    EXPECT_FALSE(Checked(1016));
    CreateDirectoryA(Folder(ControlPanelName, "{21EC2020-3AEA-1069-A2DD-08002B30309D}").c_str(), nullptr);
    EXPECT_FALSE(Checked(1015)) << "nothing changes until the next highlight";
    HighlightTools();
    EXPECT_TRUE(Checked(1015));
    EXPECT_FALSE(Checked(1016));
    char text[64];
    GetMenuStringA(PopupMenu.tree.tools, 1015, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("C&ontrol Panel in Start Menu", text);
}

TEST_F(StartMenu, ANonEmptyFolderCannotBeRemovedAndStaysChecked)
{
    std::string folder = Folder(PrintersName, "{2227A280-3AEA-1069-A2DE-08002B30309D}");
    SendMessageA(window, WM_COMMAND, 1016, 0);
    WriteFileText(folder + "\\note.txt", "mine");
    SendMessageA(window, WM_COMMAND, 1016, 0);
    EXPECT_TRUE(Exists(folder));
    HighlightTools();
    EXPECT_TRUE(Checked(1016));
}

TEST_F(StartMenu, AFolderNamedDifferentlyBySystemKeepsTheClassIdentifier)
{
    EXPECT_TRUE(StartMenuFolder("Systemsteuerung", "{21EC2020-3AEA-1069-A2DD-08002B30309D}", START_MENU_CREATE));
    EXPECT_TRUE(Exists(folder_->path() + "\\Systemsteuerung.{21EC2020-3AEA-1069-A2DD-08002B30309D}"));
    EXPECT_TRUE(StartMenuFolder("Systemsteuerung", "{21EC2020-3AEA-1069-A2DD-08002B30309D}", START_MENU_TEST));
}

TEST_F(StartMenu, WithoutAStartMenuPathNothingHappens)
{
    value_.reset();
    ShellFolderOverride removed("Start Menu");
    EXPECT_FALSE(StartMenuFolder("Control Panel", "{21EC2020-3AEA-1069-A2DD-08002B30309D}", START_MENU_TEST));
    EXPECT_FALSE(StartMenuFolder("Control Panel", "{21EC2020-3AEA-1069-A2DD-08002B30309D}", START_MENU_CREATE));
    SendMessageA(window, WM_COMMAND, 1015, 0);
    HighlightTools();
    EXPECT_FALSE(Checked(1015));
}
