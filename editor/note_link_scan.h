// Finding the runs a note's mark-up shows as links and effects: hyperlink
// labels, addresses, tags, other notes' titles, **bold**, //italic// and
// --strike--. Pure text work on the editor's text (a paragraph end counted
// once, as the editor's positions count it); nothing here touches a window.
#pragma once
#include "foundation/win.h"

class AIStringTable;

enum NoteRunKind : int32_t {
    RunHyperlink = 1,  // a label of the note's hyperlink table, inside its brackets
    RunAddress = 2,    // http://, https://, www., mailto:
    RunTag = 3,        // "@" and the name
    RunNoteLink = 4,   // another note's title
    RunBold = 5,
    RunItalic = 6,
    RunStrike = 7,
};

struct NoteRun {
    int32_t start;
    int32_t end;
    int32_t kind;
};

// A growable array of runs in one LocalAlloc block.
struct NoteRunList {
    NoteRun* items;
    int32_t count;
    int32_t capacity;
};
void InitRunList(NoteRunList& list);
void FreeRunList(NoteRunList& list);
// 0 when memory ran out (the run is dropped).
int32_t AddRun(NoteRunList& list, int32_t start, int32_t end, int32_t kind);

// 1 when the line starting at lineStart is a heading line ("# ", "## ", "### ").
int32_t IsHeadingLineAt(const WCHAR* text, int32_t len, int32_t lineStart);

// Every "[label]" of the text: the run covers the label, the brackets stay
// outside it (they are text of the note, and the run's text is the label that
// the hyperlink table knows). Matched exactly, letter case included.
void FindHyperlinkLabels(const WCHAR* text, int32_t len, const WCHAR* label, int32_t labelLen, NoteRunList& out);

// Addresses beginning with http://, https://, www. or mailto: after a line
// start, blank or opening bracket; longer than 8 characters; trailing
// punctuation of the sentence is not part of them.
void FindAddresses(const WCHAR* text, int32_t len, NoteRunList& out);

// "@name" after a blank, TAB or line start (the store's rule for tags).
void FindTags(const WCHAR* text, int32_t len, NoteRunList& out);

// **bold**, //italic//, --strike-- within one line; the run covers the text
// between the markers. A "//" right after ":" (an address) opens nothing.
void FindInlineEffects(const WCHAR* text, int32_t len, NoteRunList& out);

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
    int32_t FindSlot(uint32_t hash, const WCHAR* folded, int32_t len) const;
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
