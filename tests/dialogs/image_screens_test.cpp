// The image browser and the paste-and-edit image screen through real
// windows: browser pages of 0, 1, 40 and 1,000 images, the single view, the
// slideshow stepped by the host's timer, result 2 with the note's title; the
// paste screen's crop, rotate, reset, large view, name rules and hand-over,
// and the edit screen's save (a wrong type refused, a failing save keeping
// the original).
#include "tests/support/gtest.h"
#include "tests/support/keyboard.h"
#include "tests/dialogs/dialog_test_windows.h"
#include "tests/dialogs/screen_test_support.h"
#include "tests/notestore/store_test_files.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "dialogs/dialog_shell_links.h"
#include "dialogs/images/image_browser_model.h"
#include "dialogs/images/image_list.h"
#include "dialogs/screen_launchers.h"
#include "dialogs/screens/image_browser_screen.h"
#include "dialogs/screens/image_paste_rules.h"
#include "dialogs/screens/image_paste_screen.h"
#include "dialogs/screens/screens.h"
#include "foundation/ai_file.h"
#include "foundation/ai_string_table.h"
#include "foundation/clipboard.h"
#include "imaging/ai_image.h"
#include "notestore/note_store.h"
#include <string>

namespace {

void Picture(AIImage& image, int width, int height)
{
    ASSERT_TRUE(image.Create(width, height, 24));
    uint8_t* bits = image.GetBits();
    for (uint32_t i = 0; i < image.GetStride() * (uint32_t)height; i++) bits[i] = (uint8_t)(i * 29);
}

void SavePicture(const AIString& path, int width, int height, int type = kImagePng)
{
    AIImage image;
    Picture(image, width, height);
    ASSERT_TRUE(image.Save(path.GetText(), type));
}

int BrowserIdle() { return !ImageBrowserPreparing(); }

void PaintNow(HWND host) { RedrawWindow(host, 0, 0, RDW_INVALIDATE | RDW_UPDATENOW); }


class ImageScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetScreenTestState();
        CloseDatafile();
        // A note that names one of the pictures by its file.
        AIString records(NoteRecord(L"Garden", L"roses: flower_2011_05231020.png"));
        records.AppendString(NoteRecord(L"Zebra", L"stripes"));
        AIString path = folder_.File(L"notes.tavik");
        WriteBytes(path.GetText(), DataFile(records));
        ASSERT_EQ(1, LoadDatafile(path.GetText()));
        images_ = folder_.File(L"images");
        CreateDirectoryW(images_.GetText(), nullptr);
        cache_ = folder_.File(L"list.cache");
        SetImageBrowserFolders(images_.GetText(), cache_.GetText());
        g_dialogShell.chosenTitle = &chosen_;
        // Keys and clicks wait while the browser makes its thumbnails.
        SetScreenReadyCheck(BrowserIdle);
    }
    void TearDown() override
    {
        g_dialogShell.chosenTitle = nullptr;
        g_dialogShell.saveImageIntoNote = nullptr;
        SetImageBrowserFolders(nullptr, nullptr);
        CloseDatafile();
    }
    // Another data file in place of the one set up.
    void LoadNotes(const AIString& records)
    {
        CloseDatafile();
        AIString path = folder_.File(L"notes.tavik");
        WriteBytes(path.GetText(), DataFile(records));
        ASSERT_EQ(1, LoadDatafile(path.GetText()));
    }
    void AddPicturesFrom(int from, int to)
    {
        for (int i = from; i < to; i++) {
            WCHAR name[40];
            wsprintfW(name, L"\\pic%04d.png", i);
            AIString path(images_);
            SavePicture(path.AppendText(name), 8, 6);
        }
    }

    ScratchFolder folder_;
    AIString images_, cache_, chosen_;
};

struct PageCheck {
    int count, pages, firstCells, lastCells;
    int seenCount = -1, seenPages = -1, seenFirst = -1, seenLast = -1, slideshowAfterS = -1;
};
PageCheck g_page;

