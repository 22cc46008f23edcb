// The popup menu tree: the root menu and its seven submenus, built once at
// start-up and destroyed at exit.
#ifndef VORNEL_MENUS_MENU_TREE_H
#define VORNEL_MENUS_MENU_TREE_H

#include <windows.h>

extern HMENU RootMenu;
extern HMENU ScreenSaverMenu;
extern HMENU DesktopMenu;
extern HMENU FavouritesMenu;
extern HMENU ControlPanelMenu;
extern HMENU TaskManagerMenu;
extern HMENU ToolsMenu;
extern HMENU OptionsMenu;

// Positions in the root menu by which the submenus are recognised when
// they are highlighted.
enum RootMenuPosition {
    ROOT_POSITION_NONE = 0,
    ROOT_POSITION_SCREEN_SAVER = 5,
    ROOT_POSITION_DESKTOP = 6,
    ROOT_POSITION_FAVOURITES = 7,
    ROOT_POSITION_CONTROL_PANEL = 8,
    ROOT_POSITION_TASK_MANAGER = 9,
    ROOT_POSITION_TOOLS = 10,
};

// Fixed texts of the items the program draws itself and of the check items
// whose text is written again when their mark changes.
extern const char TextExitWindows[];
extern const char TextRestartWindows[];
extern const char TextRestartComputer[];
extern const char TextMinimizeAll[];
extern const char TextTaskManager[];
extern const char TextAbout[];
extern const char TextExit[];
extern const char TextCalculator[];
extern const char TextCdEject[];
extern const char TextCdClose[];
extern const char TextControlPanelInStartMenu[];
extern const char TextPrintersInStartMenu[];
extern const char TextFloating[];
extern const char TextTray[];
extern const char TextWindowAndTray[];
extern const char TextHotkeyOnly[];
extern const char TextAutoRun[];
extern const char TextLargeWindow[];
extern const char TextConfirmations[];
extern const char TextForceMode[];
extern const char TextEditFavourites[];
extern const char TextRunControlPanel[];

// Builds the tree, the check items of Options from the settings in force,
// and fills the Favourites submenu last.
void BuildMenuTree(HWND window);

// The flags of a check item for an on/off setting. A setting holds 8, the
// check flag itself, when on; a value edited by hand to anything but 8 or 0
// shows unchecked and is never taken for other menu flags.
UINT CheckFlags(LONG setting);

// Writes a string item again with its text and the check mark of setting.
void SetCheckItem(HMENU menu, UINT command, const char* text, LONG setting);

// Destroys the tree in its fixed order: Screen Saver, Favourites, Desktop,
// Control Panel, Task Manager, Options, then the root with what remains.
void DestroyMenuTree();

#endif
