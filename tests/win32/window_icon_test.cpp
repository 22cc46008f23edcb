// Another window's icon: asked from the window with a bound, then taken
// from its class, then the system's default where the caller allows it.
#include "tests/win32/test_support.h"

#include "ui/window_icon.h"

static HICON BigOnly;

static LRESULT CALLBACK AnswersBigIconOnly(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETICON)
        return wParam == ICON_BIG ? reinterpret_cast<LRESULT>(BigOnly) : 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

static HWND WindowOfClass(const char* className, WNDPROC procedure, HICON classIcon, HICON smallClassIcon)
{
    WNDCLASSEXA windowClass = { sizeof windowClass };
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = classIcon;
    windowClass.hIconSm = smallClassIcon;
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);
    return CreateWindowA(className, "icon test", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

TEST(WindowIcon, AWindowAnsweringOnlyTheBigIconGivesThatOne)
{
    BigOnly = LoadIconA(nullptr, IDI_EXCLAMATION);
    HWND window = WindowOfClass("VornelBigIconOnly", AnswersBigIconOnly, LoadIconA(nullptr, IDI_HAND), nullptr);
    EXPECT_EQ(BigOnly, GetWindowIcon(window, true));
    DestroyWindow(window);
}

TEST(WindowIcon, ClassIconsComeNextSmallFirst)
{
    HICON big = LoadIconA(nullptr, IDI_HAND), small = LoadIconA(nullptr, IDI_ASTERISK);
    HWND both = WindowOfClass("VornelBothClassIcons", DefWindowProcA, big, small);
    EXPECT_EQ(small, GetWindowIcon(both, false));
    DestroyWindow(both);
}

TEST(WindowIcon, NoIconAtAllGivesTheDefaultOnlyWhenAllowed)
{
    HWND bare = WindowOfClass("VornelNoIcon", DefWindowProcA, nullptr, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), GetWindowIcon(bare, true));
    EXPECT_EQ(nullptr, GetWindowIcon(bare, false));
    DestroyWindow(bare);
}

TEST(WindowIcon, AHungWindowCostsAtMostTwoShortWaitsAndGivesItsClassIcon)
{
    HungWindow hung;
    ASSERT_NE(nullptr, hung.window);
    DWORD start = GetTickCount();
    HICON icon = GetWindowIcon(hung.window, false);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_NE(nullptr, icon) << "the class icon";
    // Two questions of 50 ms each; far below, this would be a wait for the window.
    EXPECT_LT(elapsed, 1000u);
}

TEST(WindowIcon, AVanishedWindowGivesTheDefault)
{
    HWND gone = WindowOfClass("VornelGoneWindow", DefWindowProcA, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), GetWindowIcon(gone, true));
    EXPECT_EQ(nullptr, GetWindowIcon(gone, false));
}
