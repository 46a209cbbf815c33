// Key-down and characters: which keys RichEdit sees, which chords are
// flagged, and the link rules of Backspace, Delete and typing.
#include "editor/keys/editor_state.h"
#include "editor/links/link_stepping.h"
#include "editor/links/link_follow.h"
#include "editor/links/link_table_upkeep.h"
#include "editor/find/inc_search.h"
#include "editor/keys/editor_actions.h"
#include "editor/keys/editor_mouse.h"
#include "editor/keys/note_editor.h"
#include "editor/editor_status.h"
#include "editor/format/list_keys.h"
#include "editor/format/list_rules.h"
#include "editor/links/completion_popup.h"
#include "editor/links/completion_rules.h"
#include "editor/links/link_context.h"
#include "foundation/ai_string.h"
#include "foundation/message_ids.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/ai_text_document.h"
#include "ui/link_marks.h"

namespace {

const WCHAR kCtrlR = 0x12;
// The key-down's flag: the key was down already (auto-repeat).
const LPARAM kKeyWasDown = (LPARAM)1 << 30;
const WCHAR kEscape = 0x1B;

int Ctrl() { return (g_noteEditor.modifiers & kModCtrl) != 0; }
int Alt() { return (g_noteEditor.modifiers & kModAlt) != 0; }
int Shift() { return (g_noteEditor.modifiers & kModShift) != 0; }

LRESULT Consume(HWND window)
{
    g_noteEditor.keyConsumed = 1;
    return Swallow(window);
}

// Flags the chord of a key-down; 1 when one was flagged.
int FlagChord(WPARAM key)
{
    EditorChord chord = ChordOfKeyDown(key, g_noteEditor.modifiers);
    if (chord == kChordNone || chord == kChordCapsLock) return 0;
    if (chord == kChordPaste && g_noteEditor.readOnly) {
        TellReadOnly();
        return 1;
    }
    if (chord == kChordFavourite) g_noteEditor.favourite = FavouriteOfDigit(key);
    g_noteEditor.pending[chord] = 1;
    return 1;
}

// Backspace and Delete at link edges.
LRESULT DeleteKey(HWND window, WPARAM key, LPARAM lParam)
{
    AIControl* editor = g_noteEditor.control;
    EdgeKey edgeKey = key == VK_BACK ? kEdgeBackspace : kEdgeDelete;
    EdgeCode code = ClassifyDeleteAtLink(editor, edgeKey);
    g_noteEditor.edge = code;
    AIString description;
    switch (code) {
    case kEdgeInsideLink: EditorMessage(kMsgSelectLinkToDelete); return Swallow(window);
    case kEdgeJoinsLinks: EditorMessage(kMsgCannotDeleteBetweenLinks); return Swallow(window);
    case kEdgePartialLink: EditorMessage(kMsgCannotDeletePartialLink); return Swallow(window);
    case kEdgeWholeLink: {
        CHARRANGE s;
        ReadEditorSelection(&s);
        int32_t start, end, mark;
        if (LinkRunAt(editor, s.cpMax - 1, &start, &end, &mark))
            DescribeLinkRun(editor, start, end, mark, description);
        description.AppendText(L" DELETED (Ctrl+Z to undo)");
        break;
    }
    default:
        break;
    }
    CHARRANGE before;
    ReadEditorSelection(&before);
    LRESULT result = PassOn(window, WM_KEYDOWN, key, lParam);
    CHARRANGE after;
    ReadEditorSelection(&after);
    FollowTextEdit(after.cpMin < before.cpMin ? after.cpMin : before.cpMin, after.cpMax, -1);
    if (code == kEdgeWholeLink) {
        DropGoneHyperlinks();
        ShowLinkStatus(description.GetText());
    }
    if (key == VK_BACK && code == kEdgeNone) g_noteEditor.typingState = -1;
    return result;
}

// An open completion list decides about a character first: 0 drops it.
int CompletionCharAllowed(WPARAM ch)
{
    switch (OpenCompletionList()) {
    case kCompletionTags: return TagsPopupKey(ch);
    case kCompletionAutoLinks: return AutoLinksPopupKey(ch);
    default: return 1;
    }
}

// The character before a position and whether it opens the Tags list.
int OpensTagListAt(int32_t position)
{
    AITextDocument* doc = g_noteEditor.control ? g_noteEditor.control->GetDocument() : 0;
    if (!doc) return 0;
    WCHAR before[2] = {position > 0 ? (WCHAR)doc->GetCharAt(position - 1) : (WCHAR)0, 0};
    return OpensTagList(before, position > 0 ? 1 : 0);
}

}  // namespace

