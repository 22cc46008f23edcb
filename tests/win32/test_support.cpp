#include "tests/win32/test_support.h"

#include "base/platform.h"
#include "app/startup.h"
#include "settings/settings_store.h"

std::vector<SeamCall> SeamCalls;
int MessageBoxAnswer = IDNO;
std::string OpenFileAnswer;

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

// Records the first filter and the flags; answers with OpenFileAnswer, or
// as a cancelled chooser when that is empty.
static BOOL WINAPI RecordGetOpenFileNameA(LPOPENFILENAMEA request)
{
    Record("GetOpenFileNameA", request->lpstrFilter, request->lpstrFile, nullptr, request->Flags, request->hwndOwner);
    if (OpenFileAnswer.empty())
        return FALSE;
    lstrcpynA(request->lpstrFile, OpenFileAnswer.c_str(), static_cast<int>(request->nMaxFile));
    return TRUE;
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
    OpenFileAnswer.clear();
    Platform.GetOpenFileNameA = RecordGetOpenFileNameA;
}

void RestoreRealSeam()
{
    Platform = RealPlatformCalls;
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

COLORREF ClientPixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

DialogScript* DialogScript::active_;

DialogScript::~DialogScript()
{
    KillTimer(nullptr, timer_);
}

DialogScript& DialogScript::Then(const Step& step)
{
    steps_.push_back(step);
    return *this;
}

void DialogScript::Start()
{
    active_ = this;
    next_ = 0;
    timer_ = SetTimer(nullptr, 0, 20, Tick);
}

void CALLBACK DialogScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    DialogScript* self = active_;
    if (!self)
        return;
    HWND dialog = FindWindowA(nullptr, self->title_.c_str());
    if (!dialog || self->next_ >= self->steps_.size())
        return;
    self->steps_[self->next_++](dialog);
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


HungWindow::HungWindow(const char* className) : className_(className)
{
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    WaitForSingleObject(ready_, 5000);
}

HungWindow::~HungWindow()
{
    SetEvent(release_);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    CloseHandle(ready_);
    CloseHandle(release_);
}

DWORD WINAPI HungWindow::Run(void* parameter)
{
    HungWindow* self = static_cast<HungWindow*>(parameter);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIconA(nullptr, IDI_QUESTION);
    windowClass.lpszClassName = self->className_.c_str();
    bool registered = RegisterClassA(&windowClass) != 0;
    self->window = CreateWindowA(windowClass.lpszClassName, "hung", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 100,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetEvent(self->ready_);
    WaitForSingleObject(self->release_, INFINITE);   // answers nothing meanwhile
    DestroyWindow(self->window);
    if (registered)
        UnregisterClassA(windowClass.lpszClassName, GetModuleHandleA(nullptr));
    return 0;
}
