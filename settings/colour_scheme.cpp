#include "settings/colour_scheme.h"

ColourValue SubstituteKeyColour(ColourValue source, const ColourScheme& scheme, ColourValue other)
{
    for (int slot = 0; slot < COLOUR_SLOT_COUNT; ++slot) {
        if (source == DefaultColourScheme.colours[slot])
            return scheme.colours[slot];
    }
    return other;
}
