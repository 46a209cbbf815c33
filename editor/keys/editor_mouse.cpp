// The editor's mouse: link hover, clicks on links, the right-click menu and
// the extra buttons.
#include "editor/keys/editor_mouse.h"
#include "foundation/ai_file.h"
#include <windowsx.h>
#include "editor/keys/editor_actions.h"
#include "editor/keys/editor_menu.h"
#include "editor/keys/editor_state.h"
#include "editor/keys/note_editor.h"
#include "editor/editor_status.h"
#include "editor/format/zoom_status.h"
#include "editor/find/inc_search.h"
#include "editor/links/link_stepping.h"
#include "editor/links/file_link_preview.h"
#include "editor/links/link_context.h"
#include "editor/links/link_describe.h"
#include "editor/links/link_follow.h"
#include "editor/links/link_follow_rules.h"
#include "foundation/ai_string.h"
#include "foundation/app.h"
#include "foundation/ai_string_table.h"
#include "foundation/clipboard.h"
#include "foundation/text_markup.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/link_marks.h"
#include "ui/shell_helpers.h"

namespace {

// A press and release this close together are one click.
const int kClickSlop = 2;
// A pointer hidden by typing shows again after a move of more than this.
const int kPointerShowSlop = 3;

struct HoverState {
    int32_t start = 0, end = 0, mark = 0;  // the link under the pointer
    int32_t tintStart = 0, tintEnd = 0;    // the range tinted
    POINT last = {-1, -1};                  // last tracked position
    POINT press = {-1, -1};                 // last left-button press
    int captured = 0;                       // the capture is the hover's
    POINT hiddenAt = {-1, -1};              // where the pointer was when typing hid it
    int doubleClick = 0;
};
HoverState s_hover;

POINT PointOf(LPARAM lParam)
{
    POINT p = {(SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam)};
    return p;
}

AITextDocument* Doc() { return g_noteEditor.control ? g_noteEditor.control->GetDocument() : nullptr; }

COLORREF TintOf(int32_t mark)
{
    if (mark == HyperlinkMark) return kHoverTintHyperlink;
    if (mark == NoteLinkMark) return kHoverTintNoteLink;
    return kHoverTintTag;
}

void RemoveTint()
{
    AITextDocument* doc = Doc();
    if (doc && s_hover.tintEnd > s_hover.tintStart) {
        int32_t length = doc->GetTextLength();
        int32_t end = s_hover.tintEnd > length ? length : s_hover.tintEnd;
        if (end > s_hover.tintStart) doc->SetRangeBackColour(s_hover.tintStart, end, (COLORREF)-1);
    }
    s_hover.tintStart = s_hover.tintEnd = 0;
}

void ReleaseHoverCapture(HWND window)
{
    if (s_hover.captured && GetCapture() == window) ReleaseCapture();
    s_hover.captured = 0;
}

// What the status line says about the link under the pointer.
void DescribeHovered(AIString& status)
{
    AIString description;
    DescribeLinkRun(g_noteEditor.control, s_hover.start, s_hover.end, s_hover.mark, description);
    const AIString& plain = g_linkCaret.linkText;  // the description without mark-up
    AIString text;
    Doc()->GetRangeText(s_hover.start, s_hover.end, &text);
    if (s_hover.mark == NoteLinkMark) {
        status.AssignText(L"Link to note <lred>");
        TextMarkup::Escape(text.GetText(), status);
        status.AppendText(L"</lred>");
        return;
    }
    if (s_hover.mark == TagMark) {
        status.AssignText(L"List of notes with tag ");
        TextMarkup::Escape(text.GetText(), status);
        return;
    }
    AIString path;
    FileOfDescription(plain.GetText(), path);
    // A file on another machine is never asked about while the mouse moves.
    DWORD attributes = path.IsEmpty() || AIFile::IsNetworkPath(path.GetText()) ? INVALID_FILE_ATTRIBUTES
                                                                              : GetFileAttributesW(path.GetText());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        status.AssignText(L"Open <lgreen>Directory</lgreen> ");
        TextMarkup::Escape(path.GetText(), status);
        return;
    }
    HoverStatusText(plain.GetText(), status);
    if (IsFileLinkDescription(plain.GetText()))
        RequestFileLinkPreview(plain.GetText(), g_app.settings.Record().previewPdfText != 0);
}

