// The chords' actions on key release.
#include "editor/keys/editor_actions.h"
#include "editor/keys/editor_state.h"
#include "editor/clipboard/editor_clipboard.h"
#include "editor/images/link_target_rules.h"
#include "editor/keys/note_editor.h"
#include "editor/editor_status.h"
#include "editor/links/link_stepping.h"
#include "editor/links/link_context.h"
#include "editor/links/link_describe.h"
#include "editor/links/link_table_upkeep.h"
#include "editor/format/editor_freeze.h"
#include "editor/format/list_rules.h"
#include "editor/format/zoom_status.h"
#include "foundation/ai_string.h"
#include "foundation/ai_string_table.h"
#include "foundation/message_ids.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/link_marks.h"
#include "resources/resource_ids.h"
#include "editor/keys/word_occurrence.h"
#include <commdlg.h>

namespace {

// Longest label a hyperlink has; a longer selection gives its first ones.
const int kMaxLinkLabel = 30;
const int kWordAtCaretLimit = 50;

HWND Editor() { return g_noteEditor.hwnd; }
AITextDocument* Doc() { return g_noteEditor.control ? g_noteEditor.control->GetDocument() : 0; }

CHARRANGE Selection()
{
    CHARRANGE range;
    ReadEditorSelection(&range);
    return range;
}

void SetSelection(int32_t start, int32_t end)
{
    CHARRANGE range = {start, end};
    SendMessageW(Editor(), EM_EXSETSEL, 0, (LPARAM)&range);
}

int Shift() { return (g_noteEditor.modifiers & kModShift) != 0; }

// A chord whose ribbon control is disabled shows that control's help text.
int ControlAllows(EditorRibbonControl control)
{
    // The states of the text at the caret now (a mouse selection refreshes nothing).
    UpdateEditorStatus(kEditorStatusRefresh);
    if (g_noteEditor.enabled[control]) return 1;
    if (g_editorShell.showRibbonHelp) g_editorShell.showRibbonHelp(control);
    return 0;
}

void ReadSelectedText(AIString& out)
{
    out.Clear();
    CHARRANGE s = Selection();
    if (Doc() && s.cpMax > s.cpMin) Doc()->GetRangeText(s.cpMin, s.cpMax, &out);
}

// The selection's text, or the word at the caret.
void SelectionOrWord(AIString& out, int limit)
{
    ReadSelectedText(out);
    if (!out.IsEmpty() || !g_noteEditor.control) return;
    CHARRANGE range;
    g_noteEditor.control->GetWordAt(Selection().cpMin, &range, &out, limit, 0);
}

// Why Paste is disabled at the caret.
void ExplainPasteRefused()
{
    CHARRANGE s = Selection();
    if (s.cpMax > s.cpMin) {
        EditorMessage(kMsgCannotPasteIntoSelection);
        return;
    }
    int32_t mark = LinkMarkAt(g_noteEditor.control, s.cpMin);
    if (mark == HyperlinkMark || mark == NoteLinkMark) EditorMessage(kMsgCannotPasteIntoLink);
    else if (mark == TagMark) EditorMessage(kMsgCannotPasteIntoTag);
    else if (IsHeadingMark(mark) || g_noteEditor.editingState == kEditingHeading)
        EditorMessage(kMsgCannotPasteIntoHeading);
}

void InsertDate(const WCHAR* datePicture, int withTime)
{
    WCHAR date[128] = {0}, time[64] = {0};
    GetDateFormatW(LOCALE_USER_DEFAULT, datePicture ? 0 : DATE_LONGDATE, nullptr, datePicture, date, 128);
    AIString text(date);
    if (withTime) {
        GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, 64);
        text.AppendChar(L' ').AppendText(time);
    }
    InsertAtSelection(text.GetText());
}

