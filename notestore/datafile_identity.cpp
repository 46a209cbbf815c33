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

// Four words at a time in four independent chains, so that the
// multiplications overlap; at the end the chains are folded together.
void StartDatafileHash(DatafileHasher& hasher, int64_t size)
{
    hasher.size = size;
    for (int c = 0; c < kHashChains; c++) hasher.chain[c] = (kHashSeed ^ (uint64_t)size) + (uint64_t)c * kHashMultiplier;
}

namespace {

inline uint64_t ChainStep(uint64_t chain, const uint8_t* bytes)
{
    uint64_t word;
    memcpy(&word, bytes, sizeof word);
    chain = (chain ^ word) * kHashMultiplier;
    return chain ^ (chain >> 29);
}

}  // namespace

// The chains live in four registers, each step a scalar multiply. Left to
// itself the compiler turns the four into SSE2 lanes, which have no 64-bit
// multiply (three 32-bit ones each) and keep the chains in memory between
// steps: a third of the speed.
__attribute__((optimize("no-tree-vectorize"))) void AddToDatafileHash(DatafileHasher& hasher,
                                                                        const uint8_t* bytes, int64_t count)
{
    static_assert(kHashChains == 4, "one register per chain");
    uint64_t c0 = hasher.chain[0], c1 = hasher.chain[1], c2 = hasher.chain[2], c3 = hasher.chain[3];
    for (int64_t i = 0; i + kHashBlockBytes <= count; i += kHashBlockBytes) {
        c0 = ChainStep(c0, bytes + i);
        c1 = ChainStep(c1, bytes + i + 8);
        c2 = ChainStep(c2, bytes + i + 16);
        c3 = ChainStep(c3, bytes + i + 24);
    }
    hasher.chain[0] = c0;
    hasher.chain[1] = c1;
    hasher.chain[2] = c2;
    hasher.chain[3] = c3;
}

uint64_t FinishDatafileHash(const DatafileHasher& hasher, const uint8_t* rest, int64_t count)
{
    DatafileHasher last = hasher;
    int64_t whole = count - count % kHashBlockBytes;
    AddToDatafileHash(last, rest, whole);
    uint64_t h = last.chain[0];
    for (int c = 1; c < kHashChains; c++) h = (h ^ MixBits(last.chain[c])) * kHashMultiplier;
    int64_t i = whole;
    for (; i + 8 <= count; i += 8) {
        uint64_t word;
        memcpy(&word, rest + i, sizeof word);
        h = (h ^ word) * kHashMultiplier;
        h ^= h >> 29;
    }
    uint64_t tail = 0;
    for (int shift = 0; i < count; i++, shift += 8) tail |= (uint64_t)rest[i] << shift;
    h = (h ^ tail) * kHashMultiplier;
    return MixBits(h);
}

uint64_t HashDatafileBytes(const uint8_t* bytes, int64_t size)
{
    DatafileHasher hasher;
    StartDatafileHash(hasher, size);
    return FinishDatafileHash(hasher, bytes, size);
}

void StartStreamingHash(StreamingDatafileHash& streaming, int64_t size)
{
    StartDatafileHash(streaming.hasher, size);
    streaming.carried = 0;
}

void AddToStreamingHash(StreamingDatafileHash& streaming, const uint8_t* bytes, int64_t count)
{
    if (streaming.carried > 0) {
        int64_t take = kHashBlockBytes - streaming.carried;
        if (take > count) take = count;
        memcpy(streaming.carry + streaming.carried, bytes, (size_t)take);
        streaming.carried += (int32_t)take;
        bytes += take;
        count -= take;
        if (streaming.carried < kHashBlockBytes) return;
        AddToDatafileHash(streaming.hasher, streaming.carry, kHashBlockBytes);
        streaming.carried = 0;
    }
    int64_t whole = count - count % kHashBlockBytes;
    AddToDatafileHash(streaming.hasher, bytes, whole);
    memcpy(streaming.carry, bytes + whole, (size_t)(count - whole));
    streaming.carried = (int32_t)(count - whole);
}

uint64_t FinishStreamingHash(const StreamingDatafileHash& streaming)
{
    return FinishDatafileHash(streaming.hasher, streaming.carry, streaming.carried);
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
