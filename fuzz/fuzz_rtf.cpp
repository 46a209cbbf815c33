// libFuzzer target for the rich-text stream that puts a note's text into the
// editor. The input's first bytes are the body format (character set, pitch
// and family, how many times the text repeats, then a face name up to a zero
// byte), the rest the note's text as UTF-16 up to a zero unit. A face the stream can carry
// gives a stream of 7-bit characters with balanced braces that a plain
// reader (below) reads back as the note's text in the editor's form, every
// character kept; a long paragraph comes in runs of at most the run length
// whose faces take turns, and every paragraph ends in the body's own face.
#include "fuzz/fuzz_text_input.h"
#include "ui/layout_rtf.h"
#include <vector>

namespace {

const int kMaxTextUnits = 60000;

bool JoinsPrevious(WCHAR c)
{
    return IS_LOW_SURROGATE(c) || (c >= 0x0300 && c <= 0x036F) || c == 0x200D || (c >= 0xFE00 && c <= 0xFE0F);
}

bool IsLetter(WCHAR c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// What the reader saw besides the text: faces switched within paragraphs.
struct ReadRuns {
    int font = 0;          // the face in use: 0 the body's, 1 the other case
    int paragraphLength = 0;
    int runLength = 0;
    int longestRun = 0;    // in paragraphs longer than kLongParagraphChars
    std::vector<int> runs; // run lengths of the paragraph being read
};

void EndParagraph(ReadRuns& r)
{
    r.runs.push_back(r.runLength);
    if (r.paragraphLength > kLongParagraphChars)
        for (int run : r.runs) r.longestRun = run > r.longestRun ? run : r.longestRun;
    else
        FUZZ_CHECK(r.runs.size() == 1);  // a short paragraph is one run
    FUZZ_CHECK(r.font == 0);
    r.runs.clear();
    r.paragraphLength = r.runLength = 0;
}

void Emit(std::vector<WCHAR>& out, ReadRuns& r, WCHAR c)
{
    out.push_back(c);
    r.paragraphLength++;
    r.runLength++;
}

// A plain reader of the stream: groups, the four escapes, \par, \tab, \uN
// with one fallback character, \f0 and \f1; the font table is skipped.
void ReadStream(const AIString& rtf, std::vector<WCHAR>& out, ReadRuns& r)
{
    const WCHAR* s = rtf.GetText();
    int n = rtf.GetLength();
    int depth = 0, skipFrom = -1, fallback = 0;
    bool lastWasPar = false;
    for (int i = 0; i < n;) {
        WCHAR c = s[i];
        FUZZ_CHECK(c < 0x80);
        if (c == L'{') {
            depth++;
            i++;
            continue;
        }
        if (c == L'}') {
            FUZZ_CHECK(depth > 0);
            if (depth == skipFrom) skipFrom = -1;
            depth--;
            i++;
            FUZZ_CHECK(depth > 0 || i == n);  // the stream ends with its group
            continue;
        }
        bool skipping = skipFrom >= 0;
        if (c != L'\\') {
            i++;
            if (skipping) continue;
            if (fallback) {
                fallback--;
                continue;
            }
            Emit(out, r, c);
            lastWasPar = false;
            continue;
        }
        FUZZ_CHECK(i + 1 < n);
        WCHAR next = s[i + 1];
        if (next == L'\\' || next == L'{' || next == L'}') {
            i += 2;
            if (skipping) continue;
            FUZZ_CHECK(!fallback);
            Emit(out, r, next);
            lastWasPar = false;
            continue;
        }
        FUZZ_CHECK(IsLetter(next));
        int wordStart = ++i;
        while (i < n && IsLetter(s[i])) i++;
        AIString word;
        word.AssignTextN(s + wordStart, i - wordStart);
        bool hasNumber = false, negative = false;
        int number = 0;
        if (i < n && s[i] == L'-') {
            negative = true;
            i++;
        }
        while (i < n && s[i] >= L'0' && s[i] <= L'9') {
            hasNumber = true;
            number = number * 10 + (s[i++] - L'0');
            FUZZ_CHECK(number <= 100000);
        }
        FUZZ_CHECK(hasNumber || !negative);
        if (negative) number = -number;
        if (i < n && s[i] == L' ') i++;
        if (skipping) continue;
        FUZZ_CHECK(!fallback);
        if (word.EqualsString(AIString(L"fonttbl"))) {
            skipFrom = depth;
        } else if (word.EqualsString(AIString(L"par"))) {
            EndParagraph(r);
            out.push_back(L'\r');
            lastWasPar = true;
        } else if (word.EqualsString(AIString(L"tab"))) {
            Emit(out, r, L'\t');
            lastWasPar = false;
        } else if (word.EqualsString(AIString(L"u"))) {
            FUZZ_CHECK(hasNumber && number >= -32768 && number <= 32767);
            Emit(out, r, (WCHAR)(int16_t)number);
            fallback = 1;
            lastWasPar = false;
        } else if (word.EqualsString(AIString(L"f")) && depth == 1) {
            FUZZ_CHECK(hasNumber && (number == 0 || number == 1) && number != r.font);
            r.font = number;
            r.runs.push_back(r.runLength);
            r.runLength = 0;
        }
    }
    FUZZ_CHECK(depth == 0 && !fallback);
    if (r.paragraphLength || r.runs.size()) EndParagraph(r);
    // The stream's last paragraph end merges with the end of the text.
    if (lastWasPar) out.pop_back();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3) return 0;
    CHARFORMAT2W body = {};
    body.cbSize = sizeof body;
    body.bCharSet = data[0];
    body.bPitchAndFamily = data[1];
    int repeats = 1 + data[2] % 64;
    size_t at = 3;
    int f = 0;
    while (at < size && data[at] && f < LF_FACESIZE - 1) body.szFaceName[f++] = data[at++];
    body.szFaceName[f] = 0;
    at++;
    std::vector<WCHAR> once, text;
    // A note's text holds no zero unit: it ends the text, as in a window.
    for (size_t i = at; i + 1 < size && (data[i] || data[i + 1]); i += 2)
        once.push_back((WCHAR)(data[i] | (data[i + 1] << 8)));
    for (int k = 0; k < repeats && (int)(text.size() + once.size()) <= kMaxTextUnits; k++)
        text.insert(text.end(), once.begin(), once.end());
    int length = (int)text.size();
    text.push_back(0);

    for (int start = 0; start < length;) {
        int next = 0;
        int end = ParagraphEnd(text.data(), length, start, &next);
        FUZZ_CHECK(end >= start && end <= length && next > end);
        for (int run = start; run < end;) {
            int runEnd = LayoutRunEnd(text.data(), run, end);
            FUZZ_CHECK(runEnd > run && runEnd <= end && runEnd - run <= kLayoutRunChars);
            // Never inside a surrogate pair, nor before a mark drawn with the
            // character before it (unless the run is one character long).
            FUZZ_CHECK(runEnd == end || runEnd == run + 1 || !JoinsPrevious(text[runEnd]));
            run = runEnd;
        }
        start = next;
    }

    AIString rtf;
    if (!BuildLayoutRtf(text.data(), length, body, rtf)) {
        FUZZ_CHECK(rtf.IsEmpty());
        return 0;
    }
    std::vector<WCHAR> read;
    ReadRuns runs;
    ReadStream(rtf, read, runs);
    FUZZ_CHECK(runs.longestRun <= kLayoutRunChars);
    AIString wanted;
    LayoutEditorForm(text.data(), length, wanted);
    FUZZ_CHECK((int)read.size() == wanted.GetLength());
    for (int i = 0; i < wanted.GetLength(); i++) FUZZ_CHECK(read[(size_t)i] == wanted.GetText()[i]);
    return 0;
}
