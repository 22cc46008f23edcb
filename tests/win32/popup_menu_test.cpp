// The popup menu's life: the lazy submenus emptied at every opening, filled
// on their first highlight and never twice, their tables kept until the
// next opening; the real menu driven by keys inside its own loop.
#include "tests/win32/test_support.h"

#include "app/hotkeys.h"
#include "app/startup.h"
#include "menus/popup_menu.h"
#include "ui/tray_icon.h"

// The popup menu's record, to set up what the menu loop would.
static PopupMenuRecord& Popup()
{
    return const_cast<PopupMenuRecord&>(PopupMenu);
}

static HMENU ControlPanel() { return SubmenuAt(ROOT_POSITION_CONTROL_PANEL); }
static DynamicSubmenu& Tasks() { return SubmenuRecordAt(ROOT_POSITION_TASK_MANAGER); }

class PopupMenuLife : public AppTest {
protected:
    void Highlight(int position)
    {
        SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(position, MF_POPUP | MF_HILITE),
                     reinterpret_cast<LPARAM>(PopupMenu.tree.root));
    }
    void BuildAll()
    {
        for (int position : { 5, 6, 8, 9 })
            Highlight(position);
    }
};

TEST_F(PopupMenuLife, HighlightingFillsEachLazySubmenuOnce)
{
    HWND titled = CreateTestWindow("listed window");
    Highlight(8);
    int applets = GetMenuItemCount(ControlPanel());
    EXPECT_GE(applets, 2) << "Run... and a separator at least";
    EXPECT_EQ(51u, GetMenuItemID(ControlPanel(), 0));
    Highlight(8);
    EXPECT_EQ(applets, GetMenuItemCount(ControlPanel())) << "never twice in one opening";

    Highlight(9);
    int windows = GetMenuItemCount(Tasks().menu);
    EXPECT_GE(windows, 1);
    Highlight(9);
    EXPECT_EQ(windows, GetMenuItemCount(Tasks().menu));
    EXPECT_EQ(windows, Tasks().count);
    DestroyWindow(titled);
}

TEST_F(PopupMenuLife, HighlightsAreIgnoredWhilePopulatingOrForThePositionOnScreen)
{
    Popup().populating = true;
    Highlight(8);
    EXPECT_EQ(0, GetMenuItemCount(ControlPanel()));
    Popup().populating = false;
    Popup().lastPopulatedPosition = 8;
    Highlight(8);
    EXPECT_EQ(0, GetMenuItemCount(ControlPanel()));
    Popup().lastPopulatedPosition = 0;
    Highlight(7);
    Highlight(10);
    EXPECT_EQ(2, GetMenuItemCount(SubmenuAt(ROOT_POSITION_FAVOURITES))) << "favourites are not rebuilt by a highlight";
}

TEST_F(PopupMenuLife, TheClosingSelectAndItemsOfOtherMenusBuildNothing)
{
    SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(8, MF_POPUP | MF_HILITE), reinterpret_cast<LPARAM>(PopupMenu.tree.tools));
    SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(8, MF_HILITE), reinterpret_cast<LPARAM>(PopupMenu.tree.root));
    EXPECT_EQ(0, GetMenuItemCount(ControlPanel()));
}

TEST_F(PopupMenuLife, PreparingEmptiesTheFourAndFreesTheirTables)
{
    HWND titled = CreateTestWindow("listed window");
    BuildAll();
    EXPECT_GT(GetMenuItemCount(ControlPanel()), 0);
    EXPECT_GT(Tasks().count, 0);
    PrepareDynamicMenus();
    EXPECT_EQ(0, GetMenuItemCount(SubmenuAt(ROOT_POSITION_SCREEN_SAVER)));
    EXPECT_EQ(0, GetMenuItemCount(SubmenuAt(ROOT_POSITION_DESKTOP)));
    EXPECT_EQ(0, GetMenuItemCount(ControlPanel()));
    EXPECT_EQ(0, GetMenuItemCount(Tasks().menu));
    for (int position : { 5, 6, 8, 9 })
        EXPECT_EQ(0, SubmenuRecordAt(position).count) << position;
    EXPECT_EQ(nullptr, Tasks().entries[0].text) << "the texts are freed";
    EXPECT_EQ(nullptr, SubmenuRecordAt(ROOT_POSITION_CONTROL_PANEL).entries[0].text);
    PrepareDynamicMenus();   // nothing built: nothing to free
    EXPECT_EQ(0, SubmenuRecordAt(ROOT_POSITION_CONTROL_PANEL).count);
    DestroyWindow(titled);
}

