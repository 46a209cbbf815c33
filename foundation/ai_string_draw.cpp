#include "foundation/ai_string.h"
#include "foundation/ai_string_draw.h"
#include "foundation/text_markup.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include <stddef.h>
#include <string.h>

namespace {

int ScreenDpi()
{
    static int dpi = 0;
    if (!dpi) {
        HDC screen = GetDC(0);
        dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(0, screen);
        if (dpi <= 0) dpi = 96;
    }
    return dpi;
}

// Faces chosen by SetFontByIndex; the last slot is the face of the last
// font loaded from a resource. The default is Arial: Wine's Tahoma draws its
// bold with regular glyphs at bold advances, which spreads words apart.
WCHAR g_resourceFace[LF_FACESIZE] = L"Arial";
const WCHAR* const kFaces[] = {L"Arial", L"Tahoma", L"Courier New", L"Times New Roman", L"Verdana", g_resourceFace};
const int kFaceCount = sizeof(kFaces) / sizeof(kFaces[0]);

// Resource fonts already added to this process, so each is added once.
int g_loadedFonts[16];
int g_loadedFontCount = 0;

void DropCachedFont(AIStringDrawState* state)
{
    if (state && state->cachedFont) {
        DeleteObject(state->cachedFont);
        state->cachedFont = 0;
    }
}

HFONT FontOf(AIStringDrawState* state)
{
    if (!state->cachedFont) state->cachedFont = CreateFontIndirectW(&state->font);
    return state->cachedFont;
}

}  // namespace

void FreeDrawState(AIStringDrawState* state)
{
    if (!state) return;
    if (state->cachedFont) DeleteObject(state->cachedFont);
    LocalFree(state);
}

AIStringDrawState* AIString::EnsureDrawState()
{
    if (draw_) return draw_;
    draw_ = (AIStringDrawState*)LocalAlloc(LPTR, sizeof(AIStringDrawState));
    if (!draw_) return 0;
    draw_->font.lfHeight = -13;
    draw_->font.lfWeight = FW_NORMAL;
    draw_->font.lfCharSet = DEFAULT_CHARSET;
    draw_->font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(draw_->font.lfFaceName, kFaces[0], LF_FACESIZE);
    draw_->colour = RGB(0, 0, 0);
    draw_->drawFlags = DT_LEFT | DT_NOPREFIX;
    return draw_;
}

AIString& AIString::SetFontSize(int points)
{
    AIStringDrawState* s = EnsureDrawState();
    if (s && points > 0) {
        DropCachedFont(s);
        s->font.lfHeight = -MulDiv(points, ScreenDpi(), 72);
    }
    return *this;
}

AIString& AIString::SetBold(int bold)
{
    AIStringDrawState* s = EnsureDrawState();
    if (s) { DropCachedFont(s); s->font.lfWeight = bold ? FW_BOLD : FW_NORMAL; }
    return *this;
}

AIString& AIString::SetItalic(int italic)
{
    AIStringDrawState* s = EnsureDrawState();
    if (s) { DropCachedFont(s); s->font.lfItalic = italic ? TRUE : FALSE; }
    return *this;
}

AIString& AIString::SetTextColor(COLORREF colour)
{
    AIStringDrawState* s = EnsureDrawState();
    if (s) s->colour = colour;
    return *this;
}

AIString& AIString::SetFontFace(const WCHAR* face)
{
    AIStringDrawState* s = EnsureDrawState();
    if (s && face && *face) { DropCachedFont(s); CopyTextBounded(s->font.lfFaceName, LF_FACESIZE, face); }
    return *this;
}

AIString& AIString::SetFontByIndex(int index)
{
    if (index < 0 || index >= kFaceCount) index = 0;
    return SetFontFace(kFaces[index]);
}

AIString& AIString::SetHorizontalAlign(int align)
{
    AIStringDrawState* s = EnsureDrawState();
    if (s) {
        s->drawFlags &= ~(UINT)(DT_CENTER | DT_RIGHT);
        s->drawFlags |= align == 1 ? DT_CENTER : align == 2 ? DT_RIGHT : DT_LEFT;
    }
    return *this;
}

