// The Favourites editor in-process, opened by its command and driven by the
// messages its controls send; it edits the list in memory, which the opener
// stores.
#include "tests/win32/test_support.h"

#include <commdlg.h>

#include "base/commands.h"
#include "menus/popup_menu.h"
#include "res/resource.h"
#include "settings/favourites_store.h"
#include "dialogs/favourites/favourite_rows.h"

typedef std::vector<std::string> Lines;

static Lines Entries(HWND dialog)
{
    Lines entries;
    HWND list = GetDlgItem(dialog, IDC_FAV_LIST);
    for (int i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i)
        entries.push_back(FavouriteEntryText(list, i).text());
    return entries;
}

// The list as the editor left it, as "program|parameters" lines.
static Lines Committed()
{
    Lines lines;
    for (int i = 0; i <= FavouriteList.LastFavourite; ++i)
        lines.push_back(std::string(FavouriteList.programs[i]) + "|" + FavouriteList.parameters[i]);
    return lines;
}

static std::string Field(HWND dialog, int id)
{
    char text[300];
    return std::string(text, GetDlgItemTextA(dialog, id, text, sizeof text));
}
static bool AddIsDefault(HWND dialog)
{
    return (GetWindowLongA(GetDlgItem(dialog, IDC_FAV_ADD), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// A double click of the left button at a point of the list box, as the user makes it.
static void DoubleClickList(HWND dialog, int x, int y)
{
    POINT point = { x, y };
    ClientToScreen(GetDlgItem(dialog, IDC_FAV_LIST), &point);
    SetCursorPos(point.x, point.y);
    for (int i = 0; i < 2; ++i) {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
}
static void Click(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

class FavouritesDialog : public AppTest {
protected:
    // Opens the editor through its command; the step runs inside it and closes it.
    void Run(const DialogScript::Step& step)
    {
        script.Then(step).Start();
        SendMessageA(window, WM_COMMAND, CMD_EDIT_FAVOURITES, 0);
    }
    DialogScript script{ "Favourite" };
};

TEST_F(FavouritesDialog, TheTemplateIsAsDesigned)
{
    Run([&](HWND dialog) {
        EXPECT_TRUE(GetMenuState(PopupMenu.tree.root, CMD_EDIT_FAVOURITES, MF_BYCOMMAND) & MF_GRAYED) << "one editor at a time";
        EXPECT_EQ("22:LISTBOX -1:STATIC 23:EDIT -1:STATIC 43:EDIT 24:BUTTON 25:BUTTON 28:BUTTON 39:BUTTON 38:BUTTON "
                  "-1:STATIC 45:STATIC ", DialogControls(dialog));
        EXPECT_EQ(20, SendDlgItemMessageA(dialog, IDC_FAV_LIST, LB_GETITEMHEIGHT, 0, 0)) << "rows fit the icon";
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_FAV_FULL)));
        Click(dialog, IDCANCEL);
    });
}

TEST_F(FavouritesDialog, BrowseFillsTheProgramAndCloseCommitsInCaseBlindOrderWithoutTabs)
{
    bool addWhenFilled = false;
    Run([&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_FAV_PROGRAM, "typed");
        Click(dialog, IDC_FAV_BROWSE);
        EXPECT_EQ("typed", Field(dialog, IDC_FAV_PROGRAM)) << "the chooser was cancelled";
        OpenFileAnswer = "C:\\b.exe";
        Click(dialog, IDC_FAV_BROWSE);
        EXPECT_EQ("C:\\b.exe", Field(dialog, IDC_FAV_PROGRAM));
        SetDlgItemTextA(dialog, IDC_FAV_PARAMETERS, "-x\t-pasted");
        addWhenFilled = Enabled(dialog, IDC_FAV_ADD);
        Click(dialog, IDC_FAV_ADD);
        EXPECT_FALSE(Enabled(dialog, IDC_FAV_ADD)) << "the fields are cleared";
        SetDlgItemTextA(dialog, IDC_FAV_PROGRAM, "C:\\A.exe\tpasted");
        Click(dialog, IDC_FAV_ADD);
        EXPECT_EQ((Lines{ "C:\\A.exe\t", "C:\\b.exe\t-x\t-pasted" }), Entries(dialog));
        SetDlgItemTextA(dialog, IDC_FAV_PROGRAM, "C:\\C.exe");
        Click(dialog, IDC_FAV_ADD);
        Click(dialog, IDC_CLOSE);
    });
    EXPECT_TRUE(addWhenFilled);
    EXPECT_EQ((Lines{ "C:\\A.exe|", "C:\\b.exe|-x", "C:\\C.exe|" }), Committed());
    std::vector<SeamCall> calls = SeamCallsOf("GetOpenFileNameA");
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ("Executable (*.exe;*.com;*.bat;*.pif)|*.exe;*.com;*.bat;*.pif|All files (*.*)|*.*", calls[0].text1);
    EXPECT_EQ(static_cast<UINT>(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY), calls[0].number);
}

TEST_F(FavouritesDialog, AddKeepsTheLongestPathWholeAndParametersUpTo254)
{
    std::string path = "C:\\" + std::string(MAX_PATH - 1 - 7, 'p') + ".exe";
    Run([&](HWND dialog) {
        OpenFileAnswer = path;
        Click(dialog, IDC_FAV_BROWSE);
        SetDlgItemTextA(dialog, IDC_FAV_PARAMETERS, std::string(300, 'a').c_str());
        Click(dialog, IDC_FAV_ADD);
        Click(dialog, IDC_CLOSE);
    });
    ASSERT_EQ(259u, path.size());
    EXPECT_EQ((Lines{ path + "|" + std::string(254, 'a') }), Committed());
}

TEST_F(FavouritesDialog, EditAndEraseWorkAtTheCaretAndEscapeKeepsTheList)
{
    UseFavourites({ { "C:\\a.exe", "-a" }, { "C:\\b.exe", "" }, { "C:\\c.exe", "" } });
    Run([&](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_FAV_LIST, LB_SETCURSEL, 2, 0);
        Click(dialog, IDC_FAV_ERASE);
        EXPECT_EQ(0, SendDlgItemMessageA(dialog, IDC_FAV_LIST, LB_GETCURSEL, 0, 0));
        EXPECT_EQ((Lines{ "C:\\a.exe\t-a", "C:\\b.exe\t" }), Entries(dialog));
        SetDlgItemTextA(dialog, IDC_FAV_PARAMETERS, "typed");
        SendDlgItemMessageA(dialog, IDC_FAV_LIST, LB_SETCURSEL, 1, 0);
        Click(dialog, IDC_FAV_EDIT);
        EXPECT_EQ("C:\\b.exe", Field(dialog, IDC_FAV_PROGRAM));
        EXPECT_EQ("typed", Field(dialog, IDC_FAV_PARAMETERS)) << "an entry without parameters keeps the field";
        EXPECT_EQ(GetDlgItem(dialog, IDC_FAV_PROGRAM), GetFocus());
        Click(dialog, IDC_FAV_EDIT);
        EXPECT_EQ("C:\\a.exe", Field(dialog, IDC_FAV_PROGRAM));
        EXPECT_EQ("-a", Field(dialog, IDC_FAV_PARAMETERS));
        EXPECT_TRUE(Entries(dialog).empty());
        Click(dialog, IDC_FAV_ADD);
        EXPECT_TRUE(Enabled(dialog, IDC_FAV_EDIT) && Enabled(dialog, IDC_FAV_ERASE));
        SetFocus(GetDlgItem(dialog, IDC_FAV_ERASE));
        Click(dialog, IDC_FAV_ERASE);
        EXPECT_TRUE(Entries(dialog).empty());
        EXPECT_FALSE(Enabled(dialog, IDC_FAV_EDIT) || Enabled(dialog, IDC_FAV_ERASE));
        EXPECT_EQ(GetDlgItem(dialog, IDC_FAV_PROGRAM), GetFocus()) << "the keyboard is not left on a disabled button";
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ((Lines{ "C:\\a.exe|-a", "C:\\b.exe|", "C:\\c.exe|" }), Committed());
}

// Each step posts a key to the control with the focus or clicks, and the
// next one, run once the dialog's loop has handled it, looks at the outcome.
TEST_F(FavouritesDialog, EnterAddsDoubleClickEditsDeleteErasesAndEscapeStillCancels)
{
    UseFavourites({ { "C:\\a.exe", "-a" }, { "C:\\b.exe", "" } });
    script.Then([&](HWND dialog) {
        SetWindowPos(dialog, HWND_TOP, 100, 100, 0, 0, SWP_NOSIZE);
        HWND program = GetDlgItem(dialog, IDC_FAV_PROGRAM);
        SetFocus(program);
        EXPECT_FALSE(AddIsDefault(dialog));
        SetWindowTextA(program, "C:\\c.exe");
        EXPECT_TRUE(AddIsDefault(dialog)) << "while the Program field holds text";
        PostMessageA(program, WM_KEYDOWN, VK_RETURN, 0);
    }).Then([&](HWND dialog) {
        EXPECT_EQ((Lines{ "C:\\a.exe\t-a", "C:\\b.exe\t", "C:\\c.exe\t" }), Entries(dialog));
        EXPECT_FALSE(AddIsDefault(dialog));
        DoubleClickList(dialog, 40, FAVOURITE_ROW_HEIGHT + FAVOURITE_ROW_HEIGHT / 2);
    }).Then([&](HWND dialog) {
        EXPECT_EQ("C:\\b.exe", Field(dialog, IDC_FAV_PROGRAM)) << "the second row moved into the fields";
        DoubleClickList(dialog, 40, 3 * FAVOURITE_ROW_HEIGHT);
    }).Then([&](HWND dialog) {
        EXPECT_EQ((Lines{ "C:\\a.exe\t-a", "C:\\c.exe\t" }), Entries(dialog)) << "below the rows: nothing";
        HWND list = GetDlgItem(dialog, IDC_FAV_LIST);
        SetFocus(list);
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        PostMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
    }).Then([&](HWND dialog) {
        EXPECT_EQ((Lines{ "C:\\c.exe\t" }), Entries(dialog));
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    Run([&](HWND dialog) { ADD_FAILURE() << "Escape did not close the dialog"; Click(dialog, IDCANCEL); });
    EXPECT_EQ((Lines{ "C:\\a.exe|-a", "C:\\b.exe|" }), Committed()) << "Escape keeps the list in force";
}

TEST_F(FavouritesDialog, AFullListRefusesTheNextEntryAndTheCommitKeepsAHundred)
{
    std::vector<std::pair<std::string, std::string>> hundred;
    for (int i = 0; i < MAX_FAVOURITES; ++i)
        hundred.push_back({ "C:\\p" + std::to_string(100 + i) + ".exe", "" });
    UseFavourites(hundred);
    Run([&](HWND dialog) {
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
    });
    Lines committed = Committed();
    ASSERT_EQ(100u, committed.size());
    EXPECT_EQ("C:\\one-more.exe|", committed.front());
    EXPECT_EQ("C:\\p199.exe|", committed.back());
}

TEST_F(FavouritesDialog, ASelectedRowIsHighlightedAcrossAndTheTextFollowsTheIcon)
{
    UseFavourites({ { "C:\\missing.exe", "-x" } });
    Canvas canvas(200, 40);
    Run([&](HWND dialog) {
        DRAWITEMSTRUCT draw = { ODT_LISTBOX, IDC_FAV_LIST, 0, ODA_DRAWENTIRE, ODS_SELECTED,
                                GetDlgItem(dialog, IDC_FAV_LIST), canvas.dc(), { 0, 0, 200, 20 }, 0 };
        DrawFavouriteListItem(&draw);
        draw.itemState = 0;
        draw.rcItem = { 0, 20, 200, 40 };
        DrawFavouriteListItem(&draw);
        Click(dialog, IDCANCEL);
    });
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), canvas.At(0, 0)) << "behind the icon too";
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), canvas.At(199, 19));
    EXPECT_EQ(window, canvas.At(199, 20));
    int iconInk = 0, firstText = 200;
    for (int y = 20; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            if (canvas.At(x, y) != window && x < 16)
                ++iconInk;
            else if (canvas.At(x, y) != window && x < firstText)
                firstText = x;
    EXPECT_GT(iconInk, 20) << "the system application icon for a missing program";
    EXPECT_GE(firstText, 18);
    EXPECT_LE(firstText, 24);
}
