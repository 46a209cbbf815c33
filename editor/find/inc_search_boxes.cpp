// The window procedures of the incremental-search box and the Replace box:
// every key searches the note again; arrows, F3, Home and End step through
// the matches, Tab goes to the Replace box and back, Enter selects (or
// replaces), Escape returns to where the search started.
#include "editor/find/inc_search.h"
#include "editor/find/inc_search_rules.h"
#include "editor/keys/editor_links.h"
#include "editor/keys/editor_state.h"
#include "foundation/app.h"
#include "ui/editor_selection.h"
#include "ui/window_table.h"
#include "foundation/misc_services.h"

namespace {

WNDPROC s_boxPrevious = nullptr;
WNDPROC s_replacePrevious = nullptr;

// Keys whose release does the work, per box.
struct BoxKeys {
    int32_t closePending = 0;   // Ctrl+F or Ctrl+H went down: the release ends the mode
    int32_t pastePending = 0;
    int32_t capsPending = 0;
    int32_t shiftAlone = 0;     // Shift went down and nothing was typed with it
};
BoxKeys s_boxKeys;
BoxKeys s_replaceKeys;

const WCHAR kReplacePrompt[] =
    L"<vlblue>Replace</vlblue>: Enter characters to replace selection (Press <lred>Enter</lred>)";

int Ctrl() { return EditorIsKeyDown(VK_CONTROL); }
int Shift() { return EditorIsKeyDown(VK_SHIFT); }

void Leave(int32_t how)
{
    if (g_editorShell.incSearch) g_editorShell.incSearch(how);
}

int BoxTextSelected(HWND box)
{
    DWORD from = 0, to = 0;
    SendMessageW(box, EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
    return to > from;
}

void Deselect(HWND box)
{
    int32_t length = GetWindowTextLengthW(box);
    SendMessageW(box, EM_SETSEL, length, length);
}

void SetBoxText(HWND box, const AIString& text)
{
    SetWindowTextW(box, text.GetText());
    SendMessageW(box, EM_SETSEL, text.GetLength(), text.GetLength());
}

int IsWordChar(WCHAR ch) { return IsCharAlphaNumericW(ch) || ch == L'_' || ch == L'-'; }

// The editor's text and its selection, held inside the text.
int ReadNoteAndSelection(AIString& note, int32_t* from, int32_t* to)
{
    HWND editor = g_noteEditor.hwnd;
    if (!editor) return 0;
    CHARRANGE s;
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&s);
    ReadEditorText(editor, note);
    int32_t length = note.GetLength();
    *from = s.cpMin < 0 ? 0 : (s.cpMin > length ? length : s.cpMin);
    *to = s.cpMax < *from ? *from : (s.cpMax > length ? length : s.cpMax);
    return 1;
}

// The selected text of the editor, or the word at the caret.
void PrefillText(AIString& out)
{
    out.Clear();
    AIString note;
    int32_t from, to;
    if (!ReadNoteAndSelection(note, &from, &to)) return;
    const WCHAR* t = note.GetText();
    if (to == from) {
        while (from > 0 && IsWordChar(t[from - 1])) from--;
        while (to < note.GetLength() && IsWordChar(t[to])) to++;
    }
    CleanIncSearchText(t + from, to - from, out);
}

// Right: the search grows to the end of the next word after the selection's start.
void GrowToNextWord(HWND box)
{
    AIString note;
    int32_t from, to;
    if (!ReadNoteAndSelection(note, &from, &to)) return;
    const WCHAR* t = note.GetText();
    int32_t length = note.GetLength();
    while (to < length && !IsWordChar(t[to])) to++;
    while (to < length && IsWordChar(t[to])) to++;
    AIString text;
    CleanIncSearchText(t + from, to - from, text);
    SetBoxText(box, text);
    FindIncSearchMatches(kIncFindBoxText);
}

// A step through the matches with the box's text.
void Step(int32_t step, int relative)
{
    IncSearchState& s = g_incSearch;
    s.step = relative ? s.step + step : step;
    FindIncSearchMatches(kIncFindBoxText);
}

// Keys that step through the matches in both boxes; 1 when the key was one.
int StepKey(WPARAM key)
{
    switch (key) {
    case VK_F3: Step(Shift() ? -1 : 1, 1); return 1;
    case VK_DOWN: Step(1, 1); return 1;
    case VK_UP: Step(-1, 1); return 1;
    case VK_HOME: Step(kIncStepFirst, 0); return 1;
    case VK_END: Step(kIncStepLast, 0); return 1;
    default: return 0;
    }
}

// Caps Lock ends the mode and is switched back off where the program can do so.
void CapsLockReleased()
{
    if (!g_app.system.IsWine() && EditorIsKeyToggled(VK_CAPITAL)) {
        SendKeyStroke(VK_CAPITAL);
    }
    Leave(-4);
}

// Down-keys both boxes consume (their release acts) or mark pending.
int CommonKeyDown(BoxKeys& keys, WPARAM key)
{
    if (key == VK_CAPITAL) {
        keys.capsPending = 1;
        return 1;
    }
    if (Ctrl() && (key == 'F' || key == 'H')) {
        keys.closePending = 1;
        return 1;
    }
    if (Ctrl() && key == 'V') keys.pastePending = 1;
    keys.shiftAlone = key == VK_SHIFT ? 1 : 0;
    switch (key) {
    case VK_RETURN: case VK_TAB: case VK_ESCAPE: case VK_END: case VK_HOME: case VK_LEFT: case VK_RIGHT:
    case VK_UP: case VK_DOWN: case VK_DELETE: case VK_F3:
        return 1;
    default:
        return 0;
    }
}

// Release keys both boxes share; 1 when handled.
int CommonKeyUp(BoxKeys& keys, WPARAM key)
{
    if (key == VK_CAPITAL && keys.capsPending) {
        keys.capsPending = 0;
        CapsLockReleased();
        return 1;
    }
    if (keys.pastePending) {
        keys.pastePending = 0;
        return key != VK_RETURN;
    }
    if (keys.closePending) {
        keys.closePending = 0;
        Leave(0);
        return 1;
    }
    if (key == VK_ESCAPE) {
        Leave(-2);
        return 1;
    }
    return StepKey(key);
}

LRESULT BoxSetFocus(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    IncSearchState& s = g_incSearch;
    LRESULT result = CallWindowProcW(s_boxPrevious, box, message, wParam, lParam);
    AIString text;
    text.AssignControlText(box);
    if (s.boxMode == kIncBoxReturning) {
        s.boxMode = kIncBoxSearching;
        if (text.GetLength() > 1) FindIncSearchMatches(kIncFindBoxText);
        Deselect(box);
        return result;
    }
    s.step = 0;
    s.caseSensitive = 0;
    s_boxKeys = BoxKeys();
    PrefillText(text);
    SetWindowTextW(box, text.GetText());
    if (text.GetLength() > 1) FindIncSearchMatches(kIncFindBoxText);
    SendMessageW(box, EM_SETSEL, 0, -1);
    return result;
}

LRESULT BoxKillFocus(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    IncSearchState& s = g_incSearch;
    LRESULT result = CallWindowProcW(s_boxPrevious, box, message, wParam, lParam);
    if ((HWND)wParam == s.replaceBox || s.boxMode == kIncBoxReturning || s.boxMode == kIncBoxIdle) return result;
    AIString text;
    text.AssignControlText(box);
    if (text.GetLength() >= kIncSearchMinChars && s.count >= 1 && s.count <= kIncSearchRememberMax)
        s.lastText.Copy(text);
    Leave(0);
    return result;
}

LRESULT BoxKeyDown(HWND box, UINT message, WPARAM key, LPARAM lParam)
{
    if (CommonKeyDown(s_boxKeys, key)) return 0;
    return CallWindowProcW(s_boxPrevious, box, message, key, lParam);
}

LRESULT BoxKeyUp(HWND box, UINT message, WPARAM key, LPARAM lParam)
{
    IncSearchState& s = g_incSearch;
    BoxKeys& keys = s_boxKeys;
    if (key == VK_SHIFT && keys.shiftAlone) {
        keys.shiftAlone = 0;
        s.caseSensitive = !s.caseSensitive;
        FindIncSearchMatches(kIncFindBoxText);
        EditorStatus(s.caseSensitive ? L"Case-sensitive search turned ON" : L"Case-sensitive search turned OFF",
                     kStatusInfo);
        return 0;
    }
    if (CommonKeyUp(keys, key)) return 0;
    switch (key) {
    case VK_RETURN:
        if (s.currentStart >= 0) s.anchor = {s.currentStart, s.currentEnd};
        Leave(0);
        return 0;
    case VK_LEFT:
    case VK_DELETE:
        SetWindowTextW(box, L"");
        if (s.currentStart >= 0) s.anchor = {s.currentStart, s.currentEnd};
        s.step = 0;
        s.currentIndex = 0;
        FindIncSearchMatches(kIncFindBoxText);
        return 0;
    case VK_RIGHT:
        if (BoxTextSelected(box)) Deselect(box);
        else GrowToNextWord(box);
        return 0;
    default:
        return CallWindowProcW(s_boxPrevious, box, message, key, lParam);
    }
}

LRESULT BoxChar(HWND box, UINT message, WPARAM ch, LPARAM lParam)
{
    IncSearchState& s = g_incSearch;
    if (Ctrl() && !EditorIsKeyDown(VK_MENU)) return 0;
    if (ch == L'\r' || ch == 27) return 0;
    if (ch == L'\t') {
        AIString text;
        text.AssignControlText(box);
        if (s.count >= kIncSearchMaxMatches)
            EditorStatus(L"Cannot replace with unknown number of hits - edit the search", kStatusError);
        else if (s.count <= 0 || text.IsEmpty())
            EditorStatus(L"Cannot replace something that does not exist - edit the search", kStatusError);
        else if (s.replaceBox && IsWindowEnabled(s.replaceBox)) {
            s.boxMode = kIncBoxReplacing;
            ShowWindow(s.replaceBox, SW_SHOW);
            SetFocus(s.replaceBox);
        }
        return 0;
    }
    s_boxKeys.shiftAlone = 0;
    if (ch >= L'A' && ch <= L'Z' && Shift()) s.caseSensitive = 1;
    if (ch == 8) {
        int selected = BoxTextSelected(box);
        if (!selected) FindIncSearchMatches(kIncFindBackspace);
        LRESULT result = CallWindowProcW(s_boxPrevious, box, message, ch, lParam);
        if (selected) FindIncSearchMatches(kIncFindBoxText);
        return result;
    }
    // Typing overwrites the selected (prefilled) text.
    if (BoxTextSelected(box)) SendMessageW(box, EM_REPLACESEL, FALSE, (LPARAM)L"");
    if (GetWindowTextLengthW(box) < kIncSearchBoxLimit) FindIncSearchMatches((int32_t)ch);
    return CallWindowProcW(s_boxPrevious, box, message, ch, lParam);
}

LRESULT BoxMouseWheel(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_noteEditor.hwnd) PostMessageW(g_noteEditor.hwnd, message, wParam, lParam);
    return 0;
}

