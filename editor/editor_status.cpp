// UpdateEditorStatus: the editor's status text, highlight, ribbon states and
// length limits.
#include "editor/editor_status.h"
#include "editor/status_text.h"
#include "editor/keys/editor_state.h"
#include "editor/keys/note_editor.h"
#include "editor/links/completion_popup.h"
#include "editor/links/link_context.h"
#include "foundation/ai_string.h"
#include "foundation/clipboard.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/link_marks.h"

namespace {

const COLORREF kHighlightLine = RGB(255, 210, 130);
const COLORREF kHighlightCaret = RGB(100, 255, 100);
const int32_t kHighlightMargin = 10;
// A character background taken off: the editor's own shows.
const COLORREF kNoTint = (COLORREF)-1;
// Keys whose refresh counts the words again.
const int32_t kKeysThatRecount[] = {VK_SPACE, VK_RETURN, VK_DELETE};

// No note's figures are kept (the current index is never this).
const int32_t kNoStatusNote = -2;

struct StatusCache {
    int32_t noteIndex = kNoStatusNote;
    CHARRANGE selection = {-1, -1};
    int32_t line = 0, lineCount = 0, lineStart = 0, lineLength = 0, column = 0;
    int32_t words = 0, chars = 0;
    int32_t allCaps = 0;
    AIString text;
};
StatusCache s_cache;

// The selection a link's status text was shown for; shown 0 when none is.
struct LinkStatus {
    int shown = 0;
    CHARRANGE selection = {0, 0};
};
LinkStatus s_linkStatus;

int RecountsFor(int32_t mode)
{
    if (mode == kEditorStatusEnter || mode == kEditorStatusLeave) return 1;
    for (int32_t key : kKeysThatRecount)
        if (mode == key) return 1;
    return 0;
}

void SetRibbon(EditorRibbonControl control, int enabled, int pressed)
{
    g_noteEditor.enabled[control] = (uint8_t)(enabled ? 1 : 0);
    g_noteEditor.pressed[control] = (uint8_t)(pressed ? 1 : 0);
}

void Position(AITextDocument* doc, HWND hwnd, const CHARRANGE& selection, int32_t mode)
{
    StatusCache& c = s_cache;
    int sameLineStep = c.selection.cpMin >= 0 && selection.cpMin == selection.cpMax &&
                       c.selection.cpMin == c.selection.cpMax &&
                       (selection.cpMin - c.selection.cpMin == 1 || selection.cpMin - c.selection.cpMin == -1) &&
                       selection.cpMin >= c.lineStart && selection.cpMin <= c.lineStart + c.lineLength &&
                       mode != kEditorStatusEnter && mode != kEditorStatusLeave;
    if (sameLineStep) {
        c.column = selection.cpMin - c.lineStart;
    } else {
        c.line = (int32_t)SendMessageW(hwnd, EM_EXLINEFROMCHAR, 0, selection.cpMin);
        c.lineCount = (int32_t)SendMessageW(hwnd, EM_GETLINECOUNT, 0, 0);
        c.lineStart = (int32_t)SendMessageW(hwnd, EM_LINEINDEX, c.line, 0);
        c.lineLength = (int32_t)SendMessageW(hwnd, EM_LINELENGTH, c.lineStart, 0);
        c.column = selection.cpMin - c.lineStart;
    }
    c.selection = selection;
    (void)doc;
}

void Count(AITextDocument* doc, const CHARRANGE& selection)
{
    AIString text;
    if (selection.cpMax > selection.cpMin) doc->GetRangeText(selection.cpMin, selection.cpMax, &text);
    else doc->GetRangeText(0, -1, &text);
    s_cache.chars = text.GetLength();
    s_cache.words = CountStatusWords(text.GetText(), text.GetLength());
}

// The caret line's highlight: the characters' background, the line's and the
// caret's, set on entering and taken off whole on leaving (also when the
// note changed meanwhile: its range is kept apart from the cache).
struct HighlightRange {
    int32_t start = 0, end = 0;
};
HighlightRange s_highlight;

void Highlight(AITextDocument* doc, int32_t mode)
{
    StatusCache& c = s_cache;
    if (mode == kEditorStatusEnter) {
        int32_t length = doc->GetTextLength();
        doc->SetRangeBackColour(c.lineStart, c.lineStart + c.lineLength, kHighlightLine);
        if (c.selection.cpMin < length)
            doc->SetRangeBackColour(c.selection.cpMin > 0 ? c.selection.cpMin - 1 : 0, c.selection.cpMin + 1,
                                    kHighlightCaret);
        s_highlight.start = c.lineStart - kHighlightMargin < 0 ? 0 : c.lineStart - kHighlightMargin;
        s_highlight.end = c.lineStart + c.lineLength + kHighlightMargin;
        if (s_highlight.end > length) s_highlight.end = length;
    } else if (mode == kEditorStatusLeave) {
        if (g_editorShell.applyEditorBackground) g_editorShell.applyEditorBackground();
        int32_t length = doc->GetTextLength();
        int32_t end = s_highlight.end > length ? length : s_highlight.end;
        if (end > s_highlight.start) doc->SetRangeBackColour(s_highlight.start, end, kNoTint);
        s_highlight = HighlightRange();
    }
}

// The ribbon's editing controls follow the text at the caret.
void RibbonStates(AITextDocument* doc, const CHARRANGE& selection)
{
    AIControl* editor = g_noteEditor.control;
    int hasSelection = selection.cpMax > selection.cpMin;
    int32_t after = LinkMarkAt(editor, selection.cpMin);
    int32_t before = selection.cpMin > 0 ? LinkMarkAt(editor, selection.cpMin - 1) : after;
    int32_t state = kEditingNormal;
    int heading = IsHeadingMark(before) || IsHeadingMark(after);
    int strike = doc->GetRangeStrikeThrough(selection.cpMin > 0 ? selection.cpMin - 1 : 0,
                                            selection.cpMin > 0 ? selection.cpMin : 1) == TomTrue;
    for (int i = 0; i < kRibbonControlCount; i++) SetRibbon((EditorRibbonControl)i, 1, 0);
    if (heading) {
        state = kEditingHeading;
        SetRibbon(kRibbonHyperlink, 0, 0);
        SetRibbon(kRibbonBold, 0, 0);
        SetRibbon(kRibbonItalic, 0, 0);
        SetRibbon(kRibbonStrike, 0, 0);
        SetRibbon(kRibbonPaste, 0, 0);
        int32_t size = doc->GetRangeFontSize(selection.cpMin, selection.cpMin + 1);
        EditorRibbonControl pressedHeading = size >= doc->GetHeadingSize(2)   ? kRibbonHeadingLarge
                                             : size >= doc->GetHeadingSize(1) ? kRibbonHeadingAverage
                                                                              : kRibbonHeadingSmall;
        SetRibbon(pressedHeading, 1, 1);
    } else if (strike) {
        state = kEditingStrike;
        SetRibbon(kRibbonStrike, 1, 1);
        SetRibbon(kRibbonBold, 0, 0);
        SetRibbon(kRibbonItalic, 0, 0);
        SetRibbon(kRibbonHyperlink, 0, 0);
        for (int c = kRibbonNormal; c <= kRibbonHeadingLarge; c++) SetRibbon((EditorRibbonControl)c, 0, 0);
    } else {
        SetRibbon(kRibbonNormal, 1, !hasSelection && !(after == HyperlinkMark && before != after));
        int bold = selection.cpMin > 0 && doc->GetRangeBold(selection.cpMin - 1, selection.cpMin) == TomTrue;
        int italic = selection.cpMin > 0 && doc->GetRangeItalic(selection.cpMin - 1, selection.cpMin) == TomTrue;
        SetRibbon(kRibbonBold, hasSelection || bold, bold);
        SetRibbon(kRibbonItalic, hasSelection || italic, italic);
    }
    if (after == HyperlinkMark && before == HyperlinkMark) SetRibbon(kRibbonPaste, 0, 0);
    if (after == NoteLinkMark && before == NoteLinkMark) SetRibbon(kRibbonPaste, 0, 0);
    if (after == TagMark && before == TagMark) SetRibbon(kRibbonPaste, 0, 0);
    SetRibbon(kRibbonCopy, hasSelection, 0);
    SetRibbon(kRibbonCopyPlain, hasSelection, 0);
    SetRibbon(kRibbonCut, hasSelection, 0);
    if (hasSelection) {
        SetRibbon(kRibbonPaste, 0, 0);
        AIString text;
        doc->GetRangeText(selection.cpMin, selection.cpMax, &text);
        int lineBreak = text.FindChar(L'\r') >= 0;
        int link = RangeCutsHyperlink(editor, selection.cpMin, selection.cpMax);
        if (lineBreak || link) {
            // Strike-through goes line by line; bold and italic stay on one line.
            SetRibbon(kRibbonBold, 0, 0);
            SetRibbon(kRibbonItalic, 0, 0);
            if (link) SetRibbon(kRibbonStrike, 0, 0);
            if (lineBreak) SetRibbon(kRibbonHyperlink, 0, 0);
            if (state != kEditingHeading) state = link ? kEditingMixedLink : kEditingLinesSelected;
        }
        if (link) SetRibbon(kRibbonHyperlink, 0, 0);
        // A hyperlink keeps its own look: no effect over any of it.
        if (RangeHoldsHyperlink(editor, selection.cpMin, selection.cpMax)) {
            SetRibbon(kRibbonBold, 0, 0);
            SetRibbon(kRibbonItalic, 0, 0);
            SetRibbon(kRibbonStrike, 0, 0);
        }
    }
    HWND hwnd = g_noteEditor.hwnd;
    SetRibbon(kRibbonUndo, (int)SendMessageW(hwnd, EM_CANUNDO, 0, 0), 0);
    SetRibbon(kRibbonRedo, (int)SendMessageW(hwnd, EM_CANREDO, 0, 0), 0);
    SetRibbon(kRibbonInNoteSearch, 1, 0);
    if (IsDatafileLoaded() && IsDatafileReadOnly()) {
        SetRibbon(kRibbonPaste, 0, 0);
        SetRibbon(kRibbonHyperlink, 0, 0);
        for (int c = kRibbonNormal; c <= kRibbonHeadingLarge; c++) SetRibbon((EditorRibbonControl)c, 0, 0);
    }
    g_noteEditor.editingState = state;
    if (g_editorShell.setRibbonControl)
        for (int i = 0; i < kRibbonControlCount; i++)
            g_editorShell.setRibbonControl((EditorRibbonControl)i, g_noteEditor.enabled[i], g_noteEditor.pressed[i]);
}

void LengthAndCaps()
{
    int32_t caps = EditorIsKeyToggled(VK_CAPITAL);
    s_cache.allCaps = caps;
    if (!g_editorShell.setStatusSlot) return;
    g_editorShell.setStatusSlot(caps ? kAllCapsText : L"", kStatusInfo, kStatusSlotCaps);
    AIString text;
    int32_t length = caps ? 0 : EditorNoteLength();
    NoteLengthText(length, text);
    g_editorShell.setStatusSlot(text.GetText(),
                                ClassifyNoteLength(length) == kNoteLengthError ? kStatusError : kStatusWarning,
                                kStatusSlotLength);
}

}  // namespace

