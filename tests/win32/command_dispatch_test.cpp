// WM_COMMAND: toggles, placements, the session commands, dialog guards,
// the dynamic ranges and identifiers the program does not know.
#include "tests/win32/test_support.h"

#include <sddl.h>

#include "app/command_dispatch.h"
#include "app/main_window.h"
#include "ui/button_face.h"
#include "menus/popup_menu.h"
#include "app/startup.h"
#include "settings/autorun.h"
#include "settings/settings_store.h"
#include "ui/tray_icon.h"

class Dispatch : public AppTest {
protected:
    LRESULT Command(UINT id) { return SendMessageA(window, WM_COMMAND, id, 0); }
    int32_t StoredInt(const char* name)
    {
        std::vector<unsigned char> bytes;
        EXPECT_TRUE(ReadValue(name, bytes));
        int32_t value = -1;
        if (bytes.size() == 4)
            memcpy(&value, bytes.data(), 4);
        return value;
    }
    bool Checked(UINT id) { return (GetMenuState(PopupMenu.tree.options, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    std::string ItemText(UINT id)
    {
        char text[128];
        GetMenuStringA(PopupMenu.tree.options, id, text, sizeof text, MF_BYCOMMAND);
        return text;
    }
};

TEST_F(Dispatch, EachToggleFlipsSavesAndKeepsItsText)
{
    struct Toggle { UINT id; const char* name; const char* text; bool initially; };
    const Toggle toggles[] = {
        { 52, "Force", "Force &Mode", false },
        { 60, "Confirmation", "&Confirmations (Exit and Restart)", true },
        { 59, "LargeSize", "&Large Window", false },
        { 58, "AutoRun", "&AutoRun", false },
    };
    for (const Toggle& toggle : toggles) {
        SCOPED_TRACE(toggle.name);
        EXPECT_EQ(0, Command(toggle.id));
        EXPECT_EQ(toggle.initially ? 0 : 8, StoredInt(toggle.name));
        EXPECT_EQ(!toggle.initially, Checked(toggle.id));
        EXPECT_EQ(toggle.text, ItemText(toggle.id));
        Command(toggle.id);
        EXPECT_EQ(toggle.initially ? 8 : 0, StoredInt(toggle.name));
        EXPECT_EQ(toggle.initially, Checked(toggle.id));
    }
}

TEST_F(Dispatch, LargeWindowResizesInPlace)
{
    MoveWindow(window, 30, 40, 25, 25, TRUE);
    Command(59);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(30, rect.left);
    EXPECT_EQ(40, rect.top);
    EXPECT_EQ(47, rect.right - rect.left);
    EXPECT_EQ(47, rect.bottom - rect.top);
    Command(59);
    GetWindowRect(window, &rect);
    EXPECT_EQ(25, rect.right - rect.left);
}

TEST_F(Dispatch, ToggledOffFromAnOddValueGoesOn)
{
    ChangeSetting(&SettingsRecord::force, 1);
    Command(52);
    EXPECT_EQ(8, Settings.force);
}

TEST_F(Dispatch, PlacementsShowHideAndKeepOneTrayIcon)
{
    Command(57);   // window and tray
    EXPECT_EQ(2, StoredInt("Place"));
    EXPECT_TRUE(IsWindowVisible(window));
    bool shellTakesIcons = TrayIconShown;

    Command(56);   // tray only: hidden, the same single icon
    EXPECT_EQ(1, StoredInt("Place"));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(shellTakesIcons, TrayIconShown);
    Command(56);   // again: the shell would refuse a second add of the same icon
    EXPECT_EQ(shellTakesIcons, TrayIconShown);

    Command(55);   // floating: shown, no icon
    EXPECT_EQ(0, StoredInt("Place"));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(TrayIconShown);
    if (shellTakesIcons) {
        EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, const_cast<NOTIFYICONDATAA*>(&TrayIconData))) << "the icon is gone from the shell";
    }

    Command(44);   // hotkey only: neither
    EXPECT_EQ(3, StoredInt("Place"));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(TrayIconShown);
}

TEST_F(Dispatch, SystemTrayKeepsTheButtonWhileTheShellRefusesTheIconAndKeepsTheChoice)
{
    // The shell refuses a second icon of the same window and id: one put
    // there first stands for a shell that takes none.
    NOTIFYICONDATAA taken = {};
    taken.cbSize = NOTIFYICONDATAA_V1_SIZE;
    taken.hWnd = window;
    taken.uID = TRAY_ICON_ID;
    taken.uFlags = NIF_ICON;
    taken.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    if (!Shell_NotifyIconA(NIM_ADD, &taken))
        GTEST_SKIP() << "this shell takes no tray icons";
    Command(56);
    EXPECT_FALSE(TrayIconShown);
    EXPECT_TRUE(IsWindowVisible(window)) << "no other way in";
    EXPECT_EQ(1, StoredInt("Place"));

    Shell_NotifyIconA(NIM_DELETE, &taken);
    SendMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIconShown);
    EXPECT_FALSE(IsWindowVisible(window)) << "the icon came, the button goes as the choice says";
}

