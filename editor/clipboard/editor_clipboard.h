// Cut, copy and paste in the note editor, and the copy of a link's target.
// The keys, the ribbon and the editor's context menu call these. The
// clipboard is opened with the program's frame, so a paste can tell the
// program's own copies (which carry their hyperlinks' targets) from others.
#pragma once
#include "foundation/win.h"

struct IDataObject;

enum ClipboardAction : int32_t {
    kClipboardCopy = 'C',
    kClipboardCut = 'X',
};

// The selection as plain text (paragraph ends as CR LF, at most 50,000
// characters); a cut removes what was copied as one undoable step. A cut in
// a read-only data file copies. 1 when the clipboard got the text.
int CutCopyPlainText(ClipboardAction action);
// The selection as rich text, 8-bit and Unicode text; the hyperlinks inside
// it are remembered with their targets for a paste into another note.
int CutCopyRtf(ClipboardAction action);
// Pastes by what the clipboard holds: the program's own copy (with its links'
// targets), a picture, files (copied into the data folder and linked through
// the hyperlink dialog), a file's path, an address (a hyperlink) or text.
// Nothing is inserted when the note would pass its length limit. 1 pasted.
int PasteIntoNote();
// 1 when a drag brings what the editor takes: files ("FileNameW" too), an
// address ("UniformResourceLocatorW" or "UniformResourceLocator") or text.
int CanDropIntoNote(IDataObject* data);
// Puts a drop in at a character position (-1: at the selection) as pasting
// the same would: files copied and linked, an address through the hyperlink
// dialog, text as pasted text. 1 dropped.
int DropIntoNote(IDataObject* data, int32_t position);
// The target of the selected hyperlink (a file link as its full path), or
// the selected text itself, as clipboard text.
int CopyLinkTarget();
// Takes away the highlight of the last paste (before a copy or a store).
void ClearPasteHighlight();
