// The editor layer over RichEdit and its object model. See ai_text_document.h
// for which platform shortcomings are handled here.
#include "ui/ai_text_document.h"
#include "ui/editor_selection.h"
#include "foundation/ai_string.h"
#include "foundation/process_end.h"

// No import library carries this interface id.
static const GUID kIidITextDocument = {
    0x8cc497c0, 0xa1df, 0x11ce, {0x80, 0x98, 0x00, 0xaa, 0x00, 0x47, 0xbe, 0x5d}};

enum { FontBold, FontItalic, FontStrike, FontFore, FontBack, FontUnderline };

AITextDocument::AITextDocument()
    : editor_(0), ole_(0), document_(0), undoSuspend_(0), freeze_(0), visibleBeforeFreeze_(0)
{
    headingSizes_[0] = 14;
    headingSizes_[1] = 18;
    headingSizes_[2] = 24;
}

AITextDocument::~AITextDocument()
{
    if (!IsProcessEnding()) Attach(0);
}

int AITextDocument::Attach(HWND editor)
{
    if (document_) document_->Release();
    if (ole_) ole_->Release();
    document_ = 0;
    ole_ = 0;
    editor_ = editor;
    undoSuspend_ = 0;
    freeze_ = 0;
    if (!editor) return 1;
    IRichEditOle* ole = 0;
    if (!SendMessageW(editor, EM_GETOLEINTERFACE, 0, (LPARAM)&ole) || !ole) return 0;
    ole_ = ole;
    void* doc = 0;
    if (FAILED(ole_->QueryInterface(kIidITextDocument, &doc)) || !doc) return 0;
    document_ = (ITextDocument*)doc;
    return 1;
}

int AITextDocument::GetSelectionRange(CHARRANGE* range) const
{
    range->cpMin = range->cpMax = 0;
    if (!editor_) return 0;
    SendMessageW(editor_, EM_EXGETSEL, 0, (LPARAM)range);
    return 1;
}

void AITextDocument::SelectRange(const CHARRANGE& range)
{
    if (editor_) SendMessageW(editor_, EM_EXSETSEL, 0, (LPARAM)&range);
}

void AITextDocument::SelectRangeTom(int start, int end)
{
    ITextRange* range = MakeRange(start, end);
    if (!range) return;
    range->Select();
    range->Release();
}

int AITextDocument::GetTextLength() const
{
    if (!editor_) return 0;
    GETTEXTLENGTHEX query = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    return (int)SendMessageW(editor_, EM_GETTEXTLENGTHEX, (WPARAM)&query, 0);
}

ITextRange* AITextDocument::MakeRange(int start, int end) const
{
    if (!document_) return 0;
    ITextRange* range = 0;
    if (FAILED(document_->Range(start, end, &range))) return 0;
    return range;
}

int AITextDocument::GetRangeText(int start, int end, AIString* out) const
{
    out->Clear();
    int length = GetTextLength();
    if (start < 0) start = 0;
    if (end < 0 || end > length) end = length;
    if (end <= start || !editor_) return 0;
    WCHAR* buffer = out->GetBuffer(end - start + 1);
    if (!buffer) return 0;
    TEXTRANGEW request;
    request.chrg.cpMin = start;
    request.chrg.cpMax = end;
    request.lpstrText = buffer;
    int got = (int)SendMessageW(editor_, EM_GETTEXTRANGE, 0, (LPARAM)&request);
    if (got < 0) got = 0;
    out->SetLength(got);
    return got;
}

int AITextDocument::GetRangeChars(int start, int end, WCHAR* out, int capacity) const
{
    if (capacity <= 0) return 0;
    out[0] = 0;
    AIString text;
    GetRangeText(start, end, &text);
    return CopyTextBounded(out, capacity, text.GetText());
}

int AITextDocument::GetShortRangeChars(int start, int end, WCHAR* out, int capacity) const
{
    if (end - start > 100) end = start + 100;
    return GetRangeChars(start, end, out, capacity);
}

