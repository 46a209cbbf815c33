// Status line, ribbon, pulse records, shell requests and colours.
#include "tests/support/gtest.h"
#include "tests/ui/recorder.h"
#include "ui/status_line.h"
#include "ui/ribbon.h"
#include "ui/ai_control.h"
#include "ui/pulse_timers.h"
#include "ui/shell_helpers.h"
#include "ui/colours.h"

TEST(StatusLine, SlotsAreBoundedAndLevelled)
{
    AIStatusLine line;
    WCHAR longText[800];
    for (int i = 0; i < 799; i++) longText[i] = (WCHAR)(L'a' + i % 26);
    longText[799] = 0;
    line.SetText(longText);
    EXPECT_EQ(500, lstrlenW(line.GetSlotText(0)));
    EXPECT_EQ(0, line.GetSlotLevel(0));
    line.SetSlotText(L"<b>Saved</b>", kStatusError, 9);
    EXPECT_EQ(3, line.GetSlotLevel(9));
    line.SetSlotText(L"too high", (StatusLevel)7, 2);
    EXPECT_EQ(3, line.GetSlotLevel(2));
    line.SetSlotText(L"nowhere", kStatusInfo, 10);  // no slot 10: ignored
    line.SetSlotText(L"nowhere", kStatusInfo, -1);
    EXPECT_EQ("", Utf8(line.GetSlotText(10)));
    line.SetSlotText(0, kStatusInfo, 4);
    EXPECT_EQ("", Utf8(line.GetSlotText(4)));
    line.SetPictureCode(1003);
    EXPECT_EQ(1003, line.GetPictureCode());
}

TEST(StatusLine, TimedTextsEmptyThemselves)
{
    AIStatusLine line;
    line.SetTimedText(L"working", kStatusInfo, 3, 500);
    line.SetSlotText(L"stays", kStatusDone, 0);
    DWORD now = GetTickCount();
    EXPECT_EQ(0, line.Tick(now));
    EXPECT_EQ("working", Utf8(line.GetSlotText(3)));
    EXPECT_EQ(1, line.Tick(now + 600));
    EXPECT_EQ("", Utf8(line.GetSlotText(3)));
    EXPECT_EQ("stays", Utf8(line.GetSlotText(0)));
    // A plain text replaces a timed one and is not timed.
    line.SetTimedText(L"short", kStatusWarning, 5, 10);
    line.SetSlotText(L"long", kStatusWarning, 5);
    EXPECT_EQ(0, line.Tick(now + 100000));
}

TEST(StatusLine, TimedTextsOutliveTheTickCountWrapping)
{
    AIStatusLine line;
    const DWORD start = 0xFFFFFE00u;  // 512 ms before the tick count wraps to 0
    line.SetTimedText(L"saving", kStatusInfo, 2, 1000, start);
    EXPECT_EQ(0, line.Tick(start + 100));
    EXPECT_EQ(0, line.Tick(0xFFFFFFFFu));
    EXPECT_EQ(0, line.Tick(0));              // wrapped; 488 ms still to go
    EXPECT_EQ(0, line.Tick(start + 999));
    EXPECT_EQ("saving", Utf8(line.GetSlotText(2)));
    EXPECT_EQ(1, line.Tick(start + 1000));
    EXPECT_EQ("", Utf8(line.GetSlotText(2)));
    // Due exactly at the wrap: the due time 0 must not read as "never".
    line.SetTimedText(L"at zero", kStatusDone, 4, 0x200, start);
    EXPECT_EQ(0, line.Tick(0xFFFFFFF0u));
    EXPECT_EQ(1, line.Tick(5));
    EXPECT_EQ("", Utf8(line.GetSlotText(4)));
}

