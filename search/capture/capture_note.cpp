// The note of a web page capture.
#include "search/capture/capture_note.h"
#include "search/capture/web_tidy.h"

namespace {

WebText Number(int32_t number)
{
    WebText out;
    std::string digits = std::to_string(number);
    for (char c : digits) out.push_back(char16_t(c));
    return out;
}

const char16_t kShortened[] = u"\r\n\r\n(THE CAPTURE HAS BEEN AUTOMATICALLY SHORTENED BY Tavik )\r\nUrl: ";

}  // namespace

WebText CaptureName(int32_t number, const WebText& shortTitle)
{
    WebText name = u"www_" + Number(number) + u"_" + shortTitle;
    if (name.size() > kMaxTitleNameChars) name.resize(kMaxTitleNameChars);
    TrimBlanks(name);
    for (char16_t& c : name)
        if (c == ' ') c = '_';
    if (!name.empty() && name.back() == '_') name.back() = 'X';
    return name;
}

void ComposeCapturedNote(const WebCleanResult& page, const WebText& pageUrl, int32_t number,
                         const WebText& dateText, CapturedNote* note)
{
    note->name = CaptureName(number, page.shortTitle);
    WebText web = u"web" + Number(number);
    WebText body = u"Captured: [" + web + u"] - " + dateText;
    if (page.text.empty() || page.text[0] != '\r') body += u"\r\n";
    body += page.text;
    std::vector<WebLink> links = page.links;
    bool shortened = body.size() > kMaxCaptureChars;
    if (shortened) {
        body.resize(kMaxCaptureChars);
        body += kShortened + pageUrl + u" \r\n\r\n";
        links.clear();
    }
    // The page's address may hold braces too.
    PartBracePairs(body);
    links.push_back(WebLink{web, pageUrl});
    WebText block = BuildLinkBlock(links);
    if (body.size() + block.size() > kMaxCaptureNoteChars) {
        links.erase(links.begin(), links.end() - 1);
        block = BuildLinkBlock(links);
        if (!shortened) body += kShortened + pageUrl + u" \r\n\r\n";
    }
    note->text = body + block;
}
