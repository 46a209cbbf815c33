// A second store in a child process of the test program, driven command by
// command, so that two stores work on one folder at the same time: each
// passes while the other is loaded, a pass of one can be held after some
// notes while the other passes, and the child can be killed in the middle of
// a pass (a new store then takes its data file over).
#pragma once
#include "tests/notestore/store_test_files.h"

class ChildStore {
public:
    ChildStore();
    ~ChildStore();   // the child quits (or is killed when it does not)

    // Starts the child with the folders it passes with ("" for none).
    bool Start(const AIString& scratch, const AIString& syncFolder, const AIString& shareFolder);
    // Runs one command and gives its reply; "<no reply>" when the child did
    // not answer in time or ended.
    //   load <path>             loads a data file (its pass runs): "1" or "0"
    //   edit <title> <body>     stores the note's new body: "1" or "0"
    //   pass                    one pass: "<pushed> <pulled> <conflicts> <retried>"
    //   save                    saves (its pass runs first): the save's result
    //   body <title>            the note's body, "<missing>" when it has none
    //   count                   the number of notes
    //   hold <n>                the next pass stops after n notes: its command
    //                           answers "held" there (Resume goes on)
    //   locked <title>          "1" when another store holds the note's edit lock
    // Arguments are separated by TAB.
    std::string Do(const std::string& command);
    // The held pass goes on; its command's own reply.
    std::string Resume();
    // Ends the child at once, as a power cut or the task manager does.
    void Kill();

private:
    bool Send(const std::string& command, bool asCommand);
    std::string Reply();

    AIString folder_;
    HANDLE request_;
    HANDLE reply_;
    HANDLE process_;
};

// The child's side: serves commands while the test program runs as a child.
// 1 when this program is such a child (and has served).
int RunChildStoreIfAsked();
