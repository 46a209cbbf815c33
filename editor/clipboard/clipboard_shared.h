// What the editor's copy, paste and file-paste code share: the window the
// clipboard is opened with, the editor's text and selection, the links the
// last rich copy carried, and the steps that end a paste.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "foundation/ai_string_table.h"
#include <richedit.h>
#include <vector>

class AITextDocument;

// The title the last rich copy came from and the links it carried ("label:target").
struct CopiedLinks {
    AIString fromTitle;
    AIStringTable links{1};
    void Forget();
};
CopiedLinks& LastRichCopy();

// The frame (the editor in a bare test window): its class tells a paste who copied.
HWND ClipboardWindow();
AITextDocument* EditorDocument();
CHARRANGE EditorSelectionRange();
// 1 in a read-only data file.
int IsEditorReadOnly();

// The end of every paste: [start, end) highlighted, the note changed, the
// frame's follow-up started, the status refreshed.
void FinishPaste(int32_t start, int32_t end);
// A link the hyperlink dialog accepted, written over the selection (an empty
// label writes the address itself). 1 written; refusals are told.
int WriteAcceptedLink(AIString& label, const AIString& target);

// The paths of a CF_HDROP block.
void ReadDroppedFiles(HANDLE memory, std::vector<AIString>& files);
// Each file copied into the data folder (or, with Shift, left where it is)
// and linked through the hyperlink dialog at the caret. 1 when one was linked.
int PasteFiles(const std::vector<AIString>& files);
// 1 when text is one line naming an existing file (quotes around it allowed).
int IsFilePathText(const AIString& text, AIString& path);

// What a drop on the editor brought.
enum DroppedKind { kDroppedFiles, kDroppedAddress, kDroppedText };
// Dropped content goes in over the selection as a paste of the same content
// would: files are linked, an address through the hyperlink dialog, text as
// pasted text (a file's path is linked, a short address made a link). 1 when
// something went in.
int PasteDropped(DroppedKind kind, AIString& text, const std::vector<AIString>& files);
