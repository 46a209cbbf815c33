// Size, time and hash of the data file, and how two identities compare.
#include "notestore/datafile_identity.h"
#include <string.h>

namespace {

const uint64_t kHashSeed = 0xCBF29CE484222325ULL;
const uint64_t kHashMultiplier = 0x9E3779B97F4A7C15ULL;

// Spreads every bit of a word over the whole word (the final step of a
// well-known 64-bit mixer).
uint64_t MixBits(uint64_t h)
{
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDULL;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ULL;
    h ^= h >> 33;
    return h;
}

}  // namespace

uint64_t HashDatafileBytes(const uint8_t* bytes, int64_t size)
{
    // Four words at a time in four independent chains, so that the
    // multiplications overlap; then the chains are folded together.
    enum { kChains = 4 };
    uint64_t chain[kChains];
    for (int c = 0; c < kChains; c++) chain[c] = (kHashSeed ^ (uint64_t)size) + (uint64_t)c * kHashMultiplier;
    int64_t i = 0;
    for (; i + 8 * kChains <= size; i += 8 * kChains) {
        for (int c = 0; c < kChains; c++) {
            uint64_t word;
            memcpy(&word, bytes + i + 8 * c, sizeof word);
            chain[c] = (chain[c] ^ word) * kHashMultiplier;
            chain[c] ^= chain[c] >> 29;
        }
    }
    uint64_t h = chain[0];
    for (int c = 1; c < kChains; c++) h = (h ^ MixBits(chain[c])) * kHashMultiplier;
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        memcpy(&word, bytes + i, sizeof word);
        h = (h ^ word) * kHashMultiplier;
        h ^= h >> 29;
    }
    uint64_t tail = 0;
    for (int shift = 0; i < size; i++, shift += 8) tail |= (uint64_t)bytes[i] << shift;
    h = (h ^ tail) * kHashMultiplier;
    return MixBits(h);
}

void MakeDatafileIdentity(const uint8_t* bytes, int64_t size, uint64_t writeTime, DatafileIdentity& out)
{
    out.known = 1;
    out.size = size;
    out.writeTime = writeTime;
    out.hash = HashDatafileBytes(bytes, size);
}

DatafileDiskState CompareDatafileIdentity(const DatafileIdentity& known, const DatafileIdentity& onDisk)
{
    if (!known.known) return kDiskSame;
    if (!onDisk.known || known.size != onDisk.size || known.hash != onDisk.hash) return kDiskChanged;
    return known.writeTime == onDisk.writeTime ? kDiskSame : kDiskTouched;
}

uint64_t FileTimeValue(const FILETIME& time)
{
    return ((uint64_t)time.dwHighDateTime << 32) | time.dwLowDateTime;
}
