#include <gtest/gtest.h>

#include "app/click_timing.h"

// The system's defaults: 500 ms, a 4 x 4 rectangle.
static const DoubleClickLimits Limits = { 500, 4, 4 };

static ButtonPress PressAt(uint32_t tick, int32_t x = 100, int32_t y = 100)
{
    return ButtonPress{ tick, x, y, true };
}

TEST(DoubleClick, UsesTheUnsignedDifferenceAcrossTheTickWrap)
{
    EXPECT_TRUE(CompletesDoubleClick(PressAt(600), 1000, 100, 100, Limits));
    EXPECT_FALSE(CompletesDoubleClick(PressAt(600), 1100, 100, 100, Limits))
        << "exactly the double-click time is too slow";
    EXPECT_TRUE(CompletesDoubleClick(PressAt(0xFFFFFF00u), 0x10u, 100, 100, Limits)) << "0x110 ms across the wrap";
    EXPECT_FALSE(CompletesDoubleClick(PressAt(0xFFFFFF00u), 0x1000u, 100, 100, Limits));
    // A tick before the previous one (never produced by a monotonic clock)
    // is a huge unsigned difference, not a negative one.
    EXPECT_FALSE(CompletesDoubleClick(PressAt(600), 500, 100, 100, Limits));
}

TEST(DoubleClick, TheSecondPressFallsInTheRectangleCentredOnTheFirst)
{
    EXPECT_TRUE(CompletesDoubleClick(PressAt(0), 10, 101, 99, Limits));
    EXPECT_FALSE(CompletesDoubleClick(PressAt(0), 10, 102, 100, Limits)) << "half the width away is outside";
    EXPECT_FALSE(CompletesDoubleClick(PressAt(0), 10, 100, 98, Limits));
    EXPECT_TRUE(CompletesDoubleClick(PressAt(0), 10, 102, 100, DoubleClickLimits{ 500, 5, 4 })) << "an odd width";
    EXPECT_FALSE(CompletesDoubleClick(PressAt(0, INT32_MAX, 0), 10, INT32_MIN, 0, Limits)) << "no overflow";
}

TEST(DoubleClick, APressThatMovedTheButtonOrNoPressAtAllBeginsNone)
{
    ButtonPress moved = PressAt(0);
    moved.beginsDoubleClick = false;
    EXPECT_FALSE(CompletesDoubleClick(moved, 10, 100, 100, Limits));
    EXPECT_FALSE(CompletesDoubleClick(ButtonPress(), 10, 0, 0, Limits)) << "before the first press";
}
