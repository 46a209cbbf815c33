// Which note a picture belongs to: the note whose text links the picture's
// file, found in the whole data file's text, or for a captured web picture
// the page it was captured from.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

class AIStringTable;

// The title (as the user sees it, at most kImageNoteTitleMaxChars) of the
// first note of the data file text that names fileName (letter case
// ignored); else the address webCaptures records for the name without its
// extension; else empty. 1 when a title or address was found.
int FindNoteOfImageFile(const WCHAR* datafileText, int length, const WCHAR* fileName,
                        const AIStringTable* webCaptures, AIString& title);
const int kImageNoteTitleMaxChars = 40;

// The label of the link that points at fileName in a note's text (its link
// block holds "label:target" or "[label:target]"); 1 when one was found.
int ImageLinkLabelOf(const WCHAR* noteText, int length, const WCHAR* fileName, AIString& label);
