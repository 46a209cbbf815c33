// Bounds-checked reading of untrusted bytes: every read past the end yields
// zeros and sets `failed`, so decoders check once per step instead of per byte.
#pragma once
#include <stdint.h>

struct ByteReader {
    const uint8_t* data;
    uint64_t size;
    uint64_t pos = 0;
    bool failed = false;

    ByteReader(const uint8_t* d, uint64_t n) : data(d), size(n) {}

    uint64_t Left() const { return pos < size ? size - pos : 0; }
    bool Seek(uint64_t to)
    {
        if (to > size) {
            failed = true;
            return false;
        }
        pos = to;
        return true;
    }
    bool Skip(uint64_t n)
    {
        if (n > Left()) {
            failed = true;
            pos = size;
            return false;
        }
        pos += n;
        return true;
    }
    // A pointer to the next n bytes, or null (and failed) when fewer remain.
    const uint8_t* Take(uint64_t n)
    {
        if (n > Left()) {
            failed = true;
            pos = size;
            return nullptr;
        }
        const uint8_t* p = data + pos;
        pos += n;
        return p;
    }
    uint8_t U8()
    {
        if (pos >= size) {
            failed = true;
            return 0;
        }
        return data[pos++];
    }
    uint16_t U16LE()
    {
        uint16_t a = U8();
        return uint16_t(a | (U8() << 8));
    }
    uint16_t U16BE()
    {
        uint16_t a = U8();
        return uint16_t((a << 8) | U8());
    }
    uint32_t U32LE()
    {
        uint32_t a = U16LE();
        return a | (uint32_t(U16LE()) << 16);
    }
    uint32_t U32BE()
    {
        uint32_t a = U16BE();
        return (a << 16) | U16BE();
    }
};
