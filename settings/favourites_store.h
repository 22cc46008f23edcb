// The user's favourite programs and their registry form: "Item%d" holds the
// program path, "Param%d" its parameters (absent when there are none),
// without gaps from index 0.
#ifndef VORNEL_SETTINGS_FAVOURITES_STORE_H
#define VORNEL_SETTINGS_FAVOURITES_STORE_H

const int MAX_FAVOURITES = 100;

// A list of favourites; each text is a heap copy owned by the list.
struct FavouriteListRecord {
    char* programs[MAX_FAVOURITES] = {};
    char* parameters[MAX_FAVOURITES] = {};     // the empty text when there are none
    int LastFavourite = -1;                     // index of the last entry, -1 when empty
};

// The favourites in force, as the registry last gave them. Everyone reads
// them here; only LoadFavourites and TakeFavourites change them.
extern const FavouriteListRecord& FavouriteList;

// Replaces the favourites in force by the stored ones; the first missing or
// empty "Item%d" ends them. Values of any length are read whole.
void LoadFavourites();

// Writes the favourites in force, deleting the "Param%d" of entries without
// parameters and every "Item%d"/"Param%d" after the last entry up to index 99.
void SaveFavourites();

// The favourites in force become the entries of `edited` (an edit that was
// committed), which is left empty.
void TakeFavourites(FavouriteListRecord& edited);

// Appends one entry to a list (copies of both texts); false when the list is
// full or memory ran out.
bool AppendFavourite(FavouriteListRecord& list, const char* program, const char* parameters);

// Frees every text of a list and empties it.
void ClearFavourites(FavouriteListRecord& list);

#endif
