// The owner-drawn items: measured and painted from their identifiers, the
// icon cell and the text at their places, the item states, the dynamic
// texts, icons given back after every drawing, and keyboard mnemonics.
#include "tests/win32/test_support.h"

#include "app/startup.h"
#include "menus/dynamic_submenus.h"
#include "menus/menu_char.h"
#include "menus/owner_draw.h"
#include "menus/popup_menu.h"
#include "settings/favourites_store.h"
#include "settings/settings_store.h"
#include "settings/shell_folder_names.h"
#include "ui/program_icons.h"
#include "ui/window_icon.h"

// The popup menu's record, to set up what the menu loop would.
static PopupMenuRecord& Popup()
{
    return const_cast<PopupMenuRecord&>(PopupMenu);
}

static const int ITEM_WIDTH = 300, ITEM_HEIGHT = 24;

class OwnerDraw : public AppTest {
protected:
    void TearDown() override
    {
        PrepareDynamicMenus();
        AppTest::TearDown();
    }
    MEASUREITEMSTRUCT Measure(ULONG_PTR id)
    {
        MEASUREITEMSTRUCT measure = {};
        measure.CtlType = ODT_MENU;
        measure.itemID = static_cast<UINT>(id);
        measure.itemWidth = 12345;
        measure.itemHeight = 12345;
        SendMessageA(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
        return measure;
    }
    void Draw(Canvas& canvas, ULONG_PTR id, UINT state = 0)
    {
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_MENU;
        draw.itemID = static_cast<UINT>(id);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = state;
        draw.hDC = canvas.dc();
        SetRect(&draw.rcItem, 0, 0, canvas.width(), canvas.height());
        EXPECT_EQ(TRUE, SendMessageA(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
    }
    // How the item must look: the menu colour, the icon at (2, centred) and
    // the text from x = 21, vertically centred.
    void DrawExpected(Canvas& canvas, const char* text, HICON icon, UINT format = 0)
    {
        canvas.Fill(GetSysColor(COLOR_MENU));
        if (icon)
            DrawIconEx(canvas.dc(), 2, (canvas.height() - 16) / 2, icon, 16, 16, 0, nullptr, DI_NORMAL);
        HGDIOBJ font = SelectObject(canvas.dc(), MenuFonts().menuFont);
        SetBkMode(canvas.dc(), TRANSPARENT);
        SetTextColor(canvas.dc(), GetSysColor(COLOR_MENUTEXT));
        RECT text_rect = { 21, 0, canvas.width(), canvas.height() };
        DrawTextA(canvas.dc(), text, -1, &text_rect, DT_SINGLELINE | DT_VCENTER | format);
        SelectObject(canvas.dc(), font);
    }
    static bool SameImage(const Canvas& a, const Canvas& b)
    {
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.At(x, y) != b.At(x, y)) {
                    ADD_FAILURE() << "first difference at " << x << "," << y;
                    return false;
                }
        return true;
    }
    // True when the icon cell holds something other than the menu colour.
    static bool IconCellPainted(const Canvas& canvas)
    {
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < 18; ++x)
                if (canvas.At(x, y) != GetSysColor(COLOR_MENU))
                    return true;
        return false;
    }
    static int TextWidth(const char* text, UINT format = 0)
    {
        HDC dc = GetDC(nullptr);
        HGDIOBJ font = SelectObject(dc, MenuFonts().menuFont);
        RECT bounds = {};
        DrawTextA(dc, text, -1, &bounds, DT_CALCRECT | DT_SINGLELINE | format);
        SelectObject(dc, font);
        ReleaseDC(nullptr, dc);
        return bounds.right - bounds.left;
    }
};

TEST_F(OwnerDraw, FixedItemsMeasureTheirTextAndTheIconCell)
{
    const UINT ids[] = { 26, 27, 42, 44, 48, 49, 50, 51, 53, 55, 56, 57, 151, 152, 155 };
    for (UINT id : ids) {
        char text[MENU_ITEM_TEXT_CAPACITY];
        MenuItemText(id, false, text, sizeof text);
        ASSERT_STRNE("", text) << id;
        MEASUREITEMSTRUCT measure = Measure(id);
        EXPECT_EQ(static_cast<UINT>(TextWidth(text) + 18), measure.itemWidth) << id;
        EXPECT_GE(measure.itemHeight, 18u) << id;
        EXPECT_GE(static_cast<int>(measure.itemHeight), MenuFonts().metrics.iMenuHeight) << id;
    }
    MEASUREITEMSTRUCT desk = Measure(reinterpret_cast<ULONG_PTR>(SubmenuAt(ROOT_POSITION_DESKTOP)));
    EXPECT_EQ(static_cast<UINT>(TextWidth(DesktopName) + 18), desk.itemWidth);
    MEASUREITEMSTRUCT tasks = Measure(reinterpret_cast<ULONG_PTR>(SubmenuAt(ROOT_POSITION_TASK_MANAGER)));
    EXPECT_EQ(static_cast<UINT>(TextWidth("&Task Manager (+Shift or +Ctrl = KILL)") + 18), tasks.itemWidth);
}

TEST_F(OwnerDraw, UnknownItemsMeasureNothingAndDrawNothing)
{
    for (ULONG_PTR id : { ULONG_PTR(43), ULONG_PTR(1050), ULONG_PTR(2000), ULONG_PTR(3000), ULONG_PTR(4999),
                          ULONG_PTR(5000), ULONG_PTR(6000) }) {
        MEASUREITEMSTRUCT measure = Measure(id);
        EXPECT_EQ(0u, measure.itemWidth) << id;
        EXPECT_EQ(0u, measure.itemHeight) << id;
        Canvas canvas(ITEM_WIDTH, ITEM_HEIGHT);
        Draw(canvas, id);
        EXPECT_EQ(RGB(1, 2, 3), canvas.At(0, 0)) << id;
        EXPECT_EQ(RGB(1, 2, 3), canvas.At(150, 12)) << id;
    }
}

TEST_F(OwnerDraw, TheIconSitsInItsCellAndTheTextStartsAt21)
{
    struct Item { UINT id; const char* text; HICON icon; };
    const Item items[] = {
        { 26, "&About", Icons.about },
        { 48, "&Exit Windows (Double Click)", Icons.exitWindows },
        { 53, "&Minimize All", Icons.minimizeAll },
        { 151, "CD &Eject", Icons.cdEject },
        { 56, "System &Tray", nullptr },   // not the current placement: no icon
    };
    for (const Item& item : items) {
        Canvas drawn(ITEM_WIDTH, ITEM_HEIGHT), expected(ITEM_WIDTH, ITEM_HEIGHT);
        Draw(drawn, item.id);
        DrawExpected(expected, item.text, item.icon);
        EXPECT_TRUE(SameImage(expected, drawn)) << item.id;
    }
}

TEST_F(OwnerDraw, OnlyThePlacementInForceShowsItsIcon)
{
    const UINT placements[] = { 55, 56, 57, 44 };
    for (int mode = 0; mode < 4; ++mode) {
        ChangeSetting(&SettingsRecord::place, mode);
        for (int i = 0; i < 4; ++i) {
            Canvas canvas(ITEM_WIDTH, ITEM_HEIGHT);
            Draw(canvas, placements[i]);
            EXPECT_EQ(i == mode, IconCellPainted(canvas)) << "mode " << mode << " item " << placements[i];
        }
    }
}

TEST_F(OwnerDraw, ExitShowsTheBallInTheUsersColours)
{
    Canvas drawn(ITEM_WIDTH, ITEM_HEIGHT), expected(ITEM_WIDTH, ITEM_HEIGHT);
    Draw(drawn, 27);
    DrawExpected(expected, "E&xit", ButtonIcons[0]);
    EXPECT_TRUE(SameImage(expected, drawn));
}

TEST_F(OwnerDraw, AGrayedItemIsEmbossed)
{
    Canvas canvas(ITEM_WIDTH, ITEM_HEIGHT);
    Draw(canvas, 42, ODS_GRAYED);
    COLORREF grey = GetSysColor(COLOR_GRAYTEXT), light = GetSysColor(COLOR_3DHILIGHT);
    ASSERT_NE(grey, light);
    int greys = 0, shadowed = 0;
    for (int y = 0; y + 1 < canvas.height(); ++y)
        for (int x = 21; x + 1 < canvas.width(); ++x)
            if (canvas.At(x, y) == grey) {
                ++greys;
                COLORREF below = canvas.At(x + 1, y + 1);
                shadowed += below == light || below == grey;
            }
    EXPECT_GT(greys, 10);
    EXPECT_EQ(greys, shadowed) << "every grey pixel has its highlight copy one pixel down-right";
    EXPECT_EQ(GetSysColor(COLOR_MENU), canvas.At(0, 0)) << "grayed items fill with the menu colour";
}

TEST_F(OwnerDraw, ASelectedItemFillsFromItsLeftEdge)
{
    Canvas canvas(ITEM_WIDTH, ITEM_HEIGHT);
    Draw(canvas, 53, ODS_SELECTED);
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(highlight, canvas.At(0, 0));
    EXPECT_EQ(highlight, canvas.At(1, 12)) << "behind the icon";
    EXPECT_EQ(highlight, canvas.At(ITEM_WIDTH - 1, ITEM_HEIGHT - 1));
    bool highlightText = false;
    for (int x = 21; x < 120 && !highlightText; ++x)
        for (int y = 0; y < ITEM_HEIGHT; ++y)
            highlightText |= canvas.At(x, y) == GetSysColor(COLOR_HIGHLIGHTTEXT);
    EXPECT_TRUE(highlightText);
}

TEST_F(OwnerDraw, ACheckedItemWithAnIconKeepsItsCellOutOfTheFill)
{
    Canvas canvas(ITEM_WIDTH, ITEM_HEIGHT);
    canvas.Fill(RGB(1, 2, 3));
    Draw(canvas, 53, ODS_CHECKED);
    EXPECT_EQ(RGB(1, 2, 3), canvas.At(1, 1)) << "inside the frame, outside the icon";
    EXPECT_EQ(GetSysColor(COLOR_MENU), canvas.At(19, 1)) << "the fill starts right of the cell";
    canvas.Fill(RGB(1, 2, 3));
    Draw(canvas, 53, ODS_CHECKED | ODS_SELECTED);
    EXPECT_EQ(RGB(1, 2, 3), canvas.At(1, 1));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), canvas.At(19, 1));
    canvas.Fill(RGB(1, 2, 3));
    Draw(canvas, 53);
    EXPECT_EQ(GetSysColor(COLOR_MENU), canvas.At(1, 1)) << "unchecked: the fill covers the cell";
}

