// The image browser's navigation as pure state: the grid page, the hovered
// cell, the image shown large, the slideshow and the scrolling of a tall
// image. Keys, wheel notches and timer ticks change the state and answer
// what the screen has to do (repaint, load the image, free the page's
// thumbnails, close); the screen carries that out.
#pragma once
#include "foundation/win.h"
#include "dialogs/images/image_pages.h"

struct ImageBrowserModel
{
    ImagePaging paging;
    int count = 0;          // items of the image list
    int hover = -1;         // cell of the page under the pointer or the keys
    int current = -1;       // list index of the image chosen, -1 none
    int single = 0;         // 1: one image shown large
    int slideshow = 0;      // 1: timer ticks step the images
    int slideshowMs = 3000;
    int scrollable = 0;     // the large image is tall and scrolls
    int scrollStep = 0;
};

// What a change asks of the screen (bits).
enum ImageBrowserEffect
{
    kBrowserNothing = 0,
    kBrowserRepaint = 1,
    kBrowserPageChanged = 2,    // the page's thumbnails are freed and loaded again
    kBrowserLoadImage = 4,      // the current image is loaded large
    kBrowserClose = 8,          // the screen closes with -1
    kBrowserStopSlideshow = 16,
    kBrowserStartSlideshow = 32, // the timer is (re)started with slideshowMs
    kBrowserToggleList = 64,    // all images <-> the note's images
    kBrowserLookUpNote = 128,   // the note of the current image is looked up
};

const int kSlideshowStepMs = 1000;
const int kSlideshowMinMs = 1000;

struct BrowserKeyState
{
    int shift = 0;
    int ctrl = 0;
};

// Sets the item count (a new list): page 1, nothing hovered or chosen.
void ResetImageBrowser(ImageBrowserModel& model, int count);
// A key released in the browser (virtual-key code).
int ImageBrowserKey(ImageBrowserModel& model, WPARAM key, const BrowserKeyState& keys);
// A wheel notch: up < 0 < down.
int ImageBrowserWheel(ImageBrowserModel& model, int direction, int shift);
// The slideshow button, S or Ctrl+1: starts it at the hovered (or first)
// image, or while it runs makes the interval a second longer (shorter with
// Shift), never below kSlideshowMinMs.
int StepSlideshow(ImageBrowserModel& model, int shift);
// A slideshow tick: the next image, after the last the first.
int SlideshowTick(ImageBrowserModel& model);
// The next and previous image of the single view (also in a slideshow).
int NextBrowserImage(ImageBrowserModel& model);
int PrevBrowserImage(ImageBrowserModel& model);
// Shows item index large (a click on its cell or Enter).
int OpenBrowserImage(ImageBrowserModel& model, int index);
// Leaves the single view for the grid.
int LeaveSingleView(ImageBrowserModel& model);
// Moves to a page (clamped to 1..pageCount); 0 when it stays.
int GoToBrowserPage(ImageBrowserModel& model, int page);
// A grid size of 3 to 6: page 1 and the page count again.
int SetBrowserGridSize(ImageBrowserModel& model, int gridSize);

// Where a picture of width x height is drawn in a frame: fitted keeping its
// aspect, or for a tall picture (at least twice as high as wide, whose fitted
// width leaves more than half the frame empty) at the frame's width with the
// visible rows chosen by the scroll step.
struct FittedImage
{
    RECT dest = {0, 0, 0, 0};    // on the screen
    RECT source = {0, 0, 0, 0};  // of the picture
    int scrollable = 0;
    int scrollStep = 0;          // lowered when it would pass the end
};
FittedImage FitBrowserImage(const RECT& frame, int width, int height, int scrollStep);
const int kFittedImageMargin = 20;  // each side of the frame

// The enlarged copy of the hovered cell's picture: half as large again, grown
// by quarters while both sides stay below kHoverMinSide, centred on the
// picture but kept inside the client (20 pixels from its left, top and
// right, 90 from its bottom, where the caption strip lies).
RECT EnlargedHoverRect(const RECT& picture, const RECT& client);
const int kHoverMinSide = 200;
