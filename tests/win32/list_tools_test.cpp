// The Processes list and the Windows list in-process: both process back-ends
// against the prefix's real processes, the native buffer and its walk, the
// rows and the tree of the two dialogs, and what the two dialogs share.
#include "tests/win32/test_support.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

#include "base/system_libraries.h"
#include "base/window_text.h"
#include "res/resource.h"
#include "dialogs/processes_list/processes_list.h"
#include "dialogs/windows_list/windows_list.h"
#include "ui/program_icons.h"

namespace {

class ProcessesList : public AppTest {};
class WindowsList : public AppTest {};
class ListTools : public AppTest {};

// A process as the dialog shows it: "name|identifier|parent identifier".
void Collect(void* rows, const char* name, DWORD processId, DWORD parentId)
{
    char row[MAX_PATH + 20];
    wsprintfA(row, "%s|%08x|%08x", name, static_cast<unsigned>(processId), static_cast<unsigned>(parentId));
    static_cast<std::vector<std::string>*>(rows)->push_back(row);
}

ULONG FakeNeeds;
int FakeCalls;
LONG WINAPI FakeQuery(ULONG, void*, ULONG size, ULONG* needed)
{
    ++FakeCalls;
    *needed = FakeNeeds;
    return size < FakeNeeds ? static_cast<LONG>(0xC0000004) : 0;
}

// The rows of the list as shown, and the image of each.
std::vector<std::string> Shown(HWND list, std::vector<int>& images)
{
    std::vector<std::string> rows;
    images.clear();
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        std::string text;
        for (int column = 0; column < 3; ++column) {
            char cell[MAX_PATH] = "";
            LVITEMA item = { LVIF_TEXT | LVIF_IMAGE, row, column, 0, 0, cell, sizeof cell };
            ListView_GetItem(list, &item);
            text += (column ? "|" : "") + std::string(cell);
            if (column == 0)
                images.push_back(item.iImage);
        }
        rows.push_back(text);
    }
    return rows;
}

int ImageCount(HIMAGELIST images)
{
    return images ? LoadCommonControls()->GetImageCount(images) : -1;
}

HWND Make(const char* className, const char* title, HWND parent = nullptr)
{
    return CreateWindowA(className, title, parent ? WS_CHILD : WS_OVERLAPPED, 0, 0, 50, 50, parent, nullptr, nullptr,
                         nullptr);
}

LRESULT CALLBACK VanishesWhenAsked(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_GETTEXT)
        return DefWindowProcA(window, message, wParam, lParam);
    DestroyWindow(window);
    return 0;
}

std::string Line(const char* className, const char* text, HWND window)
{
    char line[600];
    wsprintfA(line, "\"%s\" - \"%s\" - HWND: %08x", className, text,
              static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
    return line;
}

struct TreeItem {
    int image = -1;
    std::vector<std::string> children;
};

// The items from first on by their lines, each with its image and its
// children's lines; the roots are the children of "".
void Walk(HWND tree, HTREEITEM first, const std::string& parent, std::map<std::string, TreeItem>& items)
{
    for (HTREEITEM handle = first; handle; handle = TreeView_GetNextSibling(tree, handle)) {
        char text[600] = "";
        TVITEMA item = { TVIF_TEXT | TVIF_IMAGE, handle, 0, 0, text, sizeof text };
        TreeView_GetItem(tree, &item);
        items[parent].children.push_back(text);
        items[text].image = item.iImage;
        Walk(tree, TreeView_GetChild(tree, handle), text, items);
    }
}

// One image of a list as the tree draws it.
std::vector<DWORD> Drawn(HIMAGELIST list, int index)
{
    typedef BOOL (WINAPI* DrawFunction)(HIMAGELIST, int, HDC, int, int, UINT);
    auto draw = reinterpret_cast<DrawFunction>(GetProcAddress(GetModuleHandleA("comctl32.dll"), "ImageList_Draw"));
    Canvas canvas(16, 16);
    canvas.Fill(RGB(1, 2, 3));
    return draw && draw(list, index, canvas.dc(), 0, 0, ILD_NORMAL) ? canvas.Pixels() : std::vector<DWORD>();
}

std::vector<LONG> PlaceOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return { rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top };
}

