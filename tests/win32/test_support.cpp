#include "tests/win32/test_support.h"

#include <shlwapi.h>

#include "app/platform.h"
#include "app/startup.h"
#include "settings/settings_store.h"

void DeleteRegistryTree(HKEY root, const char* path)
{
    SHDeleteKeyA(root, path);
}

void DeleteSettingsKey()
{
    DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Kestrum");
}

void WriteBinaryValue(const char* name, const void* bytes, DWORD size, DWORD type)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, SettingsKey, &key));
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(bytes), size);
    RegCloseKey(key);
}

void WriteStringValue(const char* name, const char* text)
{
    WriteBinaryValue(name, text, static_cast<DWORD>(strlen(text) + 1), REG_SZ);
}

bool ReadValue(const char* name, std::vector<unsigned char>& bytes, DWORD* type)
{
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, SettingsKey, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0, valueType = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &valueType, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        bytes.resize(size);
        status = RegQueryValueExA(key, name, nullptr, &valueType, bytes.data(), &size);
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
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed < 20 ? timeoutMs - elapsed : 20,
                                  QS_ALLINPUT);
    }
}

std::vector<SeamCall> SeamCalls;
int MessageBoxAnswer = IDNO;

std::vector<SeamCall> SeamCallsOf(const char* function)
{
    std::vector<SeamCall> calls;
    for (const SeamCall& call : SeamCalls) {
        if (call.function == function)
            calls.push_back(call);
    }
    return calls;
}

static std::string Text(const char* text)
{
    return text ? text : "(null)";
}

static void Record(const char* function, const char* a = nullptr, const char* b = nullptr,
                   const char* c = nullptr, UINT number = 0, HWND window = nullptr)
{
    SeamCall call;
    call.function = function;
    call.text1 = Text(a);
    call.text2 = Text(b);
    call.text3 = Text(c);
    call.number = number;
    call.window = window;
    SeamCalls.push_back(call);
}

static BOOL WINAPI RecordExitWindowsEx(UINT flags, DWORD)
{
    Record("ExitWindowsEx", nullptr, nullptr, nullptr, flags);
    return TRUE;
}

static BOOL WINAPI RecordTerminateProcess(HANDLE, UINT exitCode)
{
    Record("TerminateProcess", nullptr, nullptr, nullptr, exitCode);
    return FALSE;
}

static HINSTANCE WINAPI RecordShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                           LPCSTR directory, INT show)
{
    Record("ShellExecuteA", file, parameters, verb, static_cast<UINT>(show), owner);
    SeamCalls.back().text3 = Text(verb) + "|" + Text(directory);
    return reinterpret_cast<HINSTANCE>(42);
}

static MCIERROR WINAPI RecordMciSendStringA(LPCSTR command, LPSTR, UINT length, HWND callback)
{
    Record("mciSendStringA", command, nullptr, nullptr, length, callback);
    return 0;
}

static int WINAPI RecordMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    Record("MessageBoxA", text, caption, nullptr, type, owner);
    return MessageBoxAnswer;
}

static void WINAPI RecordKeybdEvent(BYTE key, BYTE scan, DWORD flags, ULONG_PTR)
{
    char scanText[16];
    wsprintfA(scanText, "%u", scan);
    Record("keybd_event", scanText, nullptr, nullptr, key | (flags << 16));
}

static BOOL WINAPI RecordSystemParametersInfoA(UINT action, UINT parameter, PVOID data, UINT update)
{
    char text[32];
    wsprintfA(text, "%u", parameter);
    char updateText[16];
    wsprintfA(updateText, "%u", update);
    Record("SystemParametersInfoA", text, updateText, nullptr, action);
    return RealPlatformCalls.SystemParametersInfoA(action, parameter, data, update);
}

static BOOL WINAPI RecordWritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file)
{
    Record("WritePrivateProfileStringA", section, key, value, 0);
    SeamCalls.back().text3 = Text(value) + "|" + Text(file);
    return RealPlatformCalls.WritePrivateProfileStringA(section, key, value, file);
}

static void WINAPI RecordExitProcess(UINT exitCode)
{
    Record("ExitProcess", nullptr, nullptr, nullptr, exitCode);
}

void InstallSeamRecorders()
{
    SeamCalls.clear();
    MessageBoxAnswer = IDNO;
    Platform.ExitWindowsEx = RecordExitWindowsEx;
    Platform.TerminateProcess = RecordTerminateProcess;
    Platform.ShellExecuteA = RecordShellExecuteA;
    Platform.mciSendStringA = RecordMciSendStringA;
    Platform.MessageBoxA = RecordMessageBoxA;
    Platform.keybd_event = RecordKeybdEvent;
    Platform.SystemParametersInfoA = RecordSystemParametersInfoA;
    Platform.WritePrivateProfileStringA = RecordWritePrivateProfileStringA;
    Platform.ExitProcess = RecordExitProcess;
}

