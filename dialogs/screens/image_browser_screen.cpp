// Screen 22, the image browser: the images of the data folder (or of the
// current note) as pages of thumbnails, one image large, or a slideshow on
// the host's timer 80. A click on the caption of a large image whose note is
// known gives result 2 with the note's title handed to the shell; web
// addresses open in the browser and the screen stays.
#include "dialogs/screens/image_browser_screen.h"
#include "dialogs/screens/screens.h"
#include "dialogs/images/image_browser_model.h"
#include "dialogs/images/image_clipboard.h"
#include "dialogs/images/image_context.h"
#include "dialogs/images/image_list.h"
#include "dialogs/images/image_list_rules.h"
#include "dialogs/images/image_note_lookup.h"
#include "dialogs/images/image_page_paint.h"
#include "dialogs/images/image_pages.h"
#include "dialogs/images/image_thumbs.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "dialogs/dialog_shell_links.h"
#include "drawing/ai_dib.h"
#include "foundation/ai_file.h"
#include "foundation/ai_string_table.h"
#include "foundation/app.h"
#include "foundation/message_pump.h"
#include "foundation/settings_record.h"
#include "imaging/ai_image.h"
#include "notestore/note_store.h"
#include "ui/shell_helpers.h"
#include <windowsx.h>

namespace {

enum {
    kGridLeft = 10,
    kGridTop = 80,
    kGridRightGap = 20,
    kGridBottomGap = 60,
    kCellGap = 10,
    kCaptionBandAbove = 10,
    kCaptionBandBelow = 30,
    kEdgeButtonZone = 100,
    kSmallButton = 28,
    kTitlePoints = 24,
    kEmptySlotSide = 350,
    kRowLeftOfMiddle = 262,    // the slideshow button, the first of the page row, from the middle
    kPageLabelRoom = 110,      // "Page n of m" at the strip's left
};

const COLORREF kBackground = RGB(236, 238, 242);
const COLORREF kInk = RGB(10, 10, 10);
const COLORREF kHintInk = RGB(90, 90, 110);
const COLORREF kEmptyCell = RGB(250, 250, 250);
const COLORREF kCellFrame = RGB(10, 10, 10);
const COLORREF kHoverFrame = RGB(255, 50, 50);
const COLORREF kLinkInk = RGB(0, 0, 170);

struct BrowserControls
{
    AIControl prevPage, nextPage, grid[4], toggle, slideshow, nextImage, prevImage, caption;
};

struct Browser
{
    ImageBrowserModel model;
    BrowserControls c;
    AIDib large;              // the image shown large
    int largeIndex = -1;      // the item it was loaded for
    int largeMissing = 0;
    AIString noteTitle;       // of the image shown large
    AIString context;         // the words around its link in the current note
    int noteLookedUp = -1;
    AIString hint;
    int allImages = 1;        // the whole images folder, else the current note's images
    int preparing = 0;        // thumbnails are being made: input waits
    int slideshowTicksSeen = 0;
    RECT cells[kThumbnailSlots];
    int cellCount = 0;
    AIString imagesFolder;    // set by tests; empty: the data folder's
    AIString cachePath;
};

Browser& B()
{
    static Browser browser;
    return browser;
}

AIControl* GridButton(int n) { return &B().c.grid[n - kMinGridSize]; }

void Repaint()
{
    if (g_dialogHost.window) InvalidateRect(g_dialogHost.window, 0, FALSE);
}

int HostWidth() { return g_dialogHost.width; }
int HostHeight() { return g_dialogHost.height; }

// ---- Thumbnails of the page, with their progress ----

struct Progress
{
    HWND window;
    int shown;
    int lastPercent;
};

void DrawProgress(Progress& p, int done, int total)
{
    int percent = total > 0 ? 100 * done / total : 100;
    if (percent == p.lastPercent) return;
    p.lastPercent = percent;
    HDC dc = p.window ? GetDC(p.window) : 0;
    if (!dc) return;
    int w = HostWidth(), h = HostHeight();
    RECT area = {w / 2 - 150, h / 2 - 50, w / 2 + 200, h / 2 + 40};
    FillSolid(dc, area.left, area.top, area.right, area.bottom, kBackground);
    AIString text(L"Preparing Thumbnails  ");
    text.AppendInt(percent).AppendText(L" %");
    text.SetFontSize(kTitlePoints).SetBold(1).SetTextColor(kInk);
    text.DrawStyled(dc, area, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    ReleaseDC(p.window, dc);
    p.shown = 1;
}

ThumbnailLoad ThumbnailSettings()
{
    ThumbnailLoad load;
    load.tempFolder = g_app.system.GetTempFolder();
    RECT desktop;
    if (GetWindowRect(GetDesktopWindow(), &desktop)) {
        load.screenWidth = desktop.right - desktop.left;
        load.screenHeight = desktop.bottom - desktop.top;
    }
    return load;
}

// Loads the small pictures of the current page into their slots. Keys and
// clicks wait while pictures are made (the loop pumps messages).
void PreparePage()
{
    Browser& b = B();
    if (b.preparing) return;  // the running load finishes its page
    FreeThumbnailSlots();
    int perPage = b.model.paging.gridSize * b.model.paging.gridSize;
    int first = (b.model.paging.page - 1) * perPage;
    int total = b.model.count - first;
    if (total > perPage) total = perPage;
    if (total > kThumbnailSlots) total = kThumbnailSlots;
    if (total <= 0) return;
    b.preparing = 1;
    ThumbnailLoad load = ThumbnailSettings();
    ThumbnailReport report;
    Progress progress = {g_dialogHost.window, 0, -1};
    AIString value;
    for (int i = 0; i < total; i++) {
        AIStringTable& list = GetImageListTable();
        if (first + i >= list.GetCount()) break;  // the list changed during a pump
        list.GetValueAt(first + i, value);
        int madeBefore = report.made;
        LoadImageIcon(value.GetText(), i, load, report);
        if (report.made != madeBefore) {
            DrawProgress(progress, i + 1, total);
            PumpMessages();
        }
    }
    b.preparing = 0;
    if (progress.shown) Repaint();
}

// ---- The lists ----

void ListAllImages()
{
    Browser& b = B();
    AIString folder(b.imagesFolder), cache(b.cachePath);
    if (folder.IsEmpty()) folder.AssignText(GetDataFolder()).AppendText(L"images");
    if (cache.IsEmpty()) cache.AssignText(GetNotesFolder()).AppendText(kImageListCacheName);
    ImageScanSource source;
    source.imagesFolder = folder.GetText();
    source.cachePath = cache.GetText();
    source.forceRescan = (GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0;
    ImageScanReport report;
    HCURSOR before = SetCursor(LoadCursorW(0, IDC_WAIT));
    BuildImageList(source, report);
    SetCursor(before);
    b.allImages = 1;
    // The main window's grid of the note's pictures is made again.
    ForgetImagePage();
}

int IsWebImageItem(const WCHAR* item)
{
    AIString text(item);
    int colon = text.FindChar(L':');
    return colon >= 0 && IsListedImageName(text.GetText() + colon + 1) ? 1 : 0;
}

void ListNoteImages()
{
    Browser& b = B();
    ClearImageList();
    if (g_noteStore.hyperlinks) CollectNoteImageItems(*g_noteStore.hyperlinks, IsWebImageItem, GetImageListTable());
    b.allImages = 0;
}

void ForgetLarge()
{
    Browser& b = B();
    b.large.FreeGdiObjects();
    b.largeIndex = -1;
    b.largeMissing = 0;
    b.noteTitle.Clear();
    b.context.Clear();
    b.noteLookedUp = -1;
}

void StartList()
{
    Browser& b = B();
    ForgetLarge();
    ResetImageBrowser(b.model, GetImageCount());
    SetCurrentImageIndex(-1);
    PreparePage();
}

// ---- The image shown large ----

void ItemPath(int index, AIString& path)
{
    AIString value;
    path.Clear();
    if (index < 0 || index >= GetImageCount()) return;
    GetImageListTable().GetValueAt(index, value);
    ResolveRelativePath(value.GetText(), path);
    if (path.StartsWithNoCase(L"file:")) path.DeleteRange(0, 5);
}

void LoadLarge(int index)
{
    Browser& b = B();
    if (index == b.largeIndex && (!b.large.IsEmpty() || b.largeMissing)) return;
    ForgetLarge();
    b.largeIndex = index;
    AIString path;
    ItemPath(index, path);
    int network = path.StartsWith(L"\\\\") ? 1 : 0;
    int64_t size = network ? 0 : AIFile::GetSizeByName(path.GetText());
    if (!network && size < 0) {
        b.largeMissing = 1;
        return;
    }
    // The picture's own shape (its icon is always square) tells a tall one.
    SIZE own = GetThumbnailSlotImageSize(index - (b.model.paging.page - 1) * b.model.paging.gridSize *
                                                     b.model.paging.gridSize);
    // A picture not listed yet tells its size from its header.
    int32_t headerWidth = 0, headerHeight = 0;
    if ((own.cx <= 0 || own.cy <= 0) && !network && ReadImageFileSize(path.GetText(), &headerWidth, &headerHeight))
        own = {headerWidth, headerHeight};
    int png = path.EndsWithNoCase(L".png");
    if (ChooseLargeImageSource(size, network, own.cx, own.cy, png) == kLargeFromFile) {
        b.large.LoadImageFile(path.GetText(), kImageDetect);
    } else {
        ThumbnailLoad load = ThumbnailSettings();
        ThumbRequest request;
        request.imagePath = path.GetText();
        request.tempFolder = load.tempFolder;
        request.screenWidth = load.screenWidth;
        request.screenHeight = load.screenHeight;
        ThumbResult result;
        if (LoadOrMakeThumbFile(request, result)) b.large.LoadImageFile(result.thumbPath.GetText(), kImageJpg);
    }
    b.largeMissing = b.large.IsEmpty() ? 1 : 0;
    SetCurrentImageIndex(index);
    // The picture looked at is ready to be pasted.
    if (!b.largeMissing) PutDibOnClipboard(g_dialogHost.window, b.large);
}

// The note the image belongs to: for the whole folder the note whose text
// links its file, for the note's own images the current note.
void LookUpNote()
{
    Browser& b = B();
    int index = b.model.current;
    if (index < 0 || index == b.noteLookedUp) return;
    b.noteLookedUp = index;
    b.noteTitle.Clear();
    b.context.Clear();
    if (!b.allImages) {
        if (g_noteStore.currentIndex >= 0) GetNoteTitle(g_noteStore.currentIndex, b.noteTitle);
        AIString key;
        GetImageName(index, key);
        const AIString& text = g_noteStore.currentText;
        GetImageContextText(text.GetText(), text.GetLength(), key.GetText(), b.context);
        return;
    }
    AIString value, fileName;
    GetImageListTable().GetValueAt(index, value);
    ImageFileNameOf(value.GetText(), fileName);
    const WCHAR* text = GetDatafileBuffer();
    HCURSOR before = SetCursor(LoadCursorW(0, IDC_WAIT));
    FindNoteOfImageFile(text, text ? GetDatafileBufferChars() : 0, fileName.GetText(), g_noteStore.webCaptureImages,
                        b.noteTitle);
    // The words around the picture's link in the note found.
    int note = b.noteTitle.IsEmpty() ? -1 : FindNoteByTitle(b.noteTitle.GetText(), 0, 0);
    AIString noteText, label;
    if (note >= 0 && ReadNoteText(note, noteText) &&
        ImageLinkLabelOf(noteText.GetText(), noteText.GetLength(), fileName.GetText(), label))
        GetImageContextText(noteText.GetText(), noteText.GetLength(), label.GetText(), b.context);
    SetCursor(before);
}

// ---- Effects of the model's changes ----

void StopSlideshowTimer()
{
    if (g_dialogHost.window) KillTimer(g_dialogHost.window, kHostSlideshowTimer);
}

void Apply(int effects)
{
    Browser& b = B();
    if (effects & kBrowserStopSlideshow) StopSlideshowTimer();
    if (effects & kBrowserToggleList) {
        if (b.allImages) ListNoteImages();
        else ListAllImages();
        StartList();
        effects |= kBrowserRepaint;
    }
    if (effects & kBrowserPageChanged) PreparePage();
    if (!b.model.single && b.largeIndex >= 0) ForgetLarge();
    if (effects & kBrowserLoadImage) {
        b.hint.Clear();
        LoadLarge(b.model.current);
    }
    if (effects & kBrowserLookUpNote) LookUpNote();
    if ((effects & kBrowserStartSlideshow) && g_dialogHost.window) {
        b.slideshowTicksSeen = g_dialogHost.slideshowTicks;
        SetTimer(g_dialogHost.window, kHostSlideshowTimer, (UINT)b.model.slideshowMs, 0);
    }
    if (effects & kBrowserClose) {
        CloseScreenWithResult(-1);
        return;
    }
    if (effects) Repaint();
}

// ---- Layout ----

RECT CaptionStrip()
{
    int w = HostWidth(), h = HostHeight();
    RECT r = {w / 10 - 55, h - 40, w - w / 10, h - 5};
    return r;
}

void Layout()
{
    Browser& b = B();
    int w = HostWidth(), h = HostHeight();
    RECT s = CaptionStrip();
    int m = s.left + (s.right - s.left) / 2;
    // The page buttons stand round the middle, but never over the page
    // label at the left (a narrow browser moves them right).
    if (m - kRowLeftOfMiddle < s.left + kPageLabelRoom) m = s.left + kPageLabelRoom + kRowLeftOfMiddle;
    b.c.caption.SetPosition(s.left, s.top, s.right, s.bottom);
    g_screenControls.close.SetText(L"Close");
    g_screenControls.close.SetPosition(s.right + 10, h - 35, s.right + 65, h - 5);
    g_screenControls.close.Show();
    b.c.prevPage.SetPosition(m - 85, s.top + 1, m - 60, s.top + 33);
    b.c.nextPage.SetPosition(m + 70, s.top + 1, m + 95, s.top + 33);
    int p = m - 85, top = s.top + 3, bottom = s.top + 32;
    for (int n = kMaxGridSize; n >= kMinGridSize; n--) {
        int right = p - 29 - (kMaxGridSize - n) * 30 + 30;
        GridButton(n)->SetPosition(right - 28, top, right, bottom);
    }
    b.c.toggle.SetPosition(p - 147, top, p - 119, bottom);
    b.c.slideshow.SetPosition(p - 177, top, p - 149, bottom);
    int middle = (kGridTop + h - kGridBottomGap) / 2;
    b.c.prevImage.SetPosition(20, middle - 30, 20 + 40, middle + 30);
    b.c.nextImage.SetPosition(w - 60, middle - 30, w - 20, middle + 30);
    b.c.nextImage.Hide();
    b.c.prevImage.Hide();
}

RECT ContentArea()
{
    RECT r = {kGridLeft, kGridTop, HostWidth() - kGridRightGap, HostHeight() - kGridBottomGap};
    return r;
}

// ---- Handlers ----

void BrowserOnShow()
{
    Browser& b = B();
    g_dialogHost.paintCount = 2;
    b.model.paging.gridSize = SettingsGetGridSize(g_app.settings.Record());
    b.hint.Clear();
    b.preparing = 0;
    b.model.slideshow = 0;
    Layout();
    // A list of the note's pictures (the main window's grid made it) is
    // shown as the note's pictures; otherwise the whole folder.
    if (GetImageCount() > 0 && !ImageListHoldsAllImages()) ListNoteImages();
    else ListAllImages();
    StartList();
}

LRESULT BrowserOnCreate(HWND host, UINT, WPARAM, LPARAM)
{
    BrowserControls& c = B().c;
    c.prevPage.CreateStandard(host, L"<", 0, 0, 0, 0);
    c.nextPage.CreateStandard(host, L">", 0, 0, 0, 0);
    const WCHAR* grids[] = {L"3", L"4", L"5", L"6"};
    for (int i = 0; i < 4; i++) c.grid[i].CreateStandard(host, grids[i], 0, 0, 0, 0);
    c.toggle.CreateStandard(host, L"A", 0, 0, 0, 0);
    c.slideshow.CreateStandard(host, L"S", 0, 0, 0, 0);
    c.nextImage.CreateStandard(host, L">", 0, 0, 0, 0);
    c.prevImage.CreateStandard(host, L"<", 0, 0, 0, 0);
    c.caption.CreateStandard(host, L"", 0, 0, 0, 0);
    c.caption.Hide();
    return 0;
}

void BrowserOnClose()
{
    Browser& b = B();
    b.hint.Clear();
    StopSlideshowTimer();
    b.model.slideshow = 0;
    b.model.current = -1;
    b.model.single = 0;
    ForgetLarge();
    SetCurrentImageIndex(-1);
    SettingsSetGridSize(g_app.settings.Record(), b.model.paging.gridSize);
    FreeThumbnailSlots();
    b.cellCount = 0;
}

AIControl* const* Buttons(int& count)
{
    static AIControl* buttons[10];
    BrowserControls& c = B().c;
    AIControl* all[] = {&c.prevPage, &c.nextPage, &c.grid[0], &c.grid[1], &c.grid[2], &c.grid[3],
                        &c.toggle,   &c.slideshow, &c.nextImage, &c.prevImage};
    for (int i = 0; i < 10; i++) buttons[i] = all[i];
    count = 10;
    return buttons;
}

const WCHAR* HintOf(const AIControl* control)
{
    BrowserControls& c = B().c;
    if (control == &c.prevPage) return L"Goto previous page (Page Up)";
    if (control == &c.nextPage) return L"Goto next page (Page Down)";
    for (int n = kMinGridSize; n <= kMaxGridSize; n++)
        if (control == GridButton(n)) {
            static const WCHAR* texts[] = {L"View 3x3 images (Ctrl+3)", L"View 4x4 images (Ctrl+4)",
                                           L"View 5x5 images (Ctrl+5)", L"View 6x6 images (Ctrl+6)"};
            return texts[n - kMinGridSize];
        }
    if (control == &c.toggle)
        return B().allImages ? L"Click to View images in note only (A, Ctrl+2)"
                             : L"Click to View ALL images in ALL notes (A, Ctrl+2)";
    if (control == &c.slideshow) return L"View Slideshow (S, Ctrl+1)";
    return L"";
}

LRESULT BrowserOnMouseDown(HWND host, UINT message, WPARAM wParam, LPARAM lParam)
{
    Browser& b = B();
    if (b.preparing) return 0;
    if (b.model.slideshow) {
        b.model.slideshow = 0;
        StopSlideshowTimer();
    }
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam), count = 0;
    AIControl* const* buttons = Buttons(count);
    for (int i = 0; i < count; i++) buttons[i]->OnMouseDown(x, y);
    return SharedControlsOnMouseDown(host, message, wParam, lParam);
}

int InCaptionBand(int y)
{
    RECT s = CaptionStrip();
    return y >= s.top - kCaptionBandAbove && y <= s.top + kCaptionBandBelow;
}

// A click on the caption of the image shown: its note (result 2), or its
// web address in the browser.
void OpenNoteOfImage()
{
    Browser& b = B();
    const AIString& title = b.noteTitle;
    if (title.IsEmpty()) return;
    if (title.StartsWithNoCase(L"http://") || title.StartsWithNoCase(L"https://")) {
        if (g_dialogHost.window)
            SetWindowPos(g_dialogHost.window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        OpenInShell(g_dialogHost.window, nullptr, title.GetText(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    if (FindNoteByTitle(title.GetText(), 0, 0) < 0) return;
    // The title is in the shell's hands before the result is.
    if (g_dialogShell.chosenTitle) g_dialogShell.chosenTitle->Copy(title);
    CloseScreenWithResult(2);
}

LRESULT BrowserOnMouseUp(HWND, UINT, WPARAM, LPARAM lParam)
{
    Browser& b = B();
    if (b.preparing) return 0;
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    BrowserControls& c = b.c;
    if (SharedControlsMouseUp(x, y) == &g_screenControls.close) {
        CloseScreenWithResult(-1);
        return 0;
    }
    if (c.prevPage.OnMouseUp(x, y)) return Apply(GoToBrowserPage(b.model, b.model.paging.page - 1)), 0;
    if (c.nextPage.OnMouseUp(x, y)) return Apply(GoToBrowserPage(b.model, b.model.paging.page + 1)), 0;
    for (int n = kMaxGridSize; n >= kMinGridSize; n--)
        if (GridButton(n)->OnMouseUp(x, y)) return Apply(SetBrowserGridSize(b.model, n)), 0;
    if (c.toggle.OnMouseUp(x, y)) return Apply(kBrowserToggleList), 0;
    if (c.slideshow.OnMouseUp(x, y)) return Apply(StepSlideshow(b.model, (GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0)), 0;
    if (c.nextImage.OnMouseUp(x, y)) return Apply(NextBrowserImage(b.model)), 0;
    if (c.prevImage.OnMouseUp(x, y)) return Apply(PrevBrowserImage(b.model)), 0;
    if (b.model.single) {
        if (InCaptionBand(y)) OpenNoteOfImage();
        else Apply(LeaveSingleView(b.model));
        return 0;
    }
    int cell = HitTestThumbnailCell(b.cells, b.cellCount, x, y);
    if (cell >= 0) {
        b.model.hover = cell;
        Apply(OpenBrowserImage(b.model, ImageIndexOfCell(b.model.paging, cell, b.model.count)));
    } else if (!InCaptionBand(y)) {
        CloseScreenWithResult(-1);
    }
    return 0;
}

LRESULT BrowserOnMouseMove(HWND host, UINT message, WPARAM wParam, LPARAM lParam)
{
    Browser& b = B();
    if (message == WM_MOUSEWHEEL) {
        if (b.preparing) return 0;
        int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        int shift = (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) ? 1 : 0;
        Apply(ImageBrowserWheel(b.model, delta > 0 ? -1 : 1, shift));
        return 0;
    }
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam), count = 0;
    AIControl* const* buttons = Buttons(count);
    int changed = 0;
    if (b.model.single) {
        int showNext = x > HostWidth() - kEdgeButtonZone && b.model.current < b.model.count - 1;
        int showPrev = x < kEdgeButtonZone && b.model.current >= 1;
        if (showNext != b.c.nextImage.IsVisible()) {
            showNext ? b.c.nextImage.Show() : b.c.nextImage.Hide();
            changed = 1;
        }
        if (showPrev != b.c.prevImage.IsVisible()) {
            showPrev ? b.c.prevImage.Show() : b.c.prevImage.Hide();
            changed = 1;
        }
        SetCursor(LoadCursorW(0, InCaptionBand(y) && !b.noteTitle.IsEmpty() ? IDC_HAND : IDC_ARROW));
    } else {
        int before = b.model.hover;
        b.hint.Clear();
        for (int i = 0; i < count; i++) {
            changed |= buttons[i]->OnMouseMove(x, y);
            if (buttons[i]->HitTest(x, y)) b.hint.AssignText(HintOf(buttons[i]));
        }
        int cell = HitTestThumbnailCell(b.cells, b.cellCount, x, y);
        b.model.hover = cell;
        if (cell >= 0) b.model.current = ImageIndexOfCell(b.model.paging, cell, b.model.count);
        if (cell != before) changed = 1;
        SetCursor(LoadCursorW(0, cell >= 0 ? IDC_HAND : IDC_ARROW));
    }
    if (changed) Repaint();
    return SharedControlsOnMouseMove(host, message, wParam, lParam);
}

LRESULT BrowserOnKeyUp(HWND, UINT message, WPARAM key, LPARAM)
{
    Browser& b = B();
    if (b.preparing) return 0;
    int alt = (GetKeyState(VK_MENU) & 0x8000) ? 1 : 0;
    if (alt && key == 'B') {
        CloseScreenWithResult(-1);
        return 1;
    }
    if (IsSystemKey(message, key)) return 0;
    BrowserKeyState keys;
    keys.shift = (GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0;
    keys.ctrl = (GetKeyState(VK_CONTROL) & 0x8000) ? 1 : 0;
    Apply(ImageBrowserKey(b.model, key, keys));
    return 1;
}

// ---- Paint ----

void DrawLine(HDC dc, const WCHAR* text, const RECT& r, int points, int bold, COLORREF colour, UINT flags)
{
    AIString t(text);
    t.SetFontSize(points).SetBold(bold).SetTextColor(colour);
    t.DrawStyled(dc, r, flags | DT_NOPREFIX);
}

void DrawNotFound(HDC dc, const RECT& r, int points)
{
    FillSolid(dc, r.left, r.top, r.right, r.bottom, kEmptyCell);
    FrameSolid(dc, r, kCellFrame);
    RECT inner = r;
    InflateRect(&inner, -4, -4);
    DrawLine(dc, L"Image \r\nNot \r\nfound", inner, points, 1, RGB(150, 150, 150), DT_CENTER | DT_WORDBREAK);
}

// The hovered picture enlarged over the grid, with its name.
void PaintHoverCopy(HDC dc)
{
    Browser& b = B();
    int k = b.model.hover;
    if (k < 0 || k >= b.cellCount) return;
    AIDib* slot = GetThumbnailSlot(k);
    if (!slot || slot->IsEmpty()) return;
    RECT client = {0, 0, HostWidth(), HostHeight()};
    RECT big = FitThumbnailSlot(k, EnlargedHoverRect(b.cells[k], client), kEmptySlotSide);
    RECT field = big;
    InflateRect(&field, 6, 6);
    field.bottom += 20;
    FillSolid(dc, field.left, field.top, field.right, field.bottom, RGB(255, 255, 255));
    FrameSolid(dc, field, RGB(0, 0, 0));
    DrawThumbnailSlot(dc, k, big);
    AIString key;
    GetImageName(ImageIndexOfCell(b.model.paging, k, b.model.count), key);
    RECT name = {field.left + 4, big.bottom + 3, field.right - 4, field.bottom - 2};
    DrawLine(dc, key.GetText(), name, 9, 1, kInk, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void PaintGrid(HDC dc)
{
    Browser& b = B();
    RECT area = ContentArea();
    int n = b.model.paging.gridSize;
    int width = area.right - area.left, height = area.bottom - area.top;
    int cw = width / n - kCellGap, ch = height / n - kCellGap, pitch = height / n;
    b.cellCount = 0;
    if (cw < 5 || ch < 5) return;
    int first = (b.model.paging.page - 1) * n * n;
    for (int k = 0; k < n * n && k < kThumbnailSlots && first + k < b.model.count; k++) {
        int row = k / n, column = k % n + 1;
        RECT cell = {area.left + (column - 1) * cw + kCellGap * column, area.top + row * pitch, 0, 0};
        cell.right = cell.left + cw;
        cell.bottom = cell.top + ch;
        AIDib* slot = GetThumbnailSlot(k);
        int empty = !slot || slot->IsEmpty();
        RECT fitted = FitThumbnailSlot(k, cell, kEmptySlotSide);
        if (empty) DrawNotFound(dc, fitted, 9);
        else {
            DrawThumbnailSlot(dc, k, fitted);
            FrameSolid(dc, fitted, kCellFrame);
        }
        if (k == b.model.hover) {
            RECT outer = fitted;
            InflateRect(&outer, 3, 3);
            FrameSolid(dc, outer, kHoverFrame);
            InflateRect(&outer, 1, 1);
            FrameSolid(dc, outer, kHoverFrame);
        }
        b.cells[b.cellCount++] = fitted;
    }
    PaintHoverCopy(dc);
}

void PaintSingle(HDC dc)
{
    Browser& b = B();
    RECT area = ContentArea();
    if (b.largeIndex != b.model.current) LoadLarge(b.model.current);
    if (b.large.IsEmpty()) {
        RECT box = {area.left + (area.right - area.left) / 2 - 100, area.top + (area.bottom - area.top) / 2 - 60, 0, 0};
        box.right = box.left + 200;
        box.bottom = box.top + 120;
        DrawNotFound(dc, box, 14);
        return;
    }
    FittedImage fit = FitBrowserImage(area, b.large.GetWidth(), b.large.GetHeight(), b.model.scrollStep);
    b.model.scrollable = fit.scrollable;
    b.model.scrollStep = fit.scrollStep;
    RECT frame = fit.dest;
    InflateRect(&frame, 1, 1);
    FillSolid(dc, frame.left, frame.top, frame.right, frame.bottom, RGB(255, 255, 255));
    FrameSolid(dc, frame, RGB(50, 50, 50));
    b.large.DrawStretchedEx(dc, fit.source, fit.dest);
}

void CaptionLine(AIString& line)
{
    Browser& b = B();
    line.Clear();
    if (b.noteTitle.IsEmpty()) return;
    int web = b.noteTitle.StartsWithNoCase(L"http://") || b.noteTitle.StartsWithNoCase(L"https://");
    if (web) line.Copy(b.noteTitle);
    else line.AssignText(L"Open note '").AppendString(b.noteTitle).AppendText(L"'");
    if (!web && !b.context.IsEmpty()) line.AppendText(L"  -  ").AppendString(b.context);
}

// The hint area right of the page buttons: the hint of the button under the
// pointer, a tip for many pages, or how a tall picture scrolls.
void HintLine(AIString& hint)
{
    Browser& b = B();
    hint.Clear();
    if (b.model.single) {
        if (b.model.scrollable) hint.AssignText(L"Scrollable image: Use Shift+Mousewheel or ArrowDown/ArrowUp to scroll");
        return;
    }
    hint.Copy(b.hint);
    if (hint.IsEmpty() && b.model.hover < 0 && b.model.paging.pageCount > 10)
        hint.AssignText(L"Tip: Press '0' (zero) to jump 10 pages forward (hold Shift to jump backwards)");
}

void PaintCaption(HDC dc)
{
    Browser& b = B();
    RECT s = CaptionStrip();
    int count = 0;
    AIControl* const* buttons = Buttons(count);
    RECT hintArea = {b.c.nextPage.GetRect().right + 10, s.top + 8, s.right - 2, s.bottom - 2};
    if (!b.model.single) {
        AIString page(L"Page ");
        page.AppendInt(b.model.paging.page).AppendText(L" of ").AppendInt(b.model.paging.pageCount);
        RECT r = {s.left + 20, s.top + 8, b.c.slideshow.GetRect().left - 5, s.bottom};
        DrawLine(dc, page.GetText(), r, 11, 0, kHintInk, DT_LEFT | DT_SINGLELINE);
        for (int i = 0; i < count; i++)
            if (buttons[i] != &b.c.nextImage && buttons[i] != &b.c.prevImage)
                DrawScreenControls(dc, *buttons[i], buttons[i]->IsHot() ? kButtonFramed : kButtonPlain);
    } else {
        AIString line;
        CaptionLine(line);
        // The caption gives way to the hint area when a hint shows there.
        RECT r = {s.left + 20, s.top + 8, b.model.scrollable ? hintArea.left - 10 : s.right, s.bottom};
        DrawLine(dc, line.GetText(), r, 11, 1, kLinkInk, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
        DrawScreenControls(dc, b.c.nextImage, kButtonFramed);
        DrawScreenControls(dc, b.c.prevImage, kButtonFramed);
    }
    AIString hint;
    HintLine(hint);
    DrawLine(dc, hint.GetText(), hintArea, 9, 0, kHintInk, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
    DrawScreenControls(dc, g_screenControls.close, kButtonFramed);
}

void BrowserPaintContent(HDC dc)
{
    Browser& b = B();
    int w = HostWidth(), h = HostHeight();
    FillSolid(dc, 0, 0, w, h, kBackground);
    if (b.model.slideshow && b.model.single && g_dialogHost.slideshowTicks != b.slideshowTicksSeen) {
        // One step per paint: ticks missed while busy do not skip images.
        b.slideshowTicksSeen = g_dialogHost.slideshowTicks;
        int effects = SlideshowTick(b.model);
        if (effects & kBrowserLoadImage) LoadLarge(b.model.current);
        if (effects & kBrowserLookUpNote) LookUpNote();
    } else if (b.model.slideshow && !b.model.single) {
        b.model.slideshow = 0;
        StopSlideshowTimer();
    }
    RECT title = {20, 15, w - 20, 60};
    if (b.model.count <= 0 && !b.preparing) {
        RECT r = {w / 2 - 120, h / 2 - 80, w / 2 + 200, h / 2 - 30};
        DrawLine(dc, L"No Images", r, kTitlePoints, 1, kInk, DT_LEFT | DT_SINGLELINE);
        b.cellCount = 0;
        DrawScreenControls(dc, g_screenControls.close, kButtonFramed);
        return;
    }
    DrawLine(dc, b.allImages ? L"Browse ALL Images" : L"Browse Images", title, kTitlePoints, 1, kInk,
             DT_LEFT | DT_SINGLELINE);
    if (b.model.slideshow && b.model.single) {
        AIString status(L"Slideshow - ");
        status.AppendInt(b.model.current + 1).AppendText(L" of ").AppendInt(b.model.count);
        status.AppendText(L" (").AppendInt(b.model.slideshowMs / 1000).AppendText(L" s)");
        RECT r = {20, 55, w - 20, 75};
        DrawLine(dc, status.GetText(), r, 10, 1, kInk, DT_LEFT | DT_SINGLELINE);
    }
    if (b.model.single) {
        b.cellCount = 0;
        PaintSingle(dc);
    } else if (!b.preparing) {
        PaintGrid(dc);
    }
    PaintCaption(dc);
}

void BrowserPaintFrame(HDC, int, int, int, int) {}

const ScreenHandlers kBrowserHandlers = {BrowserOnShow,      BrowserOnCreate,    BrowserOnClose,
                                         BrowserOnMouseDown, BrowserOnMouseUp,   BrowserOnMouseMove,
                                         BrowserOnKeyUp,     BrowserPaintFrame,  BrowserPaintContent};

}  // namespace

void SetImageBrowserFolders(const WCHAR* imagesFolder, const WCHAR* cachePath)
{
    B().imagesFolder.AssignText(imagesFolder ? imagesFolder : L"");
    B().cachePath.AssignText(cachePath ? cachePath : L"");
}

int ImageBrowserPreparing() { return B().preparing; }
const ImageBrowserModel& ImageBrowserState() { return B().model; }
int ImageBrowserCellCount() { return B().cellCount; }
RECT ImageBrowserCell(int cell)
{
    RECT none = {0, 0, 0, 0};
    return cell >= 0 && cell < B().cellCount ? B().cells[cell] : none;
}
const WCHAR* ImageBrowserNoteTitle() { return B().noteTitle.GetText(); }
const WCHAR* ImageBrowserCaption()
{
    static AIString line;
    CaptionLine(line);
    return line.GetText();
}
const WCHAR* ImageBrowserHint()
{
    static AIString hint;
    HintLine(hint);
    return hint.GetText();
}
RECT ImageBrowserCaptionBand() { return CaptionStrip(); }

void RegisterImageBrowserScreen() { RegisterScreen(kScreenImageBrowser, &kBrowserHandlers); }
