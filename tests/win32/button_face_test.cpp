// The faces and icons in the user's colours, pixel by pixel.
#include "tests/win32/test_support.h"

#include "app/main_window.h"
#include "app/startup.h"
#include "res/resource.h"
#include "settings/settings_store.h"
#include "tests/win32/face_reference.h"
#include "ui/button_face.h"
#include "ui/program_icons.h"
#include "ui/tray_icon.h"

// The stored picture itself, pixel by pixel.
static COLORREF SourcePixel(int bitmapId, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId));
    HGDIOBJ previous = SelectObject(dc, bitmap);
    COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return colour;
}

static int KeySlot(COLORREF colour)
{
    for (int slot = 0; slot < 4; ++slot) {
        if (colour == DefaultColourScheme.colours[slot])
            return slot;
    }
    return -1;
}

class ButtonFace : public AppTest {};

TEST_F(ButtonFace, TheDefaultSchemeDrawsEveryFaceExactlyAsStored)
{
    struct Face { int id, sizeIndex; };
    for (Face face : { Face{ 16, 0 }, Face{ 17, 0 }, Face{ 18, 1 }, Face{ 19, 1 } }) {
        Canvas canvas;
        DrawButtonFace(canvas.dc(), face.id, 3, 4, face.sizeIndex, DefaultColourScheme);
        int side = FaceSize[face.sizeIndex];
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                ASSERT_EQ(SourcePixel(face.id, x, y), canvas.At(3 + x, 4 + y)) << face.id << " at " << x << "," << y;
        EXPECT_EQ(RGB(1, 2, 3), canvas.At(2, 4)) << "nothing drawn outside the face";
        EXPECT_EQ(RGB(1, 2, 3), canvas.At(3 + side, 4 + side));
    }
}

TEST_F(ButtonFace, LargeFacesDraw45Of46Pixels)
{
    Canvas canvas;
    DrawButtonFace(canvas.dc(), 18, 0, 0, 1, DefaultColourScheme);
    EXPECT_EQ(SourcePixel(18, 44, 44), canvas.At(44, 44));
    EXPECT_EQ(RGB(1, 2, 3), canvas.At(45, 20)) << "the 46th column is not drawn";
    EXPECT_EQ(RGB(1, 2, 3), canvas.At(20, 45)) << "nor the 46th row";
    EXPECT_EQ(23, FaceSize[0]);
    EXPECT_EQ(45, FaceSize[1]);
}

TEST_F(ButtonFace, KeyColoursTakeTheSchemeTheBevelNeverChanges)
{
    // A yellow ball with a blue glint: the glint comes from its own key,
    // not from the ball it sits on once that is yellow.
    ColourScheme scheme = DefaultColourScheme;
    scheme.colours[UnpressedColour] = RGB(255, 255, 0);
    scheme.colours[HighlightColour] = RGB(0, 0, 255);
    scheme.colours[ShadowColour] = RGB(0, 255, 0);
    Canvas canvas;
    DrawButtonFace(canvas.dc(), 16, 0, 0, 0, scheme);
    int glints = 0, balls = 0;
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 23; ++x) {
            COLORREF source = SourcePixel(16, x, y);
            int slot = KeySlot(source);
            COLORREF expected = slot >= 0 ? scheme.colours[slot] : source;
            ASSERT_EQ(expected, canvas.At(x, y)) << x << "," << y;
            glints += slot == HighlightColour;
            balls += slot == UnpressedColour;
        }
    }
    EXPECT_GT(glints, 0);
    EXPECT_GT(balls, 0);
    // The bevel: white top-left, black outermost bottom-right.
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(22, 22));
    EXPECT_EQ(RGB(128, 128, 128), canvas.At(21, 10));
}

TEST_F(ButtonFace, TheBufferDrawingEqualsThePixelByPixelRule)
{
    ColourScheme scheme = {{ RGB(10, 20, 30), RGB(128, 0, 0), RGB(255, 0, 0), RGB(200, 100, 50) }};
    for (int id : { 16, 17, 18, 19 }) {
        int sizeIndex = id >= 18;
        Canvas ours, reference;
        DrawButtonFace(ours.dc(), id, 1, 1, sizeIndex, scheme);
        DrawButtonFacePerPixel(reference.dc(), id, 1, 1, sizeIndex, scheme);
        for (int y = 0; y < Canvas::SIDE; ++y)
            for (int x = 0; x < Canvas::SIDE; ++x)
                ASSERT_EQ(reference.At(x, y), ours.At(x, y)) << id << " at " << x << "," << y;
    }
}