LRESULT EditorKeyDown(HWND window, WPARAM key, LPARAM lParam)
{
    NoteEditorState& e = g_noteEditor;
    SnapshotModifiers();
    // The next key closes a message an earlier one raised; a message this
    // key raises stays after its release (its auto-repeat closes nothing).
    if (!(lParam & kKeyWasDown) && g_editorShell.closeMessageBox) g_editorShell.closeMessageBox();
    if (key == VK_CONTROL) ShowPointerAgain();
    if (key == VK_MENU) return Swallow(window);
    ReadEditorSelection(&e.selection);
    e.lastKey = key;
    if (!IsDatafileLoaded()) return Swallow(window);
    EndCaretLineHighlight();
    if (Ctrl() && Alt()) return PassOn(window, WM_KEYDOWN, key, lParam);
    e.statusMode = key == VK_CONTROL ? kStatusModeCtrlAlone : kStatusModeNormal;
    // An open completion list takes the characters and acts on key releases.
    if (OpenCompletionList() != kCompletionNone) {
        if (key == VK_BACK && !e.readOnly) return DeleteKey(window, key, lParam);
        return Swallow(window);
    }
    // Over a shown picture these keys step through the picture links on their release.
    if (PictureShown()) {
        PictureStep step = PictureStepOfKey(key, e.modifiers);
        if (step == kStepNext || step == kStepPrevious) return Consume(window);
    }
    // Ctrl+Space: its character opens the AutoLinks list.
    if (key == VK_SPACE && Ctrl() && !Shift() && !Alt()) return Swallow(window);
    if (e.ctrlHintArmed && key != VK_CONTROL) {
        e.ctrlHintArmed = 0;
        if (g_editorShell.stopCtrlHint) g_editorShell.stopCtrlHint();
    }
    if (key == VK_CAPITAL) {
        e.lastDownWasCaps = 1;
        e.capsState = e.capsState == 0 ? 2 : 4;
        e.pending[kChordCapsLock] = 1;
        return Swallow(window);
    }
    e.lastDownWasCaps = 0;
    if (Ctrl() && !Shift()) {
        if (key == VK_CONTROL) {
            if (!e.ctrlHintArmed && g_editorShell.startCtrlHint) {
                e.ctrlHintArmed = 1;
                g_editorShell.startCtrlHint(kEditorTimerCtrlHintSecond);
            }
            return PassOn(window, WM_KEYDOWN, key, lParam);
        }
        CtrlKeyRoute route = RouteCtrlKey(key);
        if (route == kCtrlKeyPassOn) {
            if (key == 'Z' || key == 'Y') {
                // Undone here, not by RichEdit's reading of the keyboard: the
                // display follows the text that comes back.
                if (e.readOnly) TellReadOnly();
                else SendMessageW(window, key == 'Z' ? EM_UNDO : EM_REDO, 0, 0);
                return Consume(window);
            }
            if (key == VK_BACK) return DeleteKey(window, key, lParam);
            return PassOn(window, WM_KEYDOWN, key, lParam);
        }
        if (route == kCtrlKeySwallow) return Consume(window);
        if (key == 'H') {
            if (e.readOnly) TellReadOnly();
            else if (e.enabled[kRibbonNormal] || e.editingState == kEditingHeading) {
                if (g_editorShell.toggleHeading) g_editorShell.toggleHeading();
            } else {
                EditorMessage(e.editingState == kEditingStrike ? kMsgHeadingNotForStrikeThrough
                                                               : kMsgHeadingNotForSelection);
            }
            return Consume(window);
        }
    }
    if (FlagChord(key)) {
        if (key == VK_F3 && !e.f3Held) {
            e.f3Held = 1;
            if (!FindIncSearchMatches(Shift() ? kIncFindPrevious : kIncFindNext))
                EditorStatus(L"No search text available", kStatusInfo);
        }
        return Consume(window);
    }
    if (Ctrl() && Shift() && key != VK_SHIFT && key != VK_CONTROL && !IsNavigationKey(key) && key != VK_BACK &&
        key != VK_DELETE && key != VK_END && key != VK_HOME)
        return Consume(window);
    if (key == VK_TAB) {
        if (e.tabPending) return Swallow(window);
        if (e.readOnly) return Swallow(window);
        if (HandleTabKey(Shift()) == kListKeyHandled) return Consume(window);
        e.tabPending = 1;
        return PassOn(window, WM_KEYDOWN, key, lParam);
    }
    // Enter inside a link (or on a whole selected link) follows it, also in a read-only file.
    if (key == VK_RETURN && !Ctrl() && !Shift() && ActivateLinkAtCaret(nullptr)) {
        e.enterHandled = 1;
        return Swallow(window);
    }
    if (e.readOnly && !IsNavigationKey(key) && key != VK_SHIFT && key != VK_CONTROL) {
        if (key == VK_BACK || key == VK_DELETE || key == VK_RETURN) TellReadOnly();
        return Swallow(window);
    }
    if (key == VK_BACK || key == VK_DELETE) return DeleteKey(window, key, lParam);
    if (key == VK_RETURN) {
        if (HandleEnterKey() == kListKeyHandled) {
            e.enterHandled = 1;
            return Swallow(window);
        }
        CHARRANGE before;
        ReadEditorSelection(&before);
        LRESULT result = PassOn(window, WM_KEYDOWN, key, lParam);
        CHARRANGE after;
        ReadEditorSelection(&after);
        FollowTextEdit(before.cpMin, after.cpMax, -1);
        return result;
    }
    return PassOn(window, WM_KEYDOWN, key, lParam);
}

