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

HICON SystemProgramIcon(const char* file)
{
    char path[MAX_PATH];
    return SystemProgramPath(file, path, MAX_PATH) ? AssociatedIcon(path) : nullptr;
}