int32_t EditorNoteLength()
{
    HWND hwnd = g_noteEditor.hwnd;
    if (!hwnd) return 0;
    GETTEXTLENGTHEX request = {GTL_NUMCHARS | GTL_USECRLF | GTL_PRECISE, 1200};
    int32_t chars = (int32_t)SendMessageW(hwnd, EM_GETTEXTLENGTHEX, (WPARAM)&request, 0);
    return chars + g_noteStore.hiddenLinkChars;
}

void UpdateEditorRibbon()
{
    AIControl* editor = g_noteEditor.control;
    AITextDocument* doc = editor ? editor->GetDocument() : 0;
    if (!doc || !g_noteEditor.hwnd) return;
    CHARRANGE selection;
    doc->GetSelectionRange(&selection);
    RibbonStates(doc, selection);
}

int32_t UpdateEditorStatus(int32_t mode)
{
    TRACE_SCOPE(kTraceEditorStatus, 1);
    AIControl* editor = g_noteEditor.control;
    AITextDocument* doc = editor ? editor->GetDocument() : 0;
    HWND hwnd = g_noteEditor.hwnd;
    if (!doc || !hwnd) return 0;
    // The Tags list speaks on the status line while it is open. A note newly
    // put in the editor has its figures written all the same.
    int32_t newNote = s_cache.noteIndex != g_noteStore.currentIndex;
    if (!newNote && (g_noteEditor.ctrlHintArmed || OpenCompletionList() == kCompletionTags ||
                     (g_editorShell.isQuickSearchFocused && g_editorShell.isQuickSearchFocused())))
        return s_cache.words;
    if (newNote) {
        int32_t index = g_noteStore.currentIndex;
        s_cache = StatusCache();
        s_cache.noteIndex = index;
    }
    if (mode == kEditorStatusRepeat) {
        if (!s_cache.text.IsEmpty() && g_editorShell.setStatusSlot)
            g_editorShell.setStatusSlot(s_cache.text.GetText(), kStatusDone, kStatusSlotEditor);
        LengthAndCaps();
        return s_cache.words;
    }
    CHARRANGE selection;
    doc->GetSelectionRange(&selection);
    if (s_linkStatus.shown && (selection.cpMin != s_linkStatus.selection.cpMin ||
                               selection.cpMax != s_linkStatus.selection.cpMax))
        EndLinkStatus();
    Position(doc, hwnd, selection, mode);
    if (selection.cpMax > selection.cpMin || RecountsFor(mode)) Count(doc, selection);
    Highlight(doc, mode);
    if (!s_cache.allCaps || !EditorIsKeyToggled(VK_CAPITAL)) {
        EditorStatusFacts facts = {};
        facts.noteNumber = g_noteStore.currentIndex < 0 ? 0 : g_noteStore.currentIndex;
        facts.noteCount = GetNoteCount();
        facts.line = s_cache.line;
        facts.lineCount = s_cache.lineCount;
        facts.column = s_cache.column;
        facts.hasSelection = selection.cpMax > selection.cpMin;
        facts.withCounts = mode == kEditorStatusEnter || mode == kEditorStatusLeave;
        facts.words = s_cache.words;
        facts.chars = s_cache.chars;
        facts.readOnly = IsDatafileLoaded() && IsDatafileReadOnly();
        ComposeEditorStatus(facts, s_cache.text);
        // Written while the editor pane is shown, also in a frame that has
        // not shown yet (the start puts the first note in unseen).
        if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) && mode != VK_SHIFT) {
            AIString shown(L"<vlblue>Editor</vlblue>:");
            shown.AppendString(s_cache.text);
            if (g_editorShell.setStatusSlot) g_editorShell.setStatusSlot(shown.GetText(), kStatusDone, kStatusSlotEditor);
        }
    }
    // While QuickSearch has the focus the ribbon is its own; the editor sets
    // it again when entered.
    if (!(g_editorShell.isQuickSearchFocused && g_editorShell.isQuickSearchFocused())) RibbonStates(doc, selection);
    LengthAndCaps();
    if (g_editorShell.content) InvalidateRect(g_editorShell.content, nullptr, FALSE);
    return s_cache.words;
}

void ShowLinkStatus(const WCHAR* text)
{
    EditorStatus(text, kStatusInfo);
    s_linkStatus.shown = 1;
    ReadEditorSelection(&s_linkStatus.selection);
}

void EndLinkStatus()
{
    if (!s_linkStatus.shown) return;
    s_linkStatus.shown = 0;
    EditorStatus(L"Ready", kStatusInfo);
}

const WCHAR* GetEditorStatusText() { return s_cache.text.GetText(); }

void ForgetEditorStatus() { s_cache.noteIndex = kNoStatusNote; }
void ForgetEditorStatusPosition() { s_cache.selection.cpMin = s_cache.selection.cpMax = -1; }
int32_t GetEditorEditingState() { return g_noteEditor.editingState; }
int32_t IsEditorAllCaps() { return s_cache.allCaps; }

void GetEditorHighlight(int32_t* start, int32_t* end)
{
    *start = s_highlight.start;
    *end = s_highlight.end;
}
