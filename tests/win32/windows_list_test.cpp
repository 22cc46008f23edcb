// The Windows list in-process: the tree of real windows of the test, their
// lines and icons, refreshes, and windows that hang or vanish meanwhile.
#include "tests/win32/test_support.h"

#include <commctrl.h>

#include <cstdio>

#include "app/startup.h"
#include "ui/program_icons.h"
#include "base/system_libraries.h"
#include "res/resource.h"
#include "tools/windows_list.h"

namespace {

HWND WindowOf(const char* className, HICON icon, const char* title, HWND parent = nullptr,
              WNDPROC procedure = DefWindowProcA)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = icon;
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowA(className, title, parent ? WS_CHILD : WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

std::string Line(const char* className, const char* text, HWND window)
{
    char line[600];
    wsprintfA(line, "\"%s\" - \"%s\" - HWND: %08x", className, text,
              static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
    return line;
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT relation)
{
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

TVITEMA Item(HWND tree, HTREEITEM handle, char* text, int capacity)
{
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    item.hItem = handle;
    item.pszText = text;
    item.cchTextMax = capacity;
    item.stateMask = TVIS_EXPANDED;
    text[0] = '\0';
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item;
}

std::vector<std::string> ChildLines(HWND tree, HTREEITEM parent)
{
    std::vector<std::string> lines;
    for (HTREEITEM item = Next(tree, parent, TVGN_CHILD); item; item = Next(tree, item, TVGN_NEXT)) {
        char text[600];
        Item(tree, item, text, sizeof text);
        lines.push_back(text);
    }
    return lines;
}

HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::string& line)
{
    for (HTREEITEM item = Next(tree, parent, TVGN_CHILD); item; item = Next(tree, item, TVGN_NEXT)) {
        char text[600];
        Item(tree, item, text, sizeof text);
        if (line == text)
            return item;
    }
    return nullptr;
}

size_t IndexOf(const std::vector<std::string>& lines, const std::string& line)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == line)
            return i;
    }
    return lines.size();
}

HIMAGELIST TreeImages(HWND tree)
{
    return reinterpret_cast<HIMAGELIST>(SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
}

// The pixels of one image of a list, as the tree draws it.
std::vector<DWORD> ImagePixels(HIMAGELIST list, int index)
{
    typedef BOOL (WINAPI* DrawFunction)(HIMAGELIST, int, HDC, int, int, UINT);
    auto draw = reinterpret_cast<DrawFunction>(GetProcAddress(GetModuleHandleA("comctl32.dll"), "ImageList_Draw"));
    Canvas canvas(16, 16);
    canvas.Fill(RGB(1, 2, 3));
    if (!draw || !draw(list, index, canvas.dc(), 0, 0, ILD_NORMAL))
        return {};
    return canvas.Pixels();
}

// The same icon put into an image list made like the tree's.
std::vector<DWORD> IconPixels(HICON icon)
{
    const ImageListCalls* calls = LoadCommonControls();
    HIMAGELIST list = calls->Create(16, 16, ILC_COLOR, 0, 10);
    calls->SetBkColor(list, GetSysColor(COLOR_WINDOW));
    calls->ReplaceIcon(list, -1, icon);
    std::vector<DWORD> pixels = ImagePixels(list, 0);
    calls->Destroy(list);
    return pixels;
}

int ImageCount(HWND tree)
{
    HIMAGELIST images = TreeImages(tree);
    return images ? LoadCommonControls()->GetImageCount(images) : -1;
}

int ItemCount(HWND tree)
{
    return static_cast<int>(SendMessageA(tree, TVM_GETCOUNT, 0, 0));
}

DWORD TimedRefresh(HWND dialog)
{
    DWORD start = GetTickCount();
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_REFRESH, BN_CLICKED), 0);
    return GetTickCount() - start;
}

class WindowsList : public AppTest {
protected:
    void Open() { SendMessageA(window, WM_COMMAND, 74, 0); }
};

}  // namespace

