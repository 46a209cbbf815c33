#include "shell/note_commands.h"
#include "shell/sync_connection.h"
#include "shell/main_panel.h"
#include "shell/note_history.h"
#include "shell/frame_window.h"
#include "shell/later_entry_points.h"
#include "editor/editor_status.h"
#include "editor/keys/note_editor.h"
#include "editor/clipboard/editor_clipboard.h"
#include "editor/links/completion_popup.h"
#include "shell/note_markup_view.h"
#include "shell/read_only_notice.h"
#include "editor/note_marks.h"
#include "editor/find/inc_search.h"
#include "search/full_text_search.h"
#include "search/quick/quick_search_box.h"
#include "search/search_tables.h"
#include "ui/long_paragraph_layout.h"
#include "ui/editor_selection.h"
#include "shell/link_helpers.h"
#include "shell/shell_ids.h"
#include "shell/shell_settings.h"
#include "shell/status_texts.h"
#include "notestore/note_store.h"
#include "notestore/datafile_format.h"
#include "foundation/ai_string_table.h"
#include "foundation/app.h"
#include "foundation/errors.h"
#include "foundation/trace.h"
#include "foundation/text_markup.h"
#include "dialogs/dialog_center.h"
#include <richedit.h>

static HWND Editor() { return g_mainPanel.editor.GetHwnd(); }

// The editor's text with paragraph ends as CR LF.
static void GetEditorText(AIString& out) { ReadEditorText(Editor(), out, 1); }

void SaveEditorScroll()
{
    TRACE_SCOPE(kTraceNoteCommands, 1);
    HWND editor = Editor();
    if (!editor || g_mainPanel.currentNote < 0 || g_mainPanel.lastShownTitle.IsEmpty()) return;
    POINT scroll = {0, 0};
    SendMessageW(editor, EM_GETSCROLLPOS, 0, (LPARAM)&scroll);
    CHARRANGE selection = {0, 0};
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&selection);
    WPARAM numerator = 0;
    LPARAM denominator = 0;
    SendMessageW(editor, EM_GETZOOM, (WPARAM)&numerator, (LPARAM)&denominator);
    g_noteViews.Keep(g_mainPanel.lastShownTitle.GetText(),
                     {scroll.x, scroll.y, selection.cpMin, selection.cpMax, (int32_t)numerator, (int32_t)denominator});
    g_mainPanel.previousView[0] = scroll.x;
    g_mainPanel.previousView[1] = scroll.y;
    g_mainPanel.previousView[2] = selection.cpMin;
    g_mainPanel.previousView[3] = selection.cpMax;
}

// Puts a note's body into the editor with its marks: headings, links and
// tags. The text is laid out once, after it is set and marked.
static void PutBodyIntoEditor(HWND editor, const AIString& body)
{
    SetWindowTextW(editor, L"");
    LayoutPause oneLayout(editor);
    SetNoteBodyFormat(editor);
    SetEditorTextInRuns(editor, body.GetText(), body.GetLength());
    FormatNoteHeadings(editor);
    ShowNoteHyperlinks();
    ApplyLineTagsInEditor(0);
}

// The current note's stored body, as the editor shows it (no link block).
static void StoredBody(AIString& out)
{
    const AIString& text = g_noteStore.currentText;
    out.AssignTextN(text.GetText(), FindLinkBlock(text.GetText(), text.GetLength()));
}

// The store may keep a text other than the one given (a note cut to the
// length limit, characters the data file cannot hold replaced): the editor
// then shows what was stored, its scroll position and selection kept as far
// as the text reaches.
static void ShowStoredBodyIfChanged(HWND editor, const AIString& given)
{
    AIString stored;
    StoredBody(stored);
    if (stored.EqualsString(given)) return;
    POINT scroll = {0, 0};
    CHARRANGE selection = {0, 0};
    SendMessageW(editor, EM_GETSCROLLPOS, 0, (LPARAM)&scroll);
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&selection);
    LRESULT events = SendMessageW(editor, EM_GETEVENTMASK, 0, 0);
    SendMessageW(editor, WM_SETREDRAW, FALSE, 0);
    SendMessageW(editor, EM_SETEVENTMASK, 0, 0);
    PutBodyIntoEditor(editor, stored);
    SendMessageW(editor, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&selection);  // held within the text by the control
    SendMessageW(editor, EM_SETSCROLLPOS, 0, (LPARAM)&scroll);
    SendMessageW(editor, EM_SETEVENTMASK, 0, events);
    SendMessageW(editor, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(editor, nullptr, TRUE);
}