// The labelled hyperlink holding the selection: its range and label (the
// brackets not included). 0 when the selection is not inside one.
int SelectedHyperlink(int32_t* start, int32_t* end, AIString& label)
{
    CHARRANGE s = Selection();
    int32_t mark = 0;
    if (!LinkRunAt(g_noteEditor.control, s.cpMin, start, end, &mark) || mark != HyperlinkMark) return 0;
    if (s.cpMax > *end || !Doc()) return 0;
    Doc()->GetRangeText(*start, *end, &label);
    if (label.CharAt(0) != L'[' || label.CharAt(label.GetLength() - 1) != L']') return 0;
    label.DeleteRange(label.GetLength() - 1, 1);
    label.DeleteRange(0, 1);
    return 1;
}

// Checks a target and label the dialog gave; cleanTarget is what the table keeps.
int AcceptableLink(const AIString& label, const AIString& target, AIString& cleanTarget)
{
    if (CleanLinkTarget(target.GetText(), cleanTarget) != kTargetAccepted) {
        EditorStatus(L"A link to a file or note cannot hold <b>[</b> or <b>]</b>", kStatusWarning);
        return 0;
    }
    if (HoldsReservedNoteChar(cleanTarget.GetText(), cleanTarget.GetLength()) ||
        HoldsReservedNoteChar(label.GetText(), label.GetLength()) || label.FindChar(L'[') >= 0 ||
        label.FindChar(L']') >= 0) {
        EditorMessage(kMsgReservedCharacters);
        return 0;
    }
    return 1;
}

// Ctrl+K on a hyperlink: the dialog shows its label and target; Delete
// writes the label back as plain text.
void EditExistingHyperlink(int32_t start, int32_t end, const AIString& oldLabel)
{
    AIString oldKey(oldLabel), target;
    LabelToTableKey(oldKey);
    g_noteStore.hyperlinks->GetValueOfKeyString(oldKey.GetText(), target);
    TableTextToShown(target);
    AIString label(oldLabel);
    int32_t answer = g_editorShell.editHyperlink ? g_editorShell.editHyperlink(label, target, 0) : -1;
    if (answer < 0) {
        EditorNotAvailable(L"The hyperlink dialog");
        return;
    }
    if (answer == kHyperlinkRemoved) {
        if (ReplaceNoteText(start, end, oldLabel.GetText(), -1, -1)) {
            // Kept aside while an undo may bring the link back.
            DropGoneHyperlinks();
            EditorStatus(L"Link removed (Ctrl+Z to undo)", kStatusDone);
        }
        return;
    }
    label.Trim();
    if (answer != 1 || target.IsEmpty() || label.IsEmpty()) return;
    AIString cleanTarget;
    if (!AcceptableLink(label, target, cleanTarget)) return;
    AIString key(label);
    LabelToTableKey(key);
    cleanTarget.ReplaceAll(L",", L"\x2026");
    if (!label.EqualsString(oldLabel)) {
        AIString text(L"[");
        text.AppendString(label).AppendText(L"]");
        if (!ReplaceNoteText(start, end, text.GetText(), -1, -1)) return;
        DropGoneHyperlinks();
    } else {
        // Only the target changed: the note has changed all the same.
        SendMessageW(Editor(), EM_SETMODIFY, TRUE, 0);
    }
    g_noteStore.hyperlinks->SetKeyValueString(key.GetText(), cleanTarget.GetText());
    if (g_editorShell.linkedFile) g_editorShell.linkedFile(cleanTarget.GetText());
}

}  // namespace

