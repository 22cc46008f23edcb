#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "logic/window_item_text.h"

static std::string Format(const std::string& className, const std::string& text, uint32_t handle,
                          size_t capacity = WINDOW_ITEM_TEXT_CAPACITY)
{
    std::string buffer(capacity + 8, 'x');
    FormatWindowItemText(className.c_str(), text.c_str(), handle, &buffer[0], capacity);
    EXPECT_EQ('x', buffer[capacity]) << "nothing written past the capacity";
    return buffer.c_str();
}

TEST(WindowItemText, ClassTextAndHandleAsEightLowerCaseDigits)
{
    EXPECT_EQ("\"Edit\" - \"abc\" - HWND: 00001234", Format("Edit", "abc", 0x1234));
    EXPECT_EQ("\"Edit\" - \"\" - HWND: 000200a4", Format("Edit", "", 0x200a4));
    EXPECT_EQ("\"#32770\" - \"x\" - HWND: fffa1b2c", Format("#32770", "x", 0xfffa1b2cu));
}

TEST(WindowItemText, ALongTextIsCutSoTheHandleStillShows)
{
    const std::string className(254, 'C'), text(254, 'T');
    std::string line = Format(className, text, 0xabcdef01);
    EXPECT_EQ(WINDOW_ITEM_TEXT_CAPACITY - 1, line.size());
    EXPECT_EQ("\"" + className + "\" - \"", line.substr(0, 1 + 254 + 5)) << "the class stays whole";
    EXPECT_EQ("...\" - HWND: abcdef01", line.substr(line.size() - 21));
}

TEST(WindowItemText, WhenEvenTheClassIsTooLongItIsCutToo)
{
    std::string line = Format(std::string(100, 'C'), "text", 0x10, 60);
    EXPECT_EQ("\"" + std::string(32, 'C') + "...\" - \"\" - HWND: 00000010", line);
    EXPECT_EQ(59u, line.size());
}

TEST(WindowItemText, ATinyBufferIsCutAndTerminated)
{
    EXPECT_EQ(3u, Format("Edit", "abc", 1, 4).size());
    char untouched = 'x';
    FormatWindowItemText("Edit", "abc", 1, &untouched, 0);
    EXPECT_EQ('x', untouched);
}
