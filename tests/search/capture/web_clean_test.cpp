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

// A label holds the first words of a long link text that fit; the words
// after it stay in the text, and the label matches its entry.
TEST(WebClean, LinkWordsBeyondTheLabelStayInTheText)
{
    std::string html = "<body><h1>Setup</h1><p>" + Paragraph(3) +
                       "See <a href=\"/setup.html\">Installing and configuring the notebook on a new, clean "
                       "machine</a>. Then <a href=\"/x.html\">averyveryverylongwordwithoutblanks and more</a>"
                       "then <a href=\"/y.html\">short one</a>next. " +
                       Paragraph(1) + "</p></body>";
    WebCleanResult r = Clean(html, true);
    std::string text = U(r.text);
    EXPECT_NE(std::string::npos,
              text.find("See [Installing and configuring] the notebook on a new, clean machine. Then "
                        "[averyveryverylongwordwithoutb] and morethen [short one] next."))
        << text;
    ASSERT_EQ(3u, r.links.size());
    EXPECT_EQ("Installing and configuring", U(r.links[0].label));
    EXPECT_EQ("averyveryverylongwordwithoutb", U(r.links[1].label));
}

// Reserved characters are mapped in the text only: an address keeps its own
// characters (percent-encoded where the note would read them), its anchor and
// its query, whether written raw or as references.
TEST(WebClean, AddressesKeepTheirCharactersPercentEncoded)
{
    std::string html = "<body><h1>Prices</h1><p>" + Paragraph(3) +
                       "Sign \xC2\xA4 and \xC2\xB1 in the text. "
                       "<a href=\"https://example.org/pay/\xC2\xA4/list?a=1&amp;b=2\">Price list</a> "
                       "<a href=\"https://example.org/q?c=&#164;&amp;d=&#xB1;\">Coins</a> "
                       "<a href=\"https://example.org/guide.html#sec-2\">Section two</a> "
                       "<a href=\"https://example.org/half/\xC2\xBD&frac12;\">Half</a> "
                       "Smile \xF0\x9F\x98\x80 kept. " +
                       Paragraph(1) + "</p></body>";
    WebCleanResult r = Clean(html, true);
    std::string links;
    for (const WebLink& link : r.links) links += U(link.label) + "=" + U(link.target) + "\n";
    EXPECT_EQ("Price list=https://example.org/pay/%C2%A4/list?a=1&b=2\n"
              "Coins=https://example.org/q?c=%C2%A4&d=%C2%B1\n"
              "Section two=https://example.org/guide.html#sec-2\n"
              "Half=https://example.org/half/%C2%BD%C2%BD\n",
              links);
    std::string text = U(r.text);
    EXPECT_NE(std::string::npos, text.find("Sign (currency) and +/- in the text.")) << text;
    EXPECT_NE(std::string::npos, text.find("Smile \xF0\x9F\x98\x80 kept.")) << text;
    EXPECT_EQ(std::string::npos, text.find("\xC2\xA4")) << text;
}

// Documentation pages that are all table, link list or table of contents: the
// block rule finds no text block in them, and their text comes in reading
// order with its headings and links instead of a failure.
TEST(WebClean, LinkListAndTablePagesKeepTheirTextInReadingOrder)
{
    // A home page laid out in a table, written after an empty body.
    std::string table =
        "<html><head><title>Home of Typesetter</title></head><body></body></html>"
        "<table><tr><td width=30%><a href=\"page-1.html#h1\">License</a><br>"
        "<a href=\"page-2.html#h2\">Bug reports</a><br><a href=\"page-3.html#h3\">News 1.22</a><br></td>"
        "<td><p>This is the home page of a typesetter that reads text mixed with commands.</p>"
        "<p>The sources are at <a href=\"https://ftp.example.net/pub/\">the file host</a> today.</p>"
        "</td></tr></table>";
    // A table of contents: a heading and one short link a line.
    std::string contents = "<html><head><title>Making Pictures</title></head><body><h1>Making Pictures</h1>";
    for (int i = 1; i <= 30; i++)
        contents += "<a href=\"pic-" + std::to_string(i) + ".html#" + std::to_string(i) + ". Part\">" +
                    std::to_string(i) + ". Part " + std::to_string(i) + "</a><br>\n";
    contents += "</body></html>";
    // A figure index: a navigation panel and a nested list of 130 links.
    std::string figures = "<HTML><HEAD><TITLE>figures</TITLE></HEAD><BODY><DIV CLASS=\"navigation\">"
                          "<A HREF=\"node1.html\"><IMG ALT=\"next\" SRC=\"next.png\"></A><BR>"
                          "<B>Next:</B> <A HREF=\"node1.html\">Start</A></DIV><UL>";
    for (int i = 2; i < 132; i++)
        figures += std::string(i % 10 == 0 ? "<UL>" : "") + "<LI><A\n HREF=\"node" + std::to_string(i) +
                   ".html\">Figure " + std::to_string(i) + "</A>" + (i % 10 == 5 ? "</UL>" : "");
    figures += "</UL></BODY></HTML>";

    for (bool capture : {true, false}) {
        WebCleanResult r = Clean(table, capture, "https://example.org/doc/webpage.html");
        std::string text = U(r.text);
        EXPECT_TRUE(r.ok) << text;
        size_t license = text.find(capture ? "[License]" : "License");
        size_t home = text.find("This is the home page of a typesetter");
        EXPECT_NE(std::string::npos, license) << text;
        EXPECT_LT(license, home) << text;
        EXPECT_NE(std::string::npos, text.find(capture ? "at [the file host] today." : "at the file host today."))
            << text;
        if (capture) {
            ASSERT_EQ(4u, r.links.size());
            EXPECT_EQ("https://example.org/doc/page-1.html#h1", U(r.links[0].target));
        }

        r = Clean(contents, capture, "https://example.org/doc/pic.html");
        text = U(r.text);
        EXPECT_TRUE(r.ok) << text;
        EXPECT_EQ(0u, text.find(capture ? "### Making Pictures\r\n[1. Part 1]" : "### Making Pictures\r\n1. Part 1"))
            << text;  // the page heading, once
        size_t first = text.find("1. Part 1"), last = text.find("30. Part 30");
        EXPECT_NE(std::string::npos, first) << text;
        EXPECT_LT(first, last) << text;
        if (capture) {
            ASSERT_EQ(30u, r.links.size());
            EXPECT_EQ("https://example.org/doc/pic-30.html#30.%20Part", U(r.links[29].target));
        }

        r = Clean(figures, capture, "https://example.org/doc/figures.html");
        text = U(r.text);
        EXPECT_TRUE(r.ok) << text;
        EXPECT_NE(std::string::npos, text.find("\xE2\x80\xA2 " + std::string(capture ? "[Figure 2]" : "Figure 2")))
            << text;
        EXPECT_NE(std::string::npos, text.find("Figure 131")) << text;
        if (capture) EXPECT_EQ(size_t(kMaxWebLinks), r.links.size());
    }
}

