// Helpers for driving the real vornel.exe from outside: starting and ending
// it as a process, waiting for what it shows, reading what it stored, and
// the Linux tools (xdotool, ImageMagick) that type keys and take pictures
// of the X screen Wine draws on.
#ifndef VORNEL_TESTS_E2E_E2E_SUPPORT_H
#define VORNEL_TESTS_E2E_E2E_SUPPORT_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/wine_support.h"

// The Windows version the test lane asked Wine to report (VORNEL_WINE_VERSION,
// such as "win98"), or "" for Wine's default.
std::string LaneWindowsVersion();

// The Unix path Wine maps a Windows path to, for the Linux tools.
std::string UnixPath(const std::string& windowsPath);

bool ReadSettingString(const char* name, std::string& text);
// A 4-byte setting as the little-endian integer it holds; false when it is
// missing or not 4 bytes long.
bool ReadSettingInt(const char* name, LONG& value);

// Top-level windows of a process, optionally of one class and only visible ones.
std::vector<HWND> WindowsOfProcess(DWORD processId, const char* className, bool visibleOnly);
std::string ClassOf(HWND window);
RECT WindowRect(HWND window);
// The text of a dialog's control, asked with WM_GETTEXT (works across processes).
std::string ControlText(HWND dialog, int controlId);

// How many pixels of a screen area differ from the area's most common
// colour, read back from what the X server shows: zero for an area that is
// still blank, more once text or icons are drawn there.
int InkPixels(const RECT& area);
// An area shrunk by the given margins.
RECT Inset(const RECT& rect, int dx, int dy);

// One run of vornel.exe.
class VornelProcess {
public:
    VornelProcess() = default;
    VornelProcess(const VornelProcess&) = delete;
    VornelProcess& operator=(const VornelProcess&) = delete;
    ~VornelProcess();

    static std::string ExecutablePath();

    bool Start();
    // Starts a copy of the program kept elsewhere, by its full path.
    bool StartAt(const std::wstring& program);
    bool started() const { return process_ != nullptr; }
    DWORD id() const { return processId_; }
    HANDLE handle() const { return process_; }

    // The button window ("SimpleClass") of this process once it exists; the
    // program creates it hidden and shows it later in its start-up.
    HWND WaitForButton(DWORD timeoutMs = 15000);
    HWND button() const { return button_; }

    bool WaitForExit(DWORD timeoutMs);
    bool Running() const;
    // The exit code once the process has ended; STILL_ACTIVE before.
    DWORD ExitCode() const;

    // The way a user or another program ends it: WM_CLOSE to the button.
    bool Close(DWORD timeoutMs = 10000);
    // Last resort for a test that failed half-way; ends only this process.
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND button_ = nullptr;
};

// Ends any vornel.exe left over by an earlier test that failed badly, the
// way a user would (WM_CLOSE to its button). True when none is left.
bool CloseLeftoverInstances(DWORD timeoutMs = 10000);

// Starts a Linux program inside Wine by its Unix path. Wine gives back no
// handle nor exit code for it: callers wait for its effect instead.
bool StartLinuxProgram(const std::string& commandLine);
// xdotool with the given arguments (a sequence of keys, or "type" and a text).
bool Xdotool(const std::string& arguments);

// A picture of the whole X screen in <build>/screenshots/<name>.png (in
// screenshots-win98 for the Windows 98 lane); waits until the file is
// complete. Returns the Windows path or "" on failure.
std::string TakeScreenshot(const std::string& name, DWORD timeoutMs = 20000);
// The same, cut to an area of the screen (a window, with a margin), as the
// README shows them.
std::string TakeScreenshotOf(const std::string& name, const RECT& area, DWORD timeoutMs = 20000);
// A window's rectangle grown by margin pixels on each side.
RECT Around(HWND window, int margin = 4);

// A visible top-level window of the test process with a title, listed by the
// program's Task Manager submenu.
class TestWindow {
public:
    TestWindow(const char* title, int x, int y, int width, int height);
    ~TestWindow();
    HWND handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

// A file that exists only for the test's duration.
class TemporaryFile {
public:
    TemporaryFile(const std::string& path, const char* text);
    ~TemporaryFile();
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

#endif
