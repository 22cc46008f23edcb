// The Processes list and the Windows list in-process: both process back-ends
// against the prefix's real processes, the native buffer and its walk, the
// rows and the tree of the two dialogs, and what the two dialogs share.
#include "tests/win32/test_support.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

#include "actions/process_actions.h"
#include "actions/window_actions.h"
#include "base/handles.h"
#include "base/platform.h"
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

// A process of the test's own, suspended so that it waits for nothing.
class ChildProcess {
public:
    ChildProcess()
    {
        STARTUPINFOA startup = { sizeof startup };
        char commandLine[] = "cmd.exe /c exit";
        CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                       &info_);
    }
    ~ChildProcess() { EndAndForget(); }
    DWORD id() const { return info_.dwProcessId; }
    bool Ended() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }
    // Ends it and waits until its identifier has gone.
    void EndAndForget()
    {
        if (!info_.hProcess)
            return;
        TerminateProcess(info_.hProcess, 0);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
        info_.hProcess = nullptr;
        PumpUntil([&] { return !KernelHandle(OpenProcess(SYNCHRONIZE, FALSE, info_.dwProcessId)).valid(); });
    }

private:
    PROCESS_INFORMATION info_ = {};
};

// The seam's TerminateProcess, which really ends the one process given.
DWORD EndableProcess;
BOOL WINAPI TerminateOnlyTheEndable(HANDLE process, UINT exitCode)
{
    SeamCalls.push_back(SeamCall());
    SeamCalls.back().function = "TerminateProcess";
    // The program's handle may not ask which process it is; a copy may.
    HANDLE asking = nullptr;
    DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &asking, PROCESS_QUERY_LIMITED_INFORMATION,
                    FALSE, 0);
    return GetProcessId(KernelHandle(asking).get()) == EndableProcess && TerminateProcess(process, exitCode);
}

// Closes the dialog when a script's step ends, also when a check ends it early.
struct CloseWhenDone {
    HWND dialog;
    ~CloseWhenDone() { PostMessageA(dialog, WM_CLOSE, 0, 0); }
};

LONG WINAPI MarkEveryProcessCritical(HANDLE, ULONG informationClass, void* answer, ULONG size, ULONG*)
{
    if (informationClass != 29 || size != sizeof(ULONG))
        return static_cast<LONG>(0xC0000003);
    *static_cast<ULONG*>(answer) = 1;
    return 0;
}

std::string Identifier(DWORD id)
{
    char text[16];
    wsprintfA(text, "%08x", static_cast<unsigned>(id));
    return text;
}

std::vector<std::string> Column(HWND list, int column)
{
    std::vector<std::string> cells(ListView_GetItemCount(list));
    for (size_t row = 0; row < cells.size(); ++row) {
        char cell[MAX_PATH] = "";
        ListView_GetItemText(list, row, column, cell, sizeof cell);
        cells[row] = cell;
    }
    return cells;
}

int RowOf(HWND list, DWORD processId)
{
    std::vector<std::string> ids = Column(list, 1);
    auto found = std::find(ids.begin(), ids.end(), Identifier(processId));
    return found == ids.end() ? -1 : static_cast<int>(found - ids.begin());
}

// Selects these rows alone, the first one focused.
void Select(HWND list, std::vector<int> rows)
{
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int row : rows)
        ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    if (!rows.empty())
        ListView_SetItemState(list, rows[0], LVIS_FOCUSED, LVIS_FOCUSED);
}

// A key pressed on a control, as the control gets it from the dialog's loop.
void Press(HWND control, UINT key, bool ctrl = false, bool shift = false)
{
    SetHeldKeys(ctrl, shift);
    SendMessageA(control, key == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 0);
    SetHeldKeys(false, false);
}

