// The rules of cut, copy and paste that need no window: line ends on the
// clipboard and in the editor, the length a paste adds to the note, the
// pasted text that becomes a hyperlink, where a pasted file goes and what
// its link is called, and the links a copy carries from one note to another.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

class AIStringTable;

// A plain copy takes at most this many characters; a longer selection gives
// its first kPlainCopyLongCut.
const int32_t kPlainCopyMaxChars = 50000;
const int32_t kPlainCopyLongCut = 49995;
// The most clipboard text a paste reads.
const int32_t kPasteMaxChars = 50000;
// A pasted address shorter than this becomes a hyperlink.
const int32_t kPastedAddressMaxChars = 300;
// The colour of the temporary highlight over pasted text.
const COLORREF kPasteHighlight = RGB(100, 255, 100);

// Clipboard form of the editor's text: every paragraph end as CR LF (a lone
// CR or a lone LF gets its partner; CR LF stays as it is).
void ToClipboardLineEnds(AIString& text);
// Editor form of clipboard text: CR LF and lone LF become the one CR the
// editor counts per paragraph end.
void ToEditorLineEnds(AIString& text);

// The length of editor text as the note's limit counts it: a paragraph end
// (CR) is two characters, as in the stored note.
int32_t NoteCountedLength(const WCHAR* text, int32_t length);

// 1 when a paste would take the note past its limit: noteLength is the
// note's counted length now, replaced the counted length of the selection
// the paste replaces, added that of the pasted text.
int PasteExceedsLimit(int32_t noteLength, int32_t replaced, int32_t added);

// 1 when pasted text is one web address ("http://" or "https://", any case)
// shorter than kPastedAddressMaxChars, holding no blank, TAB or line end.
int IsPastedAddress(const WCHAR* text, int32_t length);

// 1 when pasted text has the form of one file path: one line, trimmed, of
// fewer than MAX_PATH characters after quotes around it are taken off,
// starting with a drive ("C:\") or a share ("\\"); path is the path.
// Whether the file exists is for the caller to ask.
int PastedFilePathForm(const WCHAR* text, int32_t length, AIString& path);

// Where a pasted file goes and how its link is called.
struct PastedFilePlan {
    AIString name;         // the part after the last "\"
    AIString destination;  // the images or files folder + "\" + name
    AIString label;        // the name without its extension, "[" and "]" as "(" and ")", no "¤" or "±"
    int isImage = 0;
};
// dataFolder ends with "\". A name holding ".jpg", ".png", ".gif", ".bmp",
// ".tif" or ".tga" after its first character (as written: ".JPG" is not a
// picture) goes to "images", anything else to "files". 0 for a path without
// a file name.
int PlanPastedFile(const WCHAR* path, const WCHAR* dataFolder, PastedFilePlan& plan);

// The link a copy carries: every "[label]" of the copied text whose label the
// note's table knows, as "label:target" (each label once).
void CollectCopiedLinks(const WCHAR* text, int32_t length, const AIStringTable& noteLinks,
                        AIStringTable& copied);

// Adds the copied links whose "[label]" the pasted text holds to the note's
// table. A label the note already has (whatever its target, also from an
// earlier paste of the same text) is left as it is and counted; the count is
// returned.
int32_t MergeCopiedLinks(const AIStringTable& copied, const WCHAR* pasted, int32_t length,
                         AIStringTable& noteLinks);
