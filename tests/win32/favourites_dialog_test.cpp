// The Favourites editor in-process, driven by the messages its controls
// send: the template, what "&Close", Esc, "&Edit", "&Erase", "&Add" and
// "&Browse" do to the list and the stored favourites, the full list, and
// the painting of a row.
#include "tests/win32/test_support.h"

#include <commdlg.h>

#include "menus/menu_tree.h"
#include "base/commands.h"
#include "menus/favourites_menu.h"
#include "res/resource.h"
#include "settings/favourites_store.h"
#include "ui/favourite_list_item.h"

static std::vector<std::string> Entries(HWND dialog)
{
    std::vector<std::string> entries;
    HWND list = GetDlgItem(dialog, IDC_FAV_LIST);
    for (int i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i)
        entries.push_back(FavouriteEntryText(list, i).text());
    return entries;
}

static std::string Field(HWND dialog, int id)
{
    char text[300];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

static void Click(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

static bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

static std::string Stored(const char* name)
{
    std::vector<unsigned char> bytes;
    return ReadValue(name, bytes) ? std::string(bytes.begin(), bytes.end() - 1) : "<missing>";
}

class FavouritesDialog : public AppTest {
protected:
    void Store(std::vector<std::pair<const char*, const char*>> favourites)
    {
        for (size_t i = 0; i < favourites.size(); ++i) {
            WriteStringValue(("Item" + std::to_string(i)).c_str(), favourites[i].first);
            if (favourites[i].second)
                WriteStringValue(("Param" + std::to_string(i)).c_str(), favourites[i].second);
        }
        RebuildFavouritesMenu(window);
    }
    void Open() { SendMessageA(window, WM_COMMAND, CMD_EDIT_FAVOURITES, 0); }
    DialogScript script{ "Favourite" };
};

TEST_F(FavouritesDialog, TheTemplateIsAsDesigned)
{
    std::vector<std::pair<int, std::string>> controls;
    script.Then([&](HWND dialog) {
        EXPECT_TRUE(GetMenuState(RootMenu, CMD_EDIT_FAVOURITES, MF_BYCOMMAND) & MF_GRAYED);
        char title[32];
        GetWindowTextA(dialog, title, sizeof title);
        EXPECT_STREQ("Favourite", title);
        EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        RECT client, size = { 0, 0, 245, 145 };
        GetClientRect(dialog, &client);
        MapDialogRect(dialog, &size);
        EXPECT_TRUE(EqualRect(&size, &client));
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char className[32];
            GetClassNameA(child, className, sizeof className);
            controls.push_back({ static_cast<short>(GetDlgCtrlID(child)), CharUpperA(className) });
        }
        HWND list = GetDlgItem(dialog, IDC_FAV_LIST);
        // The list box keeps WS_BORDER and WS_VSCROLL to itself once created.
        const LONG listStyles = LBS_NOTIFY | LBS_SORT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_USETABSTOPS |
                                WS_TABSTOP;
        EXPECT_EQ(listStyles, GetWindowLongA(list, GWL_STYLE) & listStyles);
        EXPECT_EQ(20, SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
        EXPECT_NE(0, SendMessageA(GetWindow(GetDlgItem(dialog, IDC_FAV_FULL), GW_HWNDPREV), STM_GETICON, 0, 0));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_FAV_FULL)));
        Click(dialog, IDCANCEL);
    }).Start();
    Open();
    EXPECT_FALSE(GetMenuState(RootMenu, CMD_EDIT_FAVOURITES, MF_BYCOMMAND) & MF_GRAYED);
    std::vector<std::pair<int, std::string>> expected = {
        { 22, "LISTBOX" }, { -1, "STATIC" }, { 23, "EDIT" }, { -1, "STATIC" }, { 43, "EDIT" },
        { 24, "BUTTON" }, { 25, "BUTTON" }, { 28, "BUTTON" }, { 39, "BUTTON" }, { 38, "BUTTON" },
        { -1, "STATIC" }, { IDC_FAV_FULL, "STATIC" } };
    EXPECT_EQ(expected, controls);
}

