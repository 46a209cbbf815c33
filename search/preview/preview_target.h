// What the preview pane shows for a link: the kinds of targets, the cache
// file of a web page, and the captions. Pure text rules, no windows.
#pragma once
#include "foundation/ai_string.h"

// What a preview target is (the preview state's kind).
enum PreviewKind {
    kPreviewNothing = -1,
    kPreviewNote = 0,  // and any value not listed
    kPreviewImage = 1,
    kPreviewImagePaged = 2,
    kPreviewFileLink = 3,
    kPreviewRtfFile = 4,
    kPreviewTextFile = 5,  // a text file, the text of a PDF, a dictionary entry
    kPreviewWebPage = 9,
};

enum {
    kWebCacheKeyChars = 50,        // a web cache file's name is cut to this
    kWebCacheMaxBytes = 40000,     // a web page's cache is read to at most this
    kTextFileMaxBytes = 50000,     // a text file (or PDF text) to at most this
    kRtfFileTooBigBytes = 30000,   // an RTF file this large is not previewed
    kPreviewMaxChars = 50000,      // a pane holds at most this
    kBoldFirstLineMaxChars = 100,  // a first line shorter than this is set in bold
};

// 1 when the link names a web page: it begins with "hyperlink:",
// "automatic hyperlink:" or "http".
int IsWebLinkText(const WCHAR* link);

// What a link's text points to: a web page ("http...", "hyperlink:", "www."),
// an image, RTF or other file ("file:", "rel:", a drive or network path), a
// note title; kPreviewNothing for mail addresses and other schemes.
PreviewKind ClassifyPreviewTarget(const WCHAR* link);

// The link without a leading "Open file:".
void StripOpenFilePrefix(const WCHAR* link, AIString& out);

// The cache file's name of a web link (without folder and ".txt"): prefixes
// and the scheme removed, every character that cannot stand in a file name
// (and a few more) removed, trimmed, cut to 50 characters.
void WebCacheKey(const WCHAR* target, AIString& key);
// notesFolder (ending with "\") + "txt\" + key + ".txt"; "" when the key is empty.
void WebCachePath(const WCHAR* notesFolder, const WCHAR* target, AIString& path);
// The site's short name for the caption: after "www." (or the first ":"),
// cut before the first ".".
void WebShownName(const WCHAR* target, AIString& name);

// 1 when the file name's extension is ext (without the dot), in any case.
int HasExtensionNoCase(const WCHAR* path, const WCHAR* ext);

// The caption of a text-file preview, ending with CR LF: "Dictionary: word"
// for a look-up result, "Preview PDF file: name" for a PDF's text file
// (its ".pdf.txt" dropped), else "Preview text file: name".
void TextFileCaption(const WCHAR* shownPath, int isPdfText, AIString& caption);

// Inserts an LF after every CR that another CR follows (old Mac line ends
// show as lines) while the text stays within maxChars; the text is never cut.
void BreakDoubleCarriageReturns(AIString& text, int maxChars);

// The length of the first line (up to the first CR) when it should be bold:
// longer than 1 and shorter than 100 characters; 0 otherwise.
int BoldFirstLineLength(const WCHAR* text, int length);
