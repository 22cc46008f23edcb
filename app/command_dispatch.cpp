#include "app/command_dispatch.h"

#include "about/about_box.h"
#include "actions/end_session.h"
#include "actions/shell_commands.h"
#include "actions/window_actions.h"
#include "app/startup.h"
#include "base/commands.h"
#include "base/system_libraries.h"
#include "menus/dynamic_submenus.h"
#include "favourites/favourites_dialog.h"
#include "menus/favourites_menu.h"
#include "menus/menu_tree.h"
#include "res/resource.h"
#include "settings/autorun.h"
#include "settings/favourites_store.h"
#include "settings/settings_store.h"
#include "settings/shell_folder_names.h"
#include "settings/start_menu_folders.h"
#include "tools/calculator_dialog.h"
#include "tools/processes_list.h"
#include "tools/spy_window.h"
#include "tools/windows_list.h"
#include "ui/colours_dialog.h"
#include "ui/tray_icon.h"

bool SpyOpen;
bool ColoursOpen;

static INT_PTR OpenDialog(HWND window, int templateId, DLGPROC procedure)
{
    return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(templateId), window, procedure, 0);
}

static int32_t* ToggleField(UINT command, const char** text)
{
    switch (command) {
    case CMD_FORCE_MODE:    *text = TextForceMode;     return &Settings.force;
    case CMD_AUTORUN:       *text = TextAutoRun;       return &Settings.autoRun;
    case CMD_LARGE_WINDOW:  *text = TextLargeWindow;   return &Settings.largeSize;
    case CMD_CONFIRMATIONS: *text = TextConfirmations; return &Settings.confirmation;
    }
    return nullptr;
}

static void ToggleOption(HWND window, UINT command)
{
    const char* text = nullptr;
    int32_t* field = ToggleField(command, &text);
    *field = ToggledSetting(*field);
    SetCheckItem(OptionsMenu, command, text, *field);
    SaveSettings(window);
    if (command == CMD_AUTORUN)
        SetAutoRun();
    else if (command == CMD_LARGE_WINDOW)
        PlaceButtonWindow(window);
}

static void ChangePlacement(HWND window, int32_t mode)
{
    Settings.place = mode;
    ShowForPlacement(window);
    if (PlacementHasTrayIcon(mode))
        AddTrayIcon(window);
    else
        RemoveTrayIcon(window);
}

static void ToggleStartMenuFolder(const char* name, const char* classId)
{
    bool exists = StartMenuFolder(name, classId, START_MENU_TEST);
    StartMenuFolder(name, classId, exists ? START_MENU_REMOVE : START_MENU_CREATE);
}

static void EditFavourites(HWND window)
{
    EnableMenuItem(RootMenu, CMD_EDIT_FAVOURITES, MF_BYCOMMAND | MF_GRAYED);
    OpenDialog(window, IDD_FAVOURITES, FavouritesDlgProc);
    // Stored whichever way the dialog ended, then read back in its order.
    SaveFavourites();
    RebuildFavouritesMenu(window);
    EnableMenuItem(RootMenu, CMD_EDIT_FAVOURITES, MF_BYCOMMAND | MF_ENABLED);
}

static void OpenColours(HWND window)
{
    if (ColoursOpen)
        return;
    ColoursOpen = true;
    // The sliders are common controls: without their library there is no dialog.
    if (LoadCommonControls() && OpenDialog(window, IDD_COLOURS, ColoursDlgProc) == IDOK) {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
        SaveSettings(window);
        RefreshButtonIcons(window);
    }
    ColoursOpen = false;
}

static void OpenSpy(HWND window)
{
    if (SpyOpen)
        return;
    SpyOpen = true;
    OpenDialog(window, IDD_SPY, SpyDlgProc);
    // The spy window may have switched how it shows colours.
    SaveSettings(window);
    SpyOpen = false;
}

// The list tools' templates name list-view and tree-view controls, which
// exist only once comctl32 is loaded; without it they do not open.
static void OpenListDialog(HWND window, int templateId, DLGPROC procedure)
{
    if (LoadCommonControls())
        OpenDialog(window, templateId, procedure);
}

static void OpenCalculator(HWND window)
{
    if (CalculatorOpen)
        return;
    HWND previous = GetForegroundWindow();
    OpenDialog(window, IDD_CALCULATOR, CalculatorDlgProc);
    CalculatorOpen = false;
    SetForegroundWindow(previous);
}

// An entry of a dynamic submenu, with the table its builder made for the
// opening in which it was chosen.
static bool DispatchDynamicCommand(HWND window, UINT command)
{
    const DynamicSubmenu* submenu = DynamicSubmenuOf(command);
    if (!submenu)
        return false;
    submenu->run(window, static_cast<int>(command - submenu->base));
    return true;
}

bool DispatchCommand(HWND window, UINT command)
{
    switch (command) {
    case CMD_ABOUT:                 OpenDialog(window, IDD_ABOUT, AboutDlgProc); break;
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
    case CMD_PROCESSES_LIST:        if (!ProcessListHandle) OpenListDialog(window, IDD_PROCESSES_LIST, ProcessesListDlgProc); break;
    case CMD_WINDOWS_LIST:          if (!WindowTreeHandle) OpenListDialog(window, IDD_WINDOWS_LIST, WindowsListDlgProc); break;
    case CMD_SPY_WINDOW:            OpenSpy(window); break;
    case CMD_CD_EJECT:              OpenCdTray(window); break;
    case CMD_CD_CLOSE:              CloseCdTray(window); break;
    case CMD_CALCULATOR:            OpenCalculator(window); break;
    case CMD_CONTROL_PANEL_IN_START_MENU: ToggleStartMenuFolder(ControlPanelName, ControlPanelClassId); break;
    case CMD_PRINTERS_IN_START_MENU:      ToggleStartMenuFolder(PrintersName, PrintersClassId); break;
    default:                        return DispatchDynamicCommand(window, command);
    }
    return true;
}