TEST_F(OwnerDraw, FavouritesMeasureTheProgramAndDrawNameAndParameters)
{
    UseFavourites({ { "C:\\Tools\\app.exe", "-x" }, { "C:\\Tools\\app.exe", "" } });
    char text[MENU_ITEM_TEXT_CAPACITY];
    MenuItemText(3000, true, text, sizeof text);
    EXPECT_STREQ("app.exe -x", text);
    MenuItemText(3001, true, text, sizeof text);
    EXPECT_STREQ("app.exe ", text);
    EXPECT_EQ(static_cast<UINT>(TextWidth("C:\\Tools\\app.exe") + 18), Measure(3000).itemWidth);
    // A missing program shows the system application icon.
    OwnerDrawItem item;
    ResolveMenuItem(3000, true, item);
    EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), item.icon);
    EXPECT_FALSE(item.iconOwned);
    ReleaseMenuItem(item);
}

TEST_F(OwnerDraw, AProgramOnANetworkPathShowsTheGenericIconWithoutAskingTheShare)
{
    WineShare share("vornelhost", "share");
    if (!share.available())
        GTEST_SKIP() << "needs Wine to serve a share";
    std::string program = share.file("app.exe");
    char notepad[MAX_PATH];
    GetSystemDirectoryA(notepad, MAX_PATH);
    ASSERT_TRUE(CopyFileA((std::string(notepad) + "\\notepad.exe").c_str(), program.c_str(), FALSE));
    UseFavourites({ { program, "" } });
    OwnerDrawItem item;
    ResolveMenuItem(3000, true, item);
    EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), item.icon) << "the program is there, but not asked";
    EXPECT_FALSE(item.iconOwned);
    ReleaseMenuItem(item);
}

