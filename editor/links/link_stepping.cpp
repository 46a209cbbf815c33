// Link stepping: the runs of the editor's text read a window at a time, the
// first (last) web or note link run found in them, and the picture links
// offered to the image preview one after another.
#include "editor/links/link_stepping.h"
#include "editor/keys/editor_links.h"
#include "editor/keys/editor_state.h"
#include "editor/links/link_context.h"
#include "editor/links/link_describe.h"
#include "foundation/ai_string.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/link_marks.h"

namespace {

// Characters read per scan: never more runs than characters.
const int32_t kStepWindowChars = 2048;

int IsSteppingMark(int32_t mark, SteppingMarks marks) { return mark == marks.web || mark == marks.note; }

SteppingMarks EditorMarks()
{
    SteppingMarks marks = {HyperlinkMark, NoteLinkMark};
    return marks;
}

// The start of the next link run at or after from; -1 at the end of the text.
int32_t NextRunStart(AITextDocument* doc, int32_t from, MarkRun* runs)
{
    int32_t total = doc->GetTextLength();
    int32_t minStart = from;
    // One character before: a run that holds from shows that it began earlier.
    int32_t low = from > 0 ? from - 1 : 0;
    while (low < total) {
        int32_t high = low + kStepWindowChars < total ? low + kStepWindowChars : total;
        int count = doc->ScanMarks(low, high, runs, kStepWindowChars);
        int index = SteppedRunIndex(runs, count, minStart, 1, EditorMarks());
        if (index >= 0) return runs[index].start;
        // The next window overlaps by one so that a run going on shows as begun.
        minStart = high;
        low = high - 1;
        if (high >= total) break;
    }
    return -1;
}

// The last character of the last link run ending at or before from; -1 at the start.
int32_t PreviousRunLast(AITextDocument* doc, int32_t from, MarkRun* runs)
{
    int32_t total = doc->GetTextLength();
    // One character after: a run that holds from shows that it goes on.
    int32_t high = from < total ? from + 1 : total;
    int32_t maxEnd = from;
    while (high > 0) {
        int32_t low = high > kStepWindowChars ? high - kStepWindowChars : 0;
        int count = doc->ScanMarks(low, high, runs, kStepWindowChars);
        int index = SteppedRunIndex(runs, count, maxEnd, -1, EditorMarks());
        if (index >= 0) return runs[index].end - 1;
        if (low == 0) break;
        // The next window overlaps by one so that a run going on shows as unfinished.
        maxEnd = low;
        high = low + 1;
    }
    return -1;
}

int32_t StepLink(AIControl* editor, CHARRANGE* range, int forward, int select)
{
    AITextDocument* doc = editor ? editor->GetDocument() : nullptr;
    if (!doc || !range) return 0;
    MarkRun* runs = (MarkRun*)LocalAlloc(LMEM_FIXED, sizeof(MarkRun) * kStepWindowChars);
    if (!runs) return 0;
    int32_t at = forward ? NextRunStart(doc, range->cpMax, runs) : PreviousRunLast(doc, range->cpMin, runs);
    LocalFree(runs);
    int32_t start = 0, end = 0, mark = 0;
    if (at < 0 || !LinkRunAt(editor, at, &start, &end, &mark) || !IsSteppingMark(mark, EditorMarks())) return 0;
    range->cpMin = start;
    range->cpMax = end;
    if (select) SendMessageW(editor->GetHwnd(), EM_EXSETSEL, 0, (LPARAM)range);
    return mark;
}

}  // namespace

int SteppedRunIndex(const MarkRun* runs, int count, int32_t limit, int direction, SteppingMarks marks)
{
    if (!runs) return -1;
    if (direction > 0) {
        for (int i = 0; i < count; i++)
            if (runs[i].end > runs[i].start && runs[i].start >= limit && IsSteppingMark(runs[i].mark, marks))
                return i;
        return -1;
    }
    for (int i = count - 1; i >= 0; i--)
        if (runs[i].end > runs[i].start && runs[i].end <= limit && IsSteppingMark(runs[i].mark, marks)) return i;
    return -1;
}

int PictureShown() { return g_editorShell.isImageShown && g_editorShell.isImageShown(); }

int32_t FindNextLink(AIControl* editor, CHARRANGE* range) { return StepLink(editor, range, 1, 1); }

int32_t FindPreviousLink(AIControl* editor, CHARRANGE* range) { return StepLink(editor, range, 0, 1); }

int LinkRunTarget(AIControl* editor, int32_t start, int32_t end, int32_t mark, AIString& target)
{
    if (mark == TagMark) return 0;
    AIString label;
    if (ReadHyperlinkRun(editor, start, end, label, target) && mark == HyperlinkMark) {
        TableTextToShown(target);
        return 1;
    }
    target.Copy(label);
    return 1;
}

int JumpToNextLinkOrImage(int forward)
{
    AIControl* editor = g_noteEditor.control;
    HWND window = editor ? editor->GetHwnd() : nullptr;
    if (!window) return 1;
    CHARRANGE earlier = {0, 0};
    SendMessageW(window, EM_EXGETSEL, 0, (LPARAM)&earlier);
    CHARRANGE range = earlier;
    // Each step lies strictly past the one before, so the walk ends at the text's end.
    for (;;) {
        int32_t mark = StepLink(editor, &range, forward, 0);
        if (!mark) break;
        if (mark != HyperlinkMark) continue;
        AIString target;
        if (!LinkRunTarget(editor, range.cpMin, range.cpMax, mark, target)) continue;
        if (g_editorShell.previewImage && g_editorShell.previewImage(target.GetText(), 0, kImageHoverPreview)) {
            SendMessageW(window, EM_EXSETSEL, 0, (LPARAM)&range);
            return 1;
        }
    }
    SendMessageW(window, EM_EXSETSEL, 0, (LPARAM)&earlier);
    return 1;
}