// Asks for the window's text into a buffer of a frame that ends at once,
// waiting far less than the window takes.
__attribute__((noinline)) bool AskFromAFrameThatEnds(HWND window)
{
    char text[255];
    return ReadWindowText(window, WINDOW_ANSWER, text, sizeof text, 10);
}

__attribute__((noinline)) void WaitForTexts(const SlowWindow& slow, LONG count)
{
    PumpUntil([&] { return slow.TextsAnswered() >= count; });
}

// Covers the stack where that frame was until the window has answered; true
// when the answer left the cover whole.
__attribute__((noinline)) bool CoverOutlastsTheAnswer(const SlowWindow& slow)
{
    volatile unsigned char cover[8192];
    for (volatile unsigned char& byte : cover)
        byte = 0xA5;
    WaitForTexts(slow, 1);
    for (volatile unsigned char& byte : cover) {
        if (byte != 0xA5)
            return false;
    }
    return true;
}

// Sends the dialog a command, as another program would.
void SendToWindowsList(WPARAM command)
{
    DWORD_PTR ignored;
    SendMessageTimeoutA(FindWindowA(nullptr, "Windows list"), WM_COMMAND, command, 0, SMTO_NORMAL, 5000, &ignored);
}

}  // namespace

TEST(ProcessesBackEnds, BothListTheRealProcessesAlike)
{
    STARTUPINFOA startup = { sizeof startup };
    PROCESS_INFORMATION child = {};
    char commandLine[] = "cmd.exe /c exit";
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                               &startup, &child));
    std::vector<std::string> native, toolHelp, ours;
    EXPECT_TRUE(EnumerateWithSystemInformation(Collect, &native));
    EXPECT_TRUE(EnumerateWithToolHelp(Collect, &toolHelp));
    TerminateProcess(child.hProcess, 0);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);

    Collect(&ours, "cmd.exe", child.dwProcessId, GetCurrentProcessId());
    EXPECT_EQ(1, std::count(native.begin(), native.end(), ours[0])) << ours[0];
    // The tool help snapshot has no idle process; everything else is the same.
    native.erase(std::remove_if(native.begin(), native.end(),
                                [](const std::string& row) { return row.find("|00000000|") != std::string::npos; }),
                 native.end());
    std::sort(native.begin(), native.end());
    std::sort(toolHelp.begin(), toolHelp.end());
    EXPECT_EQ(native, toolHelp);
}

TEST(ProcessesBackEnds, TheBufferGrowsBy16384BytesUntilTheAnswerFitsOrTheLimitIsNear)
{
    // A seventh step would pass 100000 bytes.
    const struct { ULONG needs, limit; bool fits; int steps; } cases[] = {
        { 40 * 1024, SYSTEM_PROCESS_BUFFER_LIMIT, true, 3 }, { 0xFFFFFFFF, 100000, false, 6 } };
    for (const auto& query : cases) {
        FakeNeeds = query.needs;
        FakeCalls = 0;
        SystemProcessBuffer buffer;
        EXPECT_EQ(query.fits, QuerySystemProcesses(FakeQuery, query.limit, buffer)) << query.needs;
        EXPECT_EQ(query.steps, buffer.growthSteps) << query.needs;
        EXPECT_EQ(1u + query.steps * 16384, buffer.size) << query.needs;
        EXPECT_EQ(query.steps + 1, FakeCalls) << query.needs;
    }
}

