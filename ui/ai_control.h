// AIControl: a child control, either a real child window or a windowless
// control that its parent draws and feeds with mouse positions. Ids are 16-bit
// and handed out from one counter starting at 41001 when the object is built,
// so global controls carry their command id before WinMain.
#pragma once
#include "foundation/win.h"
#include <richedit.h>
#include "foundation/ai_string.h"
#include "ui/ai_text_document.h"

class AIResourceImage;

enum ControlKind {
    ControlStandard = 1,      // "STANDARD": windowless button with a TextMarkup caption
    ControlEdit = 2,          // "edit"
    ControlRichEdit = 3,      // "RichEdit20W"
    ControlButton = 4,        // 4-6 and 8: "button"
    ControlCheckBox = 5,
    ControlRadio = 6,
    ControlStatic = 7,        // "static"
    ControlGroupBox = 8,
    ControlListView = 9,      // "SysListView32"
    ControlCombo = 10,        // 10-11: "COMBOBOX"
    ControlComboList = 11,
    ControlHyperlink = 12,    // "aihyperlink"
    ControlImageButton = 13,  // "aiimgbutton"
    ControlSplitter = 14,     // "splitter"
    ControlListBox = 16,      // "LISTBOX"
};

// The window class of a kind; null for an unknown kind.
const WCHAR* ControlClassName(int kind);

enum { kFirstControlId = 41001 };

// The view of an editor kept by SaveEditorView(1).
struct EditorView {
    POINT scroll;
    CHARRANGE selection;
    int32_t length;  // characters, a paragraph end counted once
};

class AIControl {
public:
    AIControl();
    ~AIControl();

    // Windowless controls.
    int CreateStandard(HWND parent, const WCHAR* text, int left, int top, int width, int height);
    int CreateStandardText(HWND parent, const WCHAR* text);
    int CreateStandardBare(HWND parent);
    int CreateVirtualAt(int kind, int left, int top, int width, int height);
    int CreateVirtualWithText(int kind, const WCHAR* text, int left, int top, int width, int height);
    // The parent window of a windowless control (it receives WM_COMMAND on a click).
    void SetParent(HWND parent) { parent_ = parent; }

    // A real child window; a failed creation asks AskRetryOutOfResources.
    // A rich edit gets its default character format here. Returns 1 or 0.
    int CreateWindowedAt(int kind, HWND parent, int left, int top, int width, int height,
                         DWORD style);

    // Mouse tracking of a windowless control (client coordinates of the parent).
    // Down: 1 when the press landed on the control. Move: 1 when the hot state
    // changed. Up: 1 on a click (press and release on the enabled control),
    // which also posts WM_COMMAND with the id to the parent.
    int OnMouseDown(int x, int y);
    int OnMouseMove(int x, int y);
    int OnMouseUp(int x, int y);
    int IsHot() const { return hot_; }
    int IsPressed() const { return pressed_; }
    int IsClicked() const { return clicked_; }
    int HitTest(int x, int y) const;

    // Draws a windowless control: face by state, caption as TextMarkup, greyed when disabled.
    void Paint(HDC dc);
    // Where the caption is laid out: the face less a small margin.
    RECT GetCaptionRect() const;
    // Widens a windowless control whose caption holds a word wider than the
    // caption rectangle, so that the caption breaks only between words.
    // Returns the control's width; `dc` measures (one serves many controls).
    int FitCaptionWidth(HDC dc);
    // Space around a picture, and the caption's room under one.
    enum { kPictureGap = 6, kPictureCaptionRoom = 30 };

    void Show();
    void Hide();
    int IsVisible() const { return visible_; }
    void Enable(int enabled);
    int IsEnabled() const { return enabled_; }
    // A ribbon control's pressed (1) or released (0) drawing.
    void SetDrawStyle(int style);
    int GetFirstField() const { return drawStyle_; }

    RECT GetRect() const { return rect_; }
    void CopyRect(RECT* out) const { *out = rect_; }
    void SetPosition(int left, int top, int right, int bottom);
    void MoveTo(int left, int top);

    HWND GetHwnd() const { return hwnd_; }
    HWND GetParentHwnd() const { return parent_; }
    WORD GetId() const { return id_; }
    // A control that stands for a command (a ribbon control) posts the
    // command's id instead of the id it was given.
    void AssignCommandId(WORD commandId) { id_ = commandId; }
    int GetKind() const { return kind_; }

    void Invalidate();
    void Update();
    void Validate();
    void SetRedraw(int on);
    // Redraw on and a full repaint.
    void SetRedrawState();

    void SetTextFromString(const AIString& text);
    void SetTextFromChars(const WCHAR* text, int count);
    void SetText(const WCHAR* text);
    // Window text of a real control, caption of a windowless one. For a rich
    // edit this measure counts a paragraph end as CR LF; positions and
    // AITextDocument::GetTextLength count it once.
    int GetText(AIString* out) const;
    int GetTextLength() const;
    const AIString& GetCaption() const { return caption_; }