static int s_storeRunning = 0;   // a store, with the question of its failure, is under way
static int s_noteNotStored = 0;  // the last store failed and the user was told

int SaveCurrentNote(SaveFailureAnswer how)
{
    TRACE_SCOPE(kTraceNoteCommands, 2);
    HWND editor = Editor();
    if (!editor || g_mainPanel.currentNote < 0 || !IsDatafileLoaded()) return 1;
    if (!SendMessageW(editor, EM_GETMODIFY, 0, 0)) return 1;
    if (IsDatafileReadOnly()) {
        SetStatusText(L"<lred>The data file is read-only</lred> - the change is not saved", kStatusError);
        return 0;
    }
    if (s_storeRunning) return 0;
    ClearPasteHighlight();  // a temporary tint is never part of what is stored
    AIString body;
    GetEditorText(body);
    int32_t ask = how == kSaveAutomatic && s_noteNotStored ? 0 : 1;
    s_storeRunning = 1;
    int32_t stored = StoreCurrentNote(body.GetText(), ask);
    s_storeRunning = 0;
    if (!stored) {
        s_noteNotStored = 1;
        SetStatusText(L"<lred>Note not stored</lred> - the text stays in the editor and is stored again later",
                      kStatusError);
        return 0;
    }
    if (s_noteNotStored) SetStatusText(L"Note stored", kStatusDone);
    SearchResultsStale = 1;  // the stored text may no longer hold what a search found in it
    s_noteNotStored = 0;
    ShowStoredBodyIfChanged(editor, body);
    SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
    return 1;
}

int SaveCurrentNoteAutomatically()
{
    if (IsErrorReportOpen() || IsDialogCenterBusy()) return 0;
    return SaveCurrentNote(kSaveAutomatic);
}

static void ShowTitleInFrame(const AIString& title)
{
    HWND frame = g_frame.GetHwndField();
    if (!frame) return;
    AIString text, shown;
    ShownTitleForm(title.GetText(), shown);
    text.AssignText(kProductName);
    text.AppendText(L" - ");
    text.AppendString(shown);
    SetWindowTextW(frame, text.GetText());
}

// The status line names the note shown and the number of notes.
static void ShowShownNoteStatus()
{
    AIString title, status;
    if (g_mainPanel.currentNote >= 0) GetNoteTitle(g_mainPanel.currentNote, title);
    ComposeShownNoteStatus(title.GetText(), GetNoteCount(), status);
    SetStatusText(status.GetText(), kStatusDone);
}

// The list may have moved ahead of a note that could not be shown: back to the note in the editor.
static void KeepListOnShownNote()
{
    HWND list = g_mainPanel.noteList.GetHwnd();
    if (list && g_mainPanel.currentNote >= 0) SendMessageW(list, LB_SETCURSEL, g_mainPanel.currentNote, 0);
}

