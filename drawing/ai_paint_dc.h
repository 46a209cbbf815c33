// AIPaintDC: a device context to paint on with a selected brush and pen,
// either its own memory context over a 32-bit bitmap or one the caller gives.
// The brush and pen come from the slot tables; what was selected before is
// put back when the object ends.
#pragma once
#include "foundation/win.h"
#include "drawing/ai_dib.h"
#include "drawing/ai_gdi_tables.h"

class AIPaintDC {
public:
    AIPaintDC();
    explicit AIPaintDC(HDC dc);               // paints on a given context
    ~AIPaintDC();
    AIPaintDC(const AIPaintDC&) = delete;
    AIPaintDC& operator=(const AIPaintDC&) = delete;

    // Own memory context over a bitmap of the size; 1 on success.
    int CreateMemory(int width, int height);
    void Attach(HDC dc);
    HDC GetDC() const { return dc_; }
    AIDib* GetDib() { return dib_.IsEmpty() ? 0 : &dib_; }

    // Selects a pen or brush of the colour; 0 when the slot table is full
    // (the previous one stays selected).
    int SelectPen(COLORREF colour, int width = 1);
    int SelectBrush(COLORREF colour);

    // Solid rectangle in a colour; a one-pixel frame in a colour.
    int FillRect(const RECT& rect, COLORREF colour);
    int FrameRect(const RECT& rect, COLORREF colour);
    // Lines with the selected pen; the end point is not drawn (GDI rule).
    int Line(int x1, int y1, int x2, int y2);
    int Polyline3(int x1, int y1, int x2, int y2, int x3, int y3);

private:
    void RestoreSelection();

    HDC dc_;
    AIDib dib_;
    // Two of each so that a new pen or brush is made before the one in use
    // is deselected and freed.
    AIPen pens_[2];
    AIBrush brushes_[2];
    int currentPen_;     // -1: none of ours selected
    int currentBrush_;
    HGDIOBJ previousPen_;
    HGDIOBJ previousBrush_;
};

// A one-pixel frame of a colour on any device context.
int FrameRectOnHdc(HDC dc, const RECT& rect, COLORREF colour);
// A rectangle filled with a colour on any device context.
int FillRectOnHdc(HDC dc, const RECT& rect, COLORREF colour);
