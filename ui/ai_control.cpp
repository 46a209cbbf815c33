// AIControl: ids, creation, windowless mouse tracking and drawing, and the
// plain control operations. The editor operations are in control_editor.cpp.
#include "ui/ai_control.h"
#include "drawing/ai_resource_image.h"
#include "ui/ai_text_document.h"
#include "ui/colours.h"
#include "foundation/errors.h"
#include <commctrl.h>
#include "foundation/process_end.h"

namespace {
WORD g_nextControlId = kFirstControlId;

const WCHAR kHyperlinkClass[] = L"aihyperlink";
const WCHAR kImageButtonClass[] = L"aiimgbutton";
const WCHAR kSplitterClass[] = L"splitter";

// Real windows of the program's own kinds draw and track themselves through
// their AIControl, kept in the window's user data.
LRESULT CALLBACK OwnControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    AIControl* control = (AIControl*)GetWindowLongPtrW(window, GWLP_USERDATA);
    if (control) {
        int x = (short)LOWORD(lParam);
        int y = (short)HIWORD(lParam);
        RECT rect = control->GetRect();
        switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            // Paint draws at the control's rectangle in parent coordinates.
            SetViewportOrgEx(dc, -rect.left, -rect.top, 0);
            control->Paint(dc);
            EndPaint(window, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            SetCapture(window);
            control->OnMouseDown(x + rect.left, y + rect.top);
            return 0;
        case WM_MOUSEMOVE:
            control->OnMouseMove(x + rect.left, y + rect.top);
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() == window) ReleaseCapture();
            control->OnMouseUp(x + rect.left, y + rect.top);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterOwnClasses()
{
    static int registered = 0;
    if (registered) return;
    registered = 1;
    const WCHAR* names[] = {kHyperlinkClass, kImageButtonClass, kSplitterClass};
    for (const WCHAR* name : names) {
        WNDCLASSW wc;
        ZeroMemory(&wc, sizeof(wc));
        wc.lpfnWndProc = OwnControlProc;
        wc.hInstance = GetModuleHandleW(0);
        wc.hCursor = LoadCursorW(0, (LPCWSTR)(name == kSplitterClass ? IDC_SIZEWE : IDC_ARROW));
        wc.lpszClassName = name;
        RegisterClassW(&wc);
    }
}

void EnsureRichEditLoaded()
{
    static HMODULE module = 0;
    if (!module) module = LoadLibraryW(L"riched20.dll");
}
}  // namespace

WORD PeekNextControlId() { return g_nextControlId; }

// Ids run from kFirstControlId to 0xFFFF and then start over there: a wrap
// to 0 would give ids like IDOK and IDCANCEL.
static WORD TakeControlId()
{
    WORD id = g_nextControlId;
    g_nextControlId = id == 0xFFFF ? (WORD)kFirstControlId : (WORD)(id + 1);
    return id;
}

const WCHAR* ControlClassName(int kind)
{
    switch (kind) {
    case ControlStandard: return L"STANDARD";
    case ControlEdit: return L"edit";
    case ControlRichEdit: return L"RichEdit20W";
    case ControlButton:
    case ControlCheckBox:
    case ControlRadio:
    case ControlGroupBox: return L"button";
    case ControlStatic: return L"static";
    case ControlListView: return L"SysListView32";
    case ControlCombo:
    case ControlComboList: return L"COMBOBOX";
    case ControlHyperlink: return kHyperlinkClass;
    case ControlImageButton: return kImageButtonClass;
    case ControlSplitter: return kSplitterClass;
    case ControlListBox: return L"LISTBOX";
    }
    return 0;
}

AIControl::AIControl()
    : id_(TakeControlId()), kind_(0), hwnd_(0), parent_(0), visible_(0), enabled_(1), hot_(0),
      pressed_(0), clicked_(0), drawStyle_(0), value_(0), fontSize_(10), font_(0), colourByKind_(0),
      image_(0), documentState_(0)
{
    SetRectEmpty(&rect_);
    CopyTextBounded(fontFace_, LF_FACESIZE, L"Arial");
    ZeroMemory(&savedView_, sizeof(savedView_));
}

AIControl::~AIControl()
{
    if (IsProcessEnding()) return;
    // A window of our own classes may outlive this object: it must not keep a pointer to it.
    if (hwnd_ && IsWindow(hwnd_) && (AIControl*)GetWindowLongPtrW(hwnd_, GWLP_USERDATA) == this)
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    if (font_) DeleteObject(font_);
}

// ---- windowless controls ----

int AIControl::CreateVirtualAt(int kind, int left, int top, int width, int height)
{
    kind_ = kind;
    hwnd_ = 0;
    SetRect(&rect_, left, top, left + width, top + height);
    visible_ = 1;
    // Made again (a screen opened once more): no hover or press of before.
    hot_ = pressed_ = clicked_ = 0;
    return 1;
}

int AIControl::CreateVirtualWithText(int kind, const WCHAR* text, int left, int top, int width, int height)
{
    CreateVirtualAt(kind, left, top, width, height);
    caption_.AssignText(text);
    return 1;
}

int AIControl::CreateStandard(HWND parent, const WCHAR* text, int left, int top, int width, int height)
{
    parent_ = parent;
    return CreateVirtualWithText(ControlStandard, text, left, top, width, height);
}

int AIControl::CreateStandardText(HWND parent, const WCHAR* text)
{
    return CreateStandard(parent, text, 0, 0, 0, 0);
}

int AIControl::CreateStandardBare(HWND parent) { return CreateStandard(parent, L"", 0, 0, 0, 0); }

int AIControl::HitTest(int x, int y) const
{
    POINT point = {x, y};
    return visible_ && PtInRect(&rect_, point) ? 1 : 0;
}

int AIControl::OnMouseDown(int x, int y)
{
    clicked_ = 0;
    if (!enabled_ || !HitTest(x, y)) return 0;
    pressed_ = 1;
    Invalidate();
    return 1;
}

int AIControl::OnMouseMove(int x, int y)
{
    int hot = enabled_ && HitTest(x, y) ? 1 : 0;
    if (hot == hot_) return 0;
    hot_ = hot;
    Invalidate();
    return 1;
}

int AIControl::OnMouseUp(int x, int y)
{
    int wasPressed = pressed_;
    pressed_ = 0;
    clicked_ = wasPressed && enabled_ && HitTest(x, y) ? 1 : 0;
    if (wasPressed) Invalidate();
    if (clicked_ && parent_) PostMessageW(parent_, WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED), (LPARAM)hwnd_);
    return clicked_;
}

