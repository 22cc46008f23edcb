#include <gtest/gtest.h>

#include <string.h>

#include <utility>

#include "settings/settings_record.h"

static const SettingsValue& ValueNamed(const char* name)
{
    for (const SettingsValue& value : SettingsValuesInSaveOrder) {
        if (strcmp(value.name, name) == 0)
            return value;
    }
    ADD_FAILURE() << "no value " << name;
    return SettingsValuesInSaveOrder[0];
}

TEST(SettingsLayout, EightValuesWithTheirSizesInWriteOrder)
{
    const char* names[] = { "Coordinates", "Force", "AutoRun", "Place", "LargeSize", "Confirmation",
                            "Colors", "&Color as hex" };
    const size_t sizes[] = { 8, 4, 4, 4, 4, 4, 16, 4 };
    for (int i = 0; i < SETTINGS_VALUE_COUNT; ++i) {
        EXPECT_STREQ(names[i], SettingsValuesInSaveOrder[i].name);
        EXPECT_EQ(sizes[i], SettingsValuesInSaveOrder[i].size) << names[i];
    }
}

TEST(SettingsLayout, ReadsCoordinatesFirstAndColorsLast)
{
    EXPECT_STREQ("Coordinates", SettingsValuesInLoadOrder[0].name);
    EXPECT_STREQ("&Color as hex", SettingsValuesInLoadOrder[6].name);
    EXPECT_STREQ("Colors", SettingsValuesInLoadOrder[7].name);
}

TEST(SettingsLayout, FieldBytesAreLittleEndianAndCoordinatesHoldXThenY)
{
    SettingsRecord record = DefaultSettings;
    record.x = 0x01020304;
    record.y = -2;
    const unsigned char* bytes = FieldBytes(record, ValueNamed("Coordinates"));
    const unsigned char expected[8] = { 4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF };
    EXPECT_EQ(0, memcmp(expected, bytes, 8));
    const unsigned char* colours = FieldBytes(record, ValueNamed("Colors"));
    const unsigned char defaultColours[16] = { 255, 0, 0, 0, 255, 255, 0, 0, 128, 0, 0, 0, 128, 128, 0, 0 };
    EXPECT_EQ(0, memcmp(defaultColours, colours, 16));
}

TEST(SettingsDefaults, ConfirmationOnEverythingElseOff)
{
    EXPECT_EQ(0, DefaultSettings.force);
    EXPECT_EQ(0, DefaultSettings.autoRun);
    EXPECT_EQ(0, DefaultSettings.largeSize);
    EXPECT_EQ(8, DefaultSettings.confirmation);
    EXPECT_EQ(Floating, DefaultSettings.place);
    EXPECT_EQ(0, DefaultSettings.colourAsHex);
}

TEST(StoredValues, AShortValueReplacesOnlyItsFirstBytes)
{
    SettingsRecord record = DefaultSettings;
    const unsigned char twelve[12] = { 1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0 };
    ASSERT_TRUE(ApplyStoredValue(record, ValueNamed("Colors"), twelve, sizeof twelve));
    EXPECT_EQ(MakeColour(1, 2, 3), record.colours.colours[0]);
    EXPECT_EQ(MakeColour(7, 8, 9), record.colours.colours[2]);
    EXPECT_EQ(DefaultColourScheme.colours[3], record.colours.colours[3]) << "the fourth slot keeps its value";
}

TEST(StoredValues, ALongValueIsRefusedAndTouchesNothing)
{
    SettingsRecord record = DefaultSettings;
    unsigned char twenty[20];
    memset(twenty, 0x55, sizeof twenty);
    EXPECT_FALSE(ApplyStoredValue(record, ValueNamed("Colors"), twenty, sizeof twenty));
    EXPECT_FALSE(ApplyStoredValue(record, ValueNamed("Force"), twenty, 8));
    EXPECT_EQ(0, memcmp(&DefaultSettings, &record, sizeof record));
}

