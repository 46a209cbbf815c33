// The image preview in the content window: the target the hover code set,
// the area beside the note list (or the whole window when the image zoom is
// large), the status line caption, the timed thumbnail, and the entry points
// the timers and commands call.
#include "shell/image_preview_connection.h"
#include "shell/later_entry_points.h"
#include "search/preview/preview_pane.h"
#include "shell/link_helpers.h"
#include "shell/main_panel.h"
#include "shell/page_snapshot.h"
#include "shell/note_commands.h"
#include "shell/shell_ids.h"
#include "shell/split_view.h"
#include "ui/split_view.h"
#include "shell/status_texts.h"
#include "dialogs/images/image_list_rules.h"
#include "dialogs/images/image_note_lookup.h"
#include "dialogs/images/image_preview.h"
#include "editor/images/image_names.h"
#include "foundation/ai_file.h"
#include "foundation/app.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "notestore/datafile_format.h"
#include "notestore/note_store.h"

namespace {

enum ImagePreviewTrace
{
    kTracePaint = 1,
    kTraceThumbnail = 2,
    kTraceHideThumbnail = 3,
    kTraceZoom = 4,
    kTraceLeaveMode = 5,
    kTraceOpenNote = 6,
    kTracePaintEntry = 7,
};

const int kListMinWidth = 30;     // a narrower note list is taken as collapsed
const int kOverListLeft = 10;     // the area over the note list reaches this far left of it
const int kOverListRight = 20;    // and this far right of it
const int kOverEditorLeft = 10;   // over the editor the area starts this far inside it
const int kBottomGap = 5;         // left free under a fitted picture
const int kBackgroundDarker = 30; // the area's background: the window colour less this per channel
const UINT kThumbnailShowMs = 5000;
const WCHAR kOpenFilePrefix[] = L"Open file:";

struct ImagePreviewState
{
    AIString target;                      // the link as it was given
    ImagePreviewKind kind = kImagePreviewNone;
    int capturedPage = 0;
    int shown = 0;                        // a picture is drawn in the content window
    AIString shownPath;                   // the file drawn, and its first page
    int page = 0;
    RECT shownArea = {0, 0, 0, 0};
    RECT paintedArea = {0, 0, 0, 0};      // every pixel the picture drew (its frame reaches past shownArea)
    int large = 0;                        // the image zoom: pictures over the whole window
    int fromCommand = 0;                  // the picture shown was asked for (always fitted)
    int transparency = kPictureOpaque;    // in split view: how much background shows through it
    int drawing = 0;                      // a picture is being drawn (the repaint under it comes back here)
    RECT thumbnailArea = {0, 0, 0, 0};    // where the timed thumbnail is drawn, empty when none
};

ImagePreviewState& State()
{
    static ImagePreviewState* state = new ImagePreviewState;  // never destroyed: no Win32 at process end
    return *state;
}

HWND Panel() { return g_mainPanel.GetHwndField(); }

RECT ClientArea()
{
    RECT client = {0, 0, 0, 0};
    if (Panel()) GetClientRect(Panel(), &client);
    return client;
}

// Beside the note list (widened over its edges) or, with the list
// collapsed, over the left part of the editor; the status line stays free.
// Split view gives the editor's pane (the editor hidden meanwhile) unless
// the place beside the list is asked for.
RECT FittedArea(ThumbnailPlace place = kThumbnailInPreviewArea)
{
    const PanelLayout& layout = g_mainPanel.layout;
    RECT client = ClientArea();
    RECT area;
    if (IsSplitViewOn() && place != kThumbnailBesideList) {
        area = layout.editor;
    } else if (layout.noteList.right - layout.noteList.left > kListMinWidth) {
        area = layout.noteList;
        if (layout.preview.bottom > area.bottom) area.bottom = layout.preview.bottom;
        area.left -= kOverListLeft;
        area.right += kOverListRight;
    } else {
        area = layout.editor;
        area.left += kOverEditorLeft;
    }
    area.bottom -= kBottomGap;
    IntersectRect(&area, &area, &client);
    return area;
}

// The whole content window less its margins and the status line.
RECT PagedArea()
{
    RECT area = ClientArea();
    InflateRect(&area, -kMargin, -kMargin);
    if (g_mainPanel.layout.status.top > area.top && g_mainPanel.layout.status.top < area.bottom)
        area.bottom = g_mainPanel.layout.status.top - kMargin;
    return area;
}

COLORREF AreaBackground()
{
    COLORREF window = GetSysColor(COLOR_WINDOW);
    int red = GetRValue(window) - kBackgroundDarker, green = GetGValue(window) - kBackgroundDarker,
        blue = GetBValue(window) - kBackgroundDarker;
    return RGB(red < 0 ? 0 : red, green < 0 ? 0 : green, blue < 0 ? 0 : blue);
}

// The file of a link: "Open file:" dropped, "rel:" resolved, "file:" dropped.
void BareLink(const WCHAR* link, AIString& bare)
{
    bare.AssignText(link ? link : L"");
    if (bare.StartsWithNoCase(kOpenFilePrefix)) bare.DeleteRange(0, lstrlenW(kOpenFilePrefix));
}

void FileOfLink(const WCHAR* link, AIString& path)
{
    AIString bare;
    BareLink(link, bare);
    ResolveFileLink(bare.GetText(), path);
}

// Captured pages and the pictures of the data folder (pasted screenshots,
// often long pages) fill the width and are read page by page.
int IsPageLikeLink(const WCHAR* link)
{
    AIString bare;
    BareLink(link, bare);
    return IsRelativePathText(bare.GetText());
}

void ScreenSize(int& width, int& height)
{
    RECT desktop;
    width = height = 0;
    if (GetWindowRect(GetDesktopWindow(), &desktop)) {
        width = desktop.right - desktop.left;
        height = desktop.bottom - desktop.top;
    }
}

// A device context of the content window that draws over its children too
// (the picture lies over the note list and the editor).
HDC PanelDrawingDC() { return GetDCEx(Panel(), nullptr, DCX_CACHE | DCX_CLIPSIBLINGS); }

void RepaintUnder(const RECT& area)
{
    if (!Panel() || area.right <= area.left || area.bottom <= area.top) return;
    // At once: a picture drawn next must not be painted over by this later.
    RedrawWindow(Panel(), &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void ShowCaption(const AIString& path, const ImagePreviewResult& result)
{
    AIString fileName, title, place;
    ImageFileNameOf(path.GetText(), fileName);
    FindNoteOfImage(path.GetText(), title);
    const WCHAR* dataFolder = GetDataFolder();
    if (!(dataFolder && *dataFolder && MakeRelativeToFolder(path.GetText(), dataFolder, place))) place.Copy(path);
    ImagePreviewCaption parts;
    parts.fileName = fileName.GetText();
    parts.noteTitle = title.GetText();
    parts.place = place.GetText();
    parts.fileBytes = result.fileBytes;
    parts.fromThumbnail = result.fromThumbnail;
    parts.scale = result.scale;
    AIString caption;
    MakeImagePreviewCaption(parts, caption);
    SetStatusText(caption.GetText(), kStatusInfo);
}

// A picture on another machine is never read here: the window would wait for
// the network. 1 when the path is one (the status line says so).
int RefuseNetworkPicture(const AIString& path)
{
    if (!AIFile::IsNetworkPath(path.GetText())) return 0;
    AIString text(L"No preview of files on the network (");
    AppendOutsideText(text, path.GetText());
    text.AppendChar(L')');
    SetStatusText(text.GetText(), kStatusInfo);
    return 1;
}

}  // namespace

void SetImagePreviewTarget(const WCHAR* target, ImagePreviewKind kind, int capturedPage)
{
    ImagePreviewState& s = State();
    s.target.AssignText(target ? target : L"");
    s.kind = kind;
    s.capturedPage = capturedPage;
}

const WCHAR* GetImagePreviewTarget() { return State().target.GetText(); }

int IsImagePreviewShown() { return State().shown; }

int IsLargeImagePreviewShown() { return State().shown && State().kind == kImagePreviewPaged; }

void HideImagePreview()
{
    ImagePreviewState& s = State();
    if (s.shown) RepaintUnder(s.paintedArea);
    s.shown = 0;
    s.shownPath.Clear();
    s.kind = kImagePreviewNone;
    HideThumbnail();
    ShowEditorAfterPicture();
}

namespace {

// again 1 draws the picture shown once more as it is (its transparency changed).
int DrawImagePreview(int fromCommand, int pageStep, int again)
{
    TRACE_SCOPE(kTraceImagePreview, kTracePaint);
    ImagePreviewState& s = State();
    if (s.target.IsEmpty() || !Panel()) return 0;
    AIString path;
    FileOfLink(s.target.GetText(), path);
    if (path.IsEmpty()) return 0;
    int paged = s.kind == kImagePreviewPaged || s.large;
    // The same picture asked for again by the hover timer is left as it is.
    if (!again && s.shown && !fromCommand && pageStep == 0 && s.shownPath.EqualsTextNoCase(path.GetText())) return 1;
    // The picture takes the place of a text preview: what that showed goes.
    HideLinkPreviewPane();
    if (RefuseNetworkPicture(path)) return 0;

    ImagePreviewRequest request;
    request.path = path.GetText();
    request.area = paged ? PagedArea() : FittedArea();
    request.fromCommand = fromCommand;
    request.pageByPage = paged;
    request.capturedPage = s.capturedPage || IsPageLikeLink(s.target.GetText());
    request.firstPage = s.shownPath.EqualsTextNoCase(path.GetText()) ? s.page : 0;
    request.pageStep = pageStep;
    request.tempFolder = g_app.system.GetTempFolder();
    ScreenSize(request.screenWidth, request.screenHeight);
    request.background = AreaBackground();
    // Seen through only where it stands in the editor's place.
    if (!paged && IsSplitViewOn()) request.transparency = s.transparency;

    s.drawing = 1;
    if (s.shown && (s.shownArea.left != request.area.left || s.shownArea.right != request.area.right ||
                    s.shownArea.top != request.area.top || s.shownArea.bottom != request.area.bottom))
        RepaintUnder(s.paintedArea);
    if (!paged) HideEditorForPicture();
    HDC dc = PanelDrawingDC();
    ImagePreviewResult result;
    ImagePreviewOutcome outcome = dc ? PaintImagePreviewInto(dc, request, result) : kImagePreviewMissing;
    if (dc) ReleaseDC(Panel(), dc);
    s.drawing = 0;

    if (outcome == kImagePreviewMissing) {
        if (!s.shown) ShowEditorAfterPicture();
        AIString text(L"Cannot find file (");
        AppendOutsideText(text, path.GetText());
        text.AppendChar(L')');
        SetStatusText(text.GetText(), kStatusWarning);
        return 0;
    }
    s.shown = 1;
    s.fromCommand = fromCommand;
    s.shownPath.Copy(path);
    s.shownArea = request.area;
    s.paintedArea = result.painted;
    s.page = result.page;
    if (paged) s.kind = kImagePreviewPaged;
    // A captured page's address is the link itself; drawn again, the caption stays.
    if (!s.capturedPage && !again) ShowCaption(path, result);
    return 1;
}

}  // namespace

int PreviewImageFile(int fromCommand, int pageStep) { return DrawImagePreview(fromCommand, pageStep, 0); }

void StepImagePreviewTransparency(int up)
{
    ImagePreviewState& s = State();
    s.transparency = StepPictureTransparency(s.transparency, up);
    StartMainTimer(kTimerPreviewRepaint, kPreviewRepaintMs);
}

int GetImagePreviewTransparency() { return State().transparency; }

void RepaintShownImagePreview()
{
    ImagePreviewState& s = State();
    if (s.shown && !s.drawing) DrawImagePreview(s.fromCommand, 0, 1);
}

void RepaintShownImagePreviewOver(const RECT& painted)
{
    RECT overlap;
    if (State().shown && IntersectRect(&overlap, &painted, &State().paintedArea)) RepaintShownImagePreview();
}

int PreviewImageUnderCursor(const WCHAR* givenLink, int now, int thumbnailMode, ThumbnailPlace place)
{
    // A link to a captured web page shows the page's picture.
    AIString snapshot, snapshotLink;
    int capturedPage = FindPageSnapshot(givenLink, snapshot);
    if (capturedPage) snapshotLink.AssignText(kOpenFilePrefix).AppendString(snapshot);
    const WCHAR* link = capturedPage ? snapshotLink.GetText() : givenLink;
    AIString path;
    FileOfLink(link, path);
    if (path.IsEmpty() || !IsListedImageName(path.GetText())) return 0;
    StopMainTimer(kTimerQuickPreview);
    StopMainTimer(kTimerLinkHover);
    if (now && (thumbnailMode == kThumbnailSmall || thumbnailMode == kThumbnailScreen)) {
        StopMainTimer(kTimerImageHover);
        PaintThumbnailPreview(link, (ThumbnailPreviewMode)thumbnailMode, place);
        return 1;
    }
    ImagePreviewState& s = State();
    SetImagePreviewTarget(link, s.kind == kImagePreviewPaged ? kImagePreviewPaged : kImagePreviewFitted,
                          capturedPage);
    if (s.shown || now) {
        StopMainTimer(kTimerImageHover);
        PreviewImageFile(0, 0);
    } else {
        StartMainTimer(kTimerImageHover, kLinkHoverDelayMs);
    }
    return 1;
}

int PreviewImageUnderCursor(const WCHAR* link, int now, int thumbnailMode)
{
    return PreviewImageUnderCursor(link, now, thumbnailMode, kThumbnailInPreviewArea);
}

int PaintThumbnailPreview(const WCHAR* link, ThumbnailPreviewMode mode, ThumbnailPlace place)
{
    TRACE_SCOPE(kTraceImagePreview, kTraceThumbnail);
    if (!Panel()) return 0;
    AIString path;
    FileOfLink(link, path);
    if (path.IsEmpty() || !IsListedImageName(path.GetText()) || RefuseNetworkPicture(path)) return 0;
    ThumbnailPreviewRequest request;
    request.path = path.GetText();
    request.area = FittedArea(place);
    request.mode = mode;
    request.tempFolder = g_app.system.GetTempFolder();
    ScreenSize(request.screenWidth, request.screenHeight);
    HDC dc = PanelDrawingDC();
    if (!dc) return 0;
    int drawn = PaintThumbnailPreviewInto(dc, request);
    ReleaseDC(Panel(), dc);
    if (!drawn) return 0;
    State().thumbnailArea = request.area;
    StartMainTimer(kTimerThumbnail, kThumbnailShowMs);
    return 1;
}

void HideThumbnail()
{
    TRACE_SCOPE(kTraceImagePreview, kTraceHideThumbnail);
    ImagePreviewState& s = State();
    StopMainTimer(kTimerThumbnail);
    RepaintUnder(s.thumbnailArea);
    s.thumbnailArea = {0, 0, 0, 0};
}

void PaintImagePreview(PreviewRequest request, PreviewContent content, int pageStep)
{
    TRACE_SCOPE(kTraceImagePreview, kTracePaintEntry);
    ImagePreviewState& s = State();
    int image = s.kind == kImagePreviewFitted || s.kind == kImagePreviewPaged;
    if ((content == kPreviewWithImage && image) || s.shown) {
        PreviewImageFile(request == kPreviewFromCommand, pageStep);
        return;
    }
    PaintLinkPreview();
}

void ToggleImageZoom() { SetImageZoom(!State().large); }

int IsImageZoomLarge() { return State().large; }

void SetImageZoom(int large)
{
    TRACE_SCOPE(kTraceImagePreview, kTraceZoom);
    ImagePreviewState& s = State();
    s.large = large ? 1 : 0;
    if (s.shown) {
        RepaintUnder(s.paintedArea);
        s.shown = 0;
        s.kind = s.large ? kImagePreviewPaged : kImagePreviewFitted;
        PreviewImageFile(1, 0);
    }
    // Said after the repaint, whose caption it replaces.
    SetStatusSlotText(s.large ? L"Image Zoom: Changed to Large (Alt- to reduce to Small)"
                              : L"Image Zoom: Changed to Small (Alt+ to increase to Large)",
                      kStatusInfo, 0);
}

void ToggleImagePreviewMode(ImagePreviewModeChange change)
{
    TRACE_SCOPE(kTraceImagePreview, kTraceLeaveMode);
    ImagePreviewState& s = State();
    if (change != kImagePreviewModeLeave || s.kind != kImagePreviewPaged) return;
    s.large = 0;
    HideImagePreview();
}

int FindNoteOfImage(const WCHAR* path, AIString& title)
{
    AIString fileName;
    ImageFileNameOf(path, fileName);
    if (FindNoteOfImageFile(GetDatafileBuffer(), GetDatafileBuffer() ? GetDatafileBufferChars() : 0,
                            fileName.GetText(), g_noteStore.webCaptureImages, title))
        return 1;
    AIString named;
    NoteTitleOfImageFile(path, named);
    if (named.IsEmpty() || FindNoteByTitle(named.GetText(), 0, 0) < 0) return 0;
    title.Copy(named);
    return 1;
}

int OpenNoteOfClickedImage(POINT screen)
{
    ImagePreviewState& s = State();
    if (!s.shown || !Panel() || s.shownPath.IsEmpty()) return 0;
    POINT at = screen;
    ScreenToClient(Panel(), &at);
    if (!PtInRect(&s.shownArea, at)) return 0;
    AIString path(s.shownPath), title;
    if (!FindNoteOfImage(path.GetText(), title)) return 0;
    int32_t index = FindNoteByTitle(title.GetText(), 0, 0);
    if (index < 0) return 0;
    TRACE_SCOPE(kTraceImagePreview, kTraceOpenNote);
    HideQuickPreview(0);
    return ReadAndShowNote(index, kShowAndRecord) ? 1 : 0;
}

int OpenNoteByFileName(const WCHAR* path)
{
    TRACE_SCOPE(kTraceImagePreview, kTraceOpenNote);
    AIString title;
    NoteTitleOfImageFile(path, title);
    if (title.IsEmpty()) return 0;
    int32_t index = FindNoteByTitle(title.GetText(), 0, 0);
    if (index < 0) return 0;
    HideImagePreview();
    return ReadAndShowNote(index, kShowAndRecord) ? 1 : 0;
}
