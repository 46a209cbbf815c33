// AISha1Hash: SHA-1, given as 20 bytes or as 40 upper-case hex digits.
#pragma once
#include "foundation/win.h"

class AIString;

class AISha1Hash {
public:
    AISha1Hash() { Reset(); }
    void Reset();
    void Update(const void* data, uint32_t bytes);
    void Final(uint8_t digest[20]);

    // The hash of a block as 40 upper-case hex digits (out must hold 41 chars).
    static void HexDigest(const void* data, uint32_t bytes, WCHAR out[41]);
    static void HexDigest(const void* data, uint32_t bytes, AIString& out);

private:
    void Block(const uint8_t* block);
    uint32_t state_[5];
    uint64_t length_;
    uint8_t buffer_[64];
    uint32_t used_;
};
