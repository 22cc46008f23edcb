#include "menus/menu_tree.h"

#include "base/commands.h"
#include "menus/dynamic_submenus.h"
#include "menus/menu_texts.h"
#include "settings/settings_store.h"

// An owner-drawn item: the text pointer becomes the item data; the painter
// finds the text again from the identifier.
static void AppendOwnerDrawn(HMENU menu, UINT_PTR idOrSubmenu, const char* text, UINT extra = 0)
{
    AppendMenuA(menu, MF_OWNERDRAW | extra, idOrSubmenu, text);
}

static void AppendSeparator(HMENU menu)
{
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
}

static void FillTools(HMENU tools)
{
    AppendMenuA(tools, MF_STRING, CMD_WINDOWS_LIST, "&Windows list");
    AppendMenuA(tools, MF_STRING, CMD_PROCESSES_LIST, "&Processes list");
    AppendMenuA(tools, MF_STRING, CMD_SPY_WINDOW, "&Spy window");
    AppendOwnerDrawn(tools, CMD_CALCULATOR, TextCalculator);
    AppendSeparator(tools);
    AppendOwnerDrawn(tools, CMD_CD_EJECT, TextCdEject);
    AppendOwnerDrawn(tools, CMD_CD_CLOSE, TextCdClose);
    AppendSeparator(tools);
    AppendMenuA(tools, MF_STRING, CMD_CONTROL_PANEL_IN_START_MENU, TextControlPanelInStartMenu);
    AppendMenuA(tools, MF_STRING, CMD_PRINTERS_IN_START_MENU, TextPrintersInStartMenu);
}

static void FillOptions(HMENU options)
{
    AppendOwnerDrawn(options, CMD_PLACE_FLOATING, TextFloating);
    AppendOwnerDrawn(options, CMD_PLACE_TRAY, TextTray);
    AppendOwnerDrawn(options, CMD_PLACE_WINDOW_AND_TRAY, TextWindowAndTray);
    AppendOwnerDrawn(options, CMD_PLACE_HOTKEY_ONLY, TextHotkeyOnly);
    AppendSeparator(options);
    AppendMenuA(options, MF_STRING | CheckFlags(Settings.autoRun), CMD_AUTORUN, TextAutoRun);
    AppendMenuA(options, MF_STRING | CheckFlags(Settings.largeSize), CMD_LARGE_WINDOW, TextLargeWindow);
    AppendMenuA(options, MF_STRING | CheckFlags(Settings.confirmation), CMD_CONFIRMATIONS, TextConfirmations);
    AppendMenuA(options, MF_STRING | CheckFlags(Settings.force), CMD_FORCE_MODE, TextForceMode);
    AppendMenuA(options, MF_STRING, CMD_COLORS, "C&olors...");
}

// A dynamic submenu's title: drawn by the program with its icon, or a
// plain string the system draws.
static void AppendSubmenuTitle(HMENU root, const DynamicSubmenu& submenu)
{
    UINT_PTR handle = reinterpret_cast<UINT_PTR>(submenu.menu);
    const SubmenuKind& kind = *submenu.kind;
    if (kind.ownerDrawnTitle)
        AppendOwnerDrawn(root, handle, kind.title(), MF_POPUP);
    else
        AppendMenuA(root, MF_POPUP, handle, kind.title());
}

static void FillRoot(const MenuTree& tree)
{
    AppendOwnerDrawn(tree.root, CMD_EXIT_WINDOWS, TextExitWindows);
    AppendOwnerDrawn(tree.root, CMD_RESTART_WINDOWS, TextRestartWindows);
    AppendOwnerDrawn(tree.root, CMD_RESTART_COMPUTER, TextRestartComputer);
    AppendSeparator(tree.root);
    AppendOwnerDrawn(tree.root, CMD_MINIMIZE_ALL, TextMinimizeAll);
    for (int i = 0; i < DYNAMIC_SUBMENU_COUNT; ++i)
        AppendSubmenuTitle(tree.root, DynamicSubmenuAt(i));
    AppendMenuA(tree.root, MF_POPUP, reinterpret_cast<UINT_PTR>(tree.tools), "&Tools");
    AppendMenuA(tree.root, MF_POPUP, reinterpret_cast<UINT_PTR>(tree.options), "&Options");
    AppendOwnerDrawn(tree.root, CMD_ABOUT, TextAbout);
    AppendSeparator(tree.root);
    AppendOwnerDrawn(tree.root, CMD_EXIT, TextExit);
}

MenuTree BuildMenuTree()
{
    MenuTree tree;
    CreateDynamicSubmenus();
    tree.tools = CreatePopupMenu();
    FillTools(tree.tools);
    tree.options = CreatePopupMenu();
    FillOptions(tree.options);
    tree.root = CreatePopupMenu();
    FillRoot(tree);
    return tree;
}

UINT CheckFlags(LONG setting)
{
    return setting == SETTING_ON ? MF_CHECKED : MF_UNCHECKED;
}

void SetCheckItem(HMENU menu, UINT command, const char* text, LONG setting)
{
    ModifyMenuA(menu, command, MF_BYCOMMAND | MF_STRING | CheckFlags(setting), command, text);
}

void DestroyMenuTree(MenuTree& tree)
{
    static const int Order[] = { ROOT_POSITION_SCREEN_SAVER, ROOT_POSITION_FAVOURITES, ROOT_POSITION_DESKTOP,
                                 ROOT_POSITION_CONTROL_PANEL, ROOT_POSITION_TASK_MANAGER };
    HMENU submenus[DYNAMIC_SUBMENU_COUNT] = {};
    int count = 0;
    for (int position : Order) {
        if (DynamicSubmenu* submenu = DynamicSubmenuAtPosition(position))
            submenus[count++] = submenu->menu;
    }
    ForgetDynamicSubmenus();
    for (int i = 0; i < count; ++i)
        DestroyMenu(submenus[i]);
    DestroyMenu(tree.options);
    DestroyMenu(tree.root);
    tree = MenuTree();   // Tools went with the root
}
