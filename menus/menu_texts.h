// The fixed texts of the popup menu's items: those the program draws
// itself, the titles of the submenus, and the check items whose text is
// written again when their mark changes.
#ifndef VORNEL_MENUS_MENU_TEXTS_H
#define VORNEL_MENUS_MENU_TEXTS_H

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
extern const char TextScreenSaver[];
extern const char TextFavourites[];

#endif