WCHAR AITextDocument::GetCharAt(int position) const
{
    WCHAR pair[2] = {0, 0};
    if (position < 0) return 0;
    GetRangeChars(position, position + 1, pair, 2);
    return pair[0];
}

int AITextDocument::GetSelectedText(AIString* out) const
{
    CHARRANGE range;
    GetSelectionRange(&range);
    return GetRangeText(range.cpMin, range.cpMax, out);
}

int AITextDocument::SetRangeText(int start, int end, const WCHAR* text)
{
    // ITextRange::SetText corrupts the platform's control when the range does
    // not start at 0; replacing the selection is sound and undoable.
    if (!editor_) return 0;
    CHARRANGE range = {start, end};
    SendMessageW(editor_, EM_EXSETSEL, 0, (LPARAM)&range);
    SendMessageW(editor_, EM_REPLACESEL, TRUE, (LPARAM)(text ? text : L""));
    return 1;
}

// ---- marks ----

int32_t UnderlineValueOf(const CHARFORMAT2W& format)
{
    if (!(format.dwMask & CFM_UNDERLINETYPE)) return TomUndefined;
    // Without the underline effect the text is plain whatever the type byte
    // says (the platform reports plain text as type 1).
    if (!(format.dwMask & CFM_UNDERLINE)) return TomUndefined;
    if (!(format.dwEffects & CFE_UNDERLINE)) return 0;
    return format.bUnderlineType;
}

int32_t AITextDocument::GetRangeUnderline(int start, int end)
{
    if (!editor_) return 0;
    // Most text is plain: the object model says so without moving the
    // selection, at a cost per character, so only for short ranges.
    const int kShortRange = 64;
    if (document_ && end > start && end - start <= kShortRange && GetFontValue(start, end, FontUnderline) == TomFalse)
        return 0;
    QuietSelection quiet(editor_, 0);
    CHARFORMAT2W format;
    if (!ReadRangeFormat(editor_, start, end, &format)) return 0;
    return UnderlineValueOf(format);
}

int AITextDocument::SetRangeUnderline(int start, int end, int32_t mark)
{
    if (!editor_) return 0;
    CHARFORMAT2W format;
    ZeroMemory(&format, sizeof(format));
    format.cbSize = sizeof(format);
    format.dwMask = CFM_UNDERLINETYPE | CFM_UNDERLINE;
    format.dwEffects = mark ? CFE_UNDERLINE : 0;
    format.bUnderlineType = (BYTE)mark;
    QuietSelection quiet(editor_, 1);
    return WriteRangeFormat(editor_, start, end, format);
}

namespace {
struct MarkScan {
    HWND editor;
    MarkRun* runs;
    int maxRuns;
    int count;
    int full;
};

void AddRun(MarkScan* scan, int start, int end, int32_t mark)
{
    if (scan->count > 0 && scan->runs[scan->count - 1].mark == mark &&
        scan->runs[scan->count - 1].end == start) {
        scan->runs[scan->count - 1].end = end;
        return;
    }
    if (scan->count >= scan->maxRuns) {
        scan->full = 1;
        return;
    }
    MarkRun& run = scan->runs[scan->count++];
    run.start = start;
    run.end = end;
    run.mark = mark;
}

// Halves a range until each piece has one underline value: a few hundred
// format reads for a note instead of one per character.
void ScanPiece(MarkScan* scan, int start, int end)
{
    if (scan->full || end <= start) return;
    CHARFORMAT2W format;
    int32_t value = TomUndefined;
    if (ReadRangeFormat(scan->editor, start, end, &format)) value = UnderlineValueOf(format);
    if (value != TomUndefined || end - start == 1) {
        AddRun(scan, start, end, value == TomUndefined ? 0 : value);
        return;
    }
    int middle = start + (end - start) / 2;
    ScanPiece(scan, start, middle);
    ScanPiece(scan, middle, end);
}
}  // namespace

