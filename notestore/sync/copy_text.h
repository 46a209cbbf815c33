// A copy's text as the store takes it in, and texts compared the way the
// store holds them. A copy may have been edited by hand elsewhere: a line
// typed after its link block, or the whole file saved with other line ends.
// Pure functions: no files and no windows.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// The copy's text with its link block at its end: text after the block (or
// between its link lines) moves into the body, in its order, and the block
// keeps its link lines, with CR LF line ends. The last "{{" line followed by
// a "}}" line is the block; a text without one is given unchanged. NULs
// (which the store never keeps) are left out.
void TidyCopyText(const WCHAR* text, int32_t len, AIString& out);

// A copy's text as the store keeps it once taken in: tidied, the body
// cleaned, the link block rebuilt from its lines.
void CopyTextAsStored(const WCHAR* text, int32_t len, AIString& out);

// 1 when two texts (a note's and a copy's) are the same once each is as the
// store keeps it: what the store adds to a text it takes (a link block, CR LF
// line ends) makes no difference.
int32_t SameTextAsStored(const WCHAR* a, int32_t aLen, const WCHAR* b, int32_t bLen);
