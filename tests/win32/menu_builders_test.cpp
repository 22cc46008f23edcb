// The four lazily built submenus against real folders, windows, applet
// files and screen savers of the test prefix.
#include "tests/win32/test_support.h"

#include <algorithm>

#include <dwmapi.h>

#include "app/startup.h"
#include "base/platform.h"
#include "menus/applet_menu.h"
#include "menus/dynamic_submenus.h"
#include "menus/popup_menu.h"
#include "tests/fixtures/test_applets.h"

// Fills the submenu at a root position as its first highlight in an opening
// would, with perColumn items a column (0: as many as the screen's height
// gives); returns its record.
static DynamicSubmenu& Build(int position, HWND window, int perColumn = 0)
{
    FillDynamicSubmenu(position, window, perColumn ? perColumn : PopupMenu.itemsPerColumn);
    return SubmenuRecordAt(position);
}

static DynamicSubmenu& Desktop() { return SubmenuRecordAt(ROOT_POSITION_DESKTOP); }
static DynamicSubmenu& Tasks() { return SubmenuRecordAt(ROOT_POSITION_TASK_MANAGER); }
static DynamicSubmenu& Applets() { return SubmenuRecordAt(ROOT_POSITION_CONTROL_PANEL); }
static DynamicSubmenu& Savers() { return SubmenuRecordAt(ROOT_POSITION_SCREEN_SAVER); }

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
    Build(ROOT_POSITION_DESKTOP, window);
    EXPECT_EQ(2, Desktop().count);
    ASSERT_EQ(2, GetMenuItemCount(Desktop().menu));
    EXPECT_EQ(4000u, GetMenuItemID(Desktop().menu, 0));
    EXPECT_EQ(4001u, GetMenuItemID(Desktop().menu, 1));
    std::vector<std::string> names = { Desktop().entries[0].text, Desktop().entries[1].text };
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "Word.lnk"));
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "Projects"));
    EXPECT_EQ(folder_->file(Desktop().entries[0].text), Desktop().entries[0].file);
}

TEST_F(DesktopBuilder, TheFirstColumnHoldsOneMore)
{
    for (int i = 0; i < 7; ++i)
        WriteFileText(folder_->file(("item" + std::to_string(i)).c_str()), "x");
    Build(ROOT_POSITION_DESKTOP, window, 3);
    EXPECT_EQ((std::vector<int>{4, 3}), ShapeOf(Desktop().menu).columns);
}

TEST_F(DesktopBuilder, StopsAtAHundred)
{
    for (int i = 0; i < 101; ++i)
        WriteFileText(folder_->file(("f" + std::to_string(i)).c_str()), "x");
    Build(ROOT_POSITION_DESKTOP, window);
    EXPECT_EQ(100, Desktop().count);
    EXPECT_EQ(100, GetMenuItemCount(Desktop().menu));
}

TEST_F(DesktopBuilder, BuildsOncePerOpening)
{
    WriteFileText(folder_->file("a.txt"), "x");
    Build(ROOT_POSITION_DESKTOP, window);
    WriteFileText(folder_->file("b.txt"), "x");
    Build(ROOT_POSITION_DESKTOP, window);
    EXPECT_EQ(1, GetMenuItemCount(Desktop().menu));
    PrepareDynamicMenus();
    Build(ROOT_POSITION_DESKTOP, window);
    EXPECT_EQ(2, GetMenuItemCount(Desktop().menu));
}

