// Screenshot of the foreground window's monitor, and the browser capture:
// scroll the page screen by screen, grab each screenful, stitch the frames,
// put the page on the clipboard, save it into the notes and capture the
// page's text as a note.
#include "search/capture/screen/screen_capture.h"
#include "search/capture/screen/browser_title.h"
#include "search/capture/screen/capture_input.h"
#include "search/capture/screen/capture_shell_links.h"
#include "search/capture/screen/document_route.h"
#include "search/capture/frames/frame_stitch.h"
#include "search/capture/web_capture.h"
#include "drawing/ai_dib.h"
#include "foundation/app.h"
#include "foundation/clipboard.h"
#include "foundation/message_ids.h"
#include "foundation/misc_services.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "ui/status_line.h"
#include <string.h>
#include <vector>

CaptureShellLinks g_captureShell = {};

namespace {

const WCHAR kBalloonNoBrowser[] =
    L"Web capture FAILED !\r\n\r\nYou must first activate a browser \r\nand select the web page you want to "
    L"capture.\r\n\r\nThen you can either:\r\nA. Activate Tavik and select Capture Web or\r\nB. Simply press the "
    L"hotkey Shift+PrintScr when the web page is active";
const WCHAR kBalloonCapturing[] = L"1. Capture Screenshot ...\r\n2. Capture Web\r\n3. Web cleaning";
const WCHAR kBalloonFailed[] =
    L"1. Capture Screenshot OK\r\n2. Capture Web FAILED\r\n3. Web cleaning FAILED\r\n\r\nCAPTURE FAILED";

enum { kAddressFirstWaitMs = 100, kAddressRetries = 3, kForegroundSettleMs = 50, kMaxAddressChars = 2048 };

int g_screens = kDefaultCaptureScreens;
int g_stepDelay = 0;
int g_clickArmed = 0;
AIString g_captureUrl;
AIString g_captureTitle;

void Status(const WCHAR* text, StatusLevel level)
{
    if (g_captureShell.setStatus) g_captureShell.setStatus(text, level);
}

// 1 when the balloon shows.
int Balloon(const WCHAR* text)
{
    int shown = g_captureShell.showBalloon && g_captureShell.showBalloon(text);
    if (shown && g_captureShell.removeBalloonLater) g_captureShell.removeBalloonLater();
    return shown;
}

// No browser in front: the status line says so, and the balloon tells what
// to do, or a message where no balloon can show.
void TellNoBrowser()
{
    Status(L"Web capture failed: no web browser was in front - activate the page, then Capture Web "
           L"(or Shift+PrintScr)",
           kStatusWarning);
    if (!Balloon(kBalloonNoBrowser) && g_captureShell.showMessage)
        g_captureShell.showMessage(kMsgCaptureNoBrowser);
}

int StepDelay()
{
    if (g_stepDelay > 0) return g_stepDelay;
    int delay = kCaptureStepDelayMs - g_app.system.GetCpuSpeedIndex();
    return delay < kCaptureStepDelayMinMs ? kCaptureStepDelayMinMs : delay;
}

// The rows of a 24-bit picture (top row first) as a packed bottom-up DIB on
// the clipboard.
int PutPictureOnClipboard(const uint8_t* pixels, int width, int height, int stride)
{
    int outStride = (width * 3 + 3) & ~3;
    size_t bytes = sizeof(BITMAPINFOHEADER) + (size_t)outStride * height;
    std::vector<uint8_t> dib(bytes, 0);
    BITMAPINFOHEADER* header = (BITMAPINFOHEADER*)dib.data();
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = (DWORD)((size_t)outStride * height);
    uint8_t* out = dib.data() + sizeof(BITMAPINFOHEADER);
    for (int y = 0; y < height; y++)
        memcpy(out + (size_t)(height - 1 - y) * outStride, pixels + (size_t)y * stride, (size_t)width * 3);
    AIClipboard clipboard(g_captureShell.frame);
    if (!clipboard.Open()) return 0;
    return clipboard.SetDib(dib.data(), (uint32_t)bytes);
}

int IsBrowser(HWND window)
{
    AIString module;
    GetWindowModuleName(window, module);
    return IsBrowserModuleName(module.GetText());
}

// Scroll position reported by the browser's own scroll bar, -1 when none.
int VerticalScrollPosition(HWND browser)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(browser, SB_VERT, &info)) return -1;
    return info.nPos;
}

