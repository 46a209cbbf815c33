// Key releases, where the flagged chords are carried out, and the system keys.
#include "editor/keys/editor_state.h"
#include "editor/keys/editor_actions.h"
#include "editor/keys/editor_mouse.h"
#include "editor/keys/note_editor.h"
#include "editor/editor_status.h"
#include "editor/status_text.h"
#include "editor/links/link_stepping.h"
#include "editor/links/completion_popup.h"
#include "editor/links/link_context.h"
#include "foundation/ai_string.h"
#include "foundation/app.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/link_marks.h"
#include "foundation/misc_services.h"

namespace {


int Ctrl() { return (g_noteEditor.modifiers & kModCtrl) != 0; }
int Shift() { return (g_noteEditor.modifiers & kModShift) != 0; }

// A selection made with Shift loses the blanks and line ends at its edges.
void TrimSelectionAfterKeys()
{
    AITextDocument* doc = g_noteEditor.control ? g_noteEditor.control->GetDocument() : 0;
    CHARRANGE s;
    ReadEditorSelection(&s);
    if (!doc || s.cpMax <= s.cpMin) return;
    int32_t from = s.cpMin > 0 ? s.cpMin - 1 : 0;
    AIString text;
    doc->GetRangeText(from, s.cpMax, &text);
    int32_t start = s.cpMin - from, end = s.cpMax - from;
    TrimSelection(text.GetText(), text.GetLength(), &start, &end);
    if (start + from == s.cpMin && end + from == s.cpMax) return;
    CHARRANGE trimmed = {start + from, end + from};
    SendMessageW(g_noteEditor.hwnd, EM_EXSETSEL, 0, (LPARAM)&trimmed);
}

// The Caps Lock cycle: Caps Lock alone opens or closes the incremental
// search and stays off; with Ctrl it stays on for typing in capitals.
void CapsLockReleased(HWND window, WPARAM key, LPARAM lParam)
{
    NoteEditorState& e = g_noteEditor;
    if (Ctrl()) {
        if (EditorIsKeyToggled(VK_CAPITAL) && g_editorShell.setStatusSlot)
            g_editorShell.setStatusSlot(kAllCapsText, kStatusInfo, kStatusSlotCaps);
        else UpdateEditorStatus(kEditorStatusRefresh);
        e.capsState = 0;
        PassOn(window, WM_KEYUP, key, lParam);
        return;
    }
    // Under Wine the lock state follows the display, not the program's keys.
    if (g_app.system.IsWine()) {
        e.capsState = 0;
        PassOn(window, WM_KEYUP, key, lParam);
        return;
    }
    if (e.capsState == 2) {
        e.capsState = 3;
        if (EditorIsKeyToggled(VK_CAPITAL)) {
            // The program's own keystroke switches Caps Lock off again.
            SendKeyStroke(VK_CAPITAL);
        } else {
            e.capsState = 0;
        }
        if (g_editorShell.incSearch) g_editorShell.incSearch(1);
    } else if (e.capsState == 4) {
        e.capsState = 0;
    }
}

// An arrow key that lands in a hyperlink selects it and says where it goes.
void ArrowIntoLink()
{
    CHARRANGE s;
    ReadEditorSelection(&s);
    if (s.cpMax != s.cpMin) return;
    int32_t start, end, mark;
    AIControl* editor = g_noteEditor.control;
    if (!LinkRunAt(editor, s.cpMin, &start, &end, &mark) || mark != HyperlinkMark) return;
    if (s.cpMin == start) return;  // at its edge, the caret stays in plain text
    AIString description;
    DescribeLinkRun(editor, start, end, mark, description);
    CHARRANGE link = {start, end};
    SendMessageW(g_noteEditor.hwnd, EM_EXSETSEL, 0, (LPARAM)&link);
    ShowLinkStatus(description.GetText());
}

}  // namespace

