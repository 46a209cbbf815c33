// Tidying of extracted PDF text, one pass into a new buffer.
#include "search/pdf/pdf_tidy.h"

namespace {

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

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
                          IsLower(out->data[out->size - 2]) && IsLower(c);
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
