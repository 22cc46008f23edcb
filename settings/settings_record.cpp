#include "settings/settings_record.h"

#include <string.h>

#define SETTINGS_FIELD(name, field, size) \
    { name, offsetof(SettingsRecord, field), size }

//  value name            field          bytes
const SettingsValue SettingsValuesInSaveOrder[SETTINGS_VALUE_COUNT] = {
    SETTINGS_FIELD("Coordinates",   x,            8),
    SETTINGS_FIELD("Force",         force,        4),
    SETTINGS_FIELD("AutoRun",       autoRun,      4),
    SETTINGS_FIELD("Place",         place,        4),
    SETTINGS_FIELD("LargeSize",     largeSize,    4),
    SETTINGS_FIELD("Confirmation",  confirmation, 4),
    SETTINGS_FIELD("Colors",        colours,      16),
    SETTINGS_FIELD("&Color as hex", colourAsHex,  4),
};

const SettingsValue SettingsValuesInLoadOrder[SETTINGS_VALUE_COUNT] = {
    SettingsValuesInSaveOrder[0],   // Coordinates
    SettingsValuesInSaveOrder[1],   // Force
    SettingsValuesInSaveOrder[2],   // AutoRun
    SettingsValuesInSaveOrder[3],   // Place
    SettingsValuesInSaveOrder[4],   // LargeSize
    SettingsValuesInSaveOrder[5],   // Confirmation
    SettingsValuesInSaveOrder[7],   // &Color as hex
    SettingsValuesInSaveOrder[6],   // Colors
};

static_assert(offsetof(SettingsRecord, y) == offsetof(SettingsRecord, x) + 4,
              "Coordinates are stored as x then y in one value");
static_assert(sizeof(ColourScheme) == 16, "Colors holds four 4-byte colours");

unsigned char* FieldBytes(SettingsRecord& record, const SettingsValue& value)
{
    return reinterpret_cast<unsigned char*>(&record) + value.offset;
}

const unsigned char* FieldBytes(const SettingsRecord& record, const SettingsValue& value)
{
    return reinterpret_cast<const unsigned char*>(&record) + value.offset;
}

bool ApplyStoredValue(SettingsRecord& record, const SettingsValue& value,
                      const void* bytes, size_t length)
{
    if (length > value.size)
        return false;
    if (length)
        memcpy(FieldBytes(record, value), bytes, length);
    return true;
}

static int32_t OnScreenCoordinate(int32_t value, int screenExtent, int virtualStart)
{
    if (value > screenExtent)
        return 0;
    if (value < 0 && value <= virtualStart - SMALL_BUTTON_SIDE)
        return 0;
    return value;
}

bool InsideVirtualScreen(int32_t x, int32_t y, const ScreenBounds& screen)
{
    // In 64 bits: a stored position may be anything, and the sums must not wrap.
    int64_t left = screen.virtualLeft, top = screen.virtualTop;
    return x >= left && x < left + screen.virtualWidth && y >= top && y < top + screen.virtualHeight;
}

void BringPositionOnScreen(SettingsRecord& record, const ScreenBounds& screen)
{
    if (InsideVirtualScreen(record.x, record.y, screen))
        return;
    record.x = OnScreenCoordinate(record.x, screen.width, screen.virtualLeft);
    record.y = OnScreenCoordinate(record.y, screen.height, screen.virtualTop);
}

int32_t ValidPlacement(int32_t place)
{
    return place >= Floating && place <= HotkeyOnly ? place : Floating;
}

int32_t ToggledSetting(int32_t value)
{
    return value == SETTING_ON ? SETTING_OFF : SETTING_ON;
}
