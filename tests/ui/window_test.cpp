// Windows, table-driven procedures and windowless controls, driven by real
// messages under Wine and checked against recorded message sequences.
#include "tests/support/gtest.h"
#include "tests/ui/recorder.h"
#include "ui/ai_window.h"
#include "ui/ai_control.h"
#include "ui/window_table.h"
#include "foundation/app.h"
#include "foundation/errors.h"
#include "foundation/hash_name.h"

namespace {
const UINT kUnknown = WM_USER + 77;
int g_firstHandlerRuns = 0;

LRESULT RecordHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_recorded.Add(window, message, wParam, lParam);
    return 1234;
}

LRESULT FirstSetText(HWND, UINT, WPARAM, LPARAM)
{
    g_firstHandlerRuns++;
    return 7;
}

LRESULT CommandSave(HWND window, WPARAM wParam, LPARAM lParam)
{
    g_recorded.Add(window, 0xC0DE, wParam, lParam);
    return 55;
}

const CommandEntry kCommands[] = {
    {40099, CommandSave},
};

LRESULT OnCommand(HWND window, UINT, WPARAM wParam, LPARAM lParam)
{
    int handled = 0;
    LRESULT result = DispatchCommandTable(kCommands, window, wParam, lParam, &handled);
    return handled ? result : -1;
}

const MessageEntry kMessages[] = {
    {WM_USER + 1, RecordHandler},
    {WM_SETTEXT, FirstSetText},
    {WM_SETTEXT, RecordHandler},  // never reached: the first row wins
    {MsgBeforeShow, RecordHandler},
    {MsgBeforeHide, RecordHandler},
    {WM_SHOWWINDOW, RecordHandler},
    {WM_COMMAND, OnCommand},
};

LRESULT CALLBACK TableProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DispatchMessageTable(kMessages, window, message, wParam, lParam);
}

struct RunStateGuard {
    ~RunStateGuard() { g_app.SetRunState(kRunRunning); }
};

HWND MakeTableWindow(AIWindow* window)
{
    AIWindow::RegisterClassWithIcon(L"uiTableTest", TableProc, 0);
    return window->Create(0, L"uiTableTest", L"table", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, 0, 0, 0);
}
}  // namespace

TEST(WindowTable, HandlersRunInTableOrderAndUnknownMessagesGoToDefault)
{
    AIWindow window(100);
    HWND hwnd = MakeTableWindow(&window);
    ASSERT_TRUE(hwnd);
    g_recorded.Clear();
    g_firstHandlerRuns = 0;
    EXPECT_EQ(1234, SendMessageW(hwnd, WM_USER + 1, 5, 6));
    EXPECT_EQ(0, SendMessageW(hwnd, kUnknown, 1, 2));  // DefWindowProcW answers 0
    EXPECT_EQ(7, SendMessageW(hwnd, WM_SETTEXT, 0, (LPARAM)L"changed"));
    EXPECT_EQ(1, g_firstHandlerRuns);
    const UINT watched[] = {WM_USER + 1, kUnknown, WM_SETTEXT};
    const ExpectedMessage expected[] = {{WM_USER + 1, 5}};
    EXPECT_TRUE(g_recorded.Matches(watched, 3, expected, 1));
    // The table's handler swallowed WM_SETTEXT: the title is unchanged.
    AIString title;
    window.GetTitle(&title);
    EXPECT_EQ("table", Utf8(title));
    window.Destroy();
}

TEST(WindowTable, EveryMessageGoesToDefaultWhileClosing)
{
    AIWindow window(100);
    HWND hwnd = MakeTableWindow(&window);
    ASSERT_TRUE(hwnd);
    RunStateGuard restore;
    g_app.SetRunState(kRunClosing);
    g_recorded.Clear();
    g_firstHandlerRuns = 0;
    EXPECT_EQ(0, SendMessageW(hwnd, WM_USER + 1, 5, 6));
    SendMessageW(hwnd, WM_SETTEXT, 0, (LPARAM)L"by default");
    EXPECT_EQ(0, g_firstHandlerRuns);
    EXPECT_EQ(0, g_recorded.Count());
    AIString title;
    window.GetTitle(&title);
    EXPECT_EQ("by default", Utf8(title));  // DefWindowProcW set it
    g_app.SetRunState(kRunRunning);
    window.Destroy();
}

