#include "dialogs/about/about_box.h"

#include <string.h>

#include "base/program.h"
#include "base/platform.h"
#include "base/product.h"
#include "base/system_libraries.h"
#include "base/text.h"
#include "dialogs/single_dialog.h"
#include "res/resource.h"

static const char VersionLibrary[] = "version.dll";
static const char MailAddress[] = "mailto:" PRODUCT_SUPPORT_ADDRESS "?Subject=" PRODUCT_NAME;
static const char VersionPrefix[] = "Version ";

// Our own version resource is well under a kilobyte.
const DWORD VERSION_BLOCK_CAPACITY = 4096;

typedef DWORD WINAPI GetFileVersionInfoSizeCall(LPCSTR file, LPDWORD handle);
typedef BOOL WINAPI GetFileVersionInfoCall(LPCSTR file, DWORD handle, DWORD length, LPVOID data);
typedef BOOL WINAPI VerQueryValueCall(LPCVOID block, LPCSTR path, LPVOID* value, PUINT length);

// The "ProductVersion" text of the program's version resource; false (and
// an empty text) when it cannot be read.
static bool ReadProductVersion(char* text, size_t capacity)
{
    CopyText(text, capacity, "");
    // Only this box asks for the version: the library is loaded when it opens.
    auto getSize = SystemFunctionOf<GetFileVersionInfoSizeCall>(VersionLibrary, "GetFileVersionInfoSizeA");
    auto getInfo = SystemFunctionOf<GetFileVersionInfoCall>(VersionLibrary, "GetFileVersionInfoA");
    auto query = SystemFunctionOf<VerQueryValueCall>(VersionLibrary, "VerQueryValueA");
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(Program.instance, path, MAX_PATH);
    if (!getSize || !getInfo || !query || length == 0 || length >= MAX_PATH)
        return false;
    DWORD unused = 0;
    DWORD size = getSize(path, &unused);
    char block[VERSION_BLOCK_CAPACITY];
    if (size == 0 || size > sizeof block || !getInfo(path, 0, sizeof block, block))
        return false;
    // The strings are filed under the language and code page the
    // translation table names first.
    void* value = nullptr;
    UINT valueLength = 0;
    if (!query(block, "\\VarFileInfo\\Translation", &value, &valueLength) || valueLength < 2 * sizeof(WORD))
        return false;
    const WORD* translation = static_cast<const WORD*>(value);
    // Two words of four hex digits: always 39 characters.
    char entry[64];
    wsprintfA(entry, "\\StringFileInfo\\%04x%04x\\ProductVersion", static_cast<unsigned>(translation[0]), static_cast<unsigned>(translation[1]));
    if (!query(block, entry, &value, &valueLength) || valueLength == 0)
        return false;
    // Not more than the value's own length, whether that counts a
    // terminator or not.
    size_t copied = valueLength < capacity - 1 ? valueLength : capacity - 1;
    memcpy(text, value, copied);
    text[copied] = '\0';
    return true;
}

static void ShowVersion(HWND dialog)
{
    char version[32], line[64];
    if (ReadProductVersion(version, sizeof version) && JoinText(line, sizeof line, VersionPrefix, version))
        SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, line);
}

static void OpenInShell(HWND dialog, const char* address)
{
    // Without a browser or a mail program nothing happens, and that is all
    // the user needs to see of it.
    Platform.ShellExecuteA(dialog, "open", address, nullptr, nullptr, SW_SHOWDEFAULT);
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ShowVersion(dialog);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_CLOSE:
        case IDCANCEL:           EndDialog(dialog, 0); break;
        case IDC_ABOUT_HOMEPAGE: OpenInShell(dialog, PRODUCT_HOME_PAGE); break;
        case IDC_ABOUT_EMAIL:    OpenInShell(dialog, MailAddress); break;
        }
        return TRUE;
    }
    return FALSE;
}

static const SingleDialog AboutDialog = { IDD_ABOUT, AboutDlgProc, SECOND_REQUEST_SHOWS_OPEN_ONE };

void ShowAboutBox(HWND owner)
{
    RunSingleDialog(AboutDialog, owner, nullptr);
}
