// The Processes list in-process: both back-ends against the test prefix's
// real processes, the native buffer's growth and walk, and the dialog with
// its rows, icons and refresh.
#include "tests/win32/test_support.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <tuple>

#include "app/startup.h"
#include "base/system_libraries.h"
#include "res/resource.h"
#include "tools/processes_list.h"

namespace {

struct Row {
    std::string name;
    DWORD processId, parentId;
    bool operator<(const Row& other) const
    {
        return std::tie(processId, parentId, name) < std::tie(other.processId, other.parentId, other.name);
    }
    bool operator==(const Row& other) const
    {
        return processId == other.processId && parentId == other.parentId && name == other.name;
    }
};

void Collect(void* context, const char* name, DWORD processId, DWORD parentId)
{
    static_cast<std::vector<Row>*>(context)->push_back({ name, processId, parentId });
}

const Row* Find(const std::vector<Row>& rows, DWORD processId)
{
    for (const Row& row : rows) {
        if (row.processId == processId)
            return &row;
    }
    return nullptr;
}

// A process of our own that stays until the test ends it.
class SuspendedChild {
public:
    SuspendedChild()
    {
        STARTUPINFOA startup = { sizeof startup };
        char commandLine[] = "cmd.exe /c exit";
        if (CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                           &startup, &info_))
            CloseHandle(info_.hThread);
    }
    ~SuspendedChild()
    {
        if (info_.hProcess) {
            TerminateProcess(info_.hProcess, 0);
            CloseHandle(info_.hProcess);
        }
    }
    DWORD id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_ = {};
};

std::vector<Row> ListedBySystemInformation()
{
    std::vector<Row> rows;
    EXPECT_TRUE(EnumerateWithSystemInformation(Collect, &rows));
    return rows;
}

}  // namespace

TEST(ProcessesBackEnds, ToolHelpListsTheSameProcessesAsTheSystemInformation)
{
    // The tool help snapshot has no idle process; everything else is the same.
    std::vector<Row> native = ListedBySystemInformation(), toolHelp;
    native.erase(std::remove_if(native.begin(), native.end(), [](const Row& row) { return row.processId == 0; }),
                 native.end());
    ASSERT_TRUE(EnumerateWithToolHelp(Collect, &toolHelp));
    std::sort(native.begin(), native.end());
    std::sort(toolHelp.begin(), toolHelp.end());
    ASSERT_FALSE(native.empty());
    EXPECT_TRUE(native == toolHelp) << native.size() << " natively, " << toolHelp.size() << " by tool help";
}

namespace {
ULONG FakeNeeds;
int FakeCalls;
LONG WINAPI FakeQuery(ULONG, void*, ULONG size, ULONG* needed)
{
    ++FakeCalls;
    *needed = FakeNeeds;
    return size < FakeNeeds ? static_cast<LONG>(0xC0000004) : 0;
}
}  // namespace

TEST(ProcessesBackEnds, TheBufferGrowsInStepsOf16384BytesUntilTheAnswerFits)
{
    FakeNeeds = 40 * 1024;
    FakeCalls = 0;
    SystemProcessBuffer fake;
    EXPECT_TRUE(QuerySystemProcesses(FakeQuery, SYSTEM_PROCESS_BUFFER_LIMIT, fake));
    EXPECT_EQ(3, fake.growthSteps);
    EXPECT_EQ(1u + 3 * 16384, fake.size);
    EXPECT_EQ(4, FakeCalls);

    // The real list: every step but the last was too small.
    auto query = reinterpret_cast<SystemInformationQuery>(
        GetProcAddress(GetModuleHandleA("ntdll"), "NtQuerySystemInformation"));
    SystemProcessBuffer real;
    ASSERT_TRUE(QuerySystemProcesses(query, SYSTEM_PROCESS_BUFFER_LIMIT, real));
    EXPECT_GE(real.growthSteps, 1);
    EXPECT_EQ(1u + real.growthSteps * SYSTEM_PROCESS_BUFFER_GROWTH, real.size);
    ULONG needed = 0;
    std::vector<BYTE> smaller(real.size - SYSTEM_PROCESS_BUFFER_GROWTH);
    EXPECT_EQ(static_cast<LONG>(0xC0000004), query(5, smaller.data(), static_cast<ULONG>(smaller.size()), &needed));
}

TEST(ProcessesBackEnds, AQueryThatNeverFitsStopsAtTheLimit)
{
    FakeNeeds = 0xFFFFFFFF;
    FakeCalls = 0;
    SystemProcessBuffer fake;
    EXPECT_FALSE(QuerySystemProcesses(FakeQuery, 100000, fake));
    EXPECT_EQ(6, fake.growthSteps) << "the next step would pass 100000 bytes";
    EXPECT_EQ(7, FakeCalls);
}