TEST_F(ButtonFace, LargeFacesAreExactDoublingsOfTheSmallOnes)
{
    for (int y = 0; y < 46; ++y)
        for (int x = 0; x < 46; ++x) {
            ASSERT_EQ(SourcePixel(16, x / 2, y / 2), SourcePixel(18, x, y)) << x << "," << y;
            ASSERT_EQ(SourcePixel(17, x / 2, y / 2), SourcePixel(19, x, y)) << x << "," << y;
        }
}

TEST_F(ButtonFace, TheWindowShowsThePressedFaceExactlyWhileDragging)
{
    SendMessageA(window, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(SourcePixel(17, 11, 11), ClientPixel(window, 11, 11));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(SourcePixel(16, 11, 11), ClientPixel(window, 11, 11));
    EXPECT_NE(SourcePixel(16, 11, 11), SourcePixel(17, 11, 11)) << "the test needs a pixel that differs";
}

TEST_F(ButtonFace, TheWindowPaintsInTheCurrentColours)
{
    ColourScheme scheme = DefaultColourScheme;
    scheme.colours[UnpressedColour] = RGB(0, 0, 255);
    ChangeColourScheme(scheme);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    int x = -1, y = -1;
    for (int j = 0; j < 23 && x < 0; ++j)
        for (int i = 0; i < 23; ++i)
            if (SourcePixel(16, i, j) == RGB(255, 0, 0)) {
                x = i;
                y = j;
                break;
            }
    ASSERT_GE(x, 0);
    EXPECT_EQ(RGB(0, 0, 255), ClientPixel(window, x, y));
}

static void ExpectIcon(HICON icon, int bitmapId, const ColourScheme& scheme)
{
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    // Mask: all zero, a solid square.
    BYTE mask[32 * 4] = {};
    struct { BITMAPINFOHEADER header; RGBQUAD colours[2]; } maskInfo = {};
    maskInfo.header.biSize = sizeof maskInfo.header;
    maskInfo.header.biWidth = 32;
    maskInfo.header.biHeight = -32;
    maskInfo.header.biPlanes = 1;
    maskInfo.header.biBitCount = 1;
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(32, GetDIBits(screen, info.hbmMask, 0, 32, mask, reinterpret_cast<BITMAPINFO*>(&maskInfo), DIB_RGB_COLORS));
    for (BYTE b : mask)
        ASSERT_EQ(0, b);
    // Colours: key colours by the scheme, everything else the button face.
    DWORD pixels[32 * 32];
    BITMAPINFO colourInfo = {};
    colourInfo.bmiHeader.biSize = sizeof colourInfo.bmiHeader;
    colourInfo.bmiHeader.biWidth = 32;
    colourInfo.bmiHeader.biHeight = -32;
    colourInfo.bmiHeader.biPlanes = 1;
    colourInfo.bmiHeader.biBitCount = 32;
    ASSERT_EQ(32, GetDIBits(screen, info.hbmColor, 0, 32, pixels, &colourInfo, DIB_RGB_COLORS));
    ReleaseDC(nullptr, screen);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            int slot = KeySlot(SourcePixel(bitmapId, x, y));
            COLORREF expected = slot >= 0 ? scheme.colours[slot] : face;
            DWORD p = pixels[y * 32 + x];
            ASSERT_EQ(expected, RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)) << x << "," << y;
        }
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
}

TEST_F(ButtonFace, IconsFollowTheSchemeAndTakeTheButtonFaceColourElsewhere)
{
    ExpectIcon(ButtonIcons[0], 10, DefaultColourScheme);
    ExpectIcon(ButtonIcons[1], 11, DefaultColourScheme);
    ColourScheme scheme = {{ RGB(0, 0, 255), RGB(0, 255, 0), RGB(0, 0, 128), RGB(255, 0, 255) }};
    ChangeColourScheme(scheme);
    HICON before = ButtonIcons[0];
    RefreshButtonIcons(window);
    ICONINFO gone;
    EXPECT_FALSE(GetIconInfo(before, &gone)) << "the old icon is destroyed";
    ExpectIcon(ButtonIcons[0], 10, scheme);
    ExpectIcon(ButtonIcons[1], 11, scheme);
}

TEST_F(ButtonFace, AnEmptySlotIsStoodInForByTheResourceIcons)
{
    DestroyButtonIcons();
    EXPECT_EQ(Icons.app, ButtonIconOrDefault(0));
    EXPECT_EQ(Icons.appPressed, ButtonIconOrDefault(1));
}
