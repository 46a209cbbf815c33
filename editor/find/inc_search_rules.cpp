#include "editor/find/inc_search_rules.h"
#include <string.h>
#include "foundation/text_markup.h"

namespace {

inline WCHAR Fold(WCHAR ch, int caseSensitive) { return caseSensitive ? ch : FoldChar(ch); }

}  // namespace

int32_t FindTextMatches(const WCHAR* text, int32_t length, const WCHAR* pattern, int32_t patternLength,
                        int caseSensitive, int32_t* positions, int32_t max)
{
    if (!text || !pattern || patternLength <= 0 || length < patternLength || max <= 0) return 0;
    WCHAR folded[kIncSearchBoxLimit + 1];
    if (patternLength > kIncSearchBoxLimit) patternLength = kIncSearchBoxLimit;
    for (int32_t i = 0; i < patternLength; i++) folded[i] = Fold(pattern[i], caseSensitive);
    const WCHAR first = folded[0];
    int32_t count = 0;
    const int32_t lastStart = length - patternLength;
    for (int32_t at = 0; at <= lastStart && count < max; at++) {
        if (Fold(text[at], caseSensitive) != first) continue;
        int32_t k = 1;
        while (k < patternLength && Fold(text[at + k], caseSensitive) == folded[k]) k++;
        if (k == patternLength) positions[count++] = at;
    }
    return count;
}

int32_t FirstMatchAtOrAfter(const int32_t* positions, int32_t count, int32_t position)
{
    for (int32_t i = 0; i < count; i++)
        if (positions[i] >= position) return i;
    return count;
}

int32_t ChooseMatchIndex(int32_t count, int32_t current, int32_t* step, int wrap)
{
    if (count <= 0) return -1;
    int32_t last = count - 1;
    if (current < 0) current = 0;
    if (current > count) current = count;
    int32_t index;
    if (*step >= kIncStepFarLimit) index = last;
    else if (*step <= -kIncStepFarLimit) index = 0;
    else {
        int64_t wanted = (int64_t)current + *step;
        if (wanted > last) index = wrap ? 0 : last;
        else if (wanted < 0) index = wrap ? last : 0;
        else index = (int32_t)wanted;
    }
    *step = index - (current > last ? last : current);
    if (*step >= kIncStepFarLimit || *step <= -kIncStepFarLimit) *step = 0;
    return index;
}

StatusLevel ComposeIncSearchStatus(const IncSearchReport& report, AIString& out)
{
    out.Clear();
    if (report.tooShort) {
        out.AssignText(L"<vlblue>Incremental search:</vlblue> Minimum 2 characters");
        return kStatusDone;
    }
    AIString text;
    TextMarkup::Escape(report.text ? report.text : L"", text);
    if (report.count <= 0) {
        out.AssignText(L"Found no matches for '").AppendString(text).AppendText(L"'");
        return kStatusWarning;
    }
    if (report.count >= kIncSearchMaxMatches) {
        out.AssignText(L"More than 100 matches for '").AppendString(text).AppendText(L"'");
        return kStatusWarning;
    }
    out.AssignText(L"Found <lgreen>").AppendInt(report.count).AppendText(L"</lgreen>");
    out.AppendText(report.count == 1 ? L" match for '" : L" matches for '");
    out.AppendText(L"<vlblue>").AppendString(text).AppendText(L"</vlblue>'");
    if (report.count >= 2) {
        out.AppendText(L"  (").AppendInt(report.selected);
        if (report.fromF3)
            out.AppendText(L".match selected)    -   use <lred>Shift+F3 / F3</lred> to go to previous/next match");
        else if (report.caseSensitive)
            out.AppendText(L".match selected)  -  Case-sensitivity <lgreen>ON</lgreen>");
        else
            out.AppendText(L".match selected)  -  use <lred>arrow up/down</lred> to go to previous/next match, and "
                           L"<lred>Enter</lred> to select");
    } else if (report.caseSensitive) {
        out.AppendText(L"  (Case-sensitivity <lgreen>ON</lgreen>)");
    }
    return kStatusDone;
}

void CleanIncSearchText(const WCHAR* text, int32_t length, AIString& out)
{
    out.Clear();
    for (int32_t i = 0; text && i < length && out.GetLength() < kIncSearchBoxLimit; i++) {
        WCHAR ch = text[i];
        if (ch == L'\r' || ch == L'\n' || ch == L'\t') continue;
        out.AppendChar(ch);
    }
}

void MarkMatchCells(uint8_t* cells, int32_t length, const int32_t* positions, int32_t count, int32_t matchLength)
{
    if (length <= 0) return;
    memset(cells, kIncCellPlain, (size_t)length);
    for (int32_t i = 0; i < count; i++) {
        int32_t start = positions[i] < 0 ? 0 : positions[i];
        int32_t end = positions[i] + matchLength;
        if (end > length) end = length;
        if (start < end) memset(cells + start, kIncCellMatch, (size_t)(end - start));
    }
}

int32_t PlanColourRuns(const uint8_t* shown, const uint8_t* wanted, int32_t from, int32_t to, IncColourRun* runs,
                       int32_t max)
{
    int32_t n = 0;
    int32_t at = from < 0 ? 0 : from;
    while (at < to && n < max) {
        if (shown[at] == wanted[at]) {
            at++;
            continue;
        }
        IncColourRun run = {at, at + 1, wanted[at]};
        while (run.end < to && shown[run.end] != wanted[run.end] && wanted[run.end] == run.cell) run.end++;
        runs[n++] = run;
        at = run.end;
    }
    return n;
}
