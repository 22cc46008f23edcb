#include <gtest/gtest.h>

#include <string.h>

#include "menus/mnemonics.h"
#include "menus/menu_item_text.h"

TEST(MenuItemText, FavouriteIsDrawnAsFileNameSpaceParameters)
{
    char out[310];
    FavouriteDrawnText("C:\\Tools\\app.exe", "-x", out, sizeof out);
    EXPECT_STREQ("app.exe -x", out);
    FavouriteDrawnText("C:\\Tools\\app.exe", "", out, sizeof out);
    EXPECT_STREQ("app.exe ", out);
    FavouriteDrawnText("C:\\Tools\\README", "", out, sizeof out);
    EXPECT_STREQ("README ", out) << "no extension, no dot";
    FavouriteDrawnText("D:notes.txt", "", out, sizeof out);
    EXPECT_STREQ("notes.txt ", out) << "a drive without a directory";
}

TEST(MenuItemText, DesktopAndScreenSaverNamesLoseTheirLastExtension)
{
    char out[310];
    FileNameWithoutExtension("Word.lnk", out, sizeof out);
    EXPECT_STREQ("Word", out);
    FileNameWithoutExtension("C:\\WINDOWS\\SYSTEM\\Mystify.scr", out, sizeof out);
    EXPECT_STREQ("Mystify", out);
    FileNameWithExtension("C:\\WINDOWS\\SYSTEM\\Mystify.scr", out, sizeof out);
    EXPECT_STREQ("Mystify.scr", out);
    FileNameWithoutExtension("Report.final.doc", out, sizeof out);
    EXPECT_STREQ("Report.final", out);
    FileNameWithoutExtension("C:\\dir.d\\folder", out, sizeof out);
    EXPECT_STREQ("folder", out) << "a dot in the directory is not an extension";
}

TEST(MenuItemText, LongTextsAreCutNeverOverrun)
{
    char longPath[400];
    memset(longPath, 'a', sizeof longPath - 1);
    longPath[sizeof longPath - 1] = '\0';
    char out[16];
    memset(out, 'x', sizeof out);
    FavouriteDrawnText(longPath, "-x", out, 10);
    EXPECT_EQ(9u, strlen(out));
    EXPECT_EQ('x', out[10]);
    FileNameWithoutExtension(longPath, out, 5);
    EXPECT_STREQ("aaaa", out);
}

TEST(MenuItemText, ProgramPathEndsAtTheFirstTab)
{
    char out[64];
    ProgramPathOf("C:\\Tools\\app.exe\t-x\ty", out, sizeof out);
    EXPECT_STREQ("C:\\Tools\\app.exe", out);
    ProgramPathOf("C:\\plain.exe", out, sizeof out);
    EXPECT_STREQ("C:\\plain.exe", out);
}

TEST(Mnemonics, TheLetterAfterASingleAmpersandUpperCased)
{
    EXPECT_EQ('X', MnemonicOf("E&xit"));
    EXPECT_EQ('S', MnemonicOf("&spy"));
    EXPECT_EQ(0, MnemonicOf("Tom && Jerry"));
    EXPECT_EQ('J', MnemonicOf("Tom && &Jerry"));
    EXPECT_EQ(0, MnemonicOf("Control Panel"));
    EXPECT_EQ(0, MnemonicOf(nullptr));
    EXPECT_EQ(0, MnemonicOf("trailing&"));
}

TEST(Mnemonics, AUniqueMatchIsChosen)
{
    const char* items[] = { "&Exit Windows", nullptr, "&Minimize All", "E&xit" };
    MnemonicMatch match = FindMnemonicItem(items, 4, 'x', -1);
    EXPECT_EQ(3, match.item);
    EXPECT_TRUE(match.unique);
    EXPECT_EQ(-1, FindMnemonicItem(items, 4, 'q', -1).item);
}

TEST(Mnemonics, SharedLettersWalkFromTheHighlightedItem)
{
    const char* items[] = { "&Tools", "&Task Manager", "&About", "&Tea" };
    MnemonicMatch first = FindMnemonicItem(items, 4, 't', -1);
    EXPECT_EQ(0, first.item);
    EXPECT_FALSE(first.unique);
    EXPECT_EQ(1, FindMnemonicItem(items, 4, 't', 0).item);
    EXPECT_EQ(3, FindMnemonicItem(items, 4, 't', 1).item);
    EXPECT_EQ(0, FindMnemonicItem(items, 4, 't', 3).item) << "wraps around";
}
