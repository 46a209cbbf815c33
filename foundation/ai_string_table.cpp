#include "foundation/ai_string_table.h"
#include "foundation/ai_file.h"
#include "foundation/errors.h"
#include "foundation/result_flag.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include <algorithm>
#include "foundation/process_end.h"

namespace {

int KeyLengthOf(const WCHAR* item, int length)
{
    for (int i = 0; i < length; i++)
        if (item[i] == L':') return i;
    return length;
}

// Ordinal comparison of two keys, folded to lower case when fold is set.
int CompareKeys(const WCHAR* a, int aLength, const WCHAR* b, int bLength, int fold)
{
    int n = aLength < bLength ? aLength : bLength;
    for (int i = 0; i < n; i++) {
        WCHAR x = a[i], y = b[i];
        if (fold) { x = FoldChar(x); y = FoldChar(y); }
        if (x != y) return x < y ? -1 : 1;
    }
    return aLength == bLength ? 0 : (aLength < bLength ? -1 : 1);
}

// Counts for every table together, so that no two states of any tables share one.
uint32_t g_lastChangeCount = 0;

}  // namespace

AIStringTable::AIStringTable(int caseSensitive)
    : sorted_(0), indexCapacity_(0), stale_(0), caseSensitive_(caseSensitive ? 1 : 0), cursor_(0),
      changeCount_(++g_lastChangeCount)
{
}

void AIStringTable::NoteChange() { changeCount_ = ++g_lastChangeCount; }

AIStringTable::~AIStringTable()
{
    if (IsProcessEnding()) return;
    if (sorted_) LocalFree(sorted_);
}

void AIStringTable::SetCaseSensitive(int on)
{
    caseSensitive_ = on ? 1 : 0;
    stale_ = 1;
    NoteChange();
}

int AIStringTable::EnsureIndexCapacity(int count) const
{
    if (count <= indexCapacity_) return 1;
    int want = indexCapacity_ ? indexCapacity_ : 16;
    while (want < count) want *= 2;
    for (;;) {
        int* block = (int*)LocalAlloc(LPTR, (SIZE_T)want * sizeof(int));
        if (block) {
            if (sorted_) {
                memcpy(block, sorted_, (size_t)indexCapacity_ * sizeof(int));
                LocalFree(sorted_);
            }
            sorted_ = block;
            indexCapacity_ = want;
            return 1;
        }
        if (!AskRetryAllocation()) return 0;
    }
}

int AIStringTable::SortIndex() const
{
    if (!stale_) return 1;
    TRACE_SCOPE(kTraceStrings, 60);
    int n = list_.GetCount();
    if (!EnsureIndexCapacity(n)) return 0;  // capacity is normally reserved when items are added
    for (int i = 0; i < n; i++) sorted_[i] = i;
    const AIStringList& list = list_;
    int fold = !caseSensitive_;
    auto before = [&list, fold](int a, int b) {
        const WCHAR* x = list.ItemStart(a);
        const WCHAR* y = list.ItemStart(b);
        int c = CompareKeys(x, KeyLengthOf(x, list.ItemLength(a)), y, KeyLengthOf(y, list.ItemLength(b)), fold);
        return c != 0 ? c < 0 : a < b;
    };
    // Items added in key order (a data file's index) need no sort.
    int inOrder = 1;
    for (int i = 1; i < n && inOrder; i++) inOrder = before(i - 1, i);
    if (!inOrder) std::sort(sorted_, sorted_ + n, before);
    stale_ = 0;
    return 1;
}

int AIStringTable::CompareKeyToItem(const WCHAR* key, int keyLength, int item, int foldCase) const
{
    const WCHAR* text = list_.ItemStart(item);
    return CompareKeys(key, keyLength, text, KeyLengthOf(text, list_.ItemLength(item)), foldCase);
}

// First sorted position whose key is not below key (by the table's order).
int AIStringTable::LowerBound(const WCHAR* key, int keyLength, int foldCase) const
{
    int low = 0, high = list_.GetCount();
    while (low < high) {
        int mid = low + (high - low) / 2;
        if (CompareKeyToItem(key, keyLength, sorted_[mid], foldCase) > 0) low = mid + 1;
        else high = mid;
    }
    return low;
}

int AIStringTable::FindKey(const WCHAR* key) const
{
    return caseSensitive_ ? IndexOfKeyStringExact(key) : IndexOfKeyString(key);
}

int AIStringTable::IndexOfKeyStringExact(const WCHAR* key) const
{
    SortIndex();
    int n = TextLength(key), count = list_.GetCount();
    int fold = !caseSensitive_;
    // Keys equal ignoring case lie together; look for the exact spelling among them.
    for (int at = LowerBound(key, n, fold); at < count; at++) {
        if (CompareKeyToItem(key, n, sorted_[at], fold) != 0) break;
        if (CompareKeyToItem(key, n, sorted_[at], 0) == 0) { ResultFlag = 1; return at; }
    }
    ResultFlag = 0;
    return -1;
}

