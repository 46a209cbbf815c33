// Cleaning saved pages (made here) into note text: structure, entities,
// broken mark-up, hostile characters, links, titles and the capture's note.
#include "tests/support/gtest.h"
#include "search/capture/capture_note.h"
#include "search/capture/html_entities.h"
#include "search/capture/web_clean.h"
#include "search/capture/web_tidy.h"
#include <string>

namespace {

WebText W(const std::string& utf8) { return DecodeUtf8(utf8.data(), utf8.size()); }
std::string U(const WebText& text) { return EncodeUtf8(text); }

const std::string kSentence =
    "The notebook keeps every note in one file and links notes to pages, files and pictures alike. ";

std::string Paragraph(int sentences)
{
    std::string p;
    for (int i = 0; i < sentences; i++) p += kSentence;
    return p;
}

WebCleanResult Clean(const std::string& html, bool capture = false,
                     const std::string& url = "https://example.org/articles/page.html",
                     const std::string& fallback = "")
{
    WebCleanRequest request;
    request.html = W(html);
    request.pageUrl = W(url);
    request.fallbackTitle = W(fallback);
    request.capture = capture;
    WebCleanResult result;
    CleanWebPage(request, &result);
    return result;
}

TEST(WebClean, KeepsHeadingsParagraphsListsAndTables)
{
    std::string html = "<html><head><title>Garden notes</title><style>p { color: red }</style></head><body>"
                       "<div class=nav><a href='/'>Home</a> | <a href='/about'>About</a></div>"
                       "<h1>Growing beans</h1><p>" +
                       Paragraph(3) +
                       "</p>"
                       "<ul><li>Sow in May</li><li>Water often</li></ul>"
                       "<table><tr><td>Bean</td><td>Height</td><td>Days</td></tr></table>"
                       "<script>document.write('<p>never shown</p>')</script><!-- <p>hidden</p> -->"
                       "<h2>Harvest</h2><p>" +
                       Paragraph(2) + "</p></body></html>";
    WebCleanResult r = Clean(html);
    std::string text = U(r.text);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ("Garden notes", U(r.title));
    EXPECT_EQ(0u, text.find("### Garden notes\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("### Growing beans")) << text;
    EXPECT_NE(std::string::npos, text.find("### Harvest")) << text;
    EXPECT_NE(std::string::npos, text.find(kSentence.substr(0, 40))) << text;
    EXPECT_NE(std::string::npos, text.find("\xE2\x80\xA2 Sow in May")) << text;
    EXPECT_NE(std::string::npos, text.find("Bean\tHeight\tDays")) << text;
    for (const char* gone : {"never shown", "hidden", "color", "document.write", "<", ">"})
        EXPECT_EQ(std::string::npos, text.find(gone)) << gone << " in " << text;
}

TEST(WebClean, SourceLineBreaksPartWords)
{
    WebCleanResult r =
        Clean("<body><h1>T</h1><p>" + Paragraph(2) + "first\nsecond\r\nthird\tfourth</p></body>");
    EXPECT_NE(std::string::npos, U(r.text).find("first second third fourth")) << "[" << U(r.text) << "]";
}

TEST(WebClean, DecodesEntitiesOnceWithSurrogatesAndReplacementCharacters)
{
    EXPECT_EQ("&lt; < \xC3\xA9 \xC3\xA9 \xE2\x82\xAC - \" '",
              U(DecodeHtmlEntities(W("&amp;lt; &lt; &eacute; &#233; &#128; &mdash; &ldquo; &rsquo;"))));
    EXPECT_EQ("\xF0\x9F\x98\x80 \xEF\xBF\xBD \xEF\xBF\xBD x",
              U(DecodeHtmlEntities(W("&#128512; &#x110000; &#xD800; x"))));
    EXPECT_EQ("ab +/- +/- 1/2 (currency)",
              U(DecodeHtmlEntities(W("a&#0;b &#177; &plusmn; &frac12; &#164;"))));
    EXPECT_EQ("&unknown; & &#; &", U(DecodeHtmlEntities(W("&unknown; & &#; &"))));
    EXPECT_EQ("AE\xC3\x86 y\xC3\xBF",
              U(DecodeHtmlEntities(W("AE&AElig; y&yuml;"))));  // both ends of the table
}

TEST(WebClean, BrokenTagsAndLoneBracketsLoseNoText)
{
    std::string html = "<body><h1>Broken</h1><p>" + Paragraph(2) +
                       " 3 < 5 and 7 > 2 <b>bold</b></p><p>tail " + Paragraph(1) +
                       "<a href=\"/x\" unfinished";
    WebCleanResult r = Clean(html);
    std::string text = U(r.text);
    EXPECT_NE(std::string::npos, text.find("3 < 5 and 7 > 2 bold")) << text;
    EXPECT_NE(std::string::npos, text.find("tail The notebook")) << text;
}

TEST(WebClean, ReservedCharactersNeverReachTheNote)
{
    std::string html = "<html><title>x \xC2\xA4 [t] {{y}}</title><body><h1>Reserved</h1><p>" + Paragraph(2) +
                       " \xC2\xB1 &#177; \xC2\xA4 &#164; \xC2\xBD {{ open }} close }} # hash "
                       "<a href=\"https://example.org/a[1],b c\">odd target</a> nul&#0;x</p></body></html>";
    std::string bad = html;
    bad.insert(bad.find("nul"), std::string(1, '\0'));
    WebCleanResult r = Clean(bad, true);
    CapturedNote note;
    ComposeCapturedNote(r, W("https://example.org/articles/page.html"), 99000, W("today"), &note);
    std::string text = U(note.text);
    std::string body = text.substr(0, text.rfind("\r\n{{\r\n"));
    for (const char* gone : {"\xC2\xB1", "\xC2\xA4", "\xC2\xBD", "{{", "}}", std::string(1, '\0').c_str()})
        EXPECT_EQ(std::string::npos, std::string(gone).empty() ? body.find('\0') : body.find(gone)) << text;
    EXPECT_NE(std::string::npos, text.find("[odd target:https://example.org/a%5B1%5D%2Cb%20c]")) << text;
    EXPECT_NE(std::string::npos, body.find("#_ hash")) << body;
    EXPECT_EQ("x (currency) (t) ((y))", U(r.title));
}

// Braces that only meet once a link's text is taken out, in a heading or
// around a link: no line of the note's body is a fence of its link block.
TEST(WebClean, BracesJoinedByLaterStepsNeverFormTheLinkBlocksFences)
{
    std::string braces(40, '{');
    for (const std::string& html :
         {"<><a href=2>" + braces + "]" + braces + "2 {{{{{{{{2 2 22 {{{{{2222 22 }}}}}}}}22222 }}}}22 {{",
          "<h2>" + braces + "</h2><p>" + Paragraph(2) + "{<a href=\"/x\">{</a>} }<a href=\"/y\">}</a></p>",
          "<p>" + Paragraph(2) + "</p><p>{</p><p><a href=\"/z\">{</a>{</p><p>}}</p>"}) {
        for (bool capture : {false, true}) {
            WebCleanResult r = Clean(html, capture);
            CapturedNote note;
            ComposeCapturedNote(r, W("https://example.org/{{/}}"), 99000, W("today"), &note);
            std::string text = U(note.text);
            std::string body = text.substr(0, text.rfind("\r\n{{\r\n"));
            EXPECT_EQ(std::string::npos, body.find("{{")) << body;
            EXPECT_EQ(std::string::npos, body.find("}}")) << body;
            EXPECT_EQ(std::string::npos, U(r.text).find("{{")) << U(r.text);
        }
    }
}

TEST(WebClean, CollectsLinksAsAbsoluteTargetsAndNeverLiveScripts)
{
    std::string html =
        "<body><h1>Links</h1><p>" + Paragraph(3) +
        "<a href=\"/root/page\">Root page</a> <a href=\"../up/one\">Up one</a> "
        "<a href=\"same-folder.html\">Same folder</a> <a href=\"//cdn.example.net/file\">Other host</a> "
        "<a href=\"javascript:alert(1)\">Script link</a> <a href=\"file:///etc/passwd\">File link</a> "
        "<a href=\"mailto:me@example.org\">Mail me</a> <a "
        "href=\"https://example.org/articles/page.html\">Self</a> "
        "<a href=\"#top\">Top</a> <a href=\"http://a.b\">Tiny</a> " +
        Paragraph(2) + "</p></body>";
    WebCleanResult r = Clean(html, true);
    std::string links;
    for (const WebLink& link : r.links) links += U(link.label) + "=" + U(link.target) + "\n";
    EXPECT_EQ("Root page=https://example.org/root/page\n"
              "Up one=https://example.org/up/one\n"
              "Same folder=https://example.org/articles/same-folder.html\n"
              "Other host=https://cdn.example.net/file\n"
              "Mail me=mailto:me@example.org\n",
              links);
    std::string text = U(r.text);
    EXPECT_NE(std::string::npos, text.find("[Root page] [Up one]")) << text;
    EXPECT_NE(std::string::npos, text.find(" Script link File link ")) << text;
    EXPECT_EQ(std::string::npos, text.find("javascript")) << text;
}

TEST(WebClean, SiteRulesFollowThePagesAddress)
{
    bool loose;
    EXPECT_EQ(kPageHome, ClassifyPage(W("https://example.org"), &loose));
    EXPECT_EQ(kPageHome, ClassifyPage(W("https://example.org/"), &loose));
    EXPECT_EQ(kPageArticle, ClassifyPage(W("https://example.org/a/b"), &loose));
    EXPECT_FALSE(loose);
    EXPECT_EQ(kPageArticle, ClassifyPage(W("https://en.wikipedia.org/wiki/Bean"), &loose));
    EXPECT_TRUE(loose);
    EXPECT_EQ(kPageForum, ClassifyPage(W("https://news.ycombinator.com/item?id=1"), &loose));
}

TEST(WebClean, TitlesFallBackAndShortPagesFail)
{
    WebCleanResult r = Clean("<body><h1>Untitled</h1><p>" + Paragraph(2) + "</p></body>", false,
                             "https://a.org/x", "Browser title");
    EXPECT_EQ("Browser title", U(r.title));
    r = Clean("<body><h1>Untitled</h1><p>" + Paragraph(2) + "</p></body>");
    EXPECT_EQ("unknown", U(r.title));
    r = Clean("<html><title>Empty</title><body><p>Too short.</p></body></html>", true);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(std::string::npos, U(r.text).find("Capture failed")) << U(r.text);
    EXPECT_NE(std::string::npos, U(r.text).find("Url: https://example.org/articles/page.html"));
    EXPECT_TRUE(r.links.empty());
}

TEST(WebClean, AHugePageIsCappedAndCleanedInLinearTime)
{
    std::string html = "<html><title>Big</title><body><h1>Big</h1>";
    while (html.size() < 5 * 1024 * 1024)
        html += "<p>" + Paragraph(3) + "<a href=\"/p\">more</a></p><div><span>x</span></div>";
    html += "<p>THE END</p></body></html>";
    DWORD start = GetTickCount();
    WebCleanResult r = Clean(html, true);
    EXPECT_LT(GetTickCount() - start, 20000u);  // a guard against quadratic passes, not a timing
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(std::string::npos, U(r.text).find("THE END"));  // beyond the 4 MB cap
}

TEST(WebCapture, TheNoteCarriesHeaderBodyAndLinkBlock)
{
    std::string html = "<html><title>Bean: a guide</title><body><h1>Beans</h1><p>" + Paragraph(3) +
                       "<a href=\"/seeds\">Seed shop</a></p></body></html>";
    WebCleanResult r = Clean(html, true);
    CapturedNote note;
    ComposeCapturedNote(r, W("https://example.org/articles/page.html"), 99990,
                        W("Monday 7 December 2026 13:50 (Mon.07.Dec.26)"), &note);
    EXPECT_EQ("www_99990_Bean_a_guide", U(note.name));
    std::string text = U(note.text);
    EXPECT_EQ(
        0u, text.find(
                "Captured: [web99990] - Monday 7 December 2026 13:50 (Mon.07.Dec.26)\r\n# Bean a guide\r\n"))
        << text;
    EXPECT_NE(std::string::npos, text.find("\r\n{{\r\n[Seed shop:https://example.org/seeds]\r\n"
                                           "[web99990:https://example.org/articles/page.html]\r\n}}"))
        << text;
    EXPECT_EQ("www_12345_A_very_long_title_t", U(CaptureName(12345, W("A very long title that goes on"))));
    EXPECT_EQ("www_5X", U(CaptureName(5, W(""))));  // a name never ends in "_"
}

TEST(WebCapture, ALongCaptureIsCutWithItsNoticeAndOneLink)
{
    std::string html = "<html><title>Long</title><body><h1>Long</h1>";
    for (int i = 0; i < 60; i++)
        html += "<p>" + Paragraph(10) + "<a href=\"/l" + std::to_string(i) + "\">link " + std::to_string(i) +
                "</a></p>";
    html += "</body></html>";
    WebCleanResult r = Clean(html, true);
    CapturedNote note;
    ComposeCapturedNote(r, W("https://example.org/long"), 7, W("d"), &note);
    std::string text = U(note.text);
    EXPECT_LE(note.text.size(), size_t(kMaxCaptureNoteChars));
    EXPECT_NE(
        std::string::npos,
        text.find(
            "(THE CAPTURE HAS BEEN AUTOMATICALLY SHORTENED BY Tavik )\r\nUrl: https://example.org/long"));
    const std::string oneLink = "\r\n{{\r\n[web7:https://example.org/long]\r\n}}";
    EXPECT_EQ(text.size() - oneLink.size(), text.find(oneLink)) << text.substr(text.size() - 80);
}

TEST(WebTidy, ShortLineRunsEdgesBlanksAndMarkupPairs)
{
    EXPECT_EQ("a long enough line here\r\n#\xC2\xB1#x\r\nok\r\n",
              U(DropShortLineRuns(W("menu\r\nabout\r\na long enough line here\r\n#\xC2\xB1#x\r\nok\r\n"), 15,
                                  false)));
    EXPECT_EQ(
        "### kept head\r\na line that is long enough\r\n### kept\r\n",
        U(TrimShortEdgeLines(
            W("short\r\n### kept head\r\nx\r\na line that is long enough\r\n### kept\r\nend\r\n"), 20)));
    EXPECT_EQ("a  b\r\n\r\n\r\nc\r\n", U(CollapseBlankRuns(W("  a    b \r\n\r\n\r\n\r\n\r\n c\r\n"))));
    EXPECT_EQ("ab--_c**_d//_e", U(BreakMarkupPairs(W("ab--c**d//e"))));
    EXPECT_EQ("a--b", U(BreakMarkupPairs(W("a--b"))));
}

}  // namespace