void ScrollToTop(HWND browser)
{
    if (VerticalScrollPosition(browser) < 1) PressKeyCombo(VK_CONTROL, VK_HOME);
    else SendForeignMessage(browser, WM_VSCROLL, SB_TOP, 0);
}

void ScrollOnePage(HWND browser)
{
    if (VerticalScrollPosition(browser) < 1) PressKey(VK_NEXT);
    else SendForeignMessage(browser, WM_VSCROLL, SB_PAGEDOWN, 0);
    PostMessageW(browser, WM_PAINT, 0, 0);
}

void ReadCaptureTitle(HWND browser)
{
    WCHAR title[kBrowserTitleMaxChars + 1] = {};
    GetWindowTextW(browser, title, kBrowserTitleMaxChars + 1);
    CaptureTitleFromWindowTitle(title, g_captureTitle);
}

// The address bar's text through Alt+D and Ctrl+C (asked again, with a
// longer wait, while the clipboard stays empty), and the page's title.
int ReadBrowserAddress(HWND browser)
{
    g_captureUrl.Clear();
    g_captureTitle.Clear();
    if (!IsBrowser(browser)) return 0;
    {
        AIClipboard clipboard(g_captureShell.frame);
        if (clipboard.Open()) clipboard.Empty();
    }
    AIString text;
    int wait = kAddressFirstWaitMs;
    for (int attempt = 0; attempt <= kAddressRetries && text.IsEmpty(); attempt++, wait *= 2) {
        PressKeyCombo(VK_MENU, 'D');
        PressKeyCombo(VK_CONTROL, 'C');
        PauseWithMessages(wait);
        AIClipboard clipboard(g_captureShell.frame);
        if (clipboard.Open()) clipboard.GetText(text, kMaxAddressChars);
    }
    text.Trim();
    if (!IsPageAddress(text.GetText())) return 0;
    g_captureUrl.Copy(text);
    ReadCaptureTitle(browser);
    return 1;
}

// The document's own address when it gave one, else the address bar's.
int TakeAddress(HWND browser, const AIString& documentUrl)
{
    if (!IsPageAddress(documentUrl.GetText())) return ReadBrowserAddress(browser);
    g_captureUrl.Copy(documentUrl);
    ReadCaptureTitle(browser);
    return 1;
}

// Screen rectangle of the part of the client area a frame takes: the client
// area less its borders and the vertical scroll bar.
RECT FrameRect(HWND browser)
{
    RECT client = {};
    GetClientRect(browser, &client);
    POINT origin = {0, 0};
    ClientToScreen(browser, &origin);
    int width = client.right - 2 * GetSystemMetrics(SM_CXBORDER) - GetSystemMetrics(SM_CXVSCROLL);
    RECT r = {origin.x, origin.y, origin.x + width, origin.y + client.bottom};
    return r;
}

int GrabFrame(const RECT& r, AIDib& frame)
{
    HDC screen = GetDC(nullptr);
    int ok = frame.CaptureFromDC(screen, r.left, r.top, r.right - r.left, r.bottom - r.top);
    ReleaseDC(nullptr, screen);
    return ok && frame.GetBitsPerPixel() == 24;
}

int SameFrames(const AIDib& a, const AIDib& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() || a.GetStride() != b.GetStride()) return 0;
    FrameGeometry g = {a.GetWidth(), a.GetHeight(), a.GetStride()};
    return !FramesDiffer((const uint8_t*)a.GetBits(), (const uint8_t*)b.GetBits(), g);
}

