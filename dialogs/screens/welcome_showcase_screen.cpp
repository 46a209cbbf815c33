// Screen 5, the welcome showcase: thirteen scenes of words fading in and
// out around the centre of the screen, ending in the product's name; it
// closes by itself after the last scene, or with Close, Esc or Enter (-1).
#include "dialogs/screens/welcome_motion.h"
#include "dialogs/screens/welcome.h"
#include "dialogs/screens/screens.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "drawing/ai_effects.h"
#include "ui/colours.h"
#include <windowsx.h>

namespace {

enum {
    kCloseFromRight = 80,
    kCloseTop = 390,
    kShowcaseTickMs = 150,
    kBackgroundTint = 100,       // the shadow colour moved this far towards white
    kBackgroundGradient = 150,   // how far the top is lightened
    kStopped = 1,
    kRunning = -1,
    kDiagramRows = 4,
    kWordsPerScene = 8,
};

struct Word {
    const WCHAR* text;
    int points, dx, dy;
};
struct Scene {
    Word words[kWordsPerScene];
    int oneByOne;  // word k shows once the step passes k - 1
};
const Scene kScenes[] = {
    {{{L"Welcome", 28, -100, -60}}, 0},
    {{{L"to", 28, -40, -60}}, 0},
    {{{L"Orvanta", 28, -80, -85}, {L"Tavik", 28, -70, -25}}, 0},
    {{{L"Brilliantly simple", 28, -160, -120}, {L"Beautiful", 28, -100, -60}, {L"Simply Brilliant", 28, -150, 0}}, 0},
    {{{L"ERP", 18, -120, -140}, {L"Marketing", 12, 60, 30}, {L"HTML", 12, 120, -80}, {L"CRM", 18, -60, -40},
      {L".Net", 18, -20, 90}, {L"Strategy", 12, -200, -70}, {L"Web 2.0", 12, -160, 30}, {L"Support", 12, 10, -100}},
     1},
    {{{L"trip planning", 12, -120, -140}, {L"expense report", 12, 60, 30}, {L"birthdays", 12, 120, -80},
      {L"emergency numbers", 12, -60, -40}, {L"ideas and brainstorming", 12, -20, 90},
      {L"web articles and books", 12, -200, -70}, {L"medical history", 12, -160, 30}, {L"to do lists", 12, 10, -100}},
     1},
    {{{L"Information", 28, -120, -80}, {L"overload", 28, -100, -20}}, 0},
};
const int kWordScenes = (int)(sizeof kScenes / sizeof kScenes[0]);
// The diagram of scenes 7 to 10: a word and its subtitle per row.
const Word kDiagram[kDiagramRows][2] = {
    {{L"Collect", 28, -245, -182}, {L"Information", 18, -80, -170}},
    {{L"Create", 28, -245, -112}, {L"Ideas", 18, -80, -100}},
    {{L"Connect", 28, -245, -42}, {L"the pieces", 18, -80, -30}},
    {{L"Convert", 28, -245, 30}, {L"information to knowledge", 18, -80, 42}},
};
const Word kClosingWords[] = {{L"Orvanta", 28, -80, -85}, {L"Tavik", 28, 0, 0}};

int g_stopWord = 0;
ShowcaseCounters g_counters;

// The background: the average of a light and a shadow tint of the system's
// colours, lightened towards its top.
COLORREF BackgroundColour()
{
    COLORREF a = TintSystemColour(COLOR_3DFACE, 0), b = TintSystemColour(COLOR_3DSHADOW, kBackgroundTint);
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2, (GetBValue(a) + GetBValue(b)) / 2);
}

// The words fade in from the background at the middle of the screen.
COLORREF RampColour(int step)
{
    COLORREF middle = MixColours(BackgroundColour(), RGB(255, 255, 255), kBackgroundGradient / 2);
    return MixColours(middle, GetTableColour(ColourText), ShowcaseRampLevel(step) * 255 / kShowcaseRampSteps);
}

