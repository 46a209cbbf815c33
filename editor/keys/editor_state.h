// The key handling's state, shared by the files of the editor's window
// procedure (one UI thread). Nothing outside editor/keys reads it directly.
#pragma once
#include "foundation/win.h"
#include "editor/keys/key_map.h"
#include "editor/keys/editor_links.h"
#include <richedit.h>

class AIControl;

struct NoteEditorState {
    AIControl* control = nullptr;
    HWND hwnd = nullptr;
    WNDPROC previous = nullptr;

    // Modifier snapshot of the current key message.
    int32_t modifiers = 0;
    int32_t readOnly = 0;
    // Selection snapshot and the last key.
    CHARRANGE selection = {0, 0};
    WPARAM lastKey = 0;

    // Pending chords (set on key-down, carried out on key-up).
    uint8_t pending[kChordCount] = {};
    int32_t favourite = 0;
    int32_t keyConsumed = 0;   // the character of this keystroke is dropped
    int32_t f3Held = 0;
    int32_t tabPending = 0;
    int32_t enterHandled = 0;  // the CR character of a handled Enter is dropped

    int32_t capsState = 0;
    int32_t lastDownWasCaps = 0;
    int32_t statusMode = 0;
    int32_t pointerHidden = 0;
    int32_t ctrlHintArmed = 0;
    int32_t typingState = 0;
    int32_t readOnlyTold = 0;  // the read-only message was shown once
    int32_t lineSpacing = 0;
    int32_t edge = 0;          // EdgeCode of the last Backspace or Delete
    // The end of the word the last edit left unmarked (-1: none), and the
    // text's length then.
    int32_t openWordEnd = -1;
    int32_t openWordTextLength = 0;
    int32_t editorTold = 0;    // paste refusal etc. already on the status line

    // The ribbon's states as the status last set them.
    uint8_t enabled[kRibbonControlCount] = {};
    uint8_t pressed[kRibbonControlCount] = {};
    int32_t editingState = 0;  // 0 normal, 1 multi-line selection, 2 heading, 3 link or sized text, 4 strike, 5 mixed
};

extern NoteEditorState g_noteEditor;

// Passes a message to the control's own procedure.
LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// "Swallowed": the editor is updated and 0 returned.
LRESULT Swallow(HWND window);
// Snapshot of Shift, Ctrl, Alt and the read-only flag.
void SnapshotModifiers();

// The handlers of the procedure's branches.
LRESULT EditorKeyDown(HWND window, WPARAM key, LPARAM lParam);
LRESULT EditorChar(HWND window, UINT message, WPARAM ch, LPARAM lParam);
LRESULT EditorKeyUp(HWND window, WPARAM key, LPARAM lParam);
LRESULT EditorSysKeyDown(HWND window, WPARAM key, LPARAM lParam);
LRESULT EditorSysKeyUp(HWND window, WPARAM key, LPARAM lParam);
LRESULT EditorSysChar(HWND window, WPARAM ch, LPARAM lParam);

// Refusal of an edit in a read-only data file: the message once, then the status line.
void TellReadOnly();
// The text of the editor and its selection.
void ReadEditorSelection(CHARRANGE* range);
