#include "shell/panel_layout.h"

static RECT MakeRect(int left, int top, int right, int bottom)
{
    RECT r;
    r.left = left;
    r.top = top;
    r.right = right < left ? left : right;
    r.bottom = bottom < top ? top : bottom;
    return r;
}

int ClampSplitX(int width, int splitX)
{
    int maxSplit = width - kSplitterWidth - kMinEditorWidth;
    if (splitX > maxSplit) splitX = maxSplit;
    if (splitX < kMinListWidth) splitX = kMinListWidth;
    // A window too narrow for both: the list gets what is there.
    if (splitX > width - kSplitterWidth) splitX = width - kSplitterWidth;
    if (splitX < 0) splitX = 0;
    return splitX;
}

static int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

void ComputePanelLayout(int width, int height, int splitX, int incSearch, PanelLayout* out)
{
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    int split = ClampSplitX(width, splitX);
    out->splitX = split;

    int statusTop = height - kStatusHeight;
    if (statusTop < 0) statusTop = 0;
    out->status = MakeRect(0, statusTop, width, height);

    // Everything else stays above the status line, however small the window.
    int top = Clamp(kMargin, 0, statusTop);
    int bottom = Clamp(statusTop - kMargin, top, statusTop);

    // Left column: QuickSearch, the note list, and the preview pane under it.
    int left = Clamp(kMargin, 0, split);
    int right = split;
    int searchBottom = Clamp(top + kSearchHeight, top, bottom);
    out->quickSearch = MakeRect(left, top, right, searchBottom);
    int listTop = Clamp(searchBottom + kMargin, searchBottom, bottom);
    int column = bottom - listTop;
    int previewHeight = column / 3;
    if (previewHeight < kMinPreviewHeight && column > 3 * kMinPreviewHeight) previewHeight = kMinPreviewHeight;
    int previewTop = bottom - previewHeight;
    out->noteList = MakeRect(left, listTop, right, Clamp(previewTop - kMargin, listTop, previewTop));
    out->preview = MakeRect(left, previewTop, right, bottom);

    int splitterRight = Clamp(split + kSplitterWidth, split, width);
    out->splitter = MakeRect(split, top, splitterRight, bottom);

    // Right column: the editor, with the incremental-search boxes above it when on.
    int editorLeft = splitterRight;
    int editorRight = Clamp(width - kMargin, editorLeft, width);
    int editorTop = top;
    out->incSearch = MakeRect(editorLeft, top, editorLeft, top);
    out->replace = out->incSearch;
    if (incSearch >= 1) {
        int boxBottom = Clamp(top + kIncSearchHeight, top, bottom);
        int boxRight = incSearch == 2 ? editorLeft + (editorRight - editorLeft) / 2 : editorRight;
        out->incSearch = MakeRect(editorLeft, top, boxRight, boxBottom);
        if (incSearch == 2)
            out->replace = MakeRect(Clamp(boxRight + kMargin, boxRight, editorRight), top, editorRight, boxBottom);
        editorTop = Clamp(boxBottom + kMargin, boxBottom, bottom);
    }
    out->editor = MakeRect(editorLeft, editorTop, editorRight, bottom);
}
