// The history of notes shown and the views they were left with.
#include "shell/note_history.h"

NoteHistory g_noteHistory;
NoteViews g_noteViews;

void NoteHistory::Clear()
{
    count_ = 0;
    position_ = -1;
}

void NoteHistory::Record(const WCHAR* title)
{
    if (position_ >= 0 && position_ < count_ && titles_[position_].EqualsText(title)) return;
    // A new visit drops the forward part.
    count_ = position_ + 1;
    if (count_ == kRecentViewCount) {
        for (int i = 1; i < kRecentViewCount; i++) titles_[i - 1].Copy(titles_[i]);
        count_--;
    }
    titles_[count_].AssignText(title);
    position_ = count_;
    count_++;
}

const WCHAR* NoteHistory::TitleAt(int position) const
{
    return position >= 0 && position < count_ ? titles_[position].GetText() : nullptr;
}

void NoteHistory::MoveTo(int position)
{
    if (position >= 0 && position < count_) position_ = position;
}

void NoteHistory::Rename(const WCHAR* oldTitle, const WCHAR* newTitle)
{
    for (int i = 0; i < count_; i++)
        if (titles_[i].EqualsText(oldTitle)) titles_[i].AssignText(newTitle);
}

void NoteViews::Clear() { count_ = 0; }

int NoteViews::IndexOf(const WCHAR* title) const
{
    for (int i = 0; i < count_; i++)
        if (titles_[i].EqualsText(title)) return i;
    return -1;
}

const NoteViewRecord* NoteViews::Find(const WCHAR* title) const
{
    int at = IndexOf(title);
    return at >= 0 ? &views_[at] : nullptr;
}

void NoteViews::Keep(const WCHAR* title, const NoteViewRecord& view)
{
    int slot = IndexOf(title);
    if (slot < 0) {
        if (count_ == kRecentViewCount) {
            // Forget the oldest view.
            for (int i = 1; i < kRecentViewCount; i++) {
                titles_[i - 1].Copy(titles_[i]);
                views_[i - 1] = views_[i];
            }
            count_--;
        }
        slot = count_++;
        titles_[slot].AssignText(title);
    }
    views_[slot] = view;
}

void NoteViews::Rename(const WCHAR* oldTitle, const WCHAR* newTitle)
{
    int at = IndexOf(oldTitle);
    if (at >= 0) titles_[at].AssignText(newTitle);
}
