// The Screen Saver submenu: the .SCR files of the system and Windows
// directories, the configured one drawn in the caption font. Choosing one
// starts it; with Ctrl it becomes the configured one, with Shift the
// display settings open at their screen saver page.
#ifndef VORNEL_MENUS_SCREEN_SAVER_MENU_H
#define VORNEL_MENUS_SCREEN_SAVER_MENU_H

#include <windows.h>

#include "menus/dynamic_menu.h"

const int MAX_SCREEN_SAVERS = 100;

// Full paths; entry k belongs to command CMD_FIRST_SCREEN_SAVER + k.
extern char* ScreenSaverList[MAX_SCREEN_SAVERS];
// Number of entries, 0 when the submenu is not built.
extern int ScreenSaverCount;
// The item of the configured screen saver, -1 when none is.
extern int CurrentScreenSaverId;

// Fills the submenu once per opening, reading the configured saver afresh.
void BuildScreenSaverMenu();

// Frees the paths and marks the submenu as not built.
void ClearScreenSaverList();

void RunScreenSaverCommand(HWND window, int k);

extern const DynamicSubmenu ScreenSaverSubmenu;

// Whether a saver file marks the configured one: the file's name, upper-
// cased, occurs anywhere in the configured text, upper-cased.
bool NamesConfiguredSaver(const char* configured, const char* fileName);

#endif
