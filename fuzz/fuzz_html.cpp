// libFuzzer target for the web page cleaner: the input is a page (UTF-8),
// cleaned for a preview and for a capture, whose note is composed too. No
// reserved character may reach the note's body, and the text stays within
// its limits.
#include <stdint.h>
#include <stdlib.h>

#include "search/capture/capture_note.h"
#include "search/capture/web_clean.h"

namespace {

void CheckBody(const WebText& body)
{
    for (char16_t c : body)
        if (c == 0 || c == kMarkBlock || c == kMarkDrop || c == kMarkLink || c == 0xA4 || c == 0xB1) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WebCleanRequest request;
    request.html = DecodeUtf8(reinterpret_cast<const char*>(data), size);
    request.pageUrl = Ascii("https://example.org/a/b/page.html");
    for (int capture = 0; capture < 2; capture++) {
        request.capture = capture != 0;
        WebCleanResult result;
        CleanWebPage(request, &result);
        CheckBody(result.text);
        CheckBody(result.title);
        if (!request.capture && result.text.size() > kMaxPreviewChars + 200) abort();
        // No text the cleaner gives ever holds the link block's fences.
        if (result.text.find(u"{{") != WebText::npos || result.text.find(u"}}") != WebText::npos) abort();
        if (request.capture) {
            CapturedNote note;
            ComposeCapturedNote(result, request.pageUrl, 99999, Ascii("today"), &note);
            if (note.text.size() > kMaxCaptureNoteChars) abort();
            size_t block = note.text.rfind(u"\r\n{{\r\n");
            if (block == WebText::npos) abort();
            WebText body = note.text.substr(0, block);
            if (body.find(u"{{") != WebText::npos || body.find(u"}}") != WebText::npos) abort();
            CheckBody(note.text);
        }
    }
    return 0;
}
