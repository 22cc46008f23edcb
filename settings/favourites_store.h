// The user's favourite programs and their registry form: "Item%d" holds the
// program path, "Param%d" its parameters (absent when there are none),
// without gaps from index 0.
#ifndef VORNEL_SETTINGS_FAVOURITES_STORE_H
#define VORNEL_SETTINGS_FAVOURITES_STORE_H

const int MAX_FAVOURITES = 100;

struct FavouriteListRecord {
    char* programs[MAX_FAVOURITES];     // heap copies owned by the list
    char* parameters[MAX_FAVOURITES];   // the empty text when there are none
    int LastFavourite;                  // index of the last entry, -1 when empty
};

extern FavouriteListRecord FavouriteList;

// Appends the stored favourites to the list; the first missing or empty
// "Item%d" ends them. Values of any length are read whole.
void LoadFavourites();

// Writes the list, deleting the "Param%d" of entries without parameters and
// every "Item%d"/"Param%d" after the last entry up to index 99.
void SaveFavourites();

// Frees every text and empties the list.
void ClearFavourites();

// Appends one entry (copies of both texts); false when the list is full or
// memory ran out.
bool AppendFavourite(const char* program, const char* parameters);

#endif
