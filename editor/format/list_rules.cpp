// Enter, Tab and Shift+Tab in list lines, and Enter around inline formatting.
#include "editor/format/list_rules.h"
#include "editor/format/markup_toggle.h"
#include "editor/note_link_scan.h"

namespace {

const WCHAR kBullet = 0x2022;
const int32_t kMaxNumberDigits = 4;
// The last number a numbered list reaches: the next would not read as one.
const int32_t kLastListNumber = 9999;
const int32_t kMarkerChars = 2;  // "**", "//", "--"

int IsBreak(WCHAR ch) { return ch == L'\r' || ch == L'\n'; }
int IsBulletChar(WCHAR ch) { return ch == L'-' || ch == L'*' || ch == kBullet; }

// The marker form of a list line as the next item writes it (a number counts on).
void NextMarkerForm(const WCHAR* line, const ListMarker& marker, AIString& out)
{
    out.Clear();
    for (int32_t i = 0; i < marker.tabs; i++) out.AppendChar(L'\t');
    if (marker.number <= 0) {
        out.AppendTextN(line + marker.start, marker.length);
        return;
    }
    if (line[marker.start] == L' ') out.AppendChar(L' ');
    int32_t p = marker.start;
    while (line[p] < L'0' || line[p] > L'9') p++;
    while (line[p] >= L'0' && line[p] <= L'9') p++;
    out.AppendInt(marker.number + 1);
    out.AppendChar(line[p]);
    out.AppendChar(L' ');
}

// The inline runs of the caret's line that hold the caret, outer first.
struct CaretRuns {
    int32_t count;
    int32_t start[3], end[3];
    WCHAR marker[3];
};

void FindCaretRuns(const WCHAR* text, int32_t lineStart, int32_t lineEnd, int32_t caret, CaretRuns* out)
{
    static const int32_t kKinds[3] = {RunBold, RunItalic, RunStrike};
    out->count = 0;
    NoteRunList runs;
    InitRunList(runs);
    FindInlineEffects(text + lineStart, lineEnd - lineStart, runs);
    for (int32_t i = 0; i < runs.count && out->count < 3; i++) {
        int32_t s = lineStart + runs.items[i].start, e = lineStart + runs.items[i].end;
        if (caret < s || caret > e || e <= s) continue;
        for (int m = 0; m < 3; m++)
            if (runs.items[i].kind == kKinds[m]) out->marker[out->count] = MarkupMarker((MarkupEffect)m)[0];
        out->start[out->count] = s;
        out->end[out->count] = e;
        out->count++;
    }
    FreeRunList(runs);
    // Outer first: the earlier start holds the later one.
    for (int32_t i = 1; i < out->count; i++)
        for (int32_t j = i; j > 0 && out->start[j] < out->start[j - 1]; j--) {
            int32_t s = out->start[j], e = out->end[j];
            WCHAR m = out->marker[j];
            out->start[j] = out->start[j - 1];
            out->end[j] = out->end[j - 1];
            out->marker[j] = out->marker[j - 1];
            out->start[j - 1] = s;
            out->end[j - 1] = e;
            out->marker[j - 1] = m;
        }
}

int32_t CountBreaks(const WCHAR* text, int32_t from, int32_t to)
{
    int32_t n = 0;
    for (int32_t i = from; i < to; i++)
        if (IsBreak(text[i])) n++;
    return n;
}

void SetEdit(TextEdit* edit, int32_t start, int32_t end, int32_t caret, int32_t selEnd)
{
    edit->start = start;
    edit->end = end;
    edit->caret = caret;
    edit->selEnd = selEnd;
}

IndentAction IndentBlock(const WCHAR* text, int32_t len, int32_t s, int32_t e, int outdent, TextEdit* edit)
{
    if (CountBreaks(text, s, e - 1) > kMaxBlockLines) return kIndentTooManyLines;
    if (CountBreaks(text, s, e - 1) == 0) {
        if (!outdent && (e >= len || !IsBreak(text[e]))) return kIndentPassOn;
        if (outdent && s > 0 && !IsBreak(text[s - 1])) return kIndentPassOn;
    }
    int32_t start = ParagraphStart(text, s);
    AIString& out = edit->text;
    out.Clear();
    int32_t changed = 0;
    int lineStart = 1;
    for (int32_t i = start; i < e; i++) {
        if (lineStart) {
            if (!outdent && !(IsBreak(text[i]) && i == e - 1)) {
                out.AppendChar(L'\t');
                changed++;
            } else if (outdent && text[i] == L'\t') {
                changed++;
                lineStart = 0;
                continue;
            }
        }
        out.AppendChar(text[i]);
        lineStart = IsBreak(text[i]);
    }
    if (!changed) return kIndentNothing;
    SetEdit(edit, start, e, start, start + out.GetLength());
    return kIndentReplace;
}

}  // namespace

int ParseListMarker(const WCHAR* line, int32_t len, ListMarker* marker)
{
    int32_t p = 0;
    while (p < len && line[p] == L'\t') p++;
    marker->tabs = p;
    marker->start = p;
    marker->number = 0;
    if (p < len && line[p] == L' ') p++;
    if (p >= len) return 0;
    if (IsBulletChar(line[p])) {
        p++;
    } else {
        int32_t digits = 0, number = 0;
        while (p < len && line[p] >= L'0' && line[p] <= L'9' && digits < kMaxNumberDigits) {
            number = number * 10 + (line[p] - L'0');
            p++;
            digits++;
        }
        if (digits == 0 || p >= len || (line[p] != L'.' && line[p] != L')')) return 0;
        p++;
        marker->number = number;
    }
    if (p >= len || line[p] != L' ') return 0;
    marker->length = p + 1 - marker->start;
    return 1;
}

