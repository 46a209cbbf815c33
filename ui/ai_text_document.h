// AITextDocument: the note editor's (and the preview panes') text through the
// RichEdit Text Object Model, with the places where the platform's RichEdit
// falls short handled here and nowhere else:
// - link marks are read and written as the CHARFORMAT2 underline-type byte
//   (the object model's underline carries only on/off); plain text reads 0;
// - reading a mark leaves selection, scroll position and EN_SELCHANGE
//   listeners as they were; ranges are scanned by runs, not per character;
// - freezing uses WM_SETREDRAW with a nesting count;
// - font sizes and line spacing go through EM_SETCHARFORMAT / EM_SETPARAFORMAT;
// - text is inserted with EM_REPLACESEL, never ITextRange::SetText.
// Positions count a paragraph end as one character (as EM_EXGETSEL does).
#pragma once
#include "foundation/win.h"
#include <richedit.h>
#include <richole.h>
#include <tom.h>

class AIString;

// Values of the object model's tri-state formats.
enum : int32_t {
    TomTrue = -1,
    TomFalse = 0,
    TomToggle = -9999998,
    TomUndefined = -9999999,
};

// One run of equal underline value.
struct MarkRun {
    int32_t start;
    int32_t end;
    int32_t mark;  // underline value, 0 for plain text
};

class AITextDocument {
public:
    AITextDocument();
    ~AITextDocument();

    // Attaches to a rich edit (fetches ITextDocument); 1 or 0. Attach(0) releases.
    int Attach(HWND editor);
    HWND GetEditor() const { return editor_; }
    ITextDocument* GetInterface() const { return document_; }

    // Selection.
    int GetSelectionRange(CHARRANGE* range) const;
    void SelectRange(const CHARRANGE& range);   // EM_EXSETSEL
    void SelectRangeTom(int start, int end);   // ITextRange::Select

    // Text length, a paragraph end counted once.
    int GetTextLength() const;

    // Reading text (ranges are clipped to the text).
    int GetRangeText(int start, int end, AIString* out) const;
    int GetTextBetween(int start, int end, AIString* out) const { return GetRangeText(start, end, out); }
    // Into a caller's buffer of `capacity` characters (always terminated); returns the count.
    int GetRangeChars(int start, int end, WCHAR* out, int capacity) const;
    // At most 100 characters.
    int GetShortRangeChars(int start, int end, WCHAR* out, int capacity) const;
    // The character at a position, 0 outside the text.
    WCHAR GetCharAt(int position) const;
    int GetSelectedText(AIString* out) const;

    // Replaces a range (undoable, EM_REPLACESEL); the caret ends after the text.
    int SetRangeText(int start, int end, const WCHAR* text);

    // Underline value of a range: the link mark, 0 for plain text and when the
    // call fails, TomUndefined for a range with more than one value.
    int32_t GetRangeUnderline(int start, int end);
    // Writes the underline-type byte (0 clears the underline).
    int SetRangeUnderline(int start, int end, int32_t mark);
    // The runs of equal underline value in [start, end), at most maxRuns;
    // returns the count. One selection save and restore for the whole scan.
    int ScanMarks(int start, int end, MarkRun* runs, int maxRuns);

    // Tri-state formats (TomTrue, TomFalse, TomToggle; reads may give TomUndefined).
    int SetRangeBold(int start, int end, int32_t value);
    int32_t GetRangeBold(int start, int end) const;
    int SetRangeItalic(int start, int end, int32_t value);
    int32_t GetRangeItalic(int start, int end) const;
    int SetRangeStrikeThrough(int start, int end, int32_t value);
    int32_t GetRangeStrikeThrough(int start, int end) const;
    int SetRangeForeColour(int start, int end, COLORREF colour);
    int32_t GetRangeForeColour(int start, int end) const;
    // Background colour as a tint: neither the undo stack nor the modified
    // flag changes. colour -1 clears the background.
    int SetRangeBackColour(int start, int end, COLORREF colour);
    // Several background colours as one quiet change (undo and the modified
    // flag untouched once for all); colour (COLORREF)-1 is the automatic one.
    struct Tint {
        int32_t start;
        int32_t end;
        COLORREF colour;
    };
    int SetRangesBackColour(const Tint* tints, int count);
    int32_t GetRangeBackColour(int start, int end) const;
    // Font size in points (EM_SETCHARFORMAT; selection and scroll kept).
    int SetRangeFontSize(int start, int end, int points);
    // Points of the range, 0 when mixed or failed.
    int GetRangeFontSize(int start, int end) const;

    // 0 suspends, 1 resumes; nested: only the outermost resume records again.
    int SetUndoRecording(int on);
    int GetUndoSuspendDepth() const { return undoSuspend_; }
    // 1 freezes, 0 unfreezes; nested: the display comes back at the outermost unfreeze.
    int FreezeEditor(int freeze);
    int GetFreezeDepth() const { return freeze_; }
    // While frozen the window style says hidden; this is the real visibility.
    int IsEditorVisible() const;

    // Line spacing of the whole text: 10 single, 15 one and a half, 20 double,
    // above 100 at least v / 10 points, any other value single.
    int SetRangeLineSpacing(int value);

    // Heading font sizes (small, average, large) in points.
    void SetHeadingSizes(int smallest, int average, int large);
    int GetHeadingSize(int index) const;  // 0 small, 1 average, 2 large
    // 1 when a character of this size belongs to a heading.
    int IsHeadingSize(int points) const { return points >= headingSizes_[0]; }

private:
    AITextDocument(const AITextDocument&);
    AITextDocument& operator=(const AITextDocument&);
    ITextRange* MakeRange(int start, int end) const;
    int32_t GetFontValue(int start, int end, int which) const;
    int SetFontValue(int start, int end, int which, int32_t value);

    HWND editor_;
    IRichEditOle* ole_;
    ITextDocument* document_;
    int undoSuspend_;
    int freeze_;
    int visibleBeforeFreeze_;
    int headingSizes_[3];
};

// Reads the underline value of a CHARFORMAT2W as the program sees it: the
// type byte, 0 for plain text (the platform reports plain as type 1),
// TomUndefined when the format covers more than one value.
int32_t UnderlineValueOf(const CHARFORMAT2W& format);
