#include "editor/note_link_scan.h"
#include "foundation/ai_string.h"
#include "notestore/datafile_format.h"

// ---- run lists ----

void InitRunList(NoteRunList& list)
{
    list.items = 0;
    list.count = 0;
    list.capacity = 0;
}

void FreeRunList(NoteRunList& list)
{
    if (list.items) LocalFree(list.items);
    InitRunList(list);
}

int32_t AddRun(NoteRunList& list, int32_t start, int32_t end, int32_t kind)
{
    if (list.count == list.capacity) {
        int32_t capacity = list.capacity ? list.capacity * 2 : 64;
        NoteRun* grown = (NoteRun*)LocalAlloc(LMEM_FIXED, (SIZE_T)capacity * sizeof(NoteRun));
        if (!grown) return 0;
        if (list.items) {
            CopyMemory(grown, list.items, (SIZE_T)list.count * sizeof(NoteRun));
            LocalFree(list.items);
        }
        list.items = grown;
        list.capacity = capacity;
    }
    NoteRun& run = list.items[list.count++];
    run.start = start;
    run.end = end;
    run.kind = kind;
    return 1;
}

// ---- helpers ----

namespace {

int IsLineEnd(WCHAR ch) { return ch == L'\r' || ch == L'\n'; }
int IsBlank(WCHAR ch) { return ch == L' ' || ch == L'\t'; }

int StartsWithNoCase(const WCHAR* text, int32_t len, int32_t at, const WCHAR* prefix)
{
    for (int32_t i = 0; prefix[i]; i++)
        if (at + i >= len || FoldChar(text[at + i]) != prefix[i]) return 0;
    return 1;
}

}  // namespace

int32_t IsHeadingLineAt(const WCHAR* text, int32_t len, int32_t lineStart)
{
    int32_t hashes = 0;
    while (hashes < 3 && lineStart + hashes < len && text[lineStart + hashes] == L'#') hashes++;
    return hashes > 0 && lineStart + hashes < len && text[lineStart + hashes] == L' ';
}

// ---- hyperlinks, addresses, tags, effects ----

void FindHyperlinkLabels(const WCHAR* text, int32_t len, const WCHAR* label, int32_t labelLen, NoteRunList& out)
{
    if (labelLen <= 0) return;
    for (int32_t i = 0; i + labelLen + 1 < len; i++) {
        if (text[i] != L'[' || text[i + labelLen + 1] != L']') continue;
        int32_t k = 0;
        while (k < labelLen && text[i + 1 + k] == label[k]) k++;
        if (k == labelLen) {
            AddRun(out, i + 1, i + 1 + labelLen, RunHyperlink);
            i += labelLen + 1;
        }
    }
}

void FindAddresses(const WCHAR* text, int32_t len, NoteRunList& out)
{
    static const WCHAR* const kStarts[] = {L"http://", L"https://", L"www.", L"mailto:"};
    for (int32_t i = 0; i < len; i++) {
        WCHAR first = FoldChar(text[i]);
        if (first != L'h' && first != L'w' && first != L'm') continue;
        if (i > 0) {
            WCHAR before = text[i - 1];
            if (!IsBlank(before) && !IsLineEnd(before) && before != L'(' && before != L'<' && before != L'"' &&
                before != L'\'' && before != L'[')
                continue;
        }
        int known = 0;
        for (const WCHAR* start : kStarts) known |= StartsWithNoCase(text, len, i, start);
        if (!known) continue;
        int32_t end = i;
        int32_t opened = 0;
        while (end < len && !IsBlank(text[end]) && !IsLineEnd(text[end]) && text[end] != L'<' &&
               text[end] != L'>' && text[end] != L'"' && text[end] != L']') {
            if (text[end] == L'(') opened++;
            end++;
        }
        // The sentence's full stop or closing bracket is not part of the address.
        while (end > i) {
            WCHAR last = text[end - 1];
            if (last == L'.' || last == L',' || last == L';' || last == L':' || last == L'!' || last == L'?' ||
                last == L'\'' || (last == L')' && !opened))
                end--;
            else
                break;
        }
        if (end - i > 8) AddRun(out, i, end, RunAddress);
        i = end > i ? end - 1 : i;
    }
}

void FindTags(const WCHAR* text, int32_t len, NoteRunList& out)
{
    int32_t pos = 0, nameStart = 0, nameLen = 0;
    while (NextTagInText(text, len, &pos, &nameStart, &nameLen)) AddRun(out, nameStart - 1, nameStart + nameLen, RunTag);
}

void FindInlineEffects(const WCHAR* text, int32_t len, NoteRunList& out)
{
    static const WCHAR kMarkers[3] = {L'*', L'/', L'-'};
    static const int32_t kKinds[3] = {RunBold, RunItalic, RunStrike};
    int32_t lineStart = 0;
    while (lineStart < len) {
        int32_t lineEnd = lineStart;
        while (lineEnd < len && !IsLineEnd(text[lineEnd])) lineEnd++;
        for (int m = 0; m < 3; m++) {
            WCHAR c = kMarkers[m];
            int32_t i = lineStart;
            while (i + 4 < lineEnd) {
                // An opening pair: not inside a longer run of the marker, not
                // glued to a word, followed by text; "//" after ":" is an address.
                int opens = text[i] == c && text[i + 1] == c && i + 2 < lineEnd && !IsBlank(text[i + 2]) &&
                            text[i + 2] != c && (i == lineStart || !IsCharAlphaNumericW(text[i - 1])) &&
                            (i == lineStart || text[i - 1] != c) && !(c == L'/' && i > lineStart && text[i - 1] == L':');
                if (!opens) {
                    i++;
                    continue;
                }
                int32_t q = i + 3;
                int32_t found = -1;
                for (; q + 1 < lineEnd; q++) {
                    if (text[q] == c && text[q + 1] == c && !IsBlank(text[q - 1]) &&
                        (q + 2 >= lineEnd || (text[q + 2] != c && !IsCharAlphaNumericW(text[q + 2])))) {
                        found = q;
                        break;
                    }
                }
                if (found < 0) {
                    i++;
                    continue;
                }
                AddRun(out, i + 2, found, kKinds[m]);
                i = found + 2;
            }
        }
        lineStart = lineEnd + 1;
    }
}