int AIStringTable::IndexOfKeyString(const WCHAR* key) const
{
    SortIndex();
    int n = TextLength(key), count = list_.GetCount();
    if (!caseSensitive_) {
        int at = LowerBound(key, n, 1);
        if (at < count && CompareKeyToItem(key, n, sorted_[at], 1) == 0) { ResultFlag = 1; return at; }
    } else {
        // Ordinal order does not keep case variants together.
        for (int at = 0; at < count; at++)
            if (CompareKeyToItem(key, n, sorted_[at], 1) == 0) { ResultFlag = 1; return at; }
    }
    ResultFlag = 0;
    return -1;
}

const WCHAR* AIStringTable::ItemAtSorted(int position, int* length, int* keyLength) const
{
    SortIndex();
    if (position < 0 || position >= list_.GetCount()) {
        if (length) *length = 0;
        if (keyLength) *keyLength = 0;
        return 0;
    }
    int item = sorted_[position];
    const WCHAR* text = list_.ItemStart(item);
    int n = list_.ItemLength(item);
    if (length) *length = n;
    if (keyLength) *keyLength = KeyLengthOf(text, n);
    return text;
}

int AIStringTable::GetKeyAt(int position, AIString& out) const
{
    int length, keyLength;
    const WCHAR* text = ItemAtSorted(position, &length, &keyLength);
    out.AssignTextN(text, keyLength);
    return out.GetLength();
}

int AIStringTable::GetValueAt(int position, AIString& out) const
{
    int length, keyLength;
    const WCHAR* text = ItemAtSorted(position, &length, &keyLength);
    if (!text || keyLength >= length) { out.Clear(); return 0; }
    out.AssignTextN(text + keyLength + 1, length - keyLength - 1);
    return out.GetLength();
}

int AIStringTable::GetItemAtSorted(int position, AIString& out) const
{
    int length;
    const WCHAR* text = ItemAtSorted(position, &length, 0);
    out.AssignTextN(text, length);
    return out.GetLength();
}

int AIStringTable::GetValueOfKeyString(const WCHAR* key, AIString& out) const
{
    int at = FindKey(key);
    if (at < 0) { out.Clear(); return 0; }
    GetValueAt(at, out);
    ResultFlag = 1;
    return out.GetLength();
}

int AIStringTable::AddItemString(const WCHAR* key, const WCHAR* value, int keepSorted)
{
    TRACE_SCOPE(kTraceStrings, 61);
    int count = list_.GetCount();
    if (!EnsureIndexCapacity(count + 1)) return -1;
    AIString item;
    item.AppendText(key).AppendChar(L':').AppendText(value);
    int added = list_.AddString(item.GetText());
    if (added < 0) return -1;
    NoteChange();
    if (!keepSorted || stale_) {
        stale_ = 1;
        if (!keepSorted) return added;
        SortIndex();
        for (int at = 0; at <= added; at++)
            if (sorted_[at] == added) return at;
        return -1;
    }
    // Equal keys keep insertion order: the new item goes after all of them.
    int n = TextLength(key), fold = !caseSensitive_;
    int low = 0, high = count;
    while (low < high) {
        int mid = low + (high - low) / 2;
        if (CompareKeyToItem(key, n, sorted_[mid], fold) >= 0) low = mid + 1;
        else high = mid;
    }
    memmove(sorted_ + low + 1, sorted_ + low, (size_t)(count - low) * sizeof(int));
    sorted_[low] = added;
    return low;
}

int AIStringTable::SetKeyValueString(const WCHAR* key, const WCHAR* value)
{
    int at = FindKey(key);
    if (at < 0) return AddItemString(key, value, 1);
    AIString item;
    item.AppendText(key).AppendChar(L':').AppendText(value);
    // Same key by the table's rule: the sorted position does not change.
    NoteChange();
    if (!list_.SetItemText(sorted_[at], item.GetText())) return -1;
    ResultFlag = 1;
    return at;
}

void AIStringTable::Renumber(int removedItem)
{
    int n = list_.GetCount();  // already one less
    for (int i = 0; i < n; i++)
        if (sorted_[i] > removedItem) sorted_[i]--;
}

int AIStringTable::RemoveAtSorted(int position)
{
    SortIndex();
    int count = list_.GetCount();
    if (position < 0 || position >= count) { ResultFlag = 0; return 0; }
    int item = sorted_[position];
    NoteChange();
    if (!list_.RemoveItem(item)) return 0;
    memmove(sorted_ + position, sorted_ + position + 1, (size_t)(count - position - 1) * sizeof(int));
    Renumber(item);
    if (cursor_ > position) cursor_--;
    return 1;
}

