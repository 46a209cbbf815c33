// Cleaning a web page into note text.
#include "search/capture/web_clean.h"
#include "search/capture/html_entities.h"
#include "search/capture/html_tag_pass.h"
#include "search/capture/web_tidy.h"

namespace {

const char16_t* const kLooseCuts[] = {
    u"#\u00B1#[edit] Notes",
    u"#\u00B1#[edit] See also",
    u"#\u00B1#[edit] References",
    u"#\u00B1#[edit] External links",
    u"#\u00B1#Notes",
    u"#\u00B1#See also",
    u"#\u00B1#References",
    u"#\u00B1#External links",
};

enum { kLooseLineMinimum = 5, kHomeLineMinimum = 25, kArticleLineMinimum = 15 };

// The page without controls (the working text's marker codes among them),
// cut to the download's cap. Reserved characters stay: the tag pass maps them
// in the text and keeps them in link targets.
WebText SanitisePage(const WebText& html)
{
    WebText out;
    out.reserve(html.size());
    size_t n = html.size() < size_t(kMaxPageChars) ? html.size() : size_t(kMaxPageChars);
    for (size_t i = 0; i < n; i++)
        if (!IsDroppedControl(html[i])) out.push_back(html[i]);
    return out;
}

WebText MapTitleText(const WebText& raw)
{
    WebText out;
    out.reserve(raw.size());
    for (char16_t c : raw) AppendTextUnit(out, c);
    return out;
}

WebText ReadTitle(const WebText& page)
{
    size_t open = FindNoCase(page, "<title");
    if (open == WebText::npos) return WebText();
    size_t start = page.find(u'>', open);
    if (start == WebText::npos) return WebText();
    size_t end = FindNoCase(page, "</title", start);
    if (end == WebText::npos) return WebText();
    WebText title = DecodeHtmlEntities(MapTitleText(page.substr(start + 1, end - start - 1)));
    WebText out;
    for (char16_t c : title)
        if (c == '[' || c == '{')
            out.push_back('(');  // a title never opens a link or the link block
        else if (c == ']' || c == '}')
            out.push_back(')');
        else if (c != '\r' && c != '\n' && c != '\t' && c != '\\' && c != '/' && c != ':' && c != '<' &&
                 c != '>')
            out.push_back(c);
    TrimBlanks(out);
    return out;
}

WebText FlattenSource(const WebText& page, size_t start, size_t end)
{
    WebText body;
    body.reserve(end - start);
    for (size_t i = start; i < end; i++) {
        char16_t c = page[i];
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';  // a line break of the source parts words too
        if (c != ' ' || body.empty() || body.back() != ' ') body.push_back(c);
    }
    return body;
}

WebText ReadBody(const WebText& page)
{
    size_t open = FindNoCase(page, "<body");
    size_t start = 0;
    if (open != WebText::npos) {
        start = page.find(u'>', open);
        start = start == WebText::npos ? page.size() : start + 1;
    }
    size_t end = FindNoCase(page, "</body", start);
    if (end == WebText::npos) end = page.size();
    size_t h1 = FindNoCase(page, "<h1", start);
    if (h1 != WebText::npos && h1 < end) {
        for (const char* earlier : {"<h2", "<h3"}) {
            size_t at = FindNoCase(page, earlier, start);
            if (at < h1) h1 = at;
        }
        start = h1;
    }
    for (const char* comments : {"disqus_identifier", "div id=\"disqus_"}) {
        size_t at = FindNoCase(page, comments, start);
        if (at < end) end = at;
    }
    return FlattenSource(page, start, end);
}

// All of the page's text after its head, in reading order: what stands
// outside the body (pages written after their "</body>") and every block.
WebText ReadWholeText(const WebText& page)
{
    size_t start = 0;
    for (const char* head : {"</head", "<body", "</title"}) {
        size_t at = FindNoCase(page, head);
        if (at == WebText::npos) continue;
        at = page.find(u'>', at);
        start = at == WebText::npos ? page.size() : at + 1;
        break;
    }
    return FlattenSource(page, start, page.size());
}

WebText MakeShortTitle(const WebText& title)
{
    WebText out;
    for (char16_t c : title)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ')
            out.push_back(c);
    if (out.size() > kMaxTitleNameChars) out.resize(kMaxTitleNameChars);
    TrimBlanks(out);
    return out;
}

WebText Strip(const WebText& text, char16_t mark)
{
    WebText out;
    out.reserve(text.size());
    for (char16_t c : text)
        if (c != mark) out.push_back(c);
    return out;
}

}  // namespace

