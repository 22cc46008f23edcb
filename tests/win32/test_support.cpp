#include "tests/win32/test_support.h"

#include <string.h>

#include "app/shutdown.h"
#include "app/startup.h"
#include "base/platform.h"
#include "menus/dynamic_submenus.h"
#include "settings/favourites_store.h"
#include "settings/settings_store.h"

DynamicSubmenu& SubmenuRecordAt(int rootPosition)
{
    return *DynamicSubmenuAtPosition(rootPosition);
}

HMENU SubmenuAt(int rootPosition)
{
    return SubmenuRecordAt(rootPosition).menu;
}

MenuEntry& PlantMenuEntry(int rootPosition, int k, const char* text, const char* file)
{
    DynamicSubmenu& submenu = SubmenuRecordAt(rootPosition);
    MenuEntry& entry = submenu.entries[k];
    entry = MenuEntry();
    entry.text = text ? _strdup(text) : nullptr;
    entry.file = file ? _strdup(file) : nullptr;
    if (submenu.count < k + 1)
        submenu.count = k + 1;
    return entry;
}

void UseFavourites(const std::vector<std::pair<std::string, std::string>>& entries)
{
    FavouriteListRecord list;
    for (const auto& entry : entries)
        AppendFavourite(list, entry.first.c_str(), entry.second.c_str());
    TakeFavourites(list);
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
    if (!self || self->next_ >= self->steps_.size())
        return;
    HWND dialog = FindWindowA(nullptr, self->title_.c_str());
    if (!dialog || !IsWindowVisible(dialog))
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

std::string ClipboardText()
{
    std::string text = "<none>";
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

std::string ShownMenu()
{
    for (HWND popup = FindWindowExA(nullptr, nullptr, "#32768", nullptr); popup;
         popup = FindWindowExA(nullptr, popup, "#32768", nullptr)) {
        if (!IsWindowVisible(popup))
            continue;
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
        std::string items;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = "";
            GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            items += (i ? "|" : "") + std::string(GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED ? "-" : "") + text;
        }
        return items;
    }
    return "";
}

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
    RunFrom([this] { SendMessageA(owner_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5)); });
}

void MenuDriver::RunFrom(const std::function<void()>& open)
{
    next_ = 0;
    // The menu closes at once if its owner loses the foreground while it
    // opens, so let an earlier activation finish first.
    SetForegroundWindow(owner_);
    PumpUntil([&] { return GetForegroundWindow() == owner_; });
    open();
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


HungWindow::HungWindow(const char* className, const char* title) : className_(className), title_(title)
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

// A class with the question-mark icon; false when it was there already.
static bool RegisterQuestionClass(const char* name, WNDPROC procedure)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIconA(nullptr, IDI_QUESTION);
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

DWORD WINAPI HungWindow::Run(void* parameter)
{
    HungWindow* self = static_cast<HungWindow*>(parameter);
    bool registered = RegisterQuestionClass(self->className_.c_str(), DefWindowProcA);
    self->window = CreateWindowA(self->className_.c_str(), self->title_.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 50, 50, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetEvent(self->ready_);
    WaitForSingleObject(self->release_, INFINITE);   // answers nothing meanwhile
    DestroyWindow(self->window);
    if (registered)
        UnregisterClassA(self->className_.c_str(), GetModuleHandleA(nullptr));
    return 0;
}

static const char SlowWindowClass[] = "VornelSlowWindow";

SlowWindow::SlowWindow(DWORD delayMs, int children, std::function<void()> onFirstText)
    : delay_(delayMs), childCount_(children), onFirstText_(onFirstText)
{
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, &threadId_);
    WaitForSingleObject(ready_, 5000);
}

SlowWindow::~SlowWindow()
{
    // Whatever is still queued is answered at once.
    InterlockedExchange(&quitting_, 1);
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    CloseHandle(ready_);
}

LRESULT CALLBACK SlowWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SlowWindow* self = reinterpret_cast<SlowWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || !InSendMessage())
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_GETTEXT && self->onFirstText_) {
        std::function<void()> once;
        once.swap(self->onFirstText_);
        once();
    }
    if (!self->quitting_)
        Sleep(self->delay_);   // the slowness being imitated, not a wait of the test
    LRESULT result = DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_GETTEXT)
        InterlockedIncrement(&self->texts_);
    return result;
}

DWORD WINAPI SlowWindow::Run(void* parameter)
{
    SlowWindow* self = static_cast<SlowWindow*>(parameter);
    RegisterQuestionClass(SlowWindowClass, Procedure);
    std::vector<HWND> made;
    made.push_back(CreateWindowA(SlowWindowClass, "slow", WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr));
    for (int i = 0; i < self->childCount_; ++i) {
        made.push_back(CreateWindowA(SlowWindowClass, "slow child", WS_CHILD, 0, 0, 10, 10, made[0], nullptr,
                                     GetModuleHandleA(nullptr), nullptr));
    }
    for (HWND w : made)
        SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window = made[0];
    self->children.assign(made.begin() + 1, made.end());
    SetEvent(self->ready_);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    DestroyWindow(made[0]);
    UnregisterClassA(SlowWindowClass, GetModuleHandleA(nullptr));
    return 0;
}

