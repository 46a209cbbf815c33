// Finding the note that links a picture.
#include "dialogs/images/image_note_lookup.h"
#include "foundation/ai_string_table.h"
#include "notestore/datafile_format.h"

namespace {

// Position of needle in text[0, length) ignoring letter case, or -1.
int FindFolded(const WCHAR* text, int length, const WCHAR* needle)
{
    int n = TextLength(needle);
    if (n == 0 || n > length) return -1;
    WCHAR first = FoldChar(needle[0]);
    for (int i = 0; i + n <= length; i++) {
        if (FoldChar(text[i]) != first) continue;
        int k = 1;
        while (k < n && FoldChar(text[i + k]) == FoldChar(needle[k])) k++;
        if (k == n) return i;
    }
    return -1;
}

}  // namespace

int FindNoteOfImageFile(const WCHAR* datafileText, int length, const WCHAR* fileName,
                        const AIStringTable* webCaptures, AIString& title)
{
    title.Clear();
    if (!fileName || !*fileName) return 0;
    int hit = datafileText ? FindFolded(datafileText, length, fileName) : -1;
    if (hit >= 0) {
        int mark = hit;
        while (mark >= 0 && datafileText[mark] != kNoteMark) mark--;
        if (mark >= 0) {
            int start = mark + 1, end = start;
            while (end < length && end - start < kImageNoteTitleMaxChars && datafileText[end] != L'\r') end++;
            AIString stored;
            stored.AssignTextN(datafileText + start, end - start);
            ShownTitleForm(stored.GetText(), title);
            if (!title.IsEmpty()) return 1;
        }
    }
    if (!webCaptures) return 0;
    AIString name(fileName);
    name.SplitAtChar(L'.', 0, 1);
    webCaptures->GetValueOfKeyString(name.GetText(), title);
    return title.IsEmpty() ? 0 : 1;
}
