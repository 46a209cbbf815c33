#include "editor/find/inc_search.h"
#include "editor/find/inc_search_rules.h"
#include "editor/keys/editor_links.h"
#include "editor/keys/editor_state.h"
#include "editor/keys/note_editor.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/ai_text_document.h"
#include "ui/editor_selection.h"
#include "ui/link_marks.h"

IncSearchState g_incSearch;

namespace {

// The ranges that carry a colour of ours, so that exactly they lose it again,
// and the note's text when the matches were coloured: while it is the same,
// the next key changes only what differs.
IncColouredRange s_coloured[kIncSearchMaxMatches + 1];
int32_t s_colouredCount = 0;
AIString s_colouredText;

HWND Editor() { return g_noteEditor.hwnd; }
AITextDocument* Doc() { return g_noteEditor.control ? g_noteEditor.control->GetDocument() : nullptr; }

void Colour(int32_t start, int32_t end, COLORREF colour)
{
    AITextDocument* doc = Doc();
    if (!doc || s_colouredCount >= kIncSearchMaxMatches + 1) return;
    doc->SetRangeBackColour(start, end, colour);
    s_coloured[s_colouredCount++] = {start, end, colour == kIncMatchColour};
}

// Colours exactly the matches found in the note: each format change of the
// rich edit costs a redraw of its paragraph, so the matches of the last key
// that are matches again keep their colour.
void ColourMatches(const AIString& note)
{
    const IncSearchState& s = g_incSearch;
    AITextDocument* doc = Doc();
    if (!doc) return;
    if (!note.EqualsString(s_colouredText)) ClearIncSearchColours();
    IncColourStep steps[kIncColourStepsMax];
    int32_t n = PlanMatchColours(s_coloured, s_colouredCount, s.positions, s.count, s.matchLength, steps);
    for (int32_t i = 0; i < n; i++)
        doc->SetRangeBackColour(steps[i].start, steps[i].end, steps[i].colour ? kIncMatchColour : (COLORREF)-1);
    s_colouredCount = 0;
    for (int32_t i = 0; i < s.count && s_colouredCount < kIncSearchMaxMatches; i++)
        s_coloured[s_colouredCount++] = {s.positions[i], s.positions[i] + s.matchLength, 1};
    s_colouredText.Copy(note);
}

int IsWritable() { return IsDatafileLoaded() && !IsDatafileReadOnly(); }

void ShowReplaceBox(int show)
{
    HWND replace = g_incSearch.replaceBox;
    if (!replace) return;
    if (!IsWritable()) show = 0;
    EnableWindow(replace, show ? TRUE : FALSE);
    if (g_incSearch.boxMode == kIncBoxReplacing || !show) ShowWindow(replace, show ? SW_SHOW : SW_HIDE);
}

// Turns the drawing of the editor and the mouse pointer off while a search runs.
class QuietEditor {
public:
    explicit QuietEditor(HWND editor) : editor_(editor)
    {
        ShowCursor(FALSE);
        if (editor_) SendMessageW(editor_, WM_SETREDRAW, FALSE, 0);
    }
    ~QuietEditor()
    {
        if (editor_) {
            SendMessageW(editor_, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(editor_, nullptr, TRUE);
        }
        ShowCursor(TRUE);
    }

private:
    HWND editor_;
};

void Report(const IncSearchReport& report)
{
    AIString text;
    StatusLevel level = ComposeIncSearchStatus(report, text);
    EditorStatus(text.GetText(), level);
}

int SelectionIsMatch(HWND editor, const AIString& text)
{
    CHARRANGE s;
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&s);
    if (s.cpMax - s.cpMin != text.GetLength()) return 0;
    AIString selected;
    ReadEditorText(editor, selected);
    if (s.cpMax > selected.GetLength()) return 0;
    AIString part;
    part.AssignTextN(selected.GetText() + s.cpMin, s.cpMax - s.cpMin);
    return part.EqualsTextNoCase(text.GetText());
}

}  // namespace

void ClearIncSearchColours()
{
    AITextDocument* doc = Doc();
    s_colouredText.Clear();
    if (!doc || !s_colouredCount) {
        s_colouredCount = 0;
        return;
    }
    int32_t length = doc->GetTextLength();
    // The automatic background, never a colour of its own (0 would be black).
    for (int32_t i = 0; i < s_colouredCount; i++) {
        int32_t start = s_coloured[i].start, end = s_coloured[i].end;
        if (end > length) end = length;
        if (start < end) doc->SetRangeBackColour(start, end, (COLORREF)-1);
    }
    s_colouredCount = 0;
}

