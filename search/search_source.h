// What full-text search needs of the rest of the program, as plain function
// pointers: the note store's buffer, index and mirror texts, the message pump
// and the machine's speed. The program connects the real store
// (ConnectStoreSearchSource); tests install their own.
#pragma once
#include "foundation/win.h"
#include "notestore/note_store.h"
#include "notestore/datafile_format.h"

// Which copy of a note holds its current text (answer of findTitle).
enum : int32_t {
    kCopyNotShown = 0,      // deleted or without value: never listed
    kCopyInDatafile = 1,    // the note's text in the data-file buffer is current
    kCopyInMirror = 2,      // its current text lives in its mirror file
};

struct SearchSource {
    // The data-file buffer (each note opened by U+00A4) and its length in
    // characters; null when nothing is open.
    const WCHAR* (*datafileBuffer)(int32_t* chars);
    // Changes whenever the buffer is replaced or freed.
    uint32_t (*datafileGeneration)();
    // Held around the walk, so that nothing moves or frees the buffer while
    // the walk pumps messages.
    void (*beginWalk)();
    void (*endWalk)();
    int32_t (*titleCount)();
    int32_t (*mirrorNoteCount)();
    void (*reloadNotesFromMirrors)();
    // The title's position in the note index, or -1; *copy says which copy is current.
    int32_t (*findTitle)(const WCHAR* title, int32_t* copy);
    // The kMirrorTextRecords records of the mirror-text table, and the age
    // threshold that AgeCacheEntries compares with.
    MirrorTextRecord* (*mirrorTexts)();
    int32_t (*mirrorAgeThreshold)();
    // PumpMessages: 0 when a quit was seen.
    int (*pumpMessages)();
    int32_t (*cpuSpeedIndex)();
    int32_t (*isWindowsVersion60)();
    // The buffer's note marks in buffer order (every U+00A4 of the buffer,
    // as the store's parse lists them), *count of them; null when the source
    // does not know them (the walk then finds them itself).
    const NoteSpan* (*noteSpans)(int32_t* count);
};

// The source in use. Until one is set, the search sees no data file and no notes.
void SetSearchSource(const SearchSource& source);
const SearchSource& GetSearchSource();

// What the result panel does during a search. Until the panel fills them in,
// the search paints nothing. Null members are skipped.
struct SearchPanelHooks {
    // Fills the progress line along the panel's top, percent of its width.
    void (*paintProgress)(int32_t percent);
    // Invalidates the panel except the search field and the progress line.
    void (*invalidatePanel)();
    void (*repaintPanel)();
    // ShowPreview of the selected hit, and the preview pane shown.
    void (*showPreview)();
    void (*hidePreview)();
};

void SetSearchPanelHooks(const SearchPanelHooks& hooks);
const SearchPanelHooks& GetSearchPanelHooks();