void HoverLink(HWND window, int32_t start, int32_t end, int32_t mark)
{
    if (!s_hover.captured) {
        SetCapture(window);
        s_hover.captured = 1;
    }
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    if (start == s_hover.start && end == s_hover.end && mark == s_hover.mark) return;
    RemoveTint();
    s_hover.start = start;
    s_hover.end = end;
    s_hover.mark = mark;
    Doc()->SetRangeBackColour(start, end, TintOf(mark));
    s_hover.tintStart = start;
    s_hover.tintEnd = end;
    AIString status;
    DescribeHovered(status);
    EditorStatus(status.GetText(), kStatusInfo);
}

void LeaveLink(HWND window)
{
    if (s_hover.end > s_hover.start) {
        RemoveTint();
        s_hover.start = s_hover.end = s_hover.mark = 0;
        g_linkCaret.linkText.Clear();
        EditorStatus(L"Ready", kStatusInfo);
    }
    ReleaseHoverCapture(window);
}

int IncSearchOwnsEditor() { return g_incSearch.boxMode != kIncBoxIdle; }

// A selection made with the mouse that takes a line's end (and the blank
// before it) along ends before them.
void TrimSelectionAtLineEnd(HWND window)
{
    CHARRANGE s;
    ReadEditorSelection(&s);
    AITextDocument* doc = Doc();
    if (!doc || s.cpMax <= s.cpMin) return;
    WCHAR last = (WCHAR)doc->GetCharAt(s.cpMax - 1);
    if (last != L'\r' && last != 0) return;
    int32_t end = s.cpMax - 1;
    if (end > s.cpMin && doc->GetCharAt(end - 1) == L' ') end--;
    CHARRANGE trimmed = {s.cpMin, end};
    SendMessageW(window, EM_EXSETSEL, 0, (LPARAM)&trimmed);
}

int NearPress(POINT p)
{
    return s_hover.press.x >= 0 && abs(p.x - s_hover.press.x) <= kClickSlop && abs(p.y - s_hover.press.y) <= kClickSlop;
}

// The target of the hyperlink [start, end) as the table holds it, shown form.
int HyperlinkTarget(int32_t start, int32_t end, AIString& target)
{
    AIString label;
    int known = ReadHyperlinkRun(g_noteEditor.control, start, end, label, target);
    // An address typed into the text is its own target.
    if (!known) target.Copy(label);
    TableTextToShown(target);
    return known;
}

int OpenWith(const WCHAR* program, const WCHAR* target)
{
    if (!target || !target[0]) return 0;
    const WCHAR* file = program ? program : target;
    const WCHAR* parameters = program ? target : nullptr;
    if (g_editorShell.openInShell) return g_editorShell.openInShell(L"open", file, parameters, nullptr);
    return OpenInShell(g_editorShell.frame, L"open", file, parameters, nullptr, SW_SHOWNORMAL);
}

// The file or address a link menu's command acts on.
void MenuTarget(AIString& target)
{
    FileOfDescription(g_linkCaret.linkText.GetText(), target);
    if (!target.IsEmpty()) return;
    CHARRANGE s;
    ReadEditorSelection(&s);
    HyperlinkTarget(s.cpMin, s.cpMax, target);
    if (IsRelativePathText(target.GetText())) {
        AIString path;
        ResolveRelativePath(target.GetText(), path);
        target.Copy(path);
    }
}

}  // namespace

void HidePointerWhileTyping()
{
    if (g_noteEditor.pointerHidden) return;
    ShowCursor(FALSE);
    g_noteEditor.pointerHidden = 1;
    POINT at;
    if (g_noteEditor.hwnd && GetCursorPos(&at) && ScreenToClient(g_noteEditor.hwnd, &at)) s_hover.hiddenAt = at;
    else s_hover.hiddenAt = s_hover.last;
}