// A hyperlink from the selection: the dialog asks for the target; the
// selection becomes "[label]" and the table knows the label.
void CreateHyperlinkFromSelection()
{
    if (g_noteEditor.readOnly) {
        TellReadOnly();
        return;
    }
    int32_t linkStart, linkEnd;
    AIString existing;
    if (SelectedHyperlink(&linkStart, &linkEnd, existing)) {
        EditExistingHyperlink(linkStart, linkEnd, existing);
        return;
    }
    if (!ControlAllows(kRibbonHyperlink)) return;
    CHARRANGE s = Selection();
    AIString label, target;
    ReadSelectedText(label);
    // A selected address is the link's target (tested on its whole text);
    // other text longer than a label is cut to its first characters.
    int address = IsAddressText(label.GetText());
    if (!address && label.GetLength() > kMaxLinkLabel) {
        s.cpMax = s.cpMin + kMaxLinkLabel;
        SetSelection(s.cpMin, s.cpMax);
        label.SetLength(kMaxLinkLabel);
    }
    if (label.FindChar(L'\r') >= 0) {
        EditorMessage(kMsgLinkSelectionTooLong);
        return;
    }
    if (RangeCutsHyperlink(g_noteEditor.control, s.cpMin, s.cpMax)) {
        EditorMessage(kMsgCannotDeletePartialLink);
        return;
    }
    label.Trim();
    if (address) {
        target.Copy(label);
        label.Clear();
    }
    int32_t answer = g_editorShell.editHyperlink ? g_editorShell.editHyperlink(label, target, 1) : -1;
    if (answer < 0) {
        EditorNotAvailable(L"The hyperlink dialog");
        return;
    }
    label.Trim();
    if (answer != 1 || target.IsEmpty()) return;
    AIString cleanTarget;
    if (!AcceptableLink(label, target, cleanTarget)) return;
    if (g_editorShell.linkedFile) g_editorShell.linkedFile(cleanTarget.GetText());
    if (label.IsEmpty()) {
        // No label: the address itself is the link, as if typed.
        if (IsWebTarget(cleanTarget.GetText())) ReplaceNoteText(s.cpMin, s.cpMax, cleanTarget.GetText(), -1, -1);
        return;
    }
    AIString key(label);
    LabelToTableKey(key);
    cleanTarget.ReplaceAll(L",", L"\x2026");
    g_noteStore.hyperlinks->SetKeyValueString(key.GetText(), cleanTarget.GetText());
    AIString text(L"[");
    text.AppendString(label).AppendText(L"]");
    ReplaceNoteText(s.cpMin, s.cpMax, text.GetText(), -1, -1);
}

namespace {

// The next heading after the caret's line (sameLevel: of the level last
// found at the caret), from the top again once the end is passed.
int GoToNextHeading(int sameLevel)
{
    static int32_t s_rememberedLevel = 0;
    AITextDocument* doc = Doc();
    if (!doc) return 0;
    AIString text;
    doc->GetRangeText(0, -1, &text);
    const WCHAR* t = text.GetText();
    int32_t len = text.GetLength();
    int32_t caret = Selection().cpMin;
    int32_t line = ParagraphStart(t, caret);
    int32_t level = HeadingLevelAt(t, len, line);
    if (level) s_rememberedLevel = level;
    int32_t wanted = sameLevel ? s_rememberedLevel : 0;
    int32_t next = ParagraphEnd(t, len, caret) + 1;
    int32_t found = FindHeadingLine(t, len, next, len, wanted);
    if (found < 0) {
        EditorStatus(L"Started search from the top (passed the end of the note)", kStatusInfo);
        found = FindHeadingLine(t, len, 0, len, wanted);
    }
    if (found < 0) {
        EditorStatus(L"No headings found in the note", kStatusWarning);
        return 0;
    }
    // From the end back to the heading: it shows near the top.
    EditorFreeze freeze(Editor());
    SetSelection(len, len);
    SetSelection(found, found);
    return 1;
}

// The next place the word at the caret occurs (from the start again at the end).
void FindWordOccurrence()
{
    AITextDocument* doc = Doc();
    if (!doc) return;
    AIString text;
    doc->GetRangeText(0, -1, &text);
    CHARRANGE s = Selection();
    int32_t hit = NextOccurrence(text.GetText(), text.GetLength(), s.cpMin, s.cpMax);
    if (hit < 0) return;
    // The view comes from the side the hit lies on, so that the hit shows near the top or the bottom.
    int32_t from = hit > s.cpMin ? text.GetLength() : 0;
    SetSelection(from, from);
    SetSelection(hit, hit + (s.cpMax - s.cpMin));
}

void StepParagraph(int forward)
{
    AITextDocument* doc = Doc();
    if (!doc) return;
    AIString text;
    doc->GetRangeText(0, -1, &text);
    CHARRANGE s = Selection();
    int32_t to = forward ? NextParagraphStart(text.GetText(), text.GetLength(), s.cpMin)
                         : PreviousParagraphStart(text.GetText(), text.GetLength(), s.cpMin);
    if (Shift()) SetSelection(forward ? s.cpMin : to, forward ? to : s.cpMax);
    else SetSelection(to, to);
    UpdateEditorStatus(kEditorStatusRefresh);
}

// A screen's own answer (a choice, or -1 when cancelled) is acted on by the
// screen's caller; only a screen the dialogs do not offer is told about.
void RunScreen(EditorScreen screen, const WCHAR* name)
{
    int32_t result = g_editorShell.runScreen ? g_editorShell.runScreen(screen) : kScreenNotOffered;
    if (result == kScreenNotOffered) EditorNotAvailable(name);
}

// Alt+Down, Alt+Up: the next or previous web or note link selected and
// described, a picture's thumbnail shown for a few seconds, any other
// link's target previewed.
void StepToLink(int forward)
{
    CHARRANGE range = Selection();
    AIControl* editor = g_noteEditor.control;
    int32_t mark = forward ? FindNextLink(editor, &range) : FindPreviousLink(editor, &range);
    if (!mark) return;
    AIString description, target;
    DescribeLinkRun(editor, range.cpMin, range.cpMax, mark, description);
    UpdateEditorStatus(kEditorStatusRefresh);
    ShowLinkStatus(description.GetText());
    if (!LinkRunTarget(editor, range.cpMin, range.cpMax, mark, target)) return;
    if (mark == HyperlinkMark && g_editorShell.previewImage &&
        g_editorShell.previewImage(target.GetText(), 1, kImageThumbnailSmall))
        return;
    if (g_editorShell.previewLink) g_editorShell.previewLink(target.GetText(), mark == NoteLinkMark);
}

}  // namespace

