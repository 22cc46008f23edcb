// The four colours of the ball and the rule that paints the stored pictures
// in them. The pictures are drawn once in the key colours; every other
// colour belongs to the bevel and the background and is never recoloured.
#ifndef VORNEL_SETTINGS_COLOUR_SCHEME_H
#define VORNEL_SETTINGS_COLOUR_SCHEME_H

#include <stdint.h>

// A Windows COLORREF: red in the lowest byte, then green, then blue.
typedef uint32_t ColourValue;

constexpr ColourValue MakeColour(unsigned red, unsigned green, unsigned blue)
{
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

enum ColourSlot {
    UnpressedColour = 0,
    HighlightColour = 1,
    PressedColour = 2,
    ShadowColour = 3,
    COLOUR_SLOT_COUNT = 4
};

struct ColourScheme {
    ColourValue colours[COLOUR_SLOT_COUNT];
};

// The key colour of each slot in the stored pictures, which is also the
// slot's default. A constant expression, so the default settings built
// from it are ready before any code runs.
constexpr ColourScheme DefaultColourScheme = {{
    MakeColour(255, 0, 0),     // UnpressedColour: the ball
    MakeColour(255, 255, 0),   // HighlightColour: the glint
    MakeColour(128, 0, 0),     // PressedColour: the pressed ball
    MakeColour(128, 128, 0),   // ShadowColour: the shade crescent
}};

// Maps one source pixel once: a key colour becomes the scheme's colour of
// its slot; any other colour becomes `other` (faces pass the pixel itself,
// icons the system button-face colour).
ColourValue SubstituteKeyColour(ColourValue source, const ColourScheme& scheme, ColourValue other);

#endif
