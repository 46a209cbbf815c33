// The identity of the data file as this program last loaded or saved it: its
// size, its last-write time and a hash of its bytes. Before the store writes
// the file it compares the file on disk with this, so that a change made by
// another program (or by a second instance) is never written over.
// Pure functions: no files and no windows here.
#pragma once
#include "foundation/win.h"

struct DatafileIdentity {
    int32_t known;        // 0: nothing recorded
    int64_t size;         // bytes
    uint64_t writeTime;   // last-write time, 100 ns steps since 1601
    uint64_t hash;        // HashDatafileBytes of the whole file
};

// A 64-bit hash of a file's bytes, eight at a time. Not for security: it
// tells two versions of one file apart.
uint64_t HashDatafileBytes(const uint8_t* bytes, int64_t size);

// The same hash over a file read piece by piece: Start with the whole size,
// Add pieces whose sizes are multiples of kHashBlockBytes, Finish with the
// rest (any size). Equal to HashDatafileBytes of the pieces joined.
enum { kHashChains = 4, kHashBlockBytes = 8 * kHashChains };
struct DatafileHasher {
    uint64_t chain[kHashChains];
    int64_t size;
};
void StartDatafileHash(DatafileHasher& hasher, int64_t size);
void AddToDatafileHash(DatafileHasher& hasher, const uint8_t* bytes, int64_t count);
uint64_t FinishDatafileHash(const DatafileHasher& hasher, const uint8_t* rest, int64_t count);

// The same hash over pieces of any length that follow one another (a file
// read, written or put together piece by piece, each hashed while it is in
// the cache): Add each piece in order, Finish at the end.
struct StreamingDatafileHash {
    DatafileHasher hasher;
    uint8_t carry[kHashBlockBytes];  // the start of a block the next piece completes
    int32_t carried;
};
void StartStreamingHash(StreamingDatafileHash& streaming, int64_t size);
void AddToStreamingHash(StreamingDatafileHash& streaming, const uint8_t* bytes, int64_t count);
uint64_t FinishStreamingHash(const StreamingDatafileHash& streaming);

// The identity of bytes written at a time.
void MakeDatafileIdentity(const uint8_t* bytes, int64_t size, uint64_t writeTime, DatafileIdentity& out);

// What the file on disk is against the identity known.
enum DatafileDiskState {
    kDiskSame = 0,        // size, time and content as known
    kDiskTouched,         // only the time moved (a copy or a touch): same content
    kDiskChanged,         // other content: it must not be written over
};

// Compares the identity known with the file on disk (its size, time and the
// hash of its bytes). Equal size and time with other bytes is a change too:
// some programs keep a file's time when they rewrite it. An identity on disk
// that is not known (the file could not be read) counts as changed.
DatafileDiskState CompareDatafileIdentity(const DatafileIdentity& known, const DatafileIdentity& onDisk);

// A FILETIME as one number.
uint64_t FileTimeValue(const FILETIME& time);
