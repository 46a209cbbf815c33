// Bold, italic and strike-through written as mark-up.
#include "editor/format/markup_toggle.h"
#include "editor/format/list_rules.h"
#include "editor/note_link_scan.h"

namespace {

int IsBreak(WCHAR ch) { return ch == L'\r' || ch == L'\n'; }
int IsBlankOrBreak(WCHAR ch) { return ch == L' ' || ch == L'\t' || IsBreak(ch); }

int HasMarkerAt(const WCHAR* text, int32_t len, int32_t at, const WCHAR* marker)
{
    return at >= 0 && at + 1 < len && text[at] == marker[0] && text[at + 1] == marker[1];
}

// The effect's run (inner start and end) that holds [s, e), found as the
// text's own scan finds it; 0 when none does.
int FindRunAround(const WCHAR* text, int32_t len, int32_t s, int32_t e, MarkupEffect effect, int32_t* runStart,
                  int32_t* runEnd)
{
    static const int32_t kKinds[3] = {RunBold, RunItalic, RunStrike};
    int32_t lineStart = s, lineEnd = e;
    while (lineStart > 0 && !IsBreak(text[lineStart - 1])) lineStart--;
    while (lineEnd < len && !IsBreak(text[lineEnd])) lineEnd++;
    NoteRunList runs;
    InitRunList(runs);
    FindInlineEffects(text + lineStart, lineEnd - lineStart, runs);
    int found = 0;
    for (int32_t i = 0; i < runs.count && !found; i++) {
        const NoteRun& run = runs.items[i];
        if (run.kind != kKinds[effect]) continue;
        if (lineStart + run.start <= s && e <= lineStart + run.end) {
            *runStart = lineStart + run.start;
            *runEnd = lineStart + run.end;
            found = 1;
        }
    }
    FreeRunList(runs);
    return found;
}

}  // namespace

const WCHAR* MarkupMarker(MarkupEffect effect)
{
    static const WCHAR* const kMarkers[3] = {L"**", L"//", L"--"};
    return kMarkers[effect < 0 || effect > 2 ? 0 : effect];
}

int IsInsideMarkup(const WCHAR* text, int32_t len, int32_t selStart, int32_t selEnd, MarkupEffect effect)
{
    int32_t a, b;
    return FindRunAround(text, len, selStart, selEnd, effect, &a, &b);
}

int ToggleMarkup(const WCHAR* text, int32_t len, int32_t selStart, int32_t selEnd, MarkupEffect effect,
                 MarkupEdit* edit)
{
    if (!text || selStart < 0 || selEnd > len || selEnd < selStart) return 0;
    const WCHAR* marker = MarkupMarker(effect);
    int32_t s = selStart, e = selEnd;
    // Inside a run already: the run's markers go, the text stays selected.
    int32_t runStart, runEnd;
    if (FindRunAround(text, len, s, e, effect, &runStart, &runEnd)) {
        edit->start = runStart - 2;
        edit->end = runEnd + 2;
        edit->text.AssignTextN(text + runStart, runEnd - runStart);
        edit->selStart = s - 2;
        edit->selEnd = e - 2;
        return 1;
    }
    if (s == e) {
        while (s > 0 && !IsBlankOrBreak(text[s - 1])) s--;
        while (e < len && !IsBlankOrBreak(text[e])) e++;
    }
    while (s < e && IsBlankOrBreak(text[s])) s++;
    while (e > s && IsBlankOrBreak(text[e - 1])) e--;
    if (s == e) return 0;
    for (int32_t i = s; i < e; i++)
        if (IsBreak(text[i])) return 0;
    // The selection holds its own markers: they go.
    if (e - s > 4 && HasMarkerAt(text, len, s, marker) && HasMarkerAt(text, len, e - 2, marker)) {
        edit->start = s;
        edit->end = e;
        edit->text.AssignTextN(text + s + 2, e - s - 4);
        edit->selStart = s;
        edit->selEnd = e - 4;
        return 1;
    }
    edit->start = s;
    edit->end = e;
    edit->text.AssignText(marker);
    edit->text.AppendTextN(text + s, e - s);
    edit->text.AppendText(marker);
    edit->selStart = s + 2;
    edit->selEnd = e + 2;
    return 1;
}

namespace {

const int32_t kMarkerLength = 2;
const int32_t kMaxStrikeParts = kMaxBlockLines + 1;

// One line's part of a strike: [start, end) as it stands, and when struck the
// inner run with its markers just outside.
struct StrikePart {
    int32_t start, end;
    int32_t struck;
    int32_t runStart, runEnd;
};

void FindStrikeState(const WCHAR* text, int32_t len, StrikePart& part)
{
    part.struck = FindRunAround(text, len, part.start, part.end, kMarkupStrike, &part.runStart, &part.runEnd);
    if (part.struck || part.end - part.start <= 2 * kMarkerLength) return;
    const WCHAR* marker = MarkupMarker(kMarkupStrike);
    if (!HasMarkerAt(text, len, part.start, marker) || !HasMarkerAt(text, len, part.end - kMarkerLength, marker))
        return;
    int32_t a, b;
    if (FindRunAround(text, len, part.start + kMarkerLength, part.end - kMarkerLength, kMarkupStrike, &a, &b) &&
        a == part.start + kMarkerLength && b == part.end - kMarkerLength) {
        part.struck = 1;
        part.runStart = a;
        part.runEnd = b;
    }
}

// One change of the text: `remove` characters at `at` replaced by `insert`.
struct Change {
    int32_t at, remove;
    const WCHAR* insert;
};

int32_t MovedPosition(const Change* changes, int32_t count, int32_t p, int includeAt)
{
    int32_t moved = p;
    for (int32_t i = 0; i < count; i++)
        if (changes[i].at < p || (includeAt && changes[i].at == p))
            moved += lstrlenW(changes[i].insert) - changes[i].remove;
    return moved;
}

}  // namespace

