// The settings against the real registry of the test prefix: the first
// start, stored values of every shape, and the string helpers.
#include "tests/win32/test_support.h"

#include "menus/popup_menu.h"
#include "app/startup.h"
#include "settings/settings_store.h"
#include "ui/program_icons.h"
#include "ui/tray_icon.h"

static std::vector<unsigned char> Bytes(std::initializer_list<unsigned> values)
{
    std::vector<unsigned char> bytes;
    for (unsigned value : values)
        bytes.push_back(static_cast<unsigned char>(value));
    return bytes;
}

static std::vector<unsigned char> StoredBytes(const char* name, DWORD expectedType = REG_BINARY)
{
    std::vector<unsigned char> bytes;
    DWORD type = 0;
    EXPECT_TRUE(ReadValue(name, bytes, &type)) << name;
    EXPECT_EQ(expectedType, type) << name;
    return bytes;
}

class FirstStart : public AppTest {};

TEST_F(FirstStart, WritesAllEightValuesWithTheirSizesAndDefaults)
{
    EXPECT_EQ(Bytes({0, 0, 0, 0, 0, 0, 0, 0}), StoredBytes("Coordinates"));
    EXPECT_EQ(Bytes({0, 0, 0, 0}), StoredBytes("Force"));
    EXPECT_EQ(Bytes({0, 0, 0, 0}), StoredBytes("AutoRun"));
    EXPECT_EQ(Bytes({0, 0, 0, 0}), StoredBytes("Place"));
    EXPECT_EQ(Bytes({0, 0, 0, 0}), StoredBytes("LargeSize"));
    EXPECT_EQ(Bytes({8, 0, 0, 0}), StoredBytes("Confirmation"));
    EXPECT_EQ(Bytes({255, 0, 0, 0, 255, 255, 0, 0, 128, 0, 0, 0, 128, 128, 0, 0}), StoredBytes("Colors"));
    EXPECT_EQ(Bytes({0, 0, 0, 0}), StoredBytes("&Color as hex"));
}

TEST_F(FirstStart, OptionsChecksFollowTheDefaults)
{
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(PopupMenu.tree.options, 60, MF_BYCOMMAND) & MF_CHECKED);
    for (UINT command : { 58u, 59u, 52u })
        EXPECT_EQ(0u, GetMenuState(PopupMenu.tree.options, command, MF_BYCOMMAND) & MF_CHECKED) << command;
}

// Stores values before the start-up reads them.
class StoredSettings : public AppTest {
protected:
    void BeforeStart() override { Store(); }
    virtual void Store() = 0;
};

class StoredEverything : public StoredSettings {
    void Store() override
    {
        int32_t position[2] = { 200, 150 };
        WriteBinaryValue("Coordinates", position, 8);
        int32_t on = 8, tray = 2;
        WriteBinaryValue("Force", &on, 4);
        WriteBinaryValue("LargeSize", &on, 4);
        WriteBinaryValue("Place", &tray, 4);
        int32_t off = 0;
        WriteBinaryValue("Confirmation", &off, 4);
        int32_t hex = 1;
        WriteBinaryValue("&Color as hex", &hex, 4);
        uint32_t colours[4] = { 0x00112233, 0x00445566, 0x00778899, 0x00AABBCC };
        WriteBinaryValue("Colors", colours, 16);
    }
};