// Characters that end a word: a link typed before them shows at once.
static int EndsWord(WCHAR ch)
{
    switch (ch) {
    case L' ': case L',': case L'.': case L'\n': case L'\r': case L':': case L']': case L';': case L'!': case L'?':
    case L')': case L'\t':
        return 1;
    default:
        return 0;
    }
}

// "* " typed at a line's start: the "*" becomes the bullet (the blank follows it).
static void MakeBulletOfStar(int32_t caret)
{
    AITextDocument* doc = g_noteEditor.control ? g_noteEditor.control->GetDocument() : nullptr;
    if (!doc || caret < 1) return;
    int32_t from = caret > kBulletStarWindow ? caret - kBulletStarWindow : 0;
    AIString before;
    doc->GetRangeText(from, caret, &before);
    int32_t star = FindBulletStar(before.GetText(), before.GetLength(), from == 0);
    if (star >= 0) ReplaceNoteText(from + star, from + star + 1, L"\x2022", caret, caret);
}

LRESULT EditorChar(HWND window, UINT message, WPARAM ch, LPARAM lParam)
{
    NoteEditorState& e = g_noteEditor;
    SnapshotModifiers();
    if (ch == kCtrlR) return 0;
    if (e.keyConsumed) {
        e.keyConsumed = 0;
        return 0;
    }
    if (ch == kEscape && OpenCompletionList() != kCompletionNone) return 0;
    if (ch == kEscape) {
        if (g_editorShell.closeMessageBox) g_editorShell.closeMessageBox();
        // Its release goes to QuickSearch: a shown picture would stay behind.
        if (PictureShown() && g_editorShell.hidePreview) g_editorShell.hidePreview();
        if (g_editorShell.quickSearch) g_editorShell.quickSearch(1);
        return 0;
    }
    if (!IsDatafileLoaded()) return 0;
    if (ch == L'\t') e.tabPending = 0;
    if (ch == L'\r' && e.enterHandled) {
        e.enterHandled = 0;
        return 0;
    }
    if (IsReservedNoteChar((WCHAR)ch)) {
        EditorMessage(kMsgReservedCharacters);
        return 0;
    }
    if (ch < L' ' && ch != L'\t' && ch != L'\r' && ch != L'\b' && !(ch >= 0x19 && ch <= 0x1C)) {
        if (Ctrl() && !Alt()) return 0;
        return PassOn(window, message, ch, lParam);
    }
    if (e.readOnly || IsDatafileReadOnly()) {
        if (ch != 0x19 && ch != 0x1A) TellReadOnly();
        return 0;
    }
    if (!CompletionCharAllowed(ch)) return 0;
    if (ch == L' ' && Ctrl() && !Shift() && !Alt()) {
        ShowAutoLinksPopup();
        return 0;
    }
    if (ch == L'\b') {
        if (e.edge == kEdgeInsideLink) return 0;
        return PassOn(window, message, ch, lParam);
    }
    if (ch >= 0x19 && ch <= 0x1C) return PassOn(window, message, ch, lParam);
    HidePointerWhileTyping();
    AIControl* editor = e.control;
    CHARRANGE s;
    ReadEditorSelection(&s);
    if (s.cpMax > s.cpMin) {
        if (ClassifyDeleteAtLink(editor, kEdgeBackspace) == kEdgePartialLink ||
            RangeCutsHyperlink(editor, s.cpMin, s.cpMax)) {
            EditorMessage(kMsgCannotDeletePartialLink);
            return 0;
        }
    } else if (ch != L'\r') {
        // Typed text stays out of hyperlinks: inside one it is refused; right
        // after one a blank separates it; right before one a blank follows it.
        int32_t before = s.cpMin > 0 ? LinkMarkAt(editor, s.cpMin - 1) : 0;
        int32_t after = LinkMarkAt(editor, s.cpMin);
        if (before == HyperlinkMark && after == HyperlinkMark) {
            EditorStatus(L"Select the hyperlink and press <b>Ctrl+K</b> to change it", kStatusInfo);
            return 0;
        }
        if (before == HyperlinkMark) {
            WCHAR text[3] = {L' ', (WCHAR)ch, 0};
            if (ch == L' ') text[1] = 0;
            ReplaceNoteText(s.cpMin, s.cpMin, text, -1, -1);
            e.typingState = 1;
            return 0;
        }
        if (after == HyperlinkMark) {
            ReplaceNoteText(s.cpMin, s.cpMin, L" ", s.cpMin, s.cpMin);
        }
    }
    if (ch == L'@' && s.cpMax == s.cpMin && OpensTagListAt(s.cpMin))
        ShowTagsPopup();
    if (ch == L' ' && s.cpMax == s.cpMin) MakeBulletOfStar(s.cpMin);
    LRESULT result = PassOn(window, message, ch, lParam);
    CHARRANGE now;
    ReadEditorSelection(&now);
    // A word still being typed is not marked until a separator ends it.
    FollowTextEdit(s.cpMin, now.cpMax, EndsWord((WCHAR)ch) ? -1 : now.cpMax);
    if (e.typingState == 0) e.typingState = 1;
    return result;
}
