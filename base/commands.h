// Command identifiers of the popup menu. The menu items send them to the main
// window as WM_COMMAND; double-clicks and the calculator hotkey send some of
// them too. The numbers are fixed: other programs and users' scripts post them.
#ifndef VORNEL_BASE_COMMANDS_H
#define VORNEL_BASE_COMMANDS_H

enum CommandId {
    CMD_ABOUT = 26,
    CMD_EXIT = 27,
    CMD_EDIT_FAVOURITES = 42,
    CMD_PLACE_HOTKEY_ONLY = 44,
    CMD_EXIT_WINDOWS = 48,
    CMD_RESTART_WINDOWS = 49,
    CMD_RESTART_COMPUTER = 50,
    CMD_OPEN_CONTROL_PANEL = 51,
    CMD_FORCE_MODE = 52,
    CMD_MINIMIZE_ALL = 53,
    CMD_PLACE_FLOATING = 55,
    CMD_PLACE_TRAY = 56,
    CMD_PLACE_WINDOW_AND_TRAY = 57,
    CMD_AUTORUN = 58,
    CMD_LARGE_WINDOW = 59,
    CMD_CONFIRMATIONS = 60,
    CMD_COLORS = 61,
    CMD_PROCESSES_LIST = 73,
    CMD_WINDOWS_LIST = 74,
    CMD_SPY_WINDOW = 75,
    CMD_CD_EJECT = 151,
    CMD_CD_CLOSE = 152,
    CMD_CALCULATOR = 155,
    CMD_CONTROL_PANEL_IN_START_MENU = 1015,
    CMD_PRINTERS_IN_START_MENU = 1016,

    // Bases of the dynamic submenus' items: base + k is entry k of the
    // builder's table. Each range holds at most DYNAMIC_RANGE_SIZE items.
    CMD_FIRST_APPLET = 1000,
    CMD_FIRST_WINDOW = 2000,
    CMD_FIRST_FAVOURITE = 3000,
    CMD_FIRST_DESKTOP_ITEM = 4000,
    CMD_FIRST_SCREEN_SAVER = 5000,
};

const int DYNAMIC_RANGE_SIZE = 100;

// True when id lies in the range that starts at base. Item ids of menus
// may be submenu handles, hence the pointer-sized id.
inline bool InCommandRange(ULONG_PTR id, unsigned base)
{
    return id >= base && id < base + DYNAMIC_RANGE_SIZE;
}

#endif
