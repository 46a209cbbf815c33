// The merge rule for one note and the title of the other side's copy.
#include "notestore/note_merge.h"
#include "notestore/datafile_format.h"
#include "notestore/note_store.h"

namespace {

const WCHAR kOtherCopySuffix[] = L"_(other_copy";   // then ")" or "_<n>)"
const int32_t kMaxOtherCopyNumber = 99;

}  // namespace

int32_t SameNoteVersion(const NoteVersion& a, const NoteVersion& b)
{
    if (!a.text || !b.text) return !a.text && !b.text;
    if (a.len != b.len) return 0;
    for (int32_t i = 0; i < a.len; i++)
        if (a.text[i] != b.text[i]) return 0;
    return 1;
}

NoteMergeAction DecideNoteMerge(const NoteVersion& base, const NoteVersion& here, int32_t hereChanged,
                                const NoteVersion& outside)
{
    if (!hereChanged) return kMergeTakeOutside;
    if (SameNoteVersion(base, outside)) return here.text ? kMergeKeepHere : kMergeDropDeletedHere;
    // Both sides changed the note.
    if (!here.text) return kMergeTakeOutside;
    if (!outside.text || SameNoteVersion(here, outside)) return kMergeKeepHere;
    return kMergeKeepBoth;
}

int32_t MakeOtherCopyTitle(const WCHAR* title, TitleTakenFn isTaken, void* context, AIString& out)
{
    out.Clear();
    int32_t titleLen = TextLength(title);
    if (titleLen <= 0) return 0;
    AIString ending;
    for (int32_t n = 1; n <= kMaxOtherCopyNumber; n++) {
        ending.AssignText(kOtherCopySuffix);
        if (n > 1) ending.AppendChar(L'_').AppendInt(n);
        ending.AppendChar(L')');
        // The title is cut to make room, never inside a surrogate pair, and
        // loses the blanks ("_") it would end with.
        int32_t keep = kMaxTitleChars - ending.GetLength();
        if (keep > titleLen) keep = titleLen;
        if (keep > 0 && IS_HIGH_SURROGATE(title[keep - 1])) keep--;
        int32_t trimmed = keep;
        while (trimmed > 0 && title[trimmed - 1] == L'_') trimmed--;
        if (trimmed > 0) keep = trimmed;
        out.AssignTextN(title, keep).AppendString(ending);
        if (!IsValidStoredTitle(out.GetText(), out.GetLength())) return 0;
        if (!isTaken || !isTaken(out.GetText(), context)) return 1;
    }
    out.Clear();
    return 0;
}
