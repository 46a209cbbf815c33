// Inflates one zlib stream into a buffer that never grows past a bound, so a
// small stream that would unpack to gigabytes (a "bomb") costs at most the bound.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <vector>

enum InflateResult {
    kInflateOk = 0,
    kInflateTooLarge = 1,  // the data would unpack to more than the bound
    kInflateDamaged = 2,   // not zlib data, corrupt, or cut short
};

// Inflates [data, data + size) into out (resized to the bytes produced).
int InflateBounded(const uint8_t* data, size_t size, size_t bound, std::vector<uint8_t>* out);
