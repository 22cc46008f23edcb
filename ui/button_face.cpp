#include "ui/button_face.h"

#include "base/handles.h"
#include "base/program.h"
#include "res/resource.h"
#include "settings/settings_store.h"

const int FaceSize[2] = { 23, 45 };

const int ICON_SIDE = 32;
// The largest bitmap the program stores (the 46 x 46 faces).
const int MAX_BITMAP_SIDE = 46;

static BITMAPINFO TopDownInfo(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A 32-bit DIB pixel is blue, green, red from the lowest byte; a COLORREF is
// red, green, blue.
static COLORREF FromDibPixel(DWORD pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

static DWORD ToDibPixel(COLORREF colour)
{
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// Reads the top-left side x side pixels of a bitmap resource into pixels
// (rows top-down), each mapped once from its source value: a key colour to
// the scheme, any other colour to itself or, when otherColour is given, to it.
static bool ReadRecolouredPixels(HDC dc, int bitmapId, int side, const ColourScheme& scheme,
                                 const COLORREF* otherColour, DWORD* pixels)
{
    GdiObject bitmap(LoadBitmapA(Program.instance, MAKEINTRESOURCEA(bitmapId)));
    BITMAP shape;
    if (!bitmap.valid() || !GetObjectA(bitmap.get(), sizeof shape, &shape) || shape.bmWidth < side ||
        shape.bmHeight < side || shape.bmWidth > MAX_BITMAP_SIDE || shape.bmHeight > MAX_BITMAP_SIDE)
        return false;
    DWORD source[MAX_BITMAP_SIDE * MAX_BITMAP_SIDE];
    BITMAPINFO info = TopDownInfo(shape.bmWidth, shape.bmHeight);
    if (GetDIBits(dc, static_cast<HBITMAP>(bitmap.get()), 0, shape.bmHeight, source, &info, DIB_RGB_COLORS) !=
        shape.bmHeight)
        return false;
    for (int j = 0; j < side; ++j) {
        for (int i = 0; i < side; ++i) {
            COLORREF colour = FromDibPixel(source[j * shape.bmWidth + i]);
            COLORREF other = otherColour ? *otherColour : colour;
            pixels[j * side + i] = ToDibPixel(SubstituteKeyColour(colour, scheme, other));
        }
    }
    return true;
}

void DrawButtonFace(HDC dc, int bitmapId, int x, int y, int sizeIndex, const ColourScheme& scheme)
{
    int side = FaceSize[sizeIndex != 0];
    DWORD pixels[MAX_BITMAP_SIDE * MAX_BITMAP_SIDE];
    if (!ReadRecolouredPixels(dc, bitmapId, side, scheme, nullptr, pixels))
        return;
    BITMAPINFO info = TopDownInfo(side, side);
    SetDIBitsToDevice(dc, x, y, side, side, 0, 0, 0, side, pixels, &info, DIB_RGB_COLORS);
}

void PaintButtonWindow(HWND window, bool pressed)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    int bitmapId, sizeIndex;
    if (Settings.largeSize) {
        bitmapId = pressed ? IDB_FACE_LARGE_PRESSED : IDB_FACE_LARGE_UNPRESSED;
        sizeIndex = 1;
    } else {
        bitmapId = pressed ? IDB_FACE_PRESSED : IDB_FACE_UNPRESSED;
        sizeIndex = 0;
    }
    DrawButtonFace(dc, bitmapId, client.left, client.top, sizeIndex, CurrentColourScheme());
    EndPaint(window, &paint);
}

HICON CreateButtonIcon(HWND window, int slot)
{
    WindowDC windowDC(window);
    COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
    DWORD pixels[ICON_SIDE * ICON_SIDE];
    if (!ReadRecolouredPixels(windowDC.get(), slot == 1 ? IDB_ICON_PRESSED : IDB_ICON_UNPRESSED, ICON_SIDE,
                              CurrentColourScheme(), &buttonFace, pixels))
        return nullptr;
    GdiObject colour(CreateCompatibleBitmap(windowDC.get(), ICON_SIDE, ICON_SIDE));
    BITMAPINFO info = TopDownInfo(ICON_SIDE, ICON_SIDE);
    if (!colour.valid() ||
        !SetDIBits(windowDC.get(), static_cast<HBITMAP>(colour.get()), 0, ICON_SIDE, pixels, &info, DIB_RGB_COLORS))
        return nullptr;
    // An all-zero mask: the icon is a solid square whose corners show the
    // button-face colour.
    static const BYTE opaque[ICON_SIDE * ICON_SIDE / 8] = {};
    GdiObject mask(CreateBitmap(ICON_SIDE, ICON_SIDE, 1, 1, opaque));
    if (!mask.valid())
        return nullptr;
    ICONINFO icon = { TRUE, 0, 0, static_cast<HBITMAP>(mask.get()), static_cast<HBITMAP>(colour.get()) };
    return CreateIconIndirect(&icon);
}