TEST(WindowTable, CommandsGoThroughTheSecondTable)
{
    AIWindow window(100);
    HWND hwnd = MakeTableWindow(&window);
    g_recorded.Clear();
    EXPECT_EQ(55, SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(40099, 0), 0));
    EXPECT_EQ(-1, SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(40100, 0), 0));
    EXPECT_EQ(1, g_recorded.CountOf(0xC0DE));
    window.Destroy();
}

TEST(Window, ShowAndHideAnnounceThemselvesFirst)
{
    AIWindow window(200);
    HWND hwnd = MakeTableWindow(&window);
    ASSERT_TRUE(hwnd);
    g_recorded.Clear();
    window.Show();
    EXPECT_TRUE(window.IsVisible());
    window.Hide();
    window.Minimize();
    const UINT watched[] = {MsgBeforeShow, MsgBeforeHide, WM_SHOWWINDOW};
    const ExpectedMessage expected[] = {
        {MsgBeforeShow, 1}, {WM_SHOWWINDOW, 1}, {MsgBeforeHide, 1}, {WM_SHOWWINDOW, 0}, {MsgBeforeHide, 1},
    };
    EXPECT_TRUE(g_recorded.Matches(watched, 3, expected, 5));
    window.Destroy();
    EXPECT_EQ(nullptr, window.GetHwndField());
    EXPECT_FALSE(IsWindow(hwnd));
    window.Destroy();  // a second destroy is harmless
}

TEST(Window, PlacementEnableCentreAndMessages)
{
    AIWindow window(400);
    HWND hwnd = MakeTableWindow(&window);
    ASSERT_TRUE(hwnd);
    window.Enable(0);
    EXPECT_EQ(0, window.GetStateFlagA());
    EXPECT_FALSE(IsWindowEnabled(hwnd));
    window.Enable(1);
    EXPECT_EQ(1, window.GetStateFlagA());

    WINDOWPLACEMENT placement;
    ASSERT_TRUE(window.GetPlacement(&placement));
    placement.rcNormalPosition = {50, 60, 350, 260};
    placement.showCmd = SW_HIDE;
    ASSERT_TRUE(window.SetPlacement(&placement));
    RECT rect;
    window.GetScreenRect(&rect);
    EXPECT_EQ(300, rect.right - rect.left);

    AIWindow parent(100);
    HWND parentHwnd = MakeTableWindow(&parent);
    MoveWindow(parentHwnd, 100, 100, 500, 400, FALSE);
    window.CenterOn(parentHwnd);
    window.GetScreenRect(&rect);
    EXPECT_EQ(100 + (500 - 300) / 2, rect.left);
    EXPECT_EQ(100 + (400 - 200) / 2, rect.top);

    g_recorded.Clear();
    EXPECT_EQ(1234, window.SendOrPostMessage(WM_USER + 1, 9, 0, 0));
    EXPECT_TRUE(window.SendOrPostMessage(WM_USER + 1, 10, 0, 1));
    EXPECT_EQ(1, g_recorded.Count());
    PumpPending();
    EXPECT_EQ(2, g_recorded.Count());
    window.Destroy();
    EXPECT_EQ(0, window.SendOrPostMessage(WM_USER + 1, 9, 0, 0));
    parent.Destroy();
}

TEST(Window, FailedCreationAsksAndGivesUpOnNo)
{
    AIWindow window(300);
    EXPECT_EQ(nullptr, window.Create(0, L"noSuchClassHere", L"", 0, 0, 0, 10, 10, 0, 0, 0));
    EXPECT_EQ(nullptr, window.GetHwndField());
}