int InsertAtSelection(const WCHAR* text)
{
    if (g_noteEditor.readOnly || (IsDatafileLoaded() && IsDatafileReadOnly())) {
        TellReadOnly();
        return 0;
    }
    CHARRANGE s = Selection();
    if (RangeCutsHyperlink(g_noteEditor.control, s.cpMin, s.cpMax)) {
        EditorMessage(kMsgCannotDeletePartialLink);
        return 0;
    }
    return ReplaceNoteText(s.cpMin, s.cpMax, text, -1, -1);
}

int ToggleEffect(MarkupEffect effect)
{
    AITextDocument* doc = Doc();
    if (!doc) return 0;
    if (g_noteEditor.readOnly) {
        TellReadOnly();
        return 0;
    }
    EditorFreeze freeze(Editor());
    AIString text;
    doc->GetRangeText(0, -1, &text);
    CHARRANGE s = Selection();
    if (effect != kMarkupStrike && s.cpMin == s.cpMax) {
        // No selection: the effect ends at the caret; typing goes on plain.
        int32_t out = CaretOutOfEffect(text.GetText(), text.GetLength(), s.cpMin, effect);
        if (out >= 0) SetSelection(out, out);
        return 1;
    }
    MarkupEdit edit;
    int found = effect == kMarkupStrike
                    ? ToggleStrikeLines(text.GetText(), text.GetLength(), s.cpMin, s.cpMax, &edit)
                    : ToggleMarkup(text.GetText(), text.GetLength(), s.cpMin, s.cpMax, effect, &edit);
    if (!found) return 0;
    // Hyperlinks and tags keep their own look.
    if (RangeCutsHyperlink(g_noteEditor.control, edit.start, edit.end) ||
        RangeHoldsHyperlink(g_noteEditor.control, edit.start, edit.end) ||
        RangeHoldsTag(text.GetText(), text.GetLength(), edit.start, edit.end)) {
        if (effect == kMarkupStrike) EditorMessage(kMsgCannotStrikeOutLink);
        else if (g_editorShell.showRibbonHelp)
            g_editorShell.showRibbonHelp(effect == kMarkupBold ? kRibbonBold : kRibbonItalic);
        return 0;
    }
    int ok = ReplaceNoteText(edit.start, edit.end, edit.text.GetText(), edit.selStart, edit.selEnd);
    UpdateEditorStatus(kEditorStatusFormatChanged);
    return ok;
}

