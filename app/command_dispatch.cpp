#include "app/command_dispatch.h"

#include "actions/end_session.h"
#include "actions/shell_commands.h"
#include "actions/window_actions.h"
#include "app/placement.h"
#include "app/shutdown.h"
#include "base/commands.h"
#include "dialogs/about/about_box.h"
#include "dialogs/calculator/calculator_dialog.h"
#include "dialogs/colours/colours_dialog.h"
#include "dialogs/favourites/favourites_dialog.h"
#include "dialogs/processes_list/processes_list.h"
#include "dialogs/spy_window/spy_window.h"
#include "dialogs/windows_list/windows_list.h"
#include "menus/dynamic_submenus.h"
#include "menus/menu_texts.h"
#include "menus/popup_menu.h"
#include "settings/autorun.h"
#include "settings/favourites_store.h"
#include "settings/settings_store.h"
#include "settings/shell_folder_names.h"
#include "settings/start_menu_folders.h"
#include "ui/tray_icon.h"

// What the spy keeps between its openings.
static SpyWindowState SpyState;

struct OptionToggle {
    UINT command;
    int32_t SettingsRecord::*field;
    const char* text;
};

//  command              setting                          item text
static const OptionToggle OptionToggles[] = {
    { CMD_FORCE_MODE,    &SettingsRecord::force,          TextForceMode },
    { CMD_AUTORUN,       &SettingsRecord::autoRun,        TextAutoRun },
    { CMD_LARGE_WINDOW,  &SettingsRecord::largeSize,      TextLargeWindow },
    { CMD_CONFIRMATIONS, &SettingsRecord::confirmation,   TextConfirmations },
};

static void ToggleOption(HWND window, UINT command)
{
    for (const OptionToggle& toggle : OptionToggles) {
        if (toggle.command != command)
            continue;
        int32_t value = ToggledSetting(Settings.*toggle.field);
        // AutoRun is on only when the Run entry could be written.
        if (command == CMD_AUTORUN && !SetAutoRun(value != SETTING_OFF))
            value = SETTING_OFF;
        ChangeSetting(toggle.field, value);
        UpdateOptionCheck(command, toggle.text, Settings.*toggle.field);
        SaveSettings(window);
        if (command == CMD_LARGE_WINDOW)
            PlaceButtonWindow(window);
    }
}

static void ToggleStartMenuFolder(const char* name, const char* classId)
{
    bool exists = StartMenuFolder(name, classId, START_MENU_TEST);
    StartMenuFolder(name, classId, exists ? START_MENU_REMOVE : START_MENU_CREATE);
}

static void EditFavourites(HWND window)
{
    EnableEditFavourites(false);
    FavouriteListRecord edited;
    FavouritesEditOutcome outcome = EditFavouriteList(window, FavouriteList, edited);
    // The editor already open keeps its item greyed until it ends.
    if (outcome == FAVOURITES_EDITOR_BUSY)
        return;
    if (outcome == FAVOURITES_COMMITTED)
        TakeFavourites(edited);
    // Stored whichever way the editor ended, then read back in its order.
    SaveFavourites();
    LoadFavourites();
    RebuildFavouritesMenu(window);
    EnableEditFavourites(true);
}

static void OpenColours(HWND window)
{
    ColourScheme scheme = CurrentColourScheme();
    if (!EditColours(window, scheme))
        return;
    ChangeColourScheme(scheme);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    SaveSettings(window);
    RefreshButtonIcons(window);
    KeepReachable(window);   // the tray icon was added again
}

static void OpenSpy(HWND window)
{
    SpyState.colourAsHex = Settings.colourAsHex;
    if (!ShowSpyWindow(window, SpyState))
        return;
    // The spy window may have switched how it shows colours.
    ChangeSetting(&SettingsRecord::colourAsHex, SpyState.colourAsHex);
    SaveSettings(window);
}

// An entry of a dynamic submenu, with the table its builder made for the
// opening in which it was chosen.
static bool DispatchDynamicCommand(HWND window, UINT command)
{
    const DynamicSubmenu* submenu = DynamicSubmenuOf(command);
    if (!submenu)
        return false;
    submenu->kind->run(*submenu, window, static_cast<int>(command - submenu->kind->base));
    return true;
}

bool DispatchCommand(HWND window, UINT command)
{
    switch (command) {
    case CMD_ABOUT:                 ShowAboutBox(window); break;
    case CMD_EXIT:                  ShutdownApplication(window); break;
    case CMD_EDIT_FAVOURITES:       EditFavourites(window); break;
    case CMD_PLACE_FLOATING:        ChangePlacement(window, Floating); break;
    case CMD_PLACE_TRAY:            ChangePlacement(window, TrayOnly); break;
    case CMD_PLACE_WINDOW_AND_TRAY: ChangePlacement(window, WindowAndTray); break;
    case CMD_PLACE_HOTKEY_ONLY:     ChangePlacement(window, HotkeyOnly); break;
    case CMD_EXIT_WINDOWS:          EndSession(window, END_SESSION_SHUTDOWN); break;
    case CMD_RESTART_WINDOWS:       EndSession(window, END_SESSION_LOGOFF); break;
    case CMD_RESTART_COMPUTER:      EndSession(window, END_SESSION_REBOOT); break;
    case CMD_OPEN_CONTROL_PANEL:    OpenControlPanel(window); break;
    case CMD_FORCE_MODE:
    case CMD_AUTORUN:
    case CMD_LARGE_WINDOW:
    case CMD_CONFIRMATIONS:         ToggleOption(window, command); break;
    case CMD_MINIMIZE_ALL:          MinimizeAll(window); break;
    case CMD_COLORS:                OpenColours(window); break;
    case CMD_PROCESSES_LIST:        ShowProcessesList(window); break;
    case CMD_WINDOWS_LIST:          ShowWindowsList(window); break;
    case CMD_SPY_WINDOW:            OpenSpy(window); break;
    case CMD_CD_EJECT:              OpenCdTray(window); break;
    case CMD_CD_CLOSE:              CloseCdTray(window); break;
    case CMD_CALCULATOR:            ShowCalculator(window); break;
    case CMD_CONTROL_PANEL_IN_START_MENU: ToggleStartMenuFolder(ControlPanelName, ControlPanelClassId); break;
    case CMD_PRINTERS_IN_START_MENU:      ToggleStartMenuFolder(PrintersName, PrintersClassId); break;
    default:                        return DispatchDynamicCommand(window, command);
    }
    return true;
}
