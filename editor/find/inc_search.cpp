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
#include <string.h>
#include <vector>

IncSearchState g_incSearch;

namespace {

const UINT kLaterColoursDelay = 10;   // ms between rounds of off-screen colours
const int32_t kRunsPerRound = 16;     // format changes a round makes (each costs the rich edit a redraw)

// The search colours the editor shows and the ones it should show, a cell a
// character of the note as it was when the matches were found. A key changes
// the cells on screen at once; a timer brings the rest in line in rounds.
std::vector<uint8_t> s_shown;
std::vector<uint8_t> s_wanted;
AIString s_colouredText;
UINT_PTR s_laterTimer = 0;

HWND Editor() { return g_noteEditor.hwnd; }
AITextDocument* Doc() { return g_noteEditor.control ? g_noteEditor.control->GetDocument() : nullptr; }

COLORREF CellColour(uint8_t cell)
{
    if (cell == kIncCellMatch) return kIncMatchColour;
    if (cell == kIncCellReplaced) return kIncReplacedColour;
    return (COLORREF)-1;   // the automatic background, never a colour of its own (0 would be black)
}

int32_t CellCount() { return (int32_t)s_shown.size(); }

// Brings at most max runs of [from, to) in line; returns how many it changed.
int32_t ApplyRuns(int32_t from, int32_t to, int32_t max)
{
    AITextDocument* doc = Doc();
    if (to > CellCount()) to = CellCount();
    if (!doc || from >= to) return 0;
    int32_t total = 0;
    while (total < max) {
        IncColourRun runs[kRunsPerRound];
        int32_t room = max - total < kRunsPerRound ? max - total : kRunsPerRound;
        int32_t n = PlanColourRuns(s_shown.data(), s_wanted.data(), from, to, runs, room);
        if (n == 0) break;
        AITextDocument::Tint tints[kRunsPerRound];
        for (int32_t i = 0; i < n; i++) {
            tints[i] = {runs[i].start, runs[i].end, CellColour(runs[i].cell)};
            memset(s_shown.data() + runs[i].start, runs[i].cell, (size_t)(runs[i].end - runs[i].start));
        }
        doc->SetRangesBackColour(tints, n);
        total += n;
        from = runs[n - 1].end;
    }
    return total;
}

int ColoursPending() { return s_shown != s_wanted; }

void StopLaterColours()
{
    if (s_laterTimer) KillTimer(nullptr, s_laterTimer);
    s_laterTimer = 0;
}

// Forgets the colours without touching the editor (its text is another now).
void ForgetColours()
{
    StopLaterColours();
    s_shown.clear();
    s_wanted.clear();
    s_colouredText.Clear();
}

void CALLBACK ColourLater(HWND, UINT, UINT_PTR, DWORD)
{
    // Another text in the editor: the cells no longer describe it.
    AITextDocument* doc = Doc();
    if (!doc || doc->GetTextLength() != CellCount()) {
        ForgetColours();
        return;
    }
    ApplyRuns(0, CellCount(), kRunsPerRound);
    if (!ColoursPending()) StopLaterColours();
}

// The characters the editor shows now, whole lines.
void VisibleRange(HWND editor, int32_t* from, int32_t* to)
{
    RECT client;
    GetClientRect(editor, &client);
    int32_t firstLine = (int32_t)SendMessageW(editor, EM_GETFIRSTVISIBLELINE, 0, 0);
    *from = (int32_t)SendMessageW(editor, EM_LINEINDEX, firstLine, 0);
    POINTL corner = {client.right, client.bottom};
    int32_t last = (int32_t)SendMessageW(editor, EM_CHARFROMPOS, 0, (LPARAM)&corner);
    int32_t lastLine = (int32_t)SendMessageW(editor, EM_EXLINEFROMCHAR, 0, last);
    int32_t next = (int32_t)SendMessageW(editor, EM_LINEINDEX, lastLine + 1, 0);
    *to = next > last ? next : CellCount();
    if (*from < 0) *from = 0;
}

// The matches found in the note become the wanted colours; the ones on
// screen are coloured now, the rest on the timer.
void ColourMatches(const AIString& note)
{
    const IncSearchState& s = g_incSearch;
    if (!Doc()) return;
    if (!note.EqualsString(s_colouredText)) {
        ClearIncSearchColours();
        s_shown.assign((size_t)note.GetLength(), kIncCellPlain);
        s_colouredText.Copy(note);
    }
    s_wanted.resize(s_shown.size());
    MarkMatchCells(s_wanted.data(), CellCount(), s.positions, s.count, s.matchLength);
}

void ColourVisibleNow(HWND editor)
{
    if (s_shown.empty()) return;
    int32_t from = 0, to = 0;
    VisibleRange(editor, &from, &to);
    ApplyRuns(from, to, CellCount());
    if (ColoursPending() && !s_laterTimer) s_laterTimer = SetTimer(nullptr, 0, kLaterColoursDelay, ColourLater);
    if (!ColoursPending()) StopLaterColours();
}

// No colours wanted any more: those on screen go now, the rest on the timer.
void UncolourSoon(HWND editor)
{
    s_wanted.assign(s_shown.size(), kIncCellPlain);
    ColourVisibleNow(editor);
}

// A colour of its own on [start, end), at once (the replaced text).
void Colour(int32_t start, int32_t end, uint8_t cell)
{
    if (end > CellCount()) end = CellCount();
    if (start < 0 || start >= end) return;
    memset(s_wanted.data() + start, cell, (size_t)(end - start));
    ApplyRuns(start, end, end - start);
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
    StopLaterColours();
    AITextDocument* doc = Doc();
    if (doc && !s_shown.empty()) {
        int32_t length = doc->GetTextLength();
        if (length < CellCount()) s_shown.resize((size_t)length);
        s_wanted.assign(s_shown.size(), kIncCellPlain);
        ApplyRuns(0, CellCount(), CellCount());
    }
    ForgetColours();
}

int32_t IncSearchColoursPending() { return ColoursPending() ? 1 : 0; }

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

    if (tooShort || !s.highlightAll) UncolourSoon(editor);
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
    // The selection has scrolled the view: what is on screen now is coloured first.
    if (s.highlightAll) ColourVisibleNow(editor);
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
    if (replacement.GetLength() > 0) Colour(start, behind, kIncCellReplaced);
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
    ForgetColours();
}

void EndIncSearch()
{
    IncSearchState& s = g_incSearch;
    ClearIncSearchColours();
    s.boxMode = kIncBoxIdle;
    s.caseSensitive = 0;
}