int AITextDocument::ScanMarks(int start, int end, MarkRun* runs, int maxRuns)
{
    if (!editor_ || maxRuns <= 0) return 0;
    int length = GetTextLength();
    if (start < 0) start = 0;
    if (end < 0 || end > length) end = length;
    MarkScan scan = {editor_, runs, maxRuns, 0, 0};
    QuietSelection quiet(editor_, 0);
    ScanPiece(&scan, start, end);
    return scan.count;
}

// ---- object-model formats ----

int32_t AITextDocument::GetFontValue(int start, int end, int which) const
{
    ITextRange* range = MakeRange(start, end);
    if (!range) return TomUndefined;
    ITextFont* font = 0;
    LONG value = TomUndefined;
    if (SUCCEEDED(range->GetFont(&font)) && font) {
        HRESULT hr = E_FAIL;
        switch (which) {
        case FontBold: hr = font->GetBold(&value); break;
        case FontItalic: hr = font->GetItalic(&value); break;
        case FontStrike: hr = font->GetStrikeThrough(&value); break;
        case FontFore: hr = font->GetForeColor(&value); break;
        case FontBack: hr = font->GetBackColor(&value); break;
        case FontUnderline: hr = font->GetUnderline(&value); break;
        }
        if (FAILED(hr)) value = TomUndefined;
        font->Release();
    }
    range->Release();
    return value;
}

int AITextDocument::SetFontValue(int start, int end, int which, int32_t value)
{
    ITextRange* range = MakeRange(start, end);
    if (!range) return 0;
    ITextFont* font = 0;
    HRESULT hr = E_FAIL;
    if (SUCCEEDED(range->GetFont(&font)) && font) {
        switch (which) {
        case FontBold: hr = font->SetBold(value); break;
        case FontItalic: hr = font->SetItalic(value); break;
        case FontStrike: hr = font->SetStrikeThrough(value); break;
        case FontFore: hr = font->SetForeColor(value); break;
        case FontBack: hr = font->SetBackColor(value); break;
        }
        font->Release();
    }
    range->Release();
    return SUCCEEDED(hr) ? 1 : 0;
}

int AITextDocument::SetRangeBold(int s, int e, int32_t v) { return SetFontValue(s, e, FontBold, v); }
int32_t AITextDocument::GetRangeBold(int s, int e) const { return GetFontValue(s, e, FontBold); }
int AITextDocument::SetRangeItalic(int s, int e, int32_t v) { return SetFontValue(s, e, FontItalic, v); }
int32_t AITextDocument::GetRangeItalic(int s, int e) const { return GetFontValue(s, e, FontItalic); }
int AITextDocument::SetRangeStrikeThrough(int s, int e, int32_t v) { return SetFontValue(s, e, FontStrike, v); }
int32_t AITextDocument::GetRangeStrikeThrough(int s, int e) const { return GetFontValue(s, e, FontStrike); }
int AITextDocument::SetRangeForeColour(int s, int e, COLORREF c) { return SetFontValue(s, e, FontFore, (int32_t)c); }
int32_t AITextDocument::GetRangeForeColour(int s, int e) const { return GetFontValue(s, e, FontFore); }
int32_t AITextDocument::GetRangeBackColour(int s, int e) const { return GetFontValue(s, e, FontBack); }

int AITextDocument::SetRangeBackColour(int start, int end, COLORREF colour)
{
    const Tint tint = {start, end, colour};
    return SetRangesBackColour(&tint, 1);
}