int32_t FindIncSearchMatches(int32_t what)
{
    IncSearchState& s = g_incSearch;
    HWND editor = Editor();
    if (!editor) return 0;
    const int fromF3 = what == kIncFindNext || what == kIncFindPrevious;
    if (fromF3 && s.lastText.IsEmpty()) return 0;

    QuietEditor quiet(editor);
    AIString boxText, text;
    if (s.box) boxText.AssignControlText(s.box);
    int tooShort = 0;
    if (fromF3) {
        text.Copy(s.lastText);
        s.step = what == kIncFindNext ? 0 : -1;
        SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&s.anchor);
        s.saved = s.anchor;
        if (what == kIncFindNext && SelectionIsMatch(editor, text)) s.step = 1;
    } else if (what == kIncFindBackspace) {
        if (boxText.GetLength() < kIncSearchMinChars + 1) {
            ClearIncSearchColours();
            SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&s.saved);
            s.previousText.Clear();
            tooShort = 1;
        } else {
            text.AssignTextN(boxText.GetText(), boxText.GetLength() - 1);
        }
    } else if (what > 0) {
        text.Copy(boxText);
        text.AppendChar((WCHAR)what);
    } else {
        text.Copy(boxText);
    }
    if (text.GetLength() < kIncSearchMinChars) tooShort = 1;
    s.fromF3 = fromF3;

    if (tooShort || !s.highlightAll) ClearIncSearchColours();
    if (tooShort) {
        s.count = 0;
        IncSearchReport report = {text.GetText(), 0, 1, s.caseSensitive, fromF3, 1};
        Report(report);
        ShowReplaceBox(0);
        return 1;
    }

    AIString note;
    ReadEditorText(editor, note);
    s.count = FindTextMatches(note.GetText(), note.GetLength(), text.GetText(), text.GetLength(), s.caseSensitive,
                              s.positions, kIncSearchMaxMatches);
    s.matchLength = text.GetLength();
    s.previousText.Copy(text);
    s.noMatch = s.count == 0;
    s.currentIndex = FirstMatchAtOrAfter(s.positions, s.count, s.anchor.cpMin);
    if (s.highlightAll) ColourMatches(note);

    int32_t selected = 1;
    if (s.count >= 1 && s.count <= kIncSearchReplaceMax) {
        if (s.count <= kIncSearchRememberMax) s.lastText.Copy(text);
        int32_t index = ChooseMatchIndex(s.count, s.currentIndex, &s.step, fromF3);
        s.currentIndex = index;
        s.currentStart = s.positions[index];
        s.currentEnd = s.currentStart + s.matchLength;
        // Selected also with 99 matches, so that Replace acts on the match.
        CHARRANGE match = {s.currentStart, s.currentEnd};
        SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&match);
        selected = index + 1;
    } else {
        s.currentStart = s.currentEnd = -1;
        SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&s.saved);
    }
    ShowReplaceBox(s.count >= 1 && s.count <= kIncSearchReplaceMax);
    IncSearchReport report = {text.GetText(), s.count, selected, s.caseSensitive, fromF3, 0};
    Report(report);
    return selected;
}

int ReplaceCurrentMatch()
{
    IncSearchState& s = g_incSearch;
    HWND editor = Editor();
    AITextDocument* doc = Doc();
    if (!editor || !doc || s.currentStart < 0 || s.currentEnd <= s.currentStart) return 0;
    if (!IsWritable()) {
        TellReadOnly();
        return 0;
    }
    ClearIncSearchColours();
    // A hyperlink keeps its hidden target: its label is edited by hand.
    if (doc->GetRangeUnderline(s.currentStart, s.currentStart + 1) == HyperlinkMark) {
        EditorStatus(L"You cannot replace hyperlinks - they must be manually edited/deleted", kStatusError);
        return 0;
    }
    AIString replacement;
    if (s.replaceBox) replacement.AssignControlText(s.replaceBox);
    int32_t start = s.currentStart;
    // One undo step; the note's links and tags are derived again from its text.
    if (!ReplaceNoteText(s.currentStart, s.currentEnd, replacement.GetText(), -1, -1)) return 0;
    const int32_t behind = start + replacement.GetLength();
    CHARRANGE caret = {behind, behind};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&caret);
    s.anchor = caret;
    FindIncSearchMatches(kIncFindNext);
    if (replacement.GetLength() > 0) Colour(start, behind, kIncReplacedColour);
    if (s.count == 0) {
        SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&caret);
        s.anchor = caret;
        if (g_editorShell.incSearch) g_editorShell.incSearch(0);
        EditorStatus(L"No more matches for search", kStatusInfo);
    }
    return 1;
}

void BeginIncSearch(int32_t replacing)
{
    IncSearchState& s = g_incSearch;
    HWND editor = Editor();
    if (editor) SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&s.anchor);
    s.saved = s.anchor;
    s.boxMode = replacing ? kIncBoxReplacing : kIncBoxSearching;
    s.step = 0;
    s.count = 0;
    s.currentStart = s.currentEnd = -1;
    // What the editor shows now is not known to hold the last colours.
    s_colouredText.Clear();
}

void EndIncSearch()
{
    IncSearchState& s = g_incSearch;
    ClearIncSearchColours();
    s.boxMode = kIncBoxIdle;
    s.caseSensitive = 0;
}