bool DialogTemplateStyles(int templateId, DWORD& style, DWORD& exStyle)
{
    HRSRC resource = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), RT_DIALOG);
    HGLOBAL loaded = resource ? LoadResource(GetModuleHandleA(nullptr), resource) : nullptr;
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!bytes || SizeofResource(GetModuleHandleA(nullptr), resource) < 16)
        return false;
    // DIALOGEX: version 1 and 0xFFFF, help id, extended style, style.
    WORD version, signature;
    memcpy(&version, bytes, 2);
    memcpy(&signature, bytes + 2, 2);
    if (version == 1 && signature == 0xFFFF) {
        memcpy(&exStyle, bytes + 8, 4);
        memcpy(&style, bytes + 12, 4);
    } else {
        memcpy(&style, bytes, 4);
        memcpy(&exStyle, bytes + 4, 4);
    }
    return true;
}

// Steps over a name-or-ordinal field of a template (the menu, class or title).
static const BYTE* SkipNameOrOrdinal(const BYTE* p)
{
    WORD first;
    memcpy(&first, p, 2);
    if (first == 0xFFFF)
        return p + 4;
    while (memcpy(&first, p, 2), first != 0)
        p += 2;
    return p + 2;
}

static const BYTE* AlignToDword(const BYTE* p, const BYTE* start)
{
    return start + ((p - start + 3) & ~3);
}

std::vector<TemplateControl> DialogTemplateControls(int templateId)
{
    std::vector<TemplateControl> controls;
    HRSRC resource = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), RT_DIALOG);
    HGLOBAL loaded = resource ? LoadResource(GetModuleHandleA(nullptr), resource) : nullptr;
    const BYTE* start = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!start)
        return controls;
    // DLGTEMPLATEEX: version, signature, help id, extended style, style,
    // item count, rectangle, then menu, class, title and the font.
    WORD count;
    DWORD style;
    memcpy(&style, start + 12, 4);
    memcpy(&count, start + 16, 2);
    const BYTE* p = SkipNameOrOrdinal(SkipNameOrOrdinal(SkipNameOrOrdinal(start + 26)));
    if (style & DS_SETFONT)
        p = SkipNameOrOrdinal(p + 6);
    for (WORD i = 0; i < count; ++i) {
        // DLGITEMTEMPLATEEX: help id, extended style, style, rectangle, id,
        // class, title, extra data.
        p = AlignToDword(p, start);
        TemplateControl control;
        memcpy(&control.x, p + 12, 2);
        memcpy(&control.y, p + 14, 2);
        memcpy(&control.cx, p + 16, 2);
        memcpy(&control.cy, p + 18, 2);
        DWORD id;
        memcpy(&id, p + 20, 4);
        control.id = static_cast<int>(id);
        p = SkipNameOrOrdinal(SkipNameOrOrdinal(p + 24));
        WORD extra;
        memcpy(&extra, p, 2);
        p += 2 + extra;
        controls.push_back(control);
    }
    return controls;
}

std::string DialogControls(HWND dialog)
{
    std::string controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32];
        GetClassNameA(child, className, sizeof className);
        controls += std::to_string(static_cast<short>(GetDlgCtrlID(child))) + ":" + CharUpperA(className) + " ";
    }
    return controls;
}

ImportReplacement::ImportReplacement(const char* library, const char* function, void* replacement)
{
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const IMAGE_NT_HEADERS* headers =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* module = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         module->Name && !slot_; ++module) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + module->Name), library) != 0)
            continue;
        auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
        for (; names->u1.AddressOfData && !slot_; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<const char*>(name->Name), function) == 0)
                slot_ = reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    if (!slot_)
        return;
    original_ = *slot_;
    Set(replacement);
}

ImportReplacement::~ImportReplacement()
{
    if (slot_)
        Set(original_);
}

void ImportReplacement::Set(void* function)
{
    DWORD previous;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &previous);
    *slot_ = function;
    VirtualProtect(slot_, sizeof *slot_, previous, &previous);
}

WineShare::WineShare(const char* host, const char* share)
{
    // Wine finds \\host\share under dosdevices\unc of its prefix; the Unix
    // root is drive Z:.
    char prefix[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    root_ = std::string("Z:") + prefix + "\\dosdevices\\unc\\" + host;
    for (char& c : root_)
        c = c == '/' ? '\\' : c;
    CreateDirectoryA(root_.substr(0, root_.rfind('\\')).c_str(), nullptr);
    CreateDirectoryA(root_.c_str(), nullptr);
    std::string folder = root_ + "\\" + share;
    CreateDirectoryA(folder.c_str(), nullptr);
    if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    unc_ = std::string("\\\\") + host + "\\" + share;
}

WineShare::~WineShare()
{
    if (!root_.empty())
        RemoveTree(root_);
}