void CheckPages(HWND host)
{
    PaintNow(host);
    const ImageBrowserModel& model = ImageBrowserState();
    g_page.seenCount = model.count;
    g_page.seenPages = model.paging.pageCount;
    g_page.seenFirst = ImageBrowserCellCount();
    PressHostKey(host, VK_END);
    PaintNow(host);
    g_page.seenLast = ImageBrowserCellCount();
    if (!model.count) {
        PressHostKey(host, 'S');  // nothing to show: no slideshow
        g_page.slideshowAfterS = ImageBrowserState().slideshow;
    }
    PressHostKey(host, VK_ESCAPE);
}

}  // namespace

TEST_F(ImageScreensTest, BrowserPagesOfNoneOneFortyAndAThousandImages)
{
    PageCheck cases[4];
    const int table[4][4] = {{0, 1, 0, 0}, {1, 1, 1, 1}, {40, 5, 9, 4}, {1000, 112, 9, 1}};
    for (int i = 0; i < 4; i++) {
        cases[i].count = table[i][0];
        cases[i].pages = table[i][1];
        cases[i].firstCells = table[i][2];
        cases[i].lastCells = table[i][3];
    }
    int made = 0;
    for (const PageCheck& c : cases) {
        AddPicturesFrom(made, c.count);
        made = c.count;
        DeleteFileW(cache_.GetText());
        g_page = c;
        ScreenRun run = RunScreen(kScreenImageBrowser, CheckPages);
        EXPECT_EQ(1, run.opened) << c.count;
        EXPECT_EQ(0, run.watchdogFired) << c.count;
        EXPECT_EQ(-1, run.result) << c.count;
        EXPECT_EQ(c.count, g_page.seenCount);
        EXPECT_EQ(c.pages, g_page.seenPages) << c.count;
        EXPECT_EQ(c.firstCells, g_page.seenFirst) << c.count;
        EXPECT_EQ(c.lastCells, g_page.seenLast) << c.count;
        if (!c.count) {
            EXPECT_EQ(0, g_page.slideshowAfterS);
        }
    }
    // The thousand-image folder wrote the list cache.
    EXPECT_TRUE(FileExists(cache_.GetText()));
}

namespace {

struct SingleCheck {
    int singleAfterClick, currentAfterClick;
    AIString titleAfterClick;
    int currentAfterWheel;
    int singleAfterEscape;
    int slideshowAfterS, currentAfterS;
    int currentAfterTick, currentAfterWrap;
    AIString chosenBeforeClose;
};
SingleCheck g_single;

void Tick(HWND host)
{
    SendMessageW(host, WM_TIMER, kHostSlideshowTimer, 0);
    UpdateWindow(host);
}

void BrowseOneByOne(HWND host)
{
    PaintNow(host);
    ClickControlCentre(host, ImageBrowserCell(0));
    PaintNow(host);
    g_single.singleAfterClick = ImageBrowserState().single;
    g_single.currentAfterClick = ImageBrowserState().current;
    g_single.titleAfterClick.AssignText(ImageBrowserNoteTitle());
    // The wheel steps the large pictures: down the next, up the one before.
    SendMessageW(host, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-WHEEL_DELTA), MAKELPARAM(300, 300));
    g_single.currentAfterWheel = ImageBrowserState().current;
    SendMessageW(host, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(300, 300));
    PressHostKey(host, VK_ESCAPE);
    g_single.singleAfterEscape = ImageBrowserState().single;
    PressHostKey(host, 'S');
    g_single.slideshowAfterS = ImageBrowserState().slideshow;
    g_single.currentAfterS = ImageBrowserState().current;
    Tick(host);
    g_single.currentAfterTick = ImageBrowserState().current;
    Tick(host);
    Tick(host);  // three pictures: back to the first
    g_single.currentAfterWrap = ImageBrowserState().current;
    // The caption of the picture's note opens it: the title is handed over first.
    RECT band = ImageBrowserCaptionBand();
    ClickHost(host, band.left + 30, band.top + 10);
    if (g_dialogShell.chosenTitle) g_single.chosenBeforeClose.Copy(*g_dialogShell.chosenTitle);
}

}  // namespace