TEST(StoredValues, AnEmptyValueChangesNothing)
{
    SettingsRecord record = DefaultSettings;
    EXPECT_TRUE(ApplyStoredValue(record, ValueNamed("Place"), nullptr, 0));
    EXPECT_EQ(0, memcmp(&DefaultSettings, &record, sizeof record));
}

typedef std::pair<int32_t, int32_t> Position;

// Where a stored position ends up on this screen.
static Position Brought(int32_t x, int32_t y, const ScreenBounds& screen)
{
    SettingsRecord record = DefaultSettings;
    record.x = x;
    record.y = y;
    BringPositionOnScreen(record, screen);
    return Position(record.x, record.y);
}

TEST(ScreenPosition, BeyondTheRightOrBottomEdgeMovesToZeroStrictly)
{
    // One monitor, and a system that does not tell the virtual screen.
    for (ScreenBounds screen : { ScreenBounds{ 1024, 768, 0, 0, 1024, 768 }, ScreenBounds{ 1024, 768, 0, 0, 0, 0 } }) {
        SCOPED_TRACE(screen.virtualWidth);
        EXPECT_EQ(Position(0, 100), Brought(5000, 100, screen));
        EXPECT_EQ(Position(1024, 768), Brought(1024, 768, screen)) << "equal to the size stays";
        EXPECT_EQ(Position(1024, 0), Brought(1024, 769, screen));
    }
}

TEST(ScreenPosition, APlaceOnAnyMonitorStaysAndOutsideThemTheRuleHolds)
{
    // A monitor of 1280 x 1024 right of a primary one of 1024 x 768.
    ScreenBounds twoMonitors = { 1024, 768, 0, 0, 2304, 1024 };
    EXPECT_EQ(Position(2303, 1023), Brought(2303, 1023, twoMonitors));
    EXPECT_EQ(Position(0, 0), Brought(2304, 900, twoMonitors)) << "beyond every monitor";
}

TEST(ScreenPosition, NegativeStaysWhileAnyOfTheButtonReachesAMonitor)
{
    ScreenBounds single = { 1024, 768, 0, 0, 0, 0 };
    EXPECT_EQ(Position(-24, -10), Brought(-24, -10, single));
    EXPECT_EQ(Position(0, 0), Brought(-25, -100000, single)) << "not a pixel left on the screen";
    ScreenBounds leftMonitor = { 1024, 768, -1280, 0, 0, 0 };
    EXPECT_EQ(Position(-1000, 0), Brought(-1000, 0, leftMonitor)) << "on a monitor left of the primary one";
}

TEST(Placement, OnlyTheFourModesStandOthersStartFloating)
{
    for (int32_t mode : { 0, 1, 2, 3 })
        EXPECT_EQ(mode, ValidPlacement(mode));
    for (int32_t bad : { -1, 4, 5, 0x38, 0x7FFFFFFF })
        EXPECT_EQ(Floating, ValidPlacement(bad)) << bad;
    EXPECT_TRUE(PlacementHasTrayIcon(TrayOnly));
    EXPECT_TRUE(PlacementHasTrayIcon(WindowAndTray));
    EXPECT_FALSE(PlacementHasTrayIcon(HotkeyOnly));
}

TEST(Placement, TheButtonHidesOnlyWhileTheModesOwnWayInIsThere)
{
    for (bool tray : { false, true }) {
        for (bool hotkey : { false, true }) {
            EXPECT_TRUE(PlacementShowsButton(Floating, tray, hotkey));
            EXPECT_TRUE(PlacementShowsButton(WindowAndTray, tray, hotkey));
            EXPECT_EQ(!tray, PlacementShowsButton(TrayOnly, tray, hotkey)) << "its way in is the tray icon";
            EXPECT_EQ(!hotkey, PlacementShowsButton(HotkeyOnly, tray, hotkey)) << "its way in is the hotkey";
        }
    }
}

TEST(Toggle, EightGoesOffAnythingElseGoesOn)
{
    EXPECT_EQ(0, ToggledSetting(8));
    EXPECT_EQ(8, ToggledSetting(0));
    EXPECT_EQ(8, ToggledSetting(1));
    EXPECT_EQ(8, ToggledSetting(-8));
}
