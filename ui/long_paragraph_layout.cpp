// Layout help for long paragraphs in the platform's rich edit. See
// long_paragraph_layout.h.
#include "ui/long_paragraph_layout.h"
#include "ui/layout_rtf.h"
#include "foundation/ai_string.h"
#include "ui/editor_selection.h"
#include "ui/ai_text_document.h"
#include <string.h>

namespace {
const LPARAM kNoWrap = 1;      // EM_SETTARGETDEVICE's line width that turns wrapping off
const LPARAM kWindowWrap = 0;  // ... and the one that wraps at the window's width
// While a password character is set the rich edit measures runs of that
// character instead of shaping the text: cheap, and never drawn while paused.
const WCHAR kPlainMeasureChar = L'*';

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

// Streams a rich-text stream into the editor (format: SF_RTF, with or
// without SFF_SELECTION); 1 when the stream reported no error.
int StreamRtf(HWND editor, const AIString& rtf, WPARAM format)
{
    RtfSource source = {rtf.GetText(), rtf.GetLength(), 0};
    EDITSTREAM stream = {(DWORD_PTR)&source, 0, ReadRtf};
    SendMessageW(editor, EM_STREAMIN, format, (LPARAM)&stream);
    return !stream.dwError;
}

// The editor's default character format: the body's face.
void ReadBodyFormat(HWND editor, CHARFORMAT2W* body)
{
    ZeroMemory(body, sizeof(*body));
    body->cbSize = sizeof(*body);
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)body);
}

int TextLengthOf(HWND editor)
{
    GETTEXTLENGTHEX request = {GTL_NUMCHARS, 1200};
    return (int)SendMessageW(editor, EM_GETTEXTLENGTHEX, (WPARAM)&request, 0);
}

// The paragraph streamed in place of [start, end) with its runs; 1 when it
// reads back exactly, 0 with the editor as it was otherwise.
int StreamParagraphInRuns(HWND editor, int start, int end, const WCHAR* text, int length)
{
    CHARFORMAT2W body;
    ReadBodyFormat(editor, &body);
    AIString rtf;
    if (length <= kLongParagraphChars || !BuildLayoutRtf(text, length, body, rtf)) return 0;
    int before = TextLengthOf(editor);
    CHARRANGE replace = {start, end};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&replace);
    int streamed = StreamRtf(editor, rtf, SF_RTF | SFF_SELECTION);
    int added = TextLengthOf(editor) - before;
    if (added == length - (end - start)) {
        AIString got;
        WCHAR* buffer = got.GetBuffer(length + 1);
        TEXTRANGEW range = {{start, start + length}, buffer};
        got.SetLength((int)SendMessageW(editor, EM_GETTEXTRANGE, 0, (LPARAM)&range));
        if (streamed && got.GetLength() == length && memcmp(buffer, text, (size_t)length * sizeof(WCHAR)) == 0) return 1;
    }
    // The stream was one undo step: taken back, the paragraph is as it was.
    if (added != 0 || TextLengthOf(editor) != before) SendMessageW(editor, EM_UNDO, 0, 0);
    return 0;
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

void ReplaceParagraphInRuns(AITextDocument* doc, HWND editor, int start, int end, const WCHAR* text, int length)
{
    if (!editor || StreamParagraphInRuns(editor, start, end, text, length)) return;
    AIString plain;
    plain.AssignTextN(text, length);
    CHARRANGE replace = {start, end};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&replace);
    SendMessageW(editor, EM_REPLACESEL, TRUE, (LPARAM)plain.GetText());
    if (doc) doc->SetUndoRecording(0);
    FormatParagraphRuns(editor, start, text, length);
    if (doc) doc->SetUndoRecording(1);
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

int SetEditorTextInRuns(HWND editor, const WCHAR* text, int length)
{
    if (!editor) return 0;
    AIString wanted;
    LayoutEditorForm(text, length, wanted);
    CHARFORMAT2W body;
    ReadBodyFormat(editor, &body);
    AIString rtf;
    int done = 0;
    if (BuildLayoutRtf(text, length, body, rtf)) {
        int streamed = StreamRtf(editor, rtf, SF_RTF);
        // The text is what counts: anything the stream did not carry exactly
        // is set again the plain way.
        AIString got;
        ReadEditorText(editor, got);
        done = streamed && got.EqualsString(wanted);
    }
    if (!done) done = SetTextAndFormatRuns(editor, wanted);
    // A text just set is unchanged, as after WM_SETTEXT.
    SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
    return done;
}