void RestoreRealSeam()
{
    Platform = RealPlatformCalls;
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

void WriteFileText(const std::string& path, const char* text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    DWORD written;
    WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    CloseHandle(file);
}

static const char ShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

ShellFolderOverride::ShellFolderOverride(const char* valueName, const std::string& path)
    : name_(valueName), hadValue_(false)
{
    HKEY key;
    RegCreateKeyA(HKEY_CURRENT_USER, ShellFoldersKey, &key);
    char previous[MAX_PATH] = "";
    DWORD size = sizeof previous;
    hadValue_ = RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(previous), &size) ==
                ERROR_SUCCESS;
    previous_ = previous;
    RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>(path.size() + 1));
    RegCloseKey(key);
}

ShellFolderOverride::~ShellFolderOverride()
{
    HKEY key;
    RegCreateKeyA(HKEY_CURRENT_USER, ShellFoldersKey, &key);
    if (hadValue_)
        RegSetValueExA(key, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_.c_str()),
                       static_cast<DWORD>(previous_.size() + 1));
    else
        RegDeleteValueA(key, name_.c_str());
    RegCloseKey(key);
}

std::string TestProgramDirectory()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    *strrchr(path, '\\') = '\0';
    return path;
}

InstalledFixture::InstalledFixture(const char* file, const char* installedName)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    path_ = std::string(system) + "\\" + (installedName ? installedName : file);
    std::string source = TestProgramDirectory() + "\\" + file;
    EXPECT_TRUE(CopyFileA(source.c_str(), path_.c_str(), FALSE)) << source << " -> " << path_;
}

InstalledFixture::~InstalledFixture()
{
    DeleteFileA(path_.c_str());
}

void AppTest::SetUp()
{
    DeleteSettingsKey();
    InstallSeamRecorders();
    BeforeStart();
    window = StartApplication(GetModuleHandleA(nullptr));
    ASSERT_NE(nullptr, window);
    PumpPending();
}

void AppTest::ShutDown()
{
    if (window && IsWindow(window))
        ShutdownApplication(window);
    window = nullptr;
    // The window's WM_DESTROY posted WM_QUIT; it must not end a later loop.
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void AppTest::TearDown()
{
    ShutDown();
    RestoreRealSeam();
    DeleteSettingsKey();
}

static LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateTestWindow(const char* title, DWORD style, HWND owner, DWORD exStyle)
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
    HWND window = CreateWindowExA(exStyle, "VornelTestWindow", title, style, 100, 100, 300, 200, owner, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    PumpPending();
    return window;
}

COLORREF ClientPixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

CommandRecorder* CommandRecorder::active_;

CommandRecorder::CommandRecorder(HWND window, bool swallow) : window_(window), swallow_(swallow)
{
    active_ = this;
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
}

CommandRecorder::~CommandRecorder()
{
    if (IsWindow(window_))
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    active_ = nullptr;
}

LRESULT CALLBACK CommandRecorder::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CommandRecorder* self = active_;
    if (message == WM_COMMAND) {
        self->commands.push_back(LOWORD(wParam));
        if (self->swallow_)
            return 0;
    }
    return CallWindowProcA(self->original_, window, message, wParam, lParam);
}

void SetHeldKeys(bool control, bool shift)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = control ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
}

#include "menus/popup_menu.h"

MenuDriver* MenuDriver::active_;

MenuDriver::MenuDriver(HWND owner) : owner_(owner)
{
    active_ = this;
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
}

MenuDriver::~MenuDriver()
{
    if (IsWindow(owner_))
        SetWindowLongPtrA(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    active_ = nullptr;
}

MenuDriver& MenuDriver::Key(UINT key, int times)
{
    for (int i = 0; i < times; ++i) {
        HWND owner = owner_;
        steps_.push_back([owner, key] { PostMessageA(owner, WM_KEYDOWN, key, 0); });
    }
    return *this;
}

MenuDriver& MenuDriver::Then(const Step& step)
{
    // A look changes nothing the menu would notice, so wake it for the next idle.
    HWND owner = owner_;
    steps_.push_back([owner, step] {
        step();
        PostMessageA(owner, WM_NULL, 0, 0);
    });
    return *this;
}

void MenuDriver::Run()
{
    next_ = 0;
    // The menu closes at once if its owner loses the foreground while it
    // opens, so let an earlier activation finish first.
    SetForegroundWindow(owner_);
    PumpUntil([&] { return GetForegroundWindow() == owner_; });
    ShowPopupMenu(owner_);
    PumpPending();
}

LRESULT CALLBACK MenuDriver::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MenuDriver* self = active_;
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
        if (self->next_ < self->steps_.size())
            self->steps_[self->next_++]();
        else
            EndMenu();
    }
    if (message == WM_COMMAND)
        self->commands.push_back(LOWORD(wParam));

    return CallWindowProcA(self->original_, window, message, wParam, lParam);
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
