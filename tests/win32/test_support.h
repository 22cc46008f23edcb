// Helpers for the in-process tests under Wine: a clean registry, a message
// pump that waits for a condition with a bound, recorders swapped into the
// seam, and a fixture that starts the program's whole start-up in-process.
#ifndef VORNEL_TESTS_WIN32_TEST_SUPPORT_H
#define VORNEL_TESTS_WIN32_TEST_SUPPORT_H

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "menus/dynamic_menu.h"
#include "tests/support/seam_recorder.h"
#include "tests/support/wine_support.h"

// The handle of the dynamic submenu whose title stands at a root position.
HMENU SubmenuAt(int rootPosition);
// The dynamic submenu at a root position, to look into its table.
DynamicSubmenu& SubmenuRecordAt(int rootPosition);
// Puts entry k into a dynamic submenu's table as its builder would, without
// a menu item.
MenuEntry& PlantMenuEntry(int rootPosition, int k, const char* text, const char* file = nullptr);
// Makes these (program, parameters) the favourites in force.
void UseFavourites(const std::vector<std::pair<std::string, std::string>>& entries);

// Copies a fixture file from beside the test program into the system
// directory for the test's duration (under another name when given).
class InstalledFixture {
public:
    explicit InstalledFixture(const char* file, const char* installedName = nullptr);
    ~InstalledFixture();
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The whole start-up in-process with a clean registry and recorders in the
// seam; the tear-down runs the program's own shutdown.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs the shutdown now (for tests of the exit itself).
    void ShutDown();
    // Prepares the registry before start-up; override to store settings.
    virtual void BeforeStart() {}

    HWND window = nullptr;
};


// A window whose thread stops answering messages until the object goes.
// Its class has an icon (IDI_QUESTION) and it answers no WM_GETICON. Given a
// class name (such as the button's "SimpleClass") the class is registered
// for the window's life.
class HungWindow {
public:
    explicit HungWindow(const char* className = "VornelHungWindow", const char* title = "hung");
    ~HungWindow();
    HWND window = nullptr;

private:
    static DWORD WINAPI Run(void* parameter);
    std::string className_, title_;
    HANDLE ready_, release_, thread_;
};

// A window whose thread answers every message another thread sends it, but
// each only after delayMs; its children (titled "slow child") belong to the
// same thread. Its class has an icon (IDI_QUESTION) and it answers no
// WM_GETICON. When given, onFirstText runs on that thread the first time
// the window or a child is sent WM_GETTEXT, before the delay.
class SlowWindow {
public:
    SlowWindow(DWORD delayMs, int children = 0, std::function<void()> onFirstText = nullptr);
    ~SlowWindow();
    // WM_GETTEXT answered so far by the window and its children.
    LONG TextsAnswered() const { return texts_; }
    HWND window = nullptr;
    std::vector<HWND> children;

private:
    static DWORD WINAPI Run(void* parameter);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    DWORD delay_;
    int childCount_;
    std::function<void()> onFirstText_;
    volatile LONG texts_ = 0;
    volatile LONG quitting_ = 0;
    HANDLE ready_, thread_;
    DWORD threadId_ = 0;
};

// An AppTest with one shell folder ("Desktop", "Start Menu") pointed at a
// fresh temporary directory for the test's duration.
class ShellFolderTest : public AppTest {
protected:
    ShellFolderTest(const char* valueName, const char* directoryName)
        : valueName_(valueName), directoryName_(directoryName) {}
    void SetUp() override
    {
        AppTest::SetUp();
        folder_.reset(new TemporaryDirectory(directoryName_));
        value_.reset(new ShellFolderOverride(valueName_, folder_->path()));
    }
    void TearDown() override
    {
        value_.reset();
        folder_.reset();
        AppTest::TearDown();
    }
    const char* valueName_;
    const char* directoryName_;
    std::unique_ptr<TemporaryDirectory> folder_;
    std::unique_ptr<ShellFolderOverride> value_;
};