TEST_F(DesktopBuilder, NoDesktopValueOrAPathTooLongLeavesItEmpty)
{
    value_.reset();
    {
        ShellFolderOverride removed("Desktop");
        Build(ROOT_POSITION_DESKTOP, window);
        EXPECT_EQ(0, GetMenuItemCount(Desktop().menu)) << "no Desktop value";
    }
    value_.reset(new ShellFolderOverride("Desktop", std::string(258, 'x')));
    Build(ROOT_POSITION_DESKTOP, window);
    EXPECT_EQ(0, GetMenuItemCount(Desktop().menu)) << "the search pattern would not fit";
    EXPECT_EQ(0, Desktop().count);
    PrepareDynamicMenus();
    value_.reset(new ShellFolderOverride("Desktop", folder_->path() + "\\missing"));
    Build(ROOT_POSITION_DESKTOP, window);
    EXPECT_EQ(0, GetMenuItemCount(Desktop().menu));
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
    // The window's entry, or -1.
    int EntryOf(HWND w)
    {
        for (int k = 0; k < Tasks().count; ++k)
            if (Tasks().entries[k].window == w)
                return k;
        return -1;
    }
    bool Listed(HWND w) { return EntryOf(w) >= 0; }
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
    Build(ROOT_POSITION_TASK_MANAGER, window);
    EXPECT_TRUE(Listed(plain));
    EXPECT_TRUE(Listed(minimized));
    EXPECT_TRUE(Listed(almost)) << "the comparison is case-sensitive";
    EXPECT_FALSE(Listed(hidden));
    EXPECT_FALSE(Listed(untitled));
    EXPECT_FALSE(Listed(owned));
    EXPECT_FALSE(Listed(programManager));
    EXPECT_FALSE(Listed(window)) << "never the button itself";
    for (int k = 0; k < Tasks().count; ++k)
        EXPECT_EQ(static_cast<UINT>(2000 + k), GetMenuItemID(Tasks().menu, k));
    // In Z order from the top.
    SetWindowPos(minimized, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PrepareDynamicMenus();
    Build(ROOT_POSITION_TASK_MANAGER, window);
    EXPECT_LT(EntryOf(minimized), EntryOf(plain));
    SetWindowPos(plain, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PrepareDynamicMenus();
    Build(ROOT_POSITION_TASK_MANAGER, window);
    EXPECT_LT(EntryOf(plain), EntryOf(minimized));
}

// The compositor as it would answer: one window cloaked, the others not.
static HWND CloakedWindow;

static HRESULT WINAPI CloakOne(HWND window, DWORD attribute, PVOID value, DWORD size)
{
    if (attribute != DWMWA_CLOAKED || size != sizeof(DWORD))
        return E_INVALIDARG;
    *static_cast<DWORD*>(value) = window == CloakedWindow ? 2 /* DWM_CLOAKED_SHELL */ : 0;
    return S_OK;
}

TEST_F(TaskBuilder, CloakedWindowsAreNotOnScreenAndNotListed)
{
    HWND shown = Make("shown window");
    CloakedWindow = Make("cloaked window");
    Platform.DwmGetWindowAttribute = CloakOne;
    Build(ROOT_POSITION_TASK_MANAGER, window);
    EXPECT_TRUE(Listed(shown));
    EXPECT_FALSE(Listed(CloakedWindow));
}

TEST_F(TaskBuilder, ColumnsBreakAtMultiplesAndTheListStopsAtAHundred)
{
    for (int i = 0; i < 7; ++i)
        Make(("column window " + std::to_string(i)).c_str());
    Build(ROOT_POSITION_TASK_MANAGER, window, 3);
    std::vector<int> columns = ShapeOf(Tasks().menu).columns;
    ASSERT_GE(columns.size(), 3u);
    EXPECT_EQ(3, columns[0]);
    EXPECT_EQ(3, columns[1]);
    PrepareDynamicMenus();
    for (int i = 0; i < 101; ++i)
        Make(("many " + std::to_string(i)).c_str());
    Build(ROOT_POSITION_TASK_MANAGER, window);
    EXPECT_EQ(100, Tasks().count);
    EXPECT_EQ(100, GetMenuItemCount(Tasks().menu));
}

TEST_F(TaskBuilder, LongTitlesAreCutAt259)
{
    std::string title(300, 't');
    HWND w = Make(title.c_str());
    Build(ROOT_POSITION_TASK_MANAGER, window);
    for (int k = 0; k < Tasks().count; ++k) {
        if (Tasks().entries[k].window == w) {
            EXPECT_EQ(259u, strlen(Tasks().entries[k].text));
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
        for (int k = 0; k < Applets().count; ++k)
            if (Applets().entries[k].file && lstrcmpiA(Applets().entries[k].file, file) == 0)
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
    Build(ROOT_POSITION_CONTROL_PANEL, window);
    std::vector<int> entries = EntriesOf("vtthree.cpl");
    ASSERT_EQ(3u, entries.size());
    const char* names[] = { "Alpha Applet", "Beta Applet", "Gamma Applet" };
    for (int i = 0; i < 3; ++i) {
        const MenuEntry& entry = Applets().entries[entries[i]];
        EXPECT_STREQ(names[i], entry.text);
        EXPECT_EQ(i, entry.number);
        EXPECT_NE(nullptr, entry.icon) << "the applet's own icon resource";
        EXPECT_NE(-1, GetMenuState(Applets().menu, 1000 + entries[i], MF_BYCOMMAND));
    }
    EXPECT_EQ(entries[0] + 1, entries[1]) << "numbered in the order made";
    EXPECT_EQ(1u, Counter("vtthree.cpl init"));
    for (int i = 0; i < 3; ++i) {
        std::string stop = "vtthree.cpl stop " + std::to_string(FIXTURE_DATA_FIRST + i);
        EXPECT_EQ(1u, Counter(stop.c_str())) << "each applet is stopped with its lData";
    }
    EXPECT_EQ(3u, Counter("vtthree.cpl stops before exit"));
    EXPECT_EQ(1u, Counter("vtthree.cpl exit")) << "every successful CPL_INIT is closed with CPL_EXIT";
}

TEST_F(AppletBuilder, AFileNamedLikeASystemAppletBesideTheProgramIsNeverLoaded)
{
    // As on a system whose loader still looks in the program's folder first,
    // where vtplanted.cpl lies; the system directory holds a sound one.
    typedef BOOL WINAPI SetDirectories(DWORD);
    auto setDirectories = reinterpret_cast<SetDirectories*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories"));
    ASSERT_NE(nullptr, setDirectories);
    setDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    InstalledFixture sound("vtthree.cpl", "vtplanted.cpl");
    Build(ROOT_POSITION_CONTROL_PANEL, window);
    EXPECT_EQ(0u, Counter(FIXTURE_PLANTED_MARK)) << "the planted file ran";
    EXPECT_EQ(3u, EntriesOf("vtplanted.cpl").size()) << "the system directory's file was asked";
}

TEST_F(AppletBuilder, FilesThatCannotBeAskedAreListedOnceByName)
{
    InstalledFixture noInit("vtnoinit.cpl");
    InstalledFixture noEntry("vtnoentry.cpl");
    InstalledFixture system("SYSDM.CPL");
    Build(ROOT_POSITION_CONTROL_PANEL, window);
    for (const char* file : { "vtnoinit.cpl", "vtnoentry.cpl", "SYSDM.CPL" }) {
        std::vector<int> entries = EntriesOf(file);
        ASSERT_EQ(1u, entries.size()) << file;
        EXPECT_EQ(0, Applets().entries[entries[0]].number);
    }
    EXPECT_STREQ("vtnoinit.cpl", Applets().entries[EntriesOf("vtnoinit.cpl")[0]].text);
    EXPECT_STREQ("System", Applets().entries[EntriesOf("SYSDM.CPL")[0]].text);
    EXPECT_EQ(0u, Counter("vtnoinit.cpl exit")) << "no CPL_EXIT after a refused CPL_INIT";
    EXPECT_STREQ("Modem", FriendlyCplName("modem.cpl"));
    EXPECT_STREQ("Network", FriendlyCplName("NetCpl.Cpl"));
    EXPECT_STREQ("other.cpl", FriendlyCplName("other.cpl"));
}

TEST_F(AppletBuilder, WideNamesAreConvertedNotCutToOneLetter)
{
    InstalledFixture wide("vtwide.cpl");
    Build(ROOT_POSITION_CONTROL_PANEL, window);
    std::vector<int> entries = EntriesOf("vtwide.cpl");
    ASSERT_EQ(1u, entries.size());
    EXPECT_STREQ("Wide Applet", Applets().entries[entries[0]].text);
    EXPECT_EQ(1u, Counter(("vtwide.cpl stop " + std::to_string(FIXTURE_DATA_FIRST)).c_str()))
        << "stopped with the lData of its CPL_NEWINQUIRE answer";
}

TEST_F(AppletBuilder, AGarbageCountStopsAtAHundredAndSkipsTheToolsIdentifiers)
{
    InstalledFixture many("vtmany.cpl");
    Build(ROOT_POSITION_CONTROL_PANEL, window);
    EXPECT_EQ(100, Applets().count);
    EXPECT_EQ(100, GetMenuItemCount(Applets().menu)) << "Run..., a separator and 98 applets";
    EXPECT_EQ(nullptr, Applets().entries[15].file);
    EXPECT_EQ(nullptr, Applets().entries[16].file);
    for (int i = 0; i < GetMenuItemCount(Applets().menu); ++i) {
        UINT id = GetMenuItemID(Applets().menu, i);
        EXPECT_NE(1015u, id);
        EXPECT_NE(1016u, id);
    }
    EXPECT_EQ(1u, Counter("vtmany.cpl exit"));
}

TEST_F(AppletBuilder, ColumnsBreakAtMultiplesOfTheListedApplets)
{
    InstalledFixture many("vtmany.cpl");
    Build(ROOT_POSITION_CONTROL_PANEL, window, 39);
    std::vector<int> columns = ShapeOf(Applets().menu).columns;
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
        for (int k = 0; k < Savers().count; ++k)
            if (lstrcmpiA(Savers().entries[k].text, path.c_str()) == 0)
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
    Build(ROOT_POSITION_SCREEN_SAVER, window);
    int k = IndexOf(mystify);
    ASSERT_GE(k, 0);
    EXPECT_GE(IndexOf(other), 0);
    EXPECT_LT(k, IndexOf(other)) << "the system directory comes first";
    EXPECT_EQ(k, Savers().marked);
}

TEST_F(ScreenSaverBuilder, ANameThatIsTheTailOfTheConfiguredOneIsMarkedTooAndTheLastMatchWins)
{
    std::string full = Saver(system_, "VTSAVERXY.SCR");
    std::string tail = Saver(windows_, "XY.SCR");
    WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", full.c_str(), "system.ini");
    Build(ROOT_POSITION_SCREEN_SAVER, window);
    ASSERT_GE(IndexOf(tail), 0);
    EXPECT_EQ(IndexOf(tail), Savers().marked);
}

TEST_F(ScreenSaverBuilder, NoConfiguredSaverMarksNothing)
{
    Saver(system_, "VtPlain.scr");
    WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", nullptr, "system.ini");
    Build(ROOT_POSITION_SCREEN_SAVER, window);
    EXPECT_EQ(-1, Savers().marked);
    EXPECT_GE(Savers().count, 1);
}

TEST_F(ScreenSaverBuilder, TheFirstColumnHoldsOneMoreAndTheListStopsAtAHundred)
{
    for (int i = 0; i < 101; ++i)
        Saver(system_, ("VtMany" + std::to_string(i) + ".scr").c_str());
    Build(ROOT_POSITION_SCREEN_SAVER, window, 39);
    EXPECT_EQ(100, Savers().count);
    std::vector<int> columns = ShapeOf(Savers().menu).columns;
    ASSERT_EQ(3u, columns.size());
    EXPECT_EQ(40, columns[0]);
    EXPECT_EQ(39, columns[1]);
}