int ReadAndShowNote(int32_t noteIndex, ShowNoteHistory history)
{
    TRACE_SCOPE(kTraceNoteCommands, 3);
    HWND editor = Editor();
    if (!editor || !IsDatafileLoaded() || noteIndex < 0 || noteIndex >= GetNoteCount()) return 0;
    // A completion list belongs to the text it was opened on.
    HideCompletionLists();
    if (g_mainPanel.currentNote >= 0) {
        SaveEditorScroll();
        // A note that could not be saved stays in the editor, so the change is not lost.
        if (!SaveCurrentNote(kSaveAskOnFailure)) {
            KeepListOnShownNote();
            return 0;
        }
    }
    if (!OpenCurrentNote(noteIndex)) {
        SetStatusText(L"<lred>The note could not be read</lred>", kStatusError);
        KeepListOnShownNote();
        return 0;
    }
    AIString body;
    StoredBody(body);

    SendMessageW(editor, WM_SETREDRAW, FALSE, 0);
    SendMessageW(editor, EM_SETEVENTMASK, 0, 0);
    PutBodyIntoEditor(editor, body);
    // A read-only data file cannot take a change: the editor refuses typing
    // rather than holding an edit that could never be saved.
    FollowDatafileReadOnly(editor);
    SendMessageW(editor, EM_EMPTYUNDOBUFFER, 0, 0);

    AIString title;
    GetNoteTitle(noteIndex, title);
    const NoteViewRecord* view = g_noteViews.Find(title.GetText());
    CHARRANGE selection = {0, 0};
    POINT scroll = {0, 0};
    int32_t zoom[2] = {0, 0};
    if (view) {
        zoom[0] = view->zoomNumerator;
        zoom[1] = view->zoomDenominator;
        selection.cpMin = view->selectionStart;
        selection.cpMax = view->selectionEnd;
        scroll.x = view->scrollX;
        scroll.y = view->scrollY;
    }
    SendMessageW(editor, EM_SETZOOM, zoom[0], zoom[1]);
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&selection);
    SendMessageW(editor, EM_SETSCROLLPOS, 0, (LPARAM)&scroll);
    SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
    SendMessageW(editor, EM_SETEVENTMASK, 0, kEditorEventMask);
    SendMessageW(editor, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(editor, nullptr, TRUE);

    g_mainPanel.currentNote = noteIndex;
    g_mainPanel.lastShownTitle.Copy(title);
    // Kept at once, not only at a clean close: after a crash or a kill the
    // next start opens this note.
    StoreShownNotePlacement();
    HWND list = g_mainPanel.noteList.GetHwnd();
    if (list && SendMessageW(list, LB_GETCURSEL, 0, 0) != noteIndex) SendMessageW(list, LB_SETCURSEL, noteIndex, 0);
    if (history == kShowAndRecord) g_noteHistory.Record(title.GetText());
    ShowTitleInFrame(title);
    ShowShownNoteStatus();
    ForgetEditorStatus();
    UpdateEditorStatus(kEditorStatusRefresh);
    // A shared note another user edits is read-only here, and says so.
    ShowSharedNoteLock(editor, noteIndex);
    return 1;
}

// The title the QuickSearch field holds, as stored ("_" for blanks); empty when none.
static void QuickSearchTitle(AIString& out)
{
    AIString typed;
    typed.AssignControlText(g_mainPanel.quickSearch.GetHwnd());
    typed.Trim();
    NormaliseTitle(typed.GetText(), out);
}

static const WCHAR kTitleRules[] =
    L"<lred>Not a usable title</lred>: 1 to 30 characters, no \\ / : * ? \" &lt; &gt; | . and no title used already";

int CreateNoteTitled(const WCHAR* typedTitle, NewNoteContent content)
{
    TRACE_SCOPE(kTraceNoteCommands, 4);
    if (!IsDatafileLoaded() || RefuseWhenReadOnly(kMsgReadOnlyNoNewNotes)) return 0;
    if (!SaveCurrentNote(kSaveAskOnFailure)) return 0;
    AIString title;
    NormaliseTitle(typedTitle, title);
    if (title.IsEmpty() || FindNoteByTitle(title.GetText(), 0, 0) >= 0) {
        for (int n = 1; n < 100000; n++) {
            title.AssignText(L"New_note_");
            title.AppendInt(n);
            if (FindNoteByTitle(title.GetText(), 0, 0) < 0) break;
        }
    }
    AIString body;
    if (content == kNewNoteFromActive && g_mainPanel.currentNote >= 0) GetEditorText(body);
    SaveEditorScroll();
    int32_t index = CreateNote(title.GetText(), body.GetText());
    if (index < 0) {
        SetStatusText(kTitleRules, kStatusError);
        return 0;
    }
    g_mainPanel.currentNote = -1;  // the old note is saved; do not save it again into a moved slot
    AgeCacheEntries(0);            // full-text results no longer hold every note
    FillNoteList();
    int shown = ReadAndShowNote(index, kShowAndRecord);
    if (shown) SetFocus(Editor());
    return shown;
}

int CreateNewNote(NewNoteContent content)
{
    if (!IsDatafileLoaded() || RefuseWhenReadOnly(kMsgReadOnlyNoNewNotes)) return 0;
    // QuickSearch's text is offered when it names no note yet.
    AIString title;
    QuickSearchTitle(title);
    if (!title.IsEmpty() && FindNoteByTitle(title.GetText(), 0, 0) >= 0) title.Clear();
    if (g_dialogCenter.NewNoteDialog(title, content == kNewNoteFromActive ? 1 : 0) != 1) return 0;
    return CreateNoteTitled(title.GetText(), content);
}