TEST_F(ImageScreensTest, BrowserSingleViewSlideshowAndTheNoteOfAnImage)
{
    AIString flower(images_), leaf(images_), tree(images_);
    SavePicture(flower.AppendText(L"\\flower_2011_05231020.png"), 60, 40);
    SavePicture(leaf.AppendText(L"\\leaf.png"), 30, 40);
    SavePicture(tree.AppendText(L"\\tree.jpg"), 40, 40, kImageJpg);
    g_single = SingleCheck();
    ScreenRun run = RunScreen(kScreenImageBrowser, BrowseOneByOne);
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(0, run.watchdogFired);
    EXPECT_EQ(1, g_single.singleAfterClick);
    EXPECT_EQ(0, g_single.currentAfterClick);  // "flower" sorts first
    EXPECT_STREQ("Garden", Utf8(g_single.titleAfterClick).c_str());
    EXPECT_EQ(1, g_single.currentAfterWheel);
    EXPECT_EQ(0, g_single.singleAfterEscape);
    EXPECT_EQ(1, g_single.slideshowAfterS);
    EXPECT_EQ(0, g_single.currentAfterS);
    EXPECT_EQ(1, g_single.currentAfterTick);
    EXPECT_EQ(0, g_single.currentAfterWrap);
    EXPECT_STREQ("Garden", Utf8(g_single.chosenBeforeClose).c_str());
    EXPECT_EQ(2, run.result);
}

namespace {

int g_tallScrollable = -1, g_tallSingle = -1;
std::string g_tallHint, g_tallCaption;

void OpenTheTallPicture(HWND host)
{
    PaintNow(host);
    ClickControlCentre(host, ImageBrowserCell(0));
    PaintNow(host);
    g_tallSingle = ImageBrowserState().single;
    g_tallScrollable = ImageBrowserState().scrollable;
    g_tallHint = Utf8(AIString(ImageBrowserHint()));
    g_tallCaption = Utf8(AIString(ImageBrowserCaption()));
    PressHostKey(host, VK_ESCAPE);
    PressHostKey(host, VK_ESCAPE);
}

}  // namespace

TEST_F(ImageScreensTest, ALargeTallPictureIsShownFromItsFileAndScrolls)
{
    // Over 500,000 bytes, three times taller than wide: its screen-size copy
    // would shrink it to a strip, so the file itself is shown.
    AIImage image;
    ASSERT_TRUE(image.Create(400, 1200, 24));
    uint32_t noise = 12345;
    for (uint32_t i = 0; i < image.GetStride() * 1200u; i++) {
        noise = noise * 1103515245u + 12345u;
        image.GetBits()[i] = (uint8_t)(noise >> 16);
    }
    AIString tall(images_);
    tall.AppendText(L"\\tall.bmp");
    ASSERT_TRUE(image.Save(tall.GetText(), kImageBmp));
    ASSERT_GT(AIFile::GetSizeByName(tall.GetText()), 500000);
    // A note links it: its caption and the scroll hint show side by side.
    LoadNotes(AIString(L"\x00A4Tower\r\nA [tall] one\r\n{{\r\ntall:rel:\\images\\tall.bmp\r\n}}\r\n"));
    g_tallScrollable = g_tallSingle = -1;
    ScreenRun run = RunScreen(kScreenImageBrowser, OpenTheTallPicture);
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(0, run.watchdogFired);
    EXPECT_EQ(1, g_tallSingle);
    EXPECT_EQ(1, g_tallScrollable);
    EXPECT_EQ("Open note 'Tower'  -  A [tall] one", g_tallCaption);
    EXPECT_EQ("Scrollable image: Use Shift+Mousewheel or ArrowDown/ArrowUp to scroll", g_tallHint);
}

