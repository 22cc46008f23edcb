#include <gtest/gtest.h>

#include <string.h>

#include "base/text.h"

TEST(CopyText, CutsToTheCapacityAndAlwaysTerminates)
{
    char buffer[8];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(CopyText(buffer, 5, "abcdefgh"));
    EXPECT_STREQ("abcd", buffer);
    EXPECT_EQ('x', buffer[5]) << "nothing written past the capacity";
    EXPECT_TRUE(CopyText(buffer, sizeof buffer, "abc"));
    EXPECT_STREQ("abc", buffer);
    EXPECT_FALSE(CopyText(buffer, 0, "abc"));
}

TEST(AppendText, StopsAtTheCapacity)
{
    char buffer[8] = "abc";
    EXPECT_TRUE(AppendText(buffer, sizeof buffer, "de"));
    EXPECT_STREQ("abcde", buffer);
    EXPECT_FALSE(AppendText(buffer, sizeof buffer, "fghij"));
    EXPECT_STREQ("abcdefg", buffer);
}

TEST(JoinText, RefusesWhatDoesNotFitWhole)
{
    char buffer[8];
    EXPECT_TRUE(JoinText(buffer, sizeof buffer, "abc", "defg"));
    EXPECT_STREQ("abcdefg", buffer);
    EXPECT_FALSE(JoinText(buffer, sizeof buffer, "abcd", "efgh"));
    EXPECT_STREQ("", buffer);
}

TEST(DuplicateText, OwnsAnIndependentCopy)
{
    char source[] = "path";
    char* copy = DuplicateText(source);
    source[0] = 'P';
    EXPECT_STREQ("path", copy);
    FreeText(copy);
    EXPECT_EQ(nullptr, copy);
    FreeText(copy);
}
