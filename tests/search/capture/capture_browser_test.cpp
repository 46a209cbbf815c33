// The browser capture and the screenshot on a virtual display: the project's
// test browser (tests/search/capture/firefox_page.cpp, started by
// capture_browser_test.sh) shows a tall page whose rows each have a colour;
// its capture must give exactly that page on the clipboard and a note with
// the page's text from the local web server. Not a browser: nothing taken.
#include "tests/notestore/store_test_files.h"
#include "notestore/note_store.h"
#include "foundation/clipboard.h"
#include "foundation/message_ids.h"
#include "search/capture/screen/capture_input.h"
#include "search/capture/screen/capture_shell_links.h"
#include "search/capture/screen/screen_capture.h"
#include "search/capture/web_capture.h"
#include "tests/search/capture/test_page.h"
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {

struct Seen {
    std::vector<std::string> status;
    std::vector<std::string> balloons;
    std::string imageAddress, imageLabel, shownNote;
    int pasteScreens = 0, messages = 0, lastMessage = 0;
    int pasteScreenResult = -1;
    int shiftDownPolls = 0;
};
Seen g_seen;

void Status(const WCHAR* text, int) { g_seen.status.push_back(Utf8(AIString(text))); }
int Balloon(const WCHAR* text)
{
    g_seen.balloons.push_back(Utf8(AIString(text)));
    return 1;
}
void WebBalloon(const WCHAR* text) { Balloon(text); }
void Nothing() {}
int32_t PasteScreen()
{
    g_seen.pasteScreens++;
    return g_seen.pasteScreenResult;
}
void Message(int32_t id)
{
    g_seen.messages++;
    g_seen.lastMessage = id;
}
int SaveImage(const WCHAR* address, const WCHAR* label)
{
    g_seen.imageAddress = Utf8(AIString(address));
    g_seen.imageLabel = Utf8(AIString(label));
    return 1;
}
void ShowNote(const WCHAR* title) { g_seen.shownNote = Utf8(AIString(title)); }
// Shift of the hot key held for the first polls, then released.
int ShiftHeldAtFirst() { return g_seen.shiftDownPolls-- > 0 ? 1 : 0; }

HWND BrowserWindow()
{
    const char* ready = getenv("TAVIK_BROWSER_READY");
    if (!ready) return 0;
    FILE* f = fopen(ready, "r");
    if (!f) return 0;
    unsigned long long handle = 0;
    if (fscanf(f, "%llu", &handle) != 1) handle = 0;
    fclose(f);
    return (HWND)(UINT_PTR)handle;
}

// The clipboard's picture: width, height, and the colour of pixel (x, y)
// counted from the top.
struct ClipboardPicture {
    int width = 0, height = 0, stride = 0;
    std::vector<uint8_t> block;
    COLORREF At(int x, int y) const
    {
        const uint8_t* p = block.data() + sizeof(BITMAPINFOHEADER) + (size_t)(height - 1 - y) * stride + x * 3;
        return RGB(p[2], p[1], p[0]);
    }
};

bool ReadClipboardPicture(ClipboardPicture* picture)
{
    AIClipboard clipboard(0);
    if (!clipboard.Open()) return false;
    uint8_t* block = nullptr;
    uint32_t bytes = 0;
    if (!clipboard.GetDib(&block, &bytes)) return false;
    const BITMAPINFOHEADER* h = (const BITMAPINFOHEADER*)block;
    bool ok = h->biBitCount == 24 && h->biHeight > 0;
    if (ok) {
        picture->width = h->biWidth;
        picture->height = h->biHeight;
        picture->stride = (h->biWidth * 3 + 3) & ~3;
        picture->block.assign(block, block + bytes);
    }
    LocalFree(block);
    return ok;
}

class BrowserCapture : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_seen = Seen();
        CloseDatafile();
        path = folder.File(L"notes.tavik");
        WriteBytes(path.GetText(), DataFile(NoteRecord(L"Start", L"first note")));
        ASSERT_EQ(1, LoadDatafile(path.GetText()));
        SetWebDownloadTimeouts(3000, 5000);
        CaptureShellLinks l = {};
        l.setStatus = Status;
        l.showBalloon = Balloon;
        l.removeBalloonLater = Nothing;
        l.openPasteScreen = PasteScreen;
        l.showMessage = Message;
        l.saveCaptureImage = SaveImage;
        l.showCapturedNote = ShowNote;
        g_captureShell = l;
        WebCaptureHooks hooks = {};
        hooks.showStatus = Status;
        hooks.showBalloon = WebBalloon;
        SetWebCaptureHooks(hooks);
        SetCaptureStepDelay(150);
        SetShiftStateReader(ShiftHeldAtFirst);
        browser = BrowserWindow();
        ASSERT_TRUE(browser && IsWindow(browser)) << "run through capture_browser_test.sh";
    }
    void TearDown() override
    {
        SetShiftStateReader(nullptr);
        CloseDatafile();
    }

    ScratchFolder folder;
    AIString path;
    HWND browser = 0;
};

