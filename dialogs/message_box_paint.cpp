// Drawing of the message box: the darkened snapshot of the frame behind it,
// the content (drawn once per showing on a key-colour bitmap and reused for
// every frame of the slide), the kind picture and the top line.
#include "dialogs/message_box.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "dialogs/path_shortening.h"
#include "drawing/ai_dib.h"
#include "drawing/ai_effects.h"
#include "foundation/app.h"
#include "foundation/misc_services.h"
#include "foundation/text_markup.h"
#include "resources/resource_ids.h"
#include "ui/colours.h"

// Active mode outside help pages draws the options column.
int OptionsShownForPaint();

namespace {

const COLORREF kKey = RGB(255, 0, 255);
const COLORREF kHalo = RGB(60, 60, 60);
const COLORREF kShade = RGB(20, 20, 24);
const COLORREF kSilhouette = RGB(45, 45, 50);
const int kKindPictureLeft = 15;
const int kKindPictureTop = 30;

AIDib g_background;  // the frame under the box, as captured
AIDib g_darkened;    // the background after darkening
AIDib g_content;     // texts and options on the key colour
AIDib g_frameBuffer;
AIDib g_kindPicture;
int32_t g_kindPictureCode = -1;

int TransparencyOff() { return g_app.settings.Record().transparencyOff ? 1 : 0; }

// Sharp fonts: the content lies on a key colour, so no edge may be blended.
HFONT MakeFont(HDC dc, int points, int bold)
{
    return CreateFontW(-MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0,
                       0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                       DEFAULT_PITCH, L"Arial");
}

// Text with a halo: four times one pixel off in the shade, then in the colour.
void DrawHaloText(HDC dc, const WCHAR* text, RECT rect, UINT flags, COLORREF colour, int halo)
{
    int length = lstrlenW(text);
    if (halo) {
        SetTextColor(dc, kHalo);
        static const int offsets[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto& o : offsets) {
            RECT r = rect;
            OffsetRect(&r, o[0], o[1]);
            DrawTextW(dc, text, length, &r, flags);
        }
    }
    SetTextColor(dc, colour);
    DrawTextW(dc, text, length, &rect, flags);
}

void DrawLabel(HDC dc, HFONT font, const WCHAR* text, int x, int y, int right, int bottom, UINT flags,
               COLORREF colour, int halo)
{
    HGDIOBJ old = SelectObject(dc, font);
    RECT r = {x, y, right, bottom};
    DrawHaloText(dc, text, r, flags | DT_NOPREFIX, colour, halo);
    SelectObject(dc, old);
}

void FillBox(HDC dc, int left, int top, int width, int height, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    RECT r = {left, top, left + width, top + height};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void DrawOptions(HDC dc, int width, COLORREF colour, int halo, HFONT fontSmall, HFONT fontLarge)
{
    MessageBoxState& m = g_messageBox;
    int column = width - 190;
    int t = m.transparency;
    FillBox(dc, column, 0, 1, kMessageBoxHeight, RGB(t * 15 / 100, t * 15 / 100, t * 15 / 100));
    FillBox(dc, column + 1, 0, 1, kMessageBoxHeight, RGB(t * 80 / 100, t * 80 / 100, t * 80 / 100));
    DrawLabel(dc, fontLarge, L"Options", column + 30, 5, width, 30, DT_LEFT | DT_SINGLELINE, colour, halo);
    AIString line(L"Transparency: ");
    line.AppendInt(m.transparencyShown).AppendText(L" %");
    DrawLabel(dc, fontSmall, line.GetText(), column + 30, 28, width, 45, DT_LEFT | DT_SINGLELINE, colour, halo);

    SliderGeometry s = SliderFor(column);
    FillBox(dc, s.trackLeft, s.trackTop, s.trackWidth, s.trackHeight,
            m.optionTrack.IsHot() ? RGB(150, 150, 160) : RGB(110, 110, 120));
    RECT knob = m.optionKnob.GetRect();
    if (m.dragState != 2) knob.left = KnobLeftFor(s, t);
    FillBox(dc, knob.left, s.knobTop, s.knobWidth, s.knobHeight,
            m.optionKnob.IsHot() ? RGB(250, 250, 255) : RGB(210, 210, 220));

    int boxLeft = column + 30, boxTop = 75;
    FillBox(dc, boxLeft, boxTop, 16, 16, RGB(235, 235, 235));
    if (m.checkBox.GetValue()) {
        AIDib tick;
        if (tick.LoadBitmapResource(IDB_CHECK_TICK)) tick.DrawTransparent(dc, boxLeft, boxTop, kKey);
    }
    DrawLabel(dc, fontSmall, L"Don't show this\r\nmessage again", boxLeft + 22, boxTop - 2, width, boxTop + 30, DT_LEFT,
              colour, halo);
}

int MeasureWithDc(const WCHAR* text, int length, void* context)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32W((HDC)context, text, length, &size);
    return size.cx;
}

// The start of paragraph `index` of text (paragraphs end at CR LF); -1 when it has none.
int ParagraphStart(const AIString& text, int index)
{
    int at = 0;
    for (int i = 0; i < index; i++) {
        int end = text.FindTextCase(L"\r\n", at);
        if (end < 0) return -1;
        at = end + 2;
    }
    return at;
}

// The message text, words wrapped, in rect. A path paragraph stays on one
// line, shortened in the middle, so that its end (the file name) shows.
void DrawMessageText(HDC dc, HFONT font, const AIString& text, int pathParagraph, RECT rect, COLORREF colour,
                     int halo)
{
    const UINT flags = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS;
    int start = pathParagraph >= 0 ? ParagraphStart(text, pathParagraph) : -1;
    if (start < 0) {
        DrawLabel(dc, font, text.GetText(), rect.left, rect.top, rect.right, rect.bottom, flags, colour, halo);
        return;
    }
    int end = text.FindTextCase(L"\r\n", start);
    if (end < 0) end = text.GetLength();
    HGDIOBJ old = SelectObject(dc, font);
    int top = rect.top;
    if (start > 0) {
        AIString before;
        before.AssignTextN(text.GetText(), start - 2);  // without its last CR LF
        RECT measured = {rect.left, rect.top, rect.right, rect.top};
        DrawTextW(dc, before.GetText(), before.GetLength(), &measured, flags | DT_NOPREFIX | DT_CALCRECT);
        DrawLabel(dc, font, before.GetText(), rect.left, top, rect.right, rect.bottom, flags, colour, halo);
        top = measured.bottom;
    }
    AIString path, shown;
    path.AssignTextN(text.GetText() + start, end - start);
    TextWidthMeasure measure = {MeasureWithDc, dc};
    ShortenPathInMiddle(path.GetText(), rect.right - rect.left, measure, shown);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    DrawLabel(dc, font, shown.GetText(), rect.left, top, rect.right, rect.bottom, DT_LEFT | DT_SINGLELINE, colour,
              halo);
    if (end + 2 <= text.GetLength())
        DrawLabel(dc, font, text.GetText() + end + 2, rect.left, top + metrics.tmHeight, rect.right, rect.bottom, flags,
                  colour, halo);
}

void DrawContent(HDC dc, int width, int height)
{
    MessageBoxState& m = g_messageBox;
    FillBox(dc, 0, 0, width, height, kKey);
    SetBkMode(dc, TRANSPARENT);
    COLORREF colour = GetTableColour(ColourLight);
    int halo = !TransparencyOff();
    HFONT fontSmall = MakeFont(dc, 9, 0);
    HFONT smallBold = MakeFont(dc, 9, 1);
    HFONT fontLarge = MakeFont(dc, 12, 1);

    DrawLabel(dc, fontSmall, m.texts.kind.GetText(), 10, 5, 70, 25, DT_LEFT | DT_SINGLELINE, colour, halo);
    DrawLabel(dc, fontLarge, m.texts.caption.GetText(), 70, 3, width - 10, 27, DT_LEFT | DT_SINGLELINE, colour, halo);
    int options = OptionsShownForPaint();
    int right = 400;
    if (m.texts.helpFlag) right = width;
    else if (options) right = width - 190 < 300 ? 300 : (width - 190 > 400 ? 400 : width - 190);
    // The text is mark-up (inserts arrive escaped): shown as its plain text.
    AIString plain;
    TextMarkup::StripTags(m.texts.text.GetText(), plain);
    RECT textRect = {70, 28, right, height - 4};
    DrawMessageText(dc, fontSmall, plain, m.texts.pathParagraph, textRect, colour, halo);
    DrawLabel(dc, smallBold, m.texts.number.GetText(), 10, height - 20, 70, height, DT_LEFT | DT_SINGLELINE, colour,
              halo);
    if (options) DrawOptions(dc, width, colour, halo, fontSmall, fontLarge);
    DeleteObject(fontSmall);
    DeleteObject(smallBold);
    DeleteObject(fontLarge);
}

void MakeDarkenedBackground(int width, int height)
{
    MessageBoxState& m = g_messageBox;
    if (!g_darkened.Create(width, height, 32)) return;
    HDC dc = g_darkened.SelectIntoMemoryDC();
    if (!dc) return;
    if (!g_background.IsEmpty()) g_background.Draw(dc, 0, 0);
    int t = m.transparency;
    if (TransparencyOff()) {
        FillBox(dc, 0, 0, width, height, kSilhouette);
    } else if (g_app.system.GetCpuSpeedIndex() > 300 && GetScreenBitsPerPixel() == 32) {
        AIEffectContext::BlurTint(dc, 0, 0, width, height, t / 2, kShade);
        AIEffectContext::BlurTint(dc, 0, 0, width, height, t, kShade);
    } else if (t >= 2) {
        AIEffectContext::BlendColour(dc, 0, 0, width, height, -1, 255 - t / 2, kShade);
    } else {
        FillBox(dc, 0, 0, width, height, kSilhouette);
    }
    g_darkened.ReleaseMemoryDC();
}

int PictureIdFor(int32_t kindCode)
{
    switch (kindCode) {
    case kKindWarning: return IDB_KIND_WARNING;
    case kKindError: return IDB_KIND_ERROR;
    case kKindHelp: return IDB_KIND_HELP;
    case kKindInfo: return IDB_KIND_INFO;
    default: return 0;
    }
}

void DrawKindPicture(HDC dc, int offset)
{
    int32_t code = g_messageBox.texts.kindCode;
    if (code != g_kindPictureCode) {
        g_kindPicture.FreeGdiObjects();
        int id = PictureIdFor(code);
        if (id) g_kindPicture.LoadBitmapResource(id);
        g_kindPictureCode = code;
    }
    HBITMAP picture = g_kindPicture.GetHBitmap();
    if (!picture) return;
    // Once: a mirrored copy under it reads as a second picture (the kinds' signs are symmetric).
    AIEffectContext::DrawBitmapKeyed(dc, picture, kKindPictureLeft, kKindPictureTop - offset, kKey, 130, 50);
}

}  // namespace

