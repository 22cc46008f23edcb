// The button's face and the two icons in the user's colours. The pictures
// are stored once in the key colours and recoloured at every drawing.
#ifndef VORNEL_UI_BUTTON_FACE_H
#define VORNEL_UI_BUTTON_FACE_H

#include <windows.h>

#include "settings/colour_scheme.h"

// Side of the face drawn for size index 0 (normal) and 1 (Large Window):
// the client area of a 25 or 47 pixel window with a one-pixel border.
extern const int FaceSize[2];

// Slot 0 unpressed, slot 1 pressed; null until built.
extern HICON ButtonIcons[2];
// Resource icons 9 and 40, standing in for an empty slot 0 and 1.
extern HICON AppIcon;
extern HICON AppIconPressed;

// Draws the top-left FaceSize[sizeIndex] square of a face bitmap at (x, y),
// each key colour replaced by the scheme's colour of its slot.
void DrawButtonFace(HDC dc, int bitmapId, int x, int y, int sizeIndex, const ColourScheme& scheme);

// WM_PAINT of the button: the pressed face while `pressed` (the left
// button held down on it).
void PaintButtonWindow(HWND window, bool pressed);

// Rebuilds one slot of ButtonIcons from the current colours; every pixel
// that is not a key colour takes the system's button-face colour.
void BuildButtonIcon(HWND window, int slot);

// Destroys both icons, slot 0 then slot 1.
void DestroyButtonIcons();

// The slot's icon, or the resource icon standing in for it.
HICON ButtonIconOrDefault(int slot);

#endif
