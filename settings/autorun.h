// Starting with Windows, through the per-user Run key.
#ifndef VORNEL_SETTINGS_AUTORUN_H
#define VORNEL_SETTINGS_AUTORUN_H

#include <stddef.h>

extern const char RunKey[];         // under HKEY_CURRENT_USER
extern const char RunValueName[];   // "Vornel"

// Makes the Run entry match the "AutoRun" setting: writes the program's
// path when it is on, deletes the entry when it is off.
void SetAutoRun();

// The command line the Run entry holds for a program path: the path itself,
// in double quotes when it contains a space, so that "C:\Program Files\..."
// can never start C:\Program.exe instead. False when it does not fit.
bool RunCommandForPath(const char* path, char* out, size_t capacity);

#endif
