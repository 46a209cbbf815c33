// Thousands of random steps on two computers sharing a sync folder: edits,
// new notes, deletions, renames, passes and changes of computer. After each
// step every text ever typed is still somewhere the user can find it: in a
// note of either computer, in the folder's revisions, or in a deleted copy.
#include "tests/notestore/two_machines.h"
#include <set>
#include <string>
#include <vector>

namespace {

const int kSteps = 2000;

// Every "w<number>" word of a text.
void CollectWords(const std::string& text, std::set<int>& words)
{
    for (size_t at = text.find('w'); at != std::string::npos; at = text.find('w', at + 1)) {
        size_t end = at + 1;
        int value = 0;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') value = value * 10 + (text[end++] - '0');
        if (end > at + 1) words.insert(value);
    }
}

// Files of a folder, each read once (revisions and deleted copies never change).
void CollectFolder(const AIString& folder, std::set<std::string>& seen, std::set<int>& words)
{
    AIString pattern(folder);
    pattern.AppendText(L"*");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.GetText(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::string name = Utf8(found.cFileName);
        if (!seen.insert(name).second) continue;
        AIString path(folder);
        path.AppendText(found.cFileName);
        std::string bytes = ReadBytes(path.GetText());
        std::string narrow;   // UTF-16 side files read as their low bytes: the words are ASCII
        bool utf16 = bytes.size() >= 2 && (uint8_t)bytes[0] == 0xFF && (uint8_t)bytes[1] == 0xFE;
        for (size_t i = utf16 ? 2 : 0; i < bytes.size(); i += utf16 ? 2 : 1) narrow.push_back(bytes[i]);
        CollectWords(narrow, words);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

class RandomSync : public TwoMachines {
protected:
    // The words in the notes of the computer loaded now.
    void WordsHere(std::set<int>& words)
    {
        AIString title;
        for (int32_t i = 0; i < GetNoteCount(); i++) {
            GetNoteTitle(i, title);
            if (LoadNoteText(i, 0)) CollectWords(Utf8(g_noteStore.currentText), words);
        }
    }

    std::set<int> otherWords;           // the other computer's notes when it was left
    std::set<std::string> keptFiles;
    std::set<int> keptWords;            // revisions and deleted copies
    std::set<std::string> conflictNotes;
    unsigned seed = 12345;
    unsigned Next()
    {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) & 0xFFFFFF;
    }

    void CheckEveryWordIsSomewhere(int step, int typed)
    {
        std::set<int> found = otherWords;
        WordsHere(found);
        for (int w = 0; w < typed; w++) {
            if (found.count(w) || keptWords.count(w)) continue;
            // Not in a note: look at the copies kept since the last look.
            AIString revisions(syncFolder), deletedA, deletedB;
            revisions.AppendText(L"revisions\\");
            CollectFolder(revisions, keptFiles, keptWords);
            for (int m = 0; m < 2; m++) {
                AIString deleted(datafile[m]);
                deleted.SetLength(deleted.GetLength() - 6);   // ".tavik"
                deleted.AppendText(L"_notes\\deleted\\");
                CollectFolder(deleted, keptFiles, keptWords);
            }
            ASSERT_TRUE(keptWords.count(w)) << "w" << w << " lost at step " << step;
        }
    }
};

}  // namespace

TEST_F(RandomSync, EveryTextTypedOnEitherComputerStaysFindable)
{
    On(kMachineA);
    int typed = 0, made = 0;
    for (int step = 0; step < kSteps; step++) {
        unsigned roll = Next() % 100;
        int32_t count = GetNoteCount();
        int32_t at = (int32_t)(Next() % (unsigned)count);
        AIString title;
        GetNoteTitle(at, title);
        if (roll < 45) {
            // Typing: a word added to the note's text.
            ASSERT_EQ(1, OpenCurrentNote(at));
            AIString body(g_noteStore.currentText);
            body.AppendText(L" w").AppendInt(typed++);
            ASSERT_EQ(1, StoreCurrentNote(body.GetText(), 0));
        } else if (roll < 55) {
            WCHAR newTitle[32], body[32];
            wsprintfW(newTitle, L"N%d_%d", (int)loaded, made++);
            wsprintfW(body, L"w%d", typed++);
            ASSERT_GE(CreateNote(newTitle, body), 0);
        } else if (roll < 62) {
            if (count > 2) {
                ASSERT_EQ(1, DeleteNote(at));
            }
        } else if (roll < 68) {
            WCHAR newTitle[32];
            wsprintfW(newTitle, L"R%d_%d", (int)loaded, made++);
            ASSERT_GE(RenameNote(at, newTitle), 0);
        } else if (roll < 84) {
            ASSERT_EQ(1, SyncFolders(1));
        } else {
            std::set<int> leaving;
            WordsHere(leaving);
            otherWords.swap(leaving);
            // Half the time the computer left was off the network: its
            // edits meet the other's later, and some of them collide.
            if (Next() % 2) Offline();
            On(loaded == kMachineA ? kMachineB : kMachineA);
            AIString title;
            for (int32_t i = 0; i < GetNoteCount(); i++)
                if (GetNoteTitle(i, title) && title.FindText(L"other_copy") >= 0) conflictNotes.insert(Utf8(title));
        }
        CheckEveryWordIsSomewhere(step, typed);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(typed, 800);
    EXPECT_GT(conflictNotes.size(), 5u) << "edits on both sides were met";
}
