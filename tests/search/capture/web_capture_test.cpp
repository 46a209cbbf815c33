// Captures from a web server on 127.0.0.1 (started by run_with_server.sh): a
// page becomes a note with the page's links in its link block; a failed
// download and a time-out leave no note.
#include "tests/notestore/store_test_files.h"
#include "notestore/note_store.h"
#include "search/capture/web_capture.h"
#include <stdlib.h>

namespace {

class WebCapture : public ::testing::Test {
protected:
    void SetUp() override
    {
        CloseDatafile();
        AIString records;
        records.AppendString(NoteRecord(L"Start", L"first note"));
        records.AppendString(NoteRecord(L"www_99998_Old_capture", L"an earlier capture"));
        path = folder.File(L"notes.tavik");
        WriteBytes(path.GetText(), DataFile(records));
        ASSERT_EQ(1, LoadDatafile(path.GetText()));
        const char* port = getenv("TAVIK_TEST_PORT");
        ASSERT_TRUE(port != nullptr) << "run through run_with_server.sh";
        base.AssignText(L"http://127.0.0.1:").AppendAscii(port);
        SetWebDownloadTimeouts(2000, 2000);
    }
    void TearDown() override { CloseDatafile(); }

    AIString Url(const WCHAR* path) const
    {
        AIString url(base);
        return url.AppendText(path);
    }

    ScratchFolder folder;
    AIString path;
    AIString base;
};

TEST_F(WebCapture, APageBecomesANoteWithItsLinks)
{
    AIString title;
    ASSERT_EQ(kCaptureStored, CaptureWebPageAsNote(Url(L"/article.html").GetText(), nullptr, &title));
    // 100000 less two notes is taken by the earlier capture: the next free number is used.
    EXPECT_EQ("www_99997_Bean_guide", Utf8(title));
    EXPECT_EQ(Utf8(title), Utf8(GetLastCaptureName()));
    int32_t note = FindNoteByTitle(title.GetText(), 0, 0);
    ASSERT_GE(note, 0);
    ASSERT_EQ(1, LoadNoteText(note, 0));
    std::string text = Utf8(g_noteStore.currentText);
    EXPECT_NE(std::string::npos, text.find("Captured: [web99997] - ")) << text;
    EXPECT_NE(std::string::npos, text.find("# Bean guide\r\n### Growing beans")) << text;
    EXPECT_NE(std::string::npos, text.find("[Seed shop]")) << text;
    EXPECT_NE(std::string::npos, text.find("[Seed shop:" + Utf8(base) + "/seeds/list.html]")) << text;
    EXPECT_NE(std::string::npos, text.find("[bean guide:https://example.org/beans/guide]")) << text;
    EXPECT_NE(std::string::npos, text.find("[web99997:" + Utf8(base) + "/article.html]")) << text;
    EXPECT_EQ(std::string::npos, text.find("Home")) << text;  // the menu is not page text
    EXPECT_EQ(1, LoadNoteText(FindNoteByTitle(L"www_99998_Old_capture", 0, 0), 0));
    EXPECT_EQ("an earlier capture", Utf8(g_noteStore.currentText).substr(0, 18));
}

TEST_F(WebCapture, AFailedDownloadAndATimeOutLeaveNoNote)
{
    int32_t notes = GetNoteCount();
    AIString title;
    EXPECT_EQ(kCaptureDownloadFailed, CaptureWebPageAsNote(Url(L"/missing").GetText(), nullptr, &title));
    EXPECT_TRUE(title.IsEmpty());
    DWORD start = GetTickCount();
    EXPECT_EQ(kCaptureDownloadFailed, CaptureWebPageAsNote(Url(L"/slow").GetText(), nullptr, &title));
    EXPECT_LT(GetTickCount() - start, 7000u);  // the time-out ended it, not the server
    EXPECT_EQ(notes, GetNoteCount());
}

TEST_F(WebCapture, PagesInOtherEncodingsKeepTheirCharacters)
{
    struct Case {
        const WCHAR* path;
        const char* expected;
    } cases[] = {
        {L"/cp1252.html", "\xE2\x80\x9CQuoted\xE2\x80\x9D caf\xC3\xA9 for \xE2\x82\xAC" "5"},  // the header's charset
        {L"/latin2.html", "Zupa \xC5\xBCurek z \xC4\x85 i \xC5\x9B"},                       // the meta tag's
        {L"/utf16.html", "Gr\xC3\xBC\xC3\x9F" "e aus K\xC3\xB6ln"},                           // the byte-order mark
    };
    for (const Case& c : cases) {
        AIString preview = folder.File(L"page.txt");
        DeleteFileW(preview.GetText());
        ASSERT_EQ(1, PreviewWebPage(Url(c.path).GetText(), preview.GetText())) << Utf8(c.path);
        std::string bytes = ReadBytes(preview.GetText());
        ASSERT_GE(bytes.size(), 2u);
        AIString text;
        text.AssignTextN(reinterpret_cast<const WCHAR*>(bytes.data() + 2), int(bytes.size() - 2) / 2);
        EXPECT_NE(std::string::npos, Utf8(text).find(c.expected)) << Utf8(c.path) << "\n" << Utf8(text);
    }
}

TEST(WebLinkAddress, KeepsTheSchemeAndDropsLinkPrefixes)
{
    AIString url;
    WebLinkAddress(L"automatic hyperlink: https://example.org/a", url);
    EXPECT_EQ("https://example.org/a", Utf8(url));
    WebLinkAddress(L"hyperlink:http://example.org", url);
    EXPECT_EQ("http://example.org", Utf8(url));
    WebLinkAddress(L"  www.example.org/x ", url);
    EXPECT_EQ("http://www.example.org/x", Utf8(url));
}

}  // namespace
