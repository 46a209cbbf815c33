// The text a save writes, as stretches of characters taken from where they
// already are: the loaded text's unchanged records and side files' records.
// The file is written stretch by stretch, and the loaded text is then turned
// into the saved one where it lies, without a second copy of the file.
// Pure functions: no files and no windows here.
#pragma once
#include "foundation/win.h"

struct TextStretch {
    const WCHAR* text;
    int32_t len;
};

// Adds a stretch to the list (room for one more is the caller's), joined
// to the last one when it follows it directly in memory. Empty ones are left out.
void AppendStretch(TextStretch* stretches, int32_t& count, const WCHAR* text, int32_t len);

// Characters of the stretches joined.
int64_t StretchesLength(const TextStretch* stretches, int32_t count);

// Turns the text in buffer (oldChars characters, room for capacity) into the
// stretches joined, where it lies. Stretches inside the old text must come
// in its order without overlapping; the others must lie outside the buffer's
// capacity. The new length, or -1 (the buffer untouched) when the joined
// text would not fit or the stretches break those rules.
int32_t JoinStretchesInPlace(WCHAR* buffer, int32_t oldChars, int32_t capacity, const TextStretch* stretches,
                             int32_t count);
