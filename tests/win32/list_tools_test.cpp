// What the Processes list and the Windows list share: the shape of their
// templates and the way they follow the size of their dialog.
#include "tests/win32/test_support.h"

#include <commctrl.h>

#include "res/resource.h"

namespace {

std::vector<std::string> ControlsOf(HWND dialog)
{
    std::vector<std::string> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32], text[32];
        GetClassNameA(child, className, sizeof className);
        GetWindowTextA(child, text, sizeof text);
        controls.push_back(std::to_string(GetDlgCtrlID(child)) + " " + className + " " + text);
    }
    return controls;
}

std::vector<LONG> PlaceOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return { rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top };
}

class ListTools : public AppTest {};

}  // namespace

TEST_F(ListTools, TheTemplatesAreAsDesigned)
{
    struct Tool {
        UINT command;
        int templateId;
        const char* title;
        const char* list;
    } tools[] = { { 73, 95, "Processes list", "96 SysListView32 " }, { 74, 90, "Windows list", "91 SysTreeView32 " } };
    for (const Tool& tool : tools) {
        SCOPED_TRACE(tool.title);
        DWORD style = 0, exStyle = 0;
        EXPECT_TRUE(DialogTemplateStyles(tool.templateId, style, exStyle));
        EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX |
                                     DS_MODALFRAME | DS_SETFOREGROUND | DS_SETFONT),
                  style);
        EXPECT_EQ(static_cast<DWORD>(WS_EX_TOOLWINDOW), exStyle);
        DialogScript script(tool.title);
        script.Then([&](HWND dialog) {
            RECT client, units = { 0, 0, 300, 300 };
            GetClientRect(dialog, &client);
            MapDialogRect(dialog, &units);
            EXPECT_EQ(units.right, client.right);
            EXPECT_EQ(units.bottom, client.bottom);
            EXPECT_EQ((std::vector<std::string>{ tool.list, "92 Button &Refresh", "24 Button &Close" }),
                      ControlsOf(dialog));
            HWND list = GetWindow(dialog, GW_CHILD);
            LONG listStyle = GetWindowLongA(list, GWL_STYLE);
            // Some list controls trade the border for a sunken edge.
            EXPECT_TRUE((listStyle & WS_BORDER) || (GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
            EXPECT_TRUE(listStyle & WS_TABSTOP);
            if (tool.command == 74) {
                const LONG tree = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
                EXPECT_EQ(tree, listStyle & tree);
                PostMessageA(dialog, WM_CLOSE, 0, 0);
                return;
            }
            EXPECT_EQ(LVS_REPORT, listStyle & (LVS_TYPEMASK | LVS_SORTASCENDING | LVS_SORTDESCENDING));
            const char* headers[] = { "Process", "Process ID", "Parent ID" };
            const int widths[] = { 240, 80, 80 }, formats[] = { LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_RIGHT };
            for (int i = 0; i < 4; ++i) {
                char header[32] = "";
                LVCOLUMNA column = {};
                column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
                column.pszText = header;
                column.cchTextMax = sizeof header;
                BOOL exists = SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)) != 0;
                EXPECT_EQ(i < 3, exists) << "column " << i;
                if (i < 3 && exists) {
                    EXPECT_STREQ(headers[i], header);
                    EXPECT_EQ(widths[i], column.cx) << header;
                    EXPECT_EQ(formats[i], column.fmt & LVCFMT_JUSTIFYMASK) << header;
                }
            }
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }).Start();
        SendMessageA(window, WM_COMMAND, tool.command, 0);
    }
}

TEST_F(ListTools, FollowTheSizeOfTheDialog)
{
    DialogScript script("Processes list");
    script.Then([&](HWND dialog) {
        std::vector<LONG> close = PlaceOf(GetDlgItem(dialog, IDC_CLOSE));
        LONG w = close[2], h = close[3];
        SendMessageA(dialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
        EXPECT_EQ((std::vector<LONG>{ 6, 6, 388, 258 }), PlaceOf(GetDlgItem(dialog, IDC_PROCESS_LIST)));
        EXPECT_EQ((std::vector<LONG>{ 400 - w - 6, 300 - h - 6, w, h }), PlaceOf(GetDlgItem(dialog, IDC_CLOSE)));
        EXPECT_EQ((std::vector<LONG>{ 6, 300 - h - 6, w, h }), PlaceOf(GetDlgItem(dialog, IDC_REFRESH)));
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }).Start();
    SendMessageA(window, WM_COMMAND, 73, 0);
}
