// The editor operations of a rich-edit AIControl: words, link runs, font
// sizes, the saved view and loading rich text. Positions count a paragraph
// end once (EM_EXGETSEL's measure).
#include "ui/ai_control.h"
#include "ui/editor_selection.h"
#include "ui/link_marks.h"

namespace {
// Our own word breaks: EM_FINDWORDBREAK is a stub on the platform's RichEdit.
int IsWordSeparator(WCHAR ch) { return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n'; }

int ClampToText(int position, int length)
{
    if (position < 0) return 0;
    return position > length ? length : position;
}
}  // namespace

int32_t AIControl::GetWordAt(int position, CHARRANGE* range, AIString* text, int limit, int flags)
{
    (void)flags;
    range->cpMin = range->cpMax = position;
    text->Clear();
    AITextDocument* doc = GetDocument();
    if (!doc || limit <= 0) return 0;
    int length = doc->GetTextLength();
    if (position < 0 || position > length) return 0;

    // The text around the position, enough for any word of the limit.
    int windowStart = ClampToText(position - limit, length);
    int windowEnd = ClampToText(position + limit + 1, length);
    AIString around;
    doc->GetRangeText(windowStart, windowEnd, &around);
    windowEnd = windowStart + around.GetLength();
    auto charAt = [&](int p) -> WCHAR { return around.CharAt(p - windowStart); };

    // The word holding the character at the position, else the one ending there.
    int anchor = -1;
    if (position < windowEnd && !IsWordSeparator(charAt(position))) anchor = position;
    else if (position > windowStart && !IsWordSeparator(charAt(position - 1))) anchor = position - 1;
    if (anchor < 0) return 0;

    int start = anchor, end = anchor + 1;
    int32_t mark = doc->GetRangeUnderline(anchor, anchor + 1);
    if (mark == TomUndefined) mark = 0;
    if (IsLinkMark(mark)) {
        // A link's label may hold blanks: the word is the whole run of its mark.
        // Room for one run per character, so a row of short links cannot fill
        // the table before the run at the position.
        int room = windowEnd - windowStart;
        MarkRun* runs = (MarkRun*)LocalAlloc(LMEM_FIXED, (SIZE_T)room * sizeof(MarkRun));
        int count = runs ? doc->ScanMarks(windowStart, windowEnd, runs, room) : 0;
        for (int i = 0; i < count; i++) {
            if (runs[i].start <= anchor && anchor < runs[i].end) {
                start = runs[i].start;
                end = runs[i].end;
                break;
            }
        }
        if (runs) LocalFree(runs);
        if (end - start > limit) {
            if (anchor - start >= limit) start = anchor - limit + 1;
            end = start + limit;
        }
    } else {
        while (start > windowStart && anchor - (start - 1) < limit && !IsWordSeparator(charAt(start - 1))) start--;
        while (end < windowEnd && end - start < limit && !IsWordSeparator(charAt(end))) end++;
        if (start != anchor) {
            mark = doc->GetRangeUnderline(start, start + 1);
            if (mark == TomUndefined) mark = 0;
        }
    }
    range->cpMin = start;
    range->cpMax = end;
    text->AssignTextN(around.GetText() + (start - windowStart), end - start);
    return mark;
}

int AIControl::FormatRange(int start, int end, int mode, int32_t mark, COLORREF colour)
{
    AITextDocument* doc = GetDocument();
    if (!doc) return 0;
    int length = doc->GetTextLength();
    start = ClampToText(start, length);
    end = ClampToText(end, length);
    if (end < start) end = start;
    CHARFORMAT2W format;
    ZeroMemory(&format, sizeof(format));
    format.cbSize = sizeof(format);
    if (mode == 1) {
        if (end - start > 200) end = start + 200;
        if (mark == HyperlinkMark && end - start >= 2 && doc->GetCharAt(start) == L'[' &&
            doc->GetCharAt(end - 1) == L']') {
            // The brackets of a typed "[label]" are not part of the link.
            CHARRANGE selection;
            POINT scroll;
            SendMessageW(hwnd_, EM_EXGETSEL, 0, (LPARAM)&selection);
            SendMessageW(hwnd_, EM_GETSCROLLPOS, 0, (LPARAM)&scroll);
            doc->SetRangeText(end - 1, end, L"");
            doc->SetRangeText(start, start + 1, L"");
            LONG* ends[2] = {&selection.cpMin, &selection.cpMax};
            for (LONG* p : ends) {
                if (*p >= end) *p -= 2;
                else if (*p > start) *p -= 1;
            }
            end -= 2;
            SendMessageW(hwnd_, EM_EXSETSEL, 0, (LPARAM)&selection);
            SendMessageW(hwnd_, EM_SETSCROLLPOS, 0, (LPARAM)&scroll);
        }
        format.dwMask = CFM_UNDERLINE | CFM_PROTECTED | CFM_BOLD | CFM_LINK | CFM_UNDERLINETYPE | CFM_COLOR;
        format.dwEffects = CFE_UNDERLINE | CFE_PROTECTED;
        format.bUnderlineType = (BYTE)mark;
        format.crTextColor = colour != (COLORREF)-1 ? colour : (COLORREF)LinkMarkColour(mark, colourByKind_);
    } else {
        format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_LINK |
                        CFM_UNDERLINETYPE | CFM_COLOR | CFM_SIZE | CFM_BACKCOLOR;
        format.dwEffects = CFE_AUTOBACKCOLOR;
        format.bUnderlineType = CFU_UNDERLINENONE;
        format.crTextColor = RGB(1, 1, 1);
        format.yHeight = fontSize_ * 20;
    }
    if (end > start) {
        QuietSelection quiet(hwnd_, 1);
        WriteRangeFormat(hwnd_, start, end, format);
    }
    return end;
}

int AIControl::FormatRangeDefault(int start, int end) { return FormatRange(start, end, 1, NoteLinkMark); }

int AIControl::ApplyRangeFormat(int start, int end, int mode) { return FormatRange(start, end, mode, NoteLinkMark); }

int AIControl::ChangeRangeFontSize(int start, int end, int points, int useDefault)
{
    AITextDocument* doc = GetDocument();
    if (!doc) return 0;
    return doc->SetRangeFontSize(start, end, useDefault ? fontSize_ : points);
}

int AIControl::SaveEditorView(int keep)
{
    AITextDocument* doc = GetDocument();
    if (!doc) return 0;
    int length = doc->GetTextLength();
    if (keep) {
        SendMessageW(hwnd_, EM_GETSCROLLPOS, 0, (LPARAM)&savedView_.scroll);
        SendMessageW(hwnd_, EM_EXGETSEL, 0, (LPARAM)&savedView_.selection);
        savedView_.length = length;
    }
    return length;
}

void AIControl::RestoreEditorView()
{
    if (!hwnd_ || kind_ != ControlRichEdit) return;
    SendMessageW(hwnd_, EM_EXSETSEL, 0, (LPARAM)&savedView_.selection);
    SendMessageW(hwnd_, EM_SETSCROLLPOS, 0, (LPARAM)&savedView_.scroll);
}

namespace {
DWORD CALLBACK ReadFileChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got)
{
    DWORD read = 0;
    if (!ReadFile((HANDLE)cookie, buffer, (DWORD)wanted, &read, 0)) return 1;
    *got = (LONG)read;
    return 0;
}
}  // namespace

int AIControl::LoadFileIntoEditor(const WCHAR* path)
{
    if (!hwnd_ || kind_ != ControlRichEdit || !path) return 0;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) return 0;
    EDITSTREAM stream;
    stream.dwCookie = (DWORD_PTR)file;
    stream.dwError = 0;
    stream.pfnCallback = ReadFileChunk;
    SendMessageW(hwnd_, EM_STREAMIN, SF_RTF, (LPARAM)&stream);
    CloseHandle(file);
    return stream.dwError == 0 ? 1 : 0;
}