int RenameCurrentNoteTo(const WCHAR* typedTitle)
{
    TRACE_SCOPE(kTraceNoteCommands, 5);
    if (!IsDatafileLoaded() || g_mainPanel.currentNote < 0 || RefuseWhenReadOnly(kMsgReadOnlyNoChanges)) return 0;
    AIString newTitle;
    NormaliseTitle(typedTitle, newTitle);
    if (newTitle.IsEmpty() || newTitle.EqualsString(g_mainPanel.lastShownTitle)) return 0;
    if (!SaveCurrentNote(kSaveAskOnFailure)) return 0;
    AIString oldTitle;
    oldTitle.Copy(g_mainPanel.lastShownTitle);
    SaveEditorScroll();
    // The store renames in place: tags follow, a change of case is allowed,
    // and no deleted copy of the old title is left behind.
    int32_t index = RenameNote(g_mainPanel.currentNote, newTitle.GetText());
    if (index < 0) {
        SetStatusText(kTitleRules, kStatusError);
        return 0;
    }
    g_mainPanel.currentNote = -1;
    AgeCacheEntries(0);
    FillNoteList();
    g_noteHistory.Rename(oldTitle.GetText(), newTitle.GetText());
    g_noteViews.Rename(oldTitle.GetText(), newTitle.GetText());
    return ReadAndShowNote(index, kShowFromHistory);
}

int RenameCurrentNote()
{
    if (!IsDatafileLoaded() || g_mainPanel.currentNote < 0 || RefuseWhenReadOnly(kMsgReadOnlyNoChanges)) return 0;
    AIString title;
    title.Copy(g_mainPanel.lastShownTitle);
    if (g_dialogCenter.RenameNoteDialog(title) != 1) return 0;
    return RenameCurrentNoteTo(title.GetText());
}

int DeleteCurrentNote()
{
    TRACE_SCOPE(kTraceNoteCommands, 6);
    if (!IsDatafileLoaded() || g_mainPanel.currentNote < 0 || RefuseWhenReadOnly(kMsgReadOnlyNoChanges)) return 0;
    AIString shown, prompt(L"Delete the note <b>'");
    ShownTitleForm(g_mainPanel.lastShownTitle.GetText(), shown);
    TextMarkup::Escape(shown.GetText(), prompt);
    prompt.AppendText(L"'</b>?<br>Its text is kept as a deleted copy beside the data file.");
    if (g_dialogCenter.PromptNoteDialog(L"Delete note", prompt.GetText(), 1, L"(Delete the note and return - shortcut ENTER)",
                                        1, L"(Keep the note and return - shortcut ESCAPE)",
                                        L"A deleted note leaves the list and the data file at its next save. Its text "
                                        L"is kept in the notes folder's <b>deleted</b> copies.") != 1)
        return 0;
    return DeleteShownNote();
}

int DeleteShownNote()
{
    int32_t index = g_mainPanel.currentNote;
    if (!IsDatafileLoaded() || index < 0 || RefuseWhenReadOnly(kMsgReadOnlyNoChanges)) return 0;
    if (!SaveCurrentNote(kSaveAskOnFailure)) return 0;
    SaveEditorScroll();
    if (!DeleteNote(index)) return 0;
    g_mainPanel.currentNote = -1;
    FillNoteList();
    int32_t count = GetNoteCount();
    int32_t next = index < count ? index : count - 1;
    SaveDatafileIfOpen();
    return next >= 0 ? ReadAndShowNote(next, kShowAndRecord) : 1;
}

// What a refresh did, on the status line, after any sync notice its passes raised.
static void ShowRefreshOutcome(int32_t saved, int32_t copies, uint32_t noticesBefore)
{
    if (saved != kSaveChangedOnDisk) {
        ShowStatusKeepingSyncNotice(saved == kSaveDone ? L"Refreshed data - Save completed" : L"Refreshed data",
                                    kStatusDone, noticesBefore);
        return;
    }
    AIString status(L"<lred>Another program changed the data file</lred> - loaded as it is now, "
                    L"your edited notes kept");
    if (copies > 0) {
        status.AppendText(L"; ").AppendInt(copies);
        status.AppendText(copies == 1 ? L" note changed on both sides is" : L" notes changed on both sides are");
        status.AppendText(L" kept twice, as \"(other copy)\"");
    }
    ShowStatusKeepingSyncNotice(status.GetText(), kStatusWarning, noticesBefore);
}

