// The four lazily built submenus against real folders, windows, applet
// files and screen savers of the test prefix.
#include "tests/win32/test_support.h"

#include <algorithm>

#include "menus/menu_tree.h"
#include "app/startup.h"
#include "menus/menu_columns.h"
#include "menus/applet_menu.h"
#include "menus/desktop_menu.h"
#include "menus/popup_menu.h"
#include "menus/screen_saver_menu.h"
#include "menus/task_menu.h"
#include "tests/fixtures/test_applets.h"

// Item ids of a submenu and which of them start a column.
struct MenuShape {
    std::vector<UINT> ids;
    std::vector<int> columns;   // items per column
};

static MenuShape ShapeOf(HMENU menu)
{
    MenuShape shape;
    shape.columns.push_back(0);
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        if ((state & MF_MENUBARBREAK) && i > 0)
            shape.columns.push_back(0);
        ++shape.columns.back();
        shape.ids.push_back(GetMenuItemID(menu, i));
        EXPECT_TRUE(state & MF_OWNERDRAW || state & MF_SEPARATOR) << "item " << i;
    }
    return shape;
}

class Builders : public AppTest {};

class DesktopBuilder : public ShellFolderTest {
protected:
    DesktopBuilder() : ShellFolderTest("Desktop", "desktop") {}
};

TEST_F(DesktopBuilder, ListsFilesAndFoldersButNotDotNames)
{
    WriteFileText(folder_->file("Word.lnk"), "shortcut");
    CreateDirectoryA(folder_->file("Projects").c_str(), nullptr);
    WriteFileText(folder_->file(".hidden"), "dot");
    BuildDesktopMenu();
    EXPECT_EQ(2, DesktopItemCount);
    ASSERT_EQ(2, GetMenuItemCount(DesktopMenu));
    EXPECT_EQ(4000u, GetMenuItemID(DesktopMenu, 0));
    EXPECT_EQ(4001u, GetMenuItemID(DesktopMenu, 1));
    std::vector<std::string> names = { DesktopItemList[0], DesktopItemList[1] };
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "Word.lnk"));
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "Projects"));
    EXPECT_EQ(folder_->path() + "\\", DesktopDirectory);
}

TEST_F(DesktopBuilder, TheFirstColumnHoldsOneMore)
{
    for (int i = 0; i < 7; ++i)
        WriteFileText(folder_->file(("item" + std::to_string(i)).c_str()), "x");
    ItemsPerColumn = 3;
    BuildDesktopMenu();
    EXPECT_EQ((std::vector<int>{4, 3}), ShapeOf(DesktopMenu).columns);
}

TEST_F(DesktopBuilder, StopsAtAHundred)
{
    for (int i = 0; i < 101; ++i)
        WriteFileText(folder_->file(("f" + std::to_string(i)).c_str()), "x");
    BuildDesktopMenu();
    EXPECT_EQ(100, DesktopItemCount);
    EXPECT_EQ(100, GetMenuItemCount(DesktopMenu));
}

TEST_F(DesktopBuilder, BuildsOncePerOpening)
{
    WriteFileText(folder_->file("a.txt"), "x");
    BuildDesktopMenu();
    WriteFileText(folder_->file("b.txt"), "x");
    BuildDesktopMenu();
    EXPECT_EQ(1, GetMenuItemCount(DesktopMenu));
    PrepareDynamicMenus();
    BuildDesktopMenu();
    EXPECT_EQ(2, GetMenuItemCount(DesktopMenu));
}

TEST_F(DesktopBuilder, NoDesktopValueOrAPathTooLongLeavesItEmpty)
{
    value_.reset();
    {
        ShellFolderOverride removed("Desktop");
        BuildDesktopMenu();
        EXPECT_EQ(0, GetMenuItemCount(DesktopMenu)) << "no Desktop value";
    }
    value_.reset(new ShellFolderOverride("Desktop", std::string(258, 'x')));
    BuildDesktopMenu();
    EXPECT_EQ(0, GetMenuItemCount(DesktopMenu)) << "the search pattern would not fit";
    EXPECT_EQ(0, DesktopItemCount);
    PrepareDynamicMenus();
    value_.reset(new ShellFolderOverride("Desktop", folder_->path() + "\\missing"));
    BuildDesktopMenu();
    EXPECT_EQ(0, GetMenuItemCount(DesktopMenu));
}