void AIControl::SetPictureResource(AIResourceImage* picture, int pngResourceId)
{
    picture_ = picture;
    pictureResource_ = picture && !picture->IsLoaded() ? pngResourceId : 0;
}

void AIControl::LoadPicture()
{
    if (pictureResource_ && picture_ && !picture_->IsLoaded()) picture_->LoadPngResource(pictureResource_);
    pictureResource_ = 0;
}

// The picture above the caption in a tall control (the caption keeps the
// rest below it), else at the left with the caption beside it. Returns
// where the picture goes; inner becomes the caption's room.
POINT AIControl::PicturePlace(const RECT& face, RECT& inner) const
{
    int w = picture_->GetWidth(), h = picture_->GetHeight();
    int faceHeight = face.bottom - face.top;
    POINT at;
    if (faceHeight >= h + kPictureCaptionRoom) {
        at.x = face.left + (face.right - face.left - w) / 2;
        at.y = face.top + kPictureGap;
        inner.top = at.y + h;
    } else {
        at.x = face.left + kPictureGap / 2;
        at.y = face.top + (faceHeight - h) / 2;
        inner.left = at.x + w + kPictureGap / 3;
        inner.right = face.right - 1;
    }
    return at;
}

void AIControl::PlacePicture(HDC dc, const RECT& face, RECT& inner)
{
    POINT at = PicturePlace(face, inner);
    if (enabled_) picture_->DrawAt(dc, at.x, at.y, 100);
    else picture_->DrawGreyedB(dc, at.x, at.y);
}

