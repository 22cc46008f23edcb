// The settings record and how each field lies in its registry value. Kept
// free of Windows headers so the layout and the read rules are tested natively.
#ifndef VORNEL_SETTINGS_SETTINGS_RECORD_H
#define VORNEL_SETTINGS_SETTINGS_RECORD_H

#include <stddef.h>
#include <stdint.h>

#include "settings/colour_scheme.h"

// On/off settings hold 8 (the menu's check flag) when on and 0 when off, so
// the value passes unchanged as the flags of its check item.
const int32_t SETTING_ON = 8;
const int32_t SETTING_OFF = 0;

enum PlacementMode {
    Floating = 0,       // button shown, no tray icon
    TrayOnly = 1,
    WindowAndTray = 2,
    HotkeyOnly = 3,     // neither: reachable through Ctrl+Shift+Delete only
};

inline bool PlacementHasTrayIcon(int32_t place) { return place == TrayOnly || place == WindowAndTray; }

// Whether the button shows. Bit 0 of the placement hides it, but only while
// the mode's own way in is there (the tray icon for TrayOnly, the hotkey for
// HotkeyOnly): a mode must never leave the program unreachable.
inline bool PlacementShowsButton(int32_t place, bool trayIconShown, bool hotkeyHeld)
{
    if ((place & 1) == 0)
        return true;
    return place == TrayOnly ? !trayIconShown : !hotkeyHeld;
}

struct SettingsRecord {
    int32_t x, y;               // "Coordinates": top-left corner of the button
    int32_t force;              // "Force"
    int32_t autoRun;            // "AutoRun"
    int32_t place;              // "Place", a PlacementMode
    int32_t largeSize;          // "LargeSize"
    int32_t confirmation;       // "Confirmation"
    ColourScheme colours;       // "Colors"
    int32_t colourAsHex;        // "&Color as hex"
};

// The settings of a first start; a constant expression, so the record in
// force starts out as it before any code runs.
constexpr SettingsRecord DefaultSettings = {
    0, 0,                   // position: the window's own until one is stored
    SETTING_OFF,            // force
    SETTING_OFF,            // autoRun
    Floating,               // place
    SETTING_OFF,            // largeSize
    SETTING_ON,             // confirmation
    DefaultColourScheme,    // colours
    0,                      // colourAsHex: decimal
};

// One stored value: its name and the bytes of the record it holds. Each
// value is REG_BINARY holding the field's bytes little-endian, as they lie
// in memory on the platforms this program runs on.
struct SettingsValue {
    const char* name;
    size_t offset;
    size_t size;
};

const int SETTINGS_VALUE_COUNT = 8;

// In the order they are written.
extern const SettingsValue SettingsValuesInSaveOrder[SETTINGS_VALUE_COUNT];
// In the order they are read: "Coordinates" first (it is checked against the
// screen before anything else is read), "Colors" last.
extern const SettingsValue SettingsValuesInLoadOrder[SETTINGS_VALUE_COUNT];

unsigned char* FieldBytes(SettingsRecord& record, const SettingsValue& value);
const unsigned char* FieldBytes(const SettingsRecord& record, const SettingsValue& value);

// Lays a stored value over its field. A value longer than the field is
// refused and leaves the whole record unchanged; a shorter one replaces the
// field's first bytes only ("read as far as it goes").
bool ApplyStoredValue(SettingsRecord& record, const SettingsValue& value,
                      const void* bytes, size_t length);

// What the screen looks like when the stored position is checked.
struct ScreenBounds {
    int width, height;              // the primary screen
    int virtualLeft, virtualTop;    // the top-left corner of all monitors together
    // The size of all monitors together; 0 where the system does not tell
    // it (Windows 95), which leaves the primary screen's rules alone.
    int virtualWidth, virtualHeight;
};

// The smallest the button gets; used to tell whether any of it can be seen.
const int SMALL_BUTTON_SIDE = 25;
const int LARGE_BUTTON_SIDE = 47;

// True when the point lies within the rectangle of all monitors together.
bool InsideVirtualScreen(int32_t x, int32_t y, const ScreenBounds& screen);

// A stored position within the virtual screen stays, so a button on any
// monitor keeps its place. Elsewhere, one beyond the right or bottom edge of
// the primary screen (strictly greater) moves to 0 on that axis; a negative
// one stays unless not a pixel of the button would reach any monitor, and
// then it also moves to 0.
void BringPositionOnScreen(SettingsRecord& record, const ScreenBounds& screen);

// Only the four placement modes exist; anything else stored by hand starts
// as a floating button, the one mode that always leaves the program visible.
int32_t ValidPlacement(int32_t place);

// A toggled on/off setting: 8 becomes 0, any other value 8.
int32_t ToggledSetting(int32_t value);

#endif