    // A rich edit: the default format takes face and size, its text only the
    // face (sizes of headings and the marks stay). 0 or empty keeps a part.
    int SetFont(const WCHAR* face, int points);
    int GetFontSize() const { return fontSize_; }
    const WCHAR* GetFontFace() const { return fontFace_; }
    void SetTextLimit(int characters);
    void SetBackgroundColour(COLORREF colour);

    void SetFocus();
    void SelectAll();
    void SetSel(int from, int to);
    void SetSelRange(const CHARRANGE& range);
    int GetSelectedEditText(AIString* out) const;

    int32_t GetValue() const { return value_; }
    void SetValue(int32_t value) { value_ = value; }

    // Installs a window procedure on a real control; returns the previous one.
    WNDPROC SetWindowData(WNDPROC procedure);
    int GetComboItemText(int index, AIString* out) const;

    // Help text shown for a ribbon control.
    void SetHelpText(const WCHAR* text) { helpText_.AssignText(text); }
    const AIString& GetHelpText() const { return helpText_; }

    // Image of an image button (not owned).
    void SetImage(HBITMAP image) { image_ = image; }
    // A picture drawn with the caption (not owned): above it when the control
    // is tall enough for both, else left of it; greyed while disabled.
    void SetPicture(AIResourceImage* picture) { picture_ = picture; }
    // The same with the picture decoded from a PNG resource only when the
    // control is first made ready to show (LoadPicture): a control that never
    // shows never decodes it.
    void SetPictureResource(AIResourceImage* picture, int pngResourceId);
    // Decodes a picture given by resource that is not decoded yet (once,
    // even when the resource is missing).
    void LoadPicture();
    AIResourceImage* GetPicture() const { return picture_; }

    // ---- Editor operations of a rich edit (positions count a paragraph end once) ----
    // The Text Object Model document of a rich edit (made on first use).
    AITextDocument* GetDocument();
    // Link runs coloured by kind (else blue).
    void SetColourByKind(int on) { colourByKind_ = on; }
    int GetColourByKind() const { return colourByKind_; }

    // The word around a position: separators are blank, TAB, CR and LF; inside
    // a link the whole run with the same mark. At most `limit` characters.
    // Returns the mark of the word's first character (0 for plain text) and
    // fills range and text; returns 0 with an empty range when there is no word.
    int32_t GetWordAt(int position, CHARRANGE* range, AIString* text, int limit, int flags);

    // Mode 1 writes a link run (underline and protected on, bold off, the mark
    // as underline type, the colour by kind or `colour` when not -1; a hyperlink
    // text in square brackets loses them; at most 200 characters). Any other
    // mode writes the plain format. The selection and scroll position stay.
    // Returns the end of the formatted range.
    int FormatRange(int start, int end, int mode, int32_t mark, COLORREF colour = (COLORREF)-1);
    int FormatRangeDefault(int start, int end);
    int ApplyRangeFormat(int start, int end, int mode);

    // Font size of a range in points; useDefault 1 gives it the editor's size.
    int ChangeRangeFontSize(int start, int end, int points, int useDefault);

    // 0: returns the text length; 1: also keeps scroll position and selection.
    int SaveEditorView(int keep);
    void RestoreEditorView();
    const EditorView& GetSavedView() const { return savedView_; }

    // Streams an RTF file into the rich edit (replacing its text). 1 or 0.
    // Rich text does not carry the link marks on this platform: the caller
    // marks the links again from the note store afterwards.
    int LoadFileIntoEditor(const WCHAR* path);

private:
    enum { kCaptionMarginX = 3, kCaptionMarginY = 2 };
    AIControl(const AIControl&);
    AIControl& operator=(const AIControl&);
    void ApplyEditorDefaultFormat();

    WORD id_;
    int kind_;
    HWND hwnd_;
    HWND parent_;
    RECT rect_;
    int visible_;
    int enabled_;
    int hot_;
    int pressed_;
    int clicked_;
    int drawStyle_;
    int32_t value_;
    int fontSize_;
    WCHAR fontFace_[LF_FACESIZE];
    HFONT font_;
    int colourByKind_;
    POINT PicturePlace(const RECT& face, RECT& inner) const;
    void PlacePicture(HDC dc, const RECT& face, RECT& inner);
    HBITMAP image_;
    AIResourceImage* picture_ = nullptr;
    int pictureResource_ = 0;  // a PNG not decoded yet into picture_
    AIString caption_;
    AIString helpText_;
    AITextDocument document_;
    int documentState_;  // 0 not tried, 1 attached, -1 failed
    EditorView savedView_;
};

// The next id the counter would hand out (tests).
WORD PeekNextControlId();
