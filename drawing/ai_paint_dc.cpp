// AIPaintDC: fills, frames and lines on an own or a given device context.
#include "drawing/ai_paint_dc.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "foundation/process_end.h"

namespace {
const int kModule = kTraceGdiObjects;
}

AIPaintDC::AIPaintDC() : dc_(0), currentPen_(-1), currentBrush_(-1), previousPen_(0), previousBrush_(0) {}

AIPaintDC::AIPaintDC(HDC dc) : dc_(dc), currentPen_(-1), currentBrush_(-1), previousPen_(0), previousBrush_(0) {}

AIPaintDC::~AIPaintDC()
{
    if (!IsProcessEnding()) RestoreSelection();
}

void AIPaintDC::RestoreSelection()
{
    // Our pen and brush must leave the context before they are deleted.
    if (dc_ && previousPen_) SelectObject(dc_, previousPen_);
    if (dc_ && previousBrush_) SelectObject(dc_, previousBrush_);
    previousPen_ = previousBrush_ = 0;
    for (int i = 0; i < 2; i++) {
        pens_[i].Free();
        brushes_[i].Free();
    }
    currentPen_ = currentBrush_ = -1;
}

int AIPaintDC::CreateMemory(int width, int height)
{
    TRACE_SCOPE(kModule, 10);
    RestoreSelection();
    dc_ = 0;
    if (!dib_.Create(width, height, 32)) return 0;
    dc_ = dib_.SelectIntoMemoryDC();
    return dc_ != 0;
}

void AIPaintDC::Attach(HDC dc)
{
    RestoreSelection();
    if (!dib_.IsEmpty()) dib_.FreeGdiObjects();
    dc_ = dc;
}

int AIPaintDC::SelectPen(COLORREF colour, int width)
{
    if (!dc_) return 0;
    int next = currentPen_ == 0 ? 1 : 0;
    if (!pens_[next].Create(colour, width)) return 0;
    HGDIOBJ previous = SelectObject(dc_, pens_[next].GetHandle());
    if (!previousPen_) previousPen_ = previous;
    if (currentPen_ >= 0) pens_[currentPen_].Free();
    currentPen_ = next;
    return 1;
}

int AIPaintDC::SelectBrush(COLORREF colour)
{
    if (!dc_) return 0;
    if (currentBrush_ >= 0 && brushes_[currentBrush_].GetColour() == colour) return 1;
    int next = currentBrush_ == 0 ? 1 : 0;
    if (!brushes_[next].Create(colour)) return 0;
    HGDIOBJ previous = SelectObject(dc_, brushes_[next].GetHandle());
    if (!previousBrush_) previousBrush_ = previous;
    if (currentBrush_ >= 0) brushes_[currentBrush_].Free();
    currentBrush_ = next;
    return 1;
}

int AIPaintDC::FillRect(const RECT& rect, COLORREF colour)
{
    if (!dc_) return 0;
    // The context's own colour brush needs no slot and no object.
    COLORREF previous = SetDCBrushColor(dc_, colour);
    int done = ::FillRect(dc_, &rect, (HBRUSH)GetStockObject(DC_BRUSH)) ? 1 : 0;
    SetDCBrushColor(dc_, previous);
    return done;
}

int AIPaintDC::FrameRect(const RECT& rect, COLORREF colour) { return FrameRectOnHdc(dc_, rect, colour); }

int AIPaintDC::Line(int x1, int y1, int x2, int y2)
{
    if (!dc_) return 0;
    MoveToEx(dc_, x1, y1, 0);
    return LineTo(dc_, x2, y2) ? 1 : 0;
}

int AIPaintDC::Polyline3(int x1, int y1, int x2, int y2, int x3, int y3)
{
    if (!dc_) return 0;
    POINT points[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
    return Polyline(dc_, points, 3) ? 1 : 0;
}

int FrameRectOnHdc(HDC dc, const RECT& rect, COLORREF colour)
{
    if (!dc) return 0;
    COLORREF previous = SetDCBrushColor(dc, colour);
    int done = ::FrameRect(dc, &rect, (HBRUSH)GetStockObject(DC_BRUSH)) ? 1 : 0;
    SetDCBrushColor(dc, previous);
    return done;
}

int FillRectOnHdc(HDC dc, const RECT& rect, COLORREF colour)
{
    if (!dc) return 0;
    COLORREF previous = SetDCBrushColor(dc, colour);
    int done = ::FillRect(dc, &rect, (HBRUSH)GetStockObject(DC_BRUSH)) ? 1 : 0;
    SetDCBrushColor(dc, previous);
    return done;
}
