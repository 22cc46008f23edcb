// Paths of the user's shell folders ("Desktop", "Start Menu") as the shell
// publishes them under Explorer\Shell Folders.
#ifndef VORNEL_SETTINGS_SHELL_FOLDERS_H
#define VORNEL_SETTINGS_SHELL_FOLDERS_H

#include <windows.h>

// Reads the folder's path into out (MAX_PATH bytes), at most 259 bytes of
// it; returns false, with out empty, when the value cannot be read.
bool ReadShellFolderPath(const char* valueName, char* out);

#endif