TEST_F(StoredEverything, AreReadPlacedAndShown)
{
    EXPECT_EQ(200, Settings.x);
    EXPECT_EQ(8, Settings.force);
    EXPECT_EQ(0, Settings.confirmation);
    EXPECT_EQ(1, Settings.colourAsHex);
    EXPECT_EQ(0x00778899u, Settings.colours.colours[2]);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(200, rect.left);
    EXPECT_EQ(150, rect.top);
    EXPECT_EQ(47, rect.right - rect.left) << "Large Window";
    EXPECT_EQ(47, rect.bottom - rect.top);
    EXPECT_TRUE(IsWindowVisible(window)) << "WindowAndTray shows the button";
    ASSERT_NE(nullptr, ButtonIcons[0]);
    EXPECT_EQ(ButtonIcons[0], TrayIconData.hIcon) << "the tray shows the ball from the start";
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(PopupMenu.tree.options, 52, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(0u, GetMenuState(PopupMenu.tree.options, 60, MF_BYCOMMAND) & MF_CHECKED);
}

class StoredFarAway : public StoredSettings {
    void Store() override
    {
        int32_t position[2] = { 5000, 100 };
        WriteBinaryValue("Coordinates", position, 8);
    }
};

TEST_F(StoredFarAway, XBeyondTheScreenMovesToZeroYStays)
{
    EXPECT_EQ(0, Settings.x);
    EXPECT_EQ(100, Settings.y);
    std::vector<unsigned char> stored = StoredBytes("Coordinates");
    EXPECT_EQ(Bytes({0, 0, 0, 0, 100, 0, 0, 0}), stored) << "the start writes the corrected position back";
}

class StoredAtTheEdge : public StoredSettings {
    void Store() override
    {
        int32_t position[2] = { GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
        WriteBinaryValue("Coordinates", position, 8);
    }
};

TEST_F(StoredAtTheEdge, EqualToTheScreenSizeStays)
{
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), Settings.x);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), Settings.y);
}

class StoredFarNegative : public StoredSettings {
    void Store() override
    {
        int32_t position[2] = { -10, -200000 };
        WriteBinaryValue("Coordinates", position, 8);
    }
};

TEST_F(StoredFarNegative, APartlyVisibleButtonStaysAnUnreachableOneComesBack)
{
    EXPECT_EQ(-10, Settings.x);
    EXPECT_EQ(0, Settings.y);
}

class StoredOddSizes : public StoredSettings {
    void Store() override
    {
        // Colors: 12 bytes, read as far as they go.
        unsigned char twelve[12] = { 1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0 };
        WriteBinaryValue("Colors", twelve, 12);
        // Force: 8 bytes, too long for its field; LargeSize: a REG_SZ of 6 bytes.
        unsigned char eight[8] = { 8, 0, 0, 0, 8, 0, 0, 0 };
        WriteBinaryValue("Force", eight, 8);
        WriteBinaryValue("LargeSize", "abcde", 6, REG_SZ);
        // AutoRun as a REG_DWORD of the right size: the type is not looked at.
        DWORD on = 8;
        WriteBinaryValue("AutoRun", &on, 4, REG_DWORD);
    }
};

TEST_F(StoredOddSizes, AreReadAsFarAsTheyFitAndNeverSpillIntoNeighbours)
{
    EXPECT_EQ(0x00030201u, Settings.colours.colours[0]);
    EXPECT_EQ(0x00090807u, Settings.colours.colours[2]);
    EXPECT_EQ(0x00008080u, Settings.colours.colours[3]) << "the fourth slot keeps its default";
    EXPECT_EQ(0, Settings.force) << "too long: ignored";
    EXPECT_EQ(0, Settings.largeSize) << "too long: ignored";
    EXPECT_EQ(8, Settings.autoRun);
    EXPECT_EQ(0, Settings.place);
    EXPECT_EQ(8, Settings.confirmation);
    EXPECT_EQ(0, Settings.colourAsHex);
}

class StoredTwentyByteColours : public StoredSettings {
    void Store() override
    {
        unsigned char twenty[20] = { 1, 1, 1, 0, 2, 2, 2, 0, 3, 3, 3, 0, 4, 4, 4, 0, 5, 5, 5, 0 };
        WriteBinaryValue("Colors", twenty, 20);
    }
};

TEST_F(StoredTwentyByteColours, AreIgnoredWhole)
{
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_EQ(DefaultColourScheme.colours[slot], Settings.colours.colours[slot]) << slot;
}

