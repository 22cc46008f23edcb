#include "tests/e2e/e2e_support.h"

#include <shlwapi.h>

#include <string.h>

#include <map>

std::string LaneWindowsVersion()
{
    char version[32] = "";
    DWORD length = GetEnvironmentVariableA("VORNEL_WINE_VERSION", version, sizeof version);
    return length < sizeof version ? version : "";
}

std::string UnixPath(const std::string& windowsPath)
{
    // Wine's own mapping knows every drive; it is only missing on a real
    // Windows, where the Linux tools do not exist anyway.
    typedef char* (CDECL * ToUnix)(LPCWSTR);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    ToUnix toUnix = kernel ? reinterpret_cast<ToUnix>(GetProcAddress(kernel, "wine_get_unix_file_name")) : nullptr;
    if (toUnix) {
        WCHAR wide[MAX_PATH];
        if (MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH)) {
            char* unix = toUnix(wide);
            if (unix) {
                std::string result = unix;
                HeapFree(GetProcessHeap(), 0, unix);
                return result;
            }
        }
    }
    std::string result = windowsPath.size() > 2 && windowsPath[1] == ':' ? windowsPath.substr(2) : windowsPath;
    for (char& c : result) {
        if (c == '\\')
            c = '/';
    }
    return result;
}

bool ReadSettingString(const char* name, std::string& text)
{
    std::vector<unsigned char> bytes;
    DWORD type = 0;
    text.clear();
    if (!ReadValue(name, bytes, &type) || type != REG_SZ)
        return false;
    text.assign(bytes.begin(), bytes.end());
    text.resize(strnlen(text.c_str(), text.size()));
    return true;
}

bool ReadSettingInt(const char* name, LONG& value)
{
    std::vector<unsigned char> bytes;
    if (!ReadValue(name, bytes) || bytes.size() != 4)
        return false;
    value = static_cast<LONG>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<DWORD>(bytes[3]) << 24);
    return true;
}

namespace {
struct WindowSearch {
    DWORD processId;
    const char* className;
    bool visibleOnly;
    std::vector<HWND> found;
};
}

static BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId)
        return TRUE;
    if (search.visibleOnly && !IsWindowVisible(window))
        return TRUE;
    if (search.className && ClassOf(window) != search.className)
        return TRUE;
    search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> WindowsOfProcess(DWORD processId, const char* className, bool visibleOnly)
{
    WindowSearch search = { processId, className, visibleOnly, {} };
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ClassOf(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT WindowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

std::string ControlText(HWND dialog, int controlId)
{
    char text[512] = "";
    GetDlgItemTextA(dialog, controlId, text, sizeof text);
    return text;
}

int InkPixels(const RECT& area)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return 0;
    Canvas canvas(width, height);
    HDC screen = GetDC(nullptr);
    BOOL copied = BitBlt(canvas.dc(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    if (!copied)
        return 0;
    std::map<DWORD, int> histogram;
    for (DWORD pixel : canvas.Pixels())
        ++histogram[pixel & 0xffffff];
    int most = 0;
    for (const auto& entry : histogram)
        most = entry.second > most ? entry.second : most;
    return width * height - most;
}

RECT Inset(const RECT& rect, int dx, int dy)
{
    RECT inner = { rect.left + dx, rect.top + dy, rect.right - dx, rect.bottom - dy };
    return inner;
}

VornelProcess::~VornelProcess()
{
    Kill();
}

std::string VornelProcess::ExecutablePath()
{
    return TestProgramDirectory() + "\\vornel.exe";
}

bool VornelProcess::Start()
{
    WCHAR program[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, ExecutablePath().c_str(), -1, program, MAX_PATH))
        return false;
    return StartAt(program);
}

bool VornelProcess::StartAt(const std::wstring& program)
{
    std::wstring commandLine = L"\"" + program + L"\"";
    std::vector<WCHAR> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    std::wstring directory = program.substr(0, program.rfind(L'\\'));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    return true;
}

HWND VornelProcess::WaitForButton(DWORD timeoutMs)
{
    PumpUntil([this] {
        std::vector<HWND> windows = WindowsOfProcess(processId_, "SimpleClass", false);
        button_ = windows.empty() ? nullptr : windows.front();
        return button_ != nullptr || !Running();
    }, timeoutMs);
    return button_;
}

bool VornelProcess::WaitForExit(DWORD timeoutMs)
{
    if (!process_)
        return true;
    // Polled rather than blocked on, so our own windows keep answering.
    return PumpUntil([this] { return !Running(); }, timeoutMs);
}

bool VornelProcess::Running() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD VornelProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (process_)
        GetExitCodeProcess(process_, &code);
    return code;
}

bool VornelProcess::Close(DWORD timeoutMs)
{
    if (!Running())
        return true;
    HWND window = button_ ? button_ : WaitForButton(timeoutMs);
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitForExit(timeoutMs);
}

void VornelProcess::Kill()
{
    if (!process_)
        return;
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
}

bool CloseLeftoverInstances(DWORD timeoutMs)
{
    for (;;) {
        HWND window = FindWindowA("SimpleClass", nullptr);
        if (!window)
            return true;
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
        PostMessageA(window, WM_CLOSE, 0, 0);
        bool ended = PumpUntil([&] {
            return process ? WaitForSingleObject(process, 0) == WAIT_OBJECT_0 : !IsWindow(window);
        }, timeoutMs);
        if (process)
            CloseHandle(process);
        if (!ended)
            return false;
    }
}

bool StartLinuxProgram(const std::string& commandLine)
{
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    if (info.hThread)
        CloseHandle(info.hThread);
    if (info.hProcess)
        CloseHandle(info.hProcess);
    return true;
}

bool Xdotool(const std::string& arguments)
{
    return StartLinuxProgram("/usr/bin/xdotool " + arguments);
}

static bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

static std::string Screenshot(const std::string& name, const RECT* area, DWORD timeoutMs)
{
    const std::string lane = LaneWindowsVersion();
    std::string directory = TestProgramDirectory() + "\\screenshots" + (lane.empty() ? "" : "-" + lane);
    CreateDirectoryA(directory.c_str(), nullptr);
    std::string finished = directory + "\\" + name + ".png";
    DeleteFileA(finished.c_str());
    // import writes the file as it goes; the rename after it makes the
    // finished name appear only when the picture is whole.
    std::string unixDirectory = UnixPath(directory);
    std::string partial = unixDirectory + "/." + name + ".partial.png";
    std::string target = unixDirectory + "/" + name + ".png";
    std::string crop;
    if (area) {
        LONG left = area->left > 0 ? area->left : 0, top = area->top > 0 ? area->top : 0;
        crop = " -crop " + std::to_string(area->right - left) + "x" + std::to_string(area->bottom - top) + "+" +
               std::to_string(left) + "+" + std::to_string(top) + " +repage";
    }
    std::string script = "/usr/bin/import -window root" + crop + " '" + partial + "' && mv -f '" + partial + "' '" +
                         target + "'";
    if (!StartLinuxProgram("/bin/sh -c \"" + script + "\""))
        return "";
    if (!PumpUntil([&] { return FileExists(finished); }, timeoutMs))
        return "";
    return finished;
}

std::string TakeScreenshot(const std::string& name, DWORD timeoutMs)
{
    return Screenshot(name, nullptr, timeoutMs);
}

std::string TakeScreenshotOf(const std::string& name, const RECT& area, DWORD timeoutMs)
{
    return Screenshot(name, &area, timeoutMs);
}

RECT Around(HWND window, int margin)
{
    RECT rect = WindowRect(window);
    InflateRect(&rect, margin, margin);
    return rect;
}

TestWindow::TestWindow(const char* title, int x, int y, int width, int height)
    : window_(CreateTestWindow(title, WS_OVERLAPPEDWINDOW, nullptr, 0, x, y, width, height))
{
    // Without activation: the keyboard stays with whatever had it.
    if (window_)
        ShowWindow(window_, SW_SHOWNOACTIVATE);
    PumpPending();
}

TestWindow::~TestWindow()
{
    if (window_)
        DestroyWindow(window_);
    PumpPending();
}

static const char ShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TemporaryFile::TemporaryFile(const std::string& path, const char* text) : path_(path)
{
    WriteFileText(path_, text);
}

TemporaryFile::~TemporaryFile()
{
    DeleteFileA(path_.c_str());
}
