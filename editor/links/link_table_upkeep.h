// The current note's hyperlink table follows its text: an entry whose
// "[label]" has gone from the text is taken out of the table, and kept aside
// so that an undo that brings the label back brings its target back too.
#pragma once
#include "foundation/win.h"

class AIStringTable;
class AIString;

// Takes out of links every entry whose "[label]" text no longer holds; they
// go into kept (for title). Returns the number taken out.
int DropLinksNotInText(const WCHAR* text, AIStringTable& links, AIStringTable& kept);
// Puts back from kept every entry whose "[label]" text holds again.
int RestoreLinksInText(const WCHAR* text, AIStringTable& links, AIStringTable& kept);

// The same on the editor's text and the store's table; the entries kept
// aside belong to the note shown and are forgotten when another shows.
void DropGoneHyperlinks();
void RestoreReturnedHyperlinks();
