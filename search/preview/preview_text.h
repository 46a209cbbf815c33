// A preview's text read from a file: bounded, its encoding found (UTF-16
// with its mark, UTF-8 with or without one, else the ANSI code page), cut
// only between whole characters, and refused when it is not text at all.
#pragma once
#include "foundation/ai_string.h"

enum PreviewTextResult {
    kPreviewTextOk = 0,
    kPreviewTextMissing = 1,      // the file cannot be found or opened
    kPreviewTextEmpty = 2,        // nothing to show (an empty file, or only a mark)
    kPreviewTextBinary = 3,       // not text: zero bytes in 8-bit text
    kPreviewTextUndecodable = 4,  // the code page conversion failed
};

// Decodes at most the given bytes as a text file. The result's text is
// terminated and holds only whole characters (no half surrogate pair, no
// cut UTF-8 sequence).
PreviewTextResult DecodePreviewBytes(const unsigned char* bytes, int size, AIString& out);

// Reads at most maxBytes of the file (after a byte-order mark) and decodes it.
PreviewTextResult ReadPreviewTextFile(const WCHAR* path, int maxBytes, AIString& out);

// The short message the pane shows for a failed read.
const WCHAR* PreviewTextFailureText(PreviewTextResult result);
