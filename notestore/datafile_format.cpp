#include "notestore/datafile_format.h"
#include "foundation/message_ids.h"
#include <string.h>

namespace {

const WCHAR kHeader[] = L"Tavik 10";
const int32_t kHeaderChars = 8;
const WCHAR kReplacementChar = 0xFFFD;

bool IsLineEnd(WCHAR ch) { return ch == L'\r' || ch == L'\n'; }

int32_t GrowSpans(NoteSpanArray& spans)
{
    int32_t capacity = spans.capacity ? spans.capacity * 2 : 1024;
    void* block = LocalAlloc(LMEM_FIXED, (SIZE_T)capacity * sizeof(NoteSpan));
    if (!block) return 0;
    if (spans.items) {
        CopyMemory(block, spans.items, (SIZE_T)spans.count * sizeof(NoteSpan));
        LocalFree(spans.items);
    }
    spans.items = (NoteSpan*)block;
    spans.capacity = capacity;
    return 1;
}

// "}}" CR LF closes the last note's link block: a file that stops anywhere
// else was cut short.
bool EndsWithBlockEnd(const WCHAR* text, int32_t chars)
{
    return chars >= 4 && text[chars - 4] == L'}' && text[chars - 3] == L'}' &&
           text[chars - 2] == L'\r' && text[chars - 1] == L'\n';
}

bool IsTagNameChar(WCHAR ch)
{
    if (ch <= L' ') return false;
    switch (ch) {
    case L',': case L'.': case L';': case L':': case L'!': case L'?': case L'(': case L')':
    case L'[': case L']': case L'{': case L'}': case L'"': case L'\'': case L'<': case L'>':
    case L'@': case kNoteMark:
        return false;
    default:
        return true;
    }
}

}  // namespace

// Sixteen characters at a time (SSE2, written with the compiler's vector
// types so that no intrinsics header is needed); the first match within them
// is the lowest set bit of the mask.
typedef short UnitLanes __attribute__((vector_size(16)));
typedef char ByteLanes __attribute__((vector_size(16)));

int32_t FindCharOrZero(const WCHAR* text, int32_t from, int32_t end, WCHAR ch)
{
    const UnitLanes wanted = {(short)ch, (short)ch, (short)ch, (short)ch, (short)ch, (short)ch, (short)ch, (short)ch};
    const UnitLanes zero = {};
    int32_t i = from;
    for (; i + 16 <= end; i += 16) {
        UnitLanes a, b;
        memcpy(&a, text + i, sizeof a);
        memcpy(&b, text + i + 8, sizeof b);
        const UnitLanes hitA = (UnitLanes)((a == wanted) | (a == zero));
        const UnitLanes hitB = (UnitLanes)((b == wanted) | (b == zero));
        const unsigned mask = (unsigned)__builtin_ia32_pmovmskb128((ByteLanes)__builtin_ia32_packsswb128(hitA, hitB));
        if (mask) return i + __builtin_ctz(mask);
    }
    for (; i < end; i++)
        if (text[i] == ch || text[i] == 0) return i;
    return end;
}

int32_t FindCharBackward(const WCHAR* text, int32_t from, WCHAR ch)
{
    const UnitLanes wanted = {(short)ch, (short)ch, (short)ch, (short)ch, (short)ch, (short)ch, (short)ch, (short)ch};
    int32_t end = from + 1;  // the sixteen characters before end are looked at
    for (; end >= 16; end -= 16) {
        UnitLanes a, b;
        memcpy(&a, text + end - 16, sizeof a);
        memcpy(&b, text + end - 8, sizeof b);
        const unsigned mask = (unsigned)__builtin_ia32_pmovmskb128(
            (ByteLanes)__builtin_ia32_packsswb128((UnitLanes)(a == wanted), (UnitLanes)(b == wanted)));
        if (mask) return end - 16 + 31 - __builtin_clz(mask);
    }
    for (int32_t i = end - 1; i >= 0; i--)
        if (text[i] == ch) return i;
    return -1;
}