TEST_F(PopupMenuLife, ANewAppletAppearsAtTheNextOpening)
{
    Highlight(8);
    int before = GetMenuItemCount(ControlPanel());
    {
        InstalledFixture applets("vtthree.cpl");
        Highlight(8);
        EXPECT_EQ(before, GetMenuItemCount(ControlPanel())) << "not while this opening lasts";
        PrepareDynamicMenus();
        Highlight(8);
        EXPECT_EQ(before + 3, GetMenuItemCount(ControlPanel()));
        PrepareDynamicMenus();
    }
}

TEST_F(PopupMenuLife, FavouritesSurviveOpenings)
{
    WriteStringValue("Item0", "C:\\one.exe");
    DialogScript script("Favourite");
    script.Then([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }).Start();
    SendMessageA(window, WM_COMMAND, 42, 0);   // the list is stored and reloaded after the editor
    PrepareDynamicMenus();
    PrepareDynamicMenus();
    EXPECT_GE(GetMenuItemCount(SubmenuAt(ROOT_POSITION_FAVOURITES)), 2);
    EXPECT_EQ(42u, GetMenuItemID(SubmenuAt(ROOT_POSITION_FAVOURITES), 0));
}

TEST_F(PopupMenuLife, TheRealMenuFillsAHighlightedSubmenuAndMarksItPainted)
{
    int itemsWhileOpen = -1, positionWhileOpen = -1;
    MenuDriver driver(window);
    driver.Key(VK_DOWN, 8)          // 0 1 2 (separator) 4 5 6 7 8: the Control Panel
        .Key(VK_RIGHT)
        .Then([&] {
            itemsWhileOpen = GetMenuItemCount(ControlPanel());
            positionWhileOpen = PopupMenu.lastPopulatedPosition;
        })
        .Key(VK_ESCAPE, 2);
    driver.Run();
    EXPECT_GE(itemsWhileOpen, 2);
    EXPECT_EQ(8, positionWhileOpen) << "set as soon as its items are painted";
    EXPECT_EQ(0, PopupMenu.lastPopulatedPosition) << "reset after the menu closed";
    EXPECT_GE(GetMenuItemCount(ControlPanel()), 2) << "the table stays until the next opening";
    EXPECT_TRUE(driver.commands.empty());
}

TEST_F(PopupMenuLife, RequestsForTheMenuWhileItIsOpenLeaveItsSubmenusAlone)
{
    int itemsBefore = -1, itemsAfter = -1;
    MenuDriver driver(window);
    driver.Key(VK_DOWN, 8)          // the Control Panel
        .Key(VK_RIGHT)
        .Then([&] {
            itemsBefore = GetMenuItemCount(ControlPanel());
            // The menu's loop dispatches both while the menu is open.
            SendMessageA(window, WM_HOTKEY, HOTKEY_MENU, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_DELETE));
            SendMessageA(window, MSG_TRAY_CALLBACK, TRAY_ICON_ID, WM_RBUTTONDOWN);
            itemsAfter = GetMenuItemCount(ControlPanel());
        })
        .Key(VK_ESCAPE, 2);
    driver.Run();
    EXPECT_GE(itemsBefore, 2);
    EXPECT_EQ(itemsBefore, itemsAfter) << "the submenu on screen was not emptied";
    EXPECT_FALSE(PopupMenu.open);
}

TEST_F(PopupMenuLife, TheCalculatorKeyWaitsUntilTheMenuHasClosed)
{
    size_t commandsWhileOpen = 99;
    MenuDriver driver(window);
    CommandRecorder recorder(window, true);   // the calculator itself is not opened
    driver.Then([&] { SendMessageA(window, WM_HOTKEY, HOTKEY_CALCULATOR, MAKELPARAM(MOD_CONTROL, 192)); })
        .Then([&] { commandsWhileOpen = recorder.commands.size(); });
    driver.Run();
    EXPECT_EQ(0u, commandsWhileOpen);
    EXPECT_TRUE(PumpUntil([&] { return !recorder.commands.empty(); }));
    EXPECT_EQ((std::vector<UINT>{155}), recorder.commands);
}

TEST_F(PopupMenuLife, AChosenWindowIsHandledAfterTheMenuClosedWithThatOpeningsTable)
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
            for (int k = 0; k < Tasks().count; ++k)
                if (Tasks().entries[k].window == target)
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
