#include "menus/menu_texts.h"

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
const char TextScreenSaver[] = "&Screen Saver (+Ctrl = Set Default)";
const char TextFavourites[] = "&Favourites";