TEST_F(FavouritesDialog, CloseCommitsInCaseBlindOrderWithoutPastedTabs)
{
    bool addWhenTyped = false;
    script.Then([&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_FAV_PROGRAM, "C:\\b.exe");
        SetDlgItemTextA(dialog, IDC_FAV_PARAMETERS, "-x\t-pasted");
        addWhenTyped = Enabled(dialog, IDC_FAV_ADD);
        Click(dialog, IDC_FAV_ADD);
        EXPECT_FALSE(Enabled(dialog, IDC_FAV_ADD)) << "the fields are cleared";
        SetDlgItemTextA(dialog, IDC_FAV_PROGRAM, "C:\\A.exe\tpasted");
        Click(dialog, IDC_FAV_ADD);
        SetDlgItemTextA(dialog, IDC_FAV_PROGRAM, "C:\\C.exe");
        Click(dialog, IDC_FAV_ADD);
        Click(dialog, IDC_CLOSE);
    }).Start();
    Open();
    EXPECT_TRUE(addWhenTyped);
    EXPECT_EQ("C:\\A.exe", Stored("Item0"));
    EXPECT_EQ("<missing>", Stored("Param0"));
    EXPECT_EQ("C:\\b.exe", Stored("Item1"));
    EXPECT_EQ("-x", Stored("Param1"));
    EXPECT_EQ("C:\\C.exe", Stored("Item2"));
    EXPECT_EQ(2 + 3, GetMenuItemCount(FavouritesMenu));
}

TEST_F(FavouritesDialog, EscapeKeepsTheListAsItWas)
{
    Store({ { "C:\\keep.exe", "-k" } });
    script.Then([&](HWND dialog) {
        EXPECT_EQ(std::vector<std::string>{ "C:\\keep.exe\t-k" }, Entries(dialog));
        Click(dialog, IDC_FAV_ERASE);
        SetDlgItemTextA(dialog, IDC_FAV_PROGRAM, "C:\\new.exe");
        Click(dialog, IDC_FAV_ADD);
        Click(dialog, IDCANCEL);
    }).Start();
    Open();
    ASSERT_EQ(0, FavouriteList.LastFavourite);
    EXPECT_STREQ("C:\\keep.exe", FavouriteList.programs[0]);
    EXPECT_EQ("-k", Stored("Param0"));
    EXPECT_EQ("<missing>", Stored("Item1"));
}

TEST_F(FavouritesDialog, EditMovesTheEntryAtTheCaretIntoTheFields)
{
    Store({ { "C:\\a.exe", "-a" }, { "C:\\b.exe", nullptr } });
    script.Then([&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_FAV_PARAMETERS, "typed");
        SendDlgItemMessageA(dialog, IDC_FAV_LIST, LB_SETCURSEL, 1, 0);
        Click(dialog, IDC_FAV_EDIT);
        EXPECT_EQ("C:\\b.exe", Field(dialog, IDC_FAV_PROGRAM));
        EXPECT_EQ("typed", Field(dialog, IDC_FAV_PARAMETERS)) << "an entry without parameters keeps the field";
        EXPECT_EQ(GetDlgItem(dialog, IDC_FAV_PROGRAM), GetFocus());
        EXPECT_EQ(std::vector<std::string>{ "C:\\a.exe\t-a" }, Entries(dialog));
        Click(dialog, IDC_FAV_EDIT);
        EXPECT_EQ("C:\\a.exe", Field(dialog, IDC_FAV_PROGRAM));
        EXPECT_EQ("-a", Field(dialog, IDC_FAV_PARAMETERS));
        EXPECT_TRUE(Entries(dialog).empty());
        Click(dialog, IDCANCEL);
    }).Start();
    Open();
}

TEST_F(FavouritesDialog, ErasingTheLastSelectsTheFirstAndTheOnlyOneDisablesEditAndErase)
{
    Store({ { "C:\\a.exe", nullptr }, { "C:\\b.exe", nullptr }, { "C:\\c.exe", nullptr } });
    script.Then([&](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_FAV_LIST, LB_SETCURSEL, 2, 0);
        Click(dialog, IDC_FAV_ERASE);
        EXPECT_EQ(0, SendDlgItemMessageA(dialog, IDC_FAV_LIST, LB_GETCURSEL, 0, 0));
        EXPECT_EQ((std::vector<std::string>{ "C:\\a.exe\t", "C:\\b.exe\t" }), Entries(dialog));
        Click(dialog, IDC_FAV_ERASE);
        EXPECT_TRUE(Enabled(dialog, IDC_FAV_EDIT) && Enabled(dialog, IDC_FAV_ERASE));
        SetFocus(GetDlgItem(dialog, IDC_FAV_ERASE));
        Click(dialog, IDC_FAV_ERASE);
        EXPECT_TRUE(Entries(dialog).empty());
        EXPECT_FALSE(Enabled(dialog, IDC_FAV_EDIT) || Enabled(dialog, IDC_FAV_ERASE));
        EXPECT_EQ(GetDlgItem(dialog, IDC_FAV_PROGRAM), GetFocus()) << "the keyboard is not left on a disabled button";
        Click(dialog, IDCANCEL);
    }).Start();
    Open();
}

