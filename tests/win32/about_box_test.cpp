// The About box in-process: its template and version line, the two links
// handed to the shell while the box stays open, and Escape.
#include "tests/win32/test_support.h"

#include "base/product.h"
#include "res/resource.h"

class AboutBox : public AppTest {
protected:
    void Open() { SendMessageA(window, WM_COMMAND, 26, 0); }
};

TEST_F(AboutBox, TheTemplateAndTheVersionLine)
{
    std::string controls;   // each as its id and the first letter of its class
    char version[64] = "";
    DialogScript script("About");
    script.Then([&](HWND dialog) {
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char className[32];
            GetClassNameA(child, className, sizeof className);
            controls += std::to_string(static_cast<short>(GetDlgCtrlID(child))) + className[0] + " ";
        }
        GetDlgItemTextA(dialog, IDC_ABOUT_VERSION, version, sizeof version);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }).Start();
    Open();
    EXPECT_EQ("72S -1B 24B 29B 30B -1S 31S -1S ", controls);
    EXPECT_STREQ("Version 2.10", version) << "the template leaves it empty for the version resource";
}

TEST_F(AboutBox, HomepageTwiceAndEmailStartTheShellEachTimeAndEscapeCloses)
{
    bool openAfterLinks = false, openAfterEscape = false;
    DialogScript script("About");
    script.Then([&](HWND dialog) {
        for (int id : { IDC_ABOUT_HOMEPAGE, IDC_ABOUT_HOMEPAGE, IDC_ABOUT_EMAIL })
            SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
        openAfterLinks = IsWindowVisible(dialog) != FALSE;
        // The key goes to the control with the focus; the dialog manager
        // turns it into Cancel.
        PostMessageA(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    }).Then([&](HWND dialog) {   // runs only if Escape left the box open
        openAfterEscape = true;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }).Start();
    Open();
    EXPECT_TRUE(openAfterLinks);
    EXPECT_FALSE(openAfterEscape);
    std::vector<std::string> files;
    for (const SeamCall& call : SeamCallsOf("ShellExecuteA"))
        files.push_back(call.text1);
    EXPECT_EQ((std::vector<std::string>{ PRODUCT_HOME_PAGE, PRODUCT_HOME_PAGE,
                                         "mailto:" PRODUCT_SUPPORT_ADDRESS "?Subject=Vornel" }),
              files);
}