int ToggleStrikeLines(const WCHAR* text, int32_t len, int32_t selStart, int32_t selEnd, MarkupEdit* edit)
{
    if (!text || selStart < 0 || selEnd > len || selEnd < selStart) return 0;
    int whole = selStart == selEnd;
    StrikePart parts[kMaxStrikeParts];
    int32_t count = 0;
    int32_t line = ParagraphStart(text, selStart);
    while (line <= len && count < kMaxStrikeParts) {
        int32_t lineEnd = ParagraphEnd(text, len, line);
        StrikePart part;
        part.start = whole || selStart < line ? line : selStart;
        part.end = whole || selEnd > lineEnd ? lineEnd : selEnd;
        ListMarker marker;
        if (part.start == line && ParseListMarker(text + line, lineEnd - line, &marker))
            part.start = line + marker.start + marker.length;
        while (part.start < part.end && (text[part.start] == L'\t' || text[part.start] == L' ')) part.start++;
        while (part.end > part.start && (text[part.end - 1] == L'\t' || text[part.end - 1] == L' ')) part.end--;
        // Markers glued to a word strike nothing: the part takes whole words.
        while (part.end > part.start && part.start > line && IsCharAlphaNumericW(text[part.start - 1])) part.start--;
        while (part.end > part.start && part.end < lineEnd && IsCharAlphaNumericW(text[part.end])) part.end++;
        if (part.end > part.start) {
            FindStrikeState(text, len, part);
            parts[count++] = part;
        }
        if (whole || lineEnd >= selEnd || lineEnd >= len) break;
        line = lineEnd + 1;
    }
    if (count == 0) return 0;
    int allStruck = 1;
    for (int32_t i = 0; i < count; i++) allStruck &= parts[i].struck;
    const WCHAR* marker = MarkupMarker(kMarkupStrike);
    Change changes[2 * kMaxStrikeParts];
    int32_t changeCount = 0;
    for (int32_t i = 0; i < count; i++) {
        if (allStruck) {
            changes[changeCount++] = {parts[i].runStart - kMarkerLength, kMarkerLength, L""};
            changes[changeCount++] = {parts[i].runEnd, kMarkerLength, L""};
        } else if (!parts[i].struck) {
            changes[changeCount++] = {parts[i].start, 0, marker};
            changes[changeCount++] = {parts[i].end, 0, marker};
        }
    }
    edit->start = changes[0].at;
    edit->end = changes[changeCount - 1].at + changes[changeCount - 1].remove;
    edit->text.Clear();
    int32_t p = edit->start;
    for (int32_t i = 0; i < changeCount; i++) {
        edit->text.AppendTextN(text + p, changes[i].at - p);
        edit->text.AppendText(changes[i].insert);
        p = changes[i].at + changes[i].remove;
    }
    if (whole) {
        edit->selStart = edit->selEnd = MovedPosition(changes, changeCount, selStart, 0);
    } else {
        // The selection covers the parts with their markers: a second toggle takes them back.
        int32_t first = parts[0].start < selStart ? parts[0].start : selStart;
        int32_t last = parts[count - 1].end > selEnd ? parts[count - 1].end : selEnd;
        edit->selStart = MovedPosition(changes, changeCount, first, 0);
        edit->selEnd = MovedPosition(changes, changeCount, last, 1);
    }
    return 1;
}

int32_t CaretOutOfEffect(const WCHAR* text, int32_t len, int32_t caret, MarkupEffect effect)
{
    int32_t runStart, runEnd;
    if (!text || caret < 0 || caret > len) return -1;
    if (!FindRunAround(text, len, caret, caret, effect, &runStart, &runEnd)) return -1;
    if (caret == runEnd) return runEnd + kMarkerLength;
    if (caret == runStart) return runStart - kMarkerLength;
    return -1;
}

int RangeHoldsTag(const WCHAR* text, int32_t len, int32_t start, int32_t end)
{
    if (!text || start < 0 || end > len || end <= start) return 0;
    int32_t from = ParagraphStart(text, start);
    int32_t to = ParagraphEnd(text, len, end);
    NoteRunList runs;
    InitRunList(runs);
    FindTags(text + from, to - from, runs);
    int holds = 0;
    for (int32_t i = 0; i < runs.count && !holds; i++)
        holds = from + runs.items[i].start < end && from + runs.items[i].end > start;
    FreeRunList(runs);
    return holds;
}
