// The note mark-up shown in the editor: headings by their marks, the body in
// its font.
#include "shell/note_markup_view.h"
#include "foundation/ai_string.h"
#include "ui/editor_selection.h"
#include "ui/link_marks.h"
#include <richedit.h>

namespace {
const int kDefaultBodyPoints = 11;
const int kMinBodyPoints = 6;
const int kHeadingPoints[] = {18, 15, 13};  // large, average, small
const COLORREF kBodyColour = RGB(20, 20, 20);
const COLORREF kHeadingColour = RGB(30, 80, 160);

// The body font the notes are shown in.
struct BodyFont {
    WCHAR face[LF_FACESIZE] = L"Liberation Sans";
    int points = kDefaultBodyPoints;
};
BodyFont s_body;

int IsParagraphEnd(WCHAR ch) { return ch == L'\r' || ch == L'\n'; }

// The format a paragraph of this heading level (0: body text) is shown in.
void ParagraphFormat(int level, CHARFORMAT2W* format)
{
    const int kPoints[] = {s_body.points, kHeadingPoints[0], kHeadingPoints[1], kHeadingPoints[2]};
    static const BYTE kMarks[] = {0, (BYTE)HeadingMarkLarge, (BYTE)HeadingMarkAverage, (BYTE)HeadingMarkSmall};
    ZeroMemory(format, sizeof(*format));
    format->cbSize = sizeof(*format);
    format->dwMask = CFM_BOLD | CFM_SIZE | CFM_UNDERLINETYPE | CFM_COLOR;
    format->dwEffects = level ? CFE_BOLD : 0;
    format->yHeight = kPoints[level] * 20;
    format->bUnderlineType = kMarks[level];
    format->crTextColor = level ? kHeadingColour : kBodyColour;
}

void FormatParagraph(HWND editor, int start, int end, int level)
{
    CHARFORMAT2W format;
    ParagraphFormat(level, &format);
    WriteRangeFormat(editor, start, end, format);
}

// The paragraph around `position` of the editor's text: its start and end.
void ParagraphAround(const AIString& text, int position, int* start, int* end)
{
    const WCHAR* t = text.GetText();
    int length = text.GetLength();
    if (position < 0) position = 0;
    if (position > length) position = length;
    *start = *end = position;
    while (*start > 0 && !IsParagraphEnd(t[*start - 1])) (*start)--;
    while (*end < length && !IsParagraphEnd(t[*end])) (*end)++;
}
}  // namespace

int HeadingLevelOfLine(const WCHAR* text, int length)
{
    int hashes = 0;
    while (hashes < 3 && hashes < length && text[hashes] == L'#') hashes++;
    if (hashes == 0 || hashes >= length || text[hashes] != L' ') return 0;
    return hashes;
}

int SetNoteBodyFont(const WCHAR* face, int points)
{
    if (face && face[0]) lstrcpynW(s_body.face, face, LF_FACESIZE);
    if (points > 0) {
        if (points < kMinBodyPoints) points = kMinBodyPoints;
        if (points >= NoteSmallestHeadingPoints()) points = NoteSmallestHeadingPoints() - 1;
        s_body.points = points;
    }
    return s_body.points;
}

int NoteBodyPoints() { return s_body.points; }
int NoteSmallestHeadingPoints() { return kHeadingPoints[2]; }

void SetNoteBodyFormat(HWND editor)
{
    if (!editor) return;
    CHARFORMAT2W plain = {};
    plain.cbSize = sizeof plain;
    plain.dwMask = CFM_BOLD | CFM_SIZE | CFM_UNDERLINETYPE | CFM_COLOR | CFM_FACE;
    plain.yHeight = s_body.points * 20;
    plain.crTextColor = kBodyColour;
    lstrcpynW(plain.szFaceName, s_body.face, LF_FACESIZE);
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&plain);
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&plain);
}

void FormatNoteHeadings(HWND editor)
{
    if (!editor) return;
    AIString text;
    ReadEditorText(editor, text);
    const WCHAR* t = text.GetText();
    int length = text.GetLength();
    QuietSelection quiet(editor, 1);
    for (int start = 0; start < length;) {
        int end = start;
        while (end < length && !IsParagraphEnd(t[end])) end++;
        int level = HeadingLevelOfLine(t + start, end - start);
        if (level) FormatParagraph(editor, start, end, level);
        start = end + 1;
    }
}

void FormatNoteParagraphAt(HWND editor, int position)
{
    if (!editor) return;
    AIString text;
    ReadEditorText(editor, text);
    int start, end;
    ParagraphAround(text, position, &start, &end);
    QuietSelection quiet(editor, 1);
    FormatParagraph(editor, start, end, HeadingLevelOfLine(text.GetText() + start, end - start));
}

int NoteParagraphFormatAt(HWND editor, int position, CHARFORMAT2W* format)
{
    int level = 0;
    if (editor) {
        AIString text;
        ReadEditorText(editor, text);
        int start, end;
        ParagraphAround(text, position, &start, &end);
        level = HeadingLevelOfLine(text.GetText() + start, end - start);
    }
    ParagraphFormat(level, format);
    return level;
}
