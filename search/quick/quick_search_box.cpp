#include "search/quick/quick_search_box.h"
#include "search/quick/full_text_mode.h"
#include "search/preview/note_preview.h"
#include "search/preview/preview_fill.h"
#include "search/preview/preview_pane.h"
#include "foundation/app.h"
#include "search/quick/quick_rules.h"
#include "search/quick/quick_box_routing.h"
#include "search/quick/quick_preview_place.h"
#include "ui/split_view.h"
#include "search/quick/search_shell_links.h"
#include "foundation/ai_string_table.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "notestore/note_store.h"
#include "ui/window_table.h"
#include "resources/resource_ids.h"
#include <commctrl.h>
#include <richedit.h>

SearchShellLinks g_searchShell;

int SearchKeyDown(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) ? 1 : 0;
}

void SearchStatus(const WCHAR* text, StatusLevel level)
{
    if (g_searchShell.setStatusText) g_searchShell.setStatusText(text, level);
}

namespace {

const WCHAR kPrompt[] = L"<vlblue>QuickSearch</vlblue>: Enter name of note and press <lred>Enter</lred> to load "
                        L"(and press <lred>Enter</lred> again to edit)";
const WCHAR kNotFound[] = L"<lred>Note not found</lred> - press <lred>Enter</lred> to perform full-text search";
const int32_t kTitleLimit = 30;
const DWORD kAltReleaseBoundMs = 3000;

// Ctrl chords of the box: the key-down marks them, the release carries them out.
enum QuickChord {
    kQuickNone = 0,
    kQuickIncSearch,
    kQuickNewNote,
    kQuickPrint,
    kQuickFocusEditor,
    kQuickOpenDatafile,
    kQuickFullText,
    kQuickLastFullText,
    kQuickEscape,
    kQuickShortcuts,
    kQuickZoomOut,
    kQuickZoomIn,
    kQuickZoomReset,
    kQuickPaste,      // Ctrl+V and Ctrl+C reach the edit field: their characters are let through
    kQuickCopy,
    kQuickRename,
    kQuickFullScreen,
};

struct QuickSearchState {
    WNDPROC previous = nullptr;
    int32_t selected = -1;       // the note the list shows selected
    int32_t lastMatch = -1;
    AIString lastTyped;
    int32_t notFound = 0;
    int32_t previewed = -1;      // the note previewed last
    int32_t tipIndex = 0;        // the tip the preview shows next
    QuickChord pending = kQuickNone;
    WPARAM forwarded = 0;        // a key whose press went to the editor: its release follows it
    int32_t ctrlHint = 0;        // 1 while Ctrl alone is held and the hint timers run
};
QuickSearchState s_quick;

int Ctrl() { return SearchKeyDown(VK_CONTROL); }
int Shift() { return SearchKeyDown(VK_SHIFT); }
int32_t CurrentNote() { return g_searchShell.currentNote ? g_searchShell.currentNote() : -1; }

QuickChord ChordOf(WPARAM key)
{
    if (!Ctrl()) {
        switch (key) {
        case VK_ESCAPE: return kQuickEscape;
        case VK_F2: return kQuickRename;
        case VK_F11: return kQuickFullScreen;
        default: return kQuickNone;
        }
    }
    switch (key) {
    case 'F': return Shift() ? kQuickFullText : kQuickIncSearch;
    case 'N': return kQuickNewNote;
    case 'P': return kQuickPrint;
    case 'L': return kQuickFocusEditor;
    case 'O': return kQuickOpenDatafile;
    case 'Q': return kQuickShortcuts;
    case 'V': return kQuickPaste;
    case 'C': return kQuickCopy;
    case VK_RETURN: case VK_SPACE: return kQuickLastFullText;
    case VK_OEM_MINUS: case VK_SUBTRACT: return kQuickZoomOut;
    case VK_OEM_PLUS: case VK_ADD: return kQuickZoomIn;
    case VK_MULTIPLY: return kQuickZoomReset;
    default: return kQuickNone;
    }
}

// Ctrl+0 to Ctrl+9 and F5 belong to the editor (favourites, refresh).
int IsEditorKey(WPARAM key) { return key == VK_F5 || (Ctrl() && key >= '0' && key <= '9'); }

void StepEditorZoom(int direction)
{
    HWND editor = g_searchShell.editor;
    if (!editor) return;
    WPARAM numerator = 0;
    LPARAM denominator = 0;
    SendMessageW(editor, EM_GETZOOM, (WPARAM)&numerator, (LPARAM)&denominator);
    int32_t n = (int32_t)numerator, d = (int32_t)denominator;
    QuickZoomStep(&n, &d, direction);
    SendMessageW(editor, EM_SETZOOM, n, d);
    if (g_searchShell.showZoomStatus) g_searchShell.showZoomStatus(n * kQuickZoomNormal / d);
}

void ToggleFullScreen(HWND box)
{
    HWND frame = GetAncestor(box, GA_ROOT);
    if (frame) PostMessageW(frame, WM_SYSCOMMAND, IsZoomed(frame) ? SC_RESTORE : SC_MAXIMIZE, 0);
}

void StopCtrlHint()
{
    if (!s_quick.ctrlHint) return;
    s_quick.ctrlHint = 0;
    if (g_searchShell.stopCtrlHint) g_searchShell.stopCtrlHint();
    SearchStatus(s_quick.notFound ? kNotFound : kPrompt, s_quick.notFound ? kStatusWarning : kStatusDone);
}

void CarryOut(QuickChord chord)
{
    SearchShellLinks& l = g_searchShell;
    switch (chord) {
    case kQuickIncSearch: if (l.incSearch) l.incSearch(2); break;
    case kQuickNewNote: if (l.newNote) l.newNote(Shift()); break;
    case kQuickPrint: if (l.printNote) l.printNote(); break;
    case kQuickFocusEditor: case kQuickEscape: if (l.focusQuickSearch) l.focusQuickSearch(0); break;
    case kQuickOpenDatafile: if (l.openDatafile) l.openDatafile(); break;
    case kQuickFullText: ToggleFullTextSearch(1); break;
    case kQuickLastFullText: ToggleFullTextSearch(0); break;
    case kQuickShortcuts: if (l.showShortcuts) l.showShortcuts(); break;
    case kQuickZoomOut: StepEditorZoom(-1); break;
    case kQuickZoomIn: StepEditorZoom(1); break;
    case kQuickZoomReset: StepEditorZoom(0); break;
    case kQuickRename: if (l.renameNote) l.renameNote(); break;
    case kQuickFullScreen: ToggleFullScreen(l.quickSearch); break;
    case kQuickPaste: case kQuickCopy: case kQuickNone: break;
    }
}

// The list selects the note; the note is previewed when the preview timer fires.
void SelectInList(int32_t index)
{
    HWND list = g_searchShell.noteList;
    if (list && index >= 0) {
        SendMessageW(list, LB_SETCURSEL, index, 0);
    } else if (list) {
        SendMessageW(list, LB_SETCURSEL, CurrentNote(), 0);
    }
    // Nothing typed, or nothing matching: the preview shows its tip or says so.
    if (index < 0) ShowQuickSearchPreview(kQuickPreviewTip, 0);
    int fresh = index >= 0 && index != CurrentNote() && index != s_quick.previewed;
    if (IsSplitViewOn()) {
        // Split view shows the note at once in the editor's pane, and the picture for the typed text.
        if (fresh) ShowQuickSearchPreview(index, 1);
        if (g_searchShell.showDefaultImage) g_searchShell.showDefaultImage();
    } else if (fresh && g_searchShell.startTimer) {
        g_searchShell.startTimer(kQuickPreviewTimer, kQuickPreviewMs);
    }
}

// Shows the note's title in the box, all selected (navigation keys).
void ShowTitleOf(HWND box, int32_t index)
{
    AIString title, completion;
    GetNoteTitle(index, title);
    QuickCompletionOf(title.GetText(), completion);
    SetWindowTextW(box, completion.GetText());
    SendMessageW(box, EM_SETSEL, 0, -1);
    s_quick.selected = index;
    SelectInList(index);
}

// Up, Down, Page Up/Down, Ctrl+Home/End, Left, Delete; 1 when the key was one.
int Navigate(HWND box, WPARAM key)
{
    QuickSearchState& q = s_quick;
    const int32_t count = GetNoteCount();
    if (count <= 0) return 0;
    int32_t from = q.selected >= 0 ? q.selected : (q.lastMatch >= 0 ? q.lastMatch : CurrentNote());
    int32_t page = 10;
    if (g_searchShell.noteList) {
        RECT r;
        GetClientRect(g_searchShell.noteList, &r);
        int32_t row = (int32_t)SendMessageW(g_searchShell.noteList, LB_GETITEMHEIGHT, 0, 0);
        if (row > 0 && r.bottom / row > 1) page = r.bottom / row - 1;
    }
    int32_t to;
    switch (key) {
    case VK_UP: to = from - 1; break;
    case VK_DOWN: to = from + 1; break;
    case VK_PRIOR: to = from - page; break;
    case VK_NEXT: to = from + page; break;
    case VK_HOME: if (!Ctrl()) return 0; to = 0; break;
    case VK_END: if (!Ctrl()) return 0; to = count - 1; break;
    case VK_LEFT:
    case VK_DELETE:
        SetWindowTextW(box, L"");
        q.selected = -1;
        q.lastTyped.Clear();
        SelectInList(-1);
        // Left also brings the note shown to the top of the list.
        if (key == VK_LEFT && g_searchShell.noteList && CurrentNote() >= 0)
            SendMessageW(g_searchShell.noteList, LB_SETTOPINDEX, CurrentNote(), 0);
        return 1;
    default: return 0;
    }
    ShowTitleOf(box, ClampNoteIndex(to, count));
    return 1;
}

// Looks the typed text up and completes it in place.
void LookUpTitle(HWND box, WPARAM key)
{
    QuickSearchState& q = s_quick;
    AIString typed, lookup;
    typed.AssignControlText(box);
    QuickLookupForm(typed.GetText(), lookup);
    if (lookup.IsEmpty()) {
        q.selected = -1;
        q.lastTyped.Clear();
        SelectInList(-1);
        return;
    }
    if (!(q.selected >= 0 && q.selected == q.lastMatch && lookup.EqualsTextNoCase(q.lastTyped.GetText()))) {
        q.selected = FindNoteByTitle(lookup.GetText(), 0, 1);
        if (q.selected >= 0) {
            q.lastMatch = q.selected;
            q.lastTyped.Copy(lookup);
        }
    }
    if (q.selected < 0) {
        q.lastTyped.Clear();
        if (!q.notFound) {
            SearchStatus(kNotFound, kStatusWarning);
            if (g_searchShell.pulseBox) g_searchShell.pulseBox();
        }
        q.notFound = 1;
        int32_t end = typed.GetLength();
        SendMessageW(box, EM_SETSEL, end, end);
        SelectInList(-1);
        return;
    }
    if (q.notFound) {
        q.notFound = 0;
        if (g_searchShell.pulseBox) g_searchShell.pulseBox();
        SearchStatus(kPrompt, kStatusDone);
    }
    // The stored title may have moved since the look-up: the index is kept inside the list.
    int32_t index = ClampNoteIndex(q.selected, GetNoteCount());
    AIString title, completion;
    GetNoteTitle(index, title);
    QuickCompletionOf(title.GetText(), completion);
    int32_t typedLength = typed.GetLength();
    if (key != VK_DELETE && completion.GetLength() >= typedLength) {
        SetWindowTextW(box, completion.GetText());
        int32_t tail = (key == VK_RIGHT || key == VK_END) ? completion.GetLength() : typedLength;
        SendMessageW(box, EM_SETSEL, tail, -1);
    }
    SelectInList(index);
}

// Enter and Tab: show the note, move to the editor, or search the whole text.
void ActOnTitle(HWND box, WPARAM key)
{
    AIString typed, lookup;
    typed.AssignControlText(box);
    typed.Trim();
    if (typed.IsEmpty()) return;
    QuickLookupForm(typed.GetText(), lookup);
    int32_t index = FindNoteByTitle(lookup.GetText(), 0, 0);
    SearchShellLinks& l = g_searchShell;
    if (index >= 0 && index != CurrentNote()) {
        if (l.showNote) l.showNote(index);
        SendMessageW(box, EM_SETSEL, 0, -1);
    } else if (index >= 0) {
        if (l.focusQuickSearch) l.focusQuickSearch(0);
    } else if (key == VK_TAB) {
        if (l.focusQuickSearch) l.focusQuickSearch(0);
    } else {
        ToggleFullTextSearch(1);
    }
}

LRESULT Pass(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(s_quick.previous, box, message, wParam, lParam);
}

// The note the box's text names as a whole, -1 when none.
int32_t TypedNote(HWND box)
{
    AIString typed, lookup;
    typed.AssignControlText(box);
    QuickLookupForm(typed.GetText(), lookup);
    return lookup.IsEmpty() ? -1 : FindNoteByTitle(lookup.GetText(), 0, 0);
}

LRESULT OnKeyDown(HWND box, UINT message, WPARAM key, LPARAM lParam)
{
    if (key == VK_CONTROL) {
        // Only Ctrl's first press starts the hint, not its auto-repeat after another key stopped it.
        const LPARAM kWasDown = (LPARAM)1 << 30;
        if (!(lParam & kWasDown) && !s_quick.ctrlHint && !Shift() && g_searchShell.startCtrlHint) {
            s_quick.ctrlHint = 1;
            g_searchShell.startCtrlHint(kQuickCtrlHintTimer);
        }
        return Pass(box, message, key, lParam);
    }
    StopCtrlHint();
    if (key == VK_SHIFT) {
        // Only a title typed out (no completion waiting): Shift for a capital letter peeks at nothing.
        const LPARAM kWasDown = (LPARAM)1 << 30;
        DWORD from = 0, to = 0;
        SendMessageW(box, EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
        QuickShiftDown(from == to ? TypedNote(box) : -1, (lParam & kWasDown) ? 1 : 0);
        return Pass(box, message, key, lParam);
    }
    // A link's preview gives way to typing: the box's own preview follows the keys.
    if (IsLinkPreviewShown()) HideQuickPreview(0);
    if (IsEditorKey(key)) {
        if (g_searchShell.editor) PostMessageW(g_searchShell.editor, WM_KEYDOWN, key, lParam);
        s_quick.forwarded = key;
        return 0;
    }
    QuickChord chord = ChordOf(key);
    if (chord != kQuickNone) {
        s_quick.pending = chord;
        // Paste and copy are the edit field's own.
        if (chord == kQuickPaste || chord == kQuickCopy) return Pass(box, message, key, lParam);
        return 0;
    }
    if (key == VK_RETURN || key == VK_TAB) return 0;
    return Pass(box, message, key, lParam);
}

// Whether the box's text names another note than the one shown.
void TellRibbonOfTypedTitle(HWND box)
{
    if (!g_searchShell.ribbonForTypedTitle) return;
    AIString typed, lookup, shown;
    typed.AssignControlText(box);
    QuickLookupForm(typed.GetText(), lookup);
    int32_t current = CurrentNote();
    if (current >= 0) GetNoteTitle(current, shown);
    g_searchShell.ribbonForTypedTitle(!lookup.IsEmpty() && !lookup.EqualsTextNoCase(shown.GetText()));
}

LRESULT OnKeyUp(HWND box, UINT message, WPARAM key, LPARAM lParam)
{
    QuickSearchState& q = s_quick;
    // Alt let go after a chord (Alt+Left, Alt+W) types nothing: the box's text
    // and selection stay, and it must not open the window menu, which an
    // accelerator's key in between leaves armed.
    if (key == VK_MENU) return 0;
    if (key == VK_CONTROL) StopCtrlHint();
    if (key == VK_SHIFT && QuickShiftUp()) return 0;
    if (q.forwarded && key == q.forwarded) {
        q.forwarded = 0;
        if (g_searchShell.editor) PostMessageW(g_searchShell.editor, WM_KEYUP, key, lParam);
        return 0;
    }
    if (q.pending != kQuickNone) {
        QuickChord chord = q.pending;
        q.pending = kQuickNone;
        if (chord == kQuickPaste || chord == kQuickCopy) return Pass(box, message, key, lParam);
        if (chord != kQuickEscape || key == VK_ESCAPE) CarryOut(chord);
        return 0;
    }
    if (key == VK_RETURN || key == VK_TAB) {
        ActOnTitle(box, key);
        return 0;
    }
    if (Navigate(box, key)) return 0;
    if (key != VK_CONTROL && key != VK_SHIFT && !Ctrl()) LookUpTitle(box, key);
    LRESULT result = Pass(box, message, key, lParam);
    TellRibbonOfTypedTitle(box);
    return result;
}

// The control characters of Ctrl+V and Ctrl+C, which the edit field turns into a paste and a copy,
// and Backspace's, with which the edit field deletes.
enum : WPARAM { kPasteCharacter = 0x16, kCopyCharacter = 0x03, kBackspaceCharacter = 0x08 };

// Backspace over a completion tail takes the tail and one typed character
// away: the selection is widened by that character before the edit field
// deletes it, and the title is looked up again when the key comes up.
void TakeBackOneTypedCharacter(HWND box)
{
    DWORD from = 0, to = 0;
    SendMessageW(box, EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
    int32_t length = GetWindowTextLengthW(box);
    if (to > from && (int32_t)to == length && from > 0) SendMessageW(box, EM_SETSEL, from - 1, to);
    s_quick.selected = -1;
    s_quick.lastTyped.Clear();
}

LRESULT OnChar(HWND box, UINT message, WPARAM ch, LPARAM lParam)
{
    StopCtrlHint();
    if ((ch == kPasteCharacter && s_quick.pending == kQuickPaste) ||
        (ch == kCopyCharacter && s_quick.pending == kQuickCopy))
        return Pass(box, message, ch, lParam);
    if (Ctrl() && !SearchKeyDown(VK_MENU)) return 0;
    if (ch == 27 || ch == L'\r' || ch == L'\t' || ch == L'\n') return 0;
    if (ch == kBackspaceCharacter) TakeBackOneTypedCharacter(box);
    return Pass(box, message, ch, lParam);
}

void ImageZoomTo(int large)
{
    if (g_searchShell.setImageZoom) g_searchShell.setImageZoom(large);
}

void LookUpBoxText(HWND box)
{
    AIString word;
    word.AssignControlText(box);
    word.Trim();
    if (word.IsEmpty()) return;
    if (!g_searchShell.lookUpWord || !g_searchShell.lookUpWord(word.GetText()))
        SearchStatus(L"Word look-up is not available", kStatusWarning);
}

LRESULT OnSysKeyUp(HWND box, UINT message, WPARAM key, LPARAM lParam)
{
    SearchShellLinks& l = g_searchShell;
    switch (key) {
    // Alt letters the editor acts on, as if typed there.
    case 'Z': case 'V': case 'F': case 'T': case 'B':
        if (l.editor) SendMessageW(l.editor, WM_SYSKEYUP, key, lParam);
        return 0;
    case 'W': LookUpBoxText(box); return 0;
    case 'S':
        // The screenshot reads a browser's address with keys of its own: it starts once Alt is up.
        WaitForKeyRelease(VK_MENU, kAltReleaseBoundMs);
        if (l.captureScreenshot) l.captureScreenshot();
        else SearchStatus(L"Screen capture is not available", kStatusWarning);
        return 0;
    case VK_OEM_PLUS: ImageZoomTo(1); return 0;
    case VK_OEM_MINUS: ImageZoomTo(0); return 0;
    case VK_F10:
        if (HWND frame = GetAncestor(box, GA_ROOT)) PostMessageW(frame, WM_COMMAND, IDM_TOGGLE_RIBBON, 0);
        return 0;
    default: break;
    }
    if ((key == VK_LEFT || key == VK_RIGHT) && l.navigate) {
        l.navigate(key == VK_RIGHT);
        SendMessageW(box, EM_SETSEL, 0, -1);
        return 0;
    }
    if (key == 'C') {
        int withShift = Shift();
        // The capture starts once Alt is up, or the target window would see it held.
        WaitForKeyRelease(VK_MENU, kAltReleaseBoundMs);
        if (l.captureDocument) l.captureDocument(withShift);
        return 0;
    }
    return Pass(box, message, key, lParam);
}

LRESULT OnSysChar(HWND, UINT, WPARAM, LPARAM) { return 0; }

LRESULT OnMouseWheel(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    StopCtrlHint();
    if (RouteQuickWheel(wParam, lParam)) return 0;
    return Pass(box, message, wParam, lParam);
}

LRESULT OnSetFocus(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Pass(box, message, wParam, lParam);
    // Typing here means the program is in use: the frame is told so when it
    // does not count itself active (a deactivated screen left it so).
    HWND frame = GetAncestor(box, GA_ROOT);
    if (frame && !g_app.GetGuardFlag()) SendMessageW(frame, WM_ACTIVATE, WA_ACTIVE, 0);
    SendMessageW(box, EM_SETSEL, 0, -1);
    if (g_searchShell.ribbonForQuickSearch) g_searchShell.ribbonForQuickSearch();
    QuickBoxFocused();
    return result;
}

// The note's controls act on the note shown again once the box is left.
LRESULT OnKillFocus(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    StopCtrlHint();
    if (g_searchShell.ribbonForTypedTitle) g_searchShell.ribbonForTypedTitle(0);
    // Left for the editor (a click there): the editor's state is back, as after Escape.
    if ((HWND)wParam == g_searchShell.editor && g_searchShell.editor && g_searchShell.focusQuickSearch)
        g_searchShell.focusQuickSearch(0);
    return Pass(box, message, wParam, lParam);
}


const MessageEntry kQuickMessages[] = {
    {WM_KEYDOWN, OnKeyDown}, {WM_KEYUP, OnKeyUp},         {WM_CHAR, OnChar},
    {WM_SYSKEYUP, OnSysKeyUp}, {WM_SYSCHAR, OnSysChar},   {WM_SETFOCUS, OnSetFocus},
    {WM_KILLFOCUS, OnKillFocus}, {WM_MOUSEWHEEL, OnMouseWheel},
};

LRESULT CALLBACK QuickSearchBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (QuickBoxHoldsMessage(box, message, wParam, lParam)) return 0;
    LRESULT result = 0;
    int handled = 0;
    for (const MessageEntry& entry : kQuickMessages)
        if (entry.message == message) {
            result = entry.handler(box, message, wParam, lParam);
            handled = 1;
            break;
        }
    if (!handled) result = Pass(box, message, wParam, lParam);
    FollowQuickPreviewPlace(s_quick.previewed);
    return result;
}

}  // namespace

void InstallQuickSearchBox(HWND box)
{
    if (!box) return;
    SendMessageW(box, EM_SETLIMITTEXT, kTitleLimit, 0);
    SendMessageW(box, EM_SETCUEBANNER, TRUE, (LPARAM)L"Enter search here");
    s_quick.previous = (WNDPROC)SetWindowLongPtrW(box, GWLP_WNDPROC, (LONG_PTR)QuickSearchBoxProc);
}

int32_t GetQuickSearchSelection() { return s_quick.selected; }

void ShowQuickSearchPrompt()
{
    s_quick.notFound = 0;
    s_quick.previewed = -1;
    SearchStatus(kPrompt, kStatusDone);
}

void ShowQuickSearchPreview(int noteIndex, int force)
{
    TRACE_SCOPE(kTraceQuickSearch, 1);
    if (IsFullTextSearchMode() || (!force && !g_app.settings.Record().instantPreview)) return;
    HWND pane = g_searchShell.previewPane;
    if (noteIndex == kQuickPreviewTypedNote) {
        AIString typed, key;
        if (g_searchShell.quickSearch) typed.AssignControlText(g_searchShell.quickSearch);
        QuickLookupForm(typed.GetText(), key);
        noteIndex = key.IsEmpty() ? -1 : FindNoteByTitle(key.GetText(), 0, 0);
        // No other note named: the pane's default, the tip.
        if (noteIndex < 0 || noteIndex == CurrentNote()) noteIndex = kQuickPreviewTip;
    }
    if (noteIndex == kQuickPreviewTip) {
        AIString typed, key, tip;
        if (g_searchShell.quickSearch) typed.AssignControlText(g_searchShell.quickSearch);
        QuickLookupForm(typed.GetText(), key);
        int unmatched = !key.IsEmpty() && FindNoteByTitle(key.GetText(), 0, 1) < 0;
        QuickPreviewTipText(s_quick.tipIndex, unmatched, tip);
        ReturnQuickPreview();
        ShowPreviewText(pane, tip, 0);
        s_quick.tipIndex = (s_quick.tipIndex + 1) % kQuickTipCount;
        s_quick.previewed = -1;
        return;
    }
    if (noteIndex < 0 || noteIndex == CurrentNote()) return;
    if (!FillNotePreview(pane, noteIndex, L"Preview: ")) return;
    s_quick.previewed = noteIndex;
    // Split view, or a preview forced while instant preview is off: over the editor.
    if (QuickPreviewBelongsOverEditor() && (force || IsSplitViewOn())) PlaceQuickPreviewOverEditor();
}

int WaitForKeyRelease(int virtualKey, DWORD boundMs)
{
    DWORD start = GetTickCount();
    MSG message;
    while (SearchKeyDown(virtualKey)) {
        if (GetTickCount() - start >= boundMs) return 0;
        // Wine moves the key state on only when the queue is read.
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return 1;
}
