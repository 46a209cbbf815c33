// Screen 17, paste and edit image: the clipboard picture (or, to edit, an
// image file's own picture) scaled into a preview, cropped to a dragged
// rectangle, turned, reset, viewed large over the main window, and then
// saved back over the file ("Edit Image") or handed under a typed name to
// the note's image paste ("Paste Image", "Paste Web Link").
#include "dialogs/screens/image_paste_rules.h"
#include "dialogs/screens/image_edit_save.h"
#include "dialogs/screens/image_large_view.h"
#include "dialogs/screens/image_paste_screen.h"
#include "dialogs/screens/screens.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "dialogs/dialog_shell_links.h"
#include "dialogs/screen_launchers.h"
#include "drawing/ai_dib.h"
#include "foundation/ai_string_table.h"
#include "foundation/app.h"
#include "foundation/clipboard.h"
#include "imaging/ai_image.h"
#include "imaging/clipboard_image.h"
#include "notestore/note_store.h"
#include "resources/resource_ids.h"
#include <windowsx.h>

namespace {

enum {
    kAreaRight = 520,
    kAreaBottom = 320,
    kButtonsY = 390,
    kCancelFromRight = 90,
    kCancelWidth = 65,
    kOkFromRight = 210,
    kOkWidth = 120,
    kToolFromRight = 525,
    kToolWidth = 110,
    kToolTop = 140,
    kToolPitch = 40,
    kNameTop = 355,
    kNameLeftGap = 90,
    kNameWidth = 230,
    kNameHeight = 22,
    kNameFieldId = 1701,
    kTitlePoints = 24,
    kStatusPictureRoom = 28,   // the status picture and the gap after it
    kNamePoints = 10,
};

const RGBQUAD kPreviewCanvas = {255, 255, 255, 0};
const COLORREF kAreaFill = RGB(220, 220, 220);
const COLORREF kAreaFrame = RGB(150, 150, 150);
const COLORREF kSelectionColour = RGB(230, 50, 50);
const COLORREF kStatusColour = RGB(170, 0, 0);
const COLORREF kNoticeColour = RGB(50, 50, 230);
const COLORREF kWebLinkColour = RGB(0, 0, 170);

// The warning block's lines, from the host's bottom: under the name field,
// from the tools' left edge to the OK button.
enum {
    kWarningTop0 = 62,
    kWarningTop1 = 46,
    kWarningTop2 = 30,
    kWarningLineHeight = 16,
    kWarningGap = 10,
};

struct PasteScreen
{
    AIImage working;     // the picture as edited so far
    AIImage preview;     // reduced for the preview (never enlarged)
    AIDib previewDib;
    RECT area = {0, 0, 0, 0};
    RECT drawn = {0, 0, 0, 0};  // where the preview stands in the area
    PreviewScale scale;
    RECT selection = {0, 0, 0, 0};
    int hasSelection = 0;
    POINT anchor = {0, 0};
    int dragging = 0;
    int large = 0;              // the large view is up
    RECT hostRect = {0, 0, 0, 0};
    POINT largeStart = {0, 0};
    int status = kPasteStatusNone;
    AIString reason;            // why a save failed
    AIControl ok, preview_, crop, rotate, reset;
    HWND nameField = 0;
    HFONT nameFont = 0;
    int snapshotKnown = 0;      // the web link's page has a snapshot already
};

PasteScreen& S()
{
    static PasteScreen screen;
    return screen;
}

const PasteImageRequest& Request() { return CurrentPasteImageRequest(); }
int EditMode() { return Request().editImage && Request().imagePath; }
int WebMode() { return Request().webLink && Request().webLink[0]; }

AIControl* const kTools[] = {&S().preview_, &S().crop, &S().rotate, &S().reset};

void Repaint()
{
    if (g_dialogHost.window) InvalidateRect(g_dialogHost.window, 0, FALSE);
}

// What each tool button does, shown while the pointer rests on it.
const WCHAR* const kToolHints[] = {L"View large preview of selected area", L"Crop image to selected area",
                                   L"Rotate image to the right (hold Shift for left)",
                                   L"Reset crop (return to clipboard image)"};

// The line under the preview: a refusal or notice, else the hint of the tool
// under the pointer, else the picture's numbers.
void PasteInformationLine(AIString& line)
{
    PasteScreen& s = S();
    line.Clear();
    if (s.status != kPasteStatusNone) {
        line.AssignText(PasteStatusText(s.status));
        if (!s.reason.IsEmpty() && (s.status == kPasteStatusSaveFailed)) line.AppendText(L": ").AppendString(s.reason);
        return;
    }
    for (int i = 0; i < 4; i++)
        if (kTools[i]->IsHot()) {
            line.AssignText(kToolHints[i]);
            return;
        }
    if (s.working.IsValid())
        FormatPasteImageInfo(s.working.GetWidth(), s.working.GetHeight(), s.working.GetSize(), s.scale.zoom, line);
}

void ReadNameField(AIString& name)
{
    name.Clear();
    if (S().nameField) name.AssignControlText(S().nameField);
    name.Trim();
}

void UpdateOk()
{
    PasteScreen& s = S();
    if (EditMode()) {
        s.ok.Enable(s.working.IsValid());
        return;
    }
    AIString name;
    ReadNameField(name);
    s.ok.Enable(!name.IsEmpty() && s.working.IsValid() ? 1 : 0);
}

void MakePreview()
{
    PasteScreen& s = S();
    s.crop.Enable(0);
    s.rotate.Enable(1);
    s.hasSelection = 0;
    s.previewDib.FreeGdiObjects();
    s.preview.Destroy();
    if (!s.working.IsValid()) return;
    int w = s.working.GetWidth(), h = s.working.GetHeight();
    s.scale = ComputePreviewScale(w, h, s.area.right - s.area.left, s.area.bottom - s.area.top);
    int pw = s.scale.width < w ? s.scale.width : w, ph = s.scale.height < h ? s.scale.height : h;
    if (s.working.Thumbnail(pw, ph, kPreviewCanvas, &s.preview) && s.preview.IsValid()) {
        s.preview.AlphaDelete();
        s.previewDib.LoadImagePixels(s.preview);
    }
    int left = s.area.left + (s.area.right - s.area.left - s.scale.width) / 2;
    int top = s.area.top + (s.area.bottom - s.area.top - s.scale.height) / 2;
    s.drawn = {left, top, left + s.scale.width, top + s.scale.height};
}

// The picture to work on: the file's own for an edit, else the clipboard's
// CF_DIB (its header checked against the block by the clipboard and again by
// the image reader) or its PNG.
void TakeImage()
{
    PasteScreen& s = S();
    s.working.Destroy();
    if (EditMode()) {
        s.working.Load(Request().imagePath, kImageDetect);
    } else {
        AIClipboard clipboard(g_dialogHost.window);
        ReadClipboardImage(clipboard, s.working);
    }
    MakePreview();
    int valid = s.working.IsValid();
    s.preview_.Enable(valid);
    s.crop.Enable(0);
    s.rotate.Enable(valid);
    s.status = valid ? kPasteStatusNone : kPasteStatusNoBitmap;
    UpdateOk();
}

void CropToSelection()
{
    PasteScreen& s = S();
    RECT pixels;
    if (!s.hasSelection || !s.working.IsValid()) return;
    if (!SelectionToImageRect(s.selection, s.drawn, s.scale.zoom, s.working.GetWidth(), s.working.GetHeight(), pixels))
        return;
    if (!s.working.CropRect(pixels)) return;
    s.reset.Enable(1);
    MakePreview();
}

void Rotate(int left)
{
    PasteScreen& s = S();
    if (!s.working.IsValid()) return;
    if (left) s.working.RotateLeft();
    else s.working.RotateRight();
    s.reset.Enable(1);
    MakePreview();
}

// ---- The large view over the main window ----

// The selected area (or the whole picture) over the main window's client
// area, in a window above the backdrop that darkens the main window.
void DrawLargeView()
{
    PasteScreen& s = S();
    HWND main = DialogMainWindow();
    if (!main || !s.working.IsValid()) return;
    RECT client;
    GetClientRect(main, &client);
    MapWindowPoints(main, 0, (POINT*)&client, 2);
    AIImage part;
    RECT pixels;
    const AIImage* shown = &s.working;
    if (s.hasSelection &&
        SelectionToImageRect(s.selection, s.drawn, s.scale.zoom, s.working.GetWidth(), s.working.GetHeight(), pixels) &&
        part.CopyFrom(s.working) && part.CropRect(pixels))
        shown = &part;
    ShowLargeView(g_dialogHost.window, client, *shown);
}

void StartLargeView()
{
    PasteScreen& s = S();
    HWND host = g_dialogHost.window;
    if (!host || !s.working.IsValid() || s.large) return;
    GetWindowRect(host, &s.hostRect);
    GetCursorPos(&s.largeStart);
    s.large = 1;
    // Out of the way: X cannot map a window of no height, so it keeps one
    // pixel each way and stays the active window that gets the keys.
    SetWindowPos(host, 0, s.hostRect.left, s.hostRect.top, 1, 1, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowCursor(FALSE);
    SetFocus(host);
    SetCapture(host);
    if (HWND main = DialogMainWindow()) {
        RedrawWindow(main, 0, 0, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    DrawLargeView();
}

void EndLargeView()
{
    PasteScreen& s = S();
    if (!s.large) return;
    s.large = 0;
    HideLargeView();
    HWND host = g_dialogHost.window;
    if (host)
        SetWindowPos(host, 0, s.hostRect.left, s.hostRect.top, s.hostRect.right - s.hostRect.left,
                     s.hostRect.bottom - s.hostRect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (host && GetCapture() == host) ReleaseCapture();
    ShowCursor(TRUE);
    if (g_dialogHost.focusControl && IsWindowEnabled(g_dialogHost.focusControl)) SetFocus(g_dialogHost.focusControl);
    if (HWND main = DialogMainWindow()) RedrawWindow(main, 0, 0, RDW_INVALIDATE | RDW_ALLCHILDREN);
    Repaint();
}

// ---- Commit ----

void FocusName(int selectFrom, int selectTo)
{
    PasteScreen& s = S();
    if (!s.nameField) return;
    SetFocus(s.nameField);
    SendMessageW(s.nameField, EM_SETSEL, selectFrom, selectTo);
}

int CommitEdit()
{
    PasteScreen& s = S();
    if (g_dialogHost.window) SetWindowPos(g_dialogHost.window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EditedImageSave saved = SaveEditedImage(s.working, Request().imagePath, s.reason);
    if (saved != kEditedImageSaved) {
        s.status = saved == kEditedImageWrongType ? kPasteStatusWrongType : kPasteStatusSaveFailed;
        Repaint();
        return 0;
    }
    CloseScreenWithResult(1);
    return 1;
}

int CommitPaste()
{
    PasteScreen& s = S();
    AIString name;
    ReadNameField(name);
    if (name.IsEmpty()) {
        s.status = kPasteStatusNoName;
        FocusName(0, 0);
        Repaint();
        return 0;
    }
    int refused = FindRefusedNameChar(name.GetText());
    if (refused >= 0) {
        s.status = kPasteStatusRefusedChar;
        // The position in the field's own text (before the trim).
        AIString field;
        field.AssignControlText(s.nameField);
        int at = field.FindTextCase(name.GetText());
        FocusName(at + refused, at + refused + 1);
        Repaint();
        return 0;
    }
    if (g_noteStore.hyperlinks && g_noteStore.hyperlinks->IndexOfKeyStringExact(name.GetText()) >= 0) {
        s.status = kPasteStatusNameTaken;
        FocusName(0, -1);
        Repaint();
        return 0;
    }
    if (!s.working.IsValid()) {
        s.status = kPasteStatusNoBitmap;
        Repaint();
        return 0;
    }
    // The note's image paste takes the picture from the clipboard.
    {
        AIClipboard clipboard(g_dialogHost.window);
        HGLOBAL block = s.working.ToClipboardDib();
        int put = 0;
        if (block && clipboard.Open()) {
            void* bytes = GlobalLock(block);
            if (bytes) put = clipboard.SetDib(bytes, (uint32_t)GlobalSize(block));
            GlobalUnlock(block);
        }
        if (block) GlobalFree(block);
        if (!put) {
            s.status = kPasteStatusNoBitmap;
            Repaint();
            return 0;
        }
    }
    if (g_dialogHost.window) SetWindowPos(g_dialogHost.window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!g_dialogShell.saveImageIntoNote || !g_dialogShell.saveImageIntoNote(name.GetText(), 1)) return 1;
    CloseScreenWithResult(1);
    return 1;
}

// ---- Handlers ----

// A web snapshot of the page exists when a captured picture records it.
int WebSnapshotExists()
{
    const AIStringTable* captures = g_noteStore.webCaptureImages;
    if (!WebMode() || !captures) return 0;
    AIString address;
    for (int i = 0; i < captures->GetCount(); i++) {
        captures->GetValueAt(i, address);
        if (address.EqualsTextNoCase(Request().webLink)) return 1;
    }
    return 0;
}

void PasteOnShow()
{
    PasteScreen& s = S();
    s.snapshotKnown = WebSnapshotExists();
    s.status = kPasteStatusNone;
    s.dragging = 0;
    s.large = 0;
    s.reason.Clear();
}

LRESULT PasteOnCreate(HWND host, UINT, WPARAM, LPARAM)
{
    PasteScreen& s = S();
    int m = ScreenContentOffset(), u = kScreenUnit, w = g_dialogHost.width;
    s.area = {17 * u + m, 6 * u + m, kAreaRight, kAreaBottom};
    PlaceSharedControl(g_screenControls.close, L"Cancel", w - kCancelFromRight, kButtonsY, kCancelWidth, kScreenButtonHeight);
    s.ok.CreateStandard(host, EditMode() ? L"OK, Save Image" : L"OK, Create Link", w - kOkFromRight, kButtonsY, kOkWidth,
                        kScreenButtonHeight);
    s.ok.Enable(0);
    const WCHAR* captions[] = {L"Preview", L"Crop image", L"Rotate 90", L"Reset"};
    for (int i = 0; i < 4; i++)
        kTools[i]->CreateStandard(host, captions[i], w - kToolFromRight, kToolTop + i * kToolPitch, kToolWidth,
                                  kScreenButtonHeight);
    s.reset.Enable(0);
    s.nameField = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                  17 * u + m + kNameLeftGap, kNameTop, kNameWidth, kNameHeight, host,
                                  (HMENU)(INT_PTR)kNameFieldId, GetModuleHandleW(0), 0);
    if (s.nameField) {
        SendMessageW(s.nameField, EM_LIMITTEXT, kPasteNameMaxChars, 0);
        HDC dc = GetDC(host);
        int height = -MulDiv(kNamePoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
        ReleaseDC(host, dc);
        if (!s.nameFont)
            s.nameFont = CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, FIXED_PITCH,
                                     L"Courier New");
        SendMessageW(s.nameField, WM_SETFONT,
                     (WPARAM)(s.nameFont ? s.nameFont : (HFONT)GetStockObject(ANSI_FIXED_FONT)), 0);
        AttachHostEditField(s.nameField);
        EnableWindow(s.nameField, EditMode() ? FALSE : TRUE);
    }
    TakeImage();
    AIString name;
    if (Request().suggestedName && Request().suggestedName[0]) FilterSuggestedName(Request().suggestedName, name);
    if (!EditMode() && g_dialogShell.editor) {
        CHARRANGE range = {0, 0};
        SendMessageW(g_dialogShell.editor, EM_EXGETSEL, 0, (LPARAM)&range);
        if (range.cpMax > range.cpMin && range.cpMax - range.cpMin < 4000) {
            AIString selected;
            WCHAR* buffer = selected.GetBuffer(range.cpMax - range.cpMin + 1);
            TEXTRANGEW text = {range, buffer};
            int got = (int)SendMessageW(g_dialogShell.editor, EM_GETTEXTRANGE, 0, (LPARAM)&text);
            selected.SetLength(got > 0 ? got : 0);
            AIString fromSelection;
            NameFromSelection(selected.GetText(), fromSelection);
            if (!fromSelection.IsEmpty()) name.Copy(fromSelection);
        }
    }
    if (s.nameField && !name.IsEmpty()) {
        SetWindowTextW(s.nameField, name.GetText());
        SendMessageW(s.nameField, EM_SETSEL, 0, -1);
    }
    if (s.nameField && !EditMode()) g_dialogHost.focusControl = s.nameField;
    UpdateOk();
    return 0;
}

void PasteOnClose()
{
    PasteScreen& s = S();
    if (s.large) EndLargeView();
    s.working.Destroy();
    s.preview.Destroy();
    s.previewDib.FreeGdiObjects();
    s.nameField = 0;
    if (s.nameFont) DeleteObject(s.nameFont);
    s.nameFont = 0;
    s.hasSelection = 0;
    s.dragging = 0;
}

POINT ClampToArea(int x, int y)
{
    const RECT& a = S().area;
    POINT p = {x < a.left ? a.left : x > a.right ? a.right : x, y < a.top ? a.top : y > a.bottom ? a.bottom : y};
    return p;
}

LRESULT PasteOnMouseDown(HWND host, UINT message, WPARAM wParam, LPARAM lParam)
{
    PasteScreen& s = S();
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    if (s.large) return 0;
    for (AIControl* c : kTools) c->OnMouseDown(x, y);
    s.ok.OnMouseDown(x, y);
    POINT p = {x, y};
    if (PtInRect(&s.area, p) && s.working.IsValid()) {
        s.anchor = ClampToArea(x, y);
        s.dragging = 1;
        s.selection = {s.anchor.x, s.anchor.y, s.anchor.x, s.anchor.y};
        s.hasSelection = 1;
    }
    Repaint();
    return SharedControlsOnMouseDown(host, message, wParam, lParam);
}

LRESULT PasteOnMouseMove(HWND host, UINT message, WPARAM wParam, LPARAM lParam)
{
    PasteScreen& s = S();
    if (message != WM_MOUSEMOVE) return 0;
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    if (s.large) {
        POINT now;
        GetCursorPos(&now);
        if (now.x != s.largeStart.x && now.y != s.largeStart.y) EndLargeView();
        return 0;
    }
    int changed = s.ok.OnMouseMove(x, y);
    for (AIControl* c : kTools) changed |= c->OnMouseMove(x, y);
    if (s.dragging) {
        POINT p = ClampToArea(x, y);
        s.selection = {s.anchor.x < p.x ? s.anchor.x : p.x, s.anchor.y < p.y ? s.anchor.y : p.y,
                       s.anchor.x < p.x ? p.x : s.anchor.x, s.anchor.y < p.y ? p.y : s.anchor.y};
        changed = 1;
    }
    // Over the picture the pointer becomes cross hairs for the selection.
    POINT at = {x, y};
    SetCursor(LoadCursorW(0, PtInRect(&s.area, at) ? IDC_CROSS : IDC_ARROW));
    if (changed) Repaint();
    return SharedControlsOnMouseMove(host, message, wParam, lParam);
}

LRESULT PasteOnMouseUp(HWND, UINT, WPARAM wParam, LPARAM lParam)
{
    PasteScreen& s = S();
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    if (s.large) {
        EndLargeView();
        return 0;
    }
    if (s.dragging) {
        s.dragging = 0;
        int drag = FinishPreviewSelection(s.anchor, ClampToArea(x, y), s.drawn, s.selection);
        s.crop.Enable(drag);
    }
    if (SharedControlsMouseUp(x, y) == &g_screenControls.close) {
        CloseScreenWithResult(-1);
        return 0;
    }
    if (s.ok.OnMouseUp(x, y)) {
        ImagePasteCommit();
        return 0;
    }
    if (s.preview_.OnMouseUp(x, y)) StartLargeView();
    else if (s.crop.OnMouseUp(x, y)) CropToSelection();
    else if (s.rotate.OnMouseUp(x, y)) Rotate((wParam & MK_SHIFT) || (GetKeyState(VK_SHIFT) & 0x8000));
    else if (s.reset.OnMouseUp(x, y)) {
        TakeImage();
        s.reset.Enable(0);
    }
    Repaint();
    return 0;
}

LRESULT PasteOnKeyUp(HWND, UINT message, WPARAM key, LPARAM)
{
    PasteScreen& s = S();
    if (s.large) {
        EndLargeView();
        return 1;
    }
    if (IsSystemKey(message, key)) return 0;
    if (s.nameField && GetFocus() == s.nameField) {
        if (key == VK_RETURN) ImagePasteCommit();
        else if (key == VK_ESCAPE) CloseScreenWithResult(-1);
        return 1;
    }
    if (key == VK_ESCAPE || key == VK_RETURN || key == VK_SPACE || key == 'Q') CloseScreenWithResult(-1);
    return 1;
}

// The name field's changes: OK follows the text, a refusal shown goes, and a
// name equal to a note title gets its notice.
LRESULT PasteOnOther(HWND, UINT message, WPARAM wParam, LPARAM)
{
    PasteScreen& s = S();
    if (message == WM_CAPTURECHANGED || message == WM_ACTIVATE) {
        EndLargeView();
        return 0;
    }
    if (message != WM_COMMAND || LOWORD(wParam) != kNameFieldId || HIWORD(wParam) != EN_CHANGE) return 0;
    UpdateOk();
    int before = s.status;
    if (s.status > 0 && s.status != kPasteStatusNoBitmap) s.status = kPasteStatusNone;
    AIString name;
    ReadNameField(name);
    int isTitle = !name.IsEmpty() && FindNoteByTitle(name.GetText(), 0, 0) >= 0;
    if (isTitle && s.status == kPasteStatusNone) s.status = kPasteStatusNoteTitle;
    else if (!isTitle && s.status == kPasteStatusNoteTitle) s.status = kPasteStatusNone;
    if (before != s.status) Repaint();
    return 0;
}

void PastePaintFrame(HDC dc, int x, int y, int width, int height)
{
    const WCHAR* title = EditMode() ? L"Edit Image" : WebMode() ? L"Paste Web Link" : L"Paste Image";
    DrawTitledScreenFrame(dc, x, y, width, height, title);
}

void DrawText(HDC dc, const WCHAR* text, int left, int top, int right, int bottom, int points, int bold, COLORREF colour)
{
    AIString t(text);
    t.SetFontSize(points).SetBold(bold).SetTextColor(colour);
    RECT r = {left, top, right, bottom};
    t.DrawStyled(dc, r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

int WarningBlock(AIString lines[kPasteWarningLines])
{
    PasteScreen& s = S();
    PasteWarningFacts facts;
    facts.webLink = Request().webLink;
    facts.snapshotExists = s.snapshotKnown;
    facts.portable = g_app.system.IsPortable();
    facts.dibBytes = s.working.IsValid() ? s.working.GetSize() : 0;
    return PasteWarningBlock(facts, lines);
}

// The warning block at the bottom left; a lone web link stands on its last line.
void PaintWarningBlock(HDC dc)
{
    AIString lines[kPasteWarningLines];
    int count = WarningBlock(lines);
    if (!count) return;
    int height = g_dialogHost.height;
    const int tops[kPasteWarningLines] = {height - kWarningTop0, height - kWarningTop1, height - kWarningTop2};
    int web = WebMode() && count == 1;
    for (int i = 0; i < count; i++) {
        int top = tops[kPasteWarningLines - count + i];
        DrawText(dc, lines[i].GetText(), S().preview_.GetRect().left, top, S().ok.GetRect().left - kWarningGap, top + kWarningLineHeight, 9,
                 i == 0 && !web, web ? kWebLinkColour : kStatusColour);
    }
}

void PastePaintContent(HDC dc)
{
    PasteScreen& s = S();
    const RECT& a = s.area;
    FillSolid(dc, a.left, a.top, a.right, a.bottom, kAreaFill);
    FrameSolid(dc, a, kAreaFrame);
    if (!s.working.IsValid()) {
        DrawText(dc, L"Error:", a.left + 20, a.top + 40, a.right - 10, a.top + 60, 12, 1, kStatusColour);
        DrawText(dc, EditMode() ? L"Could not read the image file." : L"Could not get image from clipboard.",
                 a.left + 20, a.top + 65, a.right - 10, a.top + 85, 11, 0, kStatusColour);
    } else if (!s.previewDib.IsEmpty()) {
        s.previewDib.DrawStretched(dc, s.drawn);
        if (s.hasSelection) {
            RECT sel;
            if (IntersectRect(&sel, &s.selection, &s.area)) FrameSolid(dc, sel, kSelectionColour);
        }
    }
    PaintWarningBlock(dc);
    // The status line: a refusal or notice, else the picture's numbers.
    AIString line;
    COLORREF colour = RGB(60, 60, 60);
    int bold = 0;
    PasteInformationLine(line);
    if (s.status != kPasteStatusNone) {
        colour = s.status > 0 ? kStatusColour : kNoticeColour;
        bold = 1;
    }
    int lineLeft = a.left;
    if (s.status != kPasteStatusNone) {
        // A refusal shows the warning picture, a notice the information one.
        DrawScreenPicture(dc, s.status > 0 ? IDP_STATUS_WARNING_24 : IDP_TIP_24, a.left, a.bottom + 3);
        lineLeft += kStatusPictureRoom;
    }
    DrawText(dc, line.GetText(), lineLeft, a.bottom + 5, g_dialogHost.width - 20, a.bottom + 25, 9, bold, colour);
    if (!EditMode()) DrawText(dc, L"Enter title: ", a.left, kNameTop + 2, a.left + kNameLeftGap, kNameTop + kNameHeight, 9, 0, RGB(40, 40, 40));
    for (AIControl* c : kTools) {
        DrawScreenControls(dc, *c, kButtonFramed);
        if (!c->IsEnabled()) {
            RECT r = c->GetRect();
            AIString caption(c->GetCaption());
            caption.SetFontSize(9).SetTextColor(RGB(170, 170, 170));
            FillSolid(dc, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1, RGB(246, 246, 246));
            caption.DrawStyled(dc, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    }
    DrawScreenControls(dc, s.ok, kButtonFramed);
    if (!s.ok.IsEnabled()) {
        RECT r = s.ok.GetRect();
        AIString caption(s.ok.GetCaption());
        caption.SetFontSize(9).SetTextColor(RGB(170, 170, 170));
        FillSolid(dc, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1, RGB(246, 246, 246));
        caption.DrawStyled(dc, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    DrawScreenControls(dc, g_screenControls.close, kButtonFramed);
}

const ScreenHandlers kPasteHandlers = {PasteOnShow,      PasteOnCreate,   PasteOnClose,     PasteOnMouseDown,
                                       PasteOnMouseUp,   PasteOnMouseMove, PasteOnKeyUp,    PastePaintFrame,
                                       PastePaintContent};

}  // namespace

int ImagePasteCommit()
{
    S().status = kPasteStatusNone;
    S().reason.Clear();
    return EditMode() ? CommitEdit() : CommitPaste();
}

int ImagePasteStatus() { return S().status; }

int ImagePasteOkEnabled() { return S().ok.IsEnabled(); }

const AIImage& ImagePasteWorkingImage() { return S().working; }

RECT ImagePastePreviewRect() { return S().drawn; }

void RegisterPasteImageScreen()
{
    RegisterScreen(kScreenPasteImage, &kPasteHandlers);
    RegisterScreenMessages(kScreenPasteImage, PasteOnOther);
}

void ImagePasteInformationLine(AIString& line) { PasteInformationLine(line); }

void ImagePasteWarning(AIString& joined)
{
    AIString lines[kPasteWarningLines];
    int count = WarningBlock(lines);
    joined.Clear();
    for (int i = 0; i < count; i++) {
        if (i) joined.AppendChar(L'|');
        joined.AppendString(lines[i]);
    }
}
