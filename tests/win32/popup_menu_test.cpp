// The popup menu's life: the lazy submenus emptied at every opening, filled
// on their first highlight and never twice, their tables kept until the
// next opening; the real menu driven by keys inside its own loop.
#include "tests/win32/test_support.h"

#include "menus/menu_tree.h"
#include "app/startup.h"
#include "menus/applet_menu.h"
#include "menus/desktop_menu.h"
#include "menus/popup_menu.h"
#include "menus/screen_saver_menu.h"
#include "menus/task_menu.h"

class PopupMenu : public AppTest {
protected:
    void Highlight(int position)
    {
        SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(position, MF_POPUP | MF_HILITE),
                     reinterpret_cast<LPARAM>(RootMenu));
    }
    void BuildAll()
    {
        for (int position : { 5, 6, 8, 9 })
            Highlight(position);
    }
};

TEST_F(PopupMenu, HighlightingFillsEachLazySubmenuOnce)
{
    HWND titled = CreateTestWindow("listed window");
    Highlight(8);
    int applets = GetMenuItemCount(ControlPanelMenu);
    EXPECT_GE(applets, 2) << "Run... and a separator at least";
    EXPECT_EQ(51u, GetMenuItemID(ControlPanelMenu, 0));
    Highlight(8);
    EXPECT_EQ(applets, GetMenuItemCount(ControlPanelMenu)) << "never twice in one opening";

    Highlight(9);
    int windows = GetMenuItemCount(TaskManagerMenu);
    EXPECT_GE(windows, 1);
    Highlight(9);
    EXPECT_EQ(windows, GetMenuItemCount(TaskManagerMenu));
    EXPECT_EQ(windows, TaskWindowCount);
    DestroyWindow(titled);
}

TEST_F(PopupMenu, HighlightsAreIgnoredWhilePopulatingOrForThePositionOnScreen)
{
    Populating = true;
    Highlight(8);
    EXPECT_EQ(0, GetMenuItemCount(ControlPanelMenu));
    Populating = false;
    LastPopulatedPosition = 8;
    Highlight(8);
    EXPECT_EQ(0, GetMenuItemCount(ControlPanelMenu));
    LastPopulatedPosition = 0;
    Highlight(7);
    Highlight(10);
    EXPECT_EQ(2, GetMenuItemCount(FavouritesMenu)) << "favourites are not rebuilt by a highlight";
}

TEST_F(PopupMenu, TheClosingSelectAndItemsOfOtherMenusBuildNothing)
{
    SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(8, MF_POPUP | MF_HILITE), reinterpret_cast<LPARAM>(ToolsMenu));
    SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(8, MF_HILITE), reinterpret_cast<LPARAM>(RootMenu));
    EXPECT_EQ(0, GetMenuItemCount(ControlPanelMenu));
}

TEST_F(PopupMenu, PreparingEmptiesTheFourAndFreesTheirTables)
{
    HWND titled = CreateTestWindow("listed window");
    BuildAll();
    EXPECT_GT(GetMenuItemCount(ControlPanelMenu), 0);
    EXPECT_GT(TaskWindowCount, 0);
    PrepareDynamicMenus();
    EXPECT_EQ(0, GetMenuItemCount(ScreenSaverMenu));
    EXPECT_EQ(0, GetMenuItemCount(DesktopMenu));
    EXPECT_EQ(0, GetMenuItemCount(ControlPanelMenu));
    EXPECT_EQ(0, GetMenuItemCount(TaskManagerMenu));
    EXPECT_EQ(0, AppletCount);
    EXPECT_EQ(0, TaskWindowCount);
    EXPECT_EQ(0, DesktopItemCount);
    EXPECT_EQ(0, ScreenSaverCount);
    EXPECT_EQ(nullptr, TaskWindowList[0].title) << "the texts are freed";
    EXPECT_EQ(nullptr, AppletList[0].text);
    PrepareDynamicMenus();   // nothing built: nothing to free
    EXPECT_EQ(0, AppletCount);
    DestroyWindow(titled);
}

TEST_F(PopupMenu, ANewAppletAppearsAtTheNextOpening)
{
    Highlight(8);
    int before = GetMenuItemCount(ControlPanelMenu);
    {
        InstalledFixture applets("vtthree.cpl");
        Highlight(8);
        EXPECT_EQ(before, GetMenuItemCount(ControlPanelMenu)) << "not while this opening lasts";
        PrepareDynamicMenus();
        Highlight(8);
        EXPECT_EQ(before + 3, GetMenuItemCount(ControlPanelMenu));
        PrepareDynamicMenus();
    }
}

TEST_F(PopupMenu, FavouritesSurviveOpenings)
{
    WriteStringValue("Item0", "C:\\one.exe");
    DialogScript script("Favourite");
    script.Then([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }).Start();
    SendMessageA(window, WM_COMMAND, 42, 0);   // the list is stored and reloaded after the editor
    PrepareDynamicMenus();
    PrepareDynamicMenus();
    EXPECT_GE(GetMenuItemCount(FavouritesMenu), 2);
    EXPECT_EQ(42u, GetMenuItemID(FavouritesMenu, 0));
}

TEST_F(PopupMenu, TheRealMenuFillsAHighlightedSubmenuAndMarksItPainted)
{
    int itemsWhileOpen = -1, positionWhileOpen = -1;
    MenuDriver driver(window);
    driver.Key(VK_DOWN, 8)          // 0 1 2 (separator) 4 5 6 7 8: the Control Panel
        .Key(VK_RIGHT)
        .Then([&] {
            itemsWhileOpen = GetMenuItemCount(ControlPanelMenu);
            positionWhileOpen = LastPopulatedPosition;
        })
        .Key(VK_ESCAPE, 2);
    driver.Run();
    EXPECT_GE(itemsWhileOpen, 2);
    EXPECT_EQ(8, positionWhileOpen) << "set as soon as its items are painted";
    EXPECT_EQ(0, LastPopulatedPosition) << "reset after the menu closed";
    EXPECT_GE(GetMenuItemCount(ControlPanelMenu), 2) << "the table stays until the next opening";
    EXPECT_TRUE(driver.commands.empty());
}

TEST_F(PopupMenu, AChosenWindowIsHandledAfterTheMenuClosedWithThatOpeningsTable)
{
    HWND target = CreateTestWindow("vornel target window");
    ShowWindow(target, SW_MINIMIZE);
    SetForegroundWindow(window);
    PumpUntil([&] { return GetForegroundWindow() == window; });
    bool targetListed = false;
    int targetIndex = -1;
    MenuDriver driver(window);
    driver.Key(VK_DOWN, 9)          // the Task Manager
        .Key(VK_RIGHT)
        .Then([&] {
            for (int k = 0; k < TaskWindowCount; ++k)
                if (TaskWindowList[k].window == target)
                    targetIndex = k;
            targetListed = targetIndex >= 0;
        });
    // Walk down to the target's item and choose it.
    driver.Then([&] {
        for (int k = 0; k < targetIndex; ++k)
            PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    });
    driver.Key(VK_RETURN);
    driver.Run();
    ASSERT_TRUE(targetListed);
    PumpUntil([&] { return !driver.commands.empty(); });
    ASSERT_EQ(1u, driver.commands.size());
    EXPECT_EQ(static_cast<UINT>(2000 + targetIndex), driver.commands[0]);
    EXPECT_FALSE(IsIconic(target)) << "the chosen window is restored";
    DestroyWindow(target);
}