void DrawWord(HDC dc, const Word& word, COLORREF colour)
{
    if (!word.text) return;
    int cx = g_dialogHost.width / 2, cy = g_dialogHost.height / 2;
    AIString text(word.text);
    text.SetFontSize(word.points).SetTextColor(colour);
    RECT r = {cx + word.dx, cy + word.dy, cx + word.dx + 500, cy + word.dy + 60};
    text.DrawStyled(dc, r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

void DrawScene(HDC dc, const ShowcaseCounters& c)
{
    COLORREF ramp = RampColour(c.step), full = GetTableColour(ColourText);
    if (c.scene < kWordScenes) {
        const Scene& scene = kScenes[c.scene];
        for (int k = 0; k < kWordsPerScene; k++)
            if (!scene.oneByOne || c.step > k) DrawWord(dc, scene.words[k], ramp);
    } else if (c.scene <= kShowcaseLastDiagramScene) {
        int newest = c.scene - kShowcaseFirstDiagramScene;
        for (int row = 0; row <= newest; row++)
            for (const Word& word : kDiagram[row]) DrawWord(dc, word, row == newest ? ramp : full);
    } else if (c.scene == kShowcaseLastDiagramScene + 1) {
        // The whole diagram fades out together.
        for (const auto& row : kDiagram)
            for (const Word& word : row) DrawWord(dc, word, ramp);
    } else {
        for (const Word& word : kClosingWords) DrawWord(dc, word, ramp);
    }
}

void ShowcaseOnShow()
{
    g_stopWord = 0;
    SetScreenFrameStyle(kFrameStyleFlat);
    if (g_dialogHost.window) SetTimer(g_dialogHost.window, kHostAnimationTimer, kShowcaseTickMs, 0);
}

void ShowcaseOnClose()
{
    g_stopWord = kStopped;
    if (g_dialogHost.window) KillTimer(g_dialogHost.window, kHostAnimationTimer);
}

LRESULT ShowcaseOnCreate(HWND, UINT, WPARAM, LPARAM)
{
    PlaceSharedControl(g_screenControls.close, L"Close", g_dialogHost.width - kCloseFromRight,
                       ScreenContentOffset() + kCloseTop, kScreenCloseWidth, kScreenButtonHeight);
    return 0;
}

LRESULT ShowcaseOnMouseUp(HWND host, UINT, WPARAM, LPARAM lParam)
{
    AIControl* clicked = SharedControlsMouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    InvalidateRect(host, 0, FALSE);
    if (clicked == &g_screenControls.close) CloseScreenWithResult(-1);
    return 0;
}

LRESULT ShowcaseOnKeyUp(HWND, UINT message, WPARAM key, LPARAM)
{
    if (IsSystemKey(message, key)) return 0;
    if (key == VK_ESCAPE || key == VK_RETURN) {
        g_stopWord = kStopped;
        CloseScreenWithResult(-1);
    }
    return 0;
}

void ShowcasePaintFrame(HDC dc, int x, int y, int width, int height)
{
    DrawResourceJpg(dc, x, y, width, height);
    RECT panel = {x + kScreenMargin1, y + kScreenTitleBarHeight, x + width - kScreenMargin2, y + height - kScreenMargin2};
    if (panel.right > panel.left && panel.bottom > panel.top) {
        FillSolid(dc, panel.left, panel.top, panel.right, panel.bottom, BackgroundColour());
        AIEffectContext gradient(dc, panel);
        gradient.GradientTintInRect(RGB(255, 255, 255), kBackgroundGradient);
    }
    DrawScreenFrame(dc, x, y, width, height, -1);
}

void ShowcasePaintContent(HDC dc)
{
    if (g_stopWord == kStopped) return;  // closing: nothing more is drawn
    if (g_stopWord != kRunning) {
        ResetShowcase(g_counters);
        g_stopWord = kRunning;
    }
    int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawScene(dc, g_counters);
    SetBkMode(dc, oldMode);
    DrawScreenControls(dc, g_screenControls.close, kButtonFramed);
    if (AdvanceShowcase(g_counters)) {
        g_stopWord = kStopped;
        CloseScreenWithResult(-1);
    }
}

const ScreenHandlers kShowcaseHandlers = {ShowcaseOnShow,            ShowcaseOnCreate,   ShowcaseOnClose,
                                          SharedControlsOnMouseDown, ShowcaseOnMouseUp,  SharedControlsOnMouseMove,
                                          ShowcaseOnKeyUp,           ShowcasePaintFrame, ShowcasePaintContent};

}  // namespace

const ShowcaseCounters& ShowcaseProgress() { return g_counters; }

void RegisterWelcomeShowcaseScreen() { RegisterScreen(kScreenWelcome, &kShowcaseHandlers); }
