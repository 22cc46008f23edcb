// Commands that start something outside the program through the shell or
// the multimedia interface: the Control Panel, the display settings, the
// default screen saver, a file's folder and the CD tray.
#ifndef VORNEL_ACTIONS_SHELL_COMMANDS_H
#define VORNEL_ACTIONS_SHELL_COMMANDS_H

#include <windows.h>

// Every program is started the same way: opened by the shell, owned by the
// button, in the program's default window state. parameters may be null.
void OpenWithShell(HWND window, const char* file, const char* parameters);

// The system's rundll32.exe, by its full path, with these parameters.
void RunDllCommand(HWND window, const char* parameters);

void OpenControlPanel(HWND window);

// An Explorer window on the folder that holds the file, with the file
// selected. False, starting nothing, when the path does not fit the command.
bool ShowFileInExplorer(HWND window, const char* path);

// The display settings at their screen saver page.
void OpenScreenSaverSettings(HWND window);

// Makes the saver at path the configured one, without starting it.
void SetDefaultScreenSaver(const char* path);

void OpenCdTray(HWND window);
void CloseCdTray(HWND window);

#endif
