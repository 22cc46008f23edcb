// The Colours dialog in-process: its template, the sliders and numbers of
// the selected colour, the preview, Default, and what Cancel and OK leave
// on the button, the tray icon and the registry.
#include "tests/win32/test_support.h"

#include <commctrl.h>

#include "app/command_dispatch.h"
#include "res/resource.h"
#include "settings/settings_store.h"
#include "dialogs/colours/colours_dialog.h"
#include "dialogs/single_dialog.h"
#include "ui/tray_icon.h"

static const int Sliders[3] = { IDC_COLOUR_RED, IDC_COLOUR_GREEN, IDC_COLOUR_BLUE };

// The three thumbs' positions, then the numbers beside them.
static std::string Shown(HWND dialog)
{
    char text[64];
    GetDlgItemTextA(dialog, IDC_COLOUR_VALUES, text, sizeof text);
    std::string shown;
    for (int id : Sliders)
        shown += std::to_string(SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0)) + " ";
    return shown + "|" + text;
}

// The thumb dragged to a position: the trackbar tells its parent on the way.
static void DragSlider(HWND dialog, int id, int position)
{
    HWND slider = GetDlgItem(dialog, id);
    SendMessageA(slider, TBM_SETPOS, TRUE, position);
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), reinterpret_cast<LPARAM>(slider));
}

static void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

static bool SameScheme(const ColourScheme& a, const ColourScheme& b) { return !memcmp(&a, &b, sizeof a); }

// The scheme the open dialog is editing.
static const ColourScheme& Edited(HWND dialog) { return DialogState<ColoursEdit>(dialog)->scheme; }

// How many pixels of a window's client area (or of a bitmap resource, or
// of an icon) have the colour.
static int PixelsOf(HWND window, int bitmapId, HICON icon, COLORREF colour)
{
    RECT area = { 0, 0, 46, 46 };
    if (window)
        GetClientRect(window, &area);
    Canvas canvas(area.right, area.bottom);
    HDC source = window ? GetDC(window) : CreateCompatibleDC(canvas.dc());
    HGDIOBJ bitmap = bitmapId ? LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId)) : nullptr;
    HGDIOBJ previous = bitmap ? SelectObject(source, bitmap) : nullptr;
    icon ? DrawIconEx(canvas.dc(), 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL)
         : BitBlt(canvas.dc(), 0, 0, area.right, area.bottom, source, 0, 0, SRCCOPY);
    DeleteObject(bitmap ? SelectObject(source, previous) : nullptr);
    window ? ReleaseDC(window, source) : DeleteDC(source);
    int count = 0;
    for (DWORD pixel : canvas.Pixels())
        count += RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF) == colour;
    return count;
}

class ColoursDialog : public AppTest {
protected:
    // Opens the dialog by its command; the step looks and ends the dialog.
    void Open(const std::function<void(HWND)>& step)
    {
        bool markedOpen = false;
        DialogScript script("Colors");
        script.Then([&](HWND dialog) { markedOpen = SingleDialogOpen(IDD_COLOURS); step(dialog); }).Start();
        SendMessageA(window, WM_COMMAND, 61, 0);
        EXPECT_TRUE(markedOpen) << "shown, and marked open meanwhile";
        EXPECT_FALSE(SingleDialogOpen(IDD_COLOURS));
    }
};

