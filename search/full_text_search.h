// Full-text search over every note: reads the query from the full-text field,
// walks the data file in place and then the mirror texts, pumping messages
// between notes so that the window stays alive and the user can stop it, and
// ranks the 50 best notes for the result panel.
#pragma once
#include "foundation/win.h"

// 1 when the search ran to the end (or did not run: an odd number of double
// quotes), 0 when it was stopped. Called again while a search runs (from a
// message handled inside the pump) it only asks the running search to stop
// and returns 0; the search then runs again once the stopped one has ended.
int RunFullTextSearch();

// 1 while a search walks the notes.
int IsFullTextSearchRunning();

// Ages the store's mirror-text table and marks the last results stale; with
// release non-zero the records are then given up (see AgeMirrorTextRecords).
void AgeCacheEntries(int32_t release);

struct MirrorTextRecord;
// Adds 1 to the age of every record in use whose age is not below threshold;
// with release non-zero then marks every record that has a text and an age
// other than -1 unused (keys 0, age -1; the text pointer stays).
void AgeMirrorTextRecords(MirrorTextRecord* records, int count, int32_t threshold, int32_t release);
