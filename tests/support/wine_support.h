// Helpers shared by the Windows-side test and benchmark programs: waiting
// for a condition while dispatching messages, the program's registry key,
// temporary folders and files, and shell folder values pointed elsewhere
// for a while. No test framework here, so every program can use them.
#ifndef VORNEL_TESTS_SUPPORT_WINE_SUPPORT_H
#define VORNEL_TESTS_SUPPORT_WINE_SUPPORT_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Dispatches messages until the condition holds or the time is up; returns
// the condition's last value. Never sleeps a fixed time.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Dispatches whatever is queued now (a posted WM_QUIT is dropped).
void PumpPending();

// Where the running program lies; the programs under test are built beside it.
std::string TestProgramDirectory();

// Removes a key and everything below it; a missing key is fine.
void DeleteRegistryTree(HKEY root, const char* path);
// HKEY_CURRENT_USER\Software\Kestrum\Vornel and everything in it.
void DeleteSettingsKey();

// Values under the program's key, as the tests write and read them.
bool WriteBinaryValue(const char* name, const void* bytes, DWORD size, DWORD type = REG_BINARY);
bool WriteStringValue(const char* name, const char* text);
bool ReadValue(const char* name, std::vector<unsigned char>& bytes, DWORD* type = nullptr);
bool ValueExists(const char* name);
bool ReadDword(HKEY root, const char* key, const char* name, DWORD& value);

// A directory under the prefix's temporary directory, removed with its content.
class TemporaryDirectory {
public:
    explicit TemporaryDirectory(const char* name);
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const char* name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};
void RemoveTree(const std::string& path);
bool WriteFileText(const std::string& path, const char* text);

// Points a "Shell Folders" value at a directory for the object's life and
// puts the previous value back afterwards.
class ShellFolderOverride {
public:
    ShellFolderOverride(const char* valueName, const std::string& path);
    // The value removed for the object's life.
    explicit ShellFolderOverride(const char* valueName);
    ~ShellFolderOverride();
    ShellFolderOverride(const ShellFolderOverride&) = delete;
    ShellFolderOverride& operator=(const ShellFolderOverride&) = delete;

private:
    std::string name_;
    std::string previous_;
    bool hadValue_;
};

// A plain top-level window of the calling program, for the programs under
// test to list, minimize or close.
HWND CreateTestWindow(const char* title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                      HWND owner = nullptr, DWORD exStyle = 0, int x = 100, int y = 100,
                      int width = 300, int height = 200);

// A top-down 32-bit canvas to draw into and read back exactly.
class Canvas {
public:
    Canvas(int width = 64, int height = 64);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    void Fill(COLORREF colour);
    COLORREF At(int x, int y) const;
    // Every pixel as the DIB holds it (blue, green, red from the lowest byte), rows top-down.
    std::vector<DWORD> Pixels() const;
    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    static const int SIDE = 64;

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    DWORD* bits_ = nullptr;
};

#endif