void ShowPointerAgain()
{
    if (!g_noteEditor.pointerHidden) return;
    ShowCursor(TRUE);
    g_noteEditor.pointerHidden = 0;
}

void GetHoveredLink(int32_t* start, int32_t* end, int32_t* mark)
{
    *start = s_hover.start;
    *end = s_hover.end;
    *mark = s_hover.mark;
}

void ForgetHoveredLink()
{
    RemoveTint();
    s_hover.start = s_hover.end = s_hover.mark = 0;
    s_hover.last.x = s_hover.last.y = -1;
}

LRESULT EditorMouseMove(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TRACE_SCOPE(kTraceEditorMouse, 1);
    // Selecting text with the button down: the control's own.
    if (wParam & MK_LBUTTON) return PassOn(window, message, wParam, lParam);
    POINT p = PointOf(lParam);
    // Nothing is tracked while another window of the program (a screen, a
    // message) or another program is active: the capture would take its clicks.
    if (GetActiveWindow() != GetAncestor(window, GA_ROOT)) {
        LeaveLink(window);
        return PassOn(window, message, wParam, lParam);
    }
    // The pointer typing hid shows again once the mouse really moves (the
    // control's own moves at the same place, after a scroll, do not count),
    // and what lies under it is tracked at once.
    if (g_noteEditor.pointerHidden) {
        if (abs(p.x - s_hover.hiddenAt.x) <= kPointerShowSlop && abs(p.y - s_hover.hiddenAt.y) <= kPointerShowSlop)
            return PassOn(window, message, wParam, lParam);
        ShowPointerAgain();
    }
    if ((p.x == s_hover.last.x && p.y == s_hover.last.y) || IncSearchOwnsEditor())
        return PassOn(window, message, wParam, lParam);
    s_hover.last = p;
    int32_t at = Doc() ? CharUnderPoint(g_noteEditor.control, p) : -1;
    int32_t start = 0, end = 0, mark = 0;
    if (at >= 0 && LinkRunAt(g_noteEditor.control, at, &start, &end, &mark)) {
        HoverLink(window, start, end, mark);
        return 1;
    }
    LeaveLink(window);
    return PassOn(window, message, wParam, lParam);
}

LRESULT EditorCaptureChanged(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The control took the capture for a selection, or a menu did.
    if ((HWND)lParam != window) s_hover.captured = 0;
    return PassOn(window, message, wParam, lParam);
}

LRESULT EditorLeftButtonDown(HWND, UINT, WPARAM, LPARAM lParam)
{
    s_hover.doubleClick = 0;
    s_hover.press = PointOf(lParam);
    // The control takes the capture for its selection.
    s_hover.captured = 0;
    return 0;
}

LRESULT EditorDoubleClick(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    s_hover.doubleClick = 1;
    return PassOn(window, message, wParam, lParam);
}

LRESULT EditorLeftButtonUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TRACE_SCOPE(kTraceEditorMouse, 2);
    LRESULT result = PassOn(window, message, wParam, lParam);
    POINT p = PointOf(lParam);
    int click = NearPress(p) && !s_hover.doubleClick && !IncSearchOwnsEditor();
    s_hover.press.x = s_hover.press.y = -1;
    if (s_hover.doubleClick) {
        s_hover.doubleClick = 0;
        // A double-clicked word without the blank the control selects after it.
        CHARRANGE s;
        ReadEditorSelection(&s);
        AITextDocument* doc = Doc();
        if (doc && s.cpMax > s.cpMin) {
            WCHAR last = (WCHAR)doc->GetCharAt(s.cpMax - 1);
            if (last == L' ' || last == L'\r') {
                CHARRANGE trimmed = {s.cpMin, s.cpMax - 1};
                SendMessageW(window, EM_EXSETSEL, 0, (LPARAM)&trimmed);
            }
            // The double-clicked word's dictionary entry comes up in the preview pane.
            if (!IncSearchOwnsEditor() && g_editorShell.lookUpWord) g_editorShell.lookUpWord();
        }
        UpdateEditorStatus(kEditorStatusRefresh);
        return result;
    }
    TrimSelectionAtLineEnd(window);
    UpdateEditorStatus(kEditorStatusRefresh);
    if (click && ActivateLinkAtCaret(&p)) {
        ForgetHoveredLink();
        return 0;
    }
    if (wParam & MK_CONTROL) CarryOutChord(kChordWordOccurrence, 0);
    return result;
}

