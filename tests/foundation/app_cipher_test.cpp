#include "tests/support/gtest.h"
#include "foundation/rc4.h"
#include "foundation/sha1.h"
#include <string.h>

namespace {

std::string Rc4Hex(const char* key, const char* plain)
{
    uint8_t data[64];
    int n = (int)strlen(plain);
    memcpy(data, plain, n);
    AIRc4Cipher::Apply((const uint8_t*)key, (int)strlen(key), data, n);
    std::string hex;
    char two[3];
    for (int i = 0; i < n; i++) { snprintf(two, 3, "%02X", data[i]); hex += two; }
    return hex;
}

std::string Sha1Hex(const void* data, uint32_t bytes)
{
    WCHAR out[41];
    AISha1Hash::HexDigest(data, bytes, out);
    return Utf8(out);
}

}  // namespace

TEST(Rc4Cipher, KnownVectors)
{
    EXPECT_EQ(Rc4Hex("Key", "Plaintext"), "BBF316E8D940AF0AD3");
    EXPECT_EQ(Rc4Hex("Wiki", "pedia"), "1021BF0420");
    EXPECT_EQ(Rc4Hex("Secret", "Attack at dawn"), "45A01F645FC35B383552544B9BF5");
}

TEST(Rc4Cipher, KeyedAfreshOnEveryCallSoTheSameCallDeciphers)
{
    uint8_t data[300];
    for (int i = 0; i < 300; i++) data[i] = (uint8_t)(i * 7);
    const uint8_t key[] = {1, 2, 3, 4, 5};
    AIRc4Cipher::Apply(key, 5, data, 300);
    EXPECT_NE(data[0], 0);
    AIRc4Cipher::Apply(key, 5, data, 300);
    for (int i = 0; i < 300; i++) ASSERT_EQ(data[i], (uint8_t)(i * 7)) << i;
}

TEST(Sha1Hash, KnownVectorsAsUpperCaseHex)
{
    EXPECT_EQ(Sha1Hex("", 0), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");
    EXPECT_EQ(Sha1Hex("abc", 3), "A9993E364706816ABA3E25717850C26C9CD0D89D");
    const char* two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";  // padding spills into a second block
    EXPECT_EQ(Sha1Hex(two, (uint32_t)strlen(two)), "84983E441C3BD26EBAAE4AA1F95129E5E54670F1");
    std::string million(1000000, 'a');
    EXPECT_EQ(Sha1Hex(million.data(), 1000000), "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F");
}

TEST(Sha1Hash, PiecewiseUpdatesGiveTheSameDigest)
{
    std::string text(1000, 'q');
    for (int i = 0; i < 1000; i++) text[i] = (char)('a' + i % 26);
    uint8_t whole[20], pieces[20];
    AISha1Hash hash;
    hash.Update(text.data(), 1000);
    hash.Final(whole);
    for (uint32_t at = 0, step = 1; at < 1000; at += step, step = step * 2 + 1)
        hash.Update(text.data() + at, at + step > 1000 ? 1000 - at : step);
    hash.Final(pieces);
    EXPECT_EQ(0, memcmp(whole, pieces, 20));
}
