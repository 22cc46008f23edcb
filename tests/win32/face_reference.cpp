#include "tests/win32/face_reference.h"

#include "app/startup.h"
#include "ui/button_face.h"

void DrawButtonFacePerPixel(HDC dc, int bitmapId, int x, int y, int sizeIndex, const ColourScheme& scheme)
{
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = LoadBitmapA(Program.instance ? Program.instance : GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId));
    HGDIOBJ previous = SelectObject(memory, bitmap);
    int side = FaceSize[sizeIndex];
    for (int i = 0; i < side; ++i) {
        for (int j = 0; j < side; ++j) {
            COLORREF source = GetPixel(memory, i, j);
            SetPixel(dc, x + i, y + j, SubstituteKeyColour(source, scheme, source));
        }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
}