int AITextDocument::SetRangesBackColour(const Tint* tints, int count)
{
    // A tint is no edit: the user's undo steps and the modified flag stay.
    if (!editor_) return 0;
    int modified = (int)SendMessageW(editor_, EM_GETMODIFY, 0, 0);
    SetUndoRecording(0);
    int ok = 1;
    for (int i = 0; i < count; i++) {
        COLORREF colour = tints[i].colour;
        int32_t value = colour == (COLORREF)-1 ? (int32_t)tomAutoColor : (int32_t)colour;
        if (!SetFontValue(tints[i].start, tints[i].end, FontBack, value)) ok = 0;
    }
    SetUndoRecording(1);
    SendMessageW(editor_, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
    return ok;
}

int AITextDocument::SetRangeFontSize(int start, int end, int points)
{
    // ITextFont::SetSize is off by a factor of 20 on the platform's RichEdit.
    if (!editor_ || points <= 0) return 0;
    CHARFORMAT2W format;
    ZeroMemory(&format, sizeof(format));
    format.cbSize = sizeof(format);
    format.dwMask = CFM_SIZE;
    format.yHeight = points * 20;
    QuietSelection quiet(editor_, 1);
    return WriteRangeFormat(editor_, start, end, format);
}

int AITextDocument::GetRangeFontSize(int start, int end) const
{
    ITextRange* range = MakeRange(start, end);
    if (!range) return 0;
    ITextFont* font = 0;
    float size = 0;
    if (SUCCEEDED(range->GetFont(&font)) && font) {
        if (FAILED(font->GetSize(&size)) || size < 0) size = 0;
        font->Release();
    }
    range->Release();
    return (int)(size + 0.5f);
}

// ---- undo, freezing, paragraphs ----

int AITextDocument::SetUndoRecording(int on)
{
    if (!document_) return 0;
    HRESULT hr = S_OK;
    if (!on) {
        if (undoSuspend_++ == 0) hr = document_->Undo(tomSuspend, 0);
    } else if (undoSuspend_ > 0) {
        if (--undoSuspend_ == 0) hr = document_->Undo(tomResume, 0);
    }
    // The platform answers S_FALSE on success.
    return SUCCEEDED(hr) ? 1 : 0;
}

int AITextDocument::FreezeEditor(int freeze)
{
    // ITextDocument::Freeze is missing on the platform; WM_SETREDRAW nests here.
    if (!editor_) return 0;
    if (freeze) {
        if (freeze_++ == 0) {
            visibleBeforeFreeze_ = IsWindowVisible(editor_) ? 1 : 0;
            SendMessageW(editor_, WM_SETREDRAW, FALSE, 0);
        }
    } else if (freeze_ > 0) {
        if (--freeze_ == 0) {
            SendMessageW(editor_, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(editor_, 0, TRUE);
        }
    }
    return freeze_;
}

int AITextDocument::IsEditorVisible() const
{
    if (!editor_) return 0;
    // WM_SETREDRAW FALSE clears WS_VISIBLE: while frozen the style says nothing.
    if (freeze_ > 0) return visibleBeforeFreeze_;
    return IsWindowVisible(editor_) ? 1 : 0;
}

int AITextDocument::SetRangeLineSpacing(int value)
{
    // ITextPara's line spacing is not implemented on the platform.
    if (!editor_) return 0;
    PARAFORMAT2 format;
    ZeroMemory(&format, sizeof(format));
    format.cbSize = sizeof(format);
    format.dwMask = PFM_LINESPACING;
    if (value == 15) {
        format.bLineSpacingRule = 1;
    } else if (value == 20) {
        format.bLineSpacingRule = 2;
    } else if (value > 100) {
        format.bLineSpacingRule = 3;  // at least dyLineSpacing
        format.dyLineSpacing = value / 10 * 20;
    } else {
        format.bLineSpacingRule = 0;
    }
    QuietSelection quiet(editor_, 1);
    CHARRANGE all = {0, -1};
    SendMessageW(editor_, EM_EXSETSEL, 0, (LPARAM)&all);
    return SendMessageW(editor_, EM_SETPARAFORMAT, 0, (LPARAM)&format) ? 1 : 0;
}

void AITextDocument::SetHeadingSizes(int smallest, int average, int large)
{
    headingSizes_[0] = smallest;
    headingSizes_[1] = average;
    headingSizes_[2] = large;
}

int AITextDocument::GetHeadingSize(int index) const
{
    return (index >= 0 && index < 3) ? headingSizes_[index] : 0;
}
