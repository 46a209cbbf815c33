// The nine favourite-note slots: a note title per slot (stored form, "_" for
// blanks), kept in the settings as joined text "1:title" U+00A4 "2:title" ...
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

enum { kFavouriteSlots = 9 };

class FavouritesTable {
public:
    // Reads the joined text: items split on U+00A4 only (a title may hold a
    // comma), each a slot digit, a colon and the title; other items are dropped.
    void Load(const WCHAR* joined);
    // The joined text, at most `limit` characters (whole items only).
    void Join(AIString& out, int limit) const;
    // Slots 1 to 9; "" for an empty slot or a slot out of range.
    const WCHAR* Get(int slot) const;
    // An empty title empties the slot. 0 for a slot out of range.
    int Set(int slot, const WCHAR* title);
    void Clear();

private:
    AIString titles_[kFavouriteSlots];
};

extern FavouritesTable g_favourites;

// Writes the table into the settings record and stores the settings, so a
// favourite outlives a crash as well as a restart.
void StoreFavourites();
