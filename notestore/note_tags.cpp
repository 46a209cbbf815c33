// The tag tables: at most 50 tag names and, per tag, at most 50 titles of
// the notes that carry it.
#include "notestore/note_store_internal.h"
#include "foundation/ai_string_table.h"
#include <algorithm>

uint32_t FoldedTitleHash(const WCHAR* text, int32_t len)
{
    uint32_t h = 0x811c9dc5u;
    for (int32_t i = 0; i < len; i++) {
        h ^= FoldChar(text[i]);
        h *= 16777619u;
    }
    return h;
}

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

// Collecting the tags of a whole file meets the same few names thousands of
// times: names are matched by a hash first, and each note is added to a tag
// at most once.
struct TagCollector {
    uint32_t hashes[kMaxTags];
    int32_t lastNote[kMaxTags];
    int32_t note;
};

int32_t FindCollectedTag(TagCollector& c, const WCHAR* name, int32_t len)
{
    NoteStore& s = g_noteStore;
    uint32_t h = FoldedTitleHash(name, len);
    int32_t count = s.tagNames->GetCount();
    for (int32_t i = 0; i < count; i++) {
        if (c.hashes[i] != h || s.tagNames->ItemLength(i) != len) continue;
        if (CompareTitles(s.tagNames->ItemStart(i), len, name, len) == 0) return i;
    }
    if (count >= kMaxTags) return -1;
    AIString text;
    text.AssignTextN(name, len);
    int32_t at = AddTag(text.GetText());
    if (at >= 0 && at < kMaxTags) {
        c.hashes[at] = h;
        c.lastNote[at] = -1;
    }
    return at;
}

// Registers the tags of one note's record (from its mark to its end).
void CollectTags(TagCollector& c, const WCHAR* record, int32_t length, int32_t titleLen)
{
    NoteStore& s = g_noteStore;
    AIString title;
    int32_t body = FindBodyStart(record, length);
    // Where the link block starts is looked for only in a note with a tag:
    // a name never runs into the block (a line end stops it), so a tag
    // found in the whole record counts when it starts before the block.
    int32_t bodyEnd = -1;
    int32_t pos = body, start = 0, nameLen = 0;
    c.note++;
    while (NextTagInText(record, length, &pos, &start, &nameLen)) {
        if (bodyEnd < 0) bodyEnd = body + FindLinkBlock(record + body, length - body);
        if (start >= bodyEnd) break;
        int32_t tag = FindCollectedTag(c, record + start, nameLen);
        if (tag < 0 || c.lastNote[tag] == c.note) continue;
        c.lastNote[tag] = c.note;
        if (s.tagNotes[tag]->GetCount() >= kMaxNotesPerTag) continue;
        if (title.IsEmpty()) title.AssignTextN(record + 1, titleLen);
        s.tagNotes[tag]->AddString(title.GetText());
    }
}

}  // namespace

void RebuildTagsFromBuffer()
{
    NoteStore& s = g_noteStore;
    ClearTags();
    TagCollector collector;
    collector.note = 0;
    // Notes whose current text lives in their mirrors are read from there,
    // not from the buffer.
    AIString title, record;
    int32_t mirrors = s.mirrorNotes->GetCount();
    int32_t* skipped = (int32_t*)LocalAlloc(LMEM_FIXED, (SIZE_T)(mirrors + 1) * sizeof(int32_t));
    int32_t skippedCount = 0;
    for (int i = 0; i < mirrors; i++) {
        s.mirrorNotes->GetItemTextMode(i, title, 1);
        int32_t value = IndexValueAt(IndexPositionOf(title.GetText()));
        if (skipped && value < 0 && value > kIndexDeletedLimit) skipped[skippedCount++] = -value;
        if (ReadMirrorRecord(title.GetText(), record))
            CollectTags(collector, record.GetText(), record.GetLength(), title.GetLength());
    }
    if (skipped) std::sort(skipped, skipped + skippedCount);
    const NoteSpanArray& spans = g_storeBuffer.spans;
    for (int32_t i = 0; i < spans.count; i++) {
        int32_t mark = spans.items[i].mark;
        int32_t end = i + 1 < spans.count ? spans.items[i + 1].mark : s.bufferChars;
        if (!skipped || !std::binary_search(skipped, skipped + skippedCount, mark))
            CollectTags(collector, s.buffer + mark, end - mark, spans.items[i].titleLen);
    }
    if (skipped) LocalFree(skipped);
}
