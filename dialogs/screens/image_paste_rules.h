// The paste-and-edit image screen's rules: the preview's scale, the dragged
// selection and its conversion to picture pixels, the name a pasted picture
// gets and the characters it may not hold, the file type an edited picture
// is saved as, and the texts of the screen's status and information lines.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// The preview: zoom in per mille (1000 = 1:1) and its size in pixels. A
// picture larger than the area (less kPreviewInset) is reduced to fit; a
// smaller one is enlarged by whole times, at most kPreviewMaxZoom.
struct PreviewScale
{
    int zoom = 1000;
    int width = 0;
    int height = 0;
};
PreviewScale ComputePreviewScale(int imageWidth, int imageHeight, int areaWidth, int areaHeight);
const int kPreviewInset = 20;
const int kPreviewMaxZoom = 4000;

// The end of a drag in the preview: a release within kClickSlop pixels of
// the anchor is a click and selects the whole drawn preview (widened by
// kClickSlop); else the rectangle from anchor to pointer, ordered. Returns 1
// for a real drag (cropping is offered), 0 for a click.
int FinishPreviewSelection(POINT anchor, POINT pointer, const RECT& drawn, RECT& selection);
const int kClickSlop = 5;

// The selection (screen coordinates) clipped to the drawn preview and turned
// into picture pixels at the zoom. 0 when nothing of the picture is selected
// or the selection covers the whole picture (nothing to crop).
int SelectionToImageRect(const RECT& selection, const RECT& drawn, int zoom, int imageWidth, int imageHeight,
                         RECT& pixels);

// The name field: at most kPasteNameMaxChars characters.
const int kPasteNameMaxChars = 30;
// A suggested name given by the caller: its letters a-z, A-Z and blanks,
// looked at in its first kPasteNameMaxChars characters.
void FilterSuggestedName(const WCHAR* suggested, AIString& name);
// The editor's selection as a name: the characters ? [ ] = + < > ; " , * | ^
// dropped, control characters (U+0000-U+001F: line ends, tabs) made blanks,
// trimmed and cut to kPasteNameMaxChars without splitting a surrogate pair.
void NameFromSelection(const WCHAR* selected, AIString& name);
// The first character (in the order the rule tests them) that a link name may
// not hold, as its position in name; -1 when the name is good. Control
// characters are refused too. An empty name is handled by the caller.
int FindRefusedNameChar(const WCHAR* name);

// The type an edited picture is saved as, from its file's extension: PNG for
// ".png", JPEG for ".jpg" and ".jpeg"; 0 for any other (the save is refused).
int EditedImageType(const WCHAR* path);

// Status codes of the screen and their texts (empty for 0).
enum PasteStatus
{
    kPasteStatusNone = 0,
    kPasteStatusNoName = 1,
    kPasteStatusNameTaken = 2,
    kPasteStatusRefusedChar = 99,
    kPasteStatusNoBitmap = 999,
    kPasteStatusSaveFailed = 998,
    kPasteStatusWrongType = 997,
    kPasteStatusNoteTitle = -9,
};
const WCHAR* PasteStatusText(int status);

// "Width: 640  Height: 480 (900.1 kb)  Zoom: 75 %" (megabytes from a million bytes).
void FormatPasteImageInfo(int width, int height, uint32_t bytes, int zoom, AIString& text);

// The warning block under the preview, at most three lines: a web link whose
// snapshot exists already ("Warning:", "Web Snapshot already exists.",
// "Pressing OK will replace old image"); else the web link itself, cut to
// kWarningLinkMaxChars and "..."; else, on a portable installation, a
// picture of more than kPortableLargeDibBytes ("Warning:", "Image is very
// large ", "- saving may be slow on portable device"). Returns the lines set.
struct PasteWarningFacts
{
    const WCHAR* webLink = nullptr;
    int snapshotExists = 0;
    int portable = 0;
    uint32_t dibBytes = 0;
};
enum { kPasteWarningLines = 3 };
int PasteWarningBlock(const PasteWarningFacts& facts, AIString lines[kPasteWarningLines]);
const int kWarningLinkMaxChars = 35;
const uint32_t kPortableLargeDibBytes = 10000000;