namespace {
int g_guardedRuns = 0;
int SucceedOnThirdRun(AIWindow*) { return ++g_guardedRuns >= 3 ? 1 : 0; }
}  // namespace

TEST(Window, RunGuardedRetriesOnlyWhenAsked)
{
    AIWindow window(100);
    g_guardedRuns = 0;
    EXPECT_EQ(0, window.RunGuarded(SucceedOnThirdRun));  // "No": one run
    EXPECT_EQ(1, g_guardedRuns);
    g_guardedRuns = 0;
    SetErrorAutoAnswer(IDYES);
    EXPECT_EQ(1, window.RunGuarded(SucceedOnThirdRun));
    SetErrorAutoAnswer(IDNO);
    EXPECT_EQ(3, g_guardedRuns);
}

// ---- windowless controls ----

TEST(WindowlessControl, IdsComeFromOneCounter)
{
    WORD next = PeekNextControlId();
    EXPECT_GE(next, (WORD)kFirstControlId);
    AIControl a, b;
    EXPECT_EQ(next, a.GetId());
    EXPECT_EQ(next + 1, b.GetId());
    // Screens made again and again use up the 16-bit range: the counter
    // starts over at the first id, never at 0, IDOK or IDCANCEL.
    for (int i = 0; i < 0x10000 - kFirstControlId; i++) {
        AIControl passing;
        ASSERT_GE(passing.GetId(), (WORD)kFirstControlId);
    }
}

