// The popup menu tree as built at start-up: every item's position, kind,
// identifier or submenu, text and check mark.
#include "tests/win32/test_support.h"

#include "menus/popup_menu.h"
#include "settings/shell_folder_names.h"

enum Kind { OWNER, STRING, CHECK, SEPARATOR, POPUP_STRING, POPUP_OWNER };

struct ExpectedItem {
    Kind kind;
    UINT id;            // command id; 0 for separators and popups
    const char* text;   // for owner-drawn items: the text handed over as item data
    HMENU submenu;
    bool checked;
};

static void ExpectMenu(HMENU menu, const std::vector<ExpectedItem>& items, const char* name)
{
    ASSERT_EQ(static_cast<int>(items.size()), GetMenuItemCount(menu)) << name;
    for (size_t i = 0; i < items.size(); ++i) {
        const ExpectedItem& expected = items[i];
        SCOPED_TRACE(std::string(name) + " position " + std::to_string(i));
        char text[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STATE | MIIM_DATA;
        ASSERT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
        bool owner = (info.fType & MFT_OWNERDRAW) != 0;
        switch (expected.kind) {
        case SEPARATOR:
            EXPECT_TRUE(info.fType & MFT_SEPARATOR);
            continue;
        case OWNER:
        case POPUP_OWNER:
            EXPECT_TRUE(owner);
            ASSERT_NE(0u, info.dwItemData);
            EXPECT_STREQ(expected.text, reinterpret_cast<const char*>(info.dwItemData));
            break;
        case STRING:
        case CHECK:
        case POPUP_STRING:
            EXPECT_FALSE(owner);
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(expected.text, text);
            break;
        }
        if (expected.submenu) {
            EXPECT_EQ(expected.submenu, info.hSubMenu);
        } else {
            EXPECT_EQ(nullptr, info.hSubMenu);
            EXPECT_EQ(expected.id, info.wID);
        }
        EXPECT_EQ(expected.checked, (info.fState & MFS_CHECKED) != 0);
    }
}

class MenuTreeTest : public AppTest {};

TEST_F(MenuTreeTest, RootHoldsFifteenItemsInOrder)
{
    ExpectMenu(PopupMenu.tree.root, {
        { OWNER, 48, "&Exit Windows (Double Click)", nullptr, false },
        { OWNER, 49, "Restart &Windows (Shift+Double Click)", nullptr, false },
        { OWNER, 50, "Restart &Computer (Ctrl+Double Click)", nullptr, false },
        { SEPARATOR, 0, nullptr, nullptr, false },
        { OWNER, 53, "&Minimize All", nullptr, false },
        { POPUP_STRING, 0, "&Screen Saver (+Ctrl = Set Default)", SubmenuAt(ROOT_POSITION_SCREEN_SAVER), false },
        { POPUP_OWNER, 0, DesktopName, SubmenuAt(ROOT_POSITION_DESKTOP), false },
        { POPUP_STRING, 0, "&Favourites", SubmenuAt(ROOT_POSITION_FAVOURITES), false },
        { POPUP_STRING, 0, ControlPanelName, SubmenuAt(ROOT_POSITION_CONTROL_PANEL), false },
        { POPUP_OWNER, 0, "&Task Manager (+Shift or +Ctrl = KILL)", SubmenuAt(ROOT_POSITION_TASK_MANAGER), false },
        { POPUP_STRING, 0, "&Tools", PopupMenu.tree.tools, false },
        { POPUP_STRING, 0, "&Options", PopupMenu.tree.options, false },
        { OWNER, 26, "&About", nullptr, false },
        { SEPARATOR, 0, nullptr, nullptr, false },
        { OWNER, 27, "E&xit", nullptr, false },
    }, "root");
}

TEST_F(MenuTreeTest, ToolsAndOptionsInOrder)
{
    ExpectMenu(PopupMenu.tree.tools, {
        { STRING, 74, "&Windows list", nullptr, false },
        { STRING, 73, "&Processes list", nullptr, false },
        { STRING, 75, "&Spy window", nullptr, false },
        { OWNER, 155, "&Calculator", nullptr, false },
        { SEPARATOR, 0, nullptr, nullptr, false },
        { OWNER, 151, "CD &Eject", nullptr, false },
        { OWNER, 152, "C&D Close", nullptr, false },
        { SEPARATOR, 0, nullptr, nullptr, false },
        { STRING, 1015, "C&ontrol Panel in Start Menu", nullptr, false },
        { STRING, 1016, "&Printers in Start Menu", nullptr, false },
    }, "tools");
    ExpectMenu(PopupMenu.tree.options, {
        { OWNER, 55, "&Floating window", nullptr, false },
        { OWNER, 56, "System &Tray", nullptr, false },
        { OWNER, 57, "&Window and System Tray", nullptr, false },
        { OWNER, 44, "&Hotkey only (Ctrl+Shift+Delete)", nullptr, false },
        { SEPARATOR, 0, nullptr, nullptr, false },
        { CHECK, 58, "&AutoRun", nullptr, false },
        { CHECK, 59, "&Large Window", nullptr, false },
        { CHECK, 60, "&Confirmations (Exit and Restart)", nullptr, true },
        { CHECK, 52, "Force &Mode", nullptr, false },
        { STRING, 61, "C&olors...", nullptr, false },
    }, "options");
}

TEST_F(MenuTreeTest, LazySubmenusStartEmptyFavouritesHoldTheirFixedItems)
{
    EXPECT_EQ(0, GetMenuItemCount(SubmenuAt(ROOT_POSITION_SCREEN_SAVER)));
    EXPECT_EQ(0, GetMenuItemCount(SubmenuAt(ROOT_POSITION_DESKTOP)));
    EXPECT_EQ(0, GetMenuItemCount(SubmenuAt(ROOT_POSITION_CONTROL_PANEL)));
    EXPECT_EQ(0, GetMenuItemCount(SubmenuAt(ROOT_POSITION_TASK_MANAGER)));
    ExpectMenu(SubmenuAt(ROOT_POSITION_FAVOURITES), {
        { OWNER, 42, "&Edit", nullptr, false },
        { SEPARATOR, 0, nullptr, nullptr, false },
    }, "favourites");
}

class MenuTreeFromSettings : public AppTest {
    void BeforeStart() override
    {
        int32_t on = 8, off = 0, odd = 0x38;
        WriteBinaryValue("AutoRun", &on, 4);
        WriteBinaryValue("LargeSize", &on, 4);
        WriteBinaryValue("Confirmation", &off, 4);
        WriteBinaryValue("Force", &odd, 4);
    }
};

TEST_F(MenuTreeFromSettings, ChecksFollowTheStoredSettingsAndOddValuesStayPlainItems)
{
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(PopupMenu.tree.options, 58, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(PopupMenu.tree.options, 59, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(0u, GetMenuState(PopupMenu.tree.options, 60, MF_BYCOMMAND) & MF_CHECKED);
    // 0x38 would carry the popup and column-break flags if passed as flags.
    UINT force = GetMenuState(PopupMenu.tree.options, 52, MF_BYCOMMAND);
    EXPECT_EQ(0u, force & (MF_CHECKED | MF_POPUP | MF_MENUBARBREAK | MF_MENUBREAK));
    EXPECT_EQ(10, GetMenuItemCount(PopupMenu.tree.options));
}
