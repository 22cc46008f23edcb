#include "base/system_libraries.h"

// A handful of libraries at most; each is loaded once and never freed, so
// the addresses handed out stay valid for the whole run.
namespace {
struct LoadedLibrary {
    const char* name;
    HMODULE module;
    bool tried;
};
LoadedLibrary Loaded[8];
}

FARPROC SystemFunction(const char* library, const char* name)
{
    LoadedLibrary* slot = nullptr;
    for (LoadedLibrary& entry : Loaded) {
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

const ImageListCalls* LoadCommonControls()
{
    static ImageListCalls calls;
    static bool ready;
    if (ready)
        return &calls;
    const char library[] = "comctl32.dll";
    auto initialise = SystemFunctionOf<BOOL WINAPI(const INITCOMMONCONTROLSEX*)>(library, "InitCommonControlsEx");
    calls.Create = SystemFunctionOf<HIMAGELIST WINAPI(int, int, UINT, int, int)>(library, "ImageList_Create");
    calls.SetBkColor = SystemFunctionOf<COLORREF WINAPI(HIMAGELIST, COLORREF)>(library, "ImageList_SetBkColor");
    calls.ReplaceIcon = SystemFunctionOf<int WINAPI(HIMAGELIST, int, HICON)>(library, "ImageList_ReplaceIcon");
    calls.Remove = SystemFunctionOf<BOOL WINAPI(HIMAGELIST, int)>(library, "ImageList_Remove");
    calls.Destroy = SystemFunctionOf<BOOL WINAPI(HIMAGELIST)>(library, "ImageList_Destroy");
    calls.GetImageCount = SystemFunctionOf<int WINAPI(HIMAGELIST)>(library, "ImageList_GetImageCount");
    if (!initialise || !calls.Create || !calls.SetBkColor || !calls.ReplaceIcon || !calls.Remove ||
        !calls.Destroy || !calls.GetImageCount)
        return nullptr;
    INITCOMMONCONTROLSEX classes = { sizeof classes, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES };
    if (!initialise(&classes))
        return nullptr;
    ready = true;
    return &calls;
}
