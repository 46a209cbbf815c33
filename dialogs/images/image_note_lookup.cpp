// Finding the note that links a picture.
#include "dialogs/images/image_note_lookup.h"
#include "editor/images/image_names.h"
#include "foundation/ai_string_table.h"
#include "notestore/datafile_format.h"

namespace {

enum {
    kWebDomainMaxChars = 10,   // of the name between "www" and "com"
    kWebPathMaxChars = 3,      // of the name after "com"
    kWebAddressHits = 10,      // addresses compared at most
    kWebAddressMaxChars = 400, // of the text from a hit to its "]"
};

// Position of needle in text[from, length) ignoring letter case, or -1.
int FindFolded(const WCHAR* text, int length, const WCHAR* needle, int from = 0)
{
    int n = TextLength(needle);
    if (n == 0 || n > length) return -1;
    WCHAR first = FoldChar(needle[0]);
    for (int i = from; i + n <= length; i++) {
        if (FoldChar(text[i]) != first) continue;
        int k = 1;
        while (k < n && FoldChar(text[i + k]) == FoldChar(needle[k])) k++;
        if (k == n) return i;
    }
    return -1;
}

// The title of the note whose text holds position hit; 1 when one was found.
int TitleOfNoteAt(const WCHAR* text, int length, int hit, AIString& title)
{
    int mark = hit;
    while (mark >= 0 && text[mark] != kNoteMark) mark--;
    if (mark < 0) return 0;
    int start = mark + 1, end = start;
    while (end < length && end - start < kImageNoteTitleMaxChars && text[end] != L'\r') end++;
    AIString stored;
    stored.AssignTextN(text + start, end - start);
    ShownTitleForm(stored.GetText(), title);
    return title.IsEmpty() ? 0 : 1;
}

// A picture captured from a web page is named after the page's address with
// its punctuation dropped ("wwwexamplecomnews" for www.example.com/news).
// The address is looked for in the form it was written ("www.example.com/new")
// and each one found is named again to compare. The position of the
// matching address, or -1.
int FindWebAddressOfName(const WCHAR* text, int length, const AIString& stem)
{
    if (!stem.StartsWithNoCase(L"www")) return -1;
    AIString rest(stem.GetText() + 3);
    int com = rest.FindText(L"com");
    if (com < 1 || com > kWebDomainMaxChars) return -1;
    AIString needle(L"www.");
    needle.AppendText(AIString().AssignTextN(rest.GetText(), com).GetText());
    needle.AppendText(L".com/");
    needle.AppendText(AIString().AssignTextN(rest.GetText() + com + 3, kWebPathMaxChars).GetText());
    AIString address, name;
    int from = 0;
    for (int hits = 0; hits < kWebAddressHits; hits++) {
        int hit = FindFolded(text, length, needle.GetText(), from);
        if (hit < 0) break;
        int end = hit;
        while (end < length && end - hit < kWebAddressMaxChars && text[end] != L']' && text[end] != L'\r') end++;
        address.AssignTextN(text + hit, end - hit);
        MakeNameFromUrl(address.GetText(), name, kUrlNameForFile);
        if (name.EqualsTextNoCase(stem.GetText())) return hit;
        from = hit + 1;
    }
    return -1;
}

}  // namespace

int FindNoteOfImageFile(const WCHAR* datafileText, int length, const WCHAR* fileName,
                        const AIStringTable* webCaptures, AIString& title)
{
    title.Clear();
    if (!fileName || !*fileName) return 0;
    AIString stem(fileName);
    stem.SplitAtChar(L'.', 0, 1);
    if (datafileText) {
        int hit = FindFolded(datafileText, length, fileName);
        if (hit < 0) hit = FindWebAddressOfName(datafileText, length, stem);
        if (hit >= 0 && TitleOfNoteAt(datafileText, length, hit, title)) return 1;
    }
    if (!webCaptures) return 0;
    webCaptures->GetValueOfKeyString(stem.GetText(), title);
    return title.IsEmpty() ? 0 : 1;
}

int ImageLinkLabelOf(const WCHAR* noteText, int length, const WCHAR* fileName, AIString& label)
{
    label.Clear();
    if (!noteText || !fileName || !*fileName) return 0;
    // Only the link block at the note's end holds links.
    int block = -1;
    for (int i = 0; i + 1 < length; i++)
        if (noteText[i] == L'{' && noteText[i + 1] == L'{') block = i;
    if (block < 0) return 0;
    for (int hit = FindFolded(noteText, length, fileName, block); hit >= 0;
         hit = FindFolded(noteText, length, fileName, hit + 1)) {
        int start = hit;
        while (start > 0 && noteText[start - 1] != L'\n' && noteText[start - 1] != L'[') start--;
        int colon = start;
        while (colon < hit && noteText[colon] != L':') colon++;
        if (colon == hit || colon == start) continue;
        label.AssignTextN(noteText + start, colon - start);
        return 1;
    }
    return 0;
}
