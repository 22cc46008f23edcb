// Commands that start something outside the program: the Control Panel and
// its applets, favourites, desktop items, screen savers and the CD tray.
#ifndef VORNEL_ACTIONS_SHELL_COMMANDS_H
#define VORNEL_ACTIONS_SHELL_COMMANDS_H

#include <windows.h>

void OpenControlPanel(HWND window);

// The entries of the dynamic submenus, by their index k in the builder's
// table. An index the table has no entry for does nothing.
void RunApplet(HWND window, unsigned k);
void StartFavourite(HWND window, unsigned k);
void OpenDesktopItem(HWND window, unsigned k);

// Ctrl makes the saver the system's screen saver, Shift opens the display
// settings at their screen saver page, otherwise the saver starts.
void RunScreenSaverCommand(HWND window, unsigned k);

// Makes the saver at path the configured one, without starting it.
void SetDefaultScreenSaver(const char* path);

void OpenCdTray(HWND window);
void CloseCdTray(HWND window);

#endif
