// Drawing image previews: the kept picture, the screen-size copy of large
// files, the fitted or paged drawing, the caption and the timed thumbnail.
#include "dialogs/images/image_preview.h"
#include "dialogs/images/image_list_rules.h"
#include "dialogs/images/image_thumbs.h"
#include "drawing/ai_dib.h"
#include "drawing/ai_effects.h"
#include "drawing/ai_paint_dc.h"
#include "foundation/process_end.h"
#include "foundation/text_markup.h"
#include "imaging/ai_image.h"
#include "imaging/image_ops.h"

namespace {

const COLORREF kFrameColour = RGB(10, 10, 10);
const COLORREF kPageLabelColour = RGB(60, 60, 60);
const COLORREF kCaptionTextColour = RGB(250, 250, 250);
const COLORREF kCaptionShadowColour = RGB(10, 10, 10);
const int kLightenHalf = 128;  // the thumbnail's area goes half way to white
const int kBytesPerKilobyte = 1024;
const int kFrameWidth = 1;      // the frame lies just outside what it frames

// The one picture kept for the run and what it was loaded from.
struct KeptPicture
{
    AIDib dib;
    RECT picture = {0, 0, 0, 0};  // the picture inside the bitmap (a copy is padded to the screen's shape)
    AIString path;
    int64_t fileBytes = 0;
    int fromThumbnail = 0;
};

KeptPicture& Kept()
{
    static KeptPicture* kept = new KeptPicture;  // never destroyed: no Win32 at process end
    return *kept;
}

int64_t FileBytes(const WCHAR* path, int& exists)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    exists = GetFileAttributesExW(path, GetFileExInfoStandard, &data) &&
             !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!exists) return 0;
    return ((int64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

// The screen-size copy of path (made when missing or stale); 1 when thumbPath names it.
int ScreenCopyOf(const WCHAR* path, const WCHAR* tempFolder, int screenWidth, int screenHeight,
                 ThumbResult& thumbs)
{
    ThumbRequest request;
    request.imagePath = path;
    request.tempFolder = tempFolder;
    request.screenWidth = screenWidth;
    request.screenHeight = screenHeight;
    return tempFolder && LoadOrMakeThumbFile(request, thumbs);
}

// Loads the picture unless it is the one kept already. 1 when the kept
// picture holds pixels afterwards.
int LoadKept(const ImagePreviewRequest& request, int64_t fileBytes, ImagePreviewResult& result)
{
    KeptPicture& kept = Kept();
    // A picture too large to hold whole (however small its file) is only
    // ever shown from its copy; a captured page shown page by page needs
    // every row otherwise: it is read itself.
    int width = 0, height = 0;
    ReadImageFileSize(request.path, &width, &height);
    int tooLarge = IsTooLargeToHold(width, height);
    int fromCopy = tooLarge || (IsLargeImageFile(fileBytes) && !(request.pageByPage && request.capturedPage));
    // The picture itself serves every request; its copy only those a copy may serve.
    if (!kept.dib.IsEmpty() && kept.path.EqualsTextNoCase(request.path) && kept.fileBytes == fileBytes &&
        (fromCopy || !kept.fromThumbnail))
        return 1;
    kept.dib.FreeGdiObjects();
    kept.path.AssignText(request.path);
    kept.fileBytes = fileBytes;
    kept.fromThumbnail = 0;
    result.decoded = 1;
    ThumbResult thumbs;
    if (fromCopy && ScreenCopyOf(request.path, request.tempFolder, request.screenWidth, request.screenHeight, thumbs) &&
        kept.dib.LoadImageFile(thumbs.thumbPath.GetText(), kImageJpg)) {
        kept.fromThumbnail = 1;
        kept.picture = kept.dib.GetRect();
        if (thumbs.imageWidth > 0 && thumbs.imageHeight > 0) {
            // The copy is the picture fitted and centred on a canvas of the screen's shape.
            int32_t width = 0, height = 0;
            ThumbnailFitSize(thumbs.imageWidth, thumbs.imageHeight, kept.dib.GetWidth(), kept.dib.GetHeight(), &width,
                             &height);
            kept.picture.left = (kept.dib.GetWidth() - width) / 2;
            kept.picture.top = (kept.dib.GetHeight() - height) / 2;
            kept.picture.right = kept.picture.left + width;
            kept.picture.bottom = kept.picture.top + height;
        }
        return 1;
    }
    if (tooLarge) return 0;
    // The image library's pixel cap holds here as for every decode.
    if (!kept.dib.LoadImageFile(request.path, kImageDetect)) return 0;
    kept.picture = kept.dib.GetRect();
    return 1;
}

// A rectangle of the picture as a rectangle of the kept bitmap.
RECT InBitmap(const RECT& part, const RECT& picture)
{
    RECT r = part;
    OffsetRect(&r, picture.left, picture.top);
    return r;
}

// The picture drawn at dest seen through: blended with the area's background.
void SeeThrough(HDC dc, const RECT& dest, const ImagePreviewRequest& request)
{
    if (request.transparency <= kPictureOpaque) return;
    AIEffectContext::BlendColour(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, -1,
                                 PictureKeepLevel(request.transparency), request.background);
}

// A frame just outside rect.
void Frame(HDC dc, const RECT& rect, COLORREF colour)
{
    RECT outer = rect;
    InflateRect(&outer, kFrameWidth, kFrameWidth);
    FrameRectOnHdc(dc, outer, colour);
}

void DrawPageLabel(HDC dc, const PagedPlacement& pages)
{
    if (pages.label.right <= pages.label.left) return;
    AIString label(L"Page ");
    label.AppendInt(pages.firstPage + 1).AppendText(L" of ").AppendInt(pages.pageCount);
    RECT place = pages.label;
    int mode = SetBkMode(dc, TRANSPARENT);
    COLORREF colour = SetTextColor(dc, kPageLabelColour);
    DrawTextW(dc, label.GetText(), label.GetLength(), &place, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, colour);
    SetBkMode(dc, mode);
}

}  // namespace

ImagePreviewOutcome PaintImagePreviewInto(HDC dc, const ImagePreviewRequest& request, ImagePreviewResult& result)
{
    result = ImagePreviewResult();
    if (!request.path || !*request.path) return result.outcome = kImagePreviewMissing;
    int exists = 0;
    result.fileBytes = FileBytes(request.path, exists);
    if (!exists) return result.outcome = kImagePreviewMissing;
    const RECT& area = request.area;
    if (area.right <= area.left || area.bottom <= area.top) return result.outcome = kImagePreviewShown;

    if (!LoadKept(request, result.fileBytes, result)) return result.outcome = kImagePreviewUnreadable;
    KeptPicture& kept = Kept();
    result.fromThumbnail = kept.fromThumbnail;
    result.width = kept.picture.right - kept.picture.left;
    result.height = kept.picture.bottom - kept.picture.top;

    FillRectOnHdc(dc, area, request.background);
    // A picture as wide or as high as the area has its frame just outside it.
    result.painted = area;
    InflateRect(&result.painted, kFrameWidth, kFrameWidth);
    int mode = SetStretchBltMode(dc, HALFTONE);
    if (request.pageByPage && request.capturedPage) {
        PagedPlacement pages = LayoutImagePages(area, result.width, result.height, request.firstPage, request.pageStep);
        for (int i = 0; i < pages.drawn; i++) {
            kept.dib.DrawPartStretched(dc, InBitmap(pages.source[i], kept.picture), pages.dest[i]);
            SeeThrough(dc, pages.dest[i], request);
            Frame(dc, pages.dest[i], kFrameColour);
        }
        DrawPageLabel(dc, pages);
        result.scale = pages.scale;
        result.page = pages.firstPage;
        result.pageCount = pages.pageCount;
    } else {
        PreviewFitRule rule = request.capturedPage ? kFitWidthNeverEnlarge
                              : request.fromCommand || request.pageByPage ? kFitAlways
                                                                          : kFitSmallAtOneToOne;
        PreviewPlacement fit = FitImageIntoArea(area, result.width, result.height, rule);
        if (fit.drawn) {
            kept.dib.DrawPartStretched(dc, InBitmap(fit.source, kept.picture), fit.dest);
            SeeThrough(dc, fit.dest, request);
            Frame(dc, fit.dest, kFrameColour);
        }
        result.scale = fit.scale;
    }
    SetStretchBltMode(dc, mode);
    return result.outcome = kImagePreviewShown;
}

void FreeImagePreview()
{
    if (IsProcessEnding()) return;
    Kept().dib.FreeGdiObjects();
    Kept().path.Clear();
}

void MakeImagePreviewCaption(const ImagePreviewCaption& parts, AIString& text)
{
    // Escape appends the outside texts to the mark-up.
    if (parts.noteTitle && *parts.noteTitle) {
        text.AssignText(L"Click to open note '<lred>");
        TextMarkup::Escape(parts.noteTitle, text).AppendText(L"</lred>'");
    } else {
        text.AssignText(L"Preview: ");
        TextMarkup::Escape(parts.fileName, text);
        text.AppendText(L" <lgreen>(").AppendInt((int32_t)(parts.fileBytes / kBytesPerKilobyte)).AppendText(L" kb)</lgreen>");
        if (parts.fromThumbnail) text.AppendText(L" (automatic thumbnail)");
    }
    if (parts.place && *parts.place) {
        text.AppendText(L" - <grey>");
        TextMarkup::Escape(parts.place, text).AppendText(L"</grey>");
    }
    if (parts.scale != kScaleOneToOne && parts.scale > 0)
        text.AppendText(L" - Scaled Size: ").AppendInt(ShownPercentOfScale(parts.scale)).AppendText(L" %");
}

int PaintThumbnailPreviewInto(HDC dc, const ThumbnailPreviewRequest& request)
{
    if (!request.path || !*request.path) return 0;
    ThumbResult thumbs;
    if (!ScreenCopyOf(request.path, request.tempFolder, request.screenWidth, request.screenHeight, thumbs)) return 0;
    AIDib copy;
    const AIString& copyPath = request.mode == kThumbnailSmall ? thumbs.iconPath : thumbs.thumbPath;
    if (!copy.LoadImageFile(copyPath.GetText(), kImageJpg)) return 0;

    AIString name, caption(L"Preview: ");
    ImageFileNameOf(request.path, name);
    caption.AppendText(name.GetText());
    ThumbnailPlacement place =
        LayoutThumbnailPreview(request.area, copy.GetWidth(), copy.GetHeight(), caption.GetLength(), request.mode);
    if (!place.drawn) return 0;

    const RECT& area = place.area;
    AIEffectContext::BlendColour(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, -1,
                                 kLightenHalf, RGB(255, 255, 255));
    FillRectOnHdc(dc, place.caption, kCaptionShadowColour);
    Frame(dc, place.caption, RGB(255, 255, 255));
    HFONT font = CreateFontW(-MulDiv(place.captionPoints, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_BOLD, 0, 0,
                             0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    int mode = SetBkMode(dc, TRANSPARENT);
    RECT text = place.caption;
    OffsetRect(&text, place.shadowOffset, place.shadowOffset);
    SetTextColor(dc, RGB(90, 90, 90));
    DrawTextW(dc, caption.GetText(), caption.GetLength(), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    text = place.caption;
    COLORREF oldColour = SetTextColor(dc, kCaptionTextColour);
    DrawTextW(dc, caption.GetText(), caption.GetLength(), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, mode);
    SelectObject(dc, oldFont);
    DeleteObject(font);

    int stretch = SetStretchBltMode(dc, HALFTONE);
    RECT whole = copy.GetRect();
    copy.DrawPartStretched(dc, whole, place.image);
    SetStretchBltMode(dc, stretch);
    Frame(dc, place.image, kFrameColour);
    return 1;
}