LRESULT BoxLButtonDown(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A click into the box while replacing goes back to searching, not out of the mode.
    if (g_incSearch.boxMode == kIncBoxReplacing) g_incSearch.boxMode = kIncBoxReturning;
    return CallWindowProcW(s_boxPrevious, box, message, wParam, lParam);
}

LRESULT ReplaceSetFocus(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_incSearch.boxMode = kIncBoxReplacing;
    s_replaceKeys = BoxKeys();
    EditorStatus(kReplacePrompt, kStatusDone);
    return CallWindowProcW(s_replacePrevious, box, message, wParam, lParam);
}

LRESULT ReplaceKillFocus(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    IncSearchState& s = g_incSearch;
    LRESULT result = CallWindowProcW(s_replacePrevious, box, message, wParam, lParam);
    if ((HWND)wParam == s.box || s.boxMode == kIncBoxReturning || s.boxMode == kIncBoxIdle) return result;
    Leave(0);
    return result;
}

LRESULT ReplaceChar(HWND box, UINT message, WPARAM ch, LPARAM lParam)
{
    IncSearchState& s = g_incSearch;
    if (Ctrl() && !EditorIsKeyDown(VK_MENU)) return 0;
    if (ch == L'\t') {
        s.boxMode = kIncBoxReturning;
        if (s.box) SetFocus(s.box);
        return 0;
    }
    if (ch == L'\r' || ch == 27) return 0;
    return CallWindowProcW(s_replacePrevious, box, message, ch, lParam);
}

