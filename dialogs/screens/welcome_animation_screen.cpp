// Screen 15, the welcome animation: the program's icon, cut into 20 x 20
// tiles, flies in from beyond the screen's edges and assembles in the
// centre; then "Welcome to Tavik" shows for 31 ticks and the screen closes.
// Any click or key closes it at once (-1).
#include "dialogs/screens/welcome_motion.h"
#include "dialogs/screens/welcome.h"
#include "dialogs/screens/screens.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "foundation/app.h"
#include "resources/resource_ids.h"
#include "ui/colours.h"
#include <stdlib.h>
#include <time.h>

namespace {

enum {
    kCloseFromRight = 80,
    kCloseTop = 390,
    kAnimationTickMs = 50,
    kPictureSize = 256,
    kHalfPicture = 128,
    kTiles = kWelcomeTileGrid * kWelcomeTileGrid,
    kSlowMachineIndex = 250,
    kTextTicks = 30,
    kTilesUnset = -1,
    kTilesLaid = 1,
    kTilesSkipped = 2,
};

struct Tile {
    int homeX, homeY, x, y;
};
Tile g_tiles[kTiles];
int g_tileState = kTilesUnset;  // laid once per run: a second showing finds them home
int g_textTicks = 0;
HDC g_pictureDc = 0;
HBITMAP g_picture = 0, g_oldPicture = 0;

void FreePicture()
{
    if (g_pictureDc) {
        SelectObject(g_pictureDc, g_oldPicture);
        DeleteDC(g_pictureDc);
    }
    if (g_picture) DeleteObject(g_picture);
    g_pictureDc = 0;
    g_picture = g_oldPicture = 0;
}

// The centre square of the screen as it is, with the icon drawn into it.
void CapturePicture(HDC dc, int left, int top)
{
    g_pictureDc = CreateCompatibleDC(dc);
    g_picture = CreateCompatibleBitmap(dc, kPictureSize, kPictureSize);
    if (!g_pictureDc || !g_picture) {
        FreePicture();
        return;
    }
    g_oldPicture = (HBITMAP)SelectObject(g_pictureDc, g_picture);
    BitBlt(g_pictureDc, 0, 0, kPictureSize, kPictureSize, dc, left, top, SRCCOPY);
    HICON icon = (HICON)LoadImageW(GetModuleHandleW(0), MAKEINTRESOURCEW(IDI_TAVIK), IMAGE_ICON, kPictureSize,
                                   kPictureSize, 0);
    if (icon) {
        DrawIconEx(g_pictureDc, 0, 0, icon, kPictureSize, kPictureSize, 0, 0, DI_NORMAL);
        DestroyIcon(icon);
    }
}

void LayTiles(int left, int top, int width, int height)
{
    srand((unsigned)time(0));
    for (int j = 0; j < kWelcomeTileGrid; j++)
        for (int i = 0; i < kWelcomeTileGrid; i++) {
            Tile& t = g_tiles[j * kWelcomeTileGrid + i];
            t.homeX = left + kWelcomeTileSize * i;
            t.homeY = top + kWelcomeTileSize * j;
            t.x = WelcomeTileStart(rand(), width);
            t.y = WelcomeTileStart(rand(), height);
        }
    g_tileState = kTilesLaid;
}

// Moves every tile one step home and draws it; 1 when any moved.
int MoveAndDrawTiles(HDC dc, int left, int top)
{
    int moved = 0;
    for (Tile& t : g_tiles) {
        int dx = WelcomeTileStep(t.homeX - t.x), dy = WelcomeTileStep(t.homeY - t.y);
        if (dx || dy) moved = 1;
        t.x += dx;
        t.y += dy;
        if (g_pictureDc)
            BitBlt(dc, t.x, t.y, kWelcomeTileSize, kWelcomeTileSize, g_pictureDc, t.homeX - left, t.homeY - top, SRCCOPY);
    }
    return moved;
}

void DrawWelcomeText(HDC dc, int width, int height)
{
    int t = height / 2 - kHalfPicture;
    if (height < 600) t -= 50;
    int m = height / 2 - kHalfPicture > 200 ? 70 : 50;
    SelectDisplayFont(dc, L"Welcome to Tavik", width / 2 - 235, t + m - height / 10 + 216, 30);
}

void WelcomeAnimOnShow()
{
    SetScreenFrameStyle(kFrameStyleWizard);
    g_textTicks = 0;
    if (g_dialogHost.window) SetTimer(g_dialogHost.window, kHostAnimationTimer, kAnimationTickMs, 0);
}

void WelcomeAnimOnClose()
{
    FreePicture();
    if (g_dialogHost.window) KillTimer(g_dialogHost.window, kHostAnimationTimer);
}

LRESULT WelcomeAnimOnCreate(HWND, UINT, WPARAM, LPARAM)
{
    PlaceSharedControl(g_screenControls.close, L"Close", g_dialogHost.width - kCloseFromRight,
                       ScreenContentOffset() + kCloseTop, kScreenCloseWidth, kScreenButtonHeight);
    g_screenControls.close.Hide();
    return 0;
}

LRESULT WelcomeAnimOnMouseUp(HWND, UINT, WPARAM, LPARAM)
{
    CloseScreenWithResult(-1);
    return 0;
}

LRESULT WelcomeAnimOnKeyUp(HWND, UINT message, WPARAM key, LPARAM)
{
    if (IsSystemKey(message, key)) return 0;
    CloseScreenWithResult(-1);
    return 0;
}

void WelcomeAnimPaintFrame(HDC, int, int, int, int) {}

void WelcomeAnimPaintContent(HDC dc)
{
    int width = g_dialogHost.width, height = g_dialogHost.height;
    int left = width / 2 - kHalfPicture, top = height / 2 - kHalfPicture;
    if (!g_pictureDc) CapturePicture(dc, left, top);
    if (g_app.system.GetCpuSpeedIndex() < kSlowMachineIndex) g_tileState = kTilesSkipped;
    if (g_tileState == kTilesSkipped) {
        HICON icon = (HICON)LoadImageW(GetModuleHandleW(0), MAKEINTRESOURCEW(IDI_TAVIK), IMAGE_ICON, kPictureSize,
                                       kPictureSize, 0);
        if (icon) {
            DrawIconEx(dc, width / 2 - width / 20 - kHalfPicture, height / 2 - height / 10 - kHalfPicture, icon,
                       kPictureSize, kPictureSize, 0, 0, DI_NORMAL);
            DestroyIcon(icon);
        }
    } else {
        if (g_tileState == kTilesUnset) LayTiles(left, top, width, height);
        if (MoveAndDrawTiles(dc, left, top)) return;
    }
    DrawWelcomeText(dc, width, height);
    if (++g_textTicks > kTextTicks) {
        g_textTicks = 0;
        CloseScreenWithResult(-1);
    }
}

const ScreenHandlers kWelcomeAnimHandlers = {WelcomeAnimOnShow,         WelcomeAnimOnCreate,   WelcomeAnimOnClose,
                                             SharedControlsOnMouseDown, WelcomeAnimOnMouseUp,  SharedControlsOnMouseMove,
                                             WelcomeAnimOnKeyUp,        WelcomeAnimPaintFrame, WelcomeAnimPaintContent};

}  // namespace

int WelcomeTilesHome()
{
    if (g_tileState != kTilesLaid) return 0;
    for (const Tile& t : g_tiles)
        if (t.x != t.homeX || t.y != t.homeY) return 0;
    return 1;
}

void RegisterWelcomeAnimationScreen() { RegisterScreen(kScreenWelcomeAnimation, &kWelcomeAnimHandlers); }