TEST_F(OwnerDraw, NamesFoundInTheSystemShowEveryAmpersandAndHaveNoMnemonic)
{
    HWND listed = CreateTestWindow("Tom&Jerry");
    PrepareDynamicMenus();
    PlantMenuEntry(ROOT_POSITION_TASK_MANAGER, 0, "Tom&Jerry").window = listed;
    AppendEntryItem(SubmenuAt(ROOT_POSITION_TASK_MANAGER), 2000, false);
    EXPECT_EQ(static_cast<UINT>(TextWidth("Tom&Jerry", DT_NOPREFIX) + 18), Measure(2000).itemWidth);
    Canvas drawn(ITEM_WIDTH, ITEM_HEIGHT), expected(ITEM_WIDTH, ITEM_HEIGHT);
    Draw(drawn, 2000);
    DrawExpected(expected, "Tom&Jerry", GetWindowIcon(listed, true), DT_NOPREFIX);
    EXPECT_TRUE(SameImage(expected, drawn));
    EXPECT_EQ(MNC_IGNORE, HIWORD(OnMenuChar('j', SubmenuAt(ROOT_POSITION_TASK_MANAGER))))
        << "J must not choose the window";
    DestroyWindow(listed);
}

TEST_F(OwnerDraw, DesktopItemsAndSaversDropTheirExtensionWhenDrawn)
{
    PrepareDynamicMenus();
    PlantMenuEntry(ROOT_POSITION_DESKTOP, 0, "Word.lnk", "C:\\Desk\\Word.lnk");
    PlantMenuEntry(ROOT_POSITION_SCREEN_SAVER, 0, "C:\\WINDOWS\\SYSTEM\\Mystify.scr");
    PlantMenuEntry(ROOT_POSITION_SCREEN_SAVER, 1, "C:\\WINDOWS\\SYSTEM\\Other.scr");
    SubmenuRecordAt(ROOT_POSITION_SCREEN_SAVER).marked = 0;
    char text[MENU_ITEM_TEXT_CAPACITY];
    MenuItemText(4000, true, text, sizeof text);
    EXPECT_STREQ("Word", text);
    MenuItemText(4000, false, text, sizeof text);
    EXPECT_STREQ("Word.lnk", text);
    MenuItemText(5000, true, text, sizeof text);
    EXPECT_STREQ("Mystify", text);
    MenuItemText(5000, false, text, sizeof text);
    EXPECT_STREQ("Mystify.scr", text);
    OwnerDrawItem item;
    ResolveMenuItem(5000, false, item);
    EXPECT_TRUE(item.bold) << "the configured saver is drawn in the caption font";
    ResolveMenuItem(5001, false, item);
    EXPECT_FALSE(item.bold);
}

