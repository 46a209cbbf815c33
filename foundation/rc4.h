// AIRc4Cipher: RC4, keyed afresh on every call, so enciphering and
// deciphering are the same call with the same key.
#pragma once
#include <stdint.h>

class AIRc4Cipher {
public:
    // Enciphers or deciphers data in place.
    static void Apply(const uint8_t* key, int keyBytes, uint8_t* data, int bytes);
};
