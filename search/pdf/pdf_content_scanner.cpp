// The content-stream scanner of the PDF text reader.
#include "search/pdf/pdf_content_scanner.h"
#include "search/pdf/pdf_line_place.h"
#include "search/pdf/pdf_objects.h"
#include <math.h>
#include <string.h>

namespace {

enum OperandKind { kNumber, kName, kLiteral, kHex, kArray };

struct Operand {
    OperandKind kind;
    const uint8_t* begin;
    const uint8_t* end;
    double number;
};

enum { kMaxOperands = 8 };

struct Matrix {
    double a, d, e, f;  // scale and translation; rotation and skew are not followed
};

// The line of small annotations over the line being written (ruby): it
// stands in the output just before that line.
struct AnnotationLine {
    bool open;
    size_t at;     // where its text starts in the output
    size_t size;   // its bytes (the CR LF after them not counted)
    double end;    // where its last show ended along the line
    bool endKnown;
};

struct Scanner {
    const uint8_t* end;
    const PdfFontSource* fonts;
    TextOutput* out;
    PdfFontMap fallback;  // WinAnsi, for text shown before any Tf
    const PdfFontMap* font;
    double fontSize;
    double leading;
    double charSpacing;  // Tc
    double wordSpacing;  // Tw
    double scale;        // Tz, as a factor
    Matrix line;  // the text line matrix
    double advance;  // how far the shows since the line's start moved along it (text space)
    double lastEnd;  // where the last show ended along the line (user space)
    bool lastEndKnown;  // its font's widths were known
    bool spacedApart;   // the spacing after the last glyph is a gap between words
    bool moved;   // a positioning operator ran since the last show
    bool shownAny;
    double lastY;
    double lastHeight;  // the font height of the last show
    double lastX;       // where the last show started across the line (vertical text's column)
    double lineFrom;    // where the line's first show started along it
    size_t lineAt;      // where the line's text starts in the output
    AnnotationLine annotation;
    bool annotating;    // the shows since the last move are annotations over the line
    size_t showAt;      // where the text of the show being written starts
    double showAlong;   //   and where along the line it starts
    bool gapPending;    // a mirrored show decides its gap once its width is known
    size_t gapAt;       //   and the blank goes here
    bool lastVertical;  // the last show was written top to bottom
    uint32_t accent;   // the last character written when it is a spacing accent
    size_t accentAt;   // where that accent starts in the output
    size_t accentEnd;  //   and ends (nothing came between it and the letter)
    size_t markBlank;  // a blank written before a combining mark
    size_t markEnd;    //   and the end of the marks after it (0: none)
    Operand operands[kMaxOperands];
    int count;
};

bool PutBreak(Scanner& s)
{
    uint8_t last = TextOutputLast(s.out);
    if (last == 0 || last == '\n') return true;
    if (last == ' ') s.out->size--;  // no blank at the end of a line
    return TextOutputPutBytes(s.out, "\r\n", 2);
}

bool PutBlank(Scanner& s)
{
    uint8_t last = TextOutputLast(s.out);
    if (last == 0 || last == ' ' || last == '\n') return true;
    return TextOutputPutBytes(s.out, " ", 1);
}

double Height(const Scanner& s)
{
    double h = fabs(s.fontSize * s.line.d);
    return h > 0.5 ? h : 1.0;
}

// True when the move along the line from `end` (where a show ended) to
// `start` is a gap between words: wider than a tenth of the font size, or
// back over the text (another column or an overprint). Without the fonts'
// widths every move is one.
bool IsWordGapAfter(const Scanner& s, double start, double end, bool endKnown)
{
    if (!endKnown || !s.font->widths.known) return true;
    double gap = start - end;
    double em = fabs(s.fontSize * s.line.a);
    return gap > em * kWordGapOfFontSize || gap < -em;
}

bool IsWordGap(const Scanner& s) { return IsWordGapAfter(s, s.line.e, s.lastEnd, s.lastEndKnown); }

// A combining mark: it belongs to the letter before it, wherever the
// producer placed its glyph.
bool IsCombiningMark(uint32_t ch)
{
    return (ch >= 0x300 && ch <= 0x36F) || (ch >= 0x483 && ch <= 0x489) || (ch >= 0x1DC0 && ch <= 0x1DFF) ||
           (ch >= 0x20D0 && ch <= 0x20FF) || (ch >= 0x2DE0 && ch <= 0x2DFF) || (ch >= 0xA66F && ch <= 0xA67D) ||
           (ch >= 0xFE20 && ch <= 0xFE2F);
}

// Across the line in the direction the glyphs' tops point.
double Rising(const Scanner& s, double y) { return s.fontSize * s.line.d < 0 ? -y : y; }

PdfLineBox CurrentLine(const Scanner& s)
{
    return PdfLineBox{s.lineFrom, s.lastEnd, Rising(s, s.lastY), s.lastHeight};
}

// Ends the line and starts the next one at the current show. A line of small
// text just over the new one (its annotations written before it) becomes
// the new line's annotation line.
bool StartLine(Scanner& s, double height)
{
    PdfLineBox before = CurrentLine(s);
    size_t beforeAt = s.lineAt;
    bool hadAnnotation = s.annotation.open;
    if (!PutBreak(s)) return false;
    s.lineAt = s.out->size;
    s.lineFrom = s.line.e;
    s.annotation.open = false;
    PdfLineBox next{s.line.e, s.line.e, Rising(s, s.line.f), height};
    if (!hadAnnotation && s.lineAt >= beforeAt + 2 && !s.lastVertical && !s.font->vertical &&
        PlacePdfShow(next, before.start, before.baseline, before.height) == kPdfAboveLine)
        s.annotation = AnnotationLine{true, beforeAt, s.lineAt - 2 - beforeAt, before.end, s.lastEndKnown};
    return true;
}

// Decides what separates this show from the text before it.
bool BeforeShow(Scanner& s)
{
    if (!s.moved) return true;
    s.moved = false;
    s.annotating = false;
    bool ok = true;
    double height = Height(s);
    if (s.shownAny && (s.font->vertical || s.lastVertical)) {
        // Vertical text: a column is a line; another column (or a change
        // of direction) starts a new one.
        double width = fabs(s.fontSize * s.line.a);
        if (s.font->vertical != s.lastVertical || fabs(s.line.e - s.lastX) > width * 0.5) ok = StartLine(s, height);
    } else if (s.shownAny) {
        switch (PlacePdfShow(CurrentLine(s), s.line.e, Rising(s, s.line.f), height)) {
        case kPdfOnLine:
            if (s.line.a < 0) {
                // Mirrored (a logo's reversed letter): its glyphs run leftwards
                // from its position, so its near edge is known after it.
                s.gapPending = true;
                s.gapAt = s.out->size;
            } else if (IsWordGap(s)) {
                ok = PutBlank(s);
            }
            break;
        case kPdfAboveLine:
            // Written at the end for now and moved to the annotation line
            // once shown; the line keeps its own position.
            s.annotating = true;
            return true;
        case kPdfOtherLine:
            ok = StartLine(s, height);
            break;
        }
    } else {
        s.lineFrom = s.line.e;
    }
    s.lastX = s.line.e;
    s.lastVertical = s.font->vertical;
    s.lastY = s.line.f;
    s.lastHeight = height;
    s.shownAny = true;
    return ok;
}

// Moves the text position past a glyph (its width, the character spacing,
// and for the one-byte space the word spacing).
void Advance(Scanner& s, uint32_t code)
{
    double spacing = s.charSpacing;
    if (s.font->codeBytes == 1 && code == 32) spacing += s.wordSpacing;
    s.advance += (PdfGlyphWidth(s.font->widths, s.font->codeBytes, code) / 1000.0 * s.fontSize + spacing) * s.scale;
    // Letters spread apart by the character spacing are words apart (a
    // justified line's last letters, or ". T" written as one string).
    s.spacedApart = spacing * s.scale > s.fontSize * kWordGapOfFontSize;
}

// Moves the bytes from `from` to the end of the output to `to` (before
// `from`), the bytes between moving behind them.
void MoveTail(TextOutput* out, size_t to, size_t from)
{
    auto reverse = [out](size_t a, size_t b) {
        for (; a + 1 < b; a++, b--) {
            char c = out->data[a];
            out->data[a] = out->data[b - 1];
            out->data[b - 1] = c;
        }
    };
    reverse(to, from);
    reverse(from, out->size);
    reverse(to, out->size);
}

bool InsertBytes(TextOutput* out, size_t at, const char* bytes, size_t count)
{
    size_t size = out->size;
    if (!TextOutputPutBytes(out, bytes, count)) return false;
    MoveTail(out, at, size);
    return true;
}

// Moves the annotation just written (at the end of the output) to the end
// of the annotation line over the current line, which it opens when there
// is none, with a blank before it when it stands apart from the one before.
bool PlaceAnnotation(Scanner& s)
{
    TextOutput* out = s.out;
    size_t from = s.showAt;
    while (out->size > from && out->data[out->size - 1] == ' ') out->size--;
    size_t text = from;
    while (text < out->size && out->data[text] == ' ') text++;
    if (text > from) {
        memmove(out->data + from, out->data + text, out->size - text);
        out->size -= text - from;
    }
    size_t count = out->size - from;
    // What the annotation wrote leaves no trace on the line it was written after.
    s.accent = 0;
    s.markEnd = 0;
    if (!count) return true;
    AnnotationLine& line = s.annotation;
    if (line.open) {
        size_t to = line.at + line.size;
        if (IsWordGapAfter(s, s.showAlong, line.end, line.endKnown)) {
            if (!InsertBytes(out, to, " ", 1)) return false;
            line.size++;
            to++;
            from++;
        }
        MoveTail(out, to, from);
        line.size += count;
    } else {
        MoveTail(out, s.lineAt, from);
        if (!InsertBytes(out, s.lineAt + count, "\r\n", 2)) return false;
        line = AnnotationLine{true, s.lineAt, count, 0, false};
    }
    s.lineAt = line.at + line.size + 2;
    line.end = s.line.e + s.advance * s.line.a;
    line.endKnown = s.font->widths.known;
    return true;
}

void BeginShow(Scanner& s)
{
    s.showAt = s.out->size;
    s.showAlong = s.line.e + s.advance * s.line.a;
}

// Notes where the last show ended, for the gap before the next one.
bool AfterShow(Scanner& s)
{
    if (s.annotating) return PlaceAnnotation(s);
    double from = s.line.e, to = s.line.e + s.advance * s.line.a;
    bool ok = true;
    if (s.gapPending) {
        s.gapPending = false;
        uint8_t before = s.gapAt ? uint8_t(s.out->data[s.gapAt - 1]) : 0;
        if (s.out->size > s.gapAt && before != ' ' && before != '\n' && before != 0 &&
            IsWordGapAfter(s, to, s.lastEnd, s.lastEndKnown))
            ok = InsertBytes(s.out, s.gapAt, " ", 1);
    }
    s.lastEnd = to > from ? to : from;  // the far edge, whichever way the glyphs ran
    s.lastEndKnown = s.font->widths.known;
    return ok;
}

bool PutCode(Scanner& s, uint32_t code)
{
    if (s.spacedApart && !PutBlank(s)) return false;
    Advance(s, code);
    uint32_t count = 0, single = 0;
    const uint32_t* chars = PdfFontMapLookup(*s.font, code, &count, &single);
    for (uint32_t i = 0; chars && i < count; i++) {
        uint32_t ch = chars[i];
        if (ch == '\t' || ch == 0xA0) ch = ' ';
        if (ch < 32 || ch == 0xFFFE || ch == 0xFFFF) continue;
        if (ch == ' ') {
            if (!PutBlank(s)) return false;
            s.accent = 0;
            continue;
        }
        uint32_t composed = s.accent && s.out->size == s.accentEnd ? ComposeAccent(s.accent, ch) : 0;
        if (composed) {
            s.out->size = s.accentAt;  // the accent drawn before its letter becomes one character
            ch = composed;
        }
        bool mark = IsCombiningMark(ch);
        if (!mark && s.markEnd && s.out->size == s.markEnd && s.out->data[s.markBlank] == ' ') {
            // A mark set apart from the letter before it, with its word going
            // on after it: the blank before it was the glyph's placement.
            char* blank = s.out->data + s.markBlank;
            memmove(blank, blank + 1, s.markEnd - s.markBlank - 1);
            s.out->size--;
        }
        bool apart = mark && TextOutputLast(s.out) == ' ';
        bool follows = mark && s.markEnd && s.out->size == s.markEnd;
        if (apart) s.markBlank = s.out->size - 1;
        s.accent = ComposeAccent(ch, 'a') || ComposeAccent(ch, 'c') ? ch : 0;
        s.accentAt = s.out->size;
        if (!TextOutputPutChar(s.out, ch)) return false;
        s.accentEnd = s.out->size;
        s.markEnd = apart || follows ? s.out->size : 0;
    }
    return true;
}

// Feeds the decoded bytes of a string, code by code, to PutCode.
struct CodeFeed {
    uint32_t pending = 0;
    int have = 0;
};

bool FeedByte(Scanner& s, CodeFeed& feed, uint8_t byte)
{
    feed.pending = (feed.pending << 8) | byte;
    if (++feed.have < s.font->codeBytes) return true;
    uint32_t code = feed.pending;
    feed.pending = 0;
    feed.have = 0;
    return PutCode(s, code);
}

bool ShowString(Scanner& s, const Operand& string)
{
    if (!BeforeShow(s)) return false;
    s.spacedApart = false;
    if (!s.font->known) return true;
    CodeFeed feed;
    const uint8_t* p = string.begin;
    const uint8_t* end = string.end;
    if (string.kind == kHex) {
        int high = -1;
        for (; p < end; p++) {
            int h = HexValue(*p);
            if (h < 0) continue;
            if (high < 0) {
                high = h;
                continue;
            }
            if (!FeedByte(s, feed, uint8_t(high * 16 + h))) return false;
            high = -1;
        }
        if (high >= 0 && !FeedByte(s, feed, uint8_t(high * 16))) return false;
        return true;
    }
    while (p < end) {
        uint8_t c = *p++;
        if (c != '\\') {
            if (c == '\r') {  // an end of line in a string reads as LF
                if (p < end && *p == '\n') ++p;
                c = '\n';
            }
            if (!FeedByte(s, feed, c)) return false;
            continue;
        }
        if (p >= end) break;
        c = *p++;
        switch (c) {
        case 'n': c = '\n'; break;
        case 'r': c = '\r'; break;
        case 't': c = '\t'; break;
        case 'b': c = '\b'; break;
        case 'f': c = '\f'; break;
        case '\r':
            if (p < end && *p == '\n') ++p;
            continue;  // a line continuation
        case '\n': continue;
        default:
            if (c >= '0' && c <= '7') {
                int value = c - '0';
                for (int i = 0; i < 2 && p < end && *p >= '0' && *p <= '7'; i++)
                    value = value * 8 + (*p++ - '0');
                c = uint8_t(value);
            }
            break;  // "\(", "\)", "\\" and unknown escapes stand for the byte itself
        }
        if (!FeedByte(s, feed, c)) return false;
    }
    return true;
}

bool ShowArray(Scanner& s, const Operand& array)
{
    const uint8_t* p = array.begin;
    const uint8_t* end = array.end;
    while (p < end) {
        uint8_t c = *p;
        if (IsPdfWhite(c)) {
            ++p;
        } else if (c == '(') {
            const uint8_t* close = PdfSkipLiteralString(p, end);
            Operand string{kLiteral, p + 1, close > p + 1 && close[-1] == ')' ? close - 1 : close, 0};
            if (!ShowString(s, string)) return false;
            p = close;
        } else if (c == '<') {
            const uint8_t* close = static_cast<const uint8_t*>(memchr(p, '>', size_t(end - p)));
            if (!close) close = end;
            Operand string{kHex, p + 1, close, 0};
            if (!ShowString(s, string)) return false;
            p = close < end ? close + 1 : end;
        } else {
            double v;
            const uint8_t* next;
            if (ParsePdfNumber(p, end, &v, &next)) {
                if (-v > kTjWordGapThousandths && !PutBlank(s)) return false;
                s.advance -= v / 1000.0 * s.fontSize * s.scale;
                p = next;
            } else {
                ++p;
            }
        }
    }
    return true;
}

double Number(const Scanner& s, int fromTop)
{
    int i = s.count - 1 - fromTop;
    return i >= 0 && s.operands[i].kind == kNumber ? s.operands[i].number : 0.0;
}

const Operand* Top(const Scanner& s, OperandKind kind)
{
    return s.count > 0 && s.operands[s.count - 1].kind == kind ? &s.operands[s.count - 1] : nullptr;
}

void MoveLine(Scanner& s, double tx, double ty)
{
    s.line.e += tx * s.line.a;
    s.line.f += ty * s.line.d;
    s.advance = 0;
    s.moved = true;
}

void NextLine(Scanner& s) { MoveLine(s, 0, -s.leading); }

bool IsOperator(const uint8_t* op, size_t n, const char* name)
{
    return strlen(name) == n && memcmp(op, name, n) == 0;
}

bool ShowTop(Scanner& s)
{
    const Operand* string = Top(s, kLiteral);
    if (!string) string = Top(s, kHex);
    if (!string) return true;
    BeginShow(s);
    bool ok = ShowString(s, *string);
    return AfterShow(s) && ok;
}

// Steps over an inline image: from after "ID" to after the "EI" that stands
// between blanks.
const uint8_t* SkipInlineImage(const uint8_t* p, const uint8_t* end)
{
    while (p + 2 <= end) {
        int64_t at = FindBytes(p, size_t(end - p), "EI");
        if (at < 0) return end;
        const uint8_t* hit = p + at;
        if (IsPdfWhite(hit[-1]) && (hit + 2 == end || IsPdfWhite(hit[2]))) return hit + 2;
        p = hit + 1;
    }
    return end;
}

// Runs one operator; returns the position to go on from (changed by BI) or
// null when the output is full.
const uint8_t* RunOperator(Scanner& s, const uint8_t* op, size_t n, const uint8_t* after)
{
    bool ok = true;
    if (IsOperator(op, n, "BT")) {
        s.line = Matrix{1, 1, 0, 0};
        s.advance = 0;
        s.moved = true;
    } else if (IsOperator(op, n, "Tf")) {
        if (s.count >= 2 && s.operands[s.count - 2].kind == kName) {
            const Operand& name = s.operands[s.count - 2];
            const PdfFontMap* font =
                s.fonts->lookup(s.fonts->context, name.begin, size_t(name.end - name.begin));
            s.font = font ? font : &s.fallback;
            s.fontSize = Number(s, 0);
        }
    } else if (IsOperator(op, n, "Td")) {
        MoveLine(s, Number(s, 1), Number(s, 0));
    } else if (IsOperator(op, n, "TD")) {
        s.leading = -Number(s, 0);
        MoveLine(s, Number(s, 1), Number(s, 0));
    } else if (IsOperator(op, n, "Tm")) {
        s.line = Matrix{Number(s, 5), Number(s, 2), Number(s, 1), Number(s, 0)};
        s.advance = 0;
        s.moved = true;
    } else if (IsOperator(op, n, "T*")) {
        NextLine(s);
    } else if (IsOperator(op, n, "TL")) {
        s.leading = Number(s, 0);
    } else if (IsOperator(op, n, "Tj")) {
        ok = ShowTop(s);
    } else if (IsOperator(op, n, "Tc")) {
        s.charSpacing = Number(s, 0);
    } else if (IsOperator(op, n, "Tw")) {
        s.wordSpacing = Number(s, 0);
    } else if (IsOperator(op, n, "Tz")) {
        s.scale = Number(s, 0) / 100.0;
    } else if (IsOperator(op, n, "'")) {
        NextLine(s);
        ok = ShowTop(s);
    } else if (IsOperator(op, n, "\"")) {
        // aw ac string ": the spacings are set, then the string shown on the next line.
        if (s.count >= 3) {
            s.wordSpacing = Number(s, 2);
            s.charSpacing = Number(s, 1);
        }
        NextLine(s);
        ok = ShowTop(s);
    } else if (IsOperator(op, n, "TJ")) {
        const Operand* array = Top(s, kArray);
        BeginShow(s);
        if (array) ok = BeforeShow(s) && ShowArray(s, *array);
        ok = AfterShow(s) && ok;
    } else if (IsOperator(op, n, "ID")) {
        after = SkipInlineImage(after, s.end);
    }
    s.count = 0;
    return ok ? after : nullptr;
}

void Push(Scanner& s, const Operand& operand)
{
    if (s.count == kMaxOperands) {
        memmove(s.operands, s.operands + 1, sizeof(Operand) * (kMaxOperands - 1));
        s.count--;
    }
    s.operands[s.count++] = operand;
}

}  // namespace

