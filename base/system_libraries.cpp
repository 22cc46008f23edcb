#include "base/system_libraries.h"

namespace {
struct LoadedLibrary {
    const char* name;   // a literal of the caller's: static storage
    HMODULE module;
    bool tried;
};

// A handful of libraries at most; each is loaded once and never freed, so
// the addresses handed out stay valid for the whole run.
struct {
    LoadedLibrary loaded[8];
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
        slot->module = LoadLibraryA(library);
    }
    return slot->module ? GetProcAddress(slot->module, name) : nullptr;
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
