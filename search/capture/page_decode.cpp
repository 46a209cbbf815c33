// Decoding a page through its code page.
#include "search/capture/page_decode.h"
#include "search/capture/page_charset.h"
#include "foundation/win.h"

namespace {

WebText DecodeUtf16(const unsigned char* b, size_t size, bool bigEndian)
{
    if (size >= 2 &&
        ((!bigEndian && b[0] == 0xFF && b[1] == 0xFE) || (bigEndian && b[0] == 0xFE && b[1] == 0xFF))) {
        b += 2;
        size -= 2;
    }
    WebText out;
    out.reserve(size / 2);
    for (size_t i = 0; i + 1 < size; i += 2)
        out.push_back(bigEndian ? char16_t(b[i] << 8 | b[i + 1]) : char16_t(b[i + 1] << 8 | b[i]));
    return out;
}

bool DecodeThroughSystem(const char* bytes, size_t size, unsigned codePage, WebText& out)
{
    if (size > 0x7FFFFFFF) return false;
    int chars = MultiByteToWideChar(codePage, 0, bytes, (int)size, nullptr, 0);
    if (chars <= 0) return false;
    out.resize((size_t)chars);
    return MultiByteToWideChar(codePage, 0, bytes, (int)size, reinterpret_cast<WCHAR*>(&out[0]), chars) ==
           chars;
}

}  // namespace

WebText DecodePageBytes(const char* bytes, size_t size, unsigned codePage)
{
    if (!bytes || !size) return WebText();
    const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes);
    if (codePage == kCodePageUtf16Le || codePage == kCodePageUtf16Be)
        return DecodeUtf16(b, size, codePage == kCodePageUtf16Be);
    if (codePage == kCodePageUtf8 || codePage == 0) return DecodeUtf8(bytes, size);
    WebText out;
    if (DecodeThroughSystem(bytes, size, codePage, out)) return out;
    out.clear();
    if (DecodeThroughSystem(bytes, size, kCodePageWestern, out)) return out;
    return DecodeUtf8(bytes, size);
}
