// Reading the data file ahead: at start-up a worker thread reads, checks and
// parses the file the start will open while the windows are being created.
// The worker does only pure work (the file's bytes, their check and parse);
// everything else of a load stays on the UI thread. A load takes the result
// only when it is for the same file and the file has not changed since; in
// every other case the result is freed and the load reads the file itself.
#pragma once
#include "foundation/win.h"
#include "notestore/datafile_format.h"

// A data file read and parsed, before it becomes the store's buffer: the
// block from ReadWholeFile (byte-order mark, text, zero, room for the
// guard and to grow), its characters after the mark, its notes, the hash of
// its bytes, and when read ahead its note index joined.
struct JoinedNoteIndex;
struct ParsedDatafile {
    uint8_t* block;
    int32_t chars;
    int32_t capacityChars;  // text the block has room for (see StoreTextCapacity)
    NoteSpanArray spans;
    uint64_t hash;
    JoinedNoteIndex* index;  // its note index joined (new), or null: the load joins it
};
// Frees what a parsed file holds and leaves it empty.
void FreeParsedDatafile(ParsedDatafile& file);

// Starts reading the file on a worker thread; an earlier read-ahead is
// dropped first. 1 when the worker runs.
int32_t StartDatafileReadAhead(const WCHAR* path);

// Hands the read-ahead's result to a load of fullPath (GetFullPathNameW's
// form): 1 with out filled (the caller owns block and spans) when the
// read-ahead was for that path (letter case aside), read and parsed the
// whole file, and the file's size, write time and identity on disk are
// still those it read. Waits for the worker. Whatever the answer, the
// read-ahead is over afterwards: a result not handed over is freed.
int32_t TakeDatafileReadAhead(const WCHAR* fullPath, ParsedDatafile& out);

// Waits until the worker has ended; its result stays to be taken.
void FinishDatafileReadAhead();

// Waits for the worker, then frees whatever it read.
void DropDatafileReadAhead();

// 1 while a worker runs or its result waits to be taken.
int32_t IsDatafileReadAheadHeld();
