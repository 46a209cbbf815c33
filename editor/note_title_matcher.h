// Finding other notes' titles in a note's text (a paragraph end counted once,
// as the editor's positions count it). No window here.
#pragma once
#include "foundation/win.h"
#include "editor/note_link_scan.h"

class AIStringTable;

// Other notes' titles in a text. Titles are stored with "_" for a blank and
// written in the text with blanks (or as stored); letter case is ignored.
// The text is cut into words, and only word sequences that begin like some
// title are looked up, so the cost follows the text, not the number of titles.
class TitleMatcher {
public:
    TitleMatcher();
    ~TitleMatcher();

    void Clear();
    // Adds one title as stored (blanks as "_"); 0 when memory ran out.
    int32_t AddTitle(const WCHAR* title, int32_t len);
    // Every key of a note index ("title:value" items).
    int32_t AddIndexTitles(const AIStringTable& index);
    int32_t GetCount() const { return count_; }
    // 1 when the text (blanks or "_") is one of the titles.
    int32_t IsTitle(const WCHAR* text, int32_t len) const;

    // Finds titles in text: whole words only, longest title first, never
    // over a blocked character (blocked[i] != 0; the array is updated with
    // the runs found), never the note's own title, never in heading lines.
    // At most cap runs; returns 1 when more would have been found.
    int32_t FindTitles(const WCHAR* text, int32_t len, const WCHAR* ownTitle, uint8_t* blocked, int32_t cap,
                       NoteRunList& out) const;

private:
    TitleMatcher(const TitleMatcher&);
    TitleMatcher& operator=(const TitleMatcher&);
    struct Slot {
        uint32_t hash;   // 0: empty
        int32_t offset;  // of the folded title in chars_
        int32_t length;
    };
    int32_t Grow();
    int32_t GrowTo(int32_t capacity);  // a power of two above the count
    int32_t GrowChars(int32_t chars);
    // The slot of a title given as written or already folded, or -1.
    enum TitleForm { kTitleAsWritten, kFoldedTitle };
    int32_t FindSlot(uint32_t hash, const WCHAR* text, int32_t len, TitleForm form) const;
    int32_t HasFirstWord(uint32_t hash) const;

    WCHAR* chars_;        // folded titles, one after the other
    int32_t charsUsed_;
    int32_t charsCapacity_;
    Slot* slots_;         // open addressing, capacity a power of two
    uint32_t* firstWords_;  // hashes of first words, same capacity
    int32_t capacity_;
    int32_t count_;
    int32_t firstWordCount_;
    int32_t maxWords_;
};
