// The Screen Saver submenu: the .SCR files of the system and Windows
// directories, the configured one drawn in the caption font. Choosing one
// starts it; with Ctrl it becomes the configured one, with Shift the
// display settings open at their screen saver page.
#ifndef VORNEL_MENUS_SCREEN_SAVER_MENU_H
#define VORNEL_MENUS_SCREEN_SAVER_MENU_H

#include "menus/dynamic_menu.h"

// Entry k: text the saver's full path; the submenu's marked entry is the
// configured saver.
extern const SubmenuKind ScreenSaverSubmenu;

// Whether a saver file marks the configured one: the file's name, upper-
// cased, occurs anywhere in the configured text, upper-cased.
bool NamesConfiguredSaver(const char* configured, const char* fileName);

#endif