int RefreshNotes()
{
    TRACE_SCOPE(kTraceNoteCommands, 6);
    if (!IsDatafileLoaded()) return 0;
    uint32_t notices = SyncNoticesShown();
    if (!SaveCurrentNote(kSaveAskOnFailure)) return 0;
    SaveEditorScroll();
    int32_t saved = SaveDatafileIfOpen();
    if (saved == kSaveFailed) return 0;
    AIString path;
    path.Copy(g_noteStore.datafilePath);
    int32_t previous = g_mainPanel.currentNote;
    AIString title;
    title.Copy(g_mainPanel.lastShownTitle);
    HWND panel = g_mainPanel.GetHwndField();
    if (panel) SendMessageW(panel, WM_SETREDRAW, FALSE, 0);
    // A file another program changed is not written over: it is loaded as it
    // now stands, and the notes edited here stay.
    int32_t copies = 0;
    int32_t changedOutside = saved == kSaveChangedOnDisk;
    int32_t loaded = changedOutside ? ReloadDatafileKeepingEdits(&copies) : LoadDatafile(path.GetText());
    // A refused reload keeps the store as it was: the note shown stays the
    // current one, or what is typed next would never be saved.
    g_mainPanel.currentNote = loaded ? -1 : previous;
    g_frame.RunGuarded(CreateMainWindow);
    if (panel) {
        SendMessageW(panel, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
    }
    if (!loaded) {
        if (changedOutside)
            SetStatusText(L"<lred>Another program changed the data file</lred> and it cannot be loaded - "
                          L"your edited notes stay in the notes folder", kStatusError);
        return 0;
    }
    // Notes added, renamed or deleted meanwhile move the others: find it by its title.
    int32_t index = previous >= 0 ? FindNoteByTitle(title.GetText(), 0, 0) : -1;
    int32_t count = GetNoteCount();
    if (index < 0 && previous >= 0) index = previous < count ? previous : count - 1;
    if (index >= 0) ReadAndShowNote(index, kShowFromHistory);
    ShowRefreshOutcome(saved, copies, notices);
    return 1;
}

static int ShowHistoryEntry(int position)
{
    while (const WCHAR* title = g_noteHistory.TitleAt(position)) {
        int32_t index = FindNoteByTitle(title, 0, 0);
        if (index >= 0) {
            if (!ReadAndShowNote(index, kShowFromHistory)) return 0;
            g_noteHistory.MoveTo(position);
            return 1;
        }
        // The note has gone (renamed or deleted): skip it.
        position += position < g_noteHistory.Position() ? -1 : 1;
    }
    return 0;
}

int NavigateBack()
{
    TRACE_SCOPE(kTraceNoteCommands, 7);
    return ShowHistoryEntry(g_noteHistory.Position() - 1);
}

int NavigateForward()
{
    TRACE_SCOPE(kTraceNoteCommands, 8);
    return ShowHistoryEntry(g_noteHistory.Position() + 1);
}

// The level a toggle gives a body paragraph: the one a toggle last took away.
static int s_toggledLevel = 1;

int ToggleHeading(HWND, HeadingChoice choice)
{
    TRACE_SCOPE(kTraceNoteCommands, 9);
    HWND editor = Editor();
    AITextDocument* doc = g_mainPanel.editor.GetDocument();
    if (!editor || !doc || g_mainPanel.currentNote < 0) return 0;
    CHARRANGE selection;
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&selection);
    AIString text;
    ReadEditorText(editor, text);
    const WCHAR* t = text.GetText();
    int length = text.GetLength();
    int start = selection.cpMin < 0 ? 0 : (selection.cpMin > length ? length : selection.cpMin);
    while (start > 0 && t[start - 1] != L'\r' && t[start - 1] != L'\n') start--;
    int end = start;
    while (end < length && t[end] != L'\r' && t[end] != L'\n') end++;
    int current = HeadingLevelOfLine(t + start, end - start);
    int prefix = current ? current + 1 : 0;
    int level = choice;
    int wanted = choice == kHeadingToggle ? (current ? kHeadingPlain : s_toggledLevel) : (level > 3 ? 3 : level);
    if (choice == kHeadingToggle && current) s_toggledLevel = current;
    static const WCHAR* const kPrefixes[] = {L"", L"# ", L"## ", L"### "};
    // The whole paragraph is replaced in one step, so one undo brings back
    // its text and, with it, its format; the new format is no step of its own.
    AIString paragraph;
    paragraph.AssignText(kPrefixes[wanted]);
    AIString rest;
    rest.AssignTextN(t + start + prefix, end - start - prefix);
    paragraph.AppendString(rest);
    // The caret's row stays where it is in the window (the paragraph comes
    // back in another size), when it is in view.
    int rowTop = 0;
    int keepRow = RowInView(editor, selection.cpMin, &rowTop);
    {
        // A long paragraph put in again is laid out once, in runs.
        LayoutPause oneLayout(editor);
        ReplaceParagraphInRuns(doc, editor, start, end, paragraph.GetText(), paragraph.GetLength());
        doc->SetUndoRecording(0);
        FormatNoteParagraphAt(editor, start);
        doc->SetUndoRecording(1);
        // A heading line holds no note links; a line that stops being one may.
        CHARRANGE inParagraph = {start, start};
        SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&inParagraph);
        ApplyLineTagsInEditor(1);
    }
    int shift = TextLength(kPrefixes[wanted]) - prefix;
    CHARRANGE back = {selection.cpMin + shift < start ? start : selection.cpMin + shift,
                      selection.cpMax + shift < start ? start : selection.cpMax + shift};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&back);
    if (keepRow) KeepRowAt(editor, back.cpMin, rowTop);
    return 1;
}