LRESULT EditorRightButtonDown(HWND, UINT, WPARAM, LPARAM) { return 0; }

LRESULT EditorRightButtonUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ShowEditorContextMenu(window, PointOf(lParam));
    return PassOn(window, message, wParam, lParam);
}

LRESULT EditorExtraButtonUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_editorShell.navigate) {
        if (HIWORD(wParam) == XBUTTON1) g_editorShell.navigate(0);
        else if (HIWORD(wParam) == XBUTTON2) g_editorShell.navigate(1);
    }
    PassOn(window, message, wParam, lParam);
    return TRUE;
}

LRESULT EditorWheel(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The wheel comes to the focus; over the note list or QuickSearch it is theirs.
    int ctrl = (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) ? 1 : 0;
    POINT screen = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    HWND target = g_editorShell.wheelTargetAt ? g_editorShell.wheelTargetAt(screen, ctrl) : nullptr;
    if (target && target != window) {
        PostMessageW(target, message, wParam, lParam);
        return 0;
    }
    if (!ctrl && PictureShown()) {
        // Over a shown picture the wheel steps through the picture links.
        JumpToNextLinkOrImage(GET_WHEEL_DELTA_WPARAM(wParam) < 0);
        return 0;
    }
    if (!ctrl) return PassOn(window, message, wParam, lParam);
    // Ctrl+wheel zooms by its own steps; the control's own wheel zoom is not wanted too.
    int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    int notches = delta / WHEEL_DELTA;
    if (notches == 0) notches = delta > 0 ? 1 : -1;
    WPARAM numerator = 0, denominator = 0;
    SendMessageW(window, EM_GETZOOM, (WPARAM)&numerator, (LPARAM)&denominator);
    int32_t zoom = ZoomWheeled((int32_t)numerator, (int32_t)denominator, notches);
    SendMessageW(window, EM_SETZOOM, zoom, kZoomNormal);
    ShowEditorZoomStatus(zoom);
    return 0;
}