int AIStringTable::RemoveKeyString(const WCHAR* key)
{
    int at = FindKey(key);
    if (at < 0) return 0;
    return RemoveAtSorted(at);
}

void AIStringTable::Clear()
{
    NoteChange();
    list_.Clear();
    stale_ = 0;
    cursor_ = 0;
}

int AIStringTable::HasNext()
{
    if (cursor_ < list_.GetCount()) return 1;
    cursor_ = 0;
    return 0;
}

int AIStringTable::Next(AIString& item)
{
    if (cursor_ >= list_.GetCount()) { item.Clear(); return -1; }
    GetItemAtSorted(cursor_, item);
    return cursor_++;
}

// Takes the list as parsed, leaves out empty items and sorts.
int AIStringTable::Rebuild()
{
    TRACE_SCOPE(kTraceStrings, 62);
    int n = list_.GetCount();
    int empty = 0;
    for (int i = 0; i < n; i++)
        if (list_.ItemLength(i) == 0) empty++;
    if (empty) {
        AIString kept;
        if (!kept.Reserve(list_.GetJoined().GetLength())) return 0;
        for (int i = 0; i < n; i++)
            if (list_.ItemLength(i))
                kept.AppendTextN(list_.ItemStart(i), list_.ItemLength(i)).AppendChar(AIStringList::kSeparator);
        list_.AssignJoined(kept.GetText());
    }
    cursor_ = 0;
    stale_ = 1;
    if (!EnsureIndexCapacity(list_.GetCount())) { list_.Clear(); stale_ = 0; return 0; }
    return SortIndex();
}

int AIStringTable::AssignJoined(const WCHAR* joined)
{
    NoteChange();
    if (!list_.AssignJoined(joined)) { list_.Clear(); stale_ = 0; return 0; }
    return Rebuild();
}

int AIStringTable::AssignSplit(AIString& joined, const int* starts, int count)
{
    NoteChange();
    if (!list_.AssignSplit(joined, starts, count)) { list_.Clear(); stale_ = 0; return 0; }
    return Rebuild();
}

int AIStringTable::AssignSplitInKeyOrder(AIString& joined, const int* starts, int count)
{
    NoteChange();
    if (!list_.AssignSplit(joined, starts, count) || !EnsureIndexCapacity(count)) {
        list_.Clear();
        stale_ = 0;
        return 0;
    }
    for (int i = 0; i < count; i++) sorted_[i] = i;
    cursor_ = 0;
    stale_ = 0;
    return 1;
}

int AIStringTable::AssignString(const WCHAR* text)
{
    TRACE_SCOPE(kTraceStrings, 63);
    int n = TextLength(text);
    AIString joined;
    WCHAR* out = joined.GetBuffer(n);
    if (!out) return 0;
    int w = 0, colonSeen = 0, skipBlanks = 0;
    for (int i = 0; i < n; i++) {
        WCHAR c = text[i];
        if (c == L'\t' || c == L'\n' || c == L'\v') continue;
        if (skipBlanks && c == L' ') continue;
        skipBlanks = 0;
        if (c == L':') colonSeen = 1;
        if (c == L',') {
            out[w++] = AIStringList::kSeparator;
            skipBlanks = colonSeen;
            continue;
        }
        out[w++] = c;
    }
    joined.SetLength(w);
    return AssignJoined(joined.GetText());
}

int AIStringTable::LoadFromFile(const WCHAR* path)
{
    TRACE_SCOPE(kTraceStrings, 64);
    if (!AIFile::Exists(path)) {
        // A table whose file does not exist yet is saved there later.
        fileName_.AssignText(path);
        ResultFlag = 0;
        return 0;
    }
    AIFile file;
    AIString text;
    if (!file.OpenForRead(path) || !file.ReadToText(text)) {
        ResultFlag = 0;  // the table stays as it was and is not tied to that file
        return 0;
    }
    file.Close();
    if (!AssignJoined(text.GetText())) { ResultFlag = 0; return 0; }
    fileName_.AssignText(path);
    ResultFlag = 1;
    return 1;
}

int AIStringTable::SaveToFile(const WCHAR* path)
{
    TRACE_SCOPE(kTraceStrings, 65);
    const AIString& joined = list_.GetJoined();
    int ok = AIFile::WriteUtf16File(path, joined.GetText(), joined.GetLength());
    if (ok && path != fileName_.GetText()) fileName_.AssignText(path);
    ResultFlag = ok ? 1 : 0;
    return ResultFlag;
}

int AIStringTable::SaveIfNamed()
{
    if (fileName_.IsEmpty()) { ResultFlag = 0; return 0; }
    AIString path(fileName_);
    return SaveToFile(path.GetText());
}
