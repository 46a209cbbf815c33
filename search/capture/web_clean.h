// Cleaning a downloaded web page into note text: the title, the main text in
// the note mark-up (headings, list items, tables as TAB-separated lines) and,
// for a capture, the page's links. Pure function over the page's text; the
// download and the note store live in web_capture.h.
#pragma once
#include "search/capture/html_blocks.h"
#include "search/capture/web_links.h"
#include "search/capture/web_text.h"
#include <vector>

enum {
    kMaxPageChars = 4 * 1024 * 1024,  // the download's cap
    kMinBodyChars = 50,               // less is no page text
    kEdgeLineMinimum = 50,
    kMaxPreviewChars = 49900,
    kMaxTitleNameChars = 29,
};

struct WebCleanRequest {
    WebText html;
    WebText pageUrl;        // the page's own address: site rules and links go by it
    WebText fallbackTitle;  // for a page without a title (the browser window's), may be empty
    bool capture = false;   // a note with a link block; else a preview
    bool loose = false;     // lower thresholds (a second request while a capture runs)
};

struct WebCleanResult {
    bool ok = false;  // the page gave at least kMinBodyChars of text
    WebText title;
    WebText shortTitle;          // letters, digits and blanks of the title, at most 29
    WebText text;                // the heading line and the body (or the failure notice)
    std::vector<WebLink> links;  // capture only
};

// The page's kind by its address; *loose is set for encyclopedia pages.
PageKind ClassifyPage(const WebText& pageUrl, bool* loose);
void CleanWebPage(const WebCleanRequest& request, WebCleanResult* result);
