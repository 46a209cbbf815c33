// AIStringTable: a list whose items are a key, a colon and a value, with a
// sorted index over the keys and binary-search look-up. Keys compare lower-cased
// (the platform's case rules) unless the table is case-sensitive; equal keys
// keep their insertion order. Positions given to and returned by the look-up
// and access methods are positions in the sorted index.
//
// Large tables: add many items with AddItemString(key, value, 0), then call
// SortIndex once (O(n log n); linear when the items came in key order).
// Look-ups never allocate; they sort a stale index first.
#pragma once
#include "foundation/ai_string_list.h"

class AIStringTable {
public:
    explicit AIStringTable(int caseSensitive = 0);
    ~AIStringTable();
    AIStringTable(const AIStringTable&) = delete;
    AIStringTable& operator=(const AIStringTable&) = delete;

    void SetCaseSensitive(int on);
    int IsCaseSensitive() const { return caseSensitive_; }

    int GetCount() const { return list_.GetCount(); }
    const AIStringList& GetList() const { return list_; }
    // The joined text: every item followed by U+00A4, in insertion order.
    const AIString& GetJoined() const { return list_.GetJoined(); }
    // Changes with every call that may change the items, their order or the
    // case rule, and never comes back: two tables (or one table at two times)
    // with the same count hold the same items, so a reader can keep what it
    // built from the table until the count moves. Look-ups leave it alone.
    uint32_t GetChangeCount() const { return changeCount_; }

    // Sorted position of key by the table's case rule, or -1 (ResultFlag 0).
    int FindKey(const WCHAR* key) const;
    // Sorted position of the key spelled exactly so, or -1; sets ResultFlag.
    int IndexOfKeyStringExact(const WCHAR* key) const;
    // Sorted position of the key ignoring letter case, or -1; sets ResultFlag.
    int IndexOfKeyString(const WCHAR* key) const;

    // Copies of the sorted item at position: the key (before the first colon),
    // the value (after it), the whole item. Empty when out of range.
    int GetKeyAt(int position, AIString& out) const;
    int GetValueAt(int position, AIString& out) const;
    int GetItemAtSorted(int position, AIString& out) const;
    // Non-copying access to the sorted item at position (null when out of range).
    const WCHAR* ItemAtSorted(int position, int* length, int* keyLength) const;
    // The value of key (table's case rule); empty and ResultFlag 0 when absent.
    int GetValueOfKeyString(const WCHAR* key, AIString& out) const;

    // Replaces the value of key, or adds the item; returns its sorted position.
    int SetKeyValueString(const WCHAR* key, const WCHAR* value);
    // Adds key ":" value (also when the key exists). keepSorted 0 leaves the
    // index stale until SortIndex or the next look-up. Returns the item's
    // sorted position, or with keepSorted 0 its insertion index; -1 on failure.
    int AddItemString(const WCHAR* key, const WCHAR* value, int keepSorted = 1);
    // Removes the item of key (table's case rule); 0 when absent.
    int RemoveKeyString(const WCHAR* key);
    // Removes the sorted item at position; 0 when out of range.
    int RemoveAtSorted(int position);
    void Clear();
    // Rebuilds the sorted index when items were added unsorted.
    int SortIndex() const;

    // Iteration over the sorted index: HasNext answers 0 and resets at the end;
    // Next copies the next item and returns its sorted position.
    int HasNext();
    int Next(AIString& item);
    void ResetCursor() { cursor_ = 0; }

    // Replaces the table by a joined text: each "," becomes U+00A4, blanks after
    // a comma are skipped once a colon was seen, TAB, LF and VT are dropped,
    // empty items are left out; then the index is sorted.
    int AssignString(const WCHAR* text);
    // Replaces the table by a joined text as it stands (the file form).
    int AssignJoined(const WCHAR* joined);
    // Replaces the table by items already joined and split (AIStringList::AssignSplit).
    int AssignSplit(AIString& joined, const int* starts, int count);
    // The same for items the caller has already checked to stand in the
    // table's key order, none of them empty (a data file's parsed index):
    // nothing is compared again.
    int AssignSplitInKeyOrder(AIString& joined, const int* starts, int count);

    // 1 read, 0 missing or unreadable (ResultFlag 0); remembers the path.
    int LoadFromFile(const WCHAR* path);
    // Writes FF FE and the joined text (each item followed by U+00A4) through a
    // temporary file, so a failed write leaves the old file whole. 1 on success.
    int SaveToFile(const WCHAR* path);
    // Saves to the file the table was loaded from or last saved to; 0 when none.
    int SaveIfNamed();
    const AIString& GetFileName() const { return fileName_; }

private:
    int CompareKeyToItem(const WCHAR* key, int keyLength, int item, int foldCase) const;
    int LowerBound(const WCHAR* key, int keyLength, int foldCase) const;
    int EnsureIndexCapacity(int count) const;
    int Rebuild();
    void Renumber(int removedItem);
    void NoteChange();

    AIStringList list_;
    mutable int* sorted_;  // item numbers in key order
    mutable int indexCapacity_;
    mutable int stale_;
    int caseSensitive_;
    int cursor_;
    uint32_t changeCount_;
    AIString fileName_;
};
