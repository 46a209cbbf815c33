// The text rules of link previews: what a link points to, the web cache's
// name, captions, and reading text files of every kind within their bounds.
#include "tests/support/gtest.h"
#include "tests/support/test_files.h"
#include "search/capture/page_charset.h"
#include "search/capture/page_decode.h"
#include "search/preview/preview_target.h"
#include "search/preview/preview_text.h"
#include "search/quick/quick_rules.h"
#include <string>

namespace {

std::string Utf8(const WebText& text)
{
    return Utf8(AIString().AssignTextN(reinterpret_cast<const WCHAR*>(text.c_str()), (int)text.size()));
}

std::string Key(const WCHAR* target)
{
    AIString key;
    WebCacheKey(target, key);
    return Utf8(key);
}

PreviewTextResult Decode(const std::string& bytes, AIString& out)
{
    return DecodePreviewBytes(reinterpret_cast<const unsigned char*>(bytes.data()), (int)bytes.size(), out);
}

std::string Utf16Bytes(const WCHAR* text, bool mark = true)
{
    std::string out = mark ? std::string("\xFF\xFE", 2) : std::string();
    for (const WCHAR* p = text; *p; p++) {
        out.push_back((char)(*p & 0xFF));
        out.push_back((char)(*p >> 8));
    }
    return out;
}

AIString TempPath(const WCHAR* name)
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString path(temp);
    path.AppendText(L"tavik_preview_").AppendInt((int32_t)GetCurrentProcessId()).AppendText(name);
    return path;
}

}  // namespace

TEST(PreviewTarget, EachLinkKindIsToldApart)
{
    EXPECT_EQ(kPreviewWebPage, ClassifyPreviewTarget(L"http://example.org/a"));
    EXPECT_EQ(kPreviewWebPage, ClassifyPreviewTarget(L"Hyperlink: https://example.org"));
    EXPECT_EQ(kPreviewWebPage, ClassifyPreviewTarget(L"www.example.org"));
    EXPECT_EQ(kPreviewNote, ClassifyPreviewTarget(L"Garden tools"));
    // The extension decides in any letter case.
    EXPECT_EQ(kPreviewTextFile, ClassifyPreviewTarget(L"Open file:C:\\docs\\Report.PDF"));
    EXPECT_EQ(kPreviewRtfFile, ClassifyPreviewTarget(L"file:C:\\docs\\letter.RTF"));
    EXPECT_EQ(kPreviewImage, ClassifyPreviewTarget(L"rel:\\images\\photo.JPG"));
    EXPECT_EQ(kPreviewTextFile, ClassifyPreviewTarget(L"\\\\server\\share\\notes.txt"));
    // Schemes with nothing to preview.
    EXPECT_EQ(kPreviewNothing, ClassifyPreviewTarget(L"mailto:someone@example.org"));
    EXPECT_EQ(kPreviewNothing, ClassifyPreviewTarget(L"javascript:alert(1)"));
    EXPECT_EQ(kPreviewNothing, ClassifyPreviewTarget(L"  "));

    EXPECT_TRUE(HasExtensionNoCase(L"C:\\a\\b.Pdf", L"pdf"));
    EXPECT_FALSE(HasExtensionNoCase(L"C:\\a\\b.pdf.txt", L"pdf"));
    EXPECT_FALSE(HasExtensionNoCase(L"C:\\a.pdf\\readme", L"pdf"));
    EXPECT_FALSE(HasExtensionNoCase(L"C:\\a\\xpdf", L"pdf"));
}

TEST(PreviewTarget, WebCacheNamesAreSafeFileNamesOfAtMostFiftyCharacters)
{
    EXPECT_EQ("examplecompagehtml", Key(L"http://example.com/page.html"));
    EXPECT_EQ("wwwexampleorg", Key(L"Hyperlink: https://www.example.org/"));
    EXPECT_EQ("examplecom", Key(L"automatic hyperlink: http://example.com"));
    // Every character that could leave the folder or break the name goes.
    EXPECT_EQ("abcdefgh", Key(L"http://a/b\\c:d*e?f\"g<h>|"));
    std::string longKey =
        Key(L"http://example.com/aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa");
    EXPECT_EQ(50u, longKey.size());
    AIString path;
    WebCachePath(L"C:\\Notes\\", L"http://example.com/x", path);
    EXPECT_EQ("C:\\Notes\\txt\\examplecomx.txt", Utf8(path));
    WebCachePath(L"C:\\Notes\\", L"http://", path);
    EXPECT_TRUE(path.IsEmpty());

    AIString name;
    WebShownName(L"http://www.example.org/page", name);
    EXPECT_EQ("example", Utf8(name));
    WebShownName(L"https://news.site.com/", name);
    EXPECT_EQ("news", Utf8(name));
}