LRESULT EditorKeyUp(HWND window, WPARAM key, LPARAM lParam)
{
    NoteEditorState& e = g_noteEditor;
    SnapshotModifiers();
    e.lastKey = key;
    // The character of a key the key-down did the work of came before its
    // release: a key without a character (F4, F5, Ctrl+Down) must not take
    // the next key's.
    e.keyConsumed = 0;
    if (key == VK_MENU) return Swallow(window);
    if (key == VK_RETURN) e.enterHandled = 0;
    // Nothing else happens while a completion list is open.
    if (OpenCompletionList() != kCompletionNone) {
        if (key == VK_BACK) return PassOn(window, WM_KEYUP, key, lParam);
        CompletionKeyUp(key);
        return Swallow(window);
    }
    PictureStep step = PictureShown() ? PictureStepOfKey(key, e.modifiers) : kStepNone;
    if (step == kStepNext || step == kStepPrevious) {
        JumpToNextLinkOrImage(step == kStepNext);
        return Swallow(window);
    }
    // Any other key takes the picture away at once: the keys queued behind it are the editor's again.
    if (step == kStepHide && g_editorShell.hidePreview) g_editorShell.hidePreview();
    if (!Shift()) TrimSelectionAfterKeys();
    if (e.ctrlHintArmed && key != VK_CONTROL) {
        e.ctrlHintArmed = 0;
        if (g_editorShell.stopCtrlHint) g_editorShell.stopCtrlHint();
    }
    // The chords, first pending one in table order.
    for (int c = kChordNone + 1; c < kChordCount; c++) {
        if (!e.pending[c]) continue;
        e.pending[c] = 0;
        if (c == kChordCapsLock) {
            CapsLockReleased(window, key, lParam);
            return 0;
        }
        CarryOutChord((EditorChord)c, key);
        if (c == kChordNextParagraph || c == kChordPreviousParagraph || c == kChordHyperlink)
            return PassOn(window, WM_KEYUP, key, lParam);
        return Swallow(window);
    }
    if (key == VK_CONTROL) {
        e.ctrlHintArmed = 0;
        if (e.statusMode == kStatusModeCtrlAlone && !Shift()) {
            // Tapping Ctrl highlights the caret's line for a moment.
            e.statusMode = kStatusModeHighlighted;
            UpdateEditorStatus(kEditorStatusEnter);
            if (g_editorShell.startTimer) g_editorShell.startTimer(kEditorTimerStatus, kEditorStatusHighlightMs);
            return PassOn(window, WM_KEYUP, key, lParam);
        }
    }
    if ((key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) && !Ctrl() && !Shift())
        ArrowIntoLink();
    if (key == VK_BACK || key == VK_DELETE || key == VK_RETURN || key == VK_SPACE)
        UpdateEditorStatus((int32_t)key);
    else if (!Ctrl() && !Shift())
        UpdateEditorStatus(kEditorStatusRefresh);
    return PassOn(window, WM_KEYUP, key, lParam);
}

LRESULT EditorSysKeyDown(HWND window, WPARAM key, LPARAM lParam)
{
    if (g_editorShell.closeMessageBox) g_editorShell.closeMessageBox();
    if (key == VK_MENU) ShowPointerAgain();
    // Alt keys act on their release; RichEdit never sees them (no beep, no menu).
    if (key == VK_F4) return PassOn(window, WM_SYSKEYDOWN, key, lParam);
    return Swallow(window);
}

LRESULT EditorSysChar(HWND window, WPARAM ch, LPARAM lParam)
{
    (void)window;
    (void)lParam;
    (void)ch;
    // Every system character is answered by its key's release.
    return 0;
}

LRESULT EditorSysKeyUp(HWND window, WPARAM key, LPARAM lParam)
{
    SnapshotModifiers();
    if ((Ctrl() && (g_noteEditor.modifiers & kModAlt)) || key == VK_F4)
        return PassOn(window, WM_SYSKEYUP, key, lParam);
    int32_t modifiers = g_noteEditor.modifiers;
    // The release of the letter comes with Alt still down.
    if (key != VK_F10) modifiers |= kModAlt;
    SystemKeyAction action = SystemKeyOf(key, modifiers);
    if (action == kSysNone) return Swallow(window);
    CarryOutSystemKey(action, key, lParam);
    return Swallow(window);
}
