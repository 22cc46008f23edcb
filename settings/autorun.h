// Starting with Windows, through the per-user Run key.
#ifndef VORNEL_SETTINGS_AUTORUN_H
#define VORNEL_SETTINGS_AUTORUN_H

#include <stddef.h>

extern const char RunKey[];         // under HKEY_CURRENT_USER
extern const char RunValueName[];   // "Vornel"

// On: writes the program's path as the Run entry; off: deletes the entry.
// Returns whether the entry now says what was asked: false when the path
// could not be written (the key refused it, or the path does not fit), so
// the program never claims to start with Windows while it would not.
bool SetAutoRun(bool on);

// The command line the Run entry holds for a program path: the path itself,
// in double quotes when it contains a space, so that "C:\Program Files\..."
// can never start C:\Program.exe instead. False when it does not fit.
bool RunCommandForPath(const char* path, char* out, size_t capacity);
bool RunCommandForPath(const wchar_t* path, wchar_t* out, size_t capacity);

#endif
