// Whether a file link can be previewed, and as what: text files and rich
// text by their extension, other files by their first bytes. The preview
// itself is the preview pane's.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

enum FilePreviewKind : int32_t {
    kFilePreviewNone = 0,
    kFilePreviewText = 3,
    kFilePreviewRichText = 4,
};

// How many leading bytes decide whether a file is text.
enum { kFilePreviewSniffBytes = 500 };

// The kind an extension decides (any letter case), or -1 when the file's
// bytes must decide. pdfAsText: the PDF preview is on.
int32_t FilePreviewKindOfName(const WCHAR* path, int pdfAsText);
// 1 when bytes read from a file's start look like text: no PDF signature, no
// NUL, only TAB to CR and 32 or more but not 127.
int LooksLikeText(const unsigned char* bytes, int count);

// The quick-preview request for a file link: the target ("Open file: x" or a
// path). Returns the kind asked for (kFilePreviewNone when there is nothing
// to preview; a file that cannot be read says why on the status line).
int32_t RequestFileLinkPreview(const WCHAR* target, int pdfAsText);
