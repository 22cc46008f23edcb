#include "settings/favourites_store.h"

#include <stdlib.h>
#include <windows.h>

#include "base/handles.h"
#include "base/text.h"
#include "settings/settings_store.h"

static FavouriteListRecord Favourites;
const FavouriteListRecord& FavouriteList = Favourites;

static const char ItemValueFormat[] = "Item%d";
static const char ParamValueFormat[] = "Param%d";

// How often a value that keeps growing between its size and its read is
// asked again; another program rewriting it that often is not editing it.
const int GROWING_VALUE_READS = 8;

// A text read from the registry, terminated (the registry does not promise
// a terminator); null, and freed, when it is empty.
static char* Terminated(char* text, DWORD size)
{
    text[size] = '\0';
    if (text[0] == '\0') {
        free(text);
        return nullptr;
    }
    return text;
}

// Reads a REG_SZ value of any length into a heap copy owned by the caller;
// null when it is missing, not a string or empty.
static char* ReadWholeString(HKEY key, const char* format, int index)
{
    char name[32];
    wsprintfA(name, format, index);
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return nullptr;
    char* text = nullptr;
    for (int read = 0; read < GROWING_VALUE_READS; ++read) {
        if ((type != REG_SZ && type != REG_EXPAND_SZ) || size == 0)
            break;
        free(text);
        text = static_cast<char*>(malloc(size + 1));
        if (!text)
            return nullptr;
        LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
        if (status == ERROR_SUCCESS)
            return Terminated(text, size);
        // Grown since its size was asked (another program saved it): the
        // answer holds the new size. Ending the list here would let the
        // next save delete the favourites after it.
        if (status != ERROR_MORE_DATA)
            break;
    }
    free(text);
    return nullptr;
}

bool AppendFavourite(FavouriteListRecord& list, const char* program, const char* parameters)
{
    int index = list.LastFavourite + 1;
    if (index >= MAX_FAVOURITES)
        return false;
    char* programCopy = DuplicateText(program);
    char* parametersCopy = DuplicateText(parameters);
    if (!programCopy || !parametersCopy) {
        FreeText(programCopy);
        FreeText(parametersCopy);
        return false;
    }
    list.programs[index] = programCopy;
    list.parameters[index] = parametersCopy;
    list.LastFavourite = index;
    return true;
}

void LoadFavourites()
{
    ClearFavourites(Favourites);
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, key.out()) != ERROR_SUCCESS)
        return;
    for (int i = 0; i < MAX_FAVOURITES; ++i) {
        char* program = ReadWholeString(key.get(), ItemValueFormat, i);
        if (!program)
            break;
        char* parameters = ReadWholeString(key.get(), ParamValueFormat, i);
        bool added = AppendFavourite(Favourites, program, parameters ? parameters : "");
        free(program);
        free(parameters);
        if (!added)
            break;
    }
}

static void WriteValue(HKEY key, const char* format, int index, const char* text)
{
    char name[32];
    wsprintfA(name, format, index);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(lstrlenA(text) + 1));
}

static void DeleteValue(HKEY key, const char* format, int index)
{
    char name[32];
    wsprintfA(name, format, index);
    RegDeleteValueA(key, name);
}

void SaveFavourites()
{
    RegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key.out(), nullptr) != ERROR_SUCCESS)
        return;
    for (int i = 0; i <= FavouriteList.LastFavourite; ++i) {
        WriteValue(key.get(), ItemValueFormat, i, FavouriteList.programs[i]);
        if (FavouriteList.parameters[i][0])
            WriteValue(key.get(), ParamValueFormat, i, FavouriteList.parameters[i]);
        else
            DeleteValue(key.get(), ParamValueFormat, i);
    }
    for (int i = FavouriteList.LastFavourite + 1; i < MAX_FAVOURITES; ++i) {
        DeleteValue(key.get(), ItemValueFormat, i);
        DeleteValue(key.get(), ParamValueFormat, i);
    }
}

void ClearFavourites(FavouriteListRecord& list)
{
    for (int i = 0; i <= list.LastFavourite; ++i) {
        FreeText(list.programs[i]);
        FreeText(list.parameters[i]);
    }
    list.LastFavourite = -1;
}

void TakeFavourites(FavouriteListRecord& edited)
{
    ClearFavourites(Favourites);
    Favourites = edited;
    // The texts changed hands: the edit no longer owns them.
    edited = FavouriteListRecord();
}
