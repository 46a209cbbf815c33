// The backdrop and the host with real windows when something cuts into their
// fades: a screen closed while it fades in, a second screen asked for while
// the first one fades out (also after a key in the editor has freed the
// centre). Once the runs have ended, no window of theirs is left up.
#include "tests/support/gtest.h"
#include "tests/dialogs/dialog_test_windows.h"
#include "tests/dialogs/screen_test_support.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "dialogs/modal_backdrop.h"
#include "foundation/app.h"
#include "foundation/settings_record.h"

namespace {

struct ClassCount {
    const WCHAR* className;
    int count;
    int destroy;
};

BOOL CALLBACK CountOfClass(HWND window, LPARAM lParam)
{
    ClassCount* c = (ClassCount*)lParam;
    WCHAR name[64] = L"";
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, c->className) != 0) return TRUE;
    c->count++;
    if (c->destroy) DestroyWindow(window);
    return TRUE;
}

class BackdropLifetimeTest : public ::testing::Test {
protected:
    void SetUp() override { ResetScreenTestState(); }
    void TearDown() override
    {
        // A window left behind would spoil the next tests.
        for (const WCHAR* name : {L"winGuide_", L"winBuffer_"}) {
            ClassCount c = {name, 0, 1};
            EnumThreadWindows(GetCurrentThreadId(), CountOfClass, (LPARAM)&c);
        }
    }
};

// Windows of the class that this thread still has, whether anybody knows them or not.
int WindowsOfClass(const WCHAR* className)
{
    ClassCount c = {className, 0, 0};
    EnumThreadWindows(GetCurrentThreadId(), CountOfClass, (LPARAM)&c);
    return c.count;
}

// Fades step over several paints (transparency on, a fast processor), or
// end at their first paint.
void SetFades(int on)
{
    g_app.settings.Record().transparencyOff = on ? 0 : 1;
    g_app.system.SetCpuSpeedIndex(400);
}

void ExpectNothingLeft()
{
    EXPECT_EQ(0, WindowsOfClass(L"winBuffer_"));
    EXPECT_EQ(0, WindowsOfClass(L"winGuide_"));
    EXPECT_EQ(0u, g_dialogCenter.busy);
    EXPECT_TRUE(IsWindowEnabled(g_testWindows.frame));
}

// The second screen: asked for from a thread timer inside the first one's
// modal loop once `g_when` holds, and closed with Escape once it is open.
int (*g_when)() = 0;
int g_freeCentreFirst = 0;  // a key in the editor frees the centre first
int g_secondRuns = 0;
int32_t g_secondResult = 0;
HWND g_firstHost = 0;

void CALLBACK CloseSecond(HWND, UINT, UINT_PTR, DWORD)
{
    HWND host = g_dialogHost.window;
    if (DialogState == kDialogOpen && host && host != g_firstHost && GetActiveWindow() == host)
        PressHostKey(host, VK_ESCAPE);
}

void CALLBACK AskForSecond(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!g_when || !g_when()) return;
    g_when = 0;
    KillTimer(0, id);
    if (g_freeCentreFirst) g_dialogCenter.UpdateMessageBox(-1);
    UINT_PTR closer = SetTimer(0, 0, 20, CloseSecond);
    g_secondResult = g_dialogCenter.RunDialogScreen(kScreenAbout);
    KillTimer(0, closer);
    g_secondRuns++;
}

void CloseFirst(HWND host)
{
    g_firstHost = host;
    PressHostKey(host, VK_ESCAPE);
}

// Runs About, closes it and asks for the second screen at the moment given.
void RunSecondDuringFirstFade(int (*when)(), int freeCentreFirst)
{
    g_when = when;
    g_firstHost = 0;
    g_freeCentreFirst = freeCentreFirst;
    g_secondRuns = 0;
    g_secondResult = 0;
    UINT_PTR asker = SetTimer(0, 0, 5, AskForSecond);
    ScreenRun first = RunScreen(kScreenAbout, CloseFirst);
    KillTimer(0, asker);
    EXPECT_EQ(1, first.opened);
    EXPECT_EQ(0, first.watchdogFired);
    EXPECT_EQ(1, g_secondRuns);
    EXPECT_EQ(-1, g_secondResult);
}

// The first screen's host fades out.
int HostClosing() { return g_firstHost && g_dialogHost.window == g_firstHost && g_dialogHost.closingPhase == 1; }
// The host is gone; the backdrop waits for its close timer.
int BackdropLeftAlone()
{
    return g_firstHost && !IsWindow(g_firstHost) && GetBackdropWindow() && g_backdrop.lighteningPhase == -1 &&
           g_dialogCenter.done == 0;
}
// The backdrop lightens.
int BackdropLightening() { return g_firstHost && GetBackdropWindow() && g_backdrop.lighteningPhase == 1; }

}  // namespace

TEST_F(BackdropLifetimeTest, AScreenClosedWhileItFadesInClosesWithItsBackdrop)
{
    SetFades(1);
    // Shortcuts has no animation of its own whose ticks would repaint it.
    ScreenRun run = RunScreen(kScreenShortcuts, [](HWND host) {
        // The host as it is while it fades in over several paints (a slower
        // system): disabled, opening, its fade timer running.
        g_dialogHost.openingPhase = 1;
        g_dialogHost.level = kScreenLevelClosed;
        EnableWindow(host, FALSE);
        DialogState = kDialogHostOpening;
        SetTimer(host, kHostFadeTimer, kHostTickMs, 0);
        CloseScreenWithResult(-1);
    });
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(0, run.watchdogFired);
    EXPECT_EQ(-1, run.result);
    ExpectNothingLeft();
}

TEST_F(BackdropLifetimeTest, ASecondScreenDuringTheFirstOnesFadeOutLeavesNoWindowBehind)
{
    struct {
        const char* moment;
        int (*when)();
    } const moments[] = {
        {"host closing", HostClosing},
        {"backdrop left alone", BackdropLeftAlone},
        {"backdrop lightening", BackdropLightening},
    };
    for (int fades = 0; fades <= 1; fades++)
        for (int freeCentre = 0; freeCentre <= 1; freeCentre++)
            for (const auto& m : moments) {
                // Without fades (as under Wine) the host and the backdrop go at
                // their first paint, and the host never shows closing.
                if (!fades && m.when != BackdropLeftAlone) continue;
                SCOPED_TRACE(testing::Message() << m.moment << (fades ? ", with fades" : "")
                                                << (freeCentre ? ", centre freed by a key" : ""));
                ResetScreenTestState();
                SetFades(fades);
                RunSecondDuringFirstFade(m.when, freeCentre);
                ExpectNothingLeft();
                EXPECT_EQ(kDialogNone, DialogState);
            }
}