void AIControl::Paint(HDC dc)
{
    if (!visible_ || IsRectEmpty(&rect_)) return;
    RECT face = rect_;
    int colour = ColourFace;
    if (enabled_ && (pressed_ || drawStyle_ == 1)) colour = ColourPressed;
    else if (enabled_ && hot_) colour = ColourHot;
    if (kind_ != ControlHyperlink) {
        FillRect(dc, &face, CreateBrushOfColour(colour));
        FrameRect(dc, &face, CreateBrushOfColour(ColourFrame));
    }
    if (image_) {
        BITMAP info;
        if (GetObjectW(image_, sizeof(info), &info)) {
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, image_);
            int x = face.left + ((face.right - face.left) - info.bmWidth) / 2;
            int y = face.top + ((face.bottom - face.top) - info.bmHeight) / 2;
            BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
        }
    }
    RECT inner = GetCaptionRect();
    if (picture_ && picture_->IsLoaded()) PlacePicture(dc, face, inner);
    if (!caption_.IsEmpty()) {
        AIString text(caption_.GetText());
        if (!enabled_) {
            text.SetTextColor(GetTableColour(ColourDisabledText));
        } else if (kind_ == ControlHyperlink) {
            text.SetTextColor(hot_ ? RGB(0, 0, 255) : RGB(0, 0, 160));
        } else {
            text.SetTextColor(GetTableColour(ColourText));
        }
        text.SetHorizontalAlign(kind_ == ControlHyperlink ? 0 : 1);
        int oldMode = SetBkMode(dc, TRANSPARENT);
        text.DrawMarkupText(dc, inner);
        SetBkMode(dc, oldMode);
    }
}

RECT AIControl::GetCaptionRect() const
{
    RECT inner = rect_;
    InflateRect(&inner, -kCaptionMarginX, -kCaptionMarginY);
    if (picture_ && picture_->IsLoaded()) PicturePlace(rect_, inner);
    return inner;
}

// The widest blank-separated word of the caption, measured as the caption is drawn.
namespace {
int WidestCaptionWord(HDC dc, const WCHAR* caption, int length)
{
    RECT unbounded = {0, 0, 0x4000, 0x4000};
    int widest = 0;
    for (int i = 0; i < length;) {
        while (i < length && (caption[i] == L' ' || caption[i] == L'\t')) i++;
        int start = i;
        while (i < length && caption[i] != L' ' && caption[i] != L'\t') i++;
        if (i == start) break;
        AIString word;
        word.AssignTextN(caption + start, i - start);
        SIZE used = word.MeasureMarkupText(dc, unbounded);
        if (used.cx > widest) widest = used.cx;
    }
    return widest;
}
}  // namespace

int AIControl::FitCaptionWidth(HDC dc)
{
    int width = rect_.right - rect_.left;
    if (hwnd_ || caption_.IsEmpty() || !dc) return width;
    RECT room = GetCaptionRect();
    int taken = width - (room.right - room.left);  // margins and a picture beside the caption
    int needed = WidestCaptionWord(dc, caption_.GetText(), caption_.GetLength()) + taken;
    if (needed > width) {
        rect_.right = rect_.left + needed;
        width = needed;
    }
    return width;
}

// ---- real child windows ----

int AIControl::CreateWindowedAt(int kind, HWND parent, int left, int top, int width, int height, DWORD style)
{
    const WCHAR* className = ControlClassName(kind);
    if (!className || kind == ControlStandard) return 0;
    if (kind == ControlRichEdit) EnsureRichEditLoaded();
    if (kind == ControlHyperlink || kind == ControlImageButton || kind == ControlSplitter) RegisterOwnClasses();
    if (kind == ControlCheckBox) style |= BS_AUTOCHECKBOX;
    else if (kind == ControlRadio) style |= BS_AUTORADIOBUTTON;
    else if (kind == ControlGroupBox) style |= BS_GROUPBOX;
    else if (kind == ControlComboList) style |= CBS_DROPDOWNLIST;
    kind_ = kind;
    parent_ = parent;
    // A control made again (its earlier window gone) reaches the new
    // window's document, not the old one's.
    if (documentState_ != 0) {
        document_.Attach(0);
        documentState_ = 0;
    }
    SetRect(&rect_, left, top, left + width, top + height);
    style |= WS_CHILD;
    for (;;) {
        hwnd_ = CreateWindowExW(0, className, caption_.GetText(), style, left, top, width, height, parent,
                                (HMENU)(UINT_PTR)id_, GetModuleHandleW(0), 0);
        if (hwnd_ || !AskRetryOutOfResources()) break;
    }
    if (!hwnd_) return 0;
    visible_ = (style & WS_VISIBLE) ? 1 : 0;
    if (kind == ControlHyperlink || kind == ControlImageButton || kind == ControlSplitter)
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, (LONG_PTR)this);
    if (kind == ControlRichEdit) ApplyEditorDefaultFormat();
    return 1;
}