UINT ShowEditorContextMenu(HWND window, POINT clientPoint)
{
    TRACE_SCOPE(kTraceEditorMouse, 3);
    AITextDocument* doc = Doc();
    if (!doc) return 0;
    EditorMenuState state;
    CHARRANGE s;
    ReadEditorSelection(&s);
    int32_t under = CharUnderPoint(g_noteEditor.control, clientPoint);
    int32_t start = 0, end = 0, mark = 0;
    int overLink = under >= 0 && LinkRunAt(g_noteEditor.control, under, &start, &end, &mark);
    if (overLink) {
        CHARRANGE link = {start, end};
        SendMessageW(window, EM_EXSETSEL, 0, (LPARAM)&link);
    } else if (s.cpMax == s.cpMin && under >= 0) {
        CHARRANGE caret = {under, under};
        SendMessageW(window, EM_EXSETSEL, 0, (LPARAM)&caret);
    }
    UpdateEditorStatus(kEditorStatusRefresh);
    ReadEditorSelection(&s);
    for (int i = 0; i < kRibbonControlCount; i++) state.enabled[i] = g_noteEditor.enabled[i];
    state.hasSelection = s.cpMax > s.cpMin;
    // The data file shown now: the last key's snapshot may be of another one.
    state.readOnly = IsDatafileLoaded() && IsDatafileReadOnly();
    AIString description;
    if (overLink && mark == HyperlinkMark) {
        state.linkMenu = 1;
        AIString ignored, target;
        DescribeLinkRun(g_noteEditor.control, start, end, mark, ignored);
        description.Copy(g_linkCaret.linkText);
        state.description = description.GetText();
        HyperlinkTarget(start, end, target);
        state.targetIsPicture = IsPicturePath(target.GetText());
        // A hyperlink is edited where it is.
        state.enabled[kRibbonHyperlink] = 1;
        if (g_editorShell.setRibbonControl) g_editorShell.setRibbonControl(kRibbonHyperlink, 1, 1);
    }
    EditorMenuItem items[kEditorMenuMaxItems];
    int count = BuildEditorMenu(state, items, kEditorMenuMaxItems);
    HMENU menu = CreatePopupMenu();
    if (!menu) return 0;
    for (int i = 0; i < count; i++) {
        if (items[i].id == kMenuSeparator) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else AppendMenuW(menu, MF_STRING | (items[i].grayed ? MF_GRAYED : 0), items[i].id, items[i].text);
    }
    POINT screen = clientPoint;
    ClientToScreen(window, &screen);
    UINT chosen = g_editorShell.runMenu
                      ? g_editorShell.runMenu(menu, screen)
                      : (UINT)TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x, screen.y, 0, window, nullptr);
    // Only an item that was offered and not greyed is carried out.
    int allowed = 0;
    for (int i = 0; i < count; i++)
        if (items[i].id == chosen && chosen != kMenuSeparator && !items[i].grayed) allowed = 1;
    DestroyMenu(menu);
    ReleaseHoverCapture(window);
    if (allowed) CarryOutMenuCommand(chosen);
    else if (overLink && under >= 0) {
        CHARRANGE caret = {under, under};
        SendMessageW(window, EM_EXSETSEL, 0, (LPARAM)&caret);
    }
    UpdateWindow(window);
    return allowed ? chosen : 0;
}

void CarryOutMenuCommand(UINT command)
{
    AIString target;
    switch (command) {
    case kMenuCut: CarryOutChord(kChordCutRich, 'X'); break;
    case kMenuCopy: CarryOutChord(kChordCopyRich, 'C'); break;
    case kMenuCopyPlain: CarryOutChord(kChordCopyPlain, 'C'); break;
    case kMenuPaste: CarryOutChord(kChordPaste, 'V'); break;
    case kMenuBold: CarryOutChord(kChordBold, 'B'); break;
    case kMenuItalic: CarryOutChord(kChordItalic, 'I'); break;
    case kMenuStrike: CarryOutChord(kChordStrikeThrough, 'D'); break;
    case kMenuPrint: CarryOutChord(kChordPrint, 'P'); break;
    case kMenuHyperlink: CreateHyperlinkFromSelection(); break;
    case kMenuNormal:
    case kMenuHeadingSmall:
    case kMenuHeadingAverage:
    case kMenuHeadingLarge: {
        // Large is "# ", average "## ", small "### ".
        int level = command == kMenuNormal ? 0 : command == kMenuHeadingLarge ? 1 : command == kMenuHeadingAverage ? 2 : 3;
        if (g_editorShell.setHeading) g_editorShell.setHeading(level);
        break;
    }
    case kMenuCopyUrl: {
        MenuTarget(target);
        AIClipboard clipboard(g_noteEditor.hwnd);
        if (target.IsEmpty() || !clipboard.Open()) break;
        clipboard.Empty();
        clipboard.SetText(target.GetText());
        clipboard.Close();
        EditorStatus(L"Hyperlink target copied", kStatusDone);
        break;
    }
    case kMenuOpenInNotepad:
        MenuTarget(target);
        OpenWith(L"Notepad.exe", target.GetText());
        break;
    case kMenuOpenImage:
        MenuTarget(target);
        OpenWith(nullptr, target.GetText());
        break;
    case kMenuEditImage:
        MenuTarget(target);
        if (!g_editorShell.editImage) EditorNotAvailable(L"Editing a picture");
        else if (!target.IsEmpty()) g_editorShell.editImage(target.GetText());
        InvalidateRect(g_noteEditor.hwnd, nullptr, FALSE);
        break;
    default: break;
    }
}