TEST_F(WindowsList, ShowsEveryWindowSortedUnderItsParentWithItsIcon)
{
    // Zeta comes second, so the system lists it first.
    HWND alpha = WindowOf("VornelAlpha", nullptr, "");
    HWND zeta = WindowOf("VornelZeta", LoadIconA(nullptr, IDI_HAND), "zeta");
    HWND edit = CreateWindowA("Edit", "abc", WS_CHILD, 0, 0, 40, 20, zeta, nullptr, nullptr, nullptr);
    HWND firstOfThem = FindWindowExA(nullptr, nullptr, nullptr, nullptr);
    while (firstOfThem && firstOfThem != alpha && firstOfThem != zeta)
        firstOfThem = FindWindowExA(nullptr, firstOfThem, nullptr, nullptr);
    ASSERT_EQ(zeta, firstOfThem);
    HWND tree = nullptr;
    DialogScript script("Windows list");
    script.Then([&](HWND dialog) {
        tree = WindowTreeHandle;
        EXPECT_EQ(GetDlgItem(dialog, IDC_WINDOW_TREE), tree);
        Open();
        EXPECT_EQ(tree, WindowTreeHandle) << "the command does nothing while the tree is open";

        HTREEITEM root = Next(tree, nullptr, TVGN_ROOT);
        char text[600];
        TVITEMA rootItem = Item(tree, root, text, sizeof text);
        EXPECT_STREQ("Desktop", text);
        EXPECT_EQ(nullptr, Next(tree, root, TVGN_NEXT)) << "one root";
        EXPECT_EQ(0u, rootItem.state & TVIS_EXPANDED) << "nothing is expanded";
        EXPECT_EQ(IconPixels(Icons.desk), ImagePixels(TreeImages(tree), rootItem.iImage));

        std::vector<std::string> lines = ChildLines(tree, root);
        size_t a = IndexOf(lines, Line("VornelAlpha", "", alpha)), z = IndexOf(lines, Line("VornelZeta", "zeta", zeta));
        EXPECT_LT(a, lines.size()) << Line("VornelAlpha", "", alpha);
        EXPECT_LT(z, lines.size());
        EXPECT_LT(a, z) << "sorted by the text, whatever the system's order";

        HTREEITEM zetaItem = FindChild(tree, root, Line("VornelZeta", "zeta", zeta));
        std::vector<std::string> zetaChildren = ChildLines(tree, zetaItem);
        EXPECT_EQ(std::vector<std::string>{ Line("Edit", "abc", edit) }, zetaChildren);

        TVITEMA alphaItem = Item(tree, FindChild(tree, root, Line("VornelAlpha", "", alpha)), text, sizeof text);
        EXPECT_EQ(alphaItem.iImage, alphaItem.iSelectedImage);
        EXPECT_EQ(IconPixels(Icons.genericWindow), ImagePixels(TreeImages(tree), alphaItem.iImage))
            << "a window without icons shows the generic window";
        EXPECT_NE(IconPixels(Icons.genericWindow), IconPixels(Icons.desk));

        SendMessageA(dialog, WM_CLOSE, 0, 0);
        EXPECT_EQ(nullptr, WindowTreeHandle);
    }).Start();
    Open();
    EXPECT_NE(nullptr, tree);
    DestroyWindow(zeta);
    DestroyWindow(alpha);
}

TEST_F(WindowsList, EveryFillingHoldsOneImagePerItem)
{
    DialogScript script("Windows list");
    script.Then([&](HWND dialog) {
        HWND tree = WindowTreeHandle;
        EXPECT_EQ(ItemCount(tree), ImageCount(tree));
        for (int i = 0; i < 2; ++i) {
            DWORD elapsed = TimedRefresh(dialog);
            EXPECT_EQ(ItemCount(tree), ImageCount(tree)) << "refresh " << i;
            std::printf("[ figures  ] windows list: %d items, %d images, filled in %lu ms\n", ItemCount(tree),
                        ImageCount(tree), static_cast<unsigned long>(elapsed));
        }
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }).Start();
    Open();
}

TEST_F(WindowsList, AHungWindowIsListedAtOnceWithoutItsText)
{
    HungWindow hung;
    ASSERT_NE(nullptr, hung.window);
    std::string line = Line("VornelHungWindow", "", hung.window);
    DialogScript script("Windows list");
    script.Then([&](HWND dialog) {
        DWORD elapsed = TimedRefresh(dialog);
        HWND tree = WindowTreeHandle;
        EXPECT_NE(nullptr, FindChild(tree, Next(tree, nullptr, TVGN_ROOT), line)) << line;
        // A few waits of a tenth of a second at most; without a bound the
        // filling would wait as long as the window hangs.
        EXPECT_LT(elapsed, 2000u);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }).Start();
    Open();
}

namespace {
LRESULT CALLBACK VanishesWhenAsked(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETTEXT) {
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

TEST_F(WindowsList, AWindowVanishingDuringTheWalkLeavesItsSiblingsListed)
{
    HWND parent = WindowOf("VornelParent", nullptr, "parent");
    HWND children[3];
    for (HWND& child : children)
        child = WindowOf("VornelChild", nullptr, "child", parent);
    HWND first = FindWindowExA(parent, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(VanishesWhenAsked));
    std::vector<std::string> listed;
    DialogScript script("Windows list");
    script.Then([&](HWND dialog) {
        HWND tree = WindowTreeHandle;
        listed = ChildLines(tree, FindChild(tree, Next(tree, nullptr, TVGN_ROOT), Line("VornelParent", "parent", parent)));
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }).Start();
    Open();
    EXPECT_FALSE(IsWindow(first)) << "went away while it was read";
    ASSERT_EQ(3u, listed.size());
    for (HWND child : children) {
        if (child != first) {
            EXPECT_LT(IndexOf(listed, Line("VornelChild", "child", child)), listed.size());
        }
    }
    DestroyWindow(parent);
}