class StoredBadPlacement : public StoredSettings {
    void Store() override
    {
        int32_t place = 7;
        WriteBinaryValue("Place", &place, 4);
    }
};

TEST_F(StoredBadPlacement, StartsAsAVisibleFloatingButton)
{
    EXPECT_EQ(0, Settings.place);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(Bytes({0, 0, 0, 0}), StoredBytes("Place"));
}

class StoredHotkeyOnly : public StoredSettings {
    void Store() override
    {
        int32_t place = 3;
        WriteBinaryValue("Place", &place, 4);
    }
};

TEST_F(StoredHotkeyOnly, TheWindowExistsButIsNeverShown)
{
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(FirstStart, SaveTakesThePositionOfTheWindowItself)
{
    MoveWindow(window, 321, 123, 25, 25, TRUE);
    SaveSettings(window);
    EXPECT_EQ(Bytes({0x41, 1, 0, 0, 123, 0, 0, 0}), StoredBytes("Coordinates"));
    ShowWindow(window, SW_HIDE);
    MoveWindow(window, 5, 6, 25, 25, FALSE);
    SaveSettings(window);
    EXPECT_EQ(Bytes({5, 0, 0, 0, 6, 0, 0, 0}), StoredBytes("Coordinates")) << "also while hidden";
}

TEST(RegistryStrings, RoundTripAndMissingValues)
{
    DeleteSettingsKey();
    char out[REGISTRY_STRING_CAPACITY];
    strcpy(out, "stale");
    EXPECT_FALSE(ReadRegistryString(HKEY_CURRENT_USER, SettingsKey, "calc0", out));
    EXPECT_STREQ("", out);

    WriteRegistryString(HKEY_CURRENT_USER, SettingsKey, "calc0", "SQRT(16)");
    EXPECT_TRUE(ReadRegistryString(HKEY_CURRENT_USER, SettingsKey, "calc0", out));
    EXPECT_STREQ("SQRT(16)", out);
    std::vector<unsigned char> bytes;
    DWORD type;
    ASSERT_TRUE(ReadValue("calc0", bytes, &type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(9u, bytes.size()) << "stored with its terminator";
    DeleteSettingsKey();
}

TEST(RegistryStrings, ReadsAtMost255BytesAndAlwaysTerminates)
{
    DeleteSettingsKey();
    std::string longest(254, 'x');
    WriteRegistryString(HKEY_CURRENT_USER, SettingsKey, "calc1", longest.c_str());
    char out[REGISTRY_STRING_CAPACITY + 8];
    memset(out, '#', sizeof out);
    EXPECT_TRUE(ReadRegistryString(HKEY_CURRENT_USER, SettingsKey, "calc1", out));
    EXPECT_EQ(longest, out);
    EXPECT_EQ('#', out[REGISTRY_STRING_CAPACITY]) << "nothing past the 255 bytes";

    std::string tooLong(300, 'y');
    WriteRegistryString(HKEY_CURRENT_USER, SettingsKey, "calc2", tooLong.c_str());
    EXPECT_FALSE(ReadRegistryString(HKEY_CURRENT_USER, SettingsKey, "calc2", out));
    EXPECT_STREQ("", out);
    EXPECT_EQ('#', out[REGISTRY_STRING_CAPACITY]);

    // A string stored without its terminator that fills the buffer: some
    // systems hand it over cut, others refuse it; either way it ends in a
    // terminator inside the buffer.
    std::string unterminated(255, 'z');
    WriteBinaryValue("calc3", unterminated.data(), 255, REG_SZ);
    if (ReadRegistryString(HKEY_CURRENT_USER, SettingsKey, "calc3", out))
        EXPECT_EQ(254u, strlen(out));
    else
        EXPECT_STREQ("", out);
    EXPECT_EQ('#', out[REGISTRY_STRING_CAPACITY]);
    DeleteSettingsKey();
}
