// NoteEditorProc: the table of the editor's messages, the messages that are
// not keys, and the display that follows every edit of the text.
#include "editor/keys/note_editor.h"
#include "editor/keys/editor_state.h"
#include "editor/keys/key_map.h"
#include "editor/editor_status.h"
#include "editor/clipboard/editor_clipboard.h"
#include "editor/format/undo_state.h"
#include "editor/links/completion_popup.h"
#include "editor/note_marks.h"
#include "foundation/ai_string.h"
#include "foundation/app.h"
#include "foundation/message_ids.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "editor/keys/editor_actions.h"
#include "editor/keys/editor_mouse.h"
#include "editor/keys/editor_overlay.h"
#include "editor/links/link_table_upkeep.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/app_state.h"
#include "ui/long_paragraph_layout.h"

NoteEditorState g_noteEditor;

namespace {


// Text that arrives as a whole (IME, WM_UNICHAR) goes through the same gate as typing.
LRESULT OnImeOrUnicodeChar(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_UNICHAR && wParam == UNICODE_NOCHAR) return TRUE;
    if (IsReservedNoteChar((WCHAR)wParam)) {
        EditorMessage(kMsgReservedCharacters);
        return 0;
    }
    if (g_noteEditor.readOnly || IsDatafileReadOnly()) {
        TellReadOnly();
        return 0;
    }
    CHARRANGE before;
    ReadEditorSelection(&before);
    LRESULT result = PassOn(window, message, wParam, lParam);
    CHARRANGE after;
    ReadEditorSelection(&after);
    FollowTextEdit(before.cpMin, after.cpMax, after.cpMax);
    return result;
}

LRESULT OnGetDlgCode(HWND, UINT, WPARAM, LPARAM) { return DLGC_WANTALLKEYS; }

// Entered (by a key, a click or a field giving the focus back): the ribbon's
// editing controls act on the note again, the caret's line is shown unless a
// click brought the focus, a note a sync pass renewed is shown as it now
// stands, and the frame counts the program as in use.
LRESULT OnSetFocus(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    UpdateEditorRibbon();
    if (g_noteEditor.statusMode == kStatusModeClickEntry) {
        g_noteEditor.statusMode = kStatusModeNormal;
    } else {
        g_noteEditor.statusMode = kStatusModeHighlighted;
        UpdateEditorStatus(kEditorStatusEnter);
        if (g_editorShell.startTimer) g_editorShell.startTimer(kEditorTimerStatus, kEditorStatusHighlightMs);
    }
    if (g_editorShell.showSyncedNote) g_editorShell.showSyncedNote();
    // A screen deactivated while it closed leaves the program counted as in the background.
    HWND frame = GetAncestor(window, GA_ROOT);
    if (frame && frame != window && !g_app.GetGuardFlag()) SendMessageW(frame, WM_ACTIVATE, WA_ACTIVE, 0);
    return PassOn(window, message, wParam, lParam);
}

LRESULT OnKillFocus(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HideCompletionLists();
    return PassOn(window, message, wParam, lParam);
}

LRESULT OnMouseMove(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CompletionMouseMoved();
    LRESULT result = EditorMouseMove(window, message, wParam, lParam);
    // After the hover's own description, so that what the preview finds (a missing file) is what shows.
    if (g_editorShell.mouseOverText) g_editorShell.mouseOverText(window, wParam, lParam);
    return result;
}

// A click entering the editor highlights nothing.
LRESULT OnMouseDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HideCompletionLists();
    if (GetFocus() != window) g_noteEditor.statusMode = kStatusModeClickEntry;
    else EndCaretLineHighlight();
    ShowPointerAgain();
    if (message == WM_RBUTTONDOWN) return EditorRightButtonDown(window, message, wParam, lParam);
    // The picture drawn over the editor's left edge takes its clicks.
    POINT screen = {(SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam)};
    ClientToScreen(window, &screen);
    if (g_editorShell.clickPicture && g_editorShell.clickPicture(screen)) return 0;
    EditorLeftButtonDown(window, message, wParam, lParam);
    return PassOn(window, message, wParam, lParam);
}

// The clipboard messages take the editor's own cut, copy and paste (a
// rich-text copy carries its links; a cut is one undoable step).
LRESULT OnPaste(HWND, UINT, WPARAM, LPARAM)
{
    PasteIntoNote();
    return 0;
}

LRESULT OnCutOrCopy(HWND, UINT message, WPARAM, LPARAM)
{
    CutCopyRtf(message == WM_CUT ? kClipboardCut : kClipboardCopy);
    return 0;
}

