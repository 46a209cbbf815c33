// Records the messages that reach test windows, to compare with expected tables.
#pragma once
#include "foundation/win.h"

struct RecordedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct ExpectedMessage {
    UINT message;
    WPARAM wParam;
};

class MessageRecorder {
public:
    enum { kMax = 512 };
    void Clear() { count_ = 0; }
    void Add(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    int Count() const { return count_; }
    const RecordedMessage& At(int i) const { return items_[i]; }
    // The recorded messages among `watched` (in order) equal `expected`.
    bool Matches(const UINT* watched, int watchedCount, const ExpectedMessage* expected, int expectedCount) const;
    // How many times a message was recorded.
    int CountOf(UINT message) const;

private:
    RecordedMessage items_[kMax];
    int count_ = 0;
};

extern MessageRecorder g_recorded;

// Records every message sent to `window` (WH_CALLWNDPROC hook on this thread).
void StartRecordingWindow(HWND window);
void StopRecording();

// Dispatches every pending message of this thread.
void PumpPending();

// A visible top-level test window of a class that records every message it
// gets and passes it on to DefWindowProcW.
HWND MakeTestParent(int width = 600, int height = 400);