TEST(WindowlessControl, AClickNeedsPressAndReleaseOnTheEnabledControl)
{
    HWND parent = MakeTestParent();
    AIControl button;
    ASSERT_TRUE(button.CreateStandard(parent, L"<b>OK</b>", 10, 10, 80, 24));
    EXPECT_EQ(nullptr, button.GetHwnd());
    const UINT watched[] = {WM_COMMAND};
    const ExpectedMessage oneClick[] = {{WM_COMMAND, MAKEWPARAM(button.GetId(), BN_CLICKED)}};
    PumpPending();

    struct Case {
        const char* name;
        int downX, upX;
        int enabled;
        int clicks;
    } cases[] = {
        {"press and release inside", 20, 30, 1, 1},
        {"release outside", 20, 200, 1, 0},
        {"press outside, release inside", 200, 20, 1, 0},
        {"disabled", 20, 30, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        button.Enable(c.enabled);
        g_recorded.Clear();
        button.OnMouseDown(c.downX, 20);
        EXPECT_EQ(c.downX == 20 && c.enabled, button.IsPressed());
        EXPECT_EQ(c.clicks, button.OnMouseUp(c.upX, 20));
        EXPECT_EQ(0, button.IsPressed());
        EXPECT_EQ(c.clicks, button.IsClicked());
        PumpPending();
        EXPECT_TRUE(g_recorded.Matches(watched, 1, oneClick, c.clicks));
    }
    DestroyWindow(parent);
}

TEST(WindowlessControl, HotTrackingAndVisibility)
{
    HWND parent = MakeTestParent();
    AIControl button;
    button.CreateStandard(parent, L"Go", 10, 10, 80, 24);
    EXPECT_EQ(1, button.OnMouseMove(15, 15));
    EXPECT_TRUE(button.IsHot());
    EXPECT_EQ(0, button.OnMouseMove(16, 15));  // no change
    EXPECT_EQ(1, button.OnMouseMove(150, 15));
    EXPECT_FALSE(button.IsHot());
    button.Hide();
    EXPECT_EQ(0, button.OnMouseDown(15, 15));  // a hidden control is not hit
    button.Show();
    button.MoveTo(100, 100);
    EXPECT_EQ(0, button.OnMouseDown(15, 15));
    EXPECT_EQ(1, button.OnMouseDown(110, 110));
    button.OnMouseUp(500, 500);
    button.SetDrawStyle(1);
    EXPECT_EQ(1, button.GetFirstField());
    // Painting every state must not fail.
    HDC dc = GetDC(parent);
    button.Paint(dc);
    button.Enable(0);
    button.Paint(dc);
    ReleaseDC(parent, dc);
    DestroyWindow(parent);
}

TEST(WindowedControl, RealChildrenOfEveryKind)
{
    HWND parent = MakeTestParent();
    const int kinds[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16};
    for (int kind : kinds) {
        SCOPED_TRACE(kind);
        AIControl control;
        ASSERT_TRUE(control.CreateWindowedAt(kind, parent, 5, 5, 120, 60, WS_VISIBLE));
        EXPECT_EQ(control.GetId(), GetDlgCtrlID(control.GetHwnd()));
        WCHAR className[64];
        GetClassNameW(control.GetHwnd(), className, 64);
        EXPECT_EQ(0, CompareTextNoCase(className, ControlClassName(kind)));
        DestroyWindow(control.GetHwnd());
    }
    AIControl standard;
    EXPECT_EQ(0, standard.CreateWindowedAt(1, parent, 0, 0, 10, 10, 0));  // "STANDARD" is windowless only
    DestroyWindow(parent);
}

TEST(WindowedControl, OwnImageButtonClickPostsCommand)
{
    HWND parent = MakeTestParent();
    AIControl button;
    ASSERT_TRUE(button.CreateWindowedAt(ControlImageButton, parent, 20, 20, 50, 30, WS_VISIBLE));
    g_recorded.Clear();
    SendMessageW(button.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button.GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
    PumpPending();
    const UINT watched[] = {WM_COMMAND};
    const ExpectedMessage expected[] = {{WM_COMMAND, MAKEWPARAM(button.GetId(), BN_CLICKED)}};
    EXPECT_TRUE(g_recorded.Matches(watched, 1, expected, 1));

    // A control object that ends before its window leaves no pointer to
    // itself behind: the window's later messages must not reach freed memory.
    HWND orphan = 0;
    {
        AIControl shortLived;
        ASSERT_TRUE(shortLived.CreateWindowedAt(ControlImageButton, parent, 80, 20, 50, 30, WS_VISIBLE));
        orphan = shortLived.GetHwnd();
    }
    EXPECT_EQ(0, GetWindowLongPtrW(orphan, GWLP_USERDATA));
    SendMessageW(orphan, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(orphan, WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
    DestroyWindow(parent);
}

TEST(WindowedControl, EditTextValueAndSubclass)
{
    HWND parent = MakeTestParent();
    AIControl edit;
    ASSERT_TRUE(edit.CreateWindowedAt(ControlEdit, parent, 5, 5, 200, 24, WS_VISIBLE));
    edit.SetText(L"hello world");
    AIString text;
    EXPECT_EQ(11, edit.GetText(&text));
    EXPECT_EQ(11, edit.GetTextLength());
    edit.SetSel(6, 11);
    edit.GetSelectedEditText(&text);
    EXPECT_EQ("world", Utf8(text));
    edit.SetValue(-5);
    EXPECT_EQ(-5, edit.GetValue());
    WNDPROC previous = edit.SetWindowData(DefWindowProcW);
    EXPECT_TRUE(previous != nullptr);
    EXPECT_EQ((WNDPROC)DefWindowProcW, edit.SetWindowData(previous));

    AIControl combo;
    ASSERT_TRUE(combo.CreateWindowedAt(ControlComboList, parent, 5, 40, 200, 120, WS_VISIBLE));
    SendMessageW(combo.GetHwnd(), CB_ADDSTRING, 0, (LPARAM)L"first");
    SendMessageW(combo.GetHwnd(), CB_ADDSTRING, 0, (LPARAM)L"second");
    EXPECT_EQ(6, combo.GetComboItemText(1, &text));
    EXPECT_EQ("second", Utf8(text));
    EXPECT_EQ(0, combo.GetComboItemText(5, &text));
    DestroyWindow(parent);
}
