#include "menus/menu_tree.h"

#include "base/commands.h"
#include "settings/shell_folder_names.h"
#include "menus/favourites_menu.h"
#include "menus/popup_menu.h"
#include "settings/settings_store.h"

HMENU RootMenu;
HMENU ScreenSaverMenu;
HMENU DesktopMenu;
HMENU FavouritesMenu;
HMENU ControlPanelMenu;
HMENU TaskManagerMenu;
HMENU ToolsMenu;
HMENU OptionsMenu;

const char TextExitWindows[] = "&Exit Windows (Double Click)";
const char TextRestartWindows[] = "Restart &Windows (Shift+Double Click)";
const char TextRestartComputer[] = "Restart &Computer (Ctrl+Double Click)";
const char TextMinimizeAll[] = "&Minimize All";
const char TextTaskManager[] = "&Task Manager (+Shift or +Ctrl = KILL)";
const char TextAbout[] = "&About";
const char TextExit[] = "E&xit";
const char TextCalculator[] = "&Calculator";
const char TextCdEject[] = "CD &Eject";
const char TextCdClose[] = "C&D Close";
const char TextControlPanelInStartMenu[] = "C&ontrol Panel in Start Menu";
const char TextPrintersInStartMenu[] = "&Printers in Start Menu";
const char TextFloating[] = "&Floating window";
const char TextTray[] = "System &Tray";
const char TextWindowAndTray[] = "&Window and System Tray";
const char TextHotkeyOnly[] = "&Hotkey only (Ctrl+Shift+Delete)";
const char TextAutoRun[] = "&AutoRun";
const char TextLargeWindow[] = "&Large Window";
const char TextConfirmations[] = "&Confirmations (Exit and Restart)";
const char TextForceMode[] = "Force &Mode";
const char TextEditFavourites[] = "&Edit";
const char TextRunControlPanel[] = "&Run...";

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

static void FillTools()
{
    AppendMenuA(ToolsMenu, MF_STRING, CMD_WINDOWS_LIST, "&Windows list");
    AppendMenuA(ToolsMenu, MF_STRING, CMD_PROCESSES_LIST, "&Processes list");
    AppendMenuA(ToolsMenu, MF_STRING, CMD_SPY_WINDOW, "&Spy window");
    AppendOwnerDrawn(ToolsMenu, CMD_CALCULATOR, TextCalculator);
    AppendSeparator(ToolsMenu);
    AppendOwnerDrawn(ToolsMenu, CMD_CD_EJECT, TextCdEject);
    AppendOwnerDrawn(ToolsMenu, CMD_CD_CLOSE, TextCdClose);
    AppendSeparator(ToolsMenu);
    AppendMenuA(ToolsMenu, MF_STRING, CMD_CONTROL_PANEL_IN_START_MENU, TextControlPanelInStartMenu);
    AppendMenuA(ToolsMenu, MF_STRING, CMD_PRINTERS_IN_START_MENU, TextPrintersInStartMenu);
}

static void FillOptions()
{
    AppendOwnerDrawn(OptionsMenu, CMD_PLACE_FLOATING, TextFloating);
    AppendOwnerDrawn(OptionsMenu, CMD_PLACE_TRAY, TextTray);
    AppendOwnerDrawn(OptionsMenu, CMD_PLACE_WINDOW_AND_TRAY, TextWindowAndTray);
    AppendOwnerDrawn(OptionsMenu, CMD_PLACE_HOTKEY_ONLY, TextHotkeyOnly);
    AppendSeparator(OptionsMenu);
    AppendMenuA(OptionsMenu, MF_STRING | CheckFlags(Settings.autoRun), CMD_AUTORUN, TextAutoRun);
    AppendMenuA(OptionsMenu, MF_STRING | CheckFlags(Settings.largeSize), CMD_LARGE_WINDOW, TextLargeWindow);
    AppendMenuA(OptionsMenu, MF_STRING | CheckFlags(Settings.confirmation), CMD_CONFIRMATIONS,
                TextConfirmations);
    AppendMenuA(OptionsMenu, MF_STRING | CheckFlags(Settings.force), CMD_FORCE_MODE, TextForceMode);
    AppendMenuA(OptionsMenu, MF_STRING, CMD_COLORS, "C&olors...");
}

static void FillRoot()
{
    AppendOwnerDrawn(RootMenu, CMD_EXIT_WINDOWS, TextExitWindows);
    AppendOwnerDrawn(RootMenu, CMD_RESTART_WINDOWS, TextRestartWindows);
    AppendOwnerDrawn(RootMenu, CMD_RESTART_COMPUTER, TextRestartComputer);
    AppendSeparator(RootMenu);
    AppendOwnerDrawn(RootMenu, CMD_MINIMIZE_ALL, TextMinimizeAll);
    AppendMenuA(RootMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(ScreenSaverMenu),
                "&Screen Saver (+Ctrl = Set Default)");
    AppendOwnerDrawn(RootMenu, reinterpret_cast<UINT_PTR>(DesktopMenu), DesktopName, MF_POPUP);
    AppendMenuA(RootMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(FavouritesMenu), "&Favourites");
    AppendMenuA(RootMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(ControlPanelMenu), ControlPanelName);
    AppendOwnerDrawn(RootMenu, reinterpret_cast<UINT_PTR>(TaskManagerMenu), TextTaskManager, MF_POPUP);
    AppendMenuA(RootMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(ToolsMenu), "&Tools");
    AppendMenuA(RootMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(OptionsMenu), "&Options");
    AppendOwnerDrawn(RootMenu, CMD_ABOUT, TextAbout);
    AppendSeparator(RootMenu);
    AppendOwnerDrawn(RootMenu, CMD_EXIT, TextExit);
}

void BuildMenuTree(HWND window)
{
    ControlPanelMenu = CreatePopupMenu();
    TaskManagerMenu = CreatePopupMenu();
    FavouritesMenu = CreatePopupMenu();
    DesktopMenu = CreatePopupMenu();
    ScreenSaverMenu = CreatePopupMenu();
    ToolsMenu = CreatePopupMenu();
    FillTools();
    OptionsMenu = CreatePopupMenu();
    FillOptions();
    RootMenu = CreatePopupMenu();
    FillRoot();
    // A new tree has empty lazy submenus; tables left from an earlier tree
    // would describe menus that no longer exist.
    PrepareDynamicMenus();
    RebuildFavouritesMenu(window);
}

UINT CheckFlags(LONG setting)
{
    return setting == SETTING_ON ? MF_CHECKED : MF_UNCHECKED;
}

void SetCheckItem(HMENU menu, UINT command, const char* text, LONG setting)
{
    ModifyMenuA(menu, command, MF_BYCOMMAND | MF_STRING | CheckFlags(setting), command, text);
}

void DestroyMenuTree()
{
    HMENU* order[] = { &ScreenSaverMenu, &FavouritesMenu, &DesktopMenu, &ControlPanelMenu,
                       &TaskManagerMenu, &OptionsMenu, &RootMenu };
    for (HMENU* menu : order) {
        DestroyMenu(*menu);
        *menu = nullptr;
    }
    ToolsMenu = nullptr;   // destroyed with the root
}