TEST_F(Dispatch, TheTrayIconRecordIsTheOldestForm)
{
    Command(56);
    // 88 bytes on 32-bit; on 64-bit the same fields up to the 64-byte tip.
    EXPECT_EQ(sizeof(void*) == 4 ? 88u : offsetof(NOTIFYICONDATAA, szTip) + 64, TrayIconData.cbSize);
    EXPECT_EQ(window, TrayIconData.hWnd);
    EXPECT_EQ(100u, TrayIconData.uID);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), TrayIconData.uFlags);
    EXPECT_EQ(1025u, TrayIconData.uCallbackMessage);
    EXPECT_STREQ("Vornel 2.10", TrayIconData.szTip);
    EXPECT_NE(nullptr, TrayIconData.hIcon);
}

TEST_F(Dispatch, RefreshAndTaskbarRestartReAddOnlyInTrayModes)
{
    SendMessageA(window, WM_USER + 2, 0, 0);
    EXPECT_FALSE(TrayIconShown) << "floating: no icon";
    SendMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_FALSE(TrayIconShown);

    Command(56);
    if (!TrayIconShown)
        GTEST_SKIP() << "this shell takes no tray icons";
    SendMessageA(window, WM_USER + 2, 0, 0);
    EXPECT_TRUE(TrayIconShown) << "removed and added again";
    // A restarted taskbar has lost the icon: take it away behind the
    // program's back, then announce the new taskbar.
    Shell_NotifyIconA(NIM_DELETE, const_cast<NOTIFYICONDATAA*>(&TrayIconData));
    SendMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIconShown);
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, const_cast<NOTIFYICONDATAA*>(&TrayIconData))) << "the icon is there again";
}

TEST_F(Dispatch, SessionCommandsPassTheirModes)
{
    ChangeSetting(&SettingsRecord::confirmation, 0);
    Command(48);
    Command(49);
    Command(50);
    auto calls = SeamCallsOf("ExitWindowsEx");
    ASSERT_EQ(3u, calls.size());
    EXPECT_EQ(static_cast<UINT>(EWX_SHUTDOWN), calls[0].number);
    EXPECT_EQ(static_cast<UINT>(EWX_LOGOFF), calls[1].number);
    EXPECT_EQ(static_cast<UINT>(EWX_REBOOT), calls[2].number);
}

// The number of visible top-level windows with this title.
static int WindowsTitled(const char* title)
{
    int count = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        char text[64];
        count += IsWindowVisible(w) && GetWindowTextA(w, text, sizeof text) && !strcmp(text, title);
    }
    return count;
}

TEST_F(Dispatch, ASecondRequestForAnOpenSpyWindowDoesNothing)
{
    DialogScript script("Spy window");
    script.Then([&](HWND dialog) {
        DeleteSettingsKey();
        Command(75);
        EXPECT_FALSE(ValueExists("Force")) << "not opened again, so nothing is saved";
        EXPECT_EQ(1, WindowsTitled("Spy window"));
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }).Start();
    Command(75);
    EXPECT_TRUE(ValueExists("Force")) << "saved once the spy window closed";
}

class DispatchWithFavourite : public Dispatch {
    void BeforeStart() override { WriteStringValue("Item0", "C:\\prog.exe"); }
};

