#include "dialogs/windows_list/windows_list.h"

#include <commctrl.h>
#include <stdlib.h>

#include "base/system_libraries.h"
#include "base/window_text.h"
#include "res/resource.h"
#include "dialogs/list_tool.h"
#include "logic/window_item_text.h"
#include "ui/program_icons.h"
#include "ui/window_icon.h"

static const char RootText[] = "Desktop";

// Far more windows than one parent can have; only a list that keeps
// changing under the walk gets there.
const size_t MAX_CHILDREN = 65536;

// The direct children of one window as they were when asked.
class ChildWindows {
public:
    explicit ChildWindows(HWND parent)
    {
        for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child && count_ < MAX_CHILDREN;
             child = FindWindowExA(parent, child, nullptr, nullptr)) {
            if (count_ == capacity_ && !Grow())
                break;
            items_[count_++] = child;
        }
    }
    ~ChildWindows() { free(items_); }
    ChildWindows(const ChildWindows&) = delete;
    ChildWindows& operator=(const ChildWindows&) = delete;
    size_t count() const { return count_; }
    HWND operator[](size_t index) const { return items_[index]; }

private:
    bool Grow()
    {
        size_t capacity = capacity_ ? capacity_ * 2 : 16;
        void* grown = realloc(items_, capacity * sizeof(HWND));
        if (!grown)
            return false;
        items_ = static_cast<HWND*>(grown);
        capacity_ = capacity;
        return true;
    }
    HWND* items_ = nullptr;
    size_t count_ = 0, capacity_ = 0;
};

// A filling asks each thread nothing more once it has kept the filling
// waiting; a filling that meets more slow threads than this waits for no
// other thread at all, so its length stays bounded.
const int SLOW_THREADS_KEPT = 16;

// What one filling learns as it goes.
struct TreeFilling {
    ListToolState& state;
    DWORD ownThread;
    DWORD slowThreads[SLOW_THREADS_KEPT];
    int slowCount;
};

static bool MayAsk(const TreeFilling& filling, DWORD thread)
{
    if (thread == filling.ownThread)
        return true;
    if (filling.slowCount == SLOW_THREADS_KEPT)
        return false;
    for (int i = 0; i < filling.slowCount; ++i) {
        if (filling.slowThreads[i] == thread)
            return false;
    }
    return true;
}

// The window's text and icon (null for none); both stay empty for a window
// whose thread has not answered in time during this filling.
static HICON AskTextAndIcon(TreeFilling& filling, HWND window, char* text, size_t capacity)
{
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    text[0] = '\0';
    if (!MayAsk(filling, thread))
        return nullptr;
    bool answered = ReadWindowText(window, WINDOW_ANSWER, text, capacity, WINDOW_TEXT_TIMEOUT_MS);
    HICON icon = answered ? GetAnsweredWindowIcon(window, false, answered) : nullptr;
    if (!answered && filling.slowCount < SLOW_THREADS_KEPT)
        filling.slowThreads[filling.slowCount++] = thread;
    return icon;
}

static int AddImage(ListToolState& state, HICON icon)
{
    return state.images ? state.imageLists->ReplaceIcon(state.images, -1, icon) : -1;
}

static HTREEITEM InsertItem(HWND tree, HTREEITEM parent, HTREEITEM after, const char* text, int image)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

// Adds the children of window under parentItem, each followed by its own
// children, until a Close has come.
static void AddChildWindows(TreeFilling& filling, HWND window, HTREEITEM parentItem)
{
    ListToolState& state = filling.state;
    // Taken whole before the walk: a window that goes away while its
    // siblings are read costs only its own line.
    ChildWindows children(window);
    for (size_t i = 0; i < children.count() && !state.closeDue; ++i) {
        HWND child = children[i];
        char className[255] = "", text[255], line[WINDOW_ITEM_TEXT_CAPACITY];
        GetClassNameA(child, className, sizeof className);
        HICON icon = AskTextAndIcon(filling, child, text, sizeof text);
        // The line shows the handle's low 32 bits, all a handle carries on
        // 32-bit Windows and all the system uses of it on 64-bit Windows.
        FormatWindowItemText(className, text, static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(child)), line,
                             sizeof line);
        HTREEITEM item =
            InsertItem(state.control, parentItem, TVI_SORT, line, AddImage(state, icon ? icon : Icons.genericWindow));
        if (item)
            AddChildWindows(filling, child, item);
    }
}

void FillWindowTree(ListToolState& state)
{
    HWND tree = state.control;
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    if (state.images)
        state.imageLists->Remove(state.images, -1);
    HTREEITEM root = InsertItem(tree, TVI_ROOT, TVI_LAST, RootText,
                                AddImage(state, Icons.desk ? Icons.desk : Icons.genericWindow));
    TreeFilling filling = { state, GetCurrentThreadId(), {}, 0 };
    AddChildWindows(filling, GetDesktopWindow(), root);
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(state.images));
}

// The image list goes to the tree after each filling.
static void InitialiseTree(ListToolState&)
{
}

static const ListTool WindowsTool = {
    { IDD_WINDOWS_LIST, WindowsListDlgProc, SECOND_REQUEST_IGNORED },
    IDC_WINDOW_TREE, TVM_SETIMAGELIST, TVSIL_NORMAL, InitialiseTree, FillWindowTree,
};

INT_PTR CALLBACK WindowsListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ListToolMessage(WindowsTool, dialog, message, wParam, lParam);
}

void ShowWindowsList(HWND owner)
{
    RunListTool(WindowsTool, owner);
}
