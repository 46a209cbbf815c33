// Byte helpers of the PDF reader.
#include "search/pdf/pdf_bytes.h"
#include <stdlib.h>
#include <string.h>

int64_t FindBytes(const uint8_t* data, size_t size, const char* needle)
{
    size_t n = strlen(needle);
    if (n == 0 || n > size) return -1;
    const uint8_t* p = data;
    const uint8_t* last = data + size - n;
    while (p <= last) {
        p = static_cast<const uint8_t*>(memchr(p, needle[0], size_t(last - p) + 1));
        if (!p) return -1;
        if (memcmp(p, needle, n) == 0) return p - data;
        ++p;
    }
    return -1;
}

bool ParsePdfNumber(const uint8_t* p, const uint8_t* end, double* value, const uint8_t** next)
{
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    double whole = 0;
    bool digits = false;
    while (p < end && *p >= '0' && *p <= '9') {
        whole = whole * 10 + (*p - '0');
        digits = true;
        ++p;
    }
    if (p < end && *p == '.') {
        ++p;
        double scale = 0.1;
        while (p < end && *p >= '0' && *p <= '9') {
            whole += (*p - '0') * scale;
            scale *= 0.1;
            digits = true;
            ++p;
        }
    }
    if (!digits) return false;
    *value = negative ? -whole : whole;
    *next = p;
    return true;
}

void TextOutputInit(TextOutput* out, size_t cap)
{
    *out = TextOutput();
    out->cap = cap;
}

void TextOutputFree(TextOutput* out)
{
    free(out->data);
    *out = TextOutput();
}

bool TextOutputPutBytes(TextOutput* out, const char* bytes, size_t count)
{
    if (out->full || out->failed) return false;
    if (out->size + count > out->cap) {
        out->full = true;
        return false;
    }
    if (out->size + count > out->capacity) {
        size_t grown = out->capacity ? out->capacity * 2 : 4096;
        while (grown < out->size + count) grown *= 2;
        if (grown > out->cap) grown = out->cap;
        char* data = static_cast<char*>(realloc(out->data, grown));
        if (!data) {
            out->failed = true;
            return false;
        }
        out->data = data;
        out->capacity = grown;
    }
    memcpy(out->data + out->size, bytes, count);
    out->size += count;
    return true;
}

bool TextOutputPutChar(TextOutput* out, uint32_t ch)
{
    char bytes[4];
    size_t n;
    if (ch >= 0xD800 && ch <= 0xDFFF) ch = 0xFFFD;  // a lone surrogate is no character
    if (ch < 0x80) {
        bytes[0] = char(ch);
        n = 1;
    } else if (ch < 0x800) {
        bytes[0] = char(0xC0 | (ch >> 6));
        bytes[1] = char(0x80 | (ch & 0x3F));
        n = 2;
    } else if (ch < 0x10000) {
        bytes[0] = char(0xE0 | (ch >> 12));
        bytes[1] = char(0x80 | ((ch >> 6) & 0x3F));
        bytes[2] = char(0x80 | (ch & 0x3F));
        n = 3;
    } else if (ch < 0x110000) {
        bytes[0] = char(0xF0 | (ch >> 18));
        bytes[1] = char(0x80 | ((ch >> 12) & 0x3F));
        bytes[2] = char(0x80 | ((ch >> 6) & 0x3F));
        bytes[3] = char(0x80 | (ch & 0x3F));
        n = 4;
    } else {
        return TextOutputPutChar(out, 0xFFFD);
    }
    return TextOutputPutBytes(out, bytes, n);
}
