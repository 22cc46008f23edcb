#include <gtest/gtest.h>

#include "settings/colour_scheme.h"

TEST(ColourScheme, DefaultsAreTheKeyColoursInSlotOrder)
{
    EXPECT_EQ(0x000000FFu, DefaultColourScheme.colours[UnpressedColour]);
    EXPECT_EQ(0x0000FFFFu, DefaultColourScheme.colours[HighlightColour]);
    EXPECT_EQ(0x00000080u, DefaultColourScheme.colours[PressedColour]);
    EXPECT_EQ(0x00008080u, DefaultColourScheme.colours[ShadowColour]);
}

TEST(ColourScheme, KeyColoursMapToTheirSlotsOthersToTheGivenColour)
{
    ColourScheme scheme = {{ MakeColour(1, 1, 1), MakeColour(2, 2, 2), MakeColour(3, 3, 3), MakeColour(4, 4, 4) }};
    EXPECT_EQ(MakeColour(1, 1, 1), SubstituteKeyColour(MakeColour(255, 0, 0), scheme, 0));
    EXPECT_EQ(MakeColour(2, 2, 2), SubstituteKeyColour(MakeColour(255, 255, 0), scheme, 0));
    EXPECT_EQ(MakeColour(3, 3, 3), SubstituteKeyColour(MakeColour(128, 0, 0), scheme, 0));
    EXPECT_EQ(MakeColour(4, 4, 4), SubstituteKeyColour(MakeColour(128, 128, 0), scheme, 0));
    EXPECT_EQ(MakeColour(9, 9, 9), SubstituteKeyColour(MakeColour(192, 192, 192), scheme, MakeColour(9, 9, 9)));
    EXPECT_EQ(MakeColour(9, 9, 9), SubstituteKeyColour(MakeColour(254, 0, 0), scheme, MakeColour(9, 9, 9)))
        << "only exact key colours are replaced";
}

TEST(ColourScheme, EachPixelIsMappedOnceFromItsSourceValue)
{
    // The ball becomes yellow, the glint blue: a glint pixel must not be
    // taken for the (now yellow) ball and turned yellow again, nor a ball
    // pixel turned blue.
    ColourScheme scheme = DefaultColourScheme;
    scheme.colours[UnpressedColour] = MakeColour(255, 255, 0);
    scheme.colours[HighlightColour] = MakeColour(0, 0, 255);
    EXPECT_EQ(MakeColour(255, 255, 0), SubstituteKeyColour(MakeColour(255, 0, 0), scheme, 0));
    EXPECT_EQ(MakeColour(0, 0, 255), SubstituteKeyColour(MakeColour(255, 255, 0), scheme, 0));
}