void StepZoom(int direction)
{
    HWND editor = Editor();
    if (!editor) return;
    int32_t zoom = ZoomStepped(EditorZoomPercent(editor), kZoomNormal, direction);
    SendMessageW(editor, EM_SETZOOM, zoom, kZoomNormal);
    ShowEditorZoomStatus(zoom);
}

void ApplyLineSpacing(int32_t n)
{
    AITextDocument* doc = Doc();
    if (!doc || !g_noteEditor.control) return;
    int points = g_noteEditor.control->GetFontSize();
    if (points <= 0) points = 11;
    doc->SetRangeLineSpacing(LineSpacingValue(points, n));
    g_noteEditor.lineSpacing = n;
    AIString text(L"Line spacing ");
    text.AppendInt(n);
    EditorStatus(text.GetText(), kStatusInfo);
}

void CarryOutChord(EditorChord chord, WPARAM releasedKey)
{
    switch (chord) {
    case kChordCopyRich:
        if (ControlAllows(kRibbonCopy)) CutCopyRtf(kClipboardCopy);
        break;
    case kChordCutRich:
        if (ControlAllows(kRibbonCut)) CutCopyRtf(kClipboardCut);
        break;
    case kChordCopyPlain: CutCopyPlainText(kClipboardCopy); break;
    case kChordCutPlain: CutCopyPlainText(kClipboardCut); break;
    case kChordPaste:
        UpdateEditorStatus(kEditorStatusRefresh);
        if (g_noteEditor.enabled[kRibbonPaste]) PasteIntoNote();
        else ExplainPasteRefused();
        break;
    case kChordSelectAll: {
        AITextDocument* doc = Doc();
        if (doc) SetSelection(0, doc->GetTextLength());
        UpdateEditorStatus(kEditorStatusRefresh);
        break;
    }
    case kChordSave:
        if (g_noteEditor.readOnly) EditorMessage(kMsgReadOnlyNoChanges);
        else if (g_editorShell.saveNote) g_editorShell.saveNote();
        break;
    case kChordFullTextSearch: {
        AIString text;
        SelectionOrWord(text, kWordAtCaretLimit);
        text.Trim();
        if (text.IsEmpty()) break;
        if (g_editorShell.fullTextSearch) g_editorShell.fullTextSearch(text.GetText());
        else EditorNotAvailable(L"Full-text search");
        break;
    }
    case kChordIncSearch:
        if (g_editorShell.incSearch) g_editorShell.incSearch(1);
        break;
    case kChordReplace:
        if (g_editorShell.incSearch) g_editorShell.incSearch(-99);
        break;
    case kChordF3Release:
        g_noteEditor.f3Held = 0;
        if (g_editorShell.applyEditorBackground) g_editorShell.applyEditorBackground();
        break;
    case kChordRename:
        if (g_editorShell.renameNote) g_editorShell.renameNote();
        break;
    case kChordRefresh:
        if (g_editorShell.refreshNotes) g_editorShell.refreshNotes(Shift());
        break;
    case kChordMaximise:
        if (g_editorShell.frame)
            PostMessageW(g_editorShell.frame, WM_SYSCOMMAND, IsZoomed(g_editorShell.frame) ? SC_RESTORE : SC_MAXIMIZE,
                         0);
        break;
    case kChordDateTime: InsertDate(nullptr, 1); break;
    case kChordNewNote:
        if (g_noteEditor.readOnly) EditorMessage(kMsgReadOnlyNoNewNotes);
        else if (g_editorShell.newNote) g_editorShell.newNote(Shift());
        break;
    case kChordStrikeThrough:
        if (ControlAllows(kRibbonStrike)) ToggleEffect(kMarkupStrike);
        break;
    case kChordBold:
        if (ControlAllows(kRibbonBold)) ToggleEffect(kMarkupBold);
        break;
    case kChordItalic:
        if (ControlAllows(kRibbonItalic)) ToggleEffect(kMarkupItalic);
        break;
    case kChordNextHeading:
        GoToNextHeading(Shift());
        UpdateEditorStatus(kEditorStatusRefresh);
        break;
    case kChordWordOccurrence:
        FindWordOccurrence();
        UpdateEditorStatus(kEditorStatusRefresh);
        break;
    case kChordHyperlink:
        if (releasedKey == 'K' && (g_noteEditor.modifiers & kModCtrl) && !Shift()) CreateHyperlinkFromSelection();
        break;
    case kChordDate: InsertDate(L"ddd'.'dd'.'MMM'.'yy", 0); break;
    case kChordPrint:
        if (g_editorShell.printNote) g_editorShell.printNote();
        break;
    case kChordShortcuts: RunScreen(kEditorScreenShortcuts, L"The shortcuts screen"); break;
    case kChordOpenDatafile:
        if (g_editorShell.openDatafile) g_editorShell.openDatafile();
        break;
    case kChordBullet: InsertAtSelection(L"\x2022 "); break;
    case kChordQuickSearch:
        if (g_editorShell.quickSearch) g_editorShell.quickSearch(1);
        break;
    case kChordZoomReset: StepZoom(0); break;
    case kChordZoomIn: StepZoom(1); break;
    case kChordZoomOut: StepZoom(-1); break;
    case kChordNextParagraph: StepParagraph(1); break;
    case kChordPreviousParagraph: StepParagraph(0); break;
    case kChordFavourite:
        // An empty or vanished slot is told by the favourites themselves.
        if (g_editorShell.openFavourite) g_editorShell.openFavourite(g_noteEditor.favourite);
        else EditorNotAvailable(L"Favourites");
        break;
    default:
        break;
    }
}

