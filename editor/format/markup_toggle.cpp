// Bold, italic and strike-through written as mark-up.
#include "editor/format/markup_toggle.h"
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