TEST_F(FavouritesDialog, AFullListRefusesTheNextEntryAndTheCommitKeepsAHundred)
{
    for (int i = 0; i < MAX_FAVOURITES; ++i)
        WriteStringValue(("Item" + std::to_string(i)).c_str(), ("C:\\p" + std::to_string(100 + i) + ".exe").c_str());
    RebuildFavouritesMenu(window);
    script.Then([&](HWND dialog) {
        HWND note = GetDlgItem(dialog, IDC_FAV_FULL);
        SetDlgItemTextA(dialog, IDC_FAV_PROGRAM, "C:\\one-more.exe");
        EXPECT_FALSE(Enabled(dialog, IDC_FAV_ADD));
        EXPECT_TRUE(IsWindowVisible(note));
        Click(dialog, IDC_FAV_ADD);
        EXPECT_EQ(100u, Entries(dialog).size());
        EXPECT_EQ("C:\\one-more.exe", Field(dialog, IDC_FAV_PROGRAM)) << "kept for after an erase";
        Click(dialog, IDC_FAV_ERASE);
        EXPECT_TRUE(Enabled(dialog, IDC_FAV_ADD));
        EXPECT_FALSE(IsWindowVisible(note));
        Click(dialog, IDC_FAV_ADD);
        // More than the dialog lets in, as another program could put there.
        SendDlgItemMessageA(dialog, IDC_FAV_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("C:\\zz.exe\t"));
        SendMessageA(dialog, WM_CLOSE, 0, 0);
    }).Start();
    Open();
    EXPECT_EQ(99, FavouriteList.LastFavourite);
    EXPECT_EQ("C:\\one-more.exe", Stored("Item0"));
    EXPECT_EQ("C:\\p199.exe", Stored("Item99"));
    EXPECT_EQ("<missing>", Stored("Item100"));
}

TEST_F(FavouritesDialog, BrowseReplacesTheProgramUnlessCancelled)
{
    script.Then([&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_FAV_PROGRAM, "typed");
        Click(dialog, IDC_FAV_BROWSE);
        EXPECT_EQ("typed", Field(dialog, IDC_FAV_PROGRAM));
        OpenFileAnswer = "C:\\Tools\\chosen.exe";
        Click(dialog, IDC_FAV_BROWSE);
        EXPECT_EQ("C:\\Tools\\chosen.exe", Field(dialog, IDC_FAV_PROGRAM));
        Click(dialog, IDCANCEL);
    }).Start();
    Open();
    std::vector<SeamCall> calls = SeamCallsOf("GetOpenFileNameA");
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ("Executable (*.exe;*.com;*.bat;*.pif)", calls[0].text1);
    EXPECT_EQ(static_cast<UINT>(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY), calls[0].number);
}

TEST_F(FavouritesDialog, ASelectedRowIsHighlightedAcrossAndTheTextFollowsTheIcon)
{
    Store({ { "C:\\missing.exe", "-x" } });
    Canvas canvas(200, 40);
    script.Then([&](HWND dialog) {
        DRAWITEMSTRUCT draw = { ODT_LISTBOX, IDC_FAV_LIST, 0, ODA_DRAWENTIRE, ODS_SELECTED,
                                GetDlgItem(dialog, IDC_FAV_LIST), canvas.dc(), { 0, 0, 200, 20 }, 0 };
        DrawFavouriteListItem(&draw);
        draw.itemState = 0;
        draw.rcItem = { 0, 20, 200, 40 };
        DrawFavouriteListItem(&draw);
        Click(dialog, IDCANCEL);
    }).Start();
    Open();
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), canvas.At(0, 0)) << "behind the icon too";
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), canvas.At(199, 19));
    EXPECT_EQ(window, canvas.At(199, 20));
    int iconInk = 0, firstText = 200;
    for (int y = 20; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (canvas.At(x, y) == window)
                continue;
            if (x < 16)
                ++iconInk;
            else if (x < firstText)
                firstText = x;
        }
    }
    EXPECT_GT(iconInk, 20) << "the system application icon for a missing program";
    EXPECT_GE(firstText, 18);
    EXPECT_LE(firstText, 24);
}
