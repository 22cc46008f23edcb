#include <gtest/gtest.h>

#include <vector>

#include "menus/menu_columns.h"

TEST(ItemsPerColumn, FollowsTheScreenHeight)
{
    EXPECT_EQ(31, ItemsPerColumnForHeight(600));
    EXPECT_EQ(39, ItemsPerColumnForHeight(768));
    EXPECT_EQ(52, ItemsPerColumnForHeight(1024));
    EXPECT_EQ(1, ItemsPerColumnForHeight(19));
}

// Column sizes produced by a break rule for `count` entries.
template <typename Rule>
static std::vector<int> Columns(int count, int perColumn, Rule startsColumn)
{
    std::vector<int> columns(1, 0);
    for (int k = 0; k < count; ++k) {
        if (startsColumn(k, perColumn))
            columns.push_back(0);
        ++columns.back();
    }
    return columns;
}

TEST(ColumnBreaks, WindowsFavouritesAndAppletsBreakAtMultiples)
{
    EXPECT_EQ((std::vector<int>{3, 3, 1}), Columns(7, 3, StartsColumnAtMultiple));
    // With 39 per column, entries 39 and 78 start the second and third column.
    EXPECT_FALSE(StartsColumnAtMultiple(0, 39));
    EXPECT_TRUE(StartsColumnAtMultiple(39, 39));
    EXPECT_TRUE(StartsColumnAtMultiple(78, 39));
    EXPECT_FALSE(StartsColumnAtMultiple(40, 39));
}

TEST(ColumnBreaks, DesktopAndScreenSaversHoldOneMoreInTheFirstColumn)
{
    EXPECT_EQ((std::vector<int>{4, 3}), Columns(7, 3, StartsColumnAfterFirst));
    EXPECT_EQ((std::vector<int>{40, 39, 21}), Columns(100, 39, StartsColumnAfterFirst));
    EXPECT_FALSE(StartsColumnAfterFirst(1, 1)) << "k - 1 must be positive";
    EXPECT_TRUE(StartsColumnAfterFirst(2, 1));
}

TEST(ColumnBreaks, ANonPositiveColumnSizeNeverBreaks)
{
    EXPECT_FALSE(StartsColumnAtMultiple(5, 0));
    EXPECT_FALSE(StartsColumnAfterFirst(5, 0));
}

