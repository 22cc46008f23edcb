#include "settings/colour_scheme.h"

const ColourScheme DefaultColourScheme = {{
    MakeColour(255, 0, 0),     // UnpressedColour: the ball
    MakeColour(255, 255, 0),   // HighlightColour: the glint
    MakeColour(128, 0, 0),     // PressedColour: the pressed ball
    MakeColour(128, 128, 0),   // ShadowColour: the shade crescent
}};

ColourValue SubstituteKeyColour(ColourValue source, const ColourScheme& scheme, ColourValue other)
{
    for (int slot = 0; slot < COLOUR_SLOT_COUNT; ++slot) {
        if (source == DefaultColourScheme.colours[slot])
            return scheme.colours[slot];
    }
    return other;
}