void ClickHeader(HWND list, int column)
{
    RECT rect;
    Header_GetItemRect(ListView_GetHeader(list), column, &rect);
    LPARAM middle = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(ListView_GetHeader(list), WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageA(ListView_GetHeader(list), WM_LBUTTONUP, 0, middle);
}

// The right button pressed and released over a point of a control.
void RightClick(HWND control, const RECT& area)
{
    POINT at = { (area.left + area.right) / 2, (area.top + area.bottom) / 2 }, screen = at;
    ClientToScreen(control, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageA(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageA(control, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

// Opens a context menu of the dialog with open, notes what it shows and
// presses the keys in it; no key leaves it unchosen.
std::string UseMenu(HWND dialog, const std::function<void()>& open, std::initializer_list<UINT> keys)
{
    std::string shown;
    MenuDriver driver(dialog);
    driver.Then([&] { shown = ShownMenu(); });
    for (UINT key : keys)
        driver.Key(key);
    driver.RunFrom(open);
    return shown;
}

bool ByNameIgnoringCase(const std::string& first, const std::string& second)
{
    return lstrcmpiA(first.substr(0, first.find('|')).c_str(), second.substr(0, second.find('|')).c_str()) < 0;
}

// The tree's item of a window, searched from first on.
HTREEITEM ItemOf(HWND tree, HWND window, HTREEITEM first)
{
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
        TVITEMA entry = { TVIF_PARAM, item };
        TreeView_GetItem(tree, &entry);
        if (entry.lParam == reinterpret_cast<LPARAM>(window))
            return item;
        if (HTREEITEM found = ItemOf(tree, window, TreeView_GetChild(tree, item)))
            return found;
    }
    return nullptr;
}

}  // namespace

TEST(ProcessesBackEnds, BothListTheRealProcessesAlike)
{
    ChildProcess child;
    ASSERT_NE(0u, child.id());
    std::vector<std::string> native, toolHelp, ours;
    EXPECT_TRUE(EnumerateWithSystemInformation(Collect, &native));
    EXPECT_TRUE(EnumerateWithToolHelp(Collect, &toolHelp));
    child.EndAndForget();

    Collect(&ours, "cmd.exe", child.id(), GetCurrentProcessId());
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

TEST_F(ProcessesList, HeadersSortAndTheKeysAndMenusSelectCopyLocateAndEndTheChosenRows)
{
    ChildProcess first;
    std::unique_ptr<ChildProcess> second;
    EndableProcess = first.id();
    Platform.TerminateProcess = TerminateOnlyTheEndable;
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    DialogScript script("Processes list");
    script.Then([&](HWND dialog) {
        CloseWhenDone closing = { dialog };
        HWND list = GetDlgItem(dialog, IDC_PROCESS_LIST);
        std::vector<int> images;
        ClickHeader(list, 0);
        std::vector<std::string> ascending = Shown(list, images);
        EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end(), ByNameIgnoringCase));
        ClickHeader(list, 0);
        EXPECT_EQ(std::vector<std::string>(ascending.rbegin(), ascending.rend()), Shown(list, images)) << "descending";
        // Eight hexadecimal digits sort as their values do.
        for (int column = 1; column <= 2; ++column) {
            ClickHeader(list, column);
            std::vector<std::string> ids = Column(list, column);
            EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end())) << "column " << column;
        }
        HDITEMA header = { HDI_FORMAT };
        Header_GetItem(ListView_GetHeader(list), 2, &header);
        EXPECT_EQ(0, header.fmt & (HDF_SORTUP | HDF_SORTDOWN)) << "no arrows before version 6";

        // F5 lists anew in the same order, keeping the selected processes selected.
        ClickHeader(list, 0);
        Select(list, { RowOf(list, GetCurrentProcessId()), RowOf(list, first.id()) });
        second.reset(new ChildProcess);
        Press(list, VK_F5);
        std::vector<std::string> rows = Shown(list, images);
        EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), ByNameIgnoringCase));
        ASSERT_GE(RowOf(list, second->id()), 0) << "not listed anew";
        std::vector<int> kept = { RowOf(list, GetCurrentProcessId()), RowOf(list, first.id()) };
        std::sort(kept.begin(), kept.end());
        EXPECT_EQ(kept[0], ListView_GetNextItem(list, -1, LVNI_SELECTED));
        EXPECT_EQ(kept[1], ListView_GetNextItem(list, kept[0], LVNI_SELECTED));
        EXPECT_EQ(2u, ListView_GetSelectedCount(list));

        Press(list, 'C', true);
        std::string copied;
        for (int row : kept) {
            std::string line = rows[row];
            std::replace(line.begin(), line.end(), '|', '\t');
            copied += line + "\r\n";
        }
        EXPECT_EQ(copied, ClipboardText());
        Press(list, 'A', true);
        EXPECT_EQ(ListView_GetItemCount(list), static_cast<int>(ListView_GetSelectedCount(list)));
        Select(list, { 0 });
        for (char typed : std::string("win32_t"))
            SendMessageA(list, WM_CHAR, typed, 1);
        EXPECT_EQ(RowOf(list, GetCurrentProcessId()), ListView_GetNextItem(list, -1, LVNI_FOCUSED | LVNI_SELECTED))
            << "typing finds the row";

        // The Apps key: the menu of the focused row; the folder of its program.
        Select(list, { RowOf(list, first.id()) });
        EXPECT_EQ("End process|Copy|Open file location|Refresh",
                  UseMenu(dialog, [&] { Press(list, VK_APPS); }, { VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN }));
        std::vector<SeamCall> shell = SeamCallsOf("ShellExecuteA");
        ASSERT_EQ(1u, shell.size());
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, MAX_PATH);
        EXPECT_EQ(0, lstrcmpiA((std::string(windows) + "\\explorer.exe").c_str(), shell[0].text1.c_str()))
            << "by its full path: " << shell[0].text1;
        EXPECT_EQ(0, lstrcmpiA(("/select,\"" + std::string(system) + "\\cmd.exe\"").c_str(), shell[0].text2.c_str()))
            << shell[0].text2;
        char own[MAX_PATH], snapshot[MAX_PATH];
        GetModuleFileNameA(nullptr, own, MAX_PATH);
        EXPECT_TRUE(ProcessImagePathFromSnapshot(GetCurrentProcessId(), snapshot, sizeof snapshot));
        EXPECT_EQ(0, lstrcmpiA(own, snapshot)) << "where the system has no QueryFullProcessImageNameA: " << snapshot;

        // Shift+F10 and "End process", answered No; Delete, answered Yes.
        UseMenu(dialog, [&] { Press(list, VK_F10, false, true); }, { VK_DOWN, VK_RETURN });
        std::vector<SeamCall> asked = SeamCallsOf("MessageBoxA");
        ASSERT_EQ(1u, asked.size());
        EXPECT_NE(std::string::npos, asked[0].text1.find("\"cmd.exe\" (Process ID " + Identifier(first.id()) + ")"))
            << asked[0].text1;
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2), asked[0].number);
        EXPECT_FALSE(first.Ended());
        MessageBoxAnswer = IDYES;
        Press(list, VK_DELETE);
        EXPECT_TRUE(first.Ended());
        EXPECT_EQ(-1, RowOf(list, first.id())) << "listed anew once ended";
        EXPECT_EQ(2u, SeamCallsOf("MessageBoxA").size()) << "nothing said after a success";

        // The right button on a process that has ended since it was listed,
        // whose program file is no longer known; "Refresh" drops it.
        second->EndAndForget();
        RECT ended = { LVIR_LABEL };
        ListView_EnsureVisible(list, RowOf(list, second->id()), FALSE);
        ListView_GetItemRect(list, RowOf(list, second->id()), &ended, LVIR_LABEL);
        EXPECT_EQ("End process|Copy|-Open file location|Refresh",
                  UseMenu(dialog, [&] { RightClick(list, ended); }, { VK_UP, VK_RETURN }));
        EXPECT_EQ(-1, RowOf(list, second->id()));
    }).Start();
    SendMessageA(window, WM_COMMAND, 73, 0);
    EXPECT_EQ(1u, SeamCallsOf("TerminateProcess").size());
}

