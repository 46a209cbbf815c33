// Byte helpers shared by the PDF reader: bounded search, PDF character
// classes, a capped text output in UTF-8, and small number parsing.
#pragma once
#include <stddef.h>
#include <stdint.h>

// Offset of the first occurrence of needle in [data, data + size), or -1.
int64_t FindBytes(const uint8_t* data, size_t size, const char* needle);

inline bool IsPdfWhite(uint8_t c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == 0;
}
inline bool IsPdfDelimiter(uint8_t c)
{
    return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' || c == '}' ||
           c == '/' || c == '%';
}
inline bool IsPdfRegular(uint8_t c) { return !IsPdfWhite(c) && !IsPdfDelimiter(c); }
inline int HexValue(uint8_t c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Parses a PDF number ("12", "-3.5", ".5") from [p, end); returns false when
// there is none. *next receives the first byte after it.
bool ParsePdfNumber(const uint8_t* p, const uint8_t* end, double* value, const uint8_t** next);

// The extracted text: UTF-8 that stops growing at its cap. Lines end with CR LF.
struct TextOutput {
    char* data = nullptr;
    size_t size = 0;
    size_t capacity = 0;
    size_t cap = 0;       // the most bytes it may hold
    bool full = false;    // something was left out because of the cap
    bool failed = false;  // memory could not be had
};

void TextOutputInit(TextOutput* out, size_t cap);
void TextOutputFree(TextOutput* out);
// Appends one character (Unicode scalar value) as UTF-8; false once full.
bool TextOutputPutChar(TextOutput* out, uint32_t ch);
bool TextOutputPutBytes(TextOutput* out, const char* bytes, size_t count);
// The last byte written, 0 when empty.
inline uint8_t TextOutputLast(const TextOutput* out)
{
    return out->size ? uint8_t(out->data[out->size - 1]) : 0;
}