void AIControl::ApplyEditorDefaultFormat()
{
    // A new rich edit on the platform reads bold: give it the editor's format at once.
    CHARFORMAT2W format;
    ZeroMemory(&format, sizeof(format));
    format.cbSize = sizeof(format);
    format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_LINK |
                    CFM_UNDERLINETYPE | CFM_SIZE | CFM_FACE | CFM_COLOR | CFM_BACKCOLOR;
    format.dwEffects = CFE_AUTOBACKCOLOR;
    format.yHeight = fontSize_ * 20;
    format.crTextColor = RGB(1, 1, 1);
    format.bUnderlineType = CFU_UNDERLINENONE;
    CopyTextBounded(format.szFaceName, LF_FACESIZE, fontFace_);
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&format);
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&format);
    SendMessageW(hwnd_, EM_SETMODIFY, FALSE, 0);
}

// ---- common operations ----

void AIControl::Show()
{
    visible_ = 1;
    if (hwnd_) ShowWindow(hwnd_, SW_SHOWNA);
    else Invalidate();
}

void AIControl::Hide()
{
    visible_ = 0;
    hot_ = pressed_ = 0;
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    else if (parent_) InvalidateRect(parent_, &rect_, FALSE);
}

void AIControl::Enable(int enabled)
{
    enabled_ = enabled ? 1 : 0;
    if (!enabled_) hot_ = pressed_ = 0;
    if (hwnd_) EnableWindow(hwnd_, enabled_ ? TRUE : FALSE);
    Invalidate();
}

void AIControl::SetDrawStyle(int style)
{
    if (drawStyle_ == style) return;
    drawStyle_ = style;
    Invalidate();
}

void AIControl::SetPosition(int left, int top, int right, int bottom)
{
    if (!hwnd_ && parent_) InvalidateRect(parent_, &rect_, FALSE);
    SetRect(&rect_, left, top, right, bottom);
    if (hwnd_) MoveWindow(hwnd_, left, top, right - left, bottom - top, TRUE);
    else Invalidate();
}

void AIControl::MoveTo(int left, int top)
{
    SetPosition(left, top, left + (rect_.right - rect_.left), top + (rect_.bottom - rect_.top));
}

void AIControl::Invalidate()
{
    if (hwnd_) InvalidateRect(hwnd_, 0, FALSE);
    else if (parent_ && !IsRectEmpty(&rect_)) InvalidateRect(parent_, &rect_, FALSE);
}

void AIControl::Update()
{
    if (hwnd_) UpdateWindow(hwnd_);
    else if (parent_) UpdateWindow(parent_);
}

void AIControl::Validate()
{
    if (hwnd_) ValidateRect(hwnd_, 0);
    else if (parent_) ValidateRect(parent_, &rect_);
}

