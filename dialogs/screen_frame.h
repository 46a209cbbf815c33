// What every screen of the dialog host shares: the handler set a screen
// supplies, the layout words (margins, content offset, unit, title bar, Mac
// offset), the shared control set (Close, A, B and six tabs), the frame
// styles, and the painting routines of titles, panels, frames and buttons.
#pragma once
#include "foundation/win.h"
#include "ui/ai_control.h"

// The operations a screen supplies; null entries are skipped. The message
// handlers get the window procedure's arguments; PaintFrame draws into the
// frame cache at (x, y) with the given size, PaintContent into the paint in
// progress (g_dialogHost.paintContext).
struct ScreenHandlers {
    void (*onShow)();
    LRESULT (*onCreate)(HWND host, UINT message, WPARAM wParam, LPARAM lParam);
    void (*onClose)();
    LRESULT (*onMouseDown)(HWND host, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT (*onMouseUp)(HWND host, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT (*onMouseMove)(HWND host, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT (*onKeyUp)(HWND host, UINT message, WPARAM wParam, LPARAM lParam);
    void (*paintFrame)(HDC dc, int x, int y, int width, int height);
    void (*paintContent)(HDC dc);
};

enum ScreenLayout {
    kScreenMargin1 = 10,          // frame margins the screens lay out by (0 on a Mac-like system)
    kScreenMargin2 = 8,
    kScreenPictureGap = 8,        // around a button's picture
    kScreenMacOffset = 18,        // the two margins: how far a Mac-like layout moves in
    kScreenMacTitleOffset = -15,  // the title moves up on a Mac-like system
    kScreenUnit = 10,             // the unit u of the screens' grids
    kScreenTitleBarHeight = 46,   // the title band drawn by DrawResourceJpg
    kScreenLevelClosed = 10,      // opacity of the screen over the backdrop, closed and open
    kScreenLevelOpen = 255,
    kScreenButtonHeight = 30,     // plain buttons (Close, A, B) and tabs
    kScreenCloseWidth = 55,
    kScreenTabWidth = 100,
    kScreenTabCount = 6,
    kScreenTitleLeft = 20,        // the screen's title in the band
    kScreenTitleTop = 5,
    kScreenTitlePoints = 18,
};

// How the host dresses a screen's frame after PaintFrame: the glass effects.
enum ScreenFrameStyle {
    kFrameStyleGlass = 0,    // title band gloss and corner gradient (every screen by default)
    kFrameStyleFlat = 4,     // no effects
    kFrameStyleBand = 5,     // the title band's gloss only
    kFrameStyleTabs = 8,     // glass, and a tinted column behind the tab buttons
    kFrameStyleWizard = 9,   // glass, and a tinted strip behind the A/B buttons at the bottom
    kFrameStylePicture = 10, // glass without the corner gradient (a picture fills the panel)
};

// The controls every screen may use; the screen positions and shows them.
struct SharedScreenControls {
    AIControl close;
    AIControl buttonA;
    AIControl buttonB;
    AIControl tabs[kScreenTabCount];
};
extern SharedScreenControls g_screenControls;

// Creates the shared controls as windowless children of the host, hidden;
// a screen's OnCreate shows and places those it uses.
void CreateSharedScreenControls(HWND host);
// Pressed and hot states of the visible shared controls; 1 when one changed.
int SharedControlsMouseDown(int x, int y);
int SharedControlsMouseMove(int x, int y);
// The visible shared control that the release clicked, or null.
AIControl* SharedControlsMouseUp(int x, int y);

// Screen handlers for screens whose mouse only meets the shared controls:
// press and hover repaint the host when a state changed.
LRESULT SharedControlsOnMouseDown(HWND host, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SharedControlsOnMouseMove(HWND host, UINT message, WPARAM wParam, LPARAM lParam);
// Places a shared control at (left, top) of the host with a size and shows it.
void PlaceSharedControl(AIControl& control, const WCHAR* caption, int left, int top, int width, int height);
// Alt+F4, and any key with Ctrl and Alt both down, belong to the system.
int IsSystemKey(UINT message, WPARAM key);

// The host's layout words for the screen shown.
int ScreenContentOffset();  // where screen coordinates start inside the host window
int ScreenTitleOffset();    // 0, or kScreenMacTitleOffset on a Mac-like system
int ScreenPaintCount();     // paints of the current screen since it was shown
void SetScreenFrameStyle(int style);
int GetScreenFrameStyle();

// Shared painters (all draw into the device context given).
// A rectangle filled, or framed one pixel wide, in one colour.
void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF colour);
void FrameSolid(HDC dc, const RECT& r, COLORREF colour);
// The title band across the top of a screen.
void DrawResourceJpg(HDC dc, int x, int y, int width, int height);
// A white panel inside the screen, `left` pixels in from the left edge.
void DrawScreenBackground(HDC dc, int x, int y, int width, int height, int left);
// The screen's outer and inner frame lines; tab >= 0 leaves the separator
// beside that tab open (the selected tab joins the panel).
void DrawScreenFrame(HDC dc, int x, int y, int width, int height, int tab);
// One button or tab: its face, the pulse tint while its pulse runs, a frame
// for style > 0 (and an inner frame for styles 2 and 3: 3 is the selected
// tab), then its caption (mark-up).
enum ScreenButtonStyle { kButtonPlain = 0, kButtonFramed = 1, kButtonTab = 2, kButtonTabSelected = 3 };
// The screens' pictures (PNG resources), each decoded once and kept: null
// when the resource is missing. DrawScreenPicture draws one at its size.
class AIResourceImage;
AIResourceImage* ScreenPicture(int pictureId);
void DrawScreenPicture(HDC dc, int pictureId, int x, int y);
void DrawScreenControls(HDC dc, AIControl& control, int style);
// The frame most screens draw: the title band, the white panel (with the
// light backdrop picture when asked), the title in the display font and the
// frame lines.
enum ScreenBackdrop { kPlainPanel, kWithBackdrop };
void DrawTitledScreenFrame(HDC dc, int x, int y, int width, int height, const WCHAR* title,
                           ScreenBackdrop backdrop = kPlainPanel);
// The backdrop picture stretched over the white panel.
void DrawScreenBackdrop(HDC dc, int x, int y, int width, int height);
// A title in the display font at (x, y), size in points.
void SelectDisplayFont(HDC dc, const WCHAR* text, int x, int y, int size);
// A text in the display font at (x, y): first one pixel right and down in
// the shadow tint, then in the text tint.
void DrawShadowedText(HDC dc, const WCHAR* text, int x, int y, int points);
// A rule of two lines under a heading: from (left, top) to (right, top) in
// the shadow tint and one pixel right and down in the highlight tint.
void DrawScreenRule(HDC dc, int left, int top, int right);
// Mark-up text in a rectangle at a size (points), not bold unless the text says so.
int DrawScreenMarkup(HDC dc, const WCHAR* text, const RECT& rect, int points);
