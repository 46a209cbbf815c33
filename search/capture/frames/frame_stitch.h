// The frames of a browser capture stitched into one tall page. Each frame is
// a screenful of the page, 24 bits per pixel, top row first, all of one size;
// consecutive frames share a fixed header (rows equal at the top of both, such
// as a toolbar inside the page) and usually some overlap (rows of the newer
// frame that the older one already showed). Rows are compared by keys made of
// a few dozen sampled pixels, never whole.
#pragma once
#include <stdint.h>

enum {
    kMaxStitchFrames = 9,       // screens per capture
    kRowSampleCount = 64,       // pixels sampled per row for its key
    kOverlapCheckRows = 400,    // rows compared to confirm an overlap
};

struct FrameGeometry {
    int width;   // pixels
    int height;  // rows
    int stride;  // bytes per row (at least width * 3)
};

// The part of one frame that goes into the page.
struct StitchPiece {
    int frame;
    int firstRow;
    int rows;
};

struct StitchPlan {
    int count;   // pieces, one per frame taken
    int height;  // rows of the stitched page
    StitchPiece pieces[kMaxStitchFrames];
};

// 1 when the geometry describes frames that can be stitched.
int IsStitchableGeometry(const FrameGeometry& g);

// One key per row (keys has g.height entries).
void ComputeRowKeys(const uint8_t* frame, const FrameGeometry& g, uint32_t* keys);

// 1 when the frames differ in any sampled pixel (a page that did not move
// gives two equal frames).
int FramesDiffer(const uint8_t* a, const uint8_t* b, const FrameGeometry& g);

// Rows equal at the top of both frames, at most a third of the height.
int CountHeaderRows(const uint32_t* olderKeys, const uint32_t* newerKeys, int height);

// Rows the newer frame adds below the older one, 0..height - header. The
// newer frame's first row below the header is searched in the older frame;
// a place counts when the rows after it match down to the older frame's end
// (or for kOverlapCheckRows rows); the highest such place (the largest
// overlap) wins. Not found: the newer frame adds all its rows below the header.
int CountNewRows(const uint32_t* olderKeys, const uint32_t* newerKeys, int height, int header);

// Plans the page from count frames (only the first kMaxStitchFrames are
// used). 0 when there is nothing to stitch.
int PlanStitch(const uint8_t* const* frames, int count, const FrameGeometry& g, StitchPlan* plan);

// Copies the planned rows into page (plan.height rows of pageStride bytes,
// top row first).
void ComposeStitch(const uint8_t* const* frames, const FrameGeometry& g, const StitchPlan& plan, uint8_t* page,
                   int pageStride);
