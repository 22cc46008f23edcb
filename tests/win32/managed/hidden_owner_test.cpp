// The popup menu while the button is hidden: from the tray icon in TrayOnly,
// and from Ctrl+Shift+Delete in HotkeyOnly.
#include "tests/win32/test_support.h"

#include "app/main_window.h"
#include "ui/program_icons.h"
#include "ui/tray_icon.h"

static bool MenuWasOpen;
static HICON IconWhileOpen;

// Runs once the menu loop dispatches timers: notes what is shown and closes it.
static void CALLBACK LookAndCloseMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    MenuWasOpen = FindWindowA("#32768", nullptr) != nullptr;
    IconWhileOpen = TrayIconData.hIcon;
    EndMenu();
}

class HiddenOwner : public AppTest {
protected:
    void OpenAndLook(UINT message, WPARAM wParam, LPARAM lParam)
    {
        MenuWasOpen = false;
        IconWhileOpen = nullptr;
        SetTimer(nullptr, 0, 100, LookAndCloseMenu);
        SendMessageA(window, message, wParam, lParam);
        PumpPending();
    }
};

TEST_F(HiddenOwner, TrayRightClickOpensTheMenuWithThePressedIcon)
{
    SendMessageA(window, WM_COMMAND, 56, 0);
    ASSERT_FALSE(IsWindowVisible(window));
    if (!TrayIconShown)
        GTEST_SKIP() << "this shell takes no tray icons";
    OpenAndLook(MSG_TRAY_CALLBACK, TRAY_ICON_ID, WM_RBUTTONDOWN);
    EXPECT_TRUE(MenuWasOpen);
    EXPECT_EQ(ButtonIcons[1], IconWhileOpen) << "pressed while the menu is open";
    EXPECT_EQ(ButtonIcons[0], TrayIconData.hIcon) << "released after";
}

TEST_F(HiddenOwner, TheHotkeyOpensTheMenuWithNeitherButtonNorTrayIcon)
{
    SendMessageA(window, WM_COMMAND, 44, 0);
    ASSERT_FALSE(IsWindowVisible(window));
    ASSERT_FALSE(TrayIconShown);
    OpenAndLook(WM_HOTKEY, 4096, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_DELETE));
    EXPECT_TRUE(MenuWasOpen);
}
