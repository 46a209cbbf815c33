// Ranking the scored slots after a completed walk.
#pragma once
#include "search/search_tables.h"

// Keeps one copy of a note found both in the data file and in its mirror text,
// orders the slots by score (equal scores in the order the walk found them)
// into RankedHits, and sets the result count to the number of positive
// entries. Only slots that a note has taken are ranked. Returns the count.
int32_t RankSearchHits();
