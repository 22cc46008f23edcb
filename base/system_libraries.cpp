#include "base/system_libraries.h"

#include "base/text.h"

namespace {
struct LoadedLibrary {
    const char* name;   // a literal of the caller's: static storage
    HMODULE module;
    bool tried;
};

// A handful of libraries at most; each is loaded once and never freed, so
// the addresses handed out stay valid for the whole run.
struct {
    LoadedLibrary loaded[12];
    ImageListCalls imageLists;
    bool commonControlsReady;
} Libraries;
}

static const char CommonControlsLibrary[] = "comctl32.dll";

FARPROC SystemFunction(const char* library, const char* name)
{
    LoadedLibrary* slot = nullptr;
    for (LoadedLibrary& entry : Libraries.loaded) {
        if (entry.name && lstrcmpiA(entry.name, library) == 0) {
            slot = &entry;
            break;
        }
        if (!entry.name && !slot)
            slot = &entry;
    }
    if (!slot)
        return nullptr;
    if (!slot->name)
        slot->name = library;
    if (!slot->tried) {
        slot->tried = true;
        char path[MAX_PATH];
        if (SystemDirectoryPath(library, path, MAX_PATH))
            slot->module = LoadLibraryA(path);
    }
    return slot->module ? GetProcAddress(slot->module, name) : nullptr;
}

// directory\file from a directory call's answer (its length, 0 on failure).
static bool PathInDirectory(const char* directory, UINT length, const char* file, char* out, size_t capacity)
{
    if (length > 0 && length < MAX_PATH && JoinText(out, capacity, directory, "\\") &&
        AppendText(out, capacity, file))
        return true;
    if (capacity)
        out[0] = '\0';
    return false;
}

bool SystemDirectoryPath(const char* file, char* out, size_t capacity)
{
    char directory[MAX_PATH];
    return PathInDirectory(directory, GetSystemDirectoryA(directory, MAX_PATH), file, out, capacity);
}

static bool FileExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool SystemProgramPath(const char* file, char* out, size_t capacity)
{
    if (SystemDirectoryPath(file, out, capacity) && FileExists(out))
        return true;
    char directory[MAX_PATH];
    if (PathInDirectory(directory, GetWindowsDirectoryA(directory, MAX_PATH), file, out, capacity) &&
        FileExists(out))
        return true;
    return SystemDirectoryPath(file, out, capacity);
}

void LoadLibrariesFromSystemDirectoryOnly()
{
    typedef BOOL WINAPI SetDirectories(DWORD directories);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto set = kernel ? reinterpret_cast<SetDirectories*>(
                            reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                      : nullptr;
    if (set)
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// Registers the window classes of the trackbar, list view and tree view.
// The first comctl32 has no InitCommonControlsEx; its InitCommonControls
// registers every class it knows.
static bool RegisterCommonControlClasses()
{
    auto initialiseEx = SystemFunctionOf<BOOL WINAPI(const INITCOMMONCONTROLSEX*)>(CommonControlsLibrary,
                                                                                   "InitCommonControlsEx");
    if (initialiseEx) {
        INITCOMMONCONTROLSEX classes = { sizeof classes,
                                         ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES };
        return initialiseEx(&classes) != FALSE;
    }
    auto initialise = SystemFunctionOf<void WINAPI()>(CommonControlsLibrary, "InitCommonControls");
    if (!initialise)
        return false;
    initialise();
    return true;
}

const ImageListCalls* LoadCommonControls()
{
    ImageListCalls& calls = Libraries.imageLists;
    if (Libraries.commonControlsReady)
        return &calls;
    const char* library = CommonControlsLibrary;
    calls.Create = SystemFunctionOf<HIMAGELIST WINAPI(int, int, UINT, int, int)>(library, "ImageList_Create");
    calls.SetBkColor = SystemFunctionOf<COLORREF WINAPI(HIMAGELIST, COLORREF)>(library, "ImageList_SetBkColor");
    calls.ReplaceIcon = SystemFunctionOf<int WINAPI(HIMAGELIST, int, HICON)>(library, "ImageList_ReplaceIcon");
    calls.Remove = SystemFunctionOf<BOOL WINAPI(HIMAGELIST, int)>(library, "ImageList_Remove");
    calls.Destroy = SystemFunctionOf<BOOL WINAPI(HIMAGELIST)>(library, "ImageList_Destroy");
    calls.GetImageCount = SystemFunctionOf<int WINAPI(HIMAGELIST)>(library, "ImageList_GetImageCount");
    if (!calls.Create || !calls.SetBkColor || !calls.ReplaceIcon || !calls.Remove || !calls.Destroy ||
        !calls.GetImageCount || !RegisterCommonControlClasses())
        return nullptr;
    Libraries.commonControlsReady = true;
    return &calls;
}
