// Placement of a show against the line of the PDF text reader.
#include "search/pdf/pdf_line_place.h"
#include <math.h>

PdfShowPlace PlacePdfShow(const PdfLineBox& line, double along, double baseline, double height)
{
    double rise = baseline - line.baseline;
    double larger = height > line.height ? height : line.height;
    // A raised or lowered show in a smaller font (a footnote mark, an
    // index) stays on the line of the larger text beside it.
    if (fabs(rise) <= larger * 0.5) return kPdfOnLine;
    double reach = line.height * kPdfAnnotationReach;
    bool small = height <= line.height * kPdfAnnotationMaxShare;
    bool over = rise >= line.height * kPdfAnnotationMinRise && rise <= line.height * kPdfAnnotationMaxRise;
    double first = line.start < line.end ? line.start : line.end;  // right to left: start > end
    double last = line.start < line.end ? line.end : line.start;
    bool within = along >= first - reach && along <= last + reach;
    return small && over && within ? kPdfAboveLine : kPdfOtherLine;
}
