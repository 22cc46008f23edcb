// The icons the shell shows for files: taken for one drawing and given back
// by the caller (DestroyIcon, or an OwnedIcon). shell32 is loaded the first
// time an icon is asked for; without it there is no icon.
#ifndef VORNEL_UI_FILE_ICONS_H
#define VORNEL_UI_FILE_ICONS_H

#include <windows.h>

// The icon the shell associates with the file at path; index, when given,
// is the icon's index in and out. Null when there is none.
HICON AssociatedIcon(const char* path, WORD* index = nullptr);

// The same for a file named without a directory (the system's own programs,
// applet files): found along the search path first, as the shell and the
// loader would find it, so the icon does not depend on the current directory.
HICON SystemFileIcon(const char* file, WORD* index = nullptr);

#endif
