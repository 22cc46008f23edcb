// The icons the shell shows for files: taken for one drawing and given back
// by the caller (DestroyIcon, or an OwnedIcon). shell32 is loaded the first
// time an icon is asked for; without it there is no icon.
#ifndef VORNEL_UI_FILE_ICONS_H
#define VORNEL_UI_FILE_ICONS_H

#include <windows.h>

// The icon the shell associates with the file at path; index, when given,
// is the icon's index in and out. Null when there is none.
HICON AssociatedIcon(const char* path, WORD* index = nullptr);

// The same for one of the system's own programs, named without a directory
// (notepad.exe, calc.exe): the system's copy, never a file of that name in
// the program's folder or the current directory.
HICON SystemProgramIcon(const char* file);

#endif
