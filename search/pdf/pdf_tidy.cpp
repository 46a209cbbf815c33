// Tidying of extracted PDF text, one pass into a new buffer.
#include "search/pdf/pdf_tidy.h"

namespace {

// A lower-case letter of the Latin, Greek or Cyrillic alphabets (the
// scripts that divide words at line ends with a hyphen).
bool IsLowerLetter(uint32_t c)
{
    if (c >= 'a' && c <= 'z') return true;
    if (c >= 0xDF && c <= 0xFF) return c != 0xF7;
    if (c >= 0x100 && c <= 0x17F) {  // Latin Extended-A: pairs of capital and small
        bool oddSmall = (c <= 0x137) || (c >= 0x14A && c <= 0x177);
        return c == 0x138 || c == 0x149 || c == 0x17F || (c & 1) == (oddSmall ? 1u : 0u);
    }
    if (c == 0x390 || (c >= 0x3AC && c <= 0x3CE)) return true;  // Greek
    if (c >= 0x1F00 && c <= 0x1FF7)  // polytonic Greek: the small letters lead each row of sixteen
        return (c & 0xF) < 8 || (c >= 0x1F70 && c <= 0x1F7D);
    if (c >= 0x430 && c <= 0x45F) return true;  // Cyrillic
    if (c >= 0x4C1 && c <= 0x4CE) return (c & 1) == 0;
    if (c >= 0x460 && c <= 0x4FF) return (c & 1) == 1 || c == 0x4CF;
    return false;
}

// The character whose UTF-8 bytes start at p (0 when they are broken).
uint32_t DecodeAt(const char* p, const char* end)
{
    uint8_t b = uint8_t(*p);
    if (b < 0x80) return b;
    int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
    if (more < 0 || end - p <= more) return 0;
    uint32_t c = b & (0x3F >> more);
    for (int i = 1; i <= more; i++) c = (c << 6) | (uint8_t(p[i]) & 0x3F);
    return c;
}

// The last character of the output before its last byte.
uint32_t CharBeforeLast(const TextOutput* out)
{
    if (out->size < 2) return 0;
    size_t at = out->size - 2;
    while (at > 0 && (uint8_t(out->data[at]) & 0xC0) == 0x80) at--;
    return DecodeAt(out->data + at, out->data + out->size - 1);
}

}  // namespace

bool TidyPdfText(const char* text, size_t size, TextOutput* out)
{
    size_t lineLength = 0;  // bytes on the current output line
    int breaks = 0;         // line breaks pending
    bool blank = false;     // a blank pending
    bool any = false;
    for (size_t i = 0; i < size; i++) {
        char c = text[i];
        if (c == '\r') continue;
        if (c == '\n') {
            breaks++;
            blank = false;
            continue;
        }
        if (c == ' ' || c == '\t') {
            if (lineLength) blank = true;
            continue;
        }
        bool hyphenated = breaks == 1 && out->size >= 2 && out->data[out->size - 1] == '-' &&
                          IsLowerLetter(CharBeforeLast(out)) && IsLowerLetter(DecodeAt(text + i, text + size));
        if (hyphenated) {
            out->size--;  // a word divided at the end of a line is joined again
        } else if (breaks && any) {
            int n = breaks > 2 ? 2 : breaks;
            for (int k = 0; k < n; k++) TextOutputPutBytes(out, "\r\n", 2);
            lineLength = 0;
        } else if (blank) {
            char previous = out->size ? out->data[out->size - 1] : 0;
            if (lineLength > kTidyLongLine && (previous == '.' || previous == '!')) {
                TextOutputPutBytes(out, "\r\n", 2);
                lineLength = 0;
            } else {
                TextOutputPutBytes(out, " ", 1);
                lineLength++;
            }
        }
        breaks = 0;
        blank = false;
        TextOutputPutBytes(out, &c, 1);
        lineLength++;
        any = true;
    }
    if (any) TextOutputPutBytes(out, "\r\n", 2);
    return !out->failed;
}