PageKind ClassifyPage(const WebText& pageUrl, bool* loose)
{
    *loose = FindNoCase(pageUrl, "wikipedia.") != WebText::npos;
    if (FindNoCase(pageUrl, "news.ycombinator.") != WebText::npos) return kPageForum;
    size_t scheme = pageUrl.find(u"://");
    size_t from = scheme == WebText::npos ? 0 : scheme + 3;
    size_t slash = pageUrl.find(u'/', from);
    if (slash == WebText::npos || slash == pageUrl.size() - 1) return kPageHome;
    return kPageArticle;
}

namespace {

// The note text of a page: the blocks the block rule keeps, or with
// readingOrder every block of the whole page and its short lines too (link
// lists, tables of contents), for a page the rule finds no text in.
WebText CleanPageText(const WebText& page, const WebCleanRequest& request, PageKind kind, bool loose,
                      bool readingOrder, std::vector<WebLink>* links)
{
    WebText text;
    if (readingOrder) {
        text = KeepAllBlocks(RunTagPass(ReadWholeText(page), request.capture));
    } else {
        std::vector<int32_t> breakDepths;
        WebText marked = RunTagPass(ReadBody(page), request.capture, &breakDepths);
        text = KeepTextBlocks(marked, breakDepths, kind, loose);
    }
    if (loose) {
        size_t cut = text.size();
        for (const char16_t* marker : kLooseCuts) {
            size_t at = text.find(marker);
            if (at < cut) cut = at;
        }
        text.resize(cut);
        ReplaceAll(text, u"[edit] ", u"");
    }
    if (!request.capture && !readingOrder) {
        if (loose)
            text = DropShortLineRuns(text, kLooseLineMinimum, true);
        else if (kind == kPageHome)
            text = DropShortLineRuns(text, kHomeLineMinimum, true);
        else
            text = DropShortLineRuns(text, kArticleLineMinimum, false);
    }
    text = ConvertHeadings(CollapseBlankRuns(DecodeHtmlEntities(text)));
    if (request.capture) {
        text = BreakMarkupPairs(CollectWebLinks(text, request.pageUrl, links));
        ReplaceAll(text, u"  [", u" [");
    }
    text = CollapseBlankRuns(Strip(text, kMarkLink));
    if (!readingOrder) {
        size_t kept = text.size();
        text = Strip(TrimShortEdgeLines(text, kEdgeLineMinimum), kMarkLink);
        // Short lines at both ends are menus; a page that is mostly short lines
        // (a list of links with one long entry) is no article at all.
        if (text.size() < kept / 2) text.clear();
    }
    ReplaceAll(text, u"\r\n[] \r\n", u"\r\n");
    TrimBlanks(text);
    PartBracePairs(text);
    return text;
}

}  // namespace

void CleanWebPage(const WebCleanRequest& request, WebCleanResult* result)
{
    *result = WebCleanResult();
    WebText page = SanitisePage(request.html);
    bool loose = false;
    PageKind kind = ClassifyPage(request.pageUrl, &loose);
    loose = loose || request.loose;

    WebText text = CleanPageText(page, request, kind, loose, false, &result->links);
    if (text.size() < kMinBodyChars) {
        result->links.clear();
        text = CleanPageText(page, request, kind, loose, true, &result->links);
    }

    result->title = ReadTitle(page);
    if (result->title.empty()) result->title = request.fallbackTitle;
    if (result->title.empty()) result->title = u"unknown";
    result->shortTitle = MakeShortTitle(result->title);
    result->ok = text.size() >= kMinBodyChars;
    if (!result->ok) {
        result->links.clear();
        result->text =
            u"\r\nCapture failed - hyperlink and snapshot saved. Copy the text manually from the web page "
            u"and paste it into this note.\r\nUrl: " +
            request.pageUrl;
        return;
    }
    WebText heading;
    if (text.find(u"## " + result->shortTitle) == WebText::npos || result->shortTitle.empty())
        heading = (request.capture ? u"# " : u"### ") + result->title + u"\r\n";
    result->text = heading + text + u"\r\n";
    if (!request.capture && result->text.size() > kMaxPreviewChars) {
        result->text.resize(kMaxPreviewChars);
        result->text +=
            u"\r\n\r\n(THIS PREVIEW HAS BEEN SHORTENED BY Tavik FOR FASTER DOWNLOAD AND VIEWING)\r\n";
    }
}