TEST_F(BrowserCapture, TheTallPageIsStitchedAndItsTextBecomesANote)
{
    const char* rows = getenv("TAVIK_BROWSER_ROWS");
    ASSERT_TRUE(rows != nullptr);
    int pageRows = atoi(rows);
    g_seen.shiftDownPolls = 5;  // the keys wait for Shift to go up
    ASSERT_EQ(1, CaptureBrowserWindow(browser));
    EXPECT_EQ(-1, g_seen.shiftDownPolls);
    // The HTML view was asked for its document, gave none, and the frames were taken.
    HWND view = FindWindowExW(browser, 0, L"Internet Explorer_Server", nullptr);
    ASSERT_TRUE(view != 0);
    WCHAR asked[16] = {};
    GetWindowTextW(view, asked, 16);
    EXPECT_EQ("asked", Utf8(asked));

    ClipboardPicture picture;
    ASSERT_TRUE(ReadClipboardPicture(&picture));
    RECT client;
    GetClientRect(browser, &client);
    EXPECT_EQ(client.right - 2 * GetSystemMetrics(SM_CXBORDER) - GetSystemMetrics(SM_CXVSCROLL), picture.width);
    // The tool bar once, then every page row once, in order.
    ASSERT_EQ(kTestToolBarRows + pageRows, picture.height);
    EXPECT_EQ(kTestToolBarColour, picture.At(10, 0));
    int wrong = 0;
    for (int y = 0; y < pageRows; y++)
        if (picture.At(picture.width / 2, kTestToolBarRows + y) != TestPageRowColour(y) && wrong++ < 5)
            ADD_FAILURE() << "page row " << y;
    EXPECT_EQ(0, wrong);

    // The address from the address bar, the title without the browser's name.
    std::string url = "http://127.0.0.1:" + std::string(getenv("TAVIK_TEST_PORT")) + "/article.html";
    EXPECT_EQ(url, Utf8(GetCaptureUrl()));
    EXPECT_EQ("Bean guide", Utf8(GetCaptureTitle()));
    EXPECT_EQ(url, g_seen.imageAddress);
    EXPECT_EQ("Bean guide", g_seen.imageLabel);

    // The page's text as a note, shown.
    ASSERT_FALSE(g_seen.shownNote.empty());
    int32_t note = FindNoteByTitle(AIString().FromUtf8(g_seen.shownNote.c_str()).GetText(), 0, 0);
    ASSERT_GE(note, 0);
    ASSERT_EQ(1, LoadNoteText(note, 0));
    std::string text = Utf8(g_noteStore.currentText);
    EXPECT_NE(std::string::npos, text.find("### Growing beans")) << text;
    EXPECT_NE(std::string::npos, text.find("[web")) << text;
    EXPECT_EQ(0, g_seen.messages);
}