AIString& AIString::SetWordBreak(int on)
{
    AIStringDrawState* s = EnsureDrawState();
    if (s) s->drawFlags = on ? (s->drawFlags | DT_WORDBREAK) : (s->drawFlags & ~(UINT)DT_WORDBREAK);
    return *this;
}

AIString& AIString::SetExpandTabs(int on)
{
    AIStringDrawState* s = EnsureDrawState();
    if (s) s->drawFlags = on ? (s->drawFlags | DT_EXPANDTABS) : (s->drawFlags & ~(UINT)DT_EXPANDTABS);
    return *this;
}

int AIString::LoadResourceFont(int resourceId, const WCHAR* face)
{
    TRACE_SCOPE(kTraceStrings, 90);
    int loaded = 0;
    for (int i = 0; i < g_loadedFontCount; i++)
        if (g_loadedFonts[i] == resourceId) loaded = 1;
    if (!loaded) {
        HMODULE module = GetModuleHandleW(0);
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), (LPCWSTR)RT_FONT);
        if (!found) found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), (LPCWSTR)RT_RCDATA);
        HGLOBAL data = found ? LoadResource(module, found) : 0;
        void* bytes = data ? LockResource(data) : 0;
        DWORD size = found ? SizeofResource(module, found) : 0;
        DWORD fonts = 0;
        if (!bytes || !size || !AddFontMemResourceEx(bytes, size, 0, &fonts) || !fonts) return 0;
        if (g_loadedFontCount < (int)(sizeof(g_loadedFonts) / sizeof(g_loadedFonts[0])))
            g_loadedFonts[g_loadedFontCount++] = resourceId;
    }
    CopyTextBounded(g_resourceFace, LF_FACESIZE, face);
    SetFontFace(face);
    return 1;
}

SIZE AIString::Measure(HDC dc)
{
    SIZE size = {0, 0};
    AIStringDrawState* s = EnsureDrawState();
    if (!s || !dc) return size;
    HGDIOBJ old = SelectObject(dc, FontOf(s));
    RECT r = {0, 0, 0, 0};
    DrawTextW(dc, text_, length_, &r, (s->drawFlags & ~(UINT)DT_WORDBREAK) | DT_CALCRECT);
    SelectObject(dc, old);
    size.cx = r.right - r.left;
    size.cy = r.bottom - r.top;
    return size;
}

int AIString::DrawStyled(HDC dc, const RECT& rect, UINT flags)
{
    AIStringDrawState* s = EnsureDrawState();
    if (!s || !dc) return 0;
    HGDIOBJ old = SelectObject(dc, FontOf(s));
    COLORREF oldColour = ::SetTextColor(dc, s->colour);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT r = rect;
    int height = DrawTextW(dc, text_, length_, &r, flags);
    SetBkMode(dc, oldMode);
    ::SetTextColor(dc, oldColour);
    SelectObject(dc, old);
    return height;
}

int AIString::DrawInRect(HDC dc, const RECT& rect)
{
    AIStringDrawState* s = EnsureDrawState();
    return s ? DrawStyled(dc, rect, s->drawFlags) : 0;
}

// Draws through a memory bitmap holding a copy of the destination, so the
// text appears in one step without flicker.
int AIString::DrawOffscreen(HDC dc, int x, int y, UINT flags)
{
    AIStringDrawState* s = EnsureDrawState();
    if (!s || !dc) return 0;
    HGDIOBJ oldFont = SelectObject(dc, FontOf(s));
    RECT size = {0, 0, 0, 0};
    DrawTextW(dc, text_, length_, &size, (flags & ~(UINT)DT_WORDBREAK) | DT_CALCRECT);
    SelectObject(dc, oldFont);
    int w = size.right, h = size.bottom;
    if (w <= 0 || h <= 0) return 0;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, w, h) : 0;
    if (!bitmap) {  // no memory for the bitmap: draw directly
        if (memory) DeleteDC(memory);
        RECT r = {x, y, x + w, y + h};
        return DrawStyled(dc, r, flags | DT_NOCLIP);
    }
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, dc, x, y, SRCCOPY);
    RECT local = {0, 0, w, h};
    int height = DrawStyled(memory, local, flags);
    BitBlt(dc, x, y, w, h, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return height;
}