TEST_F(DispatchWithFavourite, EditingFavouritesStoresAndRebuildsTheSubmenu)
{
    EXPECT_EQ(3, GetMenuItemCount(SubmenuAt(ROOT_POSITION_FAVOURITES)));
    DeleteSettingsKey();
    DialogScript script("Favourite");
    script.Then([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }).Start();
    Command(42);
    EXPECT_TRUE(ValueExists("Item0")) << "the list is stored after the editor, even when cancelled";
    EXPECT_EQ(0u, GetMenuState(PopupMenu.tree.root, 42, MF_BYCOMMAND) & MF_GRAYED) << "enabled again afterwards";
    EXPECT_EQ(3, GetMenuItemCount(SubmenuAt(ROOT_POSITION_FAVOURITES)));
    EXPECT_EQ(3000u, GetMenuItemID(SubmenuAt(ROOT_POSITION_FAVOURITES), 2));
}

// Another program posts command 42 while the editor is open: the open one
// comes to the front, and what it then commits is what is stored.
TEST_F(DispatchWithFavourite, AnEditRequestWhileTheEditorIsOpenKeepsTheOneEditor)
{
    DialogScript script("Favourite");
    script.Then([&](HWND) { PostMessageA(window, WM_COMMAND, 42, 0); })
        .Then([&](HWND dialog) {
            PumpPending();
            EXPECT_EQ(1, WindowsTitled("Favourite"));
            EXPECT_NE(0u, GetMenuState(PopupMenu.tree.root, 42, MF_BYCOMMAND) & MF_GRAYED) << "still greyed";
            SetDlgItemTextA(dialog, 23, "C:\\added.exe");
            SendMessageA(dialog, WM_COMMAND, 39, 0);
            SendMessageA(dialog, WM_COMMAND, 24, 0);
        })
        .Start();
    Command(42);
    std::vector<unsigned char> item;
    ASSERT_TRUE(ReadValue("Item0", item));
    EXPECT_STREQ("C:\\added.exe", reinterpret_cast<const char*>(item.data()));
    EXPECT_TRUE(ValueExists("Item1"));
    EXPECT_EQ(4, GetMenuItemCount(SubmenuAt(ROOT_POSITION_FAVOURITES)));
    EXPECT_EQ(0u, GetMenuState(PopupMenu.tree.root, 42, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(Dispatch, UnknownIdentifiersAndEmptyTableEntriesDoNothing)
{
    for (UINT id : { 43u, 45u, 54u, 62u, 72u, 999u, 6000u })
        EXPECT_FALSE(DispatchCommand(window, id)) << id;
    // In a range, but no entry was listed for it: handled, without effect.
    for (UINT id : { 1000u, 1099u, 2000u, 2099u, 3000u, 4000u, 5000u })
        EXPECT_TRUE(DispatchCommand(window, id)) << id;
    EXPECT_TRUE(SeamCalls.empty());
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(Dispatch, ExitRunsTheShutdown)
{
    Command(27);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(1u, SeamCallsOf("ExitProcess").size());
}

class EndSessionTest : public Dispatch {};

TEST_F(EndSessionTest, AsksWithTheModeTextAndDoesNothingOnNo)
{
    struct Case { UINT id; const char* text; };
    for (const Case& c : { Case{ 48, "Exit Windows?" }, Case{ 49, "Restart Windows?" }, Case{ 50, "Restart Computer?" } }) {
        SeamCalls.clear();
        Command(c.id);
        auto boxes = SeamCallsOf("MessageBoxA");
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(c.text, boxes[0].text1);
        EXPECT_EQ("Warning!", boxes[0].text2);
        EXPECT_EQ(0x1024u, boxes[0].number);
        EXPECT_EQ(window, boxes[0].window);
        EXPECT_TRUE(SeamCallsOf("ExitWindowsEx").empty());
    }
}

TEST_F(EndSessionTest, YesEndsTheSessionForcedOnlyWhenForceIsExactlyEight)
{
    MessageBoxAnswer = IDYES;
    ChangeSetting(&SettingsRecord::force, 8);
    Command(49);
    ChangeSetting(&SettingsRecord::force, 1);   // edited by hand
    Command(50);
    auto calls = SeamCallsOf("ExitWindowsEx");
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ(static_cast<UINT>(EWX_LOGOFF | EWX_FORCE), calls[0].number);
    EXPECT_EQ(static_cast<UINT>(EWX_REBOOT), calls[1].number);
}

TEST_F(EndSessionTest, AnyNonZeroConfirmationAsksAndZeroDoesNot)
{
    ChangeSetting(&SettingsRecord::confirmation, 1);
    Command(48);
    EXPECT_EQ(1u, SeamCallsOf("MessageBoxA").size());
    EXPECT_TRUE(SeamCallsOf("ExitWindowsEx").empty());
    ChangeSetting(&SettingsRecord::confirmation, 0);
    Command(48);
    EXPECT_EQ(1u, SeamCallsOf("MessageBoxA").size());
    EXPECT_EQ(1u, SeamCallsOf("ExitWindowsEx").size());
}

class AutoRunTest : public Dispatch {
protected:
    void TearDown() override
    {
        HKEY key;
        if (RegOpenKeyA(HKEY_CURRENT_USER, RunKey, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "Vornel");
            RegCloseKey(key);
        }
        Dispatch::TearDown();
    }
    bool RunValue(std::string& value)
    {
        char text[400] = "";
        DWORD size = sizeof text, type = 0;
        HKEY key;
        if (RegOpenKeyA(HKEY_CURRENT_USER, RunKey, &key) != ERROR_SUCCESS)
            return false;
        LONG status = RegQueryValueExA(key, "Vornel", nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
        RegCloseKey(key);
        value = text;
        return status == ERROR_SUCCESS && type == REG_SZ;
    }
};

TEST_F(AutoRunTest, OnWritesTheProgramPathOffDeletesIt)
{
    Command(58);
    std::string value;
    ASSERT_TRUE(RunValue(value));
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char expected[MAX_PATH + 2];
    RunCommandForPath(path, expected, sizeof expected);
    EXPECT_EQ(expected, value);
    Command(58);
    EXPECT_FALSE(RunValue(value));
}

// Denies setting values under the Run key (KEY_SET_VALUE) for the object's
// life, as a key locked by policy does.
class RunKeyLocked {
public:
    RunKeyLocked()
    {
        RegOpenKeyExA(HKEY_CURRENT_USER, RunKey, 0, READ_CONTROL | WRITE_DAC, &key_);
        DWORD size = sizeof saved_;
        RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_, &size);
        PSECURITY_DESCRIPTOR denied = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(D;;0x2;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1, &denied,
                                                             nullptr);
        locked_ = RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, denied) == ERROR_SUCCESS;
        LocalFree(denied);
    }
    ~RunKeyLocked()
    {
        RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_);
        RegCloseKey(key_);
    }
    bool locked() const { return locked_; }

private:
    HKEY key_ = nullptr;
    alignas(8) BYTE saved_[1024] = {};
    bool locked_ = false;
};

TEST_F(AutoRunTest, ARunEntryThatCannotBeWrittenLeavesAutoRunOff)
{
    RunKeyLocked lock;
    ASSERT_TRUE(lock.locked());
    Command(58);
    EXPECT_EQ(0, Settings.autoRun);
    EXPECT_FALSE(Checked(58));
    EXPECT_EQ(0, StoredInt("AutoRun"));
    std::string value;
    EXPECT_FALSE(RunValue(value));
}

TEST(RunCommand, QuotesAPathWithSpacesSoNoOtherProgramCanBeMeant)
{
    char out[64];
    EXPECT_TRUE(RunCommandForPath("C:\\Tools\\vornel.exe", out, sizeof out));
    EXPECT_STREQ("C:\\Tools\\vornel.exe", out);
    EXPECT_TRUE(RunCommandForPath("C:\\Program Files\\Vornel\\vornel.exe", out, sizeof out));
    EXPECT_STREQ("\"C:\\Program Files\\Vornel\\vornel.exe\"", out);
    EXPECT_FALSE(RunCommandForPath("C:\\Program Files\\Vornel\\vornel.exe", out, 36));
    EXPECT_STREQ("", out);
    wchar_t wide[64];
    EXPECT_TRUE(RunCommandForPath(L"C:\\Program Files\\\u03A9\\vornel.exe", wide, 64));
    EXPECT_STREQ(L"\"C:\\Program Files\\\u03A9\\vornel.exe\"", wide);
}
