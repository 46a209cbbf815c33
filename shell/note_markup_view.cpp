#include "shell/note_markup_view.h"
#include "ui/link_marks.h"
#include <richedit.h>

enum { kBodyPoints = 11 };

int HeadingLevelOfLine(const WCHAR* text, int length)
{
    int hashes = 0;
    while (hashes < 3 && hashes < length && text[hashes] == L'#') hashes++;
    if (hashes == 0 || hashes >= length || text[hashes] != L' ') return 0;
    return hashes;
}

static void FormatRange(HWND editor, int start, int end, int level)
{
    static const int kPoints[] = {kBodyPoints, 18, 15, 13};
    static const BYTE kMarks[] = {0, (BYTE)HeadingMarkLarge, (BYTE)HeadingMarkAverage, (BYTE)HeadingMarkSmall};
    CHARFORMAT2W format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_BOLD | CFM_SIZE | CFM_UNDERLINETYPE | CFM_COLOR;
    format.dwEffects = level ? CFE_BOLD : 0;
    format.yHeight = kPoints[level] * 20;
    format.bUnderlineType = kMarks[level];
    format.crTextColor = level ? RGB(30, 80, 160) : RGB(20, 20, 20);
    CHARRANGE range = {start, end};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&range);
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
}

void ApplyNoteMarkupFormatting(HWND editor, int line)
{
    if (!editor) return;
    CHARRANGE kept;
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&kept);
    int first = line, last = line;
    if (line < 0) {
        // Plain format for the whole text first, then only the heading lines.
        CHARFORMAT2W plain = {};
        plain.cbSize = sizeof plain;
        plain.dwMask = CFM_BOLD | CFM_SIZE | CFM_UNDERLINETYPE | CFM_COLOR | CFM_FACE;
        plain.yHeight = kBodyPoints * 20;
        plain.crTextColor = RGB(20, 20, 20);
        lstrcpynW(plain.szFaceName, L"Liberation Sans", LF_FACESIZE);
        SendMessageW(editor, EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&plain);
        first = 0;
        last = (int)SendMessageW(editor, EM_GETLINECOUNT, 0, 0) - 1;
    }
    for (int i = first; i <= last; i++) {
        int start = (int)SendMessageW(editor, EM_LINEINDEX, i, 0);
        if (start < 0) break;
        WCHAR head[5] = {};
        TEXTRANGEW range = {{start, start + 4}, head};
        int got = (int)SendMessageW(editor, EM_GETTEXTRANGE, 0, (LPARAM)&range);
        int level = HeadingLevelOfLine(head, got);
        if (!level && line < 0) continue;
        int length = (int)SendMessageW(editor, EM_LINELENGTH, start, 0);
        FormatRange(editor, start, start + length, level);
    }
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&kept);
}