// The view after a scroll key: the keys reach the browser through its queue,
// so on a busy machine the page may move late. Waits (up to
// kCaptureMoveWaitMs) for the view to differ from `before` (when given),
// then until two grabs kCaptureSettleMs apart agree, so that no frame is
// taken before the scroll or halfway through its painting. A view that never
// moves is the page's end (or its top already).
int GrabSettledFrame(const RECT& r, const AIDib* before, AIDib& frame)
{
    AIDib again;
    DWORD start = GetTickCount();
    if (!GrabFrame(r, frame)) return 0;
    while (before && SameFrames(*before, frame) && (int)(GetTickCount() - start) < kCaptureMoveWaitMs) {
        PauseWithMessages(kCaptureSettleMs);
        if (!GrabFrame(r, frame)) return 0;
    }
    while ((int)(GetTickCount() - start) < 2 * kCaptureMoveWaitMs) {
        PauseWithMessages(kCaptureSettleMs);
        if (!GrabFrame(r, again)) return 0;
        if (SameFrames(frame, again)) break;
        if (!GrabFrame(r, frame)) return 0;
    }
    return 1;
}

// The screenfuls of the page, top to bottom; stops when the page no longer
// moves. `before` is the view before the scroll to the top (null when none
// was taken): the first frame waits for the page to leave it (a page at its
// top already costs that wait once).
int GrabFrames(HWND browser, const RECT& r, const AIDib* before, AIDib* frames, int limit)
{
    int count = 0;
    for (int i = 0; i < limit; i++) {
        if (!GrabSettledFrame(r, count ? &frames[count - 1] : before, frames[count])) break;
        count++;
        if (count > 1 && SameFrames(frames[count - 2], frames[count - 1])) {
            count--;
            break;
        }
        if (i + 1 < limit) {
            ScrollOnePage(browser);
            PauseWithMessages(StepDelay());
        }
    }
    return count;
}

int StitchOntoClipboard(AIDib* frames, int count)
{
    FrameGeometry g = {frames[0].GetWidth(), frames[0].GetHeight(), frames[0].GetStride()};
    const uint8_t* pointers[kMaxStitchFrames];
    for (int i = 0; i < count; i++) pointers[i] = (const uint8_t*)frames[i].GetBits();
    StitchPlan plan;
    if (!PlanStitch(pointers, count, g, &plan)) return 0;
    std::vector<uint8_t> page((size_t)plan.height * g.stride);
    ComposeStitch(pointers, g, plan, page.data(), g.stride);
    return PutPictureOnClipboard(page.data(), g.width, plan.height, g.stride);
}

// The page's picture and text into the notes.
void StorePage()
{
    Balloon(kBalloonCapturing);
    if (g_captureShell.saveCaptureImage)
        g_captureShell.saveCaptureImage(g_captureUrl.GetText(), g_captureTitle.GetText());
    AIString noteTitle;
    int stored = CaptureWebPageAsNote(g_captureUrl.GetText(), g_captureTitle.GetText(), &noteTitle);
    if (stored != kCaptureStored && stored != kCaptureStoredNoText) {
        Balloon(kBalloonFailed);
        Status(L"Web capture failed: the page's picture is saved, its text could not be captured", kStatusWarning);
        return;
    }
    if (g_captureShell.removeBalloonLater) g_captureShell.removeBalloonLater();
    if (g_captureShell.showCapturedNote) g_captureShell.showCapturedNote(noteTitle.GetText());
}

}  // namespace

void SetCaptureScreens(int screens)
{
    g_screens = screens < 1 ? 1 : (screens > kMaxStitchFrames ? kMaxStitchFrames : screens);
}
int GetCaptureScreens() { return g_screens; }
void SetCaptureStepDelay(int milliseconds) { g_stepDelay = milliseconds > 0 ? milliseconds : 0; }
const AIString& GetCaptureUrl() { return g_captureUrl; }
const AIString& GetCaptureTitle() { return g_captureTitle; }

