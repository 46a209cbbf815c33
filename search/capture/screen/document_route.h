// The document route of the browser capture: a browser that hosts the
// system's HTML view ("Internet Explorer_Server") gives its document, which
// is scrolled and drawn view by view into the page's picture. Where no such
// document answers (any other browser, or no HTML engine at all) the route
// gives 0 and the capture scrolls the window itself.
#pragma once
#include "foundation/ai_string.h"

class AIDib;

enum {
    kDocumentScrollEnd = 2000000,  // scrolled this far, a document stops at its end
    kDocumentMaxViews = 30,
};

// 1 when the page was drawn into page (24-bit, top row first) through the
// document; url gets the document's address when it has one.
int CaptureThroughDocument(HWND browser, int screens, AIDib& page, AIString& url);
