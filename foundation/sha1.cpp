#include "foundation/sha1.h"
#include "foundation/ai_string.h"
#include <string.h>

namespace {
inline uint32_t Rotl(uint32_t v, int n) { return (v << n) | (v >> (32 - n)); }
}

void AISha1Hash::Reset()
{
    state_[0] = 0x67452301u;
    state_[1] = 0xEFCDAB89u;
    state_[2] = 0x98BADCFEu;
    state_[3] = 0x10325476u;
    state_[4] = 0xC3D2E1F0u;
    length_ = 0;
    used_ = 0;
}

void AISha1Hash::Block(const uint8_t* p)
{
    uint32_t w[80];
    for (int i = 0; i < 16; i++)
        w[i] = ((uint32_t)p[4 * i] << 24) | ((uint32_t)p[4 * i + 1] << 16) | ((uint32_t)p[4 * i + 2] << 8) | p[4 * i + 3];
    for (int i = 16; i < 80; i++) w[i] = Rotl(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
    uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3], e = state_[4];
    for (int i = 0; i < 80; i++) {
        uint32_t f, k;
        if (i < 20) { f = (b & c) | (~b & d); k = 0x5A827999u; }
        else if (i < 40) { f = b ^ c ^ d; k = 0x6ED9EBA1u; }
        else if (i < 60) { f = (b & c) | (b & d) | (c & d); k = 0x8F1BBCDCu; }
        else { f = b ^ c ^ d; k = 0xCA62C1D6u; }
        uint32_t t = Rotl(a, 5) + f + e + k + w[i];
        e = d; d = c; c = Rotl(b, 30); b = a; a = t;
    }
    state_[0] += a; state_[1] += b; state_[2] += c; state_[3] += d; state_[4] += e;
}

void AISha1Hash::Update(const void* data, uint32_t bytes)
{
    const uint8_t* p = (const uint8_t*)data;
    if (!p) return;
    length_ += bytes;
    while (bytes > 0) {
        uint32_t take = 64 - used_;
        if (take > bytes) take = bytes;
        memcpy(buffer_ + used_, p, take);
        used_ += take; p += take; bytes -= take;
        if (used_ == 64) { Block(buffer_); used_ = 0; }
    }
}

void AISha1Hash::Final(uint8_t digest[20])
{
    uint64_t bits = length_ * 8;
    uint8_t pad = 0x80;
    Update(&pad, 1);
    uint8_t zero = 0;
    while (used_ != 56) Update(&zero, 1);
    uint8_t lengthBytes[8];
    for (int i = 0; i < 8; i++) lengthBytes[i] = (uint8_t)(bits >> (56 - 8 * i));
    Update(lengthBytes, 8);
    for (int i = 0; i < 5; i++) {
        digest[4 * i] = (uint8_t)(state_[i] >> 24);
        digest[4 * i + 1] = (uint8_t)(state_[i] >> 16);
        digest[4 * i + 2] = (uint8_t)(state_[i] >> 8);
        digest[4 * i + 3] = (uint8_t)state_[i];
    }
    Reset();
}

void AISha1Hash::HexDigest(const void* data, uint32_t bytes, WCHAR out[41])
{
    static const char kHex[] = "0123456789ABCDEF";
    AISha1Hash hash;
    hash.Update(data, bytes);
    uint8_t digest[20];
    hash.Final(digest);
    for (int i = 0; i < 20; i++) {
        out[2 * i] = (WCHAR)kHex[digest[i] >> 4];
        out[2 * i + 1] = (WCHAR)kHex[digest[i] & 15];
    }
    out[40] = 0;
}

void AISha1Hash::HexDigest(const void* data, uint32_t bytes, AIString& out)
{
    WCHAR text[41];
    HexDigest(data, bytes, text);
    out.AssignText(text);
}
