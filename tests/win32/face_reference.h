// The button face drawn the literal way, pixel by pixel through the device
// context (GetPixel, substitution, SetPixel). The program draws through a
// pixel buffer instead; the tests hold its output to this one and the
// benchmark compares their cost.
#ifndef VORNEL_TESTS_WIN32_FACE_REFERENCE_H
#define VORNEL_TESTS_WIN32_FACE_REFERENCE_H

#include <windows.h>

#include "settings/colour_scheme.h"

void DrawButtonFacePerPixel(HDC dc, int bitmapId, int x, int y, int sizeIndex, const ColourScheme& scheme);

#endif
