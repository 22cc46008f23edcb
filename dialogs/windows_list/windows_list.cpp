#include "dialogs/windows_list/windows_list.h"

#include <commctrl.h>
#include <stdlib.h>
#include <string.h>

#include "actions/window_actions.h"
#include "base/clipboard.h"
#include "base/platform.h"
#include "base/system_libraries.h"
#include "base/window_text.h"
#include "res/resource.h"
#include "dialogs/list_tool.h"
#include "logic/window_item_text.h"
#include "ui/program_icons.h"
#include "ui/window_icon.h"

static const char RootText[] = "Desktop";
static const char CloseCaption[] = "Close window";
static const char CloseQuestion[] = "Close the window %s?";

enum WindowMenuCommand : UINT { MENU_COPY = 1, MENU_BRING_TO_FRONT, MENU_CLOSE_WINDOW };
static const ContextMenuItem WindowMenu[] = {
    { MENU_COPY, "Copy" },
    { MENU_BRING_TO_FRONT, "Bring to front" },
    { MENU_CLOSE_WINDOW, "Close window" },
    { IDC_REFRESH, "Refresh" },
};

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

// Each item carries its window; the root carries none.
static HTREEITEM InsertItem(HWND tree, HTREEITEM parent, HTREEITEM after, const char* text, int image, HWND window)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.lParam = reinterpret_cast<LPARAM>(window);
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
            InsertItem(state.control, parentItem, TVI_SORT, line, AddImage(state, icon ? icon : Icons.genericWindow), child);
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
                                AddImage(state, Icons.desk ? Icons.desk : Icons.genericWindow), nullptr);
    TreeFilling filling = { state, GetCurrentThreadId(), {}, 0 };
    AddChildWindows(filling, GetDesktopWindow(), root);
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(state.images));
}

// The image list goes to the tree after each filling.
static void InitialiseTree(ListToolState&)
{
}

// The line and the window of an item; false for no item.
static bool ReadItem(HWND tree, HTREEITEM item, char (&line)[WINDOW_ITEM_TEXT_CAPACITY], HWND& window)
{
    TVITEMA entry = {};
    entry.mask = TVIF_TEXT | TVIF_PARAM;
    entry.hItem = item;
    entry.pszText = line;
    entry.cchTextMax = sizeof line;
    line[0] = '\0';
    window = nullptr;
    if (!item || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry)))
        return false;
    line[sizeof line - 1] = '\0';
    window = reinterpret_cast<HWND>(entry.lParam);
    return true;
}

static HTREEITEM SelectedItem(HWND tree)
{
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

static void OnKey(HWND dialog, ListToolState& state, UINT key)
{
    char line[WINDOW_ITEM_TEXT_CAPACITY];
    HWND window;
    if (key == 'C' && GetKeyState(VK_CONTROL) < 0 && ReadItem(state.control, SelectedItem(state.control), line, window))
        PutTextOnClipboard(dialog, line, strlen(line));
}

static void CloseListedWindow(HWND dialog, HWND window, const char* line)
{
    char question[sizeof CloseQuestion + WINDOW_ITEM_TEXT_CAPACITY];
    wsprintfA(question, CloseQuestion, line);
    if (Platform.MessageBoxA(dialog, question, CloseCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES &&
        IsWindow(window))
        PostMessageA(window, WM_CLOSE, 0, 0);
}

static void ShowWindowMenu(HWND dialog, ListToolState& state, const POINT* at)
{
    HWND tree = state.control;
    HTREEITEM item;
    POINT point;
    if (at) {
        TVHITTESTINFO hit = {};
        hit.pt = *at;
        ScreenToClient(tree, &hit.pt);
        item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        // The right button only marks an item for a moment; the menu's
        // item becomes the selected one, as the keys have it.
        if (item)
            SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        point = *at;
    } else {
        item = SelectedItem(tree);
        // The message takes the item in the rectangle it fills.
        RECT text = {};
        memcpy(&text, &item, sizeof item);
        bool shown = item && SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text));
        point = KeyboardMenuPoint(tree, shown ? &text : nullptr);
    }
    char line[WINDOW_ITEM_TEXT_CAPACITY];
    HWND window;
    bool known = ReadItem(tree, item, line, window);
    bool live = window && IsWindow(window);
    unsigned greyed = (known ? 0 : 1u) | (live ? 0 : 2u | 4u);
    switch (TrackContextMenu(dialog, WindowMenu, sizeof WindowMenu / sizeof WindowMenu[0], greyed, point)) {
    case MENU_COPY:
        PutTextOnClipboard(dialog, line, strlen(line));
        break;
    case MENU_BRING_TO_FRONT:
        BringToFront(window);
        break;
    case MENU_CLOSE_WINDOW:
        CloseListedWindow(dialog, window, line);
        break;
    case IDC_REFRESH:
        state.refreshDue = true;
        break;
    }
}

static const ListTool WindowsTool = {
    { IDD_WINDOWS_LIST, WindowsListDlgProc, SECOND_REQUEST_IGNORED },
    IDC_WINDOW_TREE, TVM_SETIMAGELIST, TVSIL_NORMAL, InitialiseTree, FillWindowTree, OnKey, ShowWindowMenu, nullptr,
};

INT_PTR CALLBACK WindowsListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ListToolMessage(WindowsTool, dialog, message, wParam, lParam);
}

void ShowWindowsList(HWND owner)
{
    ListToolState state;
    RunListTool(WindowsTool, owner, state);
}
