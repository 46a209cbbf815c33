// Holding the editor's drawing off for one command.
#include "editor/format/editor_freeze.h"

namespace {
int32_t s_depth = 0;
}

EditorFreeze::EditorFreeze(HWND editor) : editor_(editor)
{
    if (!editor_) return;
    if (s_depth++ == 0) SendMessageW(editor_, WM_SETREDRAW, FALSE, 0);
}

EditorFreeze::~EditorFreeze()
{
    if (!editor_) return;
    if (--s_depth == 0) {
        SendMessageW(editor_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(editor_, nullptr, FALSE);
    }
}

int32_t EditorFreezeDepth() { return s_depth; }