void FreeNoteSpans(NoteSpanArray& spans)
{
    if (spans.items) LocalFree(spans.items);
    spans.items = 0;
    spans.count = 0;
    spans.capacity = 0;
}

int32_t CheckDatafileBytes(const uint8_t* bytes, int64_t size)
{
    if (size > kMaxDatafileBytes) return kMsgDatafileTooLarge;
    if (size < 2 || (size & 1) || !bytes || bytes[0] != 0xFF || bytes[1] != 0xFE)
        return kMsgDatafileNotValid;
    return 0;
}

namespace {
// Whether a character may stand in a stored title: not a blank or a
// control, not a sign the file, a link or a file name reserves.
constexpr bool IsTitleChar(WCHAR ch)
{
    if (ch <= L' ') return false;
    switch (ch) {
    case L'\\': case L'/': case L':': case L'*': case L'?': case L'"':
    case L'<': case L'>': case L'|': case L'.': case L'[': case L']': case L'#':
    case L'=': case L'+': case L';': case L',': case L'^': case 0x00BD:
    case kNoteMark: case kLinkColonMark:
        return false;
    default:
        return true;
    }
}

// The same for the first 256 characters, looked up (every note's title is
// checked when a file is read).
struct TitleCharTable {
    bool allowed[256];
    constexpr TitleCharTable() : allowed()
    {
        for (int ch = 0; ch < 256; ch++) allowed[ch] = IsTitleChar((WCHAR)ch);
    }
};
constexpr TitleCharTable kTitleChars;
}  // namespace

int32_t IsValidStoredTitle(const WCHAR* title, int32_t len)
{
    if (!title || len < 1 || len > kMaxTitleChars) return 0;
    for (int32_t i = 0; i < len; i++) {
        WCHAR ch = title[i];
        if (ch < 256 ? !kTitleChars.allowed[ch] : !IsTitleChar(ch)) return 0;
    }
    return 1;
}

