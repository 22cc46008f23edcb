// The Colours dialog in-process: its template, the sliders and numbers of
// the selected colour, the preview, Default, and what Cancel and OK leave
// on the button, the tray icon and the registry.
#include "tests/win32/test_support.h"

#include <commctrl.h>

#include "app/command_dispatch.h"
#include "res/resource.h"
#include "settings/settings_store.h"
#include "ui/colours_dialog.h"
#include "ui/tray_icon.h"

static const int Sliders[3] = { IDC_COLOUR_RED, IDC_COLOUR_GREEN, IDC_COLOUR_BLUE };

static std::string Numbers(HWND dialog)
{
    char text[64];
    GetDlgItemTextA(dialog, IDC_COLOUR_VALUES, text, sizeof text);
    return text;
}

static std::vector<int> SliderPositions(HWND dialog)
{
    std::vector<int> positions;
    for (int id : Sliders)
        positions.push_back(static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0)));
    return positions;
}

// The thumb dragged to a position: the trackbar tells its parent on the way.
static void DragSlider(HWND dialog, int id, int position)
{
    HWND slider = GetDlgItem(dialog, id);
    SendMessageA(slider, TBM_SETPOS, TRUE, position);
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), reinterpret_cast<LPARAM>(slider));
}

static void Click(HWND dialog, int id)
{
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

static bool SameScheme(const ColourScheme& a, const ColourScheme& b)
{
    return memcmp(a.colours, b.colours, sizeof a.colours) == 0;
}

// How many pixels of a window's client area (or of a bitmap resource, or
// of an icon) have the colour.
static int PixelsOf(HWND window, int bitmapId, HICON icon, COLORREF colour)
{
    RECT area = { 0, 0, 46, 46 };
    if (window)
        GetClientRect(window, &area);
    Canvas canvas(area.right, area.bottom);
    HDC source = window ? GetDC(window) : CreateCompatibleDC(canvas.dc());
    HBITMAP bitmap = bitmapId ? LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId)) : nullptr;
    HGDIOBJ previous = bitmap ? SelectObject(source, bitmap) : nullptr;
    if (icon)
        DrawIconEx(canvas.dc(), 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    else
        BitBlt(canvas.dc(), 0, 0, area.right, area.bottom, source, 0, 0, SRCCOPY);
    if (bitmap)
        DeleteObject(SelectObject(source, previous));
    window ? ReleaseDC(window, source) : DeleteDC(source);
    int count = 0;
    for (DWORD pixel : canvas.Pixels())
        count += RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF) == colour;
    return count;
}

class ColoursDialog : public AppTest {
protected:
    void Open() { SendMessageA(window, WM_COMMAND, 61, 0); }
};

TEST_F(ColoursDialog, TheTemplateIsAsDesigned)
{
    DialogScript script("Colors");
    std::vector<std::pair<int, std::string>> controls;
    script.Then([&](HWND dialog) {
        const LONG styles = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        EXPECT_EQ(styles, GetWindowLongA(dialog, GWL_STYLE) & styles);
        EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        RECT client, units = { 0, 0, 262, 120 };
        GetClientRect(dialog, &client);
        MapDialogRect(dialog, &units);
        EXPECT_TRUE(EqualRect(&units, &client));
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char className[32];
            GetClassNameA(child, className, sizeof className);
            controls.push_back({ static_cast<short>(GetDlgCtrlID(child)), className });
        }
        const LONG trackbar = TBS_BOTH | TBS_NOTICKS | WS_TABSTOP;
        for (int id : Sliders) {
            EXPECT_EQ(trackbar, GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & trackbar);
            EXPECT_EQ(255, SendDlgItemMessageA(dialog, id, TBM_GETRANGEMAX, 0, 0));
        }
        EXPECT_EQ(SS_RIGHT, GetWindowLongA(GetDlgItem(dialog, IDC_COLOUR_VALUES), GWL_STYLE) & SS_TYPEMASK);
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_COLOUR_UNPRESSED));
        EXPECT_EQ((std::vector<int>{ 255, 0, 0 }), SliderPositions(dialog)) << "the unpressed colour";
        EXPECT_EQ("255\n  0\n  0", Numbers(dialog));
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }).Start();
    Open();
    EXPECT_FALSE(ColoursOpen);
    const char* button = "Button";
    const char* label = "Static";
    const char* trackbar = "msctls_trackbar32";
    std::vector<std::pair<int, std::string>> expected = {
        { -1, button }, { 65, button }, { 66, button }, { 67, button }, { 68, button }, { -1, label },
        { -1, label }, { -1, label }, { -1, button }, { 62, trackbar }, { 63, trackbar }, { 64, trackbar },
        { 15, button }, { -1, label }, { 71, label }, { 70, button }, { 1, button }, { 2, button } };
    ASSERT_EQ(expected.size(), controls.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].first, controls[i].first) << i;
        EXPECT_EQ(0, lstrcmpiA(expected[i].second.c_str(), controls[i].second.c_str())) << controls[i].second;
    }
}