void CarryOutSystemKey(SystemKeyAction action, WPARAM key, LPARAM lParam)
{
    switch (action) {
    case kSysNavigateBack:
    case kSysNavigateForward:
        if (g_editorShell.navigate) g_editorShell.navigate(action == kSysNavigateForward);
        break;
    case kSysNextLink:
    case kSysPreviousLink: StepToLink(action == kSysNextLink); break;
    case kSysForwardToQuickSearch:
        if (g_editorShell.forwardToQuickSearch) g_editorShell.forwardToQuickSearch(WM_SYSKEYUP, key, lParam);
        break;
    case kSysImageZoom:
        if (g_editorShell.toggleImageZoom) g_editorShell.toggleImageZoom();
        break;
    case kSysImagesLarge:
    case kSysImagesSmall:
        if (g_editorShell.setImageZoom) g_editorShell.setImageZoom(action == kSysImagesLarge);
        break;
    case kSysFilePanel:
        EditorStatus(L"File Menu", kStatusInfo);
        RunScreen(kEditorScreenFilePanel, L"The File panel");
        break;
    case kSysTipOfDay: RunScreen(kEditorScreenTipOfDay, L"The tip of the day"); break;
    case kSysSplitView:
        if (g_editorShell.toggleSplitView) g_editorShell.toggleSplitView();
        break;
    case kSysLookUpWord:
        if (!g_editorShell.lookUpWord || !g_editorShell.lookUpWord()) EditorNotAvailable(L"Word look-up");
        break;
    case kSysBrowseLinks:
        if (g_editorShell.saveNote && Editor() && SendMessageW(Editor(), EM_GETMODIFY, 0, 0))
            g_editorShell.saveNote();
        RunScreen(kEditorScreenBrowseLinks, L"The link and image browser");
        break;
    case kSysQuickSearch:
        if (g_editorShell.quickSearch) g_editorShell.quickSearch(1);
        break;
    case kSysToggleRibbon:
        if (g_editorShell.frame) PostMessageW(g_editorShell.frame, WM_COMMAND, IDM_TOGGLE_RIBBON, 0);
        break;
    case kSysLineSpacing: ApplyLineSpacing((int32_t)(key - '0')); break;
    default:
        break;
    }
}
