// The settings in force and their home in the registry. They are read once
// at start-up and written whole after every change; nothing is saved at exit.
#ifndef VORNEL_SETTINGS_SETTINGS_STORE_H
#define VORNEL_SETTINGS_SETTINGS_STORE_H

#include <windows.h>

#include "settings/settings_record.h"

// HKEY_CURRENT_USER\SettingsKey holds the settings, the favourites and the
// calculator history.
extern const char SettingsKey[];

// The settings in force. Everyone reads them here; only the calls below
// change them.
extern const SettingsRecord& Settings;

// The colours of the ball; they live in the settings record.
inline const ColourScheme& CurrentColourScheme() { return Settings.colours; }

// Puts every setting back to its default (start-up, before loading).
void ResetSettings();

// The primary screen and all monitors together, as the system tells them now.
ScreenBounds CurrentScreenBounds();

// Fills Settings from the registry. The window's present position is the
// position used when none is stored.
void LoadSettings(HWND window);

// Changes one 4-byte setting in memory ("Force", "Place", "&Color as hex"
// and the others); the next SaveSettings stores it.
void ChangeSetting(int32_t SettingsRecord::*field, int32_t value);
// Moves the stored position, as when the display shrank under the button.
void ChangeButtonPosition(int32_t x, int32_t y);
void ChangeColourScheme(const ColourScheme& scheme);

// Takes the window's position into the record and writes every value.
void SaveSettings(HWND window);

// REG_SZ helpers. The read takes at most 255 bytes into out (which holds at
// least 255) and always leaves it terminated; it returns false, with out
// empty, when the value cannot be read.
const int REGISTRY_STRING_CAPACITY = 255;
bool ReadRegistryString(HKEY root, const char* subKey, const char* valueName, char* out);
void WriteRegistryString(HKEY root, const char* subKey, const char* valueName, const char* text);

// Queries a REG_SZ (or REG_EXPAND_SZ, taken as stored) value of an open key
// into out, reading at most capacity bytes and terminating the text whatever
// the registry holds. Fails, leaving out empty, when the value is missing,
// is not a string or does not fit.
bool QueryStringValue(HKEY key, const char* valueName, char* out, DWORD capacity);

#endif
