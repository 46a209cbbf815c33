// What a hyperlink's label and target may hold: the test that makes a
// selected address the target of a new link, and the cleaning of targets so
// that brackets never break the note's link table.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// Labels are cut to this many characters (the target keeps its full text).
const int kLinkLabelMaxChars = 30;
// The longest target the hyperlink dialog takes.
const int kLinkTargetMaxChars = 250;

// 1 when the selected text is an address ("www.", "http://", "https://",
// "mailto:"), tested on the whole text before any cutting.
int IsAddressText(const WCHAR* text);

// 1 when the target names a web or mail address (brackets are encoded there).
int IsWebTarget(const WCHAR* target);

enum TargetCheck
{
    kTargetAccepted = 1,
    kTargetHasBrackets = 0,  // a file or note target with "[" or "]": refused
};
// Web targets get "[" and "]" percent-encoded; any other target holding one
// is refused (clean is then left empty). Surrounding blanks are dropped.
TargetCheck CleanLinkTarget(const WCHAR* target, AIString& clean);

// The label as the link table keeps it: CR removed, cut to
// kLinkLabelMaxChars, ":" held as "±".
void MakeStoredLabel(const WCHAR* text, AIString& label);

// The text that writes the link "[label]" between the characters before and
// after it (0 at either end of the note): a blank goes before it at the start
// of the note and after a letter, digit or paragraph end, and a blank after
// it before a letter, digit or paragraph end; a link next to another link
// is parted from it by a blank.
void MakeLinkInsertion(WCHAR before, WCHAR after, const WCHAR* label, AIString& text);