int32_t CompareTitles(const WCHAR* a, int32_t aLen, const WCHAR* b, int32_t bLen)
{
    int32_t n = aLen < bLen ? aLen : bLen;
    for (int32_t i = 0; i < n; i++) {
        // Neighbours in a sorted file share most of their beginning: equal
        // characters fold alike, and need no folding.
        if (a[i] == b[i]) continue;
        WCHAR x = FoldChar(a[i]);
        WCHAR y = FoldChar(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return aLen == bLen ? 0 : (aLen < bLen ? -1 : 1);
}

// Replaces every from by to in place.
static void MapTitleChar(AIString& text, WCHAR from, WCHAR to)
{
    WCHAR* p = text.GetBuffer(text.GetLength());
    for (int i = 0; p && i < text.GetLength(); i++)
        if (p[i] == from) p[i] = to;
}

void StoredTitleForm(const WCHAR* title, AIString& out)
{
    out.AssignText(title);
    MapTitleChar(out, L' ', L'_');
}

void ShownTitleForm(const WCHAR* stored, AIString& out)
{
    out.AssignText(stored);
    MapTitleChar(out, L'_', L' ');
}

const WCHAR kRelativePathPrefix[] = L"rel:";

int32_t IsRelativePathText(const WCHAR* path)
{
    AIString text(path ? path : L"");
    return text.StartsWithNoCase(kRelativePathPrefix) ? 1 : 0;
}

int32_t MakeRelativeToFolder(const WCHAR* path, const WCHAR* folder, AIString& out)
{
    AIString in(path ? path : L"");
    AIString base(folder ? folder : L"");
    if (base.IsEmpty() || !in.StartsWithNoCase(base.GetText())) {
        out.Copy(in);
        return 0;
    }
    if (base.CharAt(base.GetLength() - 1) != L'\\') {
        // Without its backslash the folder would take in its namesakes.
        if (in.CharAt(base.GetLength()) != L'\\') {
            out.Copy(in);
            return 0;
        }
        base.AppendChar(L'\\');
    }
    out.AssignText(kRelativePathPrefix).AppendChar(L'\\').AppendText(in.GetText() + base.GetLength());
    return 1;
}

void NormaliseTitle(const WCHAR* title, AIString& out)
{
    AIString trimmed(title);
    trimmed.Trim(1, 1);
    StoredTitleForm(trimmed.GetText(), out);
}

int32_t ParseDatafileText(const WCHAR* text, int32_t chars, NoteSpanArray& spans, DatafileProblem& problem)
{
    ZeroMemory(&problem, sizeof(problem));
    spans.count = 0;
    problem.messageId = kMsgDatafileNotValid;
    if (!text || chars < kHeaderChars + 1) return 0;
    for (int32_t i = 0; i < kHeaderChars; i++)
        if (text[i] != kHeader[i]) return 0;
    if (!IsLineEnd(text[kHeaderChars])) return 0;

    int32_t previous = -1;
    for (int32_t i = kHeaderChars; i < chars; i++) {
        i = FindCharOrZero(text, i, chars, kNoteMark);
        if (i == chars) break;
        if (text[i] == 0) return 0;

        int32_t start = i + 1;
        int32_t end = start;
        while (end < chars && text[end] != L'\r' && text[end] != L'\n' && text[end] != L'\t' &&
               text[end] != kNoteMark && text[end] != 0)
            end++;
        if (end < chars && (text[end] == L'\t' || text[end] == kNoteMark)) return 0;
        if (!IsValidStoredTitle(text + start, end - start)) return 0;
        if (previous >= 0) {
            const NoteSpan& prev = spans.items[previous];
            if (CompareTitles(text + prev.mark + 1, prev.titleLen, text + start, end - start) >= 0) {
                problem.messageId = kMsgDatafileUnsorted;
                problem.titleStart = start;
                problem.titleLen = end - start;
                problem.previousStart = prev.mark + 1;
                problem.previousLen = prev.titleLen;
                return 0;
            }
        }
        if (spans.count == spans.capacity && !GrowSpans(spans)) return 0;
        spans.items[spans.count].mark = i;
        spans.items[spans.count].titleLen = end - start;
        previous = spans.count++;
        i = end - 1;
    }
    if (spans.count == 0) {
        // A header and nothing else is a file without notes; anything more
        // is not a data file at all.
        int32_t i = kHeaderChars;
        while (i < chars && (text[i] == L'\r' || text[i] == L'\n' || text[i] == L' ')) i++;
        if (i == chars) problem.messageId = kMsgMinimumOneNote;
        return 0;
    }
    if (!EndsWithBlockEnd(text, chars)) return 0;
    problem.messageId = 0;
    return 1;
}

namespace {

// A record no parse has seen: its mark, a title line that can stand, and no
// other mark or zero up to its end. Its title's length, or -1.
int32_t CheckNewRecord(const WCHAR* text, int32_t at, int32_t len)
{
    if (len < 2 || text[at] != kNoteMark) return -1;
    int32_t start = at + 1, stop = at + len;
    int32_t end = start;
    while (end < stop && text[end] != L'\r' && text[end] != L'\n' && text[end] != L'\t' && text[end] != kNoteMark &&
           text[end] != 0)
        end++;
    // The title line ends inside the record (a record cut after its title
    // is left to the full parse).
    if (end == stop || (text[end] != L'\r' && text[end] != L'\n')) return -1;
    if (!IsValidStoredTitle(text + start, end - start)) return -1;
    return FindCharOrZero(text, end, stop, kNoteMark) == stop ? end - start : -1;
}

// The last characters of a text seen piece by piece (enough to tell whether
// it ends with a link block's end).
struct TextEnd {
    enum { kKept = 4 };
    WCHAR chars[kKept];
    int32_t count = 0;
    void Add(const WCHAR* from, int32_t n)
    {
        if (n > kKept) {
            from += n - kKept;
            n = kKept;
        }
        int32_t stay = count + n > kKept ? kKept - n : count;
        MoveMemory(chars, chars + count - stay, (SIZE_T)stay * sizeof(WCHAR));
        CopyMemory(chars + stay, from, (SIZE_T)n * sizeof(WCHAR));
        count = stay + n;
    }
};

}  // namespace

int32_t ParseJoinedRecords(const WCHAR* preamble, int32_t preambleChars, const JoinedRecord* records, int32_t count,
                           const WCHAR* closing, int32_t closingChars, NoteSpanArray& spans)
{
    spans.count = 0;
    if (!preamble || preambleChars < kHeaderChars + 1 || closingChars < 0) return 0;
    for (int32_t i = 0; i < kHeaderChars; i++)
        if (preamble[i] != kHeader[i]) return 0;
    if (!IsLineEnd(preamble[kHeaderChars])) return 0;
    if (FindCharOrZero(preamble, kHeaderChars, preambleChars, kNoteMark) != preambleChars) return 0;
    if (spans.capacity < count) {
        FreeNoteSpans(spans);
        spans.items = (NoteSpan*)LocalAlloc(LMEM_FIXED, (SIZE_T)(count ? count : 1) * sizeof(NoteSpan));
        if (!spans.items) return 0;
        spans.capacity = count ? count : 1;
    }
    int64_t at = preambleChars;
    int32_t previousRank = -1;
    const WCHAR* previousTitle = 0;
    int32_t last = -1;
    for (int32_t i = 0; i < count; i++) {
        const JoinedRecord& record = records[i];
        if (record.len == 0) continue;
        if (record.len < 0 || !record.text || at + record.len > 0x7FFFFFFF) return 0;
        // A record of the parsed text starts with its mark: only its length
        // is looked at (reading each one would wait for memory 50,000 times).
        int32_t titleLen = record.titleLen;
        if (titleLen < 0 || record.rank < 0) titleLen = CheckNewRecord(record.text, 0, record.len);
        else if (titleLen >= record.len) return 0;
        if (titleLen < 0) return 0;
        bool inOrderAlready = record.rank >= 0 && previousRank >= 0 && record.rank > previousRank;
        if (spans.count > 0 && !inOrderAlready) {
            const NoteSpan& prev = spans.items[spans.count - 1];
            if (CompareTitles(previousTitle, prev.titleLen, record.text + 1, titleLen) >= 0) return 0;
        }
        spans.items[spans.count].mark = (int32_t)at;
        spans.items[spans.count].titleLen = titleLen;
        spans.count++;
        previousRank = record.rank;
        previousTitle = record.text + 1;
        at += record.len;
        last = i;
    }
    // What follows the last record closes it and holds no mark.
    if (spans.count == 0 || at + closingChars > 0x7FFFFFFF) return 0;
    if (FindCharOrZero(closing, 0, closingChars, kNoteMark) != closingChars) return 0;
    // The end of the joined text, from the last records and the closing.
    TextEnd end;
    int32_t first = last;
    for (int32_t chars = 0; first > 0 && chars < TextEnd::kKept; first--) chars += records[first].len;
    for (int32_t i = first; i <= last; i++) end.Add(records[i].text, records[i].len);
    end.Add(closing, closingChars);
    return EndsWithBlockEnd(end.chars, end.count) ? 1 : 0;
}

int32_t FindBodyStart(const WCHAR* record, int32_t len)
{
    int32_t j = 1;
    while (j < len && !IsLineEnd(record[j])) j++;
    if (j < len && record[j] == L'\r') j++;
    if (j < len && record[j] == L'\n') j++;
    return j;
}

int32_t JoinNoteIndex(const WCHAR* text, const NoteSpanArray& spans, AIString& joined, int32_t* starts,
                      JoinMemory memory)
{
    enum { kOffsetDigitsMax = 10, kTitlesAhead = 8 };
    int64_t room = 0;
    for (int32_t i = 0; i < spans.count; i++) room += spans.items[i].titleLen + 2 + kOffsetDigitsMax;
    joined.Clear();
    WCHAR* out = room >= 0x7FFFFFFF ? 0
                 : memory == kJoinQuietly ? joined.GetBufferQuietly((int)room)
                                          : joined.GetBuffer((int)room);
    if (!out) return 0;
    int32_t w = 0;
    for (int32_t i = 0; i < spans.count; i++) {
        const NoteSpan& span = spans.items[i];
        // The titles lie far apart in the text: ask for one a few notes
        // ahead while this one is copied.
        if (i + kTitlesAhead < spans.count) __builtin_prefetch(text + spans.items[i + kTitlesAhead].mark);
        if (starts) starts[i] = w;
        CopyMemory(out + w, text + span.mark + 1, (SIZE_T)span.titleLen * sizeof(WCHAR));
        w += span.titleLen;
        out[w++] = L':';
        WCHAR digits[kOffsetDigitsMax];
        int32_t n = 0;
        uint32_t offset = (uint32_t)span.mark;  // an offset in the text: never negative
        do {
            digits[n++] = (WCHAR)(L'0' + offset % 10);
            offset /= 10;
        } while (offset);
        while (n) out[w++] = digits[--n];
        out[w++] = kNoteMark;
    }
    joined.SetLength(w);
    return 1;
}

int32_t FindLinkBlock(const WCHAR* text, int32_t len)
{
    // The last CR LF "{{" CR LF: each "{" from the end is a candidate for its
    // second brace (a note's text seldom holds one, its links never).
    int32_t p = -1;
    for (int32_t brace = len - 3; brace >= 3; brace--) {
        brace = FindCharBackward(text, brace, L'{');
        if (brace < 3) break;
        const WCHAR* at = text + brace - 3;
        if (at[0] == L'\r' && at[1] == L'\n' && at[2] == L'{' && at[4] == L'\r' && at[5] == L'\n') {
            p = brace - 3;
            break;
        }
    }
    if (p < 0) return len;
    // Only the last candidate can be the block: every line after it must be
    // a link line, up to "}}" at the note's end.
    int32_t pos = p + 6;
    for (;;) {
        int32_t rest = len - pos;
        if (rest >= 2 && text[pos] == L'}' && text[pos + 1] == L'}') {
            if (rest == 2 || (rest == 4 && text[pos + 2] == L'\r' && text[pos + 3] == L'\n')) return p;
            return len;
        }
        if (rest < 1 || text[pos] != L'[') return len;
        int32_t e = pos;
        bool colon = false;
        while (e < len && !IsLineEnd(text[e])) {
            if (text[e] == L':') colon = true;
            e++;
        }
        if (!colon || e + 1 >= len || text[e] != L'\r' || text[e + 1] != L'\n' || text[e - 1] != L']') return len;
        pos = e + 2;
    }
}

void StartLinkLines(LinkLineCursor& cursor, const WCHAR* block, int32_t len)
{
    cursor.text = block;
    cursor.len = len;
    cursor.pos = len >= 6 ? 6 : len;
}

int32_t NextLinkLine(LinkLineCursor& cursor, const WCHAR** label, int32_t* labelLen,
                     const WCHAR** target, int32_t* targetLen)
{
    const WCHAR* t = cursor.text;
    int32_t pos = cursor.pos;
    if (pos >= cursor.len || t[pos] != L'[') return 0;
    int32_t e = pos;
    while (e < cursor.len && !IsLineEnd(t[e])) e++;
    int32_t colon = pos + 1;
    while (colon < e && t[colon] != L':') colon++;
    if (colon >= e || t[e - 1] != L']') return 0;
    *label = t + pos + 1;
    *labelLen = colon - pos - 1;
    *target = t + colon + 1;
    *targetLen = (e - 1) - (colon + 1);
    cursor.pos = e + 2;
    return 1;
}

void CleanBodyText(const WCHAR* body, int32_t len, AIString& out)
{
    out.Clear();
    if (!body || len <= 0) return;
    WCHAR* p = out.GetBuffer(len * 3);
    if (!p) return;
    int32_t n = 0;
    for (int32_t i = 0; i < len; i++) {
        WCHAR ch = body[i];
        if (ch == L'\r') {
            p[n++] = L'\r';
            p[n++] = L'\n';
            if (i + 1 < len && body[i + 1] == L'\n') i++;
        } else if (ch == L'\n') {
            p[n++] = L'\r';
            p[n++] = L'\n';
        } else if (ch == kNoteMark) {
            p[n++] = kReplacementChar;
        } else if (ch == kLinkColonMark) {
            p[n++] = L'+';
            p[n++] = L'/';
            p[n++] = L'-';
        } else if (ch != 0) {
            p[n++] = ch;
        }
    }
    out.SetLength(n);
}

void CleanLinkPart(const WCHAR* part, int32_t len, int32_t isLabel, AIString& out)
{
    out.Clear();
    if (!part || len <= 0) return;
    WCHAR* p = out.GetBuffer(len * 3);
    if (!p) return;
    int32_t n = 0;
    for (int32_t i = 0; i < len; i++) {
        WCHAR ch = part[i];
        if (ch == L'\r' || ch == L'\n' || ch == L'\t' || ch == 0 || ch == kNoteMark) continue;
        if (isLabel && ch == L':') ch = kLinkColonMark;
        if (!isLabel && ch == L',') ch = kLinkCommaMark;
        if (!isLabel && ch == kLinkColonMark) {
            p[n++] = L'+';
            p[n++] = L'/';
            p[n++] = L'-';
            continue;
        }
        p[n++] = ch;
    }
    out.SetLength(n);
}

void AppendLinkBlockStart(AIString& out) { out.AppendText(L"\r\n{{\r\n"); }

void AppendLinkLine(AIString& out, const WCHAR* label, int32_t labelLen, const WCHAR* target, int32_t targetLen)
{
    AIString cleanLabel, cleanTarget;
    CleanLinkPart(label, labelLen, 1, cleanLabel);
    CleanLinkPart(target, targetLen, 0, cleanTarget);
    out.AppendChar(L'[').AppendString(cleanLabel).AppendChar(L':').AppendString(cleanTarget).AppendText(L"]\r\n");
}

void AppendLinkBlockEnd(AIString& out) { out.AppendText(L"}}\r\n"); }

void StoredNoteText(const WCHAR* text, int32_t len, AIString& out)
{
    int32_t block = FindLinkBlock(text, len);
    CleanBodyText(text, block, out);
    AppendLinkBlockStart(out);
    LinkLineCursor cursor;
    StartLinkLines(cursor, text + block, len - block);
    const WCHAR* label;
    const WCHAR* target;
    int32_t labelLen, targetLen;
    while (block < len && NextLinkLine(cursor, &label, &labelLen, &target, &targetLen))
        AppendLinkLine(out, label, labelLen, target, targetLen);
    AppendLinkBlockEnd(out);
}

namespace {

// "#" never stands in a title, so names that carry it never meet a title's
// own name: "#" before a device name, and "#u" with four hex digits for a
// surrogate without its partner (no file system takes one in a name).
const WCHAR kSideFileEscape = L'#';
const WCHAR kLoneSurrogateEscape = L'u';
const int32_t kLoneSurrogateChars = 6;  // "#u" and four hex digits

bool IsDeviceName(const WCHAR* name, int32_t len)
{
    static const WCHAR* const kDevices[] = {L"con", L"prn", L"aux", L"nul"};
    AIString text;
    text.AssignTextN(name, len);
    for (const WCHAR* d : kDevices)
        if (text.EqualsTextNoCase(d)) return true;
    return len == 4 && (text.StartsWithNoCase(L"com") || text.StartsWithNoCase(L"lpt")) && name[3] >= L'1' &&
           name[3] <= L'9';
}

bool IsLoneSurrogateAt(const WCHAR* text, int32_t len, int32_t i)
{
    if (IS_HIGH_SURROGATE(text[i])) return i + 1 >= len || !IS_LOW_SURROGATE(text[i + 1]);
    if (IS_LOW_SURROGATE(text[i])) return i == 0 || !IS_HIGH_SURROGATE(text[i - 1]);
    return false;
}

int32_t HexDigitValue(WCHAR ch)
{
    if (ch >= L'0' && ch <= L'9') return ch - L'0';
    if (ch >= L'A' && ch <= L'F') return ch - L'A' + 10;
    if (ch >= L'a' && ch <= L'f') return ch - L'a' + 10;
    return -1;
}

// The character of "#uXXXX" at text[i], or -1.
int32_t EscapedSurrogateAt(const WCHAR* text, int32_t len, int32_t i)
{
    if (i + kLoneSurrogateChars > len || text[i] != kSideFileEscape || text[i + 1] != kLoneSurrogateEscape) return -1;
    int32_t value = 0;
    for (int32_t k = 2; k < kLoneSurrogateChars; k++) {
        int32_t digit = HexDigitValue(text[i + k]);
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return IS_HIGH_SURROGATE(value) || IS_LOW_SURROGATE(value) ? value : -1;
}

}  // namespace

void MakeSideFileBase(const WCHAR* title, AIString& out)
{
    int32_t len = TextLength(title);
    out.Clear();
    if (IsDeviceName(title, len)) out.AppendChar(kSideFileEscape);
    for (int32_t i = 0; i < len; i++) {
        if (!IsLoneSurrogateAt(title, len, i)) {
            out.AppendChar(title[i]);
            continue;
        }
        static const WCHAR kHex[] = L"0123456789ABCDEF";
        out.AppendChar(kSideFileEscape).AppendChar(kLoneSurrogateEscape);
        for (int shift = 12; shift >= 0; shift -= 4) out.AppendChar(kHex[(title[i] >> shift) & 15]);
    }
}

void TitleFromSideFileBase(const WCHAR* base, int32_t len, AIString& out)
{
    out.Clear();
    if (len > 1 && base[0] == kSideFileEscape && IsDeviceName(base + 1, len - 1)) {
        out.AssignTextN(base + 1, len - 1);
        return;
    }
    for (int32_t i = 0; i < len; i++) {
        int32_t surrogate = EscapedSurrogateAt(base, len, i);
        if (surrogate < 0) {
            out.AppendChar(base[i]);
            continue;
        }
        out.AppendChar((WCHAR)surrogate);
        i += kLoneSurrogateChars - 1;
    }
}

int32_t NextTagInText(const WCHAR* text, int32_t len, int32_t* pos, int32_t* nameStart, int32_t* nameLen)
{
    for (int32_t i = *pos; i < len; i++) {
        i = FindCharOrZero(text, i, len, L'@');
        if (i == len) break;
        if (text[i] != L'@') continue;
        if (i > 0) {
            WCHAR before = text[i - 1];
            if (before != L' ' && before != L'\t' && before != L'\r' && before != L'\n') continue;
        }
        int32_t e = i + 1;
        while (e < len && e - (i + 1) < kMaxTitleChars && IsTagNameChar(text[e])) e++;
        if (e == i + 1) continue;
        *nameStart = i + 1;
        *nameLen = e - (i + 1);
        *pos = e;
        return 1;
    }
    *pos = len;
    return 0;
}