TEST(ProcessesBackEnds, TheWalkNamesTheIdleRecordAndNeverReadsOutsideTheBuffer)
{
    // Three records ending exactly where an inaccessible page begins: a read
    // past the end faults.
    const ULONG record = sizeof(ProcessRecord), nameRoom = 16, size = 3 * record + nameRoom;
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const ULONG page = system.dwPageSize;
    BYTE* pages = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * page, MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(nullptr, pages);
    DWORD old;
    ASSERT_TRUE(VirtualProtect(pages + page, page, PAGE_NOACCESS, &old));
    BYTE* data = pages + page - size;
    auto named = reinterpret_cast<ProcessRecord*>(data);
    auto idle = reinterpret_cast<ProcessRecord*>(data + record + nameRoom), strange = idle + 1;
    WCHAR* name = reinterpret_cast<WCHAR*>(named + 1);
    memcpy(name, L"a.exe", 10);
    named->NextEntryOffset = record + nameRoom;
    named->ImageName = { 10, 10, name };
    named->UniqueProcessId = reinterpret_cast<HANDLE>(8);
    named->InheritedFromUniqueProcessId = reinterpret_cast<HANDLE>(4);
    idle->NextEntryOffset = record;
    // A name said to lie before the buffer is not read; an offset out of the
    // buffer ends the list.
    memcpy(pages, L"b.exe", 10);
    strange->ImageName = { 10, 10, reinterpret_cast<WCHAR*>(pages) };
    strange->UniqueProcessId = reinterpret_cast<HANDLE>(0x8000fffc);
    strange->NextEntryOffset = 4096;

    std::vector<std::string> rows;
    ListProcessRecords(data, size, Collect, &rows);
    EXPECT_EQ((std::vector<std::string>{ "a.exe|00000008|00000004", "Idle|00000000|00000000", "|8000fffc|00000000" }),
              rows);
    VirtualFree(pages, 0, MEM_RELEASE);
}

TEST_F(ProcessesList, RowsKeepTheirProcessNamesAndRefreshToTheSameRowsAndImages)
{
    std::vector<std::string> listed;
    ASSERT_TRUE(EnumerateWithSystemInformation(Collect, &listed));
    HWND list = nullptr;
    DialogScript script("Processes list");
    script.Then([&](HWND dialog) {
        list = GetDlgItem(dialog, IDC_PROCESS_LIST);
        std::vector<int> images, again;
        // The shell's icon lookup may write another file's path over the name
        // it is given; the rows show the back-end's names all the same.
        std::vector<std::string> rows = Shown(list, images);
        EXPECT_EQ(listed, rows);
        int imageCount = ImageCount(ListView_GetImageList(list, LVSIL_SMALL));
        EXPECT_GT(imageCount, 0);
        EXPECT_EQ(imageCount, std::count_if(images.begin(), images.end(), [](int image) { return image >= 0; }));
        for (int i = 0; i < 2; ++i) {
            SendMessageA(dialog, WM_COMMAND, IDC_REFRESH, 0);
            EXPECT_EQ(rows, Shown(list, again)) << "refresh " << i;
            EXPECT_EQ(images, again) << "refresh " << i;
            EXPECT_EQ(imageCount, ImageCount(ListView_GetImageList(list, LVSIL_SMALL))) << "refresh " << i;
        }
        // The list view is left nothing to destroy a second time.
        SendMessageA(dialog, WM_CLOSE, 0, 0);
        EXPECT_EQ(nullptr, ListView_GetImageList(list, LVSIL_SMALL));
    }).Start();
    SendMessageA(window, WM_COMMAND, 73, 0);
    EXPECT_NE(nullptr, list);
}

