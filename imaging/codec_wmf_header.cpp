// Checks a Windows metafile before GDI plays it, and works out its picture
// size; the drawing itself goes through GDI on the Win32 side. GDI's player
// trusts every record (object indices, counts, embedded bitmaps), so each
// record must be one we know, with everything it refers to inside the file.
#include "imaging/byte_reader.h"
#include "imaging/image_codecs.h"

namespace {

const int32_t kMaxMetafileSide = 8192;
const uint16_t kSetWindowExt = 0x020C;
const char kDamaged[] = "Metafile record is damaged";

int32_t ClampSide(int64_t v)
{
    if (v < 0) v = -v;
    if (v > kMaxMetafileSide) v = kMaxMetafileSide;
    return int32_t(v);
}

// What a record's parameters hold beyond plain numbers.
enum RecordShape : uint8_t {
    kPlain,
    kPoints,       // count, then that many x/y pairs
    kPolyPolygon,  // polygon count, point counts, points
    kTextOut,      // length, text, y, x
    kExtTextOut,   // y, x, length, options, [rectangle], text, [widths]
    kPen,
    kBrush,
    kFont,
    kPalette,         // version, count, entries
    kPaletteEntries,  // start, count, entries
    kRegion,
    kDib,           // packed DIB at parameter `at`; `usage` names the colour-use word
    kDibBitBlt,     // the DIB is optional: nine words without it
    kBitmap16,      // device-dependent bitmap: width, height, bytes per row, planes, bits per pixel
    kPatternBrush,  // old pattern brush: bitmap or packed DIB
    kEscape,
};

const uint8_t kNoUsage = 0xFF;

struct RecordRule {
    uint16_t function;
    uint8_t minParams;
    uint8_t objectParams;  // bit i: parameter i is an object index
    RecordShape shape;
    uint8_t at;     // kDib / kBitmap16: first parameter of the bitmap
    uint8_t usage;  // kDib: parameter holding the colour use, or kNoUsage
};

// Every record the player acts on; anything else is refused. Flood fills
// are left out on purpose: GDI fills by recursion, one level per row, and a
// tall picture or a winding shape overflows its stack.
const RecordRule kRules[] = {
    {0x001E, 0, 0, kPlain, 0, 0},             // SaveDC
    {0x0035, 0, 0, kPlain, 0, 0},             // RealizePalette
    {0x0037, 2, 0, kPaletteEntries, 0, 0},    // SetPaletteEntries
    {0x00F7, 2, 0, kPalette, 0, 0},           // CreatePalette
    {0x0102, 1, 0, kPlain, 0, 0},             // SetBkMode
    {0x0103, 1, 0, kPlain, 0, 0},             // SetMapMode
    {0x0104, 1, 0, kPlain, 0, 0},             // SetROP2
    {0x0105, 1, 0, kPlain, 0, 0},             // SetRelAbs
    {0x0106, 1, 0, kPlain, 0, 0},             // SetPolyFillMode
    {0x0107, 1, 0, kPlain, 0, 0},             // SetStretchBltMode
    {0x0108, 1, 0, kPlain, 0, 0},             // SetTextCharExtra
    {0x0127, 1, 0, kPlain, 0, 0},             // RestoreDC
    {0x012A, 1, 0x01, kPlain, 0, 0},          // InvertRegion
    {0x012B, 1, 0x01, kPlain, 0, 0},          // PaintRegion
    {0x012C, 1, 0, kPlain, 0, 0},             // SelectClipRegion (0 is "none")
    {0x012D, 1, 0x01, kPlain, 0, 0},          // SelectObject
    {0x012E, 1, 0, kPlain, 0, 0},             // SetTextAlign
    {0x0139, 1, 0, kPlain, 0, 0},             // ResizePalette
    {0x0142, 2, 0, kDib, 2, 1},               // DibCreatePatternBrush
    {0x0149, 1, 0, kPlain, 0, 0},             // SetLayout
    {0x01F0, 1, 0x01, kPlain, 0, 0},          // DeleteObject
    {0x01F9, 2, 0, kPatternBrush, 0, 0},      // CreatePatternBrush
    {0x0201, 2, 0, kPlain, 0, 0},             // SetBkColor
    {0x0209, 2, 0, kPlain, 0, 0},             // SetTextColor
    {0x020A, 2, 0, kPlain, 0, 0},             // SetTextJustification
    {0x020B, 2, 0, kPlain, 0, 0},             // SetWindowOrg
    {0x020C, 2, 0, kPlain, 0, 0},             // SetWindowExt
    {0x020D, 2, 0, kPlain, 0, 0},             // SetViewportOrg
    {0x020E, 2, 0, kPlain, 0, 0},             // SetViewportExt
    {0x020F, 2, 0, kPlain, 0, 0},             // OffsetWindowOrg
    {0x0211, 2, 0, kPlain, 0, 0},             // OffsetViewportOrg
    {0x0213, 2, 0, kPlain, 0, 0},             // LineTo
    {0x0214, 2, 0, kPlain, 0, 0},             // MoveTo
    {0x0220, 2, 0, kPlain, 0, 0},             // OffsetClipRgn
    {0x0228, 2, 0x03, kPlain, 0, 0},          // FillRegion
    {0x0231, 2, 0, kPlain, 0, 0},             // SetMapperFlags
    {0x0234, 1, 0x01, kPlain, 0, 0},          // SelectPalette (dropped before playing)
    {0x02FA, 5, 0, kPen, 0, 0},               // CreatePenIndirect
    {0x02FB, 9, 0, kFont, 0, 0},              // CreateFontIndirect
    {0x02FC, 4, 0, kBrush, 0, 0},             // CreateBrushIndirect
    {0x0324, 1, 0, kPoints, 0, 0},            // Polygon
    {0x0325, 1, 0, kPoints, 0, 0},            // Polyline
    {0x0410, 4, 0, kPlain, 0, 0},             // ScaleWindowExt
    {0x0412, 4, 0, kPlain, 0, 0},             // ScaleViewportExt
    {0x0415, 4, 0, kPlain, 0, 0},             // ExcludeClipRect
    {0x0416, 4, 0, kPlain, 0, 0},             // IntersectClipRect
    {0x0418, 4, 0, kPlain, 0, 0},             // Ellipse
    {0x041B, 4, 0, kPlain, 0, 0},             // Rectangle
    {0x041F, 4, 0, kPlain, 0, 0},             // SetPixel
    {0x0429, 4, 0x0C, kPlain, 0, 0},          // FrameRegion
    {0x0436, 2, 0, kPaletteEntries, 0, 0},    // AnimatePalette
    {0x0521, 1, 0, kTextOut, 0, 0},           // TextOut
    {0x0538, 1, 0, kPolyPolygon, 0, 0},       // PolyPolygon
    {0x061C, 6, 0, kPlain, 0, 0},             // RoundRect
    {0x061D, 6, 0, kPlain, 0, 0},             // PatBlt
    {0x0626, 2, 0, kEscape, 0, 0},            // Escape
    {0x06FF, 11, 0, kRegion, 0, 0},           // CreateRegion
    {0x0817, 8, 0, kPlain, 0, 0},             // Arc
    {0x081A, 8, 0, kPlain, 0, 0},             // Pie
    {0x0830, 8, 0, kPlain, 0, 0},             // Chord
    {0x0922, 12, 0, kBitmap16, 7, 0},         // BitBlt (old bitmap form)
    {0x0940, 9, 0, kDibBitBlt, 8, kNoUsage},  // DibBitBlt
    {0x0A32, 4, 0, kExtTextOut, 0, 0},        // ExtTextOut
    {0x0B23, 15, 0, kBitmap16, 10, 0},        // StretchBlt (old bitmap form)
    {0x0B41, 10, 0, kDib, 10, kNoUsage},      // DibStretchBlt
    {0x0D33, 9, 0, kDib, 9, 0},               // SetDIBitsToDevice
    {0x0F43, 11, 0, kDib, 11, 2},             // StretchDIBits
};

const RecordRule* FindRule(uint16_t function)
{
    for (const RecordRule& rule : kRules)
        if (rule.function == function) return &rule;
    return nullptr;
}

// One record's parameter words, all inside the record.
struct Params {
    const uint8_t* p;
    uint64_t count;
    uint16_t operator[](uint64_t i) const { return uint16_t(p[i * 2] | (p[i * 2 + 1] << 8)); }
    uint32_t U32(uint64_t i) const { return (*this)[i] | (uint32_t((*this)[i + 1]) << 16); }
};

bool ValidBitDepth(uint32_t bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// A packed DIB at `bytes`: a plain 40-byte header, uncompressed (or bit
// fields), whose colour table and pixels lie within `available` bytes. The
// colour table is counted at four bytes an entry, the larger of the two
// colour uses, so either reading stays inside.
bool DibFits(const uint8_t* bytes, uint64_t available)
{
    if (available < 40) return false;
    ByteReader in(bytes, available);
    uint32_t headerSize = in.U32LE();
    int32_t width = int32_t(in.U32LE()), height = int32_t(in.U32LE());
    uint16_t planes = in.U16LE(), bits = in.U16LE();
    uint32_t compression = in.U32LE();
    in.Skip(12);
    uint32_t used = in.U32LE();
    if (headerSize != 40 || width <= 0 || height == 0 || height < -kMaxMetafileSide * 8 ||
        height > kMaxMetafileSide * 8 || width > kMaxMetafileSide * 8 || planes != 1 || !ValidBitDepth(bits))
        return false;
    bool fields = compression == 3 && (bits == 16 || bits == 32);
    if (compression != 0 && !fields) return false;
    if (used > 256) return false;
    uint64_t colours = bits <= 8 ? (uint64_t(1) << bits) : 0;
    if (used > colours) colours = used;
    uint64_t stride = (uint64_t(width) * bits + 31) / 32 * 4;
    uint64_t rows = uint64_t(height < 0 ? -int64_t(height) : int64_t(height));
    uint64_t need = 40 + (fields ? 12 : 0) + colours * 4 + stride * rows;
    return need <= available;
}

// A device-dependent bitmap: rows padded to 16 bits, one plane.
bool Bitmap16Fits(int64_t width, int64_t height, uint32_t planes, uint32_t bits, uint64_t available)
{
    if (width <= 0 || height <= 0 || width > kMaxMetafileSide * 8 || height > kMaxMetafileSide * 8 ||
        planes != 1 || !ValidBitDepth(bits))
        return false;
    uint64_t stride = (uint64_t(width) * bits + 15) / 16 * 2;
    return stride * uint64_t(height) <= available;
}

// Checks what the parameters point into and count. `after` is how many bytes
// of the metafile follow the parameters (the player reads some fixed-size
// fields past short records).
bool ShapeIsSound(const RecordRule& rule, const Params& q, uint64_t after)
{
    uint64_t n = q.count;
    switch (rule.shape) {
    case kPlain: return true;
    case kPoints: return 1 + uint64_t(q[0]) * 2 <= n;
    case kPolyPolygon: {
        uint64_t polygons = q[0];
        if (polygons == 0 || 1 + polygons > n) return false;
        uint64_t points = 0;
        for (uint64_t i = 0; i < polygons; ++i) {
            int16_t c = int16_t(q[1 + i]);
            if (c < 1) return false;
            points += uint64_t(c);
        }
        return 1 + polygons + points * 2 <= n;
    }
    case kTextOut: {
        int16_t length = int16_t(q[0]);
        return length >= 0 && 1 + (uint64_t(length) + 1) / 2 + 2 <= n;
    }
    case kExtTextOut: {
        uint64_t length = q[2];
        uint16_t options = q[3];
        // Opaque, clipped, right-to-left and the language flags; glyph indices
        // and vertical widths would make the player read past the text.
        const uint16_t kAllowed = 0x0001 | 0x0002 | 0x0004 | 0x0080 | 0x0400 | 0x0800 | 0x1000;
        if (options & ~kAllowed) return false;
        uint64_t rectangle = (options & 0x0006) ? 4 : 0;
        return 4 + rectangle + (length + 1) / 2 <= n;
    }
    case kPen: {
        uint16_t style = q[0];
        return (style & 0x000F) <= 6 && ((style >> 8) & 0x0F) <= 2 && ((style >> 12) & 0x0F) <= 2;
    }
    case kBrush: {
        // Solid, hollow or hatched: the other styles carry handles or pointers
        // that mean nothing inside a file.
        uint16_t style = q[0];
        return style <= 1 || (style == 2 && q[3] <= 5);
    }
    case kFont: {
        // The player copies a 32-byte face name; it must end inside the record
        // and the copy must stay inside the metafile.
        const uint8_t* face = q.p + 18;
        uint64_t inRecord = n * 2 - 18;
        if (inRecord + after < 32) return false;
        for (uint64_t i = 0; i < inRecord && i < 32; ++i)
            if (face[i] == 0) return true;
        return false;
    }
    case kPalette: return q[1] >= 1 && 2 + uint64_t(q[1]) * 2 <= n;
    case kPaletteEntries: return 2 + uint64_t(q[1]) * 2 <= n;
    case kRegion: {
        // Bands of "count, top, bottom, x pairs, count" after an 11-word header.
        uint64_t at = 11;
        for (uint32_t band = 0; band < q[5]; ++band) {
            if (at >= n) return false;
            uint64_t count = q[at];
            if (count & 1) return false;
            uint64_t end = at + count + 3;
            if (end >= n || q[end] != count) return false;
            at = end + 1;
        }
        return true;
    }
    case kDib:
        if (rule.usage != kNoUsage && q[rule.usage] > 1) return false;
        return DibFits(q.p + rule.at * 2, (n - rule.at) * 2);
    case kDibBitBlt: return n == 9 || DibFits(q.p + rule.at * 2, (n - rule.at) * 2);
    case kBitmap16:
        return Bitmap16Fits(q[rule.at], q[rule.at + 1], q[rule.at + 3], q[rule.at + 4],
                            (n - rule.at - 5) * 2);
    case kPatternBrush:
        if (q[0] == 3) {  // bitmap: only size, planes and depth of its header are read
            if (n < 24) return false;
            return Bitmap16Fits(int32_t(q.U32(4)), int32_t(q.U32(6)), q[8], q[9], (n - 24) * 2);
        }
        if (q[0] == 5) return q[1] <= 1 && DibFits(q.p + 4, (n - 2) * 2);
        return false;
    case kEscape:
        // Only comments: the other escapes reach printer code that expects
        // output buffers a file cannot supply.
        return q[0] == 0x000F && 2 + (uint64_t(q[1]) + 1) / 2 <= n;
    }
    return false;
}

// GDI takes minutes over pens millions of pixels wide, which a mapping that
// blows up logical units makes out of 16-bit widths. This bounds the pixels a
// logical unit can span: the window and viewport extents start at the
// picture size and change by the extent and scale records (any order, any
// saved state, so every value seen counts), and the widest pen times that
// bound must stay modest.
struct MappingBound {
    int64_t smallestWindow[2] = {0, 0};  // 0: never set
    int64_t largestViewport[2] = {0, 0};
    double growth[2] = {1, 1};
    int64_t widestPen = 0;

    void Record(uint16_t function, const Params& q)
    {
        switch (function) {
        case 0x020C:  // SetWindowExt y, x
        case 0x020E:  // SetViewportExt y, x
            for (int axis = 0; axis < 2; ++axis) {
                int64_t v = int16_t(q[1 - axis]);
                if (v < 0) v = -v;
                if (v == 0) continue;  // GDI refuses it
                int64_t* slot = function == 0x020C ? &smallestWindow[axis] : &largestViewport[axis];
                if (function == 0x020C ? (*slot == 0 || v < *slot) : v > *slot) *slot = v;
            }
            break;
        case 0x0410:  // ScaleWindowExt yDenom, yNum, xDenom, xNum: a shrinking window enlarges
        case 0x0412:  // ScaleViewportExt
            for (int axis = 0; axis < 2; ++axis) {
                double num = int16_t(q[3 - 2 * axis]), denom = int16_t(q[2 - 2 * axis]);
                if (num < 0) num = -num;
                if (denom < 0) denom = -denom;
                if (function == 0x0410) {
                    double t = num;
                    num = denom;
                    denom = t;
                }
                if (denom == 0) denom = 1.0 / 32768;
                if (num > denom) growth[axis] *= num / denom;
                if (growth[axis] > 1e12) growth[axis] = 1e12;
            }
            break;
        case 0x02FA: {  // CreatePenIndirect
            int64_t width = int16_t(q[1]);
            if (width < 0) width = -width;
            if (width > widestPen) widestPen = width;
            break;
        }
        case 0x0429: {  // FrameRegion's frame width and height
            for (int i = 0; i < 2; ++i) {
                int64_t width = int16_t(q[i]);
                if (width < 0) width = -width;
                if (width > widestPen) widestPen = width;
            }
            break;
        }
        }
    }

    bool PensStayModest(int32_t pictureWidth, int32_t pictureHeight) const
    {
        const double kWidestPixels = 262144;
        double widest = 1;
        const int32_t picture[2] = {pictureWidth > 0 ? pictureWidth : 1,
                                    pictureHeight > 0 ? pictureHeight : 1};
        for (int axis = 0; axis < 2; ++axis) {
            double window = smallestWindow[axis] ? double(smallestWindow[axis]) : picture[axis];
            double viewport = largestViewport[axis] ? double(largestViewport[axis]) : picture[axis];
            if (picture[axis] < window) window = picture[axis];
            if (picture[axis] > viewport) viewport = picture[axis];
            double scale = viewport / window * growth[axis];
            if (scale > widest) widest = scale;
        }
        return double(widestPen) * widest <= kWidestPixels;
    }
};

int32_t CheckRecord(const uint8_t* record, uint64_t recordBytes, uint64_t after, uint16_t objects,
                    MappingBound* mapping)
{
    uint16_t function = uint16_t(record[4] | (record[5] << 8));
    const RecordRule* rule = FindRule(function);
    if (!rule) return 0;
    Params q = {record + 6, (recordBytes - 6) / 2};
    if (q.count < rule->minParams) return 0;
    for (uint32_t i = 0; i < 8; ++i)
        if ((rule->objectParams & (1u << i)) && q[i] >= objects) return 0;
    if (function == 0x012C && q[0] != 0 && q[0] >= objects) return 0;
    if (!ShapeIsSound(*rule, q, after)) return 0;
    mapping->Record(function, q);
    return 1;
}

}  // namespace

int32_t ParseWmfHeader(const uint8_t* data, uint64_t size, WmfInfo* info, ImageError* error)
{
    *info = WmfInfo();
    ByteReader in(data, size);
    if (size >= 22 && in.U32LE() == 0x9AC6CDD7u) {
        in.U16LE();
        int16_t left = int16_t(in.U16LE()), top = int16_t(in.U16LE());
        int16_t right = int16_t(in.U16LE()), bottom = int16_t(in.U16LE());
        uint16_t inch = in.U16LE();
        in.U32LE();
        uint16_t checksum = in.U16LE();
        uint16_t sum = 0;
        for (int32_t i = 0; i < 10; ++i) sum ^= uint16_t(data[i * 2] | (data[i * 2 + 1] << 8));
        if (sum != checksum) return SetImageError(error, "Metafile header is damaged");
        if (inch == 0) return SetImageError(error, "Metafile header is damaged");
        info->placeable = 1;
        info->width = ClampSide((int64_t(right) - left) * 96 / inch);
        info->height = ClampSide((int64_t(bottom) - top) * 96 / inch);
        info->bitsOffset = 22;
    } else {
        in.Seek(0);
    }
    uint64_t start = in.pos;
    uint16_t type = in.U16LE(), headerWords = in.U16LE(), version = in.U16LE();
    uint32_t words = in.U32LE();
    uint16_t objects = in.U16LE();
    in.Skip(6);
    if (in.failed || (type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300))
        return SetImageError(error, "Not a Windows metafile");
    uint64_t declared = uint64_t(words) * 2;
    if (declared < 18 || declared > size - start) return SetImageError(error, "Metafile is truncated");
    info->bitsSize = declared;
    // Walk the records: each must fit and pass its rule; the window extent
    // gives the size when there is no placeable header.
    uint64_t end = start + declared;
    bool sawEnd = false;
    MappingBound mapping;
    while (in.pos + 6 <= end) {
        uint64_t recordStart = in.pos;
        uint32_t recordWords = in.U32LE();
        uint16_t function = in.U16LE();
        if (recordWords < 3 || uint64_t(recordWords) * 2 > end - recordStart)
            return SetImageError(error, kDamaged);
        uint64_t recordEnd = recordStart + uint64_t(recordWords) * 2;
        if (function == 0) {
            sawEnd = true;
            break;
        }
        if (!CheckRecord(data + recordStart, recordEnd - recordStart, end - recordEnd, objects, &mapping))
            return SetImageError(error, kDamaged);
        if (function == kSetWindowExt && !info->placeable) {
            int16_t y = int16_t(in.U16LE()), x = int16_t(in.U16LE());
            info->width = ClampSide(x);
            info->height = ClampSide(y);
        }
        in.Seek(recordEnd);
    }
    if (!sawEnd) return SetImageError(error, "Metafile is truncated");
    if (info->width == 0 || info->height == 0) return SetImageError(error, "Metafile has no size");
    if (!mapping.PensStayModest(info->width, info->height))
        return SetImageError(error, "Metafile draws far outside its picture");
    return 1;
}