// Undo and redo may change any part of the note; either is a change of the
// text like typing, stored like it (also right after a save).
LRESULT OnUndoRedo(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = PassOn(window, message, wParam, lParam);
    if (result) SendMessageW(window, EM_SETMODIFY, TRUE, 0);
    // What the status line said about the text before is no longer so.
    EndLinkStatus();
    // A link label that came back shows as a link again.
    RestoreReturnedHyperlinks();
    FollowWholeText();
    if (message == EM_REDO) UpdateRedoButton();
    else UpdateUndoButton();
    return result;
}

// The text the shell saved or loaded is the one an undo may come back to.
LRESULT OnSetModify(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = PassOn(window, message, wParam, lParam);
    if (!wParam) RememberSavedEditorText(window);
    return result;
}

LRESULT OnKeyDown(HWND window, UINT, WPARAM wParam, LPARAM lParam) { return EditorKeyDown(window, wParam, lParam); }
LRESULT OnChar(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return EditorChar(window, message, wParam, lParam);
}
LRESULT OnKeyUp(HWND window, UINT, WPARAM wParam, LPARAM lParam) { return EditorKeyUp(window, wParam, lParam); }
LRESULT OnSysKeyDown(HWND window, UINT, WPARAM wParam, LPARAM lParam)
{
    return EditorSysKeyDown(window, wParam, lParam);
}
LRESULT OnSysKeyUp(HWND window, UINT, WPARAM wParam, LPARAM lParam) { return EditorSysKeyUp(window, wParam, lParam); }
LRESULT OnSysChar(HWND window, UINT, WPARAM wParam, LPARAM lParam) { return EditorSysChar(window, wParam, lParam); }

struct EditorMessageEntry {
    UINT message;
    LRESULT (*handler)(HWND, UINT, WPARAM, LPARAM);
};

const EditorMessageEntry kEditorMessages[] = {
    {WM_KEYDOWN, OnKeyDown},
    {WM_CHAR, OnChar},
    {WM_KEYUP, OnKeyUp},
    {WM_SYSKEYDOWN, OnSysKeyDown},
    {WM_SYSKEYUP, OnSysKeyUp},
    {WM_SYSCHAR, OnSysChar},
    {WM_IME_CHAR, OnImeOrUnicodeChar},
    {WM_UNICHAR, OnImeOrUnicodeChar},
    {WM_GETDLGCODE, OnGetDlgCode},
    {WM_SETFOCUS, OnSetFocus},
    {WM_KILLFOCUS, OnKillFocus},
    {WM_LBUTTONDOWN, OnMouseDown},
    {WM_RBUTTONDOWN, OnMouseDown},
    {WM_MOUSEMOVE, OnMouseMove},
    {WM_LBUTTONUP, EditorLeftButtonUp},
    {WM_LBUTTONDBLCLK, EditorDoubleClick},
    {WM_RBUTTONUP, EditorRightButtonUp},
    {WM_XBUTTONUP, EditorExtraButtonUp},
    {WM_MOUSEWHEEL, EditorWheel},
    {WM_CAPTURECHANGED, EditorCaptureChanged},
    {WM_PAINT, EditorPaint},
    {kMsgClearSearchFrame, EditorClearSearchFrame},
    {WM_PASTE, OnPaste},
    {WM_CUT, OnCutOrCopy},
    {WM_COPY, OnCutOrCopy},
    {WM_UNDO, OnUndoRedo},
    {EM_UNDO, OnUndoRedo},
    {EM_REDO, OnUndoRedo},
    {EM_SETMODIFY, OnSetModify},
};

int IsLineEnd(WCHAR ch) { return ch == L'\r' || ch == L'\n'; }

// The display after an edit of [from, to) inside one long body paragraph,
// around the edit only; 0 when the paragraph needs the whole treatment.
int FollowEditAround(int32_t from, int32_t to, int32_t openEnd)
{
    CHARFORMAT2W body;
    if (!g_editorShell.paragraphFormat || g_editorShell.paragraphFormat(g_noteEditor.hwnd, to, &body) != 0)
        return 0;
    return MarkAroundEdit(g_noteEditor.control, from, to, openEnd, body) >= 0;
}

// The word an edit before left open outside [from, to] is closed now, as a
// marking of its whole paragraph would close it: around the word in a long
// body paragraph, else its paragraph marked whole (short paragraphs too).
void CloseOpenWord(int32_t openWord, int32_t from, int32_t to, int32_t openEnd)
{
    if (openWord < 0 || (openWord >= from && openWord <= to)) return;
    CHARFORMAT2W body;
    if (g_editorShell.paragraphFormat && g_editorShell.paragraphFormat(g_noteEditor.hwnd, openWord, &body) == 0 &&
        MarkAroundEdit(g_noteEditor.control, openWord, openWord, openEnd, body) >= 0)
        return;
    MarkParagraphs(g_noteEditor.control, openWord, openWord, openEnd);
}