LRESULT ReplaceKeyDown(HWND box, UINT message, WPARAM key, LPARAM lParam)
{
    if (key == VK_RIGHT) return CallWindowProcW(s_replacePrevious, box, message, key, lParam);
    if (CommonKeyDown(s_replaceKeys, key) && key != VK_DELETE && key != VK_LEFT) return 0;
    return CallWindowProcW(s_replacePrevious, box, message, key, lParam);
}

LRESULT ReplaceKeyUp(HWND box, UINT message, WPARAM key, LPARAM lParam)
{
    if (CommonKeyUp(s_replaceKeys, key)) return 0;
    if (key == VK_RETURN) {
        ReplaceCurrentMatch();
        return 0;
    }
    return CallWindowProcW(s_replacePrevious, box, message, key, lParam);
}

const MessageEntry kBoxMessages[] = {
    {WM_SETFOCUS, BoxSetFocus},     {WM_KILLFOCUS, BoxKillFocus},     {WM_KEYDOWN, BoxKeyDown},
    {WM_KEYUP, BoxKeyUp},           {WM_CHAR, BoxChar},               {WM_MOUSEWHEEL, BoxMouseWheel},
    {WM_LBUTTONDOWN, BoxLButtonDown},
};

const MessageEntry kReplaceMessages[] = {
    {WM_SETFOCUS, ReplaceSetFocus}, {WM_KILLFOCUS, ReplaceKillFocus}, {WM_KEYDOWN, ReplaceKeyDown},
    {WM_KEYUP, ReplaceKeyUp},       {WM_CHAR, ReplaceChar},           {WM_MOUSEWHEEL, BoxMouseWheel},
};