TEST_F(ProcessesList, NeverEndsItselfTheSystemOrACriticalProcessAndGivesTheSystemsReasonForAFailure)
{
    ChildProcess child, gone;
    EXPECT_EQ(END_REFUSED_CRITICAL, RefusalToEnd(child.id(), MarkEveryProcessCritical));
    EXPECT_EQ(END_ALLOWED, RefusalToEnd(child.id(), SystemProcessInformationQuery()));
    EXPECT_EQ(END_REFUSED_SYSTEM, RefusalToEnd(0, nullptr));
    EXPECT_EQ(END_REFUSED_SYSTEM, RefusalToEnd(4, nullptr));
    MessageBoxAnswer = IDYES;
    DialogScript script("Processes list");
    script.Then([&](HWND dialog) {
        CloseWhenDone closing = { dialog };
        HWND list = GetDlgItem(dialog, IDC_PROCESS_LIST);
        Select(list, { RowOf(list, GetCurrentProcessId()) });
        Press(list, VK_DELETE);
        std::vector<SeamCall> told = SeamCallsOf("MessageBoxA");
        ASSERT_EQ(1u, told.size());
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), told[0].number) << "no question, only why";
        // Gone since it was listed: opening it fails.
        SeamCalls.clear();
        gone.EndAndForget();
        Select(list, { RowOf(list, gone.id()) });
        Press(list, VK_DELETE);
        told = SeamCallsOf("MessageBoxA");
        ASSERT_EQ(2u, told.size());
        char reason[256] = "";
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_INVALID_PARAMETER, 0, reason, sizeof reason, nullptr);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), told[1].number);
        EXPECT_NE(std::string::npos, told[1].text1.find(std::string(reason).substr(0, 10))) << told[1].text1;
    }).Start();
    SendMessageA(window, WM_COMMAND, 73, 0);
    EXPECT_TRUE(SeamCallsOf("TerminateProcess").empty());
    EXPECT_FALSE(child.Ended());
}