TEST_F(ColoursDialog, TheTemplateTheSlotsAndDefault)
{
    const ColourScheme current = { { RGB(10, 20, 30), RGB(40, 50, 60), RGB(5, 100, 200), RGB(70, 80, 90) } };
    ChangeColourScheme(current);
    Open([&](HWND dialog) {
        std::string controls;   // each as its id and the first letter of its class
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char className[32];
            GetClassNameA(child, className, sizeof className);
            controls += std::to_string(static_cast<short>(GetDlgCtrlID(child))) + className[0] + " ";
        }
        EXPECT_EQ("-1B 65B 66B 67B 68B -1S -1S -1S -1B 62m 63m 64m 15B -1S 71S 70B 1B 2B ", controls);
        const LONG trackbar = TBS_BOTH | TBS_NOTICKS | WS_TABSTOP;
        for (int id : Sliders)
            EXPECT_EQ(trackbar, GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & trackbar) << id;
        EXPECT_EQ(SS_RIGHT, GetWindowLongA(GetDlgItem(dialog, IDC_COLOUR_VALUES), GWL_STYLE) & SS_TYPEMASK);

        // Another slot moves the sliders and the numbers, and no colour.
        Click(dialog, IDC_COLOUR_PRESSED);
        EXPECT_EQ("5 100 200 |  5\n100\n200", Shown(dialog));
        Click(dialog, IDC_COLOUR_UNPRESSED);
        EXPECT_EQ("10 20 30 | 10\n 20\n 30", Shown(dialog));
        EXPECT_TRUE(SameScheme(current, Edited(dialog)));

        Click(dialog, IDC_COLOUR_PRESSED);
        Click(dialog, IDC_COLOUR_DEFAULT);
        EXPECT_EQ("128 0 0 |128\n  0\n  0", Shown(dialog));
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_COLOUR_PRESSED));
        EXPECT_TRUE(SameScheme(DefaultColourScheme, Edited(dialog)));
        Click(dialog, IDCANCEL);
    });
}

class ColoursEnding : public ColoursDialog {};

// With the button and a tray icon: the glints turned green and cancelled,
// then the unpressed colour turned from red to blue and confirmed.
TEST_F(ColoursEnding, EditsShowOnlyInThePreviewUntilOkPutsThemOnTheButtonTheTrayIconAndTheRegistry)
{
    SendMessageA(window, WM_COMMAND, 57, 0);
    auto stored = [] { std::vector<unsigned char> bytes; ReadValue("Colors", bytes); return bytes; };
    std::vector<unsigned char> before = stored();
    ASSERT_EQ(16u, before.size());
    const HICON trayIcon = TrayIconData.hIcon;
    const COLORREF red = RGB(255, 0, 0), yellow = RGB(255, 255, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255);
    const int faceGlints = PixelsOf(nullptr, 16, nullptr, yellow);
    const int glints = faceGlints + PixelsOf(nullptr, 18, nullptr, yellow);
    ASSERT_GT(faceGlints, 0);
    Open([&](HWND dialog) {
        EXPECT_EQ(glints, PixelsOf(dialog, 0, nullptr, yellow)) << "the glints of the two unpressed faces";
        Click(dialog, IDC_COLOUR_HIGHLIGHT);
        DragSlider(dialog, IDC_COLOUR_RED, 0);
        EXPECT_EQ(glints, PixelsOf(dialog, 0, nullptr, green)) << "follow the thumb";
        EXPECT_EQ(0, PixelsOf(dialog, 0, nullptr, yellow));
        EXPECT_EQ("0 255 0 |  0\n255\n  0", Shown(dialog));
        ColourScheme expected = DefaultColourScheme;
        expected.colours[HighlightColour] = green;
        EXPECT_TRUE(SameScheme(expected, Edited(dialog)));
        EXPECT_EQ(faceGlints, PixelsOf(window, 0, nullptr, yellow)) << "the button keeps its colours while editing";
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, PixelsOf(window, 0, nullptr, green));
    EXPECT_EQ(trayIcon, TrayIconData.hIcon);
    EXPECT_EQ(before, stored());

    Open([](HWND dialog) {
        DragSlider(dialog, IDC_COLOUR_RED, 0);
        DragSlider(dialog, IDC_COLOUR_BLUE, 255);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(PixelsOf(nullptr, 16, nullptr, red), PixelsOf(window, 0, nullptr, blue));
    EXPECT_EQ(PixelsOf(nullptr, 10, nullptr, red), PixelsOf(nullptr, 0, TrayIconData.hIcon, blue))
        << "the tray shows the new colours";
    before[0] = 0;   // the unpressed colour, red first
    before[2] = 255;
    EXPECT_EQ(before, stored());
}