void AIControl::SetRedraw(int on)
{
    if (hwnd_) SendMessageW(hwnd_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
}

void AIControl::SetRedrawState()
{
    if (!hwnd_) {
        Invalidate();
        return;
    }
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd_, 0, 0, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void AIControl::SetText(const WCHAR* text)
{
    caption_.AssignText(text);
    if (hwnd_) SetWindowTextW(hwnd_, caption_.GetText());
    else Invalidate();
}

void AIControl::SetTextFromString(const AIString& text) { SetText(text.GetText()); }

void AIControl::SetTextFromChars(const WCHAR* text, int count)
{
    AIString copy;
    copy.AssignTextN(text, count);
    SetText(copy.GetText());
}

int AIControl::GetText(AIString* out) const
{
    if (!hwnd_) {
        out->Copy(caption_);
        return out->GetLength();
    }
    out->AssignControlText(hwnd_);
    return out->GetLength();
}

int AIControl::GetTextLength() const
{
    // Window text length: a rich edit counts a paragraph end as CR LF here.
    if (!hwnd_) return caption_.GetLength();
    return GetWindowTextLengthW(hwnd_);
}

int AIControl::SetFont(const WCHAR* face, int points)
{
    if (face && face[0]) CopyTextBounded(fontFace_, LF_FACESIZE, face);
    if (points > 0) fontSize_ = points;
    if (!hwnd_) return 1;
    if (kind_ == ControlRichEdit) {
        // The text keeps its sizes (headings) and marks: only the face changes
        // for it; new text takes the whole default. Not an edit: the modified flag stays.
        int modified = (int)SendMessageW(hwnd_, EM_GETMODIFY, 0, 0);
        CHARFORMAT2W format;
        ZeroMemory(&format, sizeof(format));
        format.cbSize = sizeof(format);
        format.dwMask = CFM_FACE | CFM_SIZE;
        format.yHeight = fontSize_ * 20;
        CopyTextBounded(format.szFaceName, LF_FACESIZE, fontFace_);
        SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&format);
        format.dwMask = CFM_FACE;
        SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&format);
        SendMessageW(hwnd_, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
        return 1;
    }
    HDC screen = GetDC(0);
    int height = -MulDiv(fontSize_, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(0, screen);
    HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, fontFace_);
    if (!font) return 0;
    SendMessageW(hwnd_, WM_SETFONT, (WPARAM)font, TRUE);
    if (font_) DeleteObject(font_);
    font_ = font;
    return 1;
}

void AIControl::SetTextLimit(int characters)
{
    if (!hwnd_) return;
    if (kind_ == ControlRichEdit) SendMessageW(hwnd_, EM_EXLIMITTEXT, 0, characters);
    else if (kind_ == ControlCombo || kind_ == ControlComboList) SendMessageW(hwnd_, CB_LIMITTEXT, characters, 0);
    else SendMessageW(hwnd_, EM_LIMITTEXT, characters, 0);
}

void AIControl::SetBackgroundColour(COLORREF colour)
{
    if (hwnd_ && kind_ == ControlRichEdit) SendMessageW(hwnd_, EM_SETBKGNDCOLOR, 0, colour);
}

void AIControl::SetFocus()
{
    if (hwnd_) ::SetFocus(hwnd_);
}

void AIControl::SelectAll() { SetSel(0, -1); }

void AIControl::SetSel(int from, int to)
{
    if (hwnd_) SendMessageW(hwnd_, EM_SETSEL, (WPARAM)from, (LPARAM)to);
}

void AIControl::SetSelRange(const CHARRANGE& range)
{
    if (hwnd_) SendMessageW(hwnd_, EM_EXSETSEL, 0, (LPARAM)&range);
}

int AIControl::GetSelectedEditText(AIString* out) const
{
    out->Clear();
    if (!hwnd_) return 0;
    if (kind_ == ControlRichEdit) {
        CHARRANGE range = {0, 0};
        SendMessageW(hwnd_, EM_EXGETSEL, 0, (LPARAM)&range);
        if (range.cpMax <= range.cpMin) return 0;
        WCHAR* buffer = out->GetBuffer(range.cpMax - range.cpMin + 1);
        if (!buffer) return 0;
        int got = (int)SendMessageW(hwnd_, EM_GETSELTEXT, 0, (LPARAM)buffer);
        out->SetLength(got > 0 ? got : 0);
        return out->GetLength();
    }
    DWORD from = 0, to = 0;
    SendMessageW(hwnd_, EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
    AIString all;
    all.AssignControlText(hwnd_);
    if ((int)to > all.GetLength()) to = all.GetLength();
    if (to > from) out->AssignTextN(all.GetText() + from, (int)(to - from));
    return out->GetLength();
}

WNDPROC AIControl::SetWindowData(WNDPROC procedure)
{
    if (!hwnd_) return 0;
    return (WNDPROC)SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, (LONG_PTR)procedure);
}

int AIControl::GetComboItemText(int index, AIString* out) const
{
    out->Clear();
    if (!hwnd_) return 0;
    int length = (int)SendMessageW(hwnd_, CB_GETLBTEXTLEN, index, 0);
    if (length < 0) return 0;
    WCHAR* buffer = out->GetBuffer(length + 1);
    if (!buffer) return 0;
    int got = (int)SendMessageW(hwnd_, CB_GETLBTEXT, index, (LPARAM)buffer);
    out->SetLength(got > 0 ? got : 0);
    return out->GetLength();
}

AITextDocument* AIControl::GetDocument()
{
    if (!hwnd_ || kind_ != ControlRichEdit) return 0;
    if (documentState_ == 0) documentState_ = document_.Attach(hwnd_) ? 1 : -1;
    return documentState_ == 1 ? &document_ : 0;
}