TEST_F(ColoursDialog, TheRedSliderOnHighlightChangesOnlyTheGlintsOfThePreview)
{
    const COLORREF green = RGB(0, 255, 0), yellow = RGB(255, 255, 0);
    int glints = PixelsOf(nullptr, 16, nullptr, yellow) + PixelsOf(nullptr, 18, nullptr, yellow);
    int buttonGlint = PixelsOf(window, 0, nullptr, yellow);
    int shownBefore = -1, shownAfter = -1, leftYellow = -1, buttonDuring = -1;
    DialogScript script("Colors");
    script.Then([&](HWND dialog) {
        shownBefore = PixelsOf(dialog, 0, nullptr, yellow);
        Click(dialog, IDC_COLOUR_HIGHLIGHT);
        DragSlider(dialog, IDC_COLOUR_RED, 0);
        shownAfter = PixelsOf(dialog, 0, nullptr, green);
        leftYellow = PixelsOf(dialog, 0, nullptr, yellow);
        EXPECT_EQ("  0\n255\n  0", Numbers(dialog));
        ColourScheme expected = DefaultColourScheme;
        expected.colours[HighlightColour] = green;
        EXPECT_TRUE(SameScheme(expected, WorkingScheme));
        buttonDuring = PixelsOf(window, 0, nullptr, yellow);
        Click(dialog, IDCANCEL);
    }).Start();
    Open();
    EXPECT_GT(glints, 0);
    EXPECT_EQ(glints, shownBefore) << "the glints of the two unpressed faces";
    EXPECT_EQ(glints, shownAfter) << "follow the thumb";
    EXPECT_EQ(0, leftYellow);
    EXPECT_GT(buttonGlint, 0);
    EXPECT_EQ(buttonGlint, buttonDuring) << "the button keeps its colours while editing";
}

TEST_F(ColoursDialog, SwitchingTheSlotMovesTheSlidersAndNumbersOnly)
{
    ColourScheme current = { { RGB(10, 20, 30), RGB(40, 50, 60), RGB(5, 100, 200), RGB(70, 80, 90) } };
    CurrentColourScheme() = current;
    std::vector<int> pressed, unpressed;
    std::string pressedText;
    DialogScript script("Colors");
    script.Then([&](HWND dialog) {
        Click(dialog, IDC_COLOUR_PRESSED);
        pressed = SliderPositions(dialog);
        pressedText = Numbers(dialog);
        Click(dialog, IDC_COLOUR_UNPRESSED);
        unpressed = SliderPositions(dialog);
        EXPECT_TRUE(SameScheme(current, WorkingScheme));
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }).Start();
    Open();
    EXPECT_EQ((std::vector<int>{ 5, 100, 200 }), pressed);
    EXPECT_EQ("  5\n100\n200", pressedText);
    EXPECT_EQ((std::vector<int>{ 10, 20, 30 }), unpressed);
}

TEST_F(ColoursDialog, DefaultResetsAllFourAndKeepsTheSelectedSlot)
{
    CurrentColourScheme() = { { RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4) } };
    std::vector<int> sliders;
    std::string text;
    bool stillPressed = false;
    DialogScript script("Colors");
    script.Then([&](HWND dialog) {
        Click(dialog, IDC_COLOUR_PRESSED);
        Click(dialog, IDC_COLOUR_DEFAULT);
        sliders = SliderPositions(dialog);
        text = Numbers(dialog);
        stillPressed = IsDlgButtonChecked(dialog, IDC_COLOUR_PRESSED) == BST_CHECKED;
        EXPECT_TRUE(SameScheme(DefaultColourScheme, WorkingScheme));
        Click(dialog, IDCANCEL);
    }).Start();
    Open();
    EXPECT_EQ((std::vector<int>{ 128, 0, 0 }), sliders);
    EXPECT_EQ("128\n  0\n  0", text);
    EXPECT_TRUE(stillPressed);
}

// The ball turned blue in the dialog, which then ends with the given button.
class ColoursEnding : public ColoursDialog {
protected:
    void SetUp() override
    {
        ColoursDialog::SetUp();
        SendMessageA(window, WM_COMMAND, 57, 0);   // the button and a tray icon
        ASSERT_TRUE(ReadValue("Colors", storedBefore));
        trayIconBefore = TrayIconData.hIcon;
    }
    void EditAndEndWith(int button)
    {
        DialogScript script("Colors");
        script.Then([&](HWND dialog) {
            DragSlider(dialog, IDC_COLOUR_RED, 0);
            DragSlider(dialog, IDC_COLOUR_BLUE, 255);
            Click(dialog, button);
        }).Start();
        Open();
        EXPECT_FALSE(ColoursOpen);
        ReadValue("Colors", storedAfter);
    }

    const COLORREF blue = RGB(0, 0, 255), red = RGB(255, 0, 0);
    std::vector<unsigned char> storedBefore, storedAfter;
    HICON trayIconBefore = nullptr;
};

TEST_F(ColoursEnding, CancelLeavesTheButtonTheTrayIconAndTheRegistryAlone)
{
    EditAndEndWith(IDCANCEL);
    EXPECT_EQ(0, PixelsOf(window, 0, nullptr, blue));
    EXPECT_EQ(trayIconBefore, TrayIconData.hIcon);
    EXPECT_EQ(0, PixelsOf(nullptr, 0, TrayIconData.hIcon, blue));
    EXPECT_EQ(storedBefore, storedAfter);
}

TEST_F(ColoursEnding, OkRepaintsTheButtonRebuildsTheTrayIconAndSaves)
{
    EditAndEndWith(IDOK);
    EXPECT_EQ(PixelsOf(nullptr, 16, nullptr, red), PixelsOf(window, 0, nullptr, blue));
    EXPECT_EQ(PixelsOf(nullptr, 10, nullptr, red), PixelsOf(nullptr, 0, TrayIconData.hIcon, blue))
        << "the tray shows the new colours";
    std::vector<unsigned char> expected = storedBefore;
    ASSERT_EQ(16u, expected.size());
    expected[0] = 0;      // the unpressed colour, red first
    expected[2] = 255;
    EXPECT_EQ(expected, storedAfter);
}