// Top-level test windows made for one test; DestroyAll (or the destructor)
// destroys those still there.
class TestWindows {
public:
    ~TestWindows() { DestroyAll(); }
    HWND Make(const char* title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND owner = nullptr)
    {
        HWND w = CreateTestWindow(title, style, owner);
        windows_.push_back(w);
        return w;
    }
    void DestroyAll()
    {
        for (HWND w : windows_)
            if (IsWindow(w))
                DestroyWindow(w);
        windows_.clear();
    }

private:
    std::vector<HWND> windows_;
};

// The window style and extended style a dialog template of the program's
// resources asks for, read from the template itself (the system adds and
// drops some bits on the live window).
bool DialogTemplateStyles(int templateId, DWORD& style, DWORD& exStyle);

// One control of a dialog template as the resource compiler laid it down.
struct TemplateControl {
    int id;
    short x, y, cx, cy;
};
// The controls of an extended dialog template of the program's resources.
std::vector<TemplateControl> DialogTemplateControls(int templateId);

// The controls of a dialog in their order, as "id:CLASS " pairs
// ("22:LISTBOX -1:STATIC ..."), for one compact check of a template.
std::string DialogControls(HWND dialog);

// Reads the colour of a pixel of a window's client area.
COLORREF ClientPixel(HWND window, int x, int y);

// Runs steps inside a modal dialog's loop: each step runs from a timer once
// a visible window with the dialog's title exists (a template without
// WS_VISIBLE is shown when the loop first goes idle); the last step should
// close it.
class DialogScript {
public:
    typedef std::function<void(HWND)> Step;
    explicit DialogScript(const char* title) : title_(title) {}
    ~DialogScript();
    DialogScript& Then(const Step& step);
    void Start();

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::string title_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
    static DialogScript* active_;
};

#endif

// Records the WM_COMMAND identifiers the button receives, then lets the
// program handle them (or swallows them when told to).
class CommandRecorder {
public:
    explicit CommandRecorder(HWND window, bool swallow = false);
    ~CommandRecorder();
    std::vector<UINT> commands;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_;
    WNDPROC original_;
    bool swallow_;
    static CommandRecorder* active_;
};

// Sets the thread's view of the modifier keys, as GetKeyState reports it.
void SetHeldKeys(bool control, bool shift);

// Points the test program's own import of a function (linked in from the
// program's code) at a replacement for the object's life, to act at an exact
// moment between two of the program's calls, as another program might.
class ImportReplacement {
public:
    ImportReplacement(const char* library, const char* function, void* replacement);
    ~ImportReplacement();
    ImportReplacement(const ImportReplacement&) = delete;
    ImportReplacement& operator=(const ImportReplacement&) = delete;
    bool installed() const { return slot_ != nullptr; }
    void* original() const { return original_; }

private:
    void Set(void* function);
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

// A share of another machine, \\host\share, that Wine serves from a folder
// of its prefix, so a program can ask about files "on the network" without
// one. Not available outside Wine.
class WineShare {
public:
    WineShare(const char* host, const char* share);
    ~WineShare();
    bool available() const { return !unc_.empty(); }
    // \\host\share\name, as a program names it.
    std::string file(const char* name) const { return unc_ + "\\" + name; }

private:
    std::string root_, unc_;
};

// The text the clipboard holds as CF_TEXT ("<none>" without any).
std::string ClipboardText();

// The items of the popup menu shown now, joined by '|', each greyed one
// after a '-'; "" when none is shown.
std::string ShownMenu();

// Drives the real popup menu from inside its own loop: each time the menu
// goes idle (WM_ENTERIDLE to its owner) the next step runs; a step posts a
// key, which the menu loop takes as navigation, or looks at what is shown.
// A menu still open when the steps run out is closed.
class MenuDriver {
public:
    typedef std::function<void()> Step;
    explicit MenuDriver(HWND owner);
    ~MenuDriver();
    MenuDriver& Key(UINT key, int times = 1);
    MenuDriver& Then(const Step& step);
    // Opens the menu with a right press on the owner, as the user does, and
    // runs the steps.
    void Run();
    // The same for a menu that open makes the owner track.
    void RunFrom(const std::function<void()>& open);
    std::vector<UINT> commands;   // WM_COMMAND received by the owner meanwhile and after

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND owner_;
    WNDPROC original_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    static MenuDriver* active_;
};