namespace {

struct LookUpCheck {
    std::string title[3], caption[3];
    int clipboardWidth = 0, clipboardHeight = 0;
} g_lookUp;

void ClipboardPictureSize(int& width, int& height)
{
    AIClipboard clipboard(0);
    uint8_t* block = nullptr;
    uint32_t bytes = 0;
    AIImage image;
    if (clipboard.Open() && clipboard.GetDib(&block, &bytes) && image.FromClipboardDib(block, bytes)) {
        width = image.GetWidth();
        height = image.GetHeight();
    }
    if (block) LocalFree(block);
}

void LookUpEachPicture(HWND host)
{
    PaintNow(host);
    {
        AIClipboard clipboard(0);
        if (clipboard.Open()) clipboard.Empty();
    }
    ClickControlCentre(host, ImageBrowserCell(0));
    PaintNow(host);
    ClipboardPictureSize(g_lookUp.clipboardWidth, g_lookUp.clipboardHeight);
    for (int i = 0; i < 3; i++) {
        if (i) PressHostKey(host, VK_RIGHT);
        PaintNow(host);
        g_lookUp.title[i] = Utf8(AIString(ImageBrowserNoteTitle()));
        g_lookUp.caption[i] = Utf8(AIString(ImageBrowserCaption()));
    }
    PressHostKey(host, 'Q');
}

}  // namespace

TEST_F(ImageScreensTest, BrowserFindsTheNoteOrPageOfEveryPictureAndPutsTheOneShownOnTheClipboard)
{
    AIString coast(images_), other(images_), site(images_);
    SavePicture(coast.AppendText(L"\\coast_2011_05231020.png"), 60, 40);
    SavePicture(other.AppendText(L"\\wwwothercomx.png"), 20, 30);
    SavePicture(site.AppendText(L"\\wwwsitecomnews.png"), 30, 20);
    // A page captured into a note, and a picture the user pasted into a note.
    AIString records(L"\x00A4Reading\r\nSaved pages: [web1]\r\n{{\r\n[web1:http://www.site.com/news]\r\n}}\r\n");
    records.AppendText(L"\x00A4Trip\r\nWe walked far.\r\n\r\nThe [sea at dawn] was calm.\r\n\r\nHome again.\r\n"
                       L"{{\r\nsea at dawn:rel:\\images\\coast_2011_05231020.png\r\n}}\r\n");
    LoadNotes(records);
    // A picture whose page no note links any more: the address it came from.
    ASSERT_TRUE(g_noteStore.webCaptureImages);
    g_noteStore.webCaptureImages->SetKeyValueString(L"wwwothercomx", L"http://www.other.com/x");
    g_lookUp = LookUpCheck();
    ScreenRun run = RunScreen(kScreenImageBrowser, LookUpEachPicture);
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(0, run.watchdogFired);
    EXPECT_EQ("Trip", g_lookUp.title[0]);
    EXPECT_EQ("Open note 'Trip'  -  The [sea at dawn] was calm.", g_lookUp.caption[0]);
    EXPECT_EQ("http://www.other.com/x", g_lookUp.title[1]);
    EXPECT_EQ("http://www.other.com/x", g_lookUp.caption[1]);
    EXPECT_EQ("Reading", g_lookUp.title[2]);
    EXPECT_EQ(60, g_lookUp.clipboardWidth);  // the picture shown large
    EXPECT_EQ(40, g_lookUp.clipboardHeight);
}

// ---- The paste screen ----

