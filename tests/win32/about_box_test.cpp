// The About box in-process: its template and texts, Escape, and the two
// links handed to the shell while the box stays open.
#include "tests/win32/test_support.h"

#include "about/about_box.h"
#include "app/startup.h"
#include "base/product.h"
#include "res/resource.h"

static std::string Text(HWND window)
{
    char text[128];
    GetWindowTextA(window, text, sizeof text);
    return text;
}

class AboutBox : public AppTest {
protected:
    void Open() { SendMessageA(window, WM_COMMAND, 26, 0); }
};

TEST_F(AboutBox, TheTemplateIsAsDesigned)
{
    DialogScript script("About");
    LONG style = 0;
    std::vector<std::pair<int, std::string>> controls;
    std::vector<std::string> texts;
    HICON icon = nullptr;
    script.Then([&](HWND dialog) {
        style = GetWindowLongA(dialog, GWL_STYLE);
        EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        RECT client, units = { 0, 0, 200, 100 };
        GetClientRect(dialog, &client);
        MapDialogRect(dialog, &units);
        EXPECT_EQ(units.right, client.right);
        EXPECT_EQ(units.bottom, client.bottom);
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char className[32];
            GetClassNameA(child, className, sizeof className);
            controls.push_back({ static_cast<short>(GetDlgCtrlID(child)), className });
            if (child != GetDlgItem(dialog, IDC_ABOUT_ICON))   // its text names the icon resource
                texts.push_back(Text(child));
        }
        EXPECT_EQ(SS_ICON, GetWindowLongA(GetDlgItem(dialog, IDC_ABOUT_ICON), GWL_STYLE) & SS_TYPEMASK);
        icon = reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0));
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }).Start();
    Open();
    const LONG styles = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
    EXPECT_EQ(styles, style & styles);
    EXPECT_NE(nullptr, icon) << "icon resource 9";
    std::vector<std::pair<int, std::string>> expected = {
        { 72, "Static" }, { -1, "Button" }, { 24, "Button" }, { 29, "Button" }, { 30, "Button" },
        { -1, "Static" }, { IDC_ABOUT_VERSION, "Static" }, { -1, "Static" } };
    ASSERT_EQ(expected.size(), controls.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].first, controls[i].first) << i;
        EXPECT_EQ(0, lstrcmpiA(expected[i].second.c_str(), controls[i].second.c_str())) << controls[i].second;
    }
    EXPECT_EQ((std::vector<std::string>{ "", "&Close", "&Homepage", "&Email", "Vornel", "Version 2.10",
                                         "Copyright (c) Kestrum.\nAll rights reserved." }),
              texts) << "the version as the version resource gives it";
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "About"));
}

TEST_F(AboutBox, EscapeClosesItLikeClose)
{
    DialogScript script("About");
    script.Then([](HWND dialog) {
        // The key goes to the control with the focus; the dialog manager
        // turns it into Cancel.
        PostMessageA(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    script.Start();
    EXPECT_EQ(0, DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDlgProc, 0));
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "About"));
    EXPECT_TRUE(SeamCalls.empty());
}

TEST_F(AboutBox, HomepageAndEmailStartTheShellEachTimeAndStayOpen)
{
    HWND shown = nullptr;
    bool openAfterLinks = false;
    DialogScript script("About");
    script.Then([&](HWND dialog) {
        shown = dialog;
        SendDlgItemMessageA(dialog, IDC_ABOUT_HOMEPAGE, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, IDC_ABOUT_HOMEPAGE, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, IDC_ABOUT_EMAIL, BM_CLICK, 0, 0);
        openAfterLinks = IsWindowVisible(dialog) != FALSE;
        SendDlgItemMessageA(dialog, IDC_CLOSE, BM_CLICK, 0, 0);
    }).Start();
    Open();
    EXPECT_TRUE(openAfterLinks);
    EXPECT_FALSE(IsWindow(shown));
    std::vector<SeamCall> calls = SeamCallsOf("ShellExecuteA");
    ASSERT_EQ(3u, calls.size());
    const std::string mail = std::string("mailto:") + PRODUCT_SUPPORT_ADDRESS + "?Subject=Vornel";
    const char* files[] = { PRODUCT_HOME_PAGE, PRODUCT_HOME_PAGE, mail.c_str() };
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(files[i], calls[i].text1) << i;
        EXPECT_EQ("(null)", calls[i].text2) << "no parameters";
        EXPECT_EQ("open|(null)", calls[i].text3) << "verb and directory";
        EXPECT_EQ(static_cast<UINT>(SW_SHOWDEFAULT), calls[i].number);
        EXPECT_EQ(shown, calls[i].window) << "the box owns what the shell shows";
    }
}
