#include "search/quick/quick_rules.h"
#include "notestore/datafile_format.h"

namespace {

const WCHAR kDeletedMark[] = L" (Deleted)";
const int32_t kRowHeight = 30;
const int32_t kListBottomRoom = 50 + 30;
const int32_t kRowTitleChars = 25;

}  // namespace

void QuickLookupForm(const WCHAR* typed, AIString& out)
{
    AIString lower(typed ? typed : L"");
    lower.ToLowerCase();
    if (lower.EndsWithNoCase(kDeletedMark)) lower.SetLength(lower.GetLength() - TextLength(kDeletedMark));
    StoredTitleForm(lower.GetText(), out);
}

void QuickCompletionOf(const WCHAR* title, AIString& out)
{
    ShownTitleForm(title ? title : L"", out);
    out.ToLowerCase();
    out.Trim();
}

int32_t ClampNoteIndex(int32_t index, int32_t count)
{
    if (count <= 0) return -1;
    if (index < 0) return 0;
    return index >= count ? count - 1 : index;
}

void PageHitsUp(HitPaging& p)
{
    p.page = p.page > 0 ? p.page - 1 : 0;
    p.selected = p.page * p.rows + 1;
}

void PageHitsDown(HitPaging& p)
{
    if (p.rows < 1) p.rows = 1;
    if ((p.count - 1) / p.rows > p.page) {
        p.page++;
        p.selected = p.page * p.rows + 1;
    } else {
        p.selected = p.count;
    }
}

void StepHitsDown(HitPaging& p)
{
    if (p.rows < 1) p.rows = 1;
    p.page = p.selected / p.rows;
    if (p.selected < p.count) p.selected++;
    p.page = PageOfSelected(p.selected, p.rows);
}

void StepHitsUp(HitPaging& p)
{
    if (p.rows < 1) p.rows = 1;
    if (p.selected >= 2) {
        p.selected--;
        p.page = (p.selected - 1) / p.rows;
    }
}

int32_t RowsPerPage(int32_t panelHeight, int32_t listTop)
{
    int32_t rows = (panelHeight - kListBottomRoom - listTop) / kRowHeight;
    return rows < 1 ? 1 : rows;
}

int32_t PageOfSelected(int32_t selected, int32_t rows)
{
    if (rows < 1) rows = 1;
    return selected < 1 ? 0 : (selected - 1) / rows;
}

int64_t HitRelevance(int32_t score, int32_t keywordCount, int32_t bestScore)
{
    int64_t reference = (int64_t)keywordCount * 12000;
    if (bestScore > reference) reference = bestScore;
    if (reference <= 0) reference = 1;
    return (int64_t)score * 100 / reference;
}

int32_t RelevanceLevel(int64_t relevance)
{
    return relevance > 80 ? 3 : relevance > 60 ? 2 : relevance > 40 ? 1 : 0;
}

void HitListHeader(const HitPaging& p, AIString& out)
{
    int32_t rows = p.rows < 1 ? 1 : p.rows;
    int32_t last = (PageOfSelected(p.selected, rows) + 1) * rows;
    if (last > p.count) last = p.count;
    out.AssignText(L"SEARCH RESULTS (").AppendInt(p.selected).AppendText(L"-").AppendInt(last);
    out.AppendText(L" of ").AppendInt(p.count).AppendText(L")");
}

void HitRowTitle(const WCHAR* title, AIString& out)
{
    ShownTitleForm(title ? title : L"", out);
    if (out.GetLength() > kRowTitleChars) {
        out.SetLength(kRowTitleChars);
        out.AppendText(L"...");
    }
}

void QuickZoomStep(int32_t* numerator, int32_t* denominator, int direction)
{
    if (direction == 0 || *numerator <= 0 || *denominator <= 0) *numerator = *denominator = kQuickZoomNormal;
    if (direction < 0 && *numerator > kQuickZoomMin) *numerator -= kQuickZoomStep;
    if (direction > 0 && *numerator < kQuickZoomMax)
        *numerator = *numerator + kQuickZoomStep > kQuickZoomMax ? kQuickZoomMax : *numerator + kQuickZoomStep;
}

void QuickPreviewTipText(int32_t tipIndex, int unmatchedText, AIString& out)
{
    if (unmatchedText) {
        out.AssignText(L"No matching note..\r\n\r\nPress Enter to search in ALL notes.");
        return;
    }
    static const WCHAR* const kTips[kQuickTipCount] = {
        L"\r\n\r\nTip: Use Left arrow to reset QuickSearch",
        L"\r\n\r\nTip: Use Up/Down arrow to view previous/next note in list",
        L"\r\n\r\nTip: Use Escape to jump to the Editor (and back to Quicksearch again)",
        L"\r\n\r\nTip: Use Alt+Left arrow to go to the previously opened note",
    };
    int32_t tip = tipIndex % kQuickTipCount;
    if (tip < 0) tip += kQuickTipCount;
    out.AssignText(L"Search notes..\r\n\r\nThis area will show an instant preview as you search for notes.");
    out.AppendText(kTips[tip]);
}