int OptionsShownForPaint()
{
    return g_dialogCenter.messageModeFlag != 1 && !g_messageBox.texts.helpFlag;
}

void CaptureMessageBoxBackground(const RECT& boxRect)
{
    g_background.FreeGdiObjects();
    HWND frame = DialogFrameWindow();
    int width = boxRect.right - boxRect.left, height = boxRect.bottom - boxRect.top;
    if (!frame || width <= 0 || height <= 0) return;
    RECT frameRect;
    GetWindowRect(frame, &frameRect);
    HDC dc = GetWindowDC(frame);
    if (!dc) return;
    g_background.CaptureFromDC(dc, boxRect.left - frameRect.left, boxRect.top - frameRect.top, width, height);
    ReleaseDC(frame, dc);
}

void FreeMessageBoxPictures()
{
    g_background.FreeGdiObjects();
    g_darkened.FreeGdiObjects();
    g_content.FreeGdiObjects();
    g_frameBuffer.FreeGdiObjects();
    g_kindPicture.FreeGdiObjects();
    g_kindPictureCode = -1;
}

void PaintMessageBox(HDC dc, int width, int height)
{
    MessageBoxState& m = g_messageBox;
    if (width <= 0 || height <= 0) return;
    int offset = m.slideIn > 0 ? m.slideIn : (m.slideOut > 0 ? m.slideOut : 0);
    m.transparencyShown = m.transparency * 50 / 255;

    if (m.backgroundDirty || g_darkened.GetWidth() != width || g_darkened.GetHeight() != height) {
        MakeDarkenedBackground(width, height);
        m.backgroundDirty = 0;
    }
    if (m.contentDirty || g_content.GetWidth() != width || g_content.GetHeight() != height) {
        if (g_content.Create(width, height, 32)) {
            if (HDC content = g_content.SelectIntoMemoryDC()) {
                DrawContent(content, width, height);
                g_content.ReleaseMemoryDC();
            }
        }
        m.contentDirty = 0;
    }
    if ((g_frameBuffer.GetWidth() != width || g_frameBuffer.GetHeight() != height) &&
        !g_frameBuffer.Create(width, height, 32))
        return;
    HDC memory = g_frameBuffer.SelectIntoMemoryDC();
    if (!memory) return;
    if (!g_darkened.IsEmpty()) g_darkened.Draw(memory, 0, 0);
    else FillBox(memory, 0, 0, width, height, kSilhouette);
    if (!g_content.IsEmpty()) g_content.DrawTransparent(memory, 0, offset, kKey);
    if (g_app.system.GetWindowsVersion() < 6.1)
        AIEffectContext::HighlightEdges(memory, 0, 0, width, height, RGB(255, 255, 255), 200, 100, 10);
    DrawKindPicture(memory, offset);
    FillBox(memory, 0, 0, width, 1, RGB(0xAA, 0xAA, 0xAA));
    FillBox(memory, 0, 1, width, 1, RGB(0x5A, 0x5A, 0x5A));
    if (!g_app.GetGuardFlag())
        AIEffectContext::MakeGreyscale(memory, 0, 0, width, height, 0, 100, RGB(100, 100, 100));
    BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    g_frameBuffer.ReleaseMemoryDC();

    // The next frame of the slide.
    int step = MessageBoxStep(g_app.system.GetCpuSpeedIndex(), g_app.system.IsMac());
    if (m.slideIn > 0) {
        m.slideIn -= step;
    } else if (m.slideOut > 0) {
        m.slideOut += step;
        int limit = m.height - g_dialogShell.statusLineHeight;
        if (m.slideOut > limit) {
            m.slideOut = limit;
            m.doneFlag = 1;
            m.contentDirty = 1;
        }
    }
}
