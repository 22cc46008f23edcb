#include "settings/settings_store.h"

#include "base/handles.h"

const char SettingsKey[] = "Software\\Kestrum\\Vornel";

static SettingsRecord TheSettings = DefaultSettings;
const SettingsRecord& Settings = TheSettings;

void ResetSettings()
{
    TheSettings = DefaultSettings;
}

void ChangeSetting(int32_t SettingsRecord::*field, int32_t value)
{
    TheSettings.*field = value;
}

void ChangeButtonPosition(int32_t x, int32_t y)
{
    TheSettings.x = x;
    TheSettings.y = y;
}

void ChangeColourScheme(const ColourScheme& scheme)
{
    TheSettings.colours = scheme;
}

static bool OpenSettingsKey(RegKey& key)
{
    return RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                           nullptr, key.out(), nullptr) == ERROR_SUCCESS;
}

static void TakeWindowPosition(HWND window)
{
    RECT rect;
    if (GetWindowRect(window, &rect)) {
        TheSettings.x = rect.left;
        TheSettings.y = rect.top;
    }
}

// Reads into a scratch buffer first: on a value larger than the field the
// registry may leave anything in the buffer, and the field must not see it.
static void ReadSettingsValue(HKEY key, const SettingsValue& value)
{
    unsigned char bytes[16];
    DWORD length = static_cast<DWORD>(value.size);
    if (RegQueryValueExA(key, value.name, nullptr, nullptr, bytes, &length) == ERROR_SUCCESS)
        ApplyStoredValue(TheSettings, value, bytes, length);
}

ScreenBounds CurrentScreenBounds()
{
    return ScreenBounds{
        GetSystemMetrics(SM_CXSCREEN),        GetSystemMetrics(SM_CYSCREEN),
        GetSystemMetrics(SM_XVIRTUALSCREEN),  GetSystemMetrics(SM_YVIRTUALSCREEN),
        GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
    };
}

void LoadSettings(HWND window)
{
    TakeWindowPosition(window);
    // Only read: a key the user may read but not write still gives its
    // settings, and a missing one is made by the first save.
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, key.out()) != ERROR_SUCCESS)
        return;
    ReadSettingsValue(key.get(), SettingsValuesInLoadOrder[0]);
    BringPositionOnScreen(TheSettings, CurrentScreenBounds());
    for (int i = 1; i < SETTINGS_VALUE_COUNT; ++i)
        ReadSettingsValue(key.get(), SettingsValuesInLoadOrder[i]);
    TheSettings.place = ValidPlacement(TheSettings.place);
}

void SaveSettings(HWND window)
{
    TakeWindowPosition(window);
    RegKey key;
    if (!OpenSettingsKey(key))
        return;
    for (const SettingsValue& value : SettingsValuesInSaveOrder) {
        RegSetValueExA(key.get(), value.name, 0, REG_BINARY, FieldBytes(Settings, value),
                       static_cast<DWORD>(value.size));
    }
}

bool QueryStringValue(HKEY key, const char* valueName, char* out, DWORD capacity)
{
    if (capacity == 0)
        return false;
    out[0] = '\0';
    DWORD type = 0;
    DWORD length = capacity;
    LONG status = RegQueryValueExA(key, valueName, nullptr, &type,
                                   reinterpret_cast<BYTE*>(out), &length);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        out[0] = '\0';
        return false;
    }
    // The registry does not promise a terminator: a value stored without one
    // that fills the buffer loses its last character.
    out[length < capacity ? length : capacity - 1] = '\0';
    return true;
}

bool ReadRegistryString(HKEY root, const char* subKey, const char* valueName, char* out)
{
    out[0] = '\0';
    RegKey key;
    if (RegOpenKeyA(root, subKey, key.out()) != ERROR_SUCCESS)
        return false;
    return QueryStringValue(key.get(), valueName, out, REGISTRY_STRING_CAPACITY);
}

void WriteRegistryString(HKEY root, const char* subKey, const char* valueName, const char* text)
{
    RegKey key;
    if (RegCreateKeyA(root, subKey, key.out()) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(lstrlenA(text) + 1));
}
