// System libraries that only some commands need, loaded the first time one
// of them is used and kept until the process ends. Start-up stays free of
// them, and a library that is missing or broken fails only the command that
// wanted it, quietly.
//
// Every library, applet and program of the system is named by its full path
// in the system's own directories: a bare name would be looked for in the
// program's folder first, where whatever the browser saved beside the
// unpacked program would run in the system's place.
#ifndef VORNEL_BASE_SYSTEM_LIBRARIES_H
#define VORNEL_BASE_SYSTEM_LIBRARIES_H

#include <windows.h>
#include <commctrl.h>

#include <stddef.h>

// The address of an export of a system library, loading the library from
// the system directory on the first request; null when the library or the
// export is missing. The name is kept to find the library again, so it must
// be a literal (static storage).
FARPROC SystemFunction(const char* library, const char* name);

// Typed form of SystemFunction.
template <typename Function>
Function* SystemFunctionOf(const char* library, const char* name)
{
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(SystemFunction(library, name)));
}

// The full path of a file in the system directory (its libraries and
// applets); false, with out empty, when it does not fit.
bool SystemDirectoryPath(const char* file, char* out, size_t capacity);

// The full path of one of the system's own programs (rundll32.exe,
// notepad.exe, calc.exe, explorer.exe): in the system directory, or else in
// the Windows directory, where the 9x family keeps them. A program in
// neither gets its system directory path, which starts nothing. False, with
// out empty, when the path does not fit.
bool SystemProgramPath(const char* file, char* out, size_t capacity);

// Where the system lets a program say so (kernel32's SetDefaultDllDirectories,
// looked up here: older systems lack it), libraries loaded by name from now
// on, also by the system's own libraries on the program's behalf, come from
// the system directory alone.
void LoadLibrariesFromSystemDirectoryOnly();

// The image list calls of comctl32, for the dialogs that show icons in lists.
struct ImageListCalls {
    HIMAGELIST (WINAPI* Create)(int width, int height, UINT flags, int initial, int grow);
    COLORREF (WINAPI* SetBkColor)(HIMAGELIST list, COLORREF colour);
    int (WINAPI* ReplaceIcon)(HIMAGELIST list, int index, HICON icon);
    BOOL (WINAPI* Remove)(HIMAGELIST list, int index);
    BOOL (WINAPI* Destroy)(HIMAGELIST list);
    int (WINAPI* GetImageCount)(HIMAGELIST list);
};

// Loads comctl32 and registers the trackbar, list-view and tree-view window
// classes, so that dialog templates naming them can be created. Returns the
// image list calls, or null when the library or one of the calls is missing
// (the dialogs that need them then do not open).
const ImageListCalls* LoadCommonControls();

#endif
