// The toolkit's colour table: fixed colours and tints of the system colours,
// with one cached brush per entry.
#pragma once
#include "foundation/win.h"

enum ColourId {
    ColourText = 0,        // body text
    ColourLight,           // light tint of the face colour
    ColourShadow,          // shadow tint
    ColourFrame,           // frame lines
    ColourFace,            // control faces
    ColourStrikeThrough,   // struck-through editor text
    ColourPopupBack,       // pop-up list background
    ColourPopupText,
    ColourPopupSelected,   // selected item of a pop-up list
    ColourSearchFrame,     // frame around an incremental-search match
    ColourSearchFill,
    ColourHot,             // control under the mouse
    ColourPressed,         // pressed control
    ColourDisabledText,
    ColourShowcase0,       // the 14-step ramp of the welcome showcase
    ColourShowcaseLast = ColourShowcase0 + 13,
    ColourCount
};

// The colour of an entry; recomputed from the system colours by RefreshColourTable.
COLORREF GetTableColour(int colourId);
// Recomputes the tints (at start-up and on WM_SYSCOLORCHANGE) and drops the brushes.
void RefreshColourTable();
// Mixes two colours: amount 0 gives a, 255 gives b.
COLORREF MixColours(COLORREF a, COLORREF b, int amount);
// A system colour moved towards white (amount > 0) or black (amount < 0), 0-255.
COLORREF TintSystemColour(int systemColourIndex, int amount);

// A brush of a table colour, created once and owned by the table (never delete it).
HBRUSH CreateBrushOfColour(int colourId);
// A pen of a table colour and width (1 to 4), created once and owned by the table.
HPEN CreatePenOfColour(int colourId, int width);
// Transparent (1) or opaque (0) text background.
int SetTextBackMode(HDC dc, int transparent);
// Opaque text background in a table colour.
COLORREF SetTextBackColour(HDC dc, int colourId);
// Frees every cached brush and pen (at exit).
void ReleaseColourTable();
