#include <gtest/gtest.h>

#include "app/command_line.h"

TEST(SkipProgramName, QuotedNameEndsAtItsClosingQuoteAndSpacesAreSkipped)
{
    EXPECT_STREQ("-x y", SkipProgramName("\"C:\\Program Files\\Vornel\\vornel.exe\"   -x y"));
    EXPECT_STREQ("", SkipProgramName("\"C:\\a b\\vornel.exe\""));
}

TEST(SkipProgramName, UnquotedNameEndsAtTheFirstSpace)
{
    EXPECT_STREQ("/s", SkipProgramName("vornel.exe  /s"));
    EXPECT_STREQ("", SkipProgramName("vornel.exe"));
    EXPECT_STREQ("", SkipProgramName(""));
}

TEST(SkipProgramName, AnUnclosedQuoteStopsAtTheTerminator)
{
    const char line[] = "\"C:\\never closed";
    EXPECT_EQ(line + sizeof line - 1, SkipProgramName(line));
}