LRESULT CALLBACK IncSearchBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const MessageEntry& entry : kBoxMessages)
        if (entry.message == message) return entry.handler(window, message, wParam, lParam);
    return CallWindowProcW(s_boxPrevious, window, message, wParam, lParam);
}

LRESULT CALLBACK ReplaceBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const MessageEntry& entry : kReplaceMessages)
        if (entry.message == message) return entry.handler(window, message, wParam, lParam);
    return CallWindowProcW(s_replacePrevious, window, message, wParam, lParam);
}

}  // namespace

void InstallIncSearchBoxes(HWND box, HWND replaceBox)
{
    g_incSearch.box = box;
    g_incSearch.replaceBox = replaceBox;
    if (box) {
        SendMessageW(box, EM_SETLIMITTEXT, kIncSearchBoxLimit, 0);
        s_boxPrevious = (WNDPROC)SetWindowLongPtrW(box, GWLP_WNDPROC, (LONG_PTR)IncSearchBoxProc);
    }
    if (replaceBox) {
        SendMessageW(replaceBox, EM_SETLIMITTEXT, kIncSearchBoxLimit, 0);
        s_replacePrevious = (WNDPROC)SetWindowLongPtrW(replaceBox, GWLP_WNDPROC, (LONG_PTR)ReplaceBoxProc);
    }
}
