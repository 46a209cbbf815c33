// The pages of the getting started guide (31 pages in mark-up, their section
// headers and pictures) and its page rules: which page a key or a click
// leads to, and the fade between two pages.
#pragma once
#include "foundation/win.h"

enum { kGuidePageCount = 31 };
// The room a page's picture has beside its text: pictures are made at most
// this wide and high (a narrower one stands at the right of the column).
enum { kGuidePictureWidth = 230, kGuidePictureHeight = 220 };

struct GuidePage {
    const WCHAR* title;    // a title in the display font, or null
    const WCHAR* text;     // the page's mark-up
    const WCHAR* footer;   // mark-up at the bottom of the page, or null
    int picture;           // a picture resource id, or 0
    const WCHAR* pictureType;  // its resource type, L"JPG" or L"PNG"
};

// Page 1..kGuidePageCount (clamped).
const GuidePage& GuidePageAt(int32_t page);
// The section header over the page ("" on page 1).
const WCHAR* GuideHeader(int32_t page);

// Where a released key leads from `page`: the new page, the same page when
// the key changes nothing, or kGuideClose (Esc, Enter, or past the last page).
enum { kGuideClose = -1 };
int32_t GuidePageAfterKey(int32_t page, WPARAM key);
// A click: the Previous button goes back (not before page 1); Next and any
// other place go forward, past the last page closes.
int32_t GuidePageAfterClick(int32_t page, int onPrevious);

// The fade between the page displayed and the page asked for: out in
// `steps` paints, then in; no fade when steps is 0.
struct GuideFade {
    int32_t displayed;   // the page whose content is drawn
    int32_t outStep;     // -1 when no fade runs
    int32_t inStep;
    int32_t fadingOut;
    int32_t fadingIn;
};
void ResetGuideFade(GuideFade& fade);
// One paint: moves the fade on towards `page` and returns the strength
// (0 to 255) of the cover drawn over the page area; *finished is 1 when a
// fade ended at this paint (the animation timer can stop).
int32_t StepGuideFade(GuideFade& fade, int32_t page, int32_t steps, int32_t* finished);
