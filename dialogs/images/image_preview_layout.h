// Where an image preview lands: the picture fitted into the preview area (or
// shown 1:1 when it is small), a tall captured page cut into pages laid side
// by side, and the small timed thumbnail with its caption band. Pure
// arithmetic on rectangles; nothing here draws. A zero-size area or image
// lays out nothing.
#pragma once
#include "foundation/win.h"

// Scales are kept in per mille: 1000 is 1:1, 4000 shows a quarter of the size.
const int kScaleOneToOne = 1000;

enum PreviewFitRule
{
    kFitSmallAtOneToOne = 0,  // hover: a picture smaller than the area both ways is drawn 1:1
    kFitAlways = 1,           // asked for: always fitted into the area, smaller or larger
    kFitWidthNeverEnlarge = 2 // a captured page: fills the width, never enlarged, lower part cut off
};

struct PreviewPlacement
{
    int drawn = 0;                  // 0: nothing to draw (zero-size area or image)
    RECT source = {0, 0, 0, 0};     // the part of the picture shown
    RECT dest = {0, 0, 0, 0};       // where it lands, centred in the area
    int scale = kScaleOneToOne;     // picture pixels per 1000 shown pixels
};

// The picture of width x height placed in area by rule.
PreviewPlacement FitImageIntoArea(const RECT& area, int width, int height, PreviewFitRule rule);

// The percentage a scale shows (100 at 1:1, 25 at scale 4000), 0 for no scale.
int ShownPercentOfScale(int scale);

// How much of the area's background shows through the picture, in percent:
// 0 the picture alone, 100 the background alone. The user steps it up or
// down by a step at a time, kept within those two.
const int kPictureOpaque = 0;
const int kPictureFullyTransparent = 100;
const int kPictureTransparencyStep = 10;
int StepPictureTransparency(int transparency, int up);
// The share of the picture kept when it is blended with the background:
// 255 keeps it unchanged, 0 leaves the background alone.
int PictureKeepLevel(int transparency);

// A tall captured page shown page by page: the picture (never enlarged) is as
// wide as one column, cut into slices as high as the area less the label
// band, each slice overlapping the end of the one before so that the cut
// lines repeat, and as many slices as fit drawn side by side.
const int kPageOverlapColumns = 10;  // pixels repeated between slices side by side
const int kPageOverlapSingle = 30;   // pixels repeated when only one column fits
const int kPageColumnGap = 10;       // pixels between columns
const int kPageLabelBand = 24;       // the "Page n of m" line under the columns
const int kMaxPageColumns = 8;

struct PagedPlacement
{
    int drawn = 0;          // number of slices laid out (0: nothing)
    int pageCount = 0;      // slices the whole picture makes
    int firstPage = 0;      // the first slice shown (0-based)
    int scale = kScaleOneToOne;
    RECT source[kMaxPageColumns];  // picture rows of each shown slice
    RECT dest[kMaxPageColumns];
    RECT label = {0, 0, 0, 0};     // where "Page n of m" goes; empty when not shown
};

// firstPage is the page shown first before the step; step (-1, 0, +1) moves it
// by one column count, kept within 0 and the last page.
PagedPlacement LayoutImagePages(const RECT& area, int width, int height, int firstPage, int step);

// The thumbnail shown while stepping through links.
enum ThumbnailPreviewMode
{
    kThumbnailSmall = 1,   // the 300 x 300 icon: 1:1, or reduced to the largest percentage that fits
    kThumbnailScreen = 2,  // the screen-size copy: fitted into the area less a margin
};
const int kThumbnailInset = 8;         // the area inset on each side
const int kThumbnailScreenMargin = 20; // the screen-size copy leaves this much free each way
const int kThumbnailCaptionMinPoints = 9;
const int kThumbnailCaptionMaxPoints = 36;

struct ThumbnailPlacement
{
    int drawn = 0;
    RECT area = {0, 0, 0, 0};     // the preview area less the inset
    RECT caption = {0, 0, 0, 0};  // the caption band at the top of the area
    int captionPoints = 0;        // the caption's font size
    int shadowOffset = 0;         // pixels between the caption's shadow and its text
    RECT image = {0, 0, 0, 0};    // where the copy is drawn
};

ThumbnailPlacement LayoutThumbnailPreview(const RECT& previewArea, int width, int height, int captionChars,
                                          ThumbnailPreviewMode mode);
