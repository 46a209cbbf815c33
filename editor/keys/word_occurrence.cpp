#include "editor/keys/word_occurrence.h"
#include "foundation/ai_string.h"

namespace {

const WCHAR kParagraphEnd = L'\r';

int IsWordBound(WCHAR ch)
{
    return ch == L' ' || ch == L'.' || ch == L'!' || ch == L'?' || ch == L'\t' || ch == kParagraphEnd;
}

// Where pattern (length n) stands in text at or after from, ignoring case; -1 when nowhere.
int32_t FindFrom(const WCHAR* text, int32_t length, const WCHAR* pattern, int32_t n, int32_t from)
{
    if (n <= 0) return -1;
    for (int32_t at = from < 0 ? 0 : from; at + n <= length; at++) {
        int32_t k = 0;
        while (k < n && FoldChar(text[at + k]) == FoldChar(pattern[k])) k++;
        if (k == n) return at;
    }
    return -1;
}

// From `after` to the end, then from the start; a hit at `self` is no other occurrence.
int32_t TwoRounds(const WCHAR* text, int32_t length, const WCHAR* pattern, int32_t n, int32_t after, int32_t self)
{
    int32_t hit = FindFrom(text, length, pattern, n, after);
    if (hit < 0) hit = FindFrom(text, length, pattern, n, 0);
    return hit == self ? -1 : hit;
}

}  // namespace

int32_t NextOccurrence(const WCHAR* text, int32_t length, int32_t selStart, int32_t selEnd)
{
    if (!text || length <= 0) return -1;
    if (selStart < 0) selStart = 0;
    if (selEnd > length) selEnd = length;
    if (selEnd > selStart) {
        int32_t hit = FindFrom(text, length, text + selStart, selEnd - selStart, selStart + 1);
        if (hit < 0) hit = FindFrom(text, length, text + selStart, selEnd - selStart, 0);
        return hit == selStart ? -1 : hit;
    }
    // The caret's line, as a CR and the line's text: the next line that begins the same.
    int32_t lineStart = selStart, lineEnd = selStart;
    while (lineStart > 0 && text[lineStart - 1] != kParagraphEnd) lineStart--;
    while (lineEnd < length && text[lineEnd] != kParagraphEnd) lineEnd++;
    if (lineEnd > lineStart) {
        AIString line;
        line.AppendChar(kParagraphEnd).AppendTextN(text + lineStart, lineEnd - lineStart);
        const WCHAR* pattern = line.GetText();
        const int32_t n = line.GetLength();
        int32_t hit = FindFrom(text, length, pattern, n, lineEnd);
        if (hit >= 0) return hit + 1;   // the line after the CR
        // Round again from the start, where the first line has no CR before it.
        if (lineStart > 0 && FindFrom(text, length, pattern + 1, n - 1, 0) == 0) return 0;
        hit = FindFrom(text, length, pattern, n, 0);
        if (hit >= 0 && hit != lineStart - 1) return hit + 1;
    }
    // The word around the caret.
    int32_t wordStart = selStart, wordEnd = selStart;
    while (wordStart > 0 && !IsWordBound(text[wordStart - 1])) wordStart--;
    while (wordEnd < length && !IsWordBound(text[wordEnd])) wordEnd++;
    if (wordEnd <= wordStart) return -1;
    return TwoRounds(text, length, text + wordStart, wordEnd - wordStart, wordEnd, wordStart);
}
