// Where the user has been: the history of notes shown (for back and forward,
// like a browser) and the view each note had when it was left (scroll
// position, selection and zoom, restored when it is shown again). Both are
// keyed by the stored title and hold the 64 most recent entries.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

enum { kRecentViewCount = 64 };

// The view of a note kept when it is left, restored when it is shown again.
struct NoteViewRecord {
    int32_t scrollX;
    int32_t scrollY;
    int32_t selectionStart;
    int32_t selectionEnd;
    int32_t zoomNumerator;     // 0/0: no zoom
    int32_t zoomDenominator;
};

class NoteHistory {
public:
    void Clear();
    // A note shown by a new visit: appended after the current position, the
    // forward part dropped; showing the current entry again changes nothing.
    void Record(const WCHAR* title);
    int Count() const { return count_; }
    int Position() const { return position_; }
    // The title at a position, or null outside the history.
    const WCHAR* TitleAt(int position) const;
    // Back or forward landed on this position.
    void MoveTo(int position);
    // A renamed note keeps its places under its new title.
    void Rename(const WCHAR* oldTitle, const WCHAR* newTitle);

private:
    AIString titles_[kRecentViewCount];
    int count_ = 0;
    int position_ = -1;   // the entry shown
};

class NoteViews {
public:
    void Clear();
    // The view a note was left with, or null.
    const NoteViewRecord* Find(const WCHAR* title) const;
    // Keeps a note's view, replacing its earlier one; the oldest goes when full.
    void Keep(const WCHAR* title, const NoteViewRecord& view);
    void Rename(const WCHAR* oldTitle, const WCHAR* newTitle);

private:
    int IndexOf(const WCHAR* title) const;
    AIString titles_[kRecentViewCount];
    NoteViewRecord views_[kRecentViewCount] = {};
    int count_ = 0;
};

extern NoteHistory g_noteHistory;
extern NoteViews g_noteViews;
