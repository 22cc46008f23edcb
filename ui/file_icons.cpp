#include "ui/file_icons.h"

#include <io.h>

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

static bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsNetworkPath(const char* path)
{
    return IsSeparator(path[0]) && IsSeparator(path[1]);
}

static HICON GenericIcon(bool& owned)
{
    owned = false;
    return LoadIconA(nullptr, IDI_APPLICATION);
}

HICON ListedFileIcon(const char* path, bool& owned)
{
    if (IsNetworkPath(path))
        return GenericIcon(owned);
    owned = true;
    return AssociatedIcon(path);
}

HICON ListedProgramIcon(const char* path, bool& owned)
{
    if (!IsNetworkPath(path) && _access(path, 0) != 0)
        return GenericIcon(owned);
    return ListedFileIcon(path, owned);
}
