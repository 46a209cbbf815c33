// AIStringList: a list held as one AIString. Every item is followed by the
// separator U+00A4; a separator inside square brackets (nesting counted) or
// between two U+00BD characters belongs to the item. An opening bracket or
// U+00BD that is never closed is plain text, so one stray character cannot
// swallow the rest of the list. The list keeps item offsets, a count and a cursor.
#pragma once
#include "foundation/ai_string.h"

class AIStringList {
public:
    enum : WCHAR { kSeparator = 0x00A4, kQuote = 0x00BD };

    AIStringList();
    ~AIStringList();
    AIStringList(const AIStringList&) = delete;
    AIStringList& operator=(const AIStringList&) = delete;

    // Replaces the list by a joined text (items separated or followed by U+00A4).
    int AssignJoined(const WCHAR* joined);
    // Replaces the list by count items the caller has already joined (each
    // followed by the separator) and split: starts[i] is where item i begins.
    // The items hold no separator, bracket or U+00BD, so nothing is parsed.
    // The list takes over the joined text (joined is left empty).
    int AssignSplit(AIString& joined, const int* starts, int count);
    // The joined text: every item followed by U+00A4.
    const AIString& GetJoined() const { return text_; }
    void Clear();

    int GetCount() const { return count_; }
    // Index of the first item equal to text ignoring letter case, or -1;
    // wholeItem 0 finds the first item that contains text. Sets ResultFlag.
    int FindItemString(const WCHAR* text, int wholeItem = 1) const;
    // Index of the first item equal to text (case-sensitive), or -1. Sets ResultFlag.
    int FindItemExact(const WCHAR* text) const;

    // Appends an item; returns its index, or -1 when memory ran out.
    int AddString(const WCHAR* text);
    // Removes item index; 0 when the index is out of range.
    int RemoveItem(int index);
    // Replaces item index by the decimal value; 0 when out of range.
    int SetItemInt(int index, int32_t value);
    // Replaces item index by text; 0 when out of range.
    int SetItemText(int index, const WCHAR* text);
    int CopyFrom(const AIStringList& other);

    // Copies item index into out (empty when out of range); mode 1 the item as
    // stored, mode 0 the item with blanks trimmed at both ends. Returns the length.
    int GetItemTextMode(int index, AIString& out, int mode = 1) const;
    // Direct, non-copying access to an item (null and 0 when out of range).
    const WCHAR* ItemStart(int index) const;
    int ItemLength(int index) const;

    // The cursor: HasNext is 1 while items remain; at the end it resets the
    // cursor and answers 0. GetNext copies the next item and returns its index.
    int HasNext();
    int GetNext(AIString& out);
    void ResetCursor() { cursor_ = 0; }

private:
    int Reparse();
    int EnsureOffsetCapacity(int count);
    int ReplaceRange(int index, const WCHAR* text, int length);

    AIString text_;
    int* offsets_;  // start of each item in text_; offsets_[count_] == text length
    int offsetCapacity_;
    int count_;
    int cursor_;
};
