// What the status line says about the link at the caret, and the one rule
// for turning a "file:" target inside the data folder into a "rel:" one.
// Pure text work: the caller looks the label up and passes what it found.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// What a description found out about the link.
enum LinkKind : int32_t {
    kLinkAutomatic = 0,  // an address typed as such (not in the hyperlink table)
    kLinkWeb = 1,
    kLinkMail = 2,
    kLinkFile = 3,       // "file:" or "rel:"
    kLinkNote = 4,       // the target (or the text) is a note title
};

// "file:" + a path inside dataFolder (which ends with a backslash) becomes
// "rel:\" + the rest. Only a whole folder counts: "C:\Notes2\x" is not inside
// "C:\Notes\". 1 when target was rewritten.
int MakeRelativeFileTarget(AIString& target, const WCHAR* dataFolder);

// The beginnings of file links' descriptions ("Open file: C:\x"). Compared
// without regard to case and to the blank after the colon.
extern const WCHAR kOpenFileText[];     // "Open file:"
extern const WCHAR kExecuteFileText[];  // "Execute file:"
// 1 when text starts with "Open file:" or "Execute file:", compared without
// regard to case.
int IsFileLinkDescription(const WCHAR* text);

// The status line's text for a link under the pointer, from its description:
// the address of "Hyperlink:" and "Automatic hyperlink:" in blue, the file of
// "Open file:" and "Execute file:" in green, the rest escaped.
void HoverStatusText(const WCHAR* description, AIString& out);

// The description of a link. linkText: the link's visible text; target:
// its target when the hyperlink table knows the label (null when not);
// isNoteTitle: the text is a note's title. dataFolder ends with a backslash.
// Returns the kind; out holds the description (status mark-up not included).
LinkKind DescribeLink(const WCHAR* linkText, const WCHAR* target, int isNoteTitle, const WCHAR* dataFolder,
                      AIString& out);

// Table keys hold ":" as U+00B1 and targets "," as U+2026; shown text has them back.
void LabelToTableKey(AIString& text);
void TableTextToShown(AIString& text);