// Generated manuals wrap each heading in containers of its own (title pages,
// member titles): every section keeps its heading, and only a heading that
// stands directly under another one, with no text between, is a menu.
TEST(WebClean, HeadingsInTheirOwnContainersAreKeptForEverySection)
{
    std::string html = "<html><title>Manual</title><body><div class=\"navheader\"><a href=\"a.html\">Prev</a>"
                       "</div><div class=\"chapter\"><div class=\"titlepage\"><h1>Chapter</h1></div><p>" +
                       Paragraph(3) + "</p>";
    for (const char* name : {"First", "Second", "Third"})
        html += std::string("<div class=\"section\"><div class=\"titlepage\"><div><h2 class=\"title\">") + name +
                " section</h2></div></div><p>" + Paragraph(3) + "</p></div>";
    html += "<div class=\"toc\"><h3>Menu one</h3></div><div><h3>Menu two</h3></div></div></body></html>";
    std::string text = U(Clean(html).text);
    for (const char* heading : {"### Chapter", "### First section", "### Second section", "### Third section"})
        EXPECT_NE(std::string::npos, text.find(heading)) << heading << " in " << text;
    EXPECT_EQ(std::string::npos, text.find("Menu two")) << text;
}

// An article of one long section and shorter ones nested in it: the main
// block is the whole article, not its densest section, and the side bar
// beside it stays out.
TEST(WebClean, TheMainBlockBringsTheRestOfItsArticle)
{
    std::string html = "<html><title>Guide</title><body><div class=\"related\"><h3>Navigation</h3><ul>"
                       "<li><a href=\"genindex.html\">index</a></li></ul></div><div class=\"document\">"
                       "<div class=\"body\"><section id=\"intro\"><h1>Introduction</h1><p>" +
                       Paragraph(13) + "</p><section id=\"install\"><h2>Installation</h2><div class=\"code\">"
                       "<pre>pip install notebook</pre></div><p>Install it into a virtual environment first, "
                       "then check the version it reports.</p></section></section></div></div>"
                       "<div class=\"sidebar\"><h3>Related topics</h3><ul>";
    for (int i = 0; i < 8; i++)
        html += "<li><a href=\"topic" + std::to_string(i) + ".html\">Topic number " + std::to_string(i) + "</a></li>";
    html += "</ul></div></body></html>";
    std::string text = U(Clean(html).text);
    size_t intro = text.find("### Introduction"), install = text.find("### Installation");
    EXPECT_NE(std::string::npos, intro) << text;
    EXPECT_LT(intro, install) << text;
    EXPECT_NE(std::string::npos, text.find("pip install notebook")) << text;
    EXPECT_NE(std::string::npos, text.find("then check the version it reports.")) << text;
    EXPECT_EQ(std::string::npos, text.find("Topic number")) << text;
}

// A table of contents with one entry longer than the short lines trimmed at
// the text's edges is still a list: it is kept whole, in reading order.
TEST(WebClean, AListWithOneLongEntryIsKeptWhole)
{
    std::string html = "<html><title>Contents</title><body><h1>Contents</h1><ul>";
    for (int i = 1; i <= 40; i++) {
        html += "<li><a href=\"ch" + std::to_string(i) + ".html\">Chapter " + std::to_string(i) + " of the guide</a></li>";
        if (i == 20) html += "<li>An entry without any link that runs on well past fifty characters</li>";
    }
    html += "</ul></body></html>";
    for (bool capture : {false, true}) {
        std::string text = U(Clean(html, capture).text);
        size_t first = text.find("Chapter 1 of"), last = text.find("Chapter 40 of");
        EXPECT_NE(std::string::npos, first) << text;
        EXPECT_NE(std::string::npos, last) << text;
        EXPECT_NE(std::string::npos, text.find("runs on well past")) << text;
    }
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