TEST_F(WindowsList, ListsRealWindowsSortedUnderTheirParentsEvenWhenTheyHangOrVanish)
{
    // Zeta is made second, so the system lists it first; its line sorts after alpha's.
    HWND alpha = Make("Button", ""), zeta = Make("Static", "zeta"), edit = Make("Edit", "abc", zeta);
    HWND firstOfThem = FindWindowExA(nullptr, nullptr, nullptr, nullptr);
    while (firstOfThem && firstOfThem != alpha && firstOfThem != zeta)
        firstOfThem = FindWindowExA(nullptr, firstOfThem, nullptr, nullptr);
    ASSERT_EQ(zeta, firstOfThem);
    // The first child the walk meets goes away when it is asked for its text.
    HWND parent = Make("Static", "parent"), children[3];
    for (HWND& child : children)
        child = Make("Static", "child", parent);
    HWND vanishing = FindWindowExA(parent, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(vanishing, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(VanishesWhenAsked));
    HungWindow hung;
    ASSERT_NE(nullptr, hung.window);

    HWND tree = nullptr;
    DialogScript script("Windows list");
    script.Then([&](HWND dialog) {
        tree = GetDlgItem(dialog, IDC_WINDOW_TREE);
        std::map<std::string, TreeItem> items;
        Walk(tree, TreeView_GetRoot(tree), "", items);
        EXPECT_EQ(std::vector<std::string>{ "Desktop" }, items[""].children);
        std::vector<std::string> top = items["Desktop"].children;
        std::string alphaLine = Line("Button", "", alpha), zetaLine = Line("Static", "zeta", zeta);
        auto a = std::find(top.begin(), top.end(), alphaLine), z = std::find(top.begin(), top.end(), zetaLine);
        EXPECT_TRUE(a < z && z != top.end()) << "sorted by the text, whatever the system's order: " << alphaLine;
        EXPECT_EQ(std::vector<std::string>{ Line("Edit", "abc", edit) }, items[zetaLine].children);
        // The generic window's icon put beside the others, for its pixels.
        HIMAGELIST images = TreeView_GetImageList(tree, TVSIL_NORMAL);
        std::vector<DWORD> generic = Drawn(images, LoadCommonControls()->ReplaceIcon(images, -1, Icons.genericWindow));
        EXPECT_EQ(16u * 16, generic.size());
        EXPECT_EQ(generic, Drawn(images, items[alphaLine].image)) << "a window without any icon";

        EXPECT_FALSE(IsWindow(vanishing)) << "went away while it was read";
        std::vector<std::string> family = items[Line("Static", "parent", parent)].children;
        for (HWND child : children) {
            std::string line = Line("Static", "child", child);
            EXPECT_EQ(child == vanishing ? 0 : 1, std::count(family.begin(), family.end(), line)) << line;
        }
        for (int i = 0; i < 2; ++i) {
            // A few waits of a tenth of a second at most; without a bound the
            // filling would wait as long as the window hangs.
            DWORD start = GetTickCount();
            SendMessageA(dialog, WM_COMMAND, IDC_REFRESH, 0);
            EXPECT_LT(GetTickCount() - start, 2000u) << "refresh " << i;
            items.clear();
            Walk(tree, TreeView_GetRoot(tree), "", items);
            EXPECT_EQ(1u, items.count(Line("VornelHungWindow", "", hung.window))) << "refresh " << i;
            EXPECT_EQ(static_cast<int>(TreeView_GetCount(tree)), ImageCount(TreeView_GetImageList(tree, TVSIL_NORMAL)))
                << "one image per item, refresh " << i;
        }
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }).Start();
    SendMessageA(window, WM_COMMAND, 74, 0);
    EXPECT_NE(nullptr, tree);
    DestroyWindow(parent);
    DestroyWindow(zeta);
    DestroyWindow(alpha);
}

TEST_F(WindowsList, AThreadThatAnswersLateWritesNowhereCostsOneWaitAndNestsNoFilling)
{
    {
        SlowWindow slow(150, 50);
        ASSERT_EQ(50u, slow.children.size());
        EXPECT_FALSE(AskFromAFrameThatEnds(slow.window));
        EXPECT_TRUE(CoverOutlastsTheAnswer(slow)) << "the late answer landed in a frame that had ended";

        // A Refresh sent while the first filling waits for this window.
        SlowWindow messenger(0, 0, [] { SendToWindowsList(IDC_REFRESH); });
        DWORD elapsed = 0;
        DialogScript script("Windows list");
        script.Then([&](HWND dialog) {
            HWND tree = GetDlgItem(dialog, IDC_WINDOW_TREE);
            std::map<std::string, TreeItem> items;
            for (int refreshed = 0; refreshed < 2; ++refreshed) {
                // Each filling is whole: one root, every window once, one image per item.
                items.clear();
                Walk(tree, TreeView_GetRoot(tree), "", items);
                int count = static_cast<int>(TreeView_GetCount(tree));
                EXPECT_EQ(std::vector<std::string>{ "Desktop" }, items[""].children) << refreshed;
                EXPECT_EQ(count, static_cast<int>(items.size()) - 1) << refreshed;
                EXPECT_EQ(count, ImageCount(TreeView_GetImageList(tree, TVSIL_NORMAL))) << refreshed;
                if (refreshed)
                    break;
                EXPECT_EQ(2, messenger.TextsAnswered()) << "asked by each filling: the Refresh came after the first";
                DWORD start = GetTickCount();
                SendMessageA(dialog, WM_COMMAND, IDC_REFRESH, 0);
                elapsed = GetTickCount() - start;
            }
            HIMAGELIST images = TreeView_GetImageList(tree, TVSIL_NORMAL);
            std::vector<DWORD> generic =
                Drawn(images, LoadCommonControls()->ReplaceIcon(images, -1, Icons.genericWindow));
            std::vector<std::string> family = items[Line("VornelSlowWindow", "", slow.window)].children;
            EXPECT_EQ(50u, family.size());
            for (HWND child : slow.children) {
                std::string line = Line("VornelSlowWindow", "", child);
                EXPECT_EQ(1, std::count(family.begin(), family.end(), line)) << line;
                EXPECT_TRUE(generic == Drawn(images, items[line].image)) << "the generic icon: " << line;
            }
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }).Start();
        SendMessageA(window, WM_COMMAND, 74, 0);
        ::testing::Test::RecordProperty("refresh_ms", static_cast<int>(elapsed));
        // Far below fifty waits for the text and a hundred for the icons.
        EXPECT_LT(elapsed, 5000u);
    }

    // A Close sent while the first filling waits ends the dialog before it
    // shows; the slow thread and its overdue answers have gone.
    SlowWindow closer(0, 0, [] { SendToWindowsList(IDC_CLOSE); });
    bool shown = false;
    DialogScript closing("Windows list");
    closing.Then([&](HWND dialog) {
        shown = true;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }).Start();
    SendMessageA(window, WM_COMMAND, 74, 0);
    EXPECT_FALSE(shown);
}

TEST_F(ListTools, BothDialogsFollowTheirTemplateAndTheSizeOfTheDialog)
{
    const struct { UINT command; int templateId, listId; const char *title, *list; LONG listStyle; } tools[] = {
        { 73, 95, 96, "Processes list", "96 SysListView32", LVS_REPORT },
        { 74, 90, 91, "Windows list", "91 SysTreeView32", TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT } };
    for (const auto& tool : tools) {
        SCOPED_TRACE(tool.title);
        bool shown = false;
        DWORD style = 0, exStyle = 0;
        EXPECT_TRUE(DialogTemplateStyles(tool.templateId, style, exStyle));
        EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX |
                                     DS_MODALFRAME | DS_SETFOREGROUND | DS_SETFONT),
                  style);
        EXPECT_EQ(static_cast<DWORD>(WS_EX_TOOLWINDOW), exStyle);
        DialogScript script(tool.title);
        script.Then([&](HWND dialog) {
            shown = true;
            RECT client, units = { 0, 0, 300, 300 };
            GetClientRect(dialog, &client);
            MapDialogRect(dialog, &units);
            EXPECT_TRUE(EqualRect(&units, &client)) << client.right << " x " << client.bottom;
            std::vector<std::string> controls;
            for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                char className[32] = "";
                GetClassNameA(child, className, sizeof className);
                controls.push_back(std::to_string(GetDlgCtrlID(child)) + " " + className);
            }
            EXPECT_EQ((std::vector<std::string>{ tool.list, "92 Button", "24 Button" }), controls);
            HWND list = GetDlgItem(dialog, tool.listId), close = GetDlgItem(dialog, IDC_CLOSE);
            EXPECT_EQ(tool.listStyle, GetWindowLongA(list, GWL_STYLE) & tool.listStyle);

            LONG w = PlaceOf(close)[2], h = PlaceOf(close)[3];
            SendMessageA(dialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
            EXPECT_EQ((std::vector<LONG>{ 6, 6, 400 - 12, 300 - 42 }), PlaceOf(list));
            EXPECT_EQ((std::vector<LONG>{ 400 - w - 6, 300 - h - 6, w, h }), PlaceOf(close));
            EXPECT_EQ((std::vector<LONG>{ 6, 300 - h - 6, w, h }), PlaceOf(GetDlgItem(dialog, IDC_REFRESH)));
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }).Start();
        SendMessageA(window, WM_COMMAND, tool.command, 0);
        EXPECT_TRUE(shown);
    }
}
