// A path shortened in the middle to fit a width: the start (drive or share)
// and as much of the end as fits, joined by "...". Pure: the caller measures.
#pragma once
#include "foundation/ai_string.h"

// Width of text[0..length) in the caller's units (pixels of a font).
struct TextWidthMeasure {
    int (*width)(const WCHAR* text, int length, void* context);
    void* context;
};

// The whole path when it fits in maxWidth. Otherwise its root ("C:\" or
// "\\server\share\") + "..." + the longest end that starts at a folder
// boundary and fits; then without the root; at the last the end of the file
// name, character by character. The file name is the last part given up.
void ShortenPathInMiddle(const WCHAR* path, int maxWidth, const TextWidthMeasure& measure, AIString& out);
