// The note editor's window procedure: it decides, message by message, whether
// RichEdit sees a message, sees another key, or never sees it, and turns keys
// and chords into the program's commands. Ctrl chords are flagged when their
// key goes down and carried out when a key goes up; Alt keys act on their
// release as well. The note's mark-up is the text: every edit is followed by
// the display of the paragraphs it touched, made again from their text.
#pragma once
#include "foundation/win.h"
#include "editor/keys/key_map.h"

class AIControl;

// Installs NoteEditorProc on the editor control (keeping its own procedure).
void InstallNoteEditor(AIControl* editor);
AIControl* GetNoteEditor();
LRESULT CALLBACK NoteEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// 1 when a message is a key the editor handles itself (the message loop then
// leaves the accelerators out): keys of the note editor with Ctrl or Alt, and
// the function keys it knows.
int EditorOwnsKey(const MSG* message);

// 1 when split view has a picture in the editor's place (the editor hidden):
// the key message is kept from the editor (a key-down says why).
int SplitViewHoldsKey(HWND editor, UINT message, WPARAM key);

// Makes the editor take changes or refuse them as the data file now allows
// (a note shown, a file opened): the control and the key handling's flag
// both, so no command waits for the next key to learn of the change.
void FollowDatafileReadOnly(HWND editor);

// What the key handling keeps between messages (read by the status line and
// the content window).
enum EditorStatusMode : int32_t {
    kStatusModeClickEntry = -2,  // the editor is entered by a click: no highlight
    kStatusModeCtrlAlone = -1,
    kStatusModeNormal = 0,
    kStatusModeHighlighted = 1,  // the caret line is tinted until the next key or click
};
int32_t GetEditorStatusMode();
// Ends the caret line's highlight, when shown: its timer stops and nothing
// of its colours stays.
void EndCaretLineHighlight();
void SetEditorStatusMode(int32_t mode);
// Typing state word: 1 after typing, -1 after Backspace over plain text; 0 otherwise.
int32_t GetEditorTypingState();
// The Caps Lock cycle (0 idle, 2 went down, 3 the program's own key sent, 4 pressed again).
int32_t GetCapsLockState();
// The line-spacing level last chosen with Alt+1..9 (0: none).
int32_t GetEditorLineSpacingLevel();

// Makes the display of the paragraphs touching [from, to) follow their text.
// openEnd: the end of a word still being typed (-1 none).
void FollowTextEdit(int32_t from, int32_t to, int32_t openEnd);
// The whole note (after undo and redo).
void FollowWholeText();

// Replaces [start, end) by text as one undoable step, the caret (or the
// selection selStart..selEnd when selStart >= 0) after it, and the display
// made again. 0 in a read-only data file.
int ReplaceNoteText(int32_t start, int32_t end, const WCHAR* text, int32_t selStart, int32_t selEnd);