int ShowQuickSearch(QuickSearchFocus focus)
{
    TRACE_SCOPE(kTraceNoteCommands, 10);
    if (focus == kFocusQuickSearch) {
        HWND box = g_mainPanel.quickSearch.GetHwnd();
        if (!box) return 0;
        SetFocus(box);
        SendMessageW(box, EM_SETSEL, 0, -1);
        g_mainPanel.focusedSearchBox = box;
        ShowQuickSearchPrompt();
        return 1;
    }
    HWND editor = Editor();
    // Also called while the focus is going to the editor already.
    if (editor && IsWindowVisible(editor) && GetFocus() != editor) SetFocus(editor);
    // QuickSearch's prompt (or what it said since) belongs to it: the note's status is back.
    HWND box = g_mainPanel.quickSearch.GetHwnd();
    if (box && g_mainPanel.focusedSearchBox == box && g_mainPanel.currentNote >= 0) ShowShownNoteStatus();
    g_mainPanel.focusedSearchBox = nullptr;
    return 1;
}

int ToggleIncSearch(IncSearchMode mode)
{
    TRACE_SCOPE(kTraceNoteCommands, 11);
    MainPanelWindow& p = g_mainPanel;
    HWND editor = Editor();
    int opening = mode == kIncSearchOpen || mode == kIncSearchOpenFromQuickSearch || mode == kIncSearchOpenWithReplace;
    if (opening && p.currentNote >= 0) EnsureIncSearchBoxes();
    HWND box = p.incSearchBox.GetHwnd();
    HWND replace = p.replaceBox.GetHwnd();
    if (!editor || !box) return 0;
    if (opening) {
        if (p.currentNote < 0) return 0;
        if (p.incSearchOn) {
            SetFocus(box);
            return 1;
        }
        BeginIncSearch(mode == kIncSearchOpenWithReplace && !IsDatafileReadOnly());
        p.incSearchOn = 1;
        ShowWindow(box, SW_SHOW);
        ShowWindow(replace, g_incSearch.boxMode == kIncBoxReplacing ? SW_SHOW : SW_HIDE);
        EnableWindow(replace, FALSE);
        UpdateSplitter();
        ApplyEditorBackground();
        p.focusedSearchBox = box;
        SetStatusText(L"<vlblue>Incremental search</vlblue>: Enter characters to search for", kStatusDone);
        // The box fills itself from the editor's selection when it takes the focus.
        SetFocus(box);
        return 1;
    }
    if (!p.incSearchOn) return 0;
    p.incSearchOn = 0;
    EndIncSearch();
    HWND focus = GetFocus();
    ShowWindow(box, SW_HIDE);
    ShowWindow(replace, SW_HIDE);
    UpdateSplitter();
    ApplyEditorBackground();
    // Escape goes back to where the search started; otherwise the match stays selected.
    CHARRANGE keep = g_incSearch.anchor;
    if (mode == kIncSearchCloseEscape) keep = g_incSearch.saved;
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&keep);
    p.focusedSearchBox = nullptr;
    // Only a focus still in the search moves to the editor; a click elsewhere keeps its target.
    if (!focus || focus == box || focus == replace || focus == editor) SetFocus(editor);
    return 1;
}
