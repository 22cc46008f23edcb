#include "ui/file_icons.h"

#include <io.h>

#include "base/handles.h"
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

static bool IsShortcutExtension(const char* extension)
{
    if (extension[0] == '.')
        ++extension;
    static const char* const Shortcuts[] = { "lnk", "pif", "url" };
    for (const char* shortcut : Shortcuts) {
        if (lstrcmpiA(extension, shortcut) == 0)
            return true;
    }
    return false;
}

// What the shell looks for before it turns to the file's type: a program
// or library ("MZ"), an icon or cursor file, an animated cursor ("RIFF").
static bool BeginsLikeAnIconHolder(const unsigned char* head, DWORD length)
{
    if (length >= 2 && head[0] == 'M' && head[1] == 'Z')
        return true;
    if (length < 4)
        return false;
    if (head[0] == 0 && head[1] == 0 && (head[2] == 1 || head[2] == 2) && head[3] == 0)
        return true;
    return head[0] == 'R' && head[1] == 'I' && head[2] == 'F' && head[3] == 'F';
}

bool ShowsItsTypesIcon(const char* path, const char* extension)
{
    if (IsNetworkPath(path) || IsShortcutExtension(extension))
        return false;
    FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    unsigned char head[4];
    DWORD length = 0;
    if (!file.valid() || !ReadFile(file.get(), head, sizeof head, &length, nullptr))
        return false;
    return !BeginsLikeAnIconHolder(head, length);
}

HICON ListedProgramIcon(const char* path, bool& owned)
{
    if (!IsNetworkPath(path) && _access(path, 0) != 0)
        return GenericIcon(owned);
    return ListedFileIcon(path, owned);
}