TEST(PreviewTarget, CaptionsLineBreaksAndTheBoldFirstLine)
{
    AIString caption;
    TextFileCaption(L"C:\\Temp\\txt\\geese.dict.txt", 0, caption);
    EXPECT_EQ("Dictionary: geese\r\n", Utf8(caption));
    TextFileCaption(L"C:\\Temp\\txt\\annual report.pdf.txt", 1, caption);
    EXPECT_EQ("Preview PDF file: annual report\r\n", Utf8(caption));
    TextFileCaption(L"C:\\docs\\todo.txt", 0, caption);
    EXPECT_EQ("Preview text file: todo.txt\r\n", Utf8(caption));

    AIString text(L"a\r\rb\r\nc\r\r");
    BreakDoubleCarriageReturns(text, 100);
    EXPECT_EQ("a\r\n\rb\r\nc\r\n\r", Utf8(text));
    // Without room the line ends stay as they were and nothing is cut.
    AIString full(L"x\r\ry");
    BreakDoubleCarriageReturns(full, 4);
    EXPECT_EQ("x\r\ry", Utf8(full));

    EXPECT_EQ(0, BoldFirstLineLength(L"a\rrest", 6));
    EXPECT_EQ(5, BoldFirstLineLength(L"Title\rrest", 10));
    AIString line;
    for (int i = 0; i < 99; i++) line.AppendChar(L'x');
    EXPECT_EQ(99, BoldFirstLineLength(line.GetText(), line.GetLength()));
    line.AppendChar(L'x');
    EXPECT_EQ(0, BoldFirstLineLength(line.GetText(), line.GetLength()));
}

TEST(PreviewText, EveryEncodingIsReadAndOnlyWholeCharactersKept)
{
    AIString out;
    // UTF-16 with its mark: the mark is skipped; an odd last byte and a cut
    // surrogate pair are dropped.
    EXPECT_EQ(kPreviewTextOk, Decode(Utf16Bytes(L"Gr\u00FC\u00DFe"), out));
    EXPECT_EQ("Gr\xC3\xBC\xC3\x9F"
              "e",
              Utf8(out));
    EXPECT_EQ(kPreviewTextOk, Decode(Utf16Bytes(L"ab") + std::string("\x3D\xD8", 2) + "x", out));
    EXPECT_EQ("ab", Utf8(out));
    // UTF-8 with and without a mark; a sequence cut by the bound is dropped.
    EXPECT_EQ(kPreviewTextOk, Decode("\xEF\xBB\xBF"
                                     "caf\xC3\xA9",
                                     out));
    EXPECT_EQ("caf\xC3\xA9", Utf8(out));
    EXPECT_EQ(kPreviewTextOk, Decode("na\xC3\xAFve \xE2\x82", out));
    EXPECT_EQ("na\xC3\xAFve ", Utf8(out));
    // The mark decides: one bad byte in a marked file never turns it into
    // 8-bit text (every accented letter would be garbled).
    EXPECT_EQ(kPreviewTextOk, Decode("\xEF\xBB\xBF"
                                     "caf\xC3\xA9 \xFF r\xC3\xB4le",
                                     out));
    EXPECT_EQ(0, out.FindText(L"caf\u00E9 ")) << Utf8(out);
    EXPECT_LT(0, out.FindText(L" r\u00F4le")) << Utf8(out);
    // 8-bit text that is not UTF-8 goes through the ANSI code page, whole.
    EXPECT_EQ(kPreviewTextOk, Decode("caf\xE9 au lait", out));
    EXPECT_EQ(12, out.GetLength());
    EXPECT_EQ(-1, out.FindChar(0xFFFD));
    // Not text, and nothing at all.
    EXPECT_EQ(kPreviewTextBinary, Decode(std::string("MZ\x90\0\x03", 5), out));
    EXPECT_EQ(kPreviewTextEmpty, Decode("", out));
    EXPECT_EQ(kPreviewTextEmpty, Decode("\xFF\xFE", out));
    EXPECT_EQ(kPreviewTextEmpty, Decode("\xEF\xBB\xBF", out));
    EXPECT_STRNE("", Utf8(AIString(PreviewTextFailureText(kPreviewTextBinary))).c_str());
}

