// Drawing of the note editor held off while a command rewrites its text and
// formats: the display is drawn once when the command ends, whichever way
// it ends (a refusal included).
#pragma once
#include "foundation/win.h"

class EditorFreeze {
public:
    explicit EditorFreeze(HWND editor);
    ~EditorFreeze();
    EditorFreeze(const EditorFreeze&) = delete;
    EditorFreeze& operator=(const EditorFreeze&) = delete;

private:
    HWND editor_;
};

// How many freezes are in force (0 when the editor draws).
int32_t EditorFreezeDepth();
