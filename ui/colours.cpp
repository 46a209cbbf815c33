#include "ui/colours.h"

namespace {
COLORREF g_colours[ColourCount];
HBRUSH g_brushes[ColourCount];
enum { kPenWidths = 4 };  // widths 1..4 are cached
HPEN g_pens[ColourCount][kPenWidths];
int g_ready = 0;

void EnsureTable()
{
    if (!g_ready) RefreshColourTable();
}
}  // namespace

COLORREF MixColours(COLORREF a, COLORREF b, int amount)
{
    if (amount < 0) amount = 0;
    if (amount > 255) amount = 255;
    int r = (GetRValue(a) * (255 - amount) + GetRValue(b) * amount) / 255;
    int g = (GetGValue(a) * (255 - amount) + GetGValue(b) * amount) / 255;
    int bl = (GetBValue(a) * (255 - amount) + GetBValue(b) * amount) / 255;
    return RGB(r, g, bl);
}

COLORREF TintSystemColour(int systemColourIndex, int amount)
{
    COLORREF base = GetSysColor(systemColourIndex);
    return amount >= 0 ? MixColours(base, RGB(255, 255, 255), amount) : MixColours(base, RGB(0, 0, 0), -amount);
}

void ReleaseColourTable()
{
    for (int i = 0; i < ColourCount; i++) {
        if (g_brushes[i]) DeleteObject(g_brushes[i]);
        g_brushes[i] = 0;
        for (int w = 0; w < kPenWidths; w++) {
            if (g_pens[i][w]) DeleteObject(g_pens[i][w]);
            g_pens[i][w] = 0;
        }
    }
}

void RefreshColourTable()
{
    ReleaseColourTable();
    g_colours[ColourText] = GetSysColor(COLOR_BTNTEXT);
    g_colours[ColourLight] = TintSystemColour(COLOR_BTNFACE, 160);
    g_colours[ColourShadow] = TintSystemColour(COLOR_BTNFACE, -60);
    g_colours[ColourFrame] = TintSystemColour(COLOR_BTNSHADOW, -30);
    g_colours[ColourFace] = TintSystemColour(COLOR_BTNFACE, 90);
    g_colours[ColourStrikeThrough] = RGB(150, 150, 150);
    g_colours[ColourPopupBack] = RGB(255, 255, 240);
    g_colours[ColourPopupText] = RGB(1, 1, 1);
    g_colours[ColourPopupSelected] = TintSystemColour(COLOR_HIGHLIGHT, 140);
    g_colours[ColourSearchFrame] = RGB(255, 128, 0);
    g_colours[ColourSearchFill] = RGB(255, 240, 160);
    g_colours[ColourHot] = TintSystemColour(COLOR_HIGHLIGHT, 190);
    g_colours[ColourPressed] = TintSystemColour(COLOR_HIGHLIGHT, 120);
    g_colours[ColourDisabledText] = GetSysColor(COLOR_GRAYTEXT);
    // The welcome showcase fades from the window colour to a deep blue.
    for (int i = 0; i < 14; i++)
        g_colours[ColourShowcase0 + i] = MixColours(GetSysColor(COLOR_WINDOW), RGB(20, 60, 140), i * 255 / 13);
    g_ready = 1;
}

COLORREF GetTableColour(int colourId)
{
    EnsureTable();
    if (colourId < 0 || colourId >= ColourCount) return RGB(0, 0, 0);
    return g_colours[colourId];
}

HBRUSH CreateBrushOfColour(int colourId)
{
    EnsureTable();
    if (colourId < 0 || colourId >= ColourCount) return (HBRUSH)GetStockObject(BLACK_BRUSH);
    if (!g_brushes[colourId]) g_brushes[colourId] = CreateSolidBrush(g_colours[colourId]);
    return g_brushes[colourId] ? g_brushes[colourId] : (HBRUSH)GetStockObject(BLACK_BRUSH);
}

HPEN CreatePenOfColour(int colourId, int width)
{
    EnsureTable();
    if (colourId < 0 || colourId >= ColourCount) return (HPEN)GetStockObject(BLACK_PEN);
    // One cached pen per colour and width (wider ones are drawn 4 wide).
    if (width < 1) width = 1;
    if (width > kPenWidths) width = kPenWidths;
    HPEN& pen = g_pens[colourId][width - 1];
    if (!pen) pen = CreatePen(PS_SOLID, width, g_colours[colourId]);
    return pen ? pen : (HPEN)GetStockObject(BLACK_PEN);
}

int SetTextBackMode(HDC dc, int transparent)
{
    return SetBkMode(dc, transparent ? TRANSPARENT : OPAQUE);
}

COLORREF SetTextBackColour(HDC dc, int colourId)
{
    SetBkMode(dc, OPAQUE);
    return SetBkColor(dc, GetTableColour(colourId));
}