namespace {

struct PasteCheck {
    int widthAfterCrop, heightAfterCrop;
    int widthAfterRotate, heightAfterRotate;
    int widthAfterReset;
    int okWithoutName, okWithName;
    int statusEmpty, statusHyphen;
    DWORD hyphenSelection;
    int statusTaken, statusTitle;
    int largeWidth, restoredWidth, largeEndedByDeactivation;
    int commitResult;
} g_paste;

AIString g_savedName;
int g_savedWidth = 0, g_savedHeight = 0, g_saveAnswer = 1;

int RecordSave(const WCHAR* name, int insert)
{
    g_savedName.AssignText(name);
    AIClipboard clipboard(0);
    uint8_t* block = nullptr;
    uint32_t bytes = 0;
    AIImage image;
    if (insert && clipboard.Open() && clipboard.GetDib(&block, &bytes) && image.FromClipboardDib(block, bytes)) {
        g_savedWidth = image.GetWidth();
        g_savedHeight = image.GetHeight();
    }
    if (block) LocalFree(block);
    return g_saveAnswer;
}

void PutPictureOnClipboard(int width, int height)
{
    AIImage image;
    Picture(image, width, height);
    AIClipboard clipboard(0);
    ASSERT_TRUE(clipboard.Open());
    HGLOBAL block = image.ToClipboardDib();
    ASSERT_TRUE(block);
    void* bytes = GlobalLock(block);
    ASSERT_TRUE(clipboard.SetDib(bytes, (uint32_t)GlobalSize(block)));
    GlobalUnlock(block);
    GlobalFree(block);
}

HWND NameField(HWND host) { return FindWindowExW(host, 0, L"EDIT", 0); }

void TypeName(HWND host, const WCHAR* name) { SetWindowTextW(NameField(host), name); }

// The tool buttons stand left of the preview, 40 pixels apart.
void ClickTool(HWND host, int index) { ClickHost(host, 550 - 525 + 55, 140 + index * 40 + 15); }
const int kPreviewTool = 0, kCropTool = 1, kRotateTool = 2, kResetTool = 3;

void Drag(HWND host, POINT from, POINT to)
{
    SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageW(host, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessageW(host, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

int HostWidth(HWND host)
{
    RECT r;
    GetWindowRect(host, &r);
    return r.right - r.left;
}

void EditThePastedPicture(HWND host)
{
    const AIImage& image = ImagePasteWorkingImage();
    RECT drawn = ImagePastePreviewRect();  // 100 x 80 at 200 % in a 340 x 250 area
    Drag(host, POINT{drawn.left + 30, drawn.top + 30}, POINT{drawn.left + 150, drawn.top + 90});
    ClickTool(host, kCropTool);
    g_paste.widthAfterCrop = image.GetWidth();
    g_paste.heightAfterCrop = image.GetHeight();
    ClickTool(host, kRotateTool);
    g_paste.widthAfterRotate = image.GetWidth();
    g_paste.heightAfterRotate = image.GetHeight();
    ClickTool(host, kResetTool);
    g_paste.widthAfterReset = image.GetWidth();
    // Again, to keep: crop and turn.
    drawn = ImagePastePreviewRect();
    Drag(host, POINT{drawn.left + 30, drawn.top + 30}, POINT{drawn.left + 150, drawn.top + 90});
    ClickTool(host, kCropTool);
    ClickTool(host, kRotateTool);
    // The large view: the host steps aside (one pixel, never zero) and comes
    // back when it loses the capture or the activation.
    ClickTool(host, kPreviewTool);
    g_paste.largeWidth = HostWidth(host);
    SendMessageW(host, WM_CAPTURECHANGED, 0, 0);
    g_paste.restoredWidth = HostWidth(host);
    ClickTool(host, kPreviewTool);
    SendMessageW(host, WM_ACTIVATE, WA_INACTIVE, 0);
    g_paste.largeEndedByDeactivation = HostWidth(host) == g_paste.restoredWidth;
    SendMessageW(host, WM_ACTIVATE, WA_ACTIVE, 0);

    TypeName(host, L"");
    g_paste.okWithoutName = ImagePasteOkEnabled();
    ImagePasteCommit();
    g_paste.statusEmpty = ImagePasteStatus();
    TypeName(host, L"sea-side");
    g_paste.okWithName = ImagePasteOkEnabled();
    ImagePasteCommit();
    g_paste.statusHyphen = ImagePasteStatus();
    g_paste.hyphenSelection = (DWORD)SendMessageW(NameField(host), EM_GETSEL, 0, 0);
    TypeName(host, L"garden photo");
    ImagePasteCommit();
    g_paste.statusTaken = ImagePasteStatus();
    TypeName(host, L"Zebra");  // a note's title: a notice, not a refusal
    g_paste.statusTitle = ImagePasteStatus();
    TypeName(host, L"Sea view");
    g_paste.commitResult = ImagePasteCommit();
}

}  // namespace

TEST_F(ImageScreensTest, PasteScreenCropsRotatesResetsAndHandsThePictureOverUnderItsName)
{
    AIStringTable links;
    links.AddItemString(L"garden photo", L"rel:\\images\\garden_photo.png");
    AIStringTable* kept = g_noteStore.hyperlinks;
    g_noteStore.hyperlinks = &links;
    g_dialogShell.saveImageIntoNote = RecordSave;
    g_saveAnswer = 1;
    g_savedWidth = g_savedHeight = 0;
    PutPictureOnClipboard(100, 80);
    g_paste = PasteCheck();
    ScreenRun run = RunScreenThrough(ShowPasteImageScreen, EditThePastedPicture);
    g_noteStore.hyperlinks = kept;
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(0, run.watchdogFired);
    EXPECT_EQ(60, g_paste.widthAfterCrop);  // 120 x 60 preview pixels at 200 %
    EXPECT_EQ(30, g_paste.heightAfterCrop);
    EXPECT_EQ(30, g_paste.widthAfterRotate);
    EXPECT_EQ(60, g_paste.heightAfterRotate);
    EXPECT_EQ(100, g_paste.widthAfterReset);
    EXPECT_EQ(1, g_paste.largeWidth);
    EXPECT_EQ(550, g_paste.restoredWidth);
    EXPECT_EQ(1, g_paste.largeEndedByDeactivation);
    EXPECT_EQ(0, g_paste.okWithoutName);
    EXPECT_EQ(1, g_paste.okWithName);
    EXPECT_EQ(kPasteStatusNoName, g_paste.statusEmpty);
    EXPECT_EQ(kPasteStatusRefusedChar, g_paste.statusHyphen);
    EXPECT_EQ(MAKELONG(3, 4), (LONG)g_paste.hyphenSelection);  // the hyphen selected
    EXPECT_EQ(kPasteStatusNameTaken, g_paste.statusTaken);
    EXPECT_EQ(kPasteStatusNoteTitle, g_paste.statusTitle);
    EXPECT_EQ(1, g_paste.commitResult);
    EXPECT_STREQ("Sea view", Utf8(g_savedName).c_str());
    EXPECT_EQ(30, g_savedWidth);  // the cropped, turned picture
    EXPECT_EQ(60, g_savedHeight);
    EXPECT_EQ(0, run.result);  // saved (the centre gives 1 back as 0)
}

namespace {

int g_failedStatus = 0, g_failedCommit = -1, g_okWithoutImage = -1;

void CommitAndRemember(HWND host)
{
    g_failedCommit = ImagePasteCommit();
    g_failedStatus = ImagePasteStatus();
    PressHostKey(host, VK_ESCAPE);
}

void RotateAndSave(HWND host)
{
    ClickTool(host, kRotateTool);
    ClickControlCentre(host, RECT{550 - 210, 390, 550 - 90, 420});  // OK
}

void TypeAndTryWithoutImage(HWND host)
{
    TypeName(host, L"Sea view");
    g_okWithoutImage = ImagePasteOkEnabled();
    g_failedCommit = ImagePasteCommit();
    g_failedStatus = ImagePasteStatus();
    PressHostKey(host, VK_ESCAPE);
}

PasteImageRequest g_request;
int32_t LaunchRequest() { return ShowPasteImageScreenFor(g_request); }

}  // namespace

namespace {

struct ToolLines {
    std::string hint, away, face, warning;
    int crossOverPicture = -1, arrowOutside = -1;
    LONG height = 0, wantedHeight = 0;
} g_lines;

void HoverTheTools(HWND host)
{
    TestKeyboard mouse;
    RECT tool = {550 - 525, 140 + kRotateTool * 40, 550 - 525 + 110, 140 + kRotateTool * 40 + 30};
    mouse.MoveMouse(host, (tool.left + tool.right) / 2, (tool.top + tool.bottom) / 2);
    AIString line;
    ImagePasteInformationLine(line);
    g_lines.hint = Utf8(line);
    mouse.MoveMouse(host, 5, 5);
    ImagePasteInformationLine(line);
    g_lines.away = Utf8(line);
    g_lines.arrowOutside = GetCursor() == LoadCursorW(0, IDC_ARROW);
    RECT picture = ImagePastePreviewRect();
    mouse.MoveMouse(host, (picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2);
    g_lines.crossOverPicture = GetCursor() == LoadCursorW(0, IDC_CROSS);
    ImagePasteWarning(line);
    g_lines.warning = Utf8(line);
    LOGFONTW font = {};
    GetObjectW((HFONT)SendMessageW(NameField(host), WM_GETFONT, 0, 0), sizeof(font), &font);
    g_lines.face = Utf8(AIString(font.lfFaceName));
    g_lines.height = font.lfHeight;
    HDC dc = GetDC(host);
    g_lines.wantedHeight = -MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(host, dc);
    mouse.Press(VK_ESCAPE);
}

}  // namespace

TEST_F(ImageScreensTest, PasteToolsTellWhatTheyDoAndTheNameIsTypedInCourierNew)
{
    PutPictureOnClipboard(100, 80);
    g_lines = ToolLines();
    ScreenRun run = RunScreenThrough(ShowPasteImageScreen, HoverTheTools);
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(0, run.watchdogFired);
    EXPECT_EQ("Rotate image to the right (hold Shift for left)", g_lines.hint);
    EXPECT_EQ(0u, g_lines.away.find("Width: 100")) << g_lines.away;
    EXPECT_EQ("Courier New", g_lines.face);
    EXPECT_EQ(g_lines.wantedHeight, g_lines.height);
    EXPECT_EQ(1, g_lines.crossOverPicture);
    EXPECT_EQ(1, g_lines.arrowOutside);
    EXPECT_EQ("", g_lines.warning);

    // The snapshot of a page captured before: replacing it is warned of.
    ASSERT_TRUE(g_noteStore.webCaptureImages);
    g_noteStore.webCaptureImages->SetKeyValueString(L"wwwsitecomnews", L"http://www.site.com/news");
    g_request = PasteImageRequest();
    g_request.webLink = L"http://www.site.com/news";
    g_lines = ToolLines();
    RunScreenThrough(LaunchRequest, HoverTheTools);
    EXPECT_EQ("Warning:|Web Snapshot already exists.|Pressing OK will replace old image", g_lines.warning);
    g_noteStore.webCaptureImages->Clear();
    g_request.webLink = L"http://www.site.com/other";
    RunScreenThrough(LaunchRequest, HoverTheTools);
    EXPECT_EQ("http://www.site.com/other", g_lines.warning);
}

TEST_F(ImageScreensTest, EditScreenSavesOverTheFileOnlyWhenItCanAndNeverWithoutAPicture)
{
    AIString png(images_), bmp(images_);
    png.AppendText(L"\\edit.png");
    bmp.AppendText(L"\\edit.bmp");
    SavePicture(png, 100, 80);
    SavePicture(bmp, 100, 80, kImageBmp);
    g_request = PasteImageRequest();
    g_request.editImage = 1;

    // Turned and saved: the file holds the turned picture, still a PNG.
    g_request.imagePath = png.GetText();
    ScreenRun saved = RunScreenThrough(LaunchRequest, RotateAndSave);
    EXPECT_EQ(0, saved.result);
    AIImage back;
    ASSERT_TRUE(back.Load(png.GetText(), kImageDetect));
    EXPECT_EQ(80, back.GetWidth());
    EXPECT_EQ(kImagePng, back.GetType());

    // A type it cannot be saved as is refused; the file stays as it was.
    std::string bmpBefore = ReadBytes(bmp.GetText());
    g_request.imagePath = bmp.GetText();
    ScreenRun wrong = RunScreenThrough(LaunchRequest, CommitAndRemember);
    EXPECT_EQ(-1, wrong.result);
    EXPECT_EQ(0, g_failedCommit);
    EXPECT_EQ(kPasteStatusWrongType, g_failedStatus);
    EXPECT_EQ(bmpBefore, ReadBytes(bmp.GetText()));

    // A file that cannot be replaced: the failure is shown and the file kept.
    std::string pngBefore = ReadBytes(png.GetText());
    SetFileAttributesW(png.GetText(), FILE_ATTRIBUTE_READONLY);
    g_request.imagePath = png.GetText();
    ScreenRun failed = RunScreenThrough(LaunchRequest, CommitAndRemember);
    SetFileAttributesW(png.GetText(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(-1, failed.result);
    EXPECT_EQ(kPasteStatusSaveFailed, g_failedStatus);
    EXPECT_EQ(pngBefore, ReadBytes(png.GetText()));

    // A clipboard without a usable picture: OK stays off and nothing is saved.
    g_dialogShell.saveImageIntoNote = RecordSave;
    g_savedName.Clear();
    AIImage damaged;
    Picture(damaged, 10, 10);
    HGLOBAL block = damaged.ToClipboardDib();
    BITMAPINFOHEADER* header = (BITMAPINFOHEADER*)GlobalLock(block);
    header->biHeight = 5000;  // more rows than the block holds
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(0));
    EmptyClipboard();
    SetClipboardData(CF_DIB, block);  // the clipboard owns the block now
    CloseClipboard();
    g_request = PasteImageRequest();
    ScreenRun none = RunScreenThrough(LaunchRequest, TypeAndTryWithoutImage);
    EXPECT_EQ(1, none.opened);
    EXPECT_EQ(0, g_okWithoutImage);
    EXPECT_EQ(0, g_failedCommit);
    EXPECT_EQ(kPasteStatusNoBitmap, g_failedStatus);
    EXPECT_TRUE(g_savedName.IsEmpty());
}

namespace {

struct NoteImagesCheck {
    int countAll = -1, countNote = -1;
    AIString title, caption;
} g_noteImages;

int g_countAtOpening = -1;
void CountAndClose(HWND host)
{
    g_countAtOpening = ImageBrowserState().count;
    PressHostKey(host, 'Q');
}

void ShowTheNotesImages(HWND host)
{
    g_noteImages.countAll = ImageBrowserState().count;
    PressHostKey(host, 'A');  // the current note's pictures only
    PaintNow(host);
    g_noteImages.countNote = ImageBrowserState().count;
    ClickControlCentre(host, ImageBrowserCell(0));
    PaintNow(host);
    g_noteImages.title.AssignText(ImageBrowserNoteTitle());
    g_noteImages.caption.AssignText(ImageBrowserCaption());
    PressHostKey(host, 'Q');
}

}  // namespace

TEST_F(ImageScreensTest, BrowserShowsTheCurrentNotesPicturesWithTheWordsAroundTheirLinks)
{
    AIString leaf(images_), tree(images_);
    SavePicture(leaf.AppendText(L"\\leaf.png"), 30, 40);
    SavePicture(tree.AppendText(L"\\tree.png"), 40, 30);
    AIStringTable links;
    links.AddItemString(L"leaf", L"rel:\\images\\leaf.png");
    links.AddItemString(L"notes", L"rel:\\notes.txt");  // no picture
    AIStringTable* keptLinks = g_noteStore.hyperlinks;
    g_noteStore.hyperlinks = &links;
    int32_t keptIndex = g_noteStore.currentIndex;
    g_noteStore.currentIndex = FindNoteByTitle(L"Garden", 0, 0);
    AIString keptText(g_noteStore.currentText);
    g_noteStore.currentText.AssignText(L"Spring\r\n\r\nThe first [leaf] of the oak came out today.\r\n\r\nLater");
    g_noteImages = NoteImagesCheck();
    ScreenRun run = RunScreen(kScreenImageBrowser, ShowTheNotesImages);
    // Opened again, the browser keeps to the note's pictures it was left with.
    g_countAtOpening = -1;
    RunScreen(kScreenImageBrowser, CountAndClose);
    int countAgain = g_countAtOpening;
    // A list of every picture, or none, opens on the whole folder.
    ClearImageList();
    g_countAtOpening = -1;
    RunScreen(kScreenImageBrowser, CountAndClose);
    int countFromEmpty = g_countAtOpening;
    g_noteStore.hyperlinks = keptLinks;
    g_noteStore.currentIndex = keptIndex;
    g_noteStore.currentText.Copy(keptText);
    EXPECT_EQ(-1, run.result);
    EXPECT_EQ(2, g_noteImages.countAll);
    EXPECT_EQ(1, g_noteImages.countNote);
    EXPECT_EQ(1, countAgain);
    EXPECT_EQ(2, countFromEmpty);
    EXPECT_STREQ("Garden", Utf8(g_noteImages.title).c_str());
    EXPECT_STREQ("Open note 'Garden'  -  The first [leaf] of the oak came out today.",
                 Utf8(g_noteImages.caption).c_str());
}
