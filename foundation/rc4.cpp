#include "foundation/rc4.h"

void AIRc4Cipher::Apply(const uint8_t* key, int keyBytes, uint8_t* data, int bytes)
{
    if (!key || keyBytes <= 0 || !data || bytes <= 0) return;
    uint8_t s[256];
    for (int i = 0; i < 256; i++) s[i] = (uint8_t)i;
    uint8_t j = 0;
    for (int i = 0; i < 256; i++) {
        j = (uint8_t)(j + s[i] + key[i % keyBytes]);
        uint8_t t = s[i]; s[i] = s[j]; s[j] = t;
    }
    uint8_t a = 0, b = 0;
    for (int k = 0; k < bytes; k++) {
        a = (uint8_t)(a + 1);
        b = (uint8_t)(b + s[a]);
        uint8_t t = s[a]; s[a] = s[b]; s[b] = t;
        data[k] ^= s[(uint8_t)(s[a] + s[b])];
    }
}