int32_t FindBulletStar(const WCHAR* before, int32_t count, int atTextStart)
{
    if (!before || count < 1 || before[count - 1] != L'*') return -1;
    int32_t star = count - 1;
    int32_t at = star;
    if (at > 0 && before[at - 1] == L' ') at--;
    // The "*" (and the blank before it) must begin its line.
    if (at == 0 ? atTextStart : before[at - 1] == L'\r') return star;
    return -1;
}

int32_t ParagraphStart(const WCHAR* text, int32_t position)
{
    int32_t p = position;
    while (p > 0 && !IsBreak(text[p - 1])) p--;
    return p;
}

int32_t ParagraphEnd(const WCHAR* text, int32_t len, int32_t position)
{
    int32_t p = position;
    while (p < len && !IsBreak(text[p])) p++;
    return p;
}

EnterAction DecideEnter(const WCHAR* text, int32_t len, int32_t selStart, int32_t selEnd, TextEdit* edit)
{
    if (!text || selStart < 0 || selEnd > len || selEnd < selStart) return kEnterPassOn;
    if (selEnd > selStart) return kEnterNothing;
    int32_t caret = selStart;
    int32_t lineStart = ParagraphStart(text, caret);
    int32_t lineEnd = ParagraphEnd(text, len, caret);
    ListMarker marker;
    int isItem = ParseListMarker(text + lineStart, lineEnd - lineStart, &marker) &&
                 caret >= lineStart + marker.start + marker.length;
    // Past the last number Enter goes on as plain text.
    if (isItem && marker.number >= kLastListNumber) isItem = 0;
    edit->text.Clear();
    if (isItem && caret == lineStart + marker.start + marker.length && caret == lineEnd) {
        // An empty item ends the list: its marker goes, the line stays empty.
        SetEdit(edit, lineStart, lineEnd, lineStart, lineStart);
        return kEnterReplace;
    }
    // A caret at the inner edge of a run breaks outside its markers.
    CaretRuns runs;
    FindCaretRuns(text, lineStart, lineEnd, caret, &runs);
    int32_t at = caret;
    for (int32_t i = runs.count - 1; i >= 0; i--) {
        if (at == runs.end[i])
            at += kMarkerChars;
        else if (at == runs.start[i])
            at -= kMarkerChars;
    }
    AIString closers, openers;
    for (int32_t i = 0; i < runs.count; i++) {
        if (at <= runs.start[i] || at >= runs.end[i]) continue;
        WCHAR pair[3] = {runs.marker[i], runs.marker[i], 0};
        openers.AppendText(pair);
        AIString inner(pair);
        inner.AppendString(closers);
        closers.Copy(inner);
    }
    if (!isItem && at == caret && closers.IsEmpty()) return kEnterPassOn;
    edit->text.AppendString(closers).AppendChar(L'\r');
    if (isItem) {
        AIString form;
        NextMarkerForm(text + lineStart, marker, form);
        edit->text.AppendString(form);
    }
    edit->text.AppendString(openers);
    SetEdit(edit, at, at, at + edit->text.GetLength(), at + edit->text.GetLength());
    return kEnterReplace;
}

IndentAction DecideIndent(const WCHAR* text, int32_t len, int32_t selStart, int32_t selEnd, int outdent,
                          TextEdit* edit)
{
    if (!text || selStart < 0 || selEnd > len || selEnd < selStart) return kIndentPassOn;
    if (selEnd > selStart) return IndentBlock(text, len, selStart, selEnd, outdent, edit);
    int32_t caret = selStart;
    int32_t lineStart = ParagraphStart(text, caret);
    int32_t lineEnd = ParagraphEnd(text, len, caret);
    ListMarker marker;
    int afterMarker = ParseListMarker(text + lineStart, lineEnd - lineStart, &marker) &&
                      caret == lineStart + marker.start + marker.length;
    edit->text.Clear();
    if (!outdent) {
        if (!afterMarker) return kIndentPassOn;
        edit->text.AssignText(L"\t");
        int32_t at = lineStart + marker.tabs;
        SetEdit(edit, at, at, caret + 1, caret + 1);
        return kIndentReplace;
    }
    if (afterMarker) {
        if (marker.tabs == 0) return kIndentNothing;
        int32_t at = lineStart + marker.tabs - 1;
        SetEdit(edit, at, at + 1, caret - 1, caret - 1);
        return kIndentReplace;
    }
    if (caret == lineStart) {
        if (caret >= len || text[caret] != L'\t') return kIndentNothing;
        SetEdit(edit, caret, caret + 1, caret, caret);
        return kIndentReplace;
    }
    if (text[caret - 1] != L'\t') return kIndentNothing;
    SetEdit(edit, caret - 1, caret, caret - 1, caret - 1);
    return kIndentReplace;
}

int32_t HeadingLevelAt(const WCHAR* text, int32_t len, int32_t lineStart)
{
    if (!IsHeadingLineAt(text, len, lineStart)) return 0;
    int32_t level = 0;
    while (text[lineStart + level] == L'#') level++;
    return level;
}

int32_t FindHeadingLine(const WCHAR* text, int32_t len, int32_t from, int32_t to, int32_t level)
{
    int32_t line = ParagraphStart(text, from);
    if (line < from) line = ParagraphEnd(text, len, from) + 1;
    for (; line < to && line < len; line = ParagraphEnd(text, len, line) + 1) {
        int32_t found = HeadingLevelAt(text, len, line);
        if (found && (level == 0 || found == level)) return line;
    }
    return -1;
}