TEST_F(WindowsList, KeysAndTheMenuCopyALineBringItsWindowToFrontAndCloseIt)
{
    TestWindows windows;
    HWND target = windows.Make("Vornel list target");
    char className[64] = "";
    GetClassNameA(target, className, sizeof className);
    {
        // A window that no longer answers does not keep the program waiting.
        HungWindow hung;
        DWORD start = GetTickCount();
        BringToFront(hung.window);
        EXPECT_LT(GetTickCount() - start, 1000u);
    }
    DialogScript script("Windows list");
    script.Then([&](HWND dialog) {
        CloseWhenDone closing = { dialog };
        HWND tree = GetDlgItem(dialog, IDC_WINDOW_TREE), later = windows.Make("Vornel list later");
        HTREEITEM root = TreeView_GetRoot(tree);
        TreeView_SelectItem(tree, ItemOf(tree, target, root));
        Press(tree, 'C', true);
        EXPECT_EQ(Line(className, "Vornel list target", target), ClipboardText());
        Press(tree, VK_F5);
        root = TreeView_GetRoot(tree);
        EXPECT_NE(nullptr, ItemOf(tree, later, root)) << "F5 lists anew";

        // The Apps key: "Bring to front", also out of the taskbar.
        HTREEITEM item = ItemOf(tree, target, root);
        TreeView_SelectItem(tree, item);
        ShowWindow(target, SW_MINIMIZE);
        EXPECT_EQ("Copy|Bring to front|Close window|Refresh",
                  UseMenu(dialog, [&] { Press(tree, VK_APPS); }, { VK_DOWN, VK_DOWN, VK_RETURN }));
        EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == target && !IsIconic(target); }));

        // Shift+F10 and "Close window": asked first, closed on Yes.
        for (int answer : { IDNO, IDYES }) {
            MessageBoxAnswer = answer;
            UseMenu(dialog, [&] { Press(tree, VK_F10, false, true); }, { VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN });
        }
        std::vector<SeamCall> asked = SeamCallsOf("MessageBoxA");
        ASSERT_EQ(2u, asked.size());
        EXPECT_NE(std::string::npos, asked[0].text1.find(Line(className, "Vornel list target", target)));
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), asked[0].number);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(target); }));

        // The right button on the line of the window now gone, then the
        // root's menu: nothing to bring or close; "Refresh" drops the line.
        TreeView_SelectItem(tree, root);
        TreeView_Expand(tree, root, TVE_EXPAND);
        TreeView_EnsureVisible(tree, item);
        RECT line;
        TreeView_GetItemRect(tree, item, &line, TRUE);
        EXPECT_EQ("Copy|-Bring to front|-Close window|Refresh", UseMenu(dialog, [&] { RightClick(tree, line); }, {}));
        EXPECT_EQ(item, TreeView_GetSelection(tree));
        TreeView_SelectItem(tree, root);
        EXPECT_EQ("Copy|-Bring to front|-Close window|Refresh",
                  UseMenu(dialog, [&] { Press(tree, VK_APPS); }, { VK_UP, VK_RETURN }));
        EXPECT_EQ(nullptr, ItemOf(tree, target, TreeView_GetRoot(tree)));
    }).Start();
    SendMessageA(window, WM_COMMAND, 74, 0);
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

        // A Refresh, F5 and a context menu sent while the first filling
        // waits for this window: one more filling, and no menu inside it.
        SlowWindow messenger(0, 0, [] {
            SendToWindowsList(IDC_REFRESH);
            HWND dialog = FindWindowA(nullptr, "Windows list");
            DWORD_PTR ignored;
            SendMessageTimeoutA(GetDlgItem(dialog, IDC_WINDOW_TREE), WM_KEYDOWN, VK_F5, 0, SMTO_NORMAL, 5000, &ignored);
            SendMessageTimeoutA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_WINDOW_TREE)),
                                -1, SMTO_NORMAL, 5000, &ignored);
        });
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
