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

// True for a path on another machine ("\\server\share\...": any path that
// begins with two separators). Such a file is never asked about while
// drawing: a share that does not answer would hold every paint for the
// network's time-out.
bool IsNetworkPath(const char* path);

// The icon a listed file shows in one drawing; owned tells whether the
// caller destroys it afterwards. A file on a network path shows the system's
// generic application icon, shared, at once; any other file the icon the
// shell associates with it (null when there is none).
HICON ListedFileIcon(const char* path, bool& owned);

// True when the icon the shell associates with the file is its type's
// alone, the same for every file of that extension: the file can be read
// and holds no icon of its own (it is not a program, a library or an icon
// file), and it is not a shortcut, whose icon may be its target's.
// extension is the path's, with or without its ".".
bool ShowsItsTypesIcon(const char* path, const char* extension);

// The same for a program the user listed, which may be gone: a missing
// file also shows the generic application icon.
HICON ListedProgramIcon(const char* path, bool& owned);

#endif