int CaptureScreenshot()
{
    TRACE_SCOPE(kTraceScreenCapture, 1);
    HWND frame = g_captureShell.frame;
    if (frame) ShowWindow(frame, SW_HIDE);
    PauseWithMessages(kScreenshotHideMs);
    HWND foreground = GetForegroundWindow();
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(foreground, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& r = monitor.rcMonitor;
    AIDib picture;
    int taken = GrabFrame(r, picture);
    if (taken && foreground && WaitForShiftRelease()) ReadBrowserAddress(foreground);
    int onClipboard = taken && PutPictureOnClipboard((const uint8_t*)picture.GetBits(), picture.GetWidth(),
                                                     picture.GetHeight(), picture.GetStride());
    if (frame) {
        ShowWindow(frame, SW_SHOW);
        SetForegroundWindow(frame);
    }
    if (!onClipboard) {
        if (g_captureShell.showMessage) g_captureShell.showMessage(kMsgWindowSnapshotFailed);
    } else if (!g_captureShell.openPasteScreen || g_captureShell.openPasteScreen() < 0) {
        Status(L"The screenshot is on the clipboard", kStatusDone);
    }
    g_captureUrl.Clear();
    if (g_captureShell.saveCurrentNote) g_captureShell.saveCurrentNote();
    return onClipboard;
}

int CaptureBrowserWindow(HWND browser)
{
    TRACE_SCOPE(kTraceScreenCapture, 2);
    if (!browser || !IsWindow(browser)) return 0;
    if (!IsBrowser(browser)) {
        TellNoBrowser();
        return 1;
    }
    // The keys below would reach the browser with Shift still held (selecting
    // instead of scrolling).
    if (!WaitForShiftRelease()) {
        Status(L"Capture cancelled - release Shift and try again", kStatusWarning);
        return 0;
    }
    // The frames are read from the screen: nothing may lie over the page
    // (the program's own frame came forward for the click mode).
    SetWindowPos(browser, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
    SetForegroundWindow(browser);
    PauseWithMessages(kForegroundSettleMs);
    RECT r = FrameRect(browser);
    if (r.right - r.left < kMinCaptureClientSize || r.bottom - r.top < kMinCaptureClientSize) return 0;
    Status(L"Capturing the web page...", kStatusInfo);
    AIDib page;
    AIString documentUrl;
    int onClipboard = 0, haveAddress = 0;
    if (CaptureThroughDocument(browser, g_screens, page, documentUrl)) {
        haveAddress = TakeAddress(browser, documentUrl);
        onClipboard = PutPictureOnClipboard((const uint8_t*)page.GetBits(), page.GetWidth(), page.GetHeight(),
                                            page.GetStride());
    } else {
        AIDib shown;
        int hadView = GrabFrame(r, shown);
        ScrollToTop(browser);
        PauseWithMessages(StepDelay());
        AIDib frames[kMaxStitchFrames];
        int count = GrabFrames(browser, r, hadView ? &shown : nullptr, frames, g_screens);
        ScrollToTop(browser);
        // The address goes through the clipboard: read it before the picture goes there.
        haveAddress = count > 0 && ReadBrowserAddress(browser);
        onClipboard = count > 0 && StitchOntoClipboard(frames, count);
    }
    if (!onClipboard) {
        if (g_captureShell.showMessage) g_captureShell.showMessage(kMsgWindowSnapshotFailed);
        return 0;
    }
    if (!haveAddress) {
        Status(L"The page's picture is on the clipboard - its address could not be read", kStatusWarning);
        return 0;
    }
    StorePage();
    return 1;
}

void ArmCaptureClickMode() { g_clickArmed = 1; }
void EndCaptureClick() { g_clickArmed = 0; }
int IsCaptureClickArmed() { return g_clickArmed; }
