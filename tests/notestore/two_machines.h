// Two computers sharing a sync folder and a share folder, as the store tests
// play them on one machine: two data files in two folders, one loaded at a
// time (each load runs a pass, as opening a file does).
#pragma once
#include "tests/notestore/store_test_files.h"
#include "notestore/note_store.h"

enum Machine { kMachineA = 0, kMachineB = 1 };

class TwoMachines : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The notes both machines start with: records of NoteRecord.
    virtual AIString StartingNotes();
    // Which folders are set (before the first On()).
    void UseFolders(bool sync, bool share);

    // The computer loaded now is off the network until the next On(): its
    // edits and saves reach no folder.
    void Offline();
    // Each computer has passed once (both hold the same notes), and A is loaded.
    void BothInStep();
    // Saves the machine loaded now, then loads the other one (a pass runs).
    void On(Machine machine);
    // The body of a note of the machine loaded now; "<missing>" when it has none.
    std::string Body(const WCHAR* title);
    int32_t Has(const WCHAR* title) { return FindNoteByTitle(title, 0, 0) >= 0; }
    // Stores a new body for the note (it is made current first).
    void Edit(const WCHAR* title, const WCHAR* body);
    // The texts (UTF-8) of every file in a folder's "revisions".
    std::string Revisions(const AIString& folder);

    ScratchFolder root;
    AIString datafile[2];
    AIString syncFolder, shareFolder;
    Machine loaded;
};