TEST(PreviewText, FilesAreReadWithinTheirBoundAfterTheMark)
{
    AIString path = TempPath(L"_big.txt");
    // A web cache: UTF-16 with its mark, longer than its bound of 40,000 bytes.
    AIString text;
    for (int i = 0; i < 30000; i++) text.AppendChar((WCHAR)(L'a' + i % 26));
    WriteBytes(path.GetText(), Utf16Bytes(text.GetText()));
    AIString out;
    ASSERT_EQ(kPreviewTextOk, ReadPreviewTextFile(path.GetText(), kWebCacheMaxBytes, out));
    EXPECT_EQ(kWebCacheMaxBytes / 2, out.GetLength());
    EXPECT_EQ(L'a', out.CharAt(0));
    EXPECT_EQ(0, out.GetText()[out.GetLength()]);
    // An 8-bit file over 50,000 bytes.
    WriteBytes(path.GetText(), std::string(70000, 'z'));
    ASSERT_EQ(kPreviewTextOk, ReadPreviewTextFile(path.GetText(), kTextFileMaxBytes, out));
    EXPECT_EQ(kTextFileMaxBytes, out.GetLength());
    DeleteFileW(path.GetText());
    EXPECT_EQ(kPreviewTextMissing, ReadPreviewTextFile(path.GetText(), kTextFileMaxBytes, out));
    EXPECT_TRUE(out.IsEmpty());
}

TEST(PageCharset, TheCharsetComesFromTheMarkTheHeaderOrTheMetaTag)
{
    EXPECT_EQ(1252u, CodePageOfContentType("text/html; charset=windows-1252"));
    EXPECT_EQ(28592u, CodePageOfContentType("text/html;charset=\"ISO-8859-2\""));
    EXPECT_EQ(0u, CodePageOfContentType("text/html"));
    EXPECT_EQ(0u, CodePageOfCharsetName("x-unknown", 9));
    EXPECT_EQ(1252u, CodePageOfCharsetName(" Latin1 ", 8));

    const char metaShort[] = "<html><head><meta charset=\"iso-8859-15\"><title>x</title>";
    const char metaLong[] =
        "<head><META http-equiv='Content-Type' content='text/html; charset=windows-1251'>";
    EXPECT_EQ(28605u, FindPageCodePage(nullptr, metaShort, sizeof metaShort - 1));
    EXPECT_EQ(1251u, FindPageCodePage("text/html", metaLong, sizeof metaLong - 1));
    // The header wins over the meta tag; a byte-order mark over both.
    EXPECT_EQ(1252u, FindPageCodePage("text/html; charset=windows-1252", metaLong, sizeof metaLong - 1));
    EXPECT_EQ((unsigned)kCodePageUtf16Le,
              FindPageCodePage("text/html; charset=windows-1252", "\xFF\xFE<\0", 4));
    EXPECT_EQ((unsigned)kCodePageUtf8, FindPageCodePage(nullptr, "<p>plain</p>", 12));
    // A meta tag read as 8-bit text cannot name UTF-16.
    const char metaUtf16[] = "<meta charset=utf-16>";
    EXPECT_EQ((unsigned)kCodePageUtf8, FindPageCodePage(nullptr, metaUtf16, sizeof metaUtf16 - 1));
}

TEST(PageCharset, PagesInOtherEncodingsDecodeToTheirCharacters)
{
    // windows-1252's curly quotes and euro sign.
    EXPECT_EQ("\xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC"
              "5",
              Utf8(DecodePageBytes("\x93quoted\x94 \x80"
                                   "5",
                                   11, 1252)));
    // ISO-8859-2: a Polish a-ogonek and s-acute.
    EXPECT_EQ("\xC4\x85\xC5\x9B", Utf8(DecodePageBytes("\xB1\xB6", 2, 28592)));
    // UTF-16 in both byte orders, marks dropped.
    EXPECT_EQ("<p>\xC3\xA9", Utf8(DecodePageBytes("\xFF\xFE<\0p\0>\0\xE9\0", 10, kCodePageUtf16Le)));
    EXPECT_EQ("<p>", Utf8(DecodePageBytes("\xFE\xFF\0<\0p\0>", 8, kCodePageUtf16Be)));
    // UTF-8 as before; an unknown code page still keeps every byte.
    EXPECT_EQ("\xC3\xA9", Utf8(DecodePageBytes("\xC3\xA9", 2, kCodePageUtf8)));
    EXPECT_EQ(3u, DecodePageBytes("a\xE9z", 3, 59999).size());
}

TEST(QuickPreviewTips, TheTipsCycleAndAnUnmatchedTextGetsNone)
{
    AIString first, tip;
    QuickPreviewTipText(0, 0, first);
    EXPECT_NE(-1, first.FindText(L"Left arrow to reset"));
    const WCHAR* expected[] = {L"Left arrow to reset", L"Up/Down arrow", L"Use Escape", L"Alt+Left arrow"};
    for (int i = 0; i <= kQuickTipCount; i++) {
        QuickPreviewTipText(i, 0, tip);
        EXPECT_TRUE(tip.StartsWith(L"Search notes..")) << i;
        EXPECT_NE(-1, tip.FindText(expected[i % kQuickTipCount])) << i;
    }
    QuickPreviewTipText(2, 1, tip);
    EXPECT_TRUE(tip.StartsWith(L"No matching note.."));
    EXPECT_EQ(-1, tip.FindText(L"Tip:"));
}
