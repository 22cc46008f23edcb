// How the owner-drawn items turn their table entries into the texts they
// measure and draw. Paths are split the way the C runtime's _splitpath
// does: the file name is the last component, its extension the last "."
// in that component and what follows.
#ifndef VORNEL_MENUS_MENU_ITEM_TEXT_H
#define VORNEL_MENUS_MENU_ITEM_TEXT_H

#include <stddef.h>

struct FileNameParts {
    const char* name;           // start of the last path component
    size_t baseLength;          // its length without the extension
    const char* extension;      // the extension with its ".", or the empty text
    size_t extensionLength;
};

FileNameParts SplitFileName(const char* path);

// "app.exe" of "C:\Tools\app.exe".
void FileNameWithExtension(const char* path, char* out, size_t capacity);

// "Mystify" of "C:\WINDOWS\SYSTEM\Mystify.scr", "Word" of "Word.lnk".
void FileNameWithoutExtension(const char* path, char* out, size_t capacity);

// A favourite as drawn: the program's file name and extension, one space,
// then the parameters ("app.exe -x"; "app.exe " without parameters).
void FavouriteDrawnText(const char* program, const char* parameters, char* out, size_t capacity);

// The program path of a favourite's text: everything before the first tab.
void ProgramPathOf(const char* text, char* out, size_t capacity);

#endif
