#include "ui/file_icons.h"

#include "base/program.h"
#include "base/system_libraries.h"
#include "base/text.h"

HICON AssociatedIcon(const char* path, WORD* index)
{
    auto extract = SystemFunctionOf<HICON WINAPI(HINSTANCE, LPSTR, WORD*)>("shell32.dll", "ExtractAssociatedIconA");
    // The call may rewrite the path it is given, so it gets a copy.
    char buffer[MAX_PATH];
    if (!extract || !CopyText(buffer, MAX_PATH, path))
        return nullptr;
    WORD ownIndex = 0;
    return extract(Program.instance, buffer, index ? index : &ownIndex);
}

HICON SystemFileIcon(const char* file, WORD* index)
{
    char path[MAX_PATH];
    DWORD length = SearchPathA(nullptr, file, nullptr, MAX_PATH, path, nullptr);
    return AssociatedIcon(length > 0 && length < MAX_PATH ? path : file, index);
}