// Where the word the edit before left open is now, -1 when none.
int32_t OpenWordAfterEdit(int32_t editFrom, int32_t textLength)
{
    int32_t at = g_noteEditor.openWordEnd;
    if (at < 0) return -1;
    // After the edit's start it moved with the text.
    if (at > editFrom) {
        at += textLength - g_noteEditor.openWordTextLength;
        if (at < editFrom) at = editFrom;
    }
    return at > textLength ? textLength : at;
}

}  // namespace

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC previous = g_noteEditor.previous;
    return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                    : DefWindowProcW(window, message, wParam, lParam);
}

static int32_t DatafileRefusesChanges() { return IsDatafileLoaded() && IsDatafileReadOnly() ? 1 : 0; }

LRESULT Swallow(HWND window)
{
    UpdateWindow(window);
    return 0;
}

void SnapshotModifiers()
{
    int32_t m = 0;
    if (EditorIsKeyDown(VK_SHIFT)) m |= kModShift;
    if (EditorIsKeyDown(VK_CONTROL)) m |= kModCtrl;
    if (EditorIsKeyDown(VK_MENU)) m |= kModAlt;
    g_noteEditor.modifiers = m;
    g_noteEditor.readOnly = DatafileRefusesChanges();
}

void FollowDatafileReadOnly(HWND editor)
{
    g_noteEditor.readOnly = DatafileRefusesChanges();
    SendMessageW(editor, EM_SETREADONLY, g_noteEditor.readOnly ? TRUE : FALSE, 0);
}

void TellReadOnly()
{
    if (!g_noteEditor.readOnlyTold) {
        g_noteEditor.readOnlyTold = 1;
        EditorMessage(kMsgReadOnlyNoChanges);
    }
    EditorStatus(L"<lred>The data file is read-only</lred> - changes cannot be saved", kStatusError);
}

void ReadEditorSelection(CHARRANGE* range)
{
    range->cpMin = range->cpMax = 0;
    if (g_noteEditor.hwnd) SendMessageW(g_noteEditor.hwnd, EM_EXGETSEL, 0, (LPARAM)range);
}

// Keys, mouse buttons and moves: what a long operation leaves to the control itself.
static int IsKeyOrPointerInput(UINT message)
{
    switch (message) {
    case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR: case WM_SYSKEYDOWN: case WM_SYSKEYUP: case WM_SYSCHAR:
        return 1;
    default:
        return (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) ||
               (message >= WM_XBUTTONDOWN && message <= WM_XBUTTONDBLCLK);
    }
}

LRESULT CALLBACK NoteEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsApplicationClosing()) return PassOn(window, message, wParam, lParam);
    // While a paste, a drop or a file command runs, its own work is not crossed by the key map's.
    if (IsBusy() && IsKeyOrPointerInput(message)) return PassOn(window, message, wParam, lParam);
    if (SplitViewHoldsKey(window, message, wParam)) return 0;
    for (const EditorMessageEntry& entry : kEditorMessages)
        if (entry.message == message) return entry.handler(window, message, wParam, lParam);
    return PassOn(window, message, wParam, lParam);
}

void InstallNoteEditor(AIControl* editor)
{
    TRACE_SCOPE(kTraceEditorKeys, 1);
    g_noteEditor.control = editor;
    g_noteEditor.hwnd = editor ? editor->GetHwnd() : nullptr;
    g_noteEditor.previous = g_noteEditor.hwnd ? editor->SetWindowData(NoteEditorProc) : nullptr;
}

AIControl* GetNoteEditor() { return g_noteEditor.control; }

int EditorOwnsKey(const MSG* msg)
{
    if (!msg || !g_noteEditor.hwnd || msg->hwnd != g_noteEditor.hwnd) return 0;
    if (msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSKEYUP) return 1;
    if (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP) return 0;
    switch (msg->wParam) {
    case VK_F2: case VK_F3: case VK_F4: case VK_F5: case VK_F10: case VK_F11:
        return 1;
    default:
        break;
    }
    return EditorIsKeyDown(VK_CONTROL) || (msg->wParam == VK_INSERT && EditorIsKeyDown(VK_SHIFT));
}

int32_t GetEditorStatusMode() { return g_noteEditor.statusMode; }

void EndCaretLineHighlight()
{
    int32_t start, end;
    GetEditorHighlight(&start, &end);
    if (g_noteEditor.statusMode != kStatusModeHighlighted && end <= start) return;
    if (g_noteEditor.statusMode == kStatusModeHighlighted) g_noteEditor.statusMode = kStatusModeNormal;
    if (g_editorShell.stopTimer) g_editorShell.stopTimer(kEditorTimerStatus);
    UpdateEditorStatus(kEditorStatusLeave);
}
void SetEditorStatusMode(int32_t mode) { g_noteEditor.statusMode = mode; }
int32_t GetEditorTypingState() { return g_noteEditor.typingState; }
int32_t GetCapsLockState() { return g_noteEditor.capsState; }
int32_t GetEditorLineSpacingLevel() { return g_noteEditor.lineSpacing; }

