// What the toolkit needs to know of the application's run state.
#pragma once

// 1 while the application shuts down (run state -1); every window procedure
// then leaves all messages to DefWindowProcW.
int IsApplicationClosing();

// The busy flag: 1 while a long operation runs (a paste or a drop, a file
// command). The editor then passes keys and the mouse on unchanged, and no
// drop is taken until it ends.
int IsBusy();

// Marks a long operation for as long as it lives; operations may nest.
class BusyScope {
public:
    BusyScope();
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};