// ---- Mark-up drawing: lays the TextMarkup runs out in lines, breaking
// between words (inside a word only when it is wider than the rectangle),
// and draws each line on a common baseline.
namespace {

const int kHeadingPoints[4] = {0, 18, 14, 12};

struct MarkupFont {
    LONG height;
    int bold, italic, underline;
    HFONT font;
    int ascent, lineHeight;
    int owned;  // made for this layout alone (the kept fonts were full)
};

// The fonts mark-up was drawn with, kept for the program's life: the same
// few captions and status texts are laid out again at every paint. A font's
// metrics depend on the device context's kind and resolution as well.
struct KeptMarkupFont {
    LOGFONTW lf;
    int technology, dpiY;
    HFONT font;
    int ascent, lineHeight;
};
enum { kKeptMarkupFonts = 32 };
KeptMarkupFont s_keptFonts[kKeptMarkupFonts];
int s_keptFontCount = 0;

int SameFaceName(const WCHAR* a, const WCHAR* b)
{
    for (int i = 0; i < LF_FACESIZE; i++) {
        if (a[i] != b[i]) return 0;
        if (!a[i]) return 1;
    }
    return 1;
}

const KeptMarkupFont* FindKeptFont(const LOGFONTW& lf, int technology, int dpiY)
{
    for (int i = 0; i < s_keptFontCount; i++) {
        const KeptMarkupFont& k = s_keptFonts[i];
        // The fields before the face name, then the name up to its end.
        if (k.technology == technology && k.dpiY == dpiY &&
            memcmp(&k.lf, &lf, offsetof(LOGFONTW, lfFaceName)) == 0 &&
            SameFaceName(k.lf.lfFaceName, lf.lfFaceName))
            return &k;
    }
    return nullptr;
}

struct MarkupFragment {
    const WCHAR* text;
    int length;
    int x;
    int font;  // index into the font cache
    COLORREF colour;
};

struct MarkupLayout {
    HDC dc;
    RECT rect;
    const LOGFONTW* base;
    MarkupFont fonts[24];
    int fontCount;
    MarkupFragment line[256];
    int lineCount;
    int x, top;
    int draw;     // 0: measure only
    int widest;   // the widest line so far, in pixels
};

int FontFor(MarkupLayout& layout, const TextStyle& style)
{
    LONG height = layout.base->lfHeight;
    int points = style.sizePoints ? style.sizePoints : kHeadingPoints[style.heading];
    if (points) height = -MulDiv(points, GetDeviceCaps(layout.dc, LOGPIXELSY), 72);
    int bold = style.bold || style.heading || layout.base->lfWeight >= FW_BOLD;
    int italic = style.italic || layout.base->lfItalic;
    int underline = style.underline || style.link;
    for (int i = 0; i < layout.fontCount; i++) {
        const MarkupFont& f = layout.fonts[i];
        if (f.height == height && f.bold == bold && f.italic == italic && f.underline == underline) return i;
    }
    if (layout.fontCount == (int)(sizeof(layout.fonts) / sizeof(layout.fonts[0]))) return 0;
    LOGFONTW lf = *layout.base;
    lf.lfHeight = height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (BYTE)italic;
    lf.lfUnderline = (BYTE)underline;
    MarkupFont& f = layout.fonts[layout.fontCount];
    f.height = height;
    f.bold = bold;
    f.italic = italic;
    f.underline = underline;
    int technology = GetDeviceCaps(layout.dc, TECHNOLOGY), dpiY = GetDeviceCaps(layout.dc, LOGPIXELSY);
    if (const KeptMarkupFont* kept = FindKeptFont(lf, technology, dpiY)) {
        f.font = kept->font;
        f.ascent = kept->ascent;
        f.lineHeight = kept->lineHeight;
        f.owned = 0;
        return layout.fontCount++;
    }
    HFONT font = CreateFontIndirectW(&lf);
    if (!font) return layout.fontCount ? 0 : -1;
    f.font = font;
    HGDIOBJ old = SelectObject(layout.dc, font);
    TEXTMETRICW tm;
    GetTextMetricsW(layout.dc, &tm);
    SelectObject(layout.dc, old);
    f.ascent = tm.tmAscent;
    f.lineHeight = tm.tmHeight;
    f.owned = s_keptFontCount == kKeptMarkupFonts;
    if (!f.owned) s_keptFonts[s_keptFontCount++] = {lf, technology, dpiY, font, f.ascent, f.lineHeight};
    return layout.fontCount++;
}

// Draws a fragment with the advances GetTextExtentExPointW measured for it,
// so the next fragment starts where this one really ends. Without them Wine
// draws small sizes of Liberation Sans (9 points) with wider advances than it
// measures, and the blank between two words all but disappears.
void DrawFragmentAsMeasured(MarkupLayout& layout, const MarkupFragment& piece, int y)
{
    enum { kMaxMeasured = 256 };
    INT ends[kMaxMeasured], advances[kMaxMeasured];
    SIZE size;
    const INT* dx = nullptr;
    if (piece.length <= kMaxMeasured &&
        GetTextExtentExPointW(layout.dc, piece.text, piece.length, 0, nullptr, ends, &size)) {
        for (int i = 0; i < piece.length; i++) advances[i] = ends[i] - (i ? ends[i - 1] : 0);
        dx = advances;
    }
    ExtTextOutW(layout.dc, piece.x, y, ETO_CLIPPED, &layout.rect, piece.text, (UINT)piece.length, dx);
}

// Draws the gathered line on one baseline and moves down; an empty line
// moves down by emptyHeight.
void FinishLine(MarkupLayout& layout, int emptyHeight)
{
    if (!layout.lineCount) {
        layout.top += emptyHeight;
        return;
    }
    int ascent = 0, descent = 0;
    for (int i = 0; i < layout.lineCount; i++) {
        const MarkupFont& f = layout.fonts[layout.line[i].font];
        if (f.ascent > ascent) ascent = f.ascent;
        if (f.lineHeight - f.ascent > descent) descent = f.lineHeight - f.ascent;
    }
    int width = layout.x - layout.rect.left;
    if (width > layout.widest) layout.widest = width;
    if (layout.draw && layout.top < layout.rect.bottom) {
        for (int i = 0; i < layout.lineCount; i++) {
            const MarkupFragment& piece = layout.line[i];
            const MarkupFont& f = layout.fonts[piece.font];
            SelectObject(layout.dc, f.font);
            ::SetTextColor(layout.dc, piece.colour);
            DrawFragmentAsMeasured(layout, piece, layout.top + ascent - f.ascent);
        }
    }
    layout.top += ascent + descent;
    layout.lineCount = 0;
    layout.x = layout.rect.left;
}

void AddFragment(MarkupLayout& layout, const WCHAR* text, int length, int width, int font, COLORREF colour)
{
    if (layout.lineCount == (int)(sizeof(layout.line) / sizeof(layout.line[0]))) FinishLine(layout, 0);
    MarkupFragment& piece = layout.line[layout.lineCount++];
    piece.text = text;
    piece.length = length;
    piece.x = layout.x;
    piece.font = font;
    piece.colour = colour;
    layout.x += width;
}

enum { kTabBlanks = 4 };

void LayOutText(MarkupLayout& layout, const WCHAR* text, int length, int font, COLORREF colour)
{
    SelectObject(layout.dc, layout.fonts[font].font);
    int width = layout.rect.right - layout.rect.left;
    int i = 0;
    while (i < length) {
        if (layout.x == layout.rect.left)  // a new line starts with a word, not with blanks
            while (i < length && (text[i] == L' ' || text[i] == L'\t')) i++;
        if (i < length && text[i] == L'\t') {
            // A tab is a gap of kTabBlanks blanks; the font has no glyph for it.
            SIZE gap = {0, 0};
            GetTextExtentPoint32W(layout.dc, L"    ", kTabBlanks, &gap);
            layout.x += gap.cx;
            i++;
            continue;
        }
        int wordEnd = i;
        while (wordEnd < length && text[wordEnd] != L' ' && text[wordEnd] != L'\t') wordEnd++;
        int blanksEnd = wordEnd;
        while (blanksEnd < length && text[blanksEnd] == L' ') blanksEnd++;
        if (wordEnd == i && blanksEnd == i) break;
        SIZE word = {0, 0}, whole = {0, 0};
        GetTextExtentPoint32W(layout.dc, text + i, wordEnd - i, &word);
        GetTextExtentPoint32W(layout.dc, text + i, blanksEnd - i, &whole);
        int room = layout.rect.right - layout.x;
        if (word.cx <= room) {
            AddFragment(layout, text + i, blanksEnd - i, whole.cx, font, colour);
            i = blanksEnd;
            continue;
        }
        if (layout.x > layout.rect.left && word.cx <= width) {  // the word goes on the next line
            FinishLine(layout, 0);
            SelectObject(layout.dc, layout.fonts[font].font);
            continue;
        }
        // Wider than the rectangle: as many characters as fit (at least one).
        int fit = 0;
        SIZE part;
        GetTextExtentExPointW(layout.dc, text + i, wordEnd - i, room > 0 ? room : 0, &fit, 0, &part);
        if (fit < 1) fit = 1;
        GetTextExtentPoint32W(layout.dc, text + i, fit, &part);
        AddFragment(layout, text + i, fit, part.cx, font, colour);
        i += fit;
        FinishLine(layout, 0);
        SelectObject(layout.dc, layout.fonts[font].font);
    }
}

// Lays the mark-up out in rect, drawing it when `draw` is set; the size used
// (widest line, height) goes to *size.
void LayOutMarkup(HDC dc, const RECT& rect, const WCHAR* source, AIStringDrawState* s, int draw, SIZE* size)
{
    size->cx = size->cy = 0;
    TextMarkup markup;
    if (markup.Parse(source) < 0) return;
    MarkupLayout* layout = (MarkupLayout*)LocalAlloc(LPTR, sizeof(MarkupLayout));
    if (!layout) return;
    layout->draw = draw;
    layout->dc = dc;
    layout->rect = rect;
    layout->base = &s->font;
    layout->x = rect.left;
    layout->top = rect.top;
    HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);
    COLORREF oldColour = GetTextColor(dc);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    TextStyle plain;
    memset(&plain, 0, sizeof(plain));
    int baseFont = FontFor(*layout, plain);
    if (baseFont >= 0) {
        int baseHeight = layout->fonts[baseFont].lineHeight;
        const WCHAR* text = markup.GetPlainText().GetText();
        for (int r = 0; r < markup.GetRunCount(); r++) {
            const TextRun& run = markup.GetRun(r);
            if (run.kind == kRunBreak) {
                FinishLine(*layout, baseHeight);
            } else if (run.kind == kRunSmallBreak) {
                FinishLine(*layout, 0);
                layout->top += baseHeight / 2;
            } else if (run.kind == kRunParagraph) {
                FinishLine(*layout, 0);
                layout->top += baseHeight;
            } else {
                int font = FontFor(*layout, run.style);
                COLORREF colour = run.style.hasColour ? run.style.colour : run.style.link ? RGB(0, 0, 220) : s->colour;
                LayOutText(*layout, text + run.start, run.length, font, colour);
            }
        }
        FinishLine(*layout, 0);
    }
    size->cx = layout->widest;
    size->cy = layout->top - rect.top;
    SelectObject(dc, oldFont);
    ::SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    for (int i = 0; i < layout->fontCount; i++)
        if (layout->fonts[i].owned) DeleteObject(layout->fonts[i].font);
    LocalFree(layout);
}

}  // namespace

int AIString::DrawMarkupText(HDC dc, const RECT& rect)
{
    TRACE_SCOPE(kTraceStrings, 91);
    AIStringDrawState* s = EnsureDrawState();
    if (!s || !dc) return 0;
    SIZE used;
    LayOutMarkup(dc, rect, text_, s, 1, &used);
    return used.cy;
}

SIZE AIString::MeasureMarkupText(HDC dc, const RECT& rect)
{
    SIZE used = {0, 0};
    AIStringDrawState* s = EnsureDrawState();
    if (s && dc) LayOutMarkup(dc, rect, text_, s, 0, &used);
    return used;
}
