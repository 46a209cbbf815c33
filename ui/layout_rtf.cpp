// The rich-text stream that puts a note's text into the editor with its
// long paragraphs in runs, and where those runs end. See layout_rtf.h.
#include "ui/layout_rtf.h"
#include "foundation/ai_string.h"

namespace {

int IsParagraphEnd(WCHAR ch) { return ch == L'\r' || ch == L'\n'; }

// A character drawn together with the one before it.
int JoinsPrevious(WCHAR ch)
{
    return IS_LOW_SURROGATE(ch) || (ch >= 0x0300 && ch <= 0x036F) || ch == 0x200D || (ch >= 0xFE00 && ch <= 0xFE0F);
}

// A face name the stream can carry (its font table is 8-bit text up to ";").
int IsWritableFace(const WCHAR* face)
{
    if (!face[0]) return 0;
    for (const WCHAR* p = face; *p; p++)
        if (*p < 0x20 || *p > 0x7E || *p == L';' || *p == L'{' || *p == L'}' || *p == L'\\') return 0;
    return 1;
}

// The face of every other run: the same name in other letter case.
int OtherCaseFace(const WCHAR* face, WCHAR* out)
{
    lstrcpynW(out, face, LF_FACESIZE);
    CharLowerW(out);
    if (lstrcmpW(out, face) != 0) return 1;
    CharUpperW(out);
    return lstrcmpW(out, face) != 0;
}

void AppendFontEntry(AIString& rtf, int index, const CHARFORMAT2W& body, const WCHAR* face)
{
    static const char* const kFamilies[] = {"nil", "roman", "swiss", "modern", "script", "decor"};
    int family = body.bPitchAndFamily >> 4;
    rtf.AppendAscii("{\\f").AppendInt(index).AppendAscii("\\f");
    rtf.AppendAscii(kFamilies[family < 6 ? family : 0]);
    rtf.AppendAscii("\\fprq").AppendInt(body.bPitchAndFamily & 0x3);
    rtf.AppendAscii("\\fcharset").AppendInt(body.bCharSet).AppendChar(L' ');
    rtf.AppendText(face).AppendAscii(";}");
}

void AppendEscaped(AIString& rtf, WCHAR ch)
{
    if (ch == L'\t') {
        rtf.AppendAscii("\\tab ");
    } else if (ch == L'\\' || ch == L'{' || ch == L'}') {
        rtf.AppendChar(L'\\').AppendChar(ch);
    } else if (ch >= 0x20 && ch < 0x7F) {
        rtf.AppendChar(ch);
    } else {
        // A signed 16-bit value, then the one character a reader without
        // Unicode shows instead (skipped here, \uc1).
        rtf.AppendAscii("\\u").AppendInt((int16_t)ch).AppendChar(L'?');
    }
}

}  // namespace

int ParagraphEnd(const WCHAR* text, int length, int start, int* next)
{
    int end = start;
    while (end < length && !IsParagraphEnd(text[end])) end++;
    *next = end + (end + 1 < length && text[end] == L'\r' && text[end + 1] == L'\n' ? 2 : 1);
    return end;
}

void LayoutEditorForm(const WCHAR* text, int length, AIString& out)
{
    out.Clear();
    out.Reserve(length);
    for (int start = 0; start < length;) {
        int next;
        int end = ParagraphEnd(text, length, start, &next);
        out.AppendTextN(text + start, end - start);
        if (end < length) out.AppendChar(L'\r');
        start = next;
    }
}

int LayoutRunEnd(const WCHAR* text, int start, int end)
{
    if (end - start <= kLayoutRunChars) return end;
    int limit = start + kLayoutRunChars;
    for (int at = limit; at > start + kLayoutRunChars / 2; at--)
        if (text[at - 1] == L' ' && !JoinsPrevious(text[at])) return at;
    int at = limit;
    while (at > start + 1 && JoinsPrevious(text[at])) at--;
    return at;
}

int BuildLayoutRtf(const WCHAR* text, int length, const CHARFORMAT2W& body, AIString& rtf)
{
    rtf.Clear();
    WCHAR otherFace[LF_FACESIZE];
    if (!IsWritableFace(body.szFaceName) || !OtherCaseFace(body.szFaceName, otherFace)) return 0;
    rtf.Reserve(length + length / 8 + 256);
    rtf.AppendAscii("{\\rtf1\\ansi\\deff0{\\fonttbl");
    AppendFontEntry(rtf, 0, body, body.szFaceName);
    AppendFontEntry(rtf, 1, body, otherFace);
    rtf.AppendAscii("}\\uc1 ");
    for (int start = 0; start < length;) {
        int next;
        int end = ParagraphEnd(text, length, start, &next);
        // Every paragraph starts, and ends, in the body's own face.
        int otherRun = 0;
        for (int run = start; run < end;) {
            int runEnd = end - start > kLongParagraphChars ? LayoutRunEnd(text, run, end) : end;
            if (run > start) {
                otherRun = !otherRun;
                rtf.AppendAscii(otherRun ? "\\f1 " : "\\f0 ");
            }
            for (int i = run; i < runEnd; i++) AppendEscaped(rtf, text[i]);
            run = runEnd;
        }
        if (otherRun) rtf.AppendAscii("\\f0 ");
        if (end < length) rtf.AppendAscii("\\par ");
        start = next;
    }
    // The stream's last paragraph end merges with the end of the text: a
    // text that ends with one needs another.
    if (length > 0 && IsParagraphEnd(text[length - 1])) rtf.AppendAscii("\\par ");
    rtf.AppendChar(L'}');
    return 1;
}