namespace {
// A 32-bit top-down bitmap in a memory device context.
struct PixelCanvas {
    enum { kWidth = 600, kHeight = 24 };
    HDC dc;
    HBITMAP bitmap, old;
    uint32_t* bits;
    PixelCanvas()
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        void* pixels = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        bits = (uint32_t*)pixels;
        old = (HBITMAP)SelectObject(dc, bitmap);
    }
    ~PixelCanvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    void Clear(uint32_t value)
    {
        GdiFlush();
        for (int i = 0; i < kWidth * kHeight; i++) bits[i] = value;
    }
    COLORREF At(int x, int y) const
    {
        uint32_t v = bits[y * kWidth + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // Pixels within columns [from, to) whose colour is near `colour`.
    int CountNear(COLORREF colour, int from, int to) const
    {
        GdiFlush();
        int count = 0;
        for (int y = 0; y < kHeight; y++)
            for (int x = from; x < to; x++) {
                COLORREF c = At(x, y);
                if (abs(GetRValue(c) - GetRValue(colour)) < 40 && abs(GetGValue(c) - GetGValue(colour)) < 40 &&
                    abs(GetBValue(c) - GetBValue(colour)) < 40)
                    count++;
            }
        return count;
    }
    // The rightmost column holding a pixel other than `background`, or -1.
    int LastColumnNotOf(COLORREF background) const
    {
        GdiFlush();
        for (int x = kWidth - 1; x >= 0; x--)
            for (int y = 0; y < kHeight; y++)
                if (At(x, y) != background) return x;
        return -1;
    }
};
}  // namespace

TEST(StatusLine, PaintsEachSlotsTextInTheColourOfItsLevel)
{
    PixelCanvas canvas;
    AIStatusLine line;
    line.SetRect({0, 0, PixelCanvas::kWidth, PixelCanvas::kHeight});
    canvas.Clear(0x00FF00FF);  // magenta: nothing of the line's colours
    line.Paint(canvas.dc);
    GdiFlush();
    const COLORREF face = canvas.At(0, 0);
    EXPECT_NE(RGB(255, 0, 255), face) << "the line fills its rectangle";
    EXPECT_EQ(-1, canvas.LastColumnNotOf(face)) << "an empty line shows only its face";

    line.SetSlotText(L"Note not stored", kStatusError, 0);
    line.Paint(canvas.dc);
    int errorEnd = canvas.LastColumnNotOf(face);
    ASSERT_GT(errorEnd, 20) << "the text is drawn";
    EXPECT_GT(canvas.CountNear(RGB(200, 0, 0), 0, errorEnd + 1), 15) << "an error is drawn in red";

    // A second slot follows the first, in its own level's colour.
    line.SetSlotText(L"12 words", kStatusInfo, 1);
    line.Paint(canvas.dc);
    int end = canvas.LastColumnNotOf(face);
    EXPECT_GT(end, errorEnd + 20);
    EXPECT_GT(canvas.CountNear(RGB(0, 60, 160), errorEnd + 1, end + 1), 10);
    EXPECT_EQ(0, canvas.CountNear(RGB(200, 0, 0), errorEnd + 1, end + 1));

    // Emptied again, the face is all that is left.
    line.ClearSlot(0);
    line.ClearSlot(1);
    line.Paint(canvas.dc);
    EXPECT_EQ(-1, canvas.LastColumnNotOf(face));
}

// Slots that do not fit stay on the one line: they are cut at its end,
// never wrapped onto a second row.
TEST(StatusLine, TextTooLongForTheLineIsCutAtItsEndAndNeverWraps)
{
    PixelCanvas canvas;
    AIStatusLine line;
    const int right = 300;
    line.SetRect({0, 0, right, PixelCanvas::kHeight});
    const COLORREF outside = RGB(255, 0, 255);
    // The lowest row a single line of text inks.
    auto lowestInkRow = [&]() {
        int lowest = -1;
        for (int y = 0; y < PixelCanvas::kHeight; y++)
            for (int x = 0; x < PixelCanvas::kWidth; x++)
                if (canvas.At(x, y) != outside && canvas.At(x, y) != canvas.At(right - 1, 0)) lowest = y;
        return lowest;
    };
    canvas.Clear(0x00FF00FF);
    line.SetSlotText(L"Editor: typing gaps (Note: 1 of 5)", kStatusDone, 3);
    line.Paint(canvas.dc);
    GdiFlush();
    int oneLine = lowestInkRow();
    ASSERT_GT(oneLine, 0);
    line.SetSlotText(L"<b>Full-text search</b>: enter keywords and press Enter to search all notes", kStatusInfo, 0);
    canvas.Clear(0x00FF00FF);
    line.Paint(canvas.dc);
    GdiFlush();
    EXPECT_LT(canvas.LastColumnNotOf(outside), right) << "nothing is drawn right of the line";
    EXPECT_LE(lowestInkRow(), oneLine) << "the text stays on one row";
    EXPECT_GT(canvas.CountNear(RGB(0, 60, 160), 0, right), 30) << "the start of the first slot is drawn";
}

TEST(StatusLine, PaintsIntoItsWindow)
{
    HWND window = MakeTestParent();
    AIStatusLine line;
    RECT rect = {0, 300, 600, 324};
    line.Attach(window, rect);
    line.SetSlotText(L"<b>Editor</b>: 12 words", kStatusInfo, 1);
    line.SetPictureCode(1002);
    HDC dc = GetDC(window);
    line.Paint(dc);
    ReleaseDC(window, dc);
    EXPECT_EQ(300, line.GetRect().top);
    DestroyWindow(window);
}

namespace {
struct RibbonFixture {
    HWND owner;
    Ribbon ribbon;
    AIControl bold, italic, wrap, about;
    RibbonFixture()
    {
        owner = MakeTestParent(800, 300);
        ribbon.AddStandardTabs();
        bold.CreateStandardText(0, L"<b>B</b>");
        italic.CreateStandardText(0, L"<i>I</i>");
        wrap.CreateStandardText(0, L"Wrap");
        about.CreateStandardText(0, L"About");
        for (AIControl* c : {&bold, &italic, &wrap, &about}) c->SetPosition(0, 0, 40, 22);
        int font = ribbon.AddGroup(0, L"Font");
        int view = ribbon.AddGroup(1, L"View");
        int help = ribbon.AddGroup(2, L"Help");
        ribbon.AddControl(0, font, &bold, L"Bold (Ctrl+B)");
        ribbon.AddControl(0, font, &italic, L"Italic (Ctrl+I)");
        ribbon.AddControl(1, view, &wrap, L"Word wrap");
        ribbon.AddControl(2, help, &about, L"About Tavik");
        ribbon.Attach(owner, 0, 0, 800);
    }
    ~RibbonFixture() { DestroyWindow(owner); }
    POINT CentreOf(const AIControl& c)
    {
        RECT r = c.GetRect();
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
};
}  // namespace

TEST(RibbonTest, TabsSwitchAndWrap)
{
    RibbonFixture f;
    EXPECT_EQ(3, f.ribbon.GetTabCount());
    EXPECT_EQ(0, f.ribbon.GetCurrentTabIndex());
    EXPECT_TRUE(f.bold.IsVisible());
    EXPECT_FALSE(f.wrap.IsVisible());
    EXPECT_EQ(1, f.ribbon.SelectTab(-2));
    EXPECT_TRUE(f.wrap.IsVisible());
    EXPECT_FALSE(f.bold.IsVisible());
    EXPECT_EQ(2, f.ribbon.SelectTab(-2));
    EXPECT_EQ(0, f.ribbon.SelectTab(-2));
    EXPECT_EQ(2, f.ribbon.SelectTab(-1));
    EXPECT_EQ(2, f.ribbon.SelectTab(17));  // no such tab: unchanged
    f.ribbon.SetDisplayMode(Ribbon::ModeTabsOnly);
    EXPECT_EQ(Ribbon::kTabStripHeight, f.ribbon.GetRect().bottom);
    EXPECT_FALSE(f.about.IsVisible());
    f.ribbon.SetDisplayMode(Ribbon::ModeFull);
    EXPECT_EQ(Ribbon::kTabStripHeight + Ribbon::kGroupHeight, f.ribbon.GetRect().bottom);
}

TEST(RibbonTest, ClicksPostTheControlsCommandToTheOwner)
{
    RibbonFixture f;
    PumpPending();
    POINT p = f.CentreOf(f.italic);
    g_recorded.Clear();
    EXPECT_EQ(1, f.ribbon.TrackMouse(WM_MOUSEMOVE, p.x, p.y));
    EXPECT_EQ(&f.italic, f.ribbon.GetHotControl());
    EXPECT_EQ("Italic (Ctrl+I)", Utf8(f.ribbon.GetHotHelpText()));
    f.ribbon.TrackMouse(WM_LBUTTONDOWN, p.x, p.y);
    f.ribbon.TrackMouse(WM_LBUTTONUP, p.x, p.y);
    // A disabled control ignores its click.
    EXPECT_EQ(1, f.ribbon.SetControlEnabled(f.bold.GetId(), 0));
    POINT b = f.CentreOf(f.bold);
    f.ribbon.TrackMouse(WM_MOUSEMOVE, b.x, b.y);
    EXPECT_FALSE(f.bold.IsHot());
    EXPECT_EQ("Bold (Ctrl+B)", Utf8(f.ribbon.GetHotHelpText()));  // help even when disabled
    f.ribbon.TrackMouse(WM_LBUTTONDOWN, b.x, b.y);
    f.ribbon.TrackMouse(WM_LBUTTONUP, b.x, b.y);
    PumpPending();
    const UINT watched[] = {WM_COMMAND};
    const ExpectedMessage expected[] = {{WM_COMMAND, MAKEWPARAM(f.italic.GetId(), BN_CLICKED)}};
    EXPECT_TRUE(g_recorded.Matches(watched, 1, expected, 1));

    EXPECT_EQ(1, f.ribbon.SetControlPressed(f.italic.GetId(), 1));
    EXPECT_EQ(1, f.italic.GetFirstField());
    EXPECT_EQ(0, f.ribbon.SetControlPressed(12345, 1));
    UINT ids[10];
    ASSERT_EQ(4, f.ribbon.CollectCommandIds(ids, 10));
    EXPECT_EQ(f.bold.GetId(), ids[0]);
    EXPECT_EQ(&f.wrap, f.ribbon.FindControl(f.wrap.GetId()));

    // A click on a tab selects it.
    f.ribbon.TrackMouse(WM_LBUTTONDOWN, 100, 10);
    EXPECT_NE(0, f.ribbon.GetCurrentTabIndex());
    HDC dc = GetDC(f.owner);
    f.ribbon.Paint(dc);
    ReleaseDC(f.owner, dc);
}

// Each word of a hosted control's caption, laid out in the control's caption
// rectangle, stays on one line: captions break between words only. The
// controls stand on the tab `tab`, shown after the ribbon is attached.
static void ExpectCaptionsBreakBetweenWords(int tab)
{
    HWND owner = MakeTestParent(800, 300);
    Ribbon ribbon;
    ribbon.AddStandardTabs();
    int group = ribbon.AddGroup(tab, L"View");
    const WCHAR* const captions[] = {L"ShareSync", L"Screenshot", L"Get Started", L"Capture Web", L"Tip"};
    enum { kCount = sizeof(captions) / sizeof(captions[0]) };
    AIControl controls[kCount];
    for (int i = 0; i < kCount; i++) {
        controls[i].CreateVirtualWithText(ControlStandard, captions[i], 0, 0, 64, 60);
        ribbon.AddControl(tab, group, &controls[i], L"help");
    }
    ribbon.Attach(owner, 0, 0, 800);
    ribbon.SelectTab(tab);
    HDC dc = GetDC(owner);
    AIString probe(L"X");
    RECT wide = {0, 0, 1000, 1000};
    int oneLine = probe.MeasureMarkupText(dc, wide).cy;
    for (int i = 0; i < kCount; i++) {
        EXPECT_TRUE(controls[i].IsVisible()) << "tab " << tab;
        RECT inside = controls[i].GetCaptionRect();
        const WCHAR* text = captions[i];
        for (int start = 0; text[start];) {
            int end = start;
            while (text[end] && text[end] != L' ') end++;
            AIString word;
            word.AssignTextN(text + start, end - start);
            EXPECT_EQ(oneLine, word.MeasureMarkupText(dc, inside).cy) << Utf8(word.GetText()) << " tab " << tab;
            start = text[end] ? end + 1 : end;
        }
    }
    // A caption whose words fit keeps its width; the wider ones do not overlap.
    EXPECT_EQ(64, controls[4].GetRect().right - controls[4].GetRect().left);
    for (int i = 1; i < kCount; i++) {
        RECT a = controls[i - 1].GetRect(), b = controls[i].GetRect(), overlap;
        EXPECT_FALSE(IntersectRect(&overlap, &a, &b)) << "tab " << tab;
    }
    ReleaseDC(owner, dc);
    DestroyWindow(owner);
}

// On the tab shown from the start, and on one shown later (its controls are
// readied only then).
TEST(RibbonTest, CaptionsBreakBetweenWordsOnly)
{
    ExpectCaptionsBreakBetweenWords(0);
    ExpectCaptionsBreakBetweenWords(2);
}

TEST(RibbonTest, LimitsHold)
{
    Ribbon ribbon;
    for (int i = 0; i < Ribbon::kMaxTabs; i++) EXPECT_EQ(i, ribbon.AddTab(L"t"));
    EXPECT_EQ(-1, ribbon.AddTab(L"one too many"));
    for (int g = 0; g < Ribbon::kMaxGroups; g++) EXPECT_EQ(g, ribbon.AddGroup(0, L"g"));
    EXPECT_EQ(-1, ribbon.AddGroup(0, L"one too many"));
    EXPECT_EQ(-1, ribbon.AddGroup(25, L"no tab"));
    static AIControl controls[Ribbon::kMaxControls + 1];
    for (int i = 0; i < Ribbon::kMaxControls; i++) EXPECT_EQ(i, ribbon.AddControl(0, 0, &controls[i], 0));
    EXPECT_EQ(-1, ribbon.AddControl(0, 0, &controls[Ribbon::kMaxControls], 0));
    EXPECT_EQ(-1, ribbon.AddControl(0, 99, &controls[0], 0));
}

TEST(PulseTimers, RecordsByControlId)
{
    AIPulseTimers::Reset();
    RECT rect = {1, 2, 3, 4};
    EXPECT_EQ(-1, AIPulseTimers::GetStep(19996));
    ASSERT_EQ(1, AIPulseTimers::Start(19996, rect));
    EXPECT_EQ(0, AIPulseTimers::GetStep(19996));
    AIPulseTimers::SetStep(19996, 5);
    AIPulseTimers::SetCountdown(19996, 12);
    EXPECT_EQ(12, AIPulseTimers::GetCountdown(19996));
    RECT back;
    ASSERT_EQ(1, AIPulseTimers::GetRect(19996, &back));
    EXPECT_EQ(3, back.right);
    AIPulseTimers::Stop(19996);
    EXPECT_EQ(-1, AIPulseTimers::GetStep(19996));
    AIPulseTimers::Stop(777);  // unknown: ignored
    EXPECT_EQ(0, AIPulseTimers::GetRect(777, &back));
    for (int i = 1; i < AIPulseTimers::kMaxRecords; i++) EXPECT_EQ(1, AIPulseTimers::Start(i, rect));
    EXPECT_EQ(0, AIPulseTimers::Start(5000, rect));  // full
    EXPECT_EQ(1, AIPulseTimers::Start(3, rect));     // restarting an existing record works
    AIPulseTimers::Reset();
}

TEST(ShellHelpers, RequestsForTheShell)
{
    ShellRequest r;
    ASSERT_EQ(1, BuildShellRequest(L"open", L"http://example.org/a b", 0, &r));
    EXPECT_EQ("http://example.org/a b", Utf8(r.file));
    EXPECT_EQ("open", Utf8(r.verb));
    ASSERT_EQ(1, BuildShellRequest(0, L"File:C:\\notes\\x.txt", L"ignored", &r));
    EXPECT_EQ("rundll32.exe", Utf8(r.file));
    EXPECT_EQ("url.dll,FileProtocolHandler File:C:\\notes\\x.txt", Utf8(r.parameters));
    EXPECT_EQ("", Utf8(r.verb));
    ASSERT_EQ(1, BuildShellRequest(L"open", L"C:\\tools\\a.exe", L"/x", &r));
    EXPECT_EQ("/x", Utf8(r.parameters));
    EXPECT_EQ(0, BuildShellRequest(L"open", L"", 0, &r));
    EXPECT_EQ(0, BuildShellRequest(L"open", 0, 0, &r));
    WCHAR huge[3000];
    for (int i = 0; i < 2999; i++) huge[i] = L'x';
    huge[2999] = 0;
    EXPECT_EQ(0, BuildShellRequest(L"open", huge, 0, &r));
    // An empty target is refused with a report, and nothing is started.
    EXPECT_EQ(0, OpenInShell(0, L"open", L"", 0, 0, SW_SHOWNORMAL));
}

TEST(Colours, TableAndTints)
{
    EXPECT_EQ(RGB(0, 0, 0), MixColours(RGB(0, 0, 0), RGB(255, 255, 255), 0));
    EXPECT_EQ(RGB(255, 255, 255), MixColours(RGB(0, 0, 0), RGB(255, 255, 255), 255));
    EXPECT_EQ(RGB(99, 49, 0), MixColours(RGB(200, 100, 0), RGB(0, 0, 0), 128));
    HBRUSH brush = CreateBrushOfColour(ColourFrame);
    EXPECT_TRUE(brush != nullptr);
    EXPECT_EQ(brush, CreateBrushOfColour(ColourFrame));  // cached, one per colour
    EXPECT_TRUE(CreateBrushOfColour(-3) != nullptr);      // out of range: a stock brush
    EXPECT_NE(GetTableColour(ColourShowcase0), GetTableColour(ColourShowcaseLast));
    RefreshColourTable();
    EXPECT_TRUE(CreateBrushOfColour(ColourFrame) != nullptr);

    // Pens are cached per colour and width: a thick frame pen asked for first
    // must not come back when a thin one is wanted.
    LOGPEN pen;
    ASSERT_TRUE(GetObjectW(CreatePenOfColour(ColourSearchFrame, 2), sizeof(pen), &pen));
    EXPECT_EQ(2, pen.lopnWidth.x);
    ASSERT_TRUE(GetObjectW(CreatePenOfColour(ColourSearchFrame, 1), sizeof(pen), &pen));
    EXPECT_EQ(1, pen.lopnWidth.x);
    EXPECT_EQ(GetTableColour(ColourSearchFrame), pen.lopnColor);
    EXPECT_EQ(CreatePenOfColour(ColourSearchFrame, 2), CreatePenOfColour(ColourSearchFrame, 2));
}
