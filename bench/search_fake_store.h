// A stand-in for the note store that full-text search reads: the data-file
// buffer in the store's format (header line, notes opened by U+00A4), a
// sorted title index with index values, and the mirror-text table. Installed
// as the search source; used by the search tests and the benchmark.
#pragma once
#include "bench/search_note_generator.h"
#include "search/search_source.h"
#include <vector>

struct FakeSearchStore {
    std::vector<WCHAR> buffer;          // followed by one 0, not counted
    std::vector<std::vector<WCHAR>> titles;  // in index order
    std::vector<int32_t> values;        // index values, as the store keeps them
    std::vector<MirrorTextRecord> mirrorRecords;
    std::vector<std::vector<WCHAR>> mirrorTexts;  // owned texts behind the records
    int32_t mirrorNoteCount = 0;
    int32_t ageThreshold = 0;
    uint32_t generation = 1;
    int32_t cpuSpeed = 300;
    int32_t windows60 = 0;
    int32_t reportedChars = -1;         // >= 0: the buffer length the store reports
    int pumpAnswer = 1;                 // 0: the pump saw a quit
    std::vector<NoteSpan> spans;        // every note mark of the buffer, as the store's parse lists them
    bool withholdSpans = false;         // true: the source says it knows no spans

    // What the search did.
    int pumps = 0;
    int reloads = 0;
    int walksBegun = 0;
    int walksEnded = 0;
    std::vector<int32_t> progressPainted;
    int previewsShown = 0;
    int previewsHidden = 0;
    int panelRepaints = 0;

    // Called inside every pump (may be null).
    void (*onPump)(FakeSearchStore& store) = nullptr;
};

// Builds the buffer, index and mirror table of notes (already in title order).
void FillFakeStore(FakeSearchStore& store, const std::vector<GeneratedNote>& notes);
// Builds the store from note texts given as plain strings ("\xA4Title\r\nbody").
// mirrorOf[i] non-null gives note i a mirror text.
void FillFakeStoreFromTexts(FakeSearchStore& store, const std::vector<const WCHAR*>& texts,
                            const std::vector<const WCHAR*>& mirrorOf = {});

// Makes store the search source and sets the panel hooks that count into it.
void InstallFakeStore(FakeSearchStore& store);
FakeSearchStore* InstalledFakeStore();