TEST(ProcessesBackEnds, TheWalkNeverReadsOutsideTheBuffer)
{
    // Three records ending exactly where an inaccessible page begins: a
    // read past the end faults.
    const ULONG record = sizeof(ProcessRecord), nameRoom = 16;
    const ULONG size = record + nameRoom + 2 * record;
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    BYTE* pages = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * system.dwPageSize, MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(nullptr, pages);
    DWORD old;
    VirtualProtect(pages + system.dwPageSize, system.dwPageSize, PAGE_NOACCESS, &old);
    BYTE* data = pages + system.dwPageSize - size;
    memset(data, 0, size);

    ProcessRecord first = {}, idle = {}, strange = {};
    WCHAR* name = reinterpret_cast<WCHAR*>(data + record);
    memcpy(name, L"a.exe", 10);
    first.NextEntryOffset = record + nameRoom;
    first.ImageName.Length = 10;
    first.ImageName.Buffer = name;
    first.UniqueProcessId = reinterpret_cast<HANDLE>(8);
    first.InheritedFromUniqueProcessId = reinterpret_cast<HANDLE>(4);
    idle.NextEntryOffset = record;
    // A name said to lie before the buffer is not read.
    strange.ImageName.Length = 10;
    strange.ImageName.Buffer = reinterpret_cast<WCHAR*>(pages);
    strange.UniqueProcessId = reinterpret_cast<HANDLE>(0x8000fffc);
    strange.NextEntryOffset = 4096;   // out of the buffer: the list ends
    memcpy(data, &first, record);
    memcpy(data + first.NextEntryOffset, &idle, record);
    memcpy(data + first.NextEntryOffset + record, &strange, record);

    std::vector<Row> rows;
    ListProcessRecords(data, size, Collect, &rows);
    std::vector<Row> expected = { { "a.exe", 8, 4 }, { "Idle", 0, 0 }, { "", 0x8000fffc, 0 } };
    EXPECT_TRUE(expected == rows) << rows.size() << " rows";
    VirtualFree(pages, 0, MEM_RELEASE);
}

namespace {

class ProcessesList : public AppTest {
protected:
    void Open() { SendMessageA(window, WM_COMMAND, 73, 0); }
};

std::string CellText(HWND list, int row, int column)
{
    char text[MAX_PATH] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

int RowCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

int ImageCount(HWND list)
{
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    return images ? LoadCommonControls()->GetImageCount(images) : -1;
}

DWORD TimedRefresh(HWND dialog)
{
    DWORD start = GetTickCount();
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_REFRESH, BN_CLICKED), 0);
    return GetTickCount() - start;
}

// The rows as shown, the identifiers read back from their eight digits.
std::vector<Row> Rows(HWND list)
{
    std::vector<Row> rows;
    for (int row = 0; row < RowCount(list); ++row) {
        std::string id = CellText(list, row, 1), parent = CellText(list, row, 2);
        EXPECT_EQ(8u, id.size());
        EXPECT_EQ(8u, parent.size());
        rows.push_back({ CellText(list, row, 0), static_cast<DWORD>(strtoul(id.c_str(), nullptr, 16)),
                         static_cast<DWORD>(strtoul(parent.c_str(), nullptr, 16)) });
    }
    return rows;
}

int RowsWithImages(HWND list)
{
    int count = 0;
    for (int row = 0; row < RowCount(list); ++row) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        count += item.iImage >= 0;
    }
    return count;
}

}  // namespace

TEST_F(ProcessesList, ListsEveryProcessWithAnIconAndRefreshesToTheSameList)
{
    SuspendedChild child;
    std::vector<Row> expected = ListedBySystemInformation();
    HWND list = nullptr;
    DialogScript script("Processes list");
    script.Then([&](HWND dialog) {
        list = ProcessListHandle;
        EXPECT_EQ(GetDlgItem(dialog, IDC_PROCESS_LIST), list);
        Open();
        EXPECT_EQ(list, ProcessListHandle) << "the command does nothing while the list is open";

        std::vector<Row> rows = Rows(list);
        EXPECT_GT(rows.size(), 3u);
        const Row* ours = Find(rows, child.id());
        EXPECT_NE(nullptr, ours) << "no row for " << child.id();
        EXPECT_EQ(GetCurrentProcessId(), ours ? ours->parentId : 0);
        EXPECT_EQ(0, lstrcmpiA("cmd.exe", ours ? ours->name.c_str() : "")) << "our child process";
        // Each row keeps its process's name, whatever file the icon came from.
        for (const Row& row : rows) {
            const Row* same = Find(expected, row.processId);
            EXPECT_EQ(same ? same->name : row.name, row.name) << row.processId;
        }
        int images = ImageCount(list);
        EXPECT_EQ(RowsWithImages(list), images);
        EXPECT_GT(images, 0);

        for (int i = 0; i < 2; ++i) {
            DWORD elapsed = TimedRefresh(dialog);
            EXPECT_EQ(rows.size(), Rows(list).size()) << "refresh " << i;
            EXPECT_EQ(images, ImageCount(list)) << "refresh " << i;
            std::printf("[ figures  ] processes list: %d rows, %d images, filled in %lu ms\n", RowCount(list),
                        ImageCount(list), static_cast<unsigned long>(elapsed));
        }

        // A platform that is neither family lists nothing.
        DWORD platform = OsVersion.dwPlatformId;
        OsVersion.dwPlatformId = VER_PLATFORM_WIN32s;
        TimedRefresh(dialog);
        OsVersion.dwPlatformId = platform;
        EXPECT_EQ(0, RowCount(list));
        EXPECT_EQ(0, ImageCount(list));

        // Closing takes the icons back from the list before destroying
        // them, so the list view does not destroy them a second time.
        SendMessageA(dialog, WM_CLOSE, 0, 0);
        EXPECT_EQ(0, SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
        EXPECT_EQ(nullptr, ProcessListHandle);
    }).Start();
    Open();
    EXPECT_NE(nullptr, list);
    EXPECT_FALSE(IsWindow(list));
}