class TaskBuilder : public Builders {
protected:
    void TearDown() override
    {
        windows_.DestroyAll();
        Builders::TearDown();
    }
    HWND Make(const char* title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND owner = nullptr)
    {
        return windows_.Make(title, style, owner);
    }
    bool Listed(HWND w)
    {
        for (int k = 0; k < TaskWindowCount; ++k)
            if (TaskWindowList[k].window == w)
                return true;
        return false;
    }
    TestWindows windows_;
};

TEST_F(TaskBuilder, ListsTitledUnownedShownOrMinimizedWindowsOnly)
{
    HWND plain = Make("plain window");
    HWND minimized = Make("minimized window", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE);
    HWND hidden = Make("hidden window", WS_OVERLAPPEDWINDOW);
    HWND untitled = Make("");
    HWND owned = Make("owned window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, plain);
    HWND programManager = Make("Program Manager");
    HWND almost = Make("program manager");
    BuildTaskMenu(window);
    EXPECT_TRUE(Listed(plain));
    EXPECT_TRUE(Listed(minimized));
    EXPECT_TRUE(Listed(almost)) << "the comparison is case-sensitive";
    EXPECT_FALSE(Listed(hidden));
    EXPECT_FALSE(Listed(untitled));
    EXPECT_FALSE(Listed(owned));
    EXPECT_FALSE(Listed(programManager));
    EXPECT_FALSE(Listed(window)) << "never the button itself";
    for (int k = 0; k < TaskWindowCount; ++k)
        EXPECT_EQ(static_cast<UINT>(2000 + k), GetMenuItemID(TaskManagerMenu, k));
}

TEST_F(TaskBuilder, ColumnsBreakAtMultiplesAndTheListStopsAtAHundred)
{
    for (int i = 0; i < 7; ++i)
        Make(("column window " + std::to_string(i)).c_str());
    ItemsPerColumn = 3;
    BuildTaskMenu(window);
    std::vector<int> columns = ShapeOf(TaskManagerMenu).columns;
    ASSERT_GE(columns.size(), 3u);
    EXPECT_EQ(3, columns[0]);
    EXPECT_EQ(3, columns[1]);
    PrepareDynamicMenus();
    for (int i = 0; i < 101; ++i)
        Make(("many " + std::to_string(i)).c_str());
    BuildTaskMenu(window);
    EXPECT_EQ(100, TaskWindowCount);
    EXPECT_EQ(100, GetMenuItemCount(TaskManagerMenu));
}

TEST_F(TaskBuilder, LongTitlesAreCutAt259)
{
    std::string title(300, 't');
    HWND w = Make(title.c_str());
    BuildTaskMenu(window);
    for (int k = 0; k < TaskWindowCount; ++k) {
        if (TaskWindowList[k].window == w) {
            EXPECT_EQ(259u, strlen(TaskWindowList[k].title));
        }
    }
    EXPECT_TRUE(Listed(w));
}

class AppletBuilder : public Builders {
protected:
    void SetUp() override
    {
        Builders::SetUp();
        DeleteRegistryTree(HKEY_CURRENT_USER, FIXTURE_COUNTER_KEY);
    }
    void TearDown() override
    {
        PrepareDynamicMenus();
        DeleteRegistryTree(HKEY_CURRENT_USER, FIXTURE_COUNTER_KEY);
        Builders::TearDown();
    }
    std::vector<int> EntriesOf(const char* file)
    {
        std::vector<int> entries;
        for (int k = 0; k < AppletCount; ++k)
            if (AppletList[k].file && lstrcmpiA(AppletList[k].file, file) == 0)
                entries.push_back(k);
        return entries;
    }
    DWORD Counter(const char* what)
    {
        DWORD value = 0;
        ReadDword(HKEY_CURRENT_USER, FIXTURE_COUNTER_KEY, what, value);
        return value;
    }
};

TEST_F(AppletBuilder, AFileWithThreeAppletsGivesThreeEntriesWithNamesAndIcons)
{
    InstalledFixture three("vtthree.cpl");
    BuildAppletMenu(window);
    std::vector<int> entries = EntriesOf("vtthree.cpl");
    ASSERT_EQ(3u, entries.size());
    const char* names[] = { "Alpha Applet", "Beta Applet", "Gamma Applet" };
    for (int i = 0; i < 3; ++i) {
        const AppletEntry& entry = AppletList[entries[i]];
        EXPECT_STREQ(names[i], entry.text);
        EXPECT_EQ(i, entry.applet);
        EXPECT_EQ(FIXTURE_ICON_FIRST + i, entry.iconId);
        EXPECT_EQ(0, entry.iconIndex);
        EXPECT_NE(-1, GetMenuState(ControlPanelMenu, 1000 + entries[i], MF_BYCOMMAND));
    }
    EXPECT_EQ(entries[0] + 1, entries[1]) << "numbered in the order made";
    EXPECT_EQ(1u, Counter("vtthree.cpl init"));
    EXPECT_EQ(1u, Counter("vtthree.cpl exit")) << "every successful CPL_INIT is closed with CPL_EXIT";
}

TEST_F(AppletBuilder, FilesThatCannotBeAskedAreListedOnceByName)
{
    InstalledFixture noInit("vtnoinit.cpl");
    InstalledFixture noEntry("vtnoentry.cpl");
    InstalledFixture system("SYSDM.CPL");
    BuildAppletMenu(window);
    for (const char* file : { "vtnoinit.cpl", "vtnoentry.cpl", "SYSDM.CPL" }) {
        std::vector<int> entries = EntriesOf(file);
        ASSERT_EQ(1u, entries.size()) << file;
        EXPECT_EQ(0, AppletList[entries[0]].applet);
        EXPECT_EQ(0, AppletList[entries[0]].iconId);
    }
    EXPECT_STREQ("vtnoinit.cpl", AppletList[EntriesOf("vtnoinit.cpl")[0]].text);
    EXPECT_STREQ("System", AppletList[EntriesOf("SYSDM.CPL")[0]].text);
    EXPECT_EQ(0u, Counter("vtnoinit.cpl exit")) << "no CPL_EXIT after a refused CPL_INIT";
    EXPECT_STREQ("Modem", FriendlyCplName("modem.cpl"));
    EXPECT_STREQ("Network", FriendlyCplName("NetCpl.Cpl"));
    EXPECT_STREQ("other.cpl", FriendlyCplName("other.cpl"));
}

TEST_F(AppletBuilder, WideNamesAreConvertedNotCutToOneLetter)
{
    InstalledFixture wide("vtwide.cpl");
    BuildAppletMenu(window);
    std::vector<int> entries = EntriesOf("vtwide.cpl");
    ASSERT_EQ(1u, entries.size());
    EXPECT_STREQ("Wide Applet", AppletList[entries[0]].text);
}

TEST_F(AppletBuilder, AGarbageCountStopsAtAHundredAndSkipsTheToolsIdentifiers)
{
    InstalledFixture many("vtmany.cpl");
    BuildAppletMenu(window);
    EXPECT_EQ(100, AppletCount);
    EXPECT_EQ(100, GetMenuItemCount(ControlPanelMenu)) << "Run..., a separator and 98 applets";
    EXPECT_EQ(nullptr, AppletList[15].file);
    EXPECT_EQ(nullptr, AppletList[16].file);
    for (int i = 0; i < GetMenuItemCount(ControlPanelMenu); ++i) {
        UINT id = GetMenuItemID(ControlPanelMenu, i);
        EXPECT_NE(1015u, id);
        EXPECT_NE(1016u, id);
    }
    EXPECT_EQ(1u, Counter("vtmany.cpl exit"));
}

TEST_F(AppletBuilder, ColumnsBreakAtMultiplesOfTheListedApplets)
{
    InstalledFixture many("vtmany.cpl");
    ItemsPerColumn = 39;
    BuildAppletMenu(window);
    std::vector<int> columns = ShapeOf(ControlPanelMenu).columns;
    ASSERT_EQ(3u, columns.size());
    EXPECT_EQ(2 + 39, columns[0]) << "the two fixed items and 39 applets";
    EXPECT_EQ(39, columns[1]);
    EXPECT_EQ(20, columns[2]);
}

class ScreenSaverBuilder : public Builders {
protected:
    void SetUp() override
    {
        Builders::SetUp();
        char directory[MAX_PATH];
        GetSystemDirectoryA(directory, MAX_PATH);
        system_ = directory;
        GetWindowsDirectoryA(directory, MAX_PATH);
        windows_ = directory;
        char configured[MAX_PATH];
        GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "\x01", configured, MAX_PATH, "system.ini");
        previous_ = configured;
    }
    void TearDown() override
    {
        PrepareDynamicMenus();
        for (const std::string& file : files_)
            DeleteFileA(file.c_str());
        WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", previous_ == "\x01" ? nullptr : previous_.c_str(),
                                   "system.ini");
        Builders::TearDown();
    }
    std::string Saver(const std::string& directory, const char* name)
    {
        std::string path = directory + "\\" + name;
        WriteFileText(path, "MZ");
        files_.push_back(path);
        return path;
    }
    int IndexOf(const std::string& path)
    {
        for (int k = 0; k < ScreenSaverCount; ++k)
            if (lstrcmpiA(ScreenSaverList[k], path.c_str()) == 0)
                return k;
        return -1;
    }
    std::string system_, windows_, previous_;
    std::vector<std::string> files_;
};

