// Bounded zlib inflation.
#include "search/pdf/pdf_inflate.h"
#include <zlib.h>

int InflateBounded(const uint8_t* data, size_t size, size_t bound, std::vector<uint8_t>* out)
{
    out->clear();
    z_stream z = {};
    if (inflateInit(&z) != Z_OK) return kInflateDamaged;
    size_t capacity = size * 4 + 4096;
    if (capacity > bound) capacity = bound;
    out->resize(capacity);
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = uInt(size > 0xFFFFFFFFu ? 0xFFFFFFFFu : size);
    size_t produced = 0;
    int result = kInflateDamaged;
    for (;;) {
        z.next_out = out->data() + produced;
        z.avail_out = uInt(capacity - produced);
        int rc = inflate(&z, Z_NO_FLUSH);
        produced = capacity - z.avail_out;
        if (rc == Z_STREAM_END) {
            result = kInflateOk;
            break;
        }
        if (rc != Z_OK && rc != Z_BUF_ERROR) break;  // damaged
        if (z.avail_out == 0) {
            if (capacity == bound) {
                result = kInflateTooLarge;
                break;
            }
            capacity = capacity * 2 > bound ? bound : capacity * 2;
            out->resize(capacity);
            continue;
        }
        if (z.avail_in == 0 || rc == Z_BUF_ERROR) break;  // input ended before the stream did
    }
    inflateEnd(&z);
    out->resize(result == kInflateOk ? produced : 0);
    return result;
}
