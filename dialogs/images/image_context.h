// The words around a picture's link in its note: the paragraph, list item or
// heading section that holds "[label]", on one line, for the image browser's
// caption and the image preview.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// out receives at most kImageContextMaxChars of the text around the link
// "[label]" in noteText; 0 (out empty) when the note does not hold the link.
int GetImageContextText(const WCHAR* noteText, int length, const WCHAR* label, AIString& out);
const int kImageContextMaxChars = 200;