void FollowTextEdit(int32_t from, int32_t to, int32_t openEnd)
{
    AIControl* editor = g_noteEditor.control;
    AITextDocument* doc = editor ? editor->GetDocument() : 0;
    HWND hwnd = g_noteEditor.hwnd;
    if (!doc || !hwnd) return;
    ForgetEditorStatusPosition();
    if (from > to) {
        int32_t t = from;
        from = to;
        to = t;
    }
    // The paragraph before the edit too: a joined or split line changes it.
    from = from > 0 ? from - 1 : 0;
    AIString text;
    doc->GetRangeText(0, -1, &text);
    int32_t len = text.GetLength();
    int32_t end = to > len ? len : to;
    int32_t first = from > len ? len : from;
    while (first > 0 && !IsLineEnd(text.CharAt(first - 1))) first--;
    int32_t last = end;
    while (last < len && !IsLineEnd(text.CharAt(last))) last++;
    int32_t openWord = OpenWordAfterEdit(from, len);
    g_noteEditor.openWordEnd = openEnd;
    g_noteEditor.openWordTextLength = len;
    CloseOpenWord(openWord, from, end, openEnd);
    // In long body paragraphs at either end of the edit (one paragraph, or two
    // that a line end split) only what the edit changed is formatted again;
    // whole paragraphs between them are formatted and marked whole.
    if (from > first || end < last) {
        int32_t firstEnd = first;
        while (firstEnd < len && !IsLineEnd(text.CharAt(firstEnd))) firstEnd++;
        int32_t lastStart = last;
        while (lastStart > 0 && !IsLineEnd(text.CharAt(lastStart - 1))) lastStart--;
        int32_t restFrom = first, restTo = last;
        if (firstEnd - first > kLongParagraphChars &&
            FollowEditAround(from, end < firstEnd ? end : firstEnd, openEnd))
            restFrom = firstEnd + 1;
        if (lastStart > first && last - lastStart > kLongParagraphChars &&
            FollowEditAround(lastStart > from ? lastStart : from, end, openEnd))
            restTo = lastStart - 1;
        if (restFrom > first || restTo < last) {
            if (restFrom > restTo) return;
            from = first = restFrom;
            to = end = last = restTo;
        }
    }
    // Long paragraphs are formatted and marked with their layout held, and
    // laid out once at the end.
    LayoutPause oneLayout(last - first > kLongParagraphChars ? hwnd : nullptr);
    int modified = (int)SendMessageW(hwnd, EM_GETMODIFY, 0, 0);
    doc->SetUndoRecording(0);
    if (g_editorShell.formatParagraph) {
        int32_t p = first;
        for (;;) {
            g_editorShell.formatParagraph(hwnd, p);
            while (p < len && !IsLineEnd(text.CharAt(p))) p++;
            if (p >= end || p >= len) break;
            p++;
        }
    }
    doc->SetUndoRecording(1);
    MarkParagraphs(editor, from, to, openEnd);
    SendMessageW(hwnd, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
    // Drawing was off while the formats changed: the edited text is drawn now.
    InvalidateRect(hwnd, nullptr, FALSE);
}

void FollowWholeText()
{
    AITextDocument* doc = g_noteEditor.control ? g_noteEditor.control->GetDocument() : 0;
    if (doc) FollowTextEdit(0, doc->GetTextLength(), -1);
}

int ReplaceNoteText(int32_t start, int32_t end, const WCHAR* text, int32_t selStart, int32_t selEnd)
{
    HWND hwnd = g_noteEditor.hwnd;
    if (!hwnd) return 0;
    if (IsDatafileLoaded() && IsDatafileReadOnly()) {
        TellReadOnly();
        return 0;
    }
    CHARRANGE range = {start, end};
    SendMessageW(hwnd, EM_EXSETSEL, 0, (LPARAM)&range);
    SendMessageW(hwnd, EM_REPLACESEL, TRUE, (LPARAM)(text ? text : L""));
    CHARRANGE after;
    SendMessageW(hwnd, EM_EXGETSEL, 0, (LPARAM)&after);
    FollowTextEdit(start, after.cpMax, -1);
    if (selStart >= 0) {
        CHARRANGE selection = {selStart, selEnd};
        SendMessageW(hwnd, EM_EXSETSEL, 0, (LPARAM)&selection);
    }
    return 1;
}