TEST_F(BrowserCapture, ScrollsThatShowLateOnABusyMachineAreWaitedFor)
{
    // Each scroll key takes effect well after the pause between frames: no
    // frame may be taken before its scroll, and the page is still whole.
    int pageRows = atoi(getenv("TAVIK_BROWSER_ROWS"));
    UINT lateScroll = RegisterWindowMessageW(L"TavikTestLateScroll");
    SendMessageW(browser, lateScroll, 700, 0);
    g_seen.shiftDownPolls = 0;
    int captured = CaptureBrowserWindow(browser);
    // The capture's last scroll back to the top is still to come: the next
    // test starts from a page at rest.
    DWORD start = GetTickCount();
    while (SendMessageW(browser, lateScroll, 0, 0) && GetTickCount() - start < 5000) PauseWithMessages(20);
    EXPECT_EQ(0, SendMessageW(browser, lateScroll, 0, 0));
    ASSERT_EQ(1, captured);
    ClipboardPicture picture;
    ASSERT_TRUE(ReadClipboardPicture(&picture));
    ASSERT_EQ(kTestToolBarRows + pageRows, picture.height);
    int wrong = 0;
    for (int y = 0; y < pageRows; y++)
        if (picture.At(picture.width / 2, kTestToolBarRows + y) != TestPageRowColour(y) && wrong++ < 5)
            ADD_FAILURE() << "page row " << y;
    EXPECT_EQ(0, wrong);
}

TEST_F(BrowserCapture, ShiftHeldOnCancelsAndOneScreenAndNoBrowserAreKeptApart)
{
    // Shift never goes up: no key reaches the browser, nothing is taken.
    g_seen.shiftDownPolls = 1 << 30;
    int notes = GetNoteCount();
    EXPECT_EQ(0, CaptureBrowserWindow(browser));
    ASSERT_FALSE(g_seen.status.empty());
    EXPECT_EQ("Capture cancelled - release Shift and try again", g_seen.status.back());
    EXPECT_EQ(notes, GetNoteCount());
    g_seen.shiftDownPolls = 0;

    // One screen per capture: the first frame only.
    SetCaptureScreens(1);
    ASSERT_EQ(1, CaptureBrowserWindow(browser));
    SetCaptureScreens(kDefaultCaptureScreens);
    ClipboardPicture picture;
    ASSERT_TRUE(ReadClipboardPicture(&picture));
    RECT client;
    GetClientRect(browser, &client);
    EXPECT_EQ(client.bottom, picture.height);

    // A window of this program is no browser: the balloon says so, nothing is taken.
    HWND own = CreateWindowExW(0, L"STATIC", L"not a browser", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, 0, 0, 0, 0);
    g_seen.balloons.clear();
    notes = GetNoteCount();
    EXPECT_EQ(1, CaptureBrowserWindow(own));
    ASSERT_EQ(1u, g_seen.balloons.size());
    EXPECT_EQ(0u, g_seen.balloons[0].find("Web capture FAILED !"));
    EXPECT_EQ(notes, GetNoteCount());
    DestroyWindow(own);
    EXPECT_EQ(0, CaptureBrowserWindow(0));
}

TEST_F(BrowserCapture, ScreenshotPutsTheMonitorOnTheClipboardAndOpensThePasteScreen)
{
    // The dialog host without the paste screen: the picture stays on the clipboard.
    g_seen.pasteScreenResult = -1;
    ASSERT_EQ(1, CaptureScreenshot());
    EXPECT_EQ(1, g_seen.pasteScreens);
    ClipboardPicture picture;
    ASSERT_TRUE(ReadClipboardPicture(&picture));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), picture.width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), picture.height);
    // The browser's page is on the screen where it stands.
    RECT r;
    GetWindowRect(browser, &r);
    EXPECT_EQ(kTestToolBarColour, picture.At(r.left + 5, r.top + 5));
    ASSERT_FALSE(g_seen.status.empty());
    EXPECT_EQ("The screenshot is on the clipboard", g_seen.status.back());

    // With the paste screen there, it opens with the picture.
    g_seen.pasteScreenResult = 0;
    g_seen.status.clear();
    ASSERT_EQ(1, CaptureScreenshot());
    EXPECT_EQ(2, g_seen.pasteScreens);
    EXPECT_TRUE(g_seen.status.empty());
    EXPECT_EQ(0, g_seen.messages);
}

}  // namespace