bool ScanPdfContent(const uint8_t* data, size_t size, const PdfFontSource& fonts, TextOutput* out)
{
    Scanner s{};
    s.end = data + size;
    s.fonts = &fonts;
    s.out = out;
    PdfFontMapInitSimple(&s.fallback);
    s.font = &s.fallback;
    s.line = Matrix{1, 1, 0, 0};
    s.scale = 1;
    if (!PutBreak(s)) return false;  // each stream (page) starts on a new line
    s.lineAt = out->size;
    const uint8_t* p = data;
    const uint8_t* end = s.end;
    while (p < end) {
        uint8_t c = *p;
        if (IsPdfWhite(c)) {
            ++p;
        } else if (c == '%') {
            p = PdfSkipWhite(p, end);
        } else if (c == '(') {
            const uint8_t* close = PdfSkipLiteralString(p, end);
            Push(s, Operand{kLiteral, p + 1, close > p + 1 && close[-1] == ')' ? close - 1 : close, 0});
            p = close;
        } else if (c == '<' && p + 1 < end && p[1] == '<') {
            p = PdfSkipContainer(p, end);  // a dictionary operand (marked content): not text
        } else if (c == '<') {
            const uint8_t* close = static_cast<const uint8_t*>(memchr(p, '>', size_t(end - p)));
            if (!close) close = end;
            Push(s, Operand{kHex, p + 1, close, 0});
            p = close < end ? close + 1 : end;
        } else if (c == '[') {
            const uint8_t* close = PdfSkipContainer(p, end);
            Push(s, Operand{kArray, p + 1, close > p + 1 && close[-1] == ']' ? close - 1 : close, 0});
            p = close;
        } else if (c == '/') {
            const uint8_t* name = ++p;
            while (p < end && IsPdfRegular(*p)) ++p;
            Push(s, Operand{kName, name, p, 0});
        } else if (IsPdfDelimiter(c)) {
            ++p;  // a stray ")", ">", "]", "{" or "}"
        } else {
            double v;
            const uint8_t* next;
            if ((c == '-' || c == '+' || c == '.' || (c >= '0' && c <= '9')) &&
                ParsePdfNumber(p, end, &v, &next)) {
                Push(s, Operand{kNumber, p, next, v});
                p = next;
                continue;
            }
            const uint8_t* op = p;
            while (p < end && IsPdfRegular(*p)) ++p;
            if (p == op) ++p;
            p = RunOperator(s, op, size_t(p - op), p);
            if (!p) return false;
        }
    }
    return true;
}