TEST_F(ScreenSaverBuilder, ListsBothDirectoriesAndMarksTheConfiguredOne)
{
    std::string mystify = Saver(system_, "VtMystify.scr");
    std::string other = Saver(windows_, "VtOther.scr");
    char shortPath[MAX_PATH];
    GetShortPathNameA(mystify.c_str(), shortPath, MAX_PATH);
    WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", shortPath, "system.ini");
    BuildScreenSaverMenu();
    int k = IndexOf(mystify);
    ASSERT_GE(k, 0);
    EXPECT_GE(IndexOf(other), 0);
    EXPECT_LT(k, IndexOf(other)) << "the system directory comes first";
    EXPECT_EQ(5000 + k, CurrentScreenSaverId);
}

TEST_F(ScreenSaverBuilder, ANameThatIsTheTailOfTheConfiguredOneIsMarkedTooAndTheLastMatchWins)
{
    std::string full = Saver(system_, "VTSAVERXY.SCR");
    std::string tail = Saver(windows_, "XY.SCR");
    WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", full.c_str(), "system.ini");
    BuildScreenSaverMenu();
    ASSERT_GE(IndexOf(tail), 0);
    EXPECT_EQ(5000 + IndexOf(tail), CurrentScreenSaverId);
}

TEST_F(ScreenSaverBuilder, NoConfiguredSaverMarksNothing)
{
    Saver(system_, "VtPlain.scr");
    WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", nullptr, "system.ini");
    BuildScreenSaverMenu();
    EXPECT_EQ(-1, CurrentScreenSaverId);
    EXPECT_GE(ScreenSaverCount, 1);
}

TEST_F(ScreenSaverBuilder, TheFirstColumnHoldsOneMoreAndTheListStopsAtAHundred)
{
    for (int i = 0; i < 101; ++i)
        Saver(system_, ("VtMany" + std::to_string(i) + ".scr").c_str());
    ItemsPerColumn = 39;
    BuildScreenSaverMenu();
    EXPECT_EQ(100, ScreenSaverCount);
    std::vector<int> columns = ShapeOf(ScreenSaverMenu).columns;
    ASSERT_EQ(3u, columns.size());
    EXPECT_EQ(40, columns[0]);
    EXPECT_EQ(39, columns[1]);
}
