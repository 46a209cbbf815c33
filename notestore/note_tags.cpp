// The tag tables: at most 50 tag names and, per tag, at most 50 titles of
// the notes that carry it.
#include "notestore/note_store_internal.h"
#include "foundation/ai_string_table.h"

void ClearTags()
{
    NoteStore& s = g_noteStore;
    s.tagNames->Clear();
    for (int i = 0; i < kMaxTags; i++) s.tagNotes[i]->Clear();
}

int32_t GetTagCount() { return g_noteStore.tagNames->GetCount(); }

int32_t FindTag(const WCHAR* name)
{
    if (!name || !*name) return -1;
    return g_noteStore.tagNames->FindItemString(name, 1);
}

int32_t AddTag(const WCHAR* name)
{
    NoteStore& s = g_noteStore;
    int32_t at = FindTag(name);
    if (at >= 0) return at;
    // A name that would split the list or a note's text is no tag.
    for (const WCHAR* p = name; p && *p; p++)
        if (*p == kNoteMark || *p == L'[' || *p == L']' || *p == 0x00BD || *p <= L' ') return -1;
    if (!name || !*name || TextLength(name) > kMaxTitleChars || s.tagNames->GetCount() >= kMaxTags) return -1;
    at = s.tagNames->AddString(name);
    if (at >= 0) s.tagNotes[at]->Clear();
    return at;
}

int32_t AddTitleToTag(int32_t tagIndex, const WCHAR* title)
{
    NoteStore& s = g_noteStore;
    if (tagIndex < 0 || tagIndex >= s.tagNames->GetCount() || !title || !*title) return 0;
    AIStringList* notes = s.tagNotes[tagIndex];
    if (notes->FindItemString(title, 1) >= 0) return 1;
    if (notes->GetCount() >= kMaxNotesPerTag) return 0;
    return notes->AddString(title) >= 0;
}

int32_t RemoveTag(int32_t tagIndex)
{
    NoteStore& s = g_noteStore;
    int32_t count = s.tagNames->GetCount();
    if (tagIndex < 0 || tagIndex >= count) return 0;
    // The per-tag lists follow the names: move the later ones down.
    for (int32_t i = tagIndex; i + 1 < count; i++) s.tagNotes[i]->CopyFrom(*s.tagNotes[i + 1]);
    s.tagNotes[count - 1]->Clear();
    return s.tagNames->RemoveItem(tagIndex);
}

namespace {

// Registers the tags of one note's record (from its mark to its end).
void CollectTags(const WCHAR* record, int32_t length, int32_t titleLen)
{
    AIString name, title;
    int32_t body = FindBodyStart(record, length);
    int32_t bodyEnd = body + FindLinkBlock(record + body, length - body);
    int32_t pos = body, start = 0, nameLen = 0;
    while (NextTagInText(record, bodyEnd, &pos, &start, &nameLen)) {
        name.AssignTextN(record + start, nameLen);
        int32_t tag = AddTag(name.GetText());
        if (tag < 0) continue;
        if (title.IsEmpty()) title.AssignTextN(record + 1, titleLen);
        AddTitleToTag(tag, title.GetText());
    }
}

}  // namespace

void RebuildTagsFromBuffer()
{
    NoteStore& s = g_noteStore;
    ClearTags();
    const NoteSpanArray& spans = g_storeBuffer.spans;
    AIString title, record;
    for (int32_t i = 0; i < spans.count; i++) {
        int32_t mark = spans.items[i].mark;
        title.AssignTextN(s.buffer + mark + 1, spans.items[i].titleLen);
        int32_t value = IndexValueAt(IndexPositionOf(title.GetText()));
        if (value != mark) continue;   // its current text lives in its mirror
        CollectTags(s.buffer + mark, RecordEndAt(mark) - mark, spans.items[i].titleLen);
    }
    for (int i = 0; i < s.mirrorNotes->GetCount(); i++) {
        s.mirrorNotes->GetItemTextMode(i, title, 1);
        if (ReadMirrorRecord(title.GetText(), record))
            CollectTags(record.GetText(), record.GetLength(), title.GetLength());
    }
}
