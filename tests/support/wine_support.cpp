#include "tests/support/wine_support.h"

#include <shlwapi.h>
#include <string.h>

static const char ProgramKey[] = "Software\\Kestrum\\Vornel";
static const char ShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

void PumpPending()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        PumpPending();
        if (condition())
            return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return condition();
        DWORD left = timeoutMs - elapsed;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left < 15 ? left : 15, QS_ALLINPUT);
    }
}

std::string TestProgramDirectory()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return ".";
    if (char* slash = strrchr(path, '\\'))
        *slash = '\0';
    return path;
}

void DeleteRegistryTree(HKEY root, const char* path)
{
    SHDeleteKeyA(root, path);
}

void DeleteSettingsKey()
{
    DeleteRegistryTree(HKEY_CURRENT_USER, ProgramKey);
}

bool WriteBinaryValue(const char* name, const void* bytes, DWORD size, DWORD type)
{
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, ProgramKey, &key) != ERROR_SUCCESS)
        return false;
    LONG status = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(bytes), size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool WriteStringValue(const char* name, const char* text)
{
    return WriteBinaryValue(name, text, static_cast<DWORD>(strlen(text) + 1), REG_SZ);
}

bool ReadValue(const char* name, std::vector<unsigned char>& bytes, DWORD* type)
{
    bytes.clear();
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ProgramKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0, valueType = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &valueType, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        bytes.resize(size);
        status = RegQueryValueExA(key, name, nullptr, &valueType, bytes.data(), &size);
        bytes.resize(size);
    }
    RegCloseKey(key);
    if (type)
        *type = valueType;
    return status == ERROR_SUCCESS;
}

bool ValueExists(const char* name)
{
    std::vector<unsigned char> bytes;
    return ReadValue(name, bytes);
}

bool ReadDword(HKEY root, const char* keyPath, const char* name, DWORD& value)
{
    HKEY key;
    if (RegOpenKeyA(root, keyPath, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = sizeof value;
    LONG status = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

static std::string TempRoot()
{
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    return path;
}

TemporaryDirectory::TemporaryDirectory(const char* name) : path_(TempRoot() + "vornel-" + name)
{
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TemporaryDirectory::~TemporaryDirectory()
{
    RemoveTree(path_);
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool WriteFileText(const std::string& path, const char* text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    CloseHandle(file);
    return ok && written == strlen(text);
}

// Keeps the value as it was and replaces it with path, or removes it when
// path is null.
static bool ReplaceShellFolder(const char* valueName, const std::string* path, std::string& previous)
{
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, ShellFoldersKey, &key) != ERROR_SUCCESS)
        return false;
    char text[MAX_PATH] = "";
    DWORD size = sizeof text - 1;
    bool had = RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) ==
               ERROR_SUCCESS;
    previous = text;
    if (path)
        RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(path->c_str()),
                       static_cast<DWORD>(path->size() + 1));
    else
        RegDeleteValueA(key, valueName);
    RegCloseKey(key);
    return had;
}

ShellFolderOverride::ShellFolderOverride(const char* valueName, const std::string& path)
    : name_(valueName), hadValue_(ReplaceShellFolder(valueName, &path, previous_))
{
}

ShellFolderOverride::ShellFolderOverride(const char* valueName)
    : name_(valueName), hadValue_(ReplaceShellFolder(valueName, nullptr, previous_))
{
}

ShellFolderOverride::~ShellFolderOverride()
{
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, ShellFoldersKey, &key) != ERROR_SUCCESS)
        return;
    if (hadValue_)
        RegSetValueExA(key, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_.c_str()),
                       static_cast<DWORD>(previous_.size() + 1));
    else
        RegDeleteValueA(key, name_.c_str());
    RegCloseKey(key);
}

Canvas::Canvas(int width, int height) : width_(width), height_(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
    Fill(RGB(1, 2, 3));
}

Canvas::~Canvas()
{
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void Canvas::Fill(COLORREF colour)
{
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i)
        bits_[i] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

COLORREF Canvas::At(int x, int y) const
{
    GdiFlush();
    DWORD p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::vector<DWORD> Canvas::Pixels() const
{
    GdiFlush();
    return std::vector<DWORD>(bits_, bits_ + width_ * height_);
}

static LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateTestWindow(const char* title, DWORD style, HWND owner, DWORD exStyle, int x, int y, int width,
                      int height)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = "VornelTestWindow";
        RegisterClassA(&windowClass);
        registered = true;
    }
    HWND window = CreateWindowExA(exStyle, "VornelTestWindow", title, style, x, y, width, height, owner, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    PumpPending();
    return window;
}

