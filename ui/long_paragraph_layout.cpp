// Layout help for long paragraphs in the platform's rich edit. See
// long_paragraph_layout.h.
#include "ui/long_paragraph_layout.h"
#include "foundation/ai_string.h"
#include "ui/editor_selection.h"

namespace {
const LPARAM kNoWrap = 1;      // EM_SETTARGETDEVICE's line width that turns wrapping off
const LPARAM kWindowWrap = 0;  // ... and the one that wraps at the window's width
// While a password character is set the rich edit measures runs of that
// character instead of shaping the text: cheap, and never drawn while paused.
const WCHAR kPlainMeasureChar = L'*';

int IsParagraphEnd(WCHAR ch) { return ch == L'\r' || ch == L'\n'; }

// The end of the paragraph that starts at `start`, and the start of the next.
int ParagraphEnd(const WCHAR* text, int length, int start, int* next)
{
    int end = start;
    while (end < length && !IsParagraphEnd(text[end])) end++;
    *next = end + (end + 1 < length && text[end] == L'\r' && text[end + 1] == L'\n' ? 2 : 1);
    return end;
}

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

// The stream's reader hands out the 7-bit text of the stream byte by byte.
struct RtfSource {
    const WCHAR* text;
    int length;
    int at;
};

DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given)
{
    RtfSource* source = (RtfSource*)cookie;
    LONG n = 0;
    while (n < wanted && source->at < source->length) buffer[n++] = (BYTE)source->text[source->at++];
    *given = n;
    return 0;
}

// `text` as the editor holds it: every paragraph end one CR.
void EditorForm(const WCHAR* text, int length, AIString& out)
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

// The locale id of every other run where the stream cannot be used: the same
// language, another sub-language.
LCID AlternateLocale(LCID locale)
{
    LANGID language = LANGIDFROMLCID(locale);
    WORD sub = SUBLANGID(language) == SUBLANG_NEUTRAL ? SUBLANG_DEFAULT : SUBLANG_NEUTRAL;
    return MAKELCID(MAKELANGID(PRIMARYLANGID(language), sub), SORTIDFROMLCID(locale));
}

// The text set plainly, its long paragraphs then laid out in runs one
// format change at a time.
int SetTextAndFormatRuns(HWND editor, const AIString& editorText)
{
    SETTEXTEX how = {ST_DEFAULT, 1200};
    if (!SendMessageW(editor, EM_SETTEXTEX, (WPARAM)&how, (LPARAM)editorText.GetText())) return 0;
    const WCHAR* t = editorText.GetText();
    int length = editorText.GetLength();
    for (int start = 0; start < length;) {
        int next;
        int end = ParagraphEnd(t, length, start, &next);
        FormatParagraphRuns(editor, start, t + start, end - start);
        start = next;
    }
    return 1;
}
}  // namespace

LayoutPause::LayoutPause(HWND editor) : editor_(0)
{
    // An editor paused already (it measures plainly) is the outer pause's.
    if (!editor || SendMessageW(editor, EM_GETPASSWORDCHAR, 0, 0)) return;
    editor_ = editor;
    SendMessageW(editor_, EM_SETPASSWORDCHAR, kPlainMeasureChar, 0);
    SendMessageW(editor_, EM_SETTARGETDEVICE, 0, kNoWrap);
}

LayoutPause::~LayoutPause()
{
    if (!editor_) return;
    // Wrapped while still measured plainly (cheap), then shaped once.
    SendMessageW(editor_, EM_SETTARGETDEVICE, 0, kWindowWrap);
    SendMessageW(editor_, EM_SETPASSWORDCHAR, 0, 0);
}

int LayoutRunEnd(const WCHAR* text, int start, int end)
{
    if (end - start <= kLayoutRunChars) return end;
    int limit = start + kLayoutRunChars;
    for (int at = limit; at > start + kLayoutRunChars / 2; at--)
        if (text[at - 1] == L' ') return at;
    int at = limit;
    while (at > start + 1 && JoinsPrevious(text[at])) at--;
    return at;
}

void FormatParagraphRuns(HWND editor, int start, const WCHAR* text, int length)
{
    if (!editor || length <= kLongParagraphChars) return;
    int modified = (int)SendMessageW(editor, EM_GETMODIFY, 0, 0);
    CHARFORMAT2W other;
    QuietSelection quiet(editor, 1);
    ReadRangeFormat(editor, start, start + 1, &other);
    other.dwMask = CFM_LCID;
    other.lcid = AlternateLocale(other.lcid);
    int otherRun = 0;
    for (int run = 0; run < length; otherRun = !otherRun) {
        int runEnd = LayoutRunEnd(text, run, length);
        if (otherRun) WriteRangeFormat(editor, start + run, start + runEnd, other);
        run = runEnd;
    }
    SendMessageW(editor, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
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

int SetEditorTextInRuns(HWND editor, const WCHAR* text, int length)
{
    if (!editor) return 0;
    AIString wanted;
    EditorForm(text, length, wanted);
    CHARFORMAT2W body;
    ZeroMemory(&body, sizeof(body));
    body.cbSize = sizeof(body);
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&body);
    AIString rtf;
    int done = 0;
    if (BuildLayoutRtf(text, length, body, rtf)) {
        RtfSource source = {rtf.GetText(), rtf.GetLength(), 0};
        EDITSTREAM stream = {(DWORD_PTR)&source, 0, ReadRtf};
        SendMessageW(editor, EM_STREAMIN, SF_RTF, (LPARAM)&stream);
        // The text is what counts: anything the stream did not carry exactly
        // is set again the plain way.
        AIString got;
        ReadEditorText(editor, got);
        done = !stream.dwError && got.EqualsString(wanted);
    }
    if (!done) done = SetTextAndFormatRuns(editor, wanted);
    // A text just set is unchanged, as after WM_SETTEXT.
    SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
    return done;
}