TEST_F(OwnerDraw, DrawingNotesWhichSubmenuIsOnScreenMeasuringDoesNot)
{
    InstalledFixture three("vtthree.cpl");
    FillDynamicSubmenu(ROOT_POSITION_CONTROL_PANEL, window, PopupMenu.itemsPerColumn);
    ASSERT_GT(SubmenuRecordAt(ROOT_POSITION_CONTROL_PANEL).count, 0);
    UINT first = GetMenuItemID(SubmenuAt(ROOT_POSITION_CONTROL_PANEL), 2);
    Popup().lastPopulatedPosition = 0;
    Measure(first);
    EXPECT_EQ(0, PopupMenu.lastPopulatedPosition);
    Canvas canvas(ITEM_WIDTH, ITEM_HEIGHT);
    Draw(canvas, first);
    EXPECT_EQ(8, PopupMenu.lastPopulatedPosition);
    UseFavourites({ { "C:\\x.exe", "" } });
    Draw(canvas, 3000);
    EXPECT_EQ(8, PopupMenu.lastPopulatedPosition) << "favourites leave it alone";
}

TEST_F(OwnerDraw, ExtractedIconsAreDestroyedSharedOnesKept)
{
    OwnerDrawItem item;
    ResolveMenuItem(155, true, item);   // calc.exe's icon, extracted for this drawing
    HICON extracted = item.icon;
    bool owned = item.iconOwned;
    ReleaseMenuItem(item);
    if (extracted) {
        EXPECT_TRUE(owned);
        ICONINFO info;
        EXPECT_FALSE(GetIconInfo(extracted, &info));
    }
    ResolveMenuItem(26, true, item);    // a system icon
    HICON shared = item.icon;
    EXPECT_FALSE(item.iconOwned);
    ReleaseMenuItem(item);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(shared, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST_F(OwnerDraw, TheRealMenuGivesBackTheIconsItDrew)
{
    DrawResourceCounts before = DrawResources();
    MenuDriver driver(window);
    driver.Key(VK_DOWN, 7).Key(VK_RIGHT).Key(VK_ESCAPE, 2);   // the Favourites with "&Edit"
    driver.Run();
    EXPECT_GT(DrawResources().iconsTaken, before.iconsTaken) << "the editor's icon was extracted and drawn";
    EXPECT_EQ(DrawResources().iconsTaken - before.iconsTaken, DrawResources().iconsReleased - before.iconsReleased);
}

static void DrawAll(HWND window, HMENU menu);

TEST_F(OwnerDraw, AnEntrysIconIsTakenAtItsFirstDrawingAndKeptUntilTheNextOpening)
{
    TemporaryDirectory desktop("kept-icons");
    ShellFolderOverride desktopValue("Desktop", desktop.path());
    char notepad[MAX_PATH];
    ASSERT_GT(SearchPathA(nullptr, "notepad.exe", nullptr, MAX_PATH, notepad, nullptr), 0u);
    for (const char* name : { "a.exe", "b.exe" })
        CopyFileA(notepad, desktop.file(name).c_str(), FALSE);
    PrepareDynamicMenus();
    FillDynamicSubmenu(ROOT_POSITION_DESKTOP, window, PopupMenu.itemsPerColumn);
    DrawResourceCounts before = DrawResources();
    for (int drawing = 0; drawing < 3; ++drawing)
        DrawAll(window, SubmenuAt(ROOT_POSITION_DESKTOP));
    EXPECT_EQ(2, DrawResources().iconsTaken - before.iconsTaken) << "once per entry, however often drawn";
    EXPECT_EQ(0, DrawResources().iconsReleased - before.iconsReleased);
    // The favourites live across openings; their icons do not.
    UseFavourites({ { notepad, "" } });
    RebuildFavouritesMenu(window);
    DrawResourceCounts favourites = DrawResources();
    DrawAll(window, SubmenuAt(ROOT_POSITION_FAVOURITES));
    DrawAll(window, SubmenuAt(ROOT_POSITION_FAVOURITES));
    DrawResourceCounts drawn = DrawResources();
    EXPECT_EQ(1, (drawn.iconsTaken - favourites.iconsTaken) - (drawn.iconsReleased - favourites.iconsReleased));
    PrepareDynamicMenus();
    EXPECT_EQ(DrawResources().iconsTaken - before.iconsTaken, DrawResources().iconsReleased - before.iconsReleased);
}

// The desktop entry whose file name is name.
static const MenuEntry& DesktopEntry(const char* name)
{
    DynamicSubmenu& desktop = SubmenuRecordAt(ROOT_POSITION_DESKTOP);
    for (int k = 0; k < desktop.count; ++k) {
        if (lstrcmpiA(desktop.entries[k].text, name) == 0)
            return desktop.entries[k];
    }
    static const MenuEntry none = {};
    ADD_FAILURE() << name << " is not listed";
    return none;
}

TEST_F(OwnerDraw, DocumentsOfOneTypeShareOneIconFilesWithIconsOfTheirOwnAndShortcutsDoNot)
{
    TemporaryDirectory desktop("type-icons");
    ShellFolderOverride desktopValue("Desktop", desktop.path());
    char notepad[MAX_PATH];
    ASSERT_GT(SearchPathA(nullptr, "notepad.exe", nullptr, MAX_PATH, notepad, nullptr), 0u);
    WriteFileText(desktop.file("a.txt"), "text");
    WriteFileText(desktop.file("b.TXT"), "more text");
    CopyFileA(notepad, desktop.file("program.txt").c_str(), FALSE);   // a program under a document's name
    WriteFileText(desktop.file("cursor.txt"), "RIFF, as an animated cursor begins");
    WriteFileText(desktop.file("one.lnk"), "shortcut");
    PrepareDynamicMenus();
    FillDynamicSubmenu(ROOT_POSITION_DESKTOP, window, PopupMenu.itemsPerColumn);
    DrawAll(window, SubmenuAt(ROOT_POSITION_DESKTOP));
    const MenuEntry &a = DesktopEntry("a.txt"), &b = DesktopEntry("b.TXT");
    EXPECT_TRUE(a.iconOfType && b.iconOfType);
    EXPECT_EQ(a.icon, b.icon);
    EXPECT_FALSE(a.iconOwned && b.iconOwned) << "one of them owns it (or neither: no icon for the type)";
    for (const char* own : { "program.txt", "cursor.txt", "one.lnk" })
        EXPECT_FALSE(DesktopEntry(own).iconOfType) << own;
}

// Every item of a submenu drawn as the menu would.
static void DrawAll(HWND window, HMENU menu)
{
    Canvas canvas(ITEM_WIDTH, ITEM_HEIGHT);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_MENU;
        draw.itemID = GetMenuItemID(menu, i);
        draw.hDC = canvas.dc();
        SetRect(&draw.rcItem, 0, 0, ITEM_WIDTH, ITEM_HEIGHT);
        SendMessageA(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    }
}

TEST_F(OwnerDraw, FiveHundredOpeningsGiveBackEverythingTheyTook)
{
    InstalledFixture three("vtthree.cpl");
    TemporaryDirectory desktop("leak-desktop");
    ShellFolderOverride desktopValue("Desktop", desktop.path());
    // Programs on the desktop: each drawing extracts their icons.
    char notepad[MAX_PATH];
    ASSERT_GT(SearchPathA(nullptr, "notepad.exe", nullptr, MAX_PATH, notepad, nullptr), 0u);
    for (int i = 0; i < 5; ++i)
        CopyFileA(notepad, desktop.file(("app" + std::to_string(i) + ".exe").c_str()).c_str(), FALSE);
    HWND listed = CreateTestWindow("listed window");
    DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    DrawResourceCounts before = DrawResources();
    for (int opening = 0; opening < 500; ++opening) {
        PrepareDynamicMenus();
        for (int position : { 5, 6, 8, 9 })
            SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(position, MF_POPUP | MF_HILITE),
                         reinterpret_cast<LPARAM>(PopupMenu.tree.root));
        for (HMENU menu : { PopupMenu.tree.root, SubmenuAt(5), SubmenuAt(6), SubmenuAt(8), SubmenuAt(9) })
            DrawAll(window, menu);
        Popup().lastPopulatedPosition = 0;
    }
    PrepareDynamicMenus();
    long taken = DrawResources().iconsTaken - before.iconsTaken;
    EXPECT_GE(taken, 500 * 5) << "the test must actually extract icons";
    EXPECT_EQ(taken, DrawResources().iconsReleased - before.iconsReleased);
    EXPECT_EQ(DrawResources().librariesLoaded - before.librariesLoaded,
              DrawResources().librariesFreed - before.librariesFreed);
    EXPECT_GT(DrawResources().librariesLoaded - before.librariesLoaded, 0);
    // Where the system counts its objects, they are back where they were.
    if (gdiBefore) {
        EXPECT_EQ(gdiBefore, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
        EXPECT_EQ(userBefore, GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    }
    DestroyWindow(listed);
}

TEST_F(OwnerDraw, MnemonicsChooseOwnerDrawnItems)
{
    LRESULT exit = OnMenuChar('x', PopupMenu.tree.root);
    EXPECT_EQ(MNC_EXECUTE, HIWORD(exit));
    EXPECT_EQ(14, LOWORD(exit));
    LRESULT minimize = OnMenuChar('M', PopupMenu.tree.root);
    EXPECT_EQ(MNC_EXECUTE, HIWORD(minimize));
    EXPECT_EQ(4, LOWORD(minimize));
    LRESULT shared = OnMenuChar('t', PopupMenu.tree.root);   // Task Manager and Tools
    EXPECT_EQ(MNC_SELECT, HIWORD(shared));
    EXPECT_EQ(9, LOWORD(shared));
    EXPECT_EQ(MNC_IGNORE, HIWORD(OnMenuChar('q', PopupMenu.tree.root)));
    EnableMenuItem(PopupMenu.tree.root, 53, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_EQ(MNC_IGNORE, HIWORD(OnMenuChar('m', PopupMenu.tree.root))) << "a greyed item cannot be chosen";
    EnableMenuItem(PopupMenu.tree.root, 53, MF_BYCOMMAND | MF_ENABLED);
}

TEST_F(OwnerDraw, TypingAnUnderlinedLetterInTheOpenMenuChoosesTheItem)
{
    MenuDriver driver(window);
    driver.Then([&] { PostMessageA(window, WM_CHAR, 'm', 0); });
    driver.Run();
    PumpUntil([&] { return !driver.commands.empty(); });
    EXPECT_EQ((std::vector<UINT>{53}), driver.commands);
}
