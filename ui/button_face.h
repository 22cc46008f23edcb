// The button's face and the two icons in the user's colours. The pictures
// are stored once in the key colours and recoloured at every drawing.
#ifndef VORNEL_UI_BUTTON_FACE_H
#define VORNEL_UI_BUTTON_FACE_H

#include <windows.h>

#include "settings/colour_scheme.h"

// Side of the face drawn for size index 0 (normal) and 1 (Large Window):
// the client area of a 25 or 47 pixel window with a one-pixel border.
extern const int FaceSize[2];

// Draws the top-left FaceSize[sizeIndex] square of a face bitmap at (x, y),
// each key colour replaced by the scheme's colour of its slot.
void DrawButtonFace(HDC dc, int bitmapId, int x, int y, int sizeIndex, const ColourScheme& scheme);

// WM_PAINT of the button: the pressed face while `pressed` (the left
// button held down on it).
void PaintButtonWindow(HWND window, bool pressed);

// A new icon of the ball in the current colours, unpressed (slot 0) or
// pressed (slot 1); every pixel that is not a key colour takes the system's
// button-face colour. Null when it cannot be made; the caller owns it.
HICON CreateButtonIcon(HWND window, int slot);

#endif
