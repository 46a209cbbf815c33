// Following links: the plan of link_follow_rules carried out.
#include "editor/links/link_follow.h"
#include "editor/links/link_context.h"
#include "editor/links/link_describe.h"
#include "editor/links/link_follow_rules.h"
#include "editor/images/image_names.h"
#include "editor/keys/editor_links.h"
#include "editor/keys/note_editor.h"
#include "foundation/ai_string_list.h"
#include "foundation/ai_string_table.h"
#include "foundation/message_ids.h"
#include "foundation/message_pump.h"
#include "foundation/text_markup.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "notestore/datafile_format.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/link_marks.h"
#include "ui/shell_helpers.h"

namespace {

const int kMaxTagMenuItems = 50;
// The pointer moves off the link after a jump, so that the new note's text
// under it is not taken for a link at once.
const int kPointerStepAfterJump = 5;

HWND Editor() { return GetNoteEditor() ? GetNoteEditor()->GetHwnd() : nullptr; }

void Status(const WCHAR* text, StatusLevel level) { EditorStatus(text, level); }

// The status text with a path or title in it, escaped.
void StatusWith(const WCHAR* head, const WCHAR* inserted, StatusLevel level)
{
    AIString text(head), escaped;
    TextMarkup::Escape(inserted, escaped);
    text.AppendString(escaped);
    Status(text.GetText(), level);
}

void SelectRange(int32_t start, int32_t end)
{
    CHARRANGE range = {start, end};
    if (Editor()) SendMessageW(Editor(), EM_EXSETSEL, 0, (LPARAM)&range);
}

// Shows the note of a title (1), unless it is the note shown already.
int ShowNoteTitled(const WCHAR* title)
{
    AIString stored;
    NormaliseTitle(title, stored);
    int32_t index = FindNoteByTitle(stored.GetText(), 0, 0);
    if (index < 0) return 0;
    if (g_noteStore.currentTitle.EqualsTextNoCase(stored.GetText())) return 1;
    if (!g_editorShell.showNote) return 0;
    return g_editorShell.showNote(index);
}

int FileExists(const WCHAR* path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES;
}

int Shell(const WCHAR* verb, const LinkFollowPlan& plan)
{
    const WCHAR* parameters = plan.parameters.IsEmpty() ? nullptr : plan.parameters.GetText();
    const WCHAR* folder = plan.folder.IsEmpty() ? nullptr : plan.folder.GetText();
    if (g_editorShell.openInShell) return g_editorShell.openInShell(verb, plan.target.GetText(), parameters, folder);
    return OpenInShell(g_editorShell.frame, verb, plan.target.GetText(), parameters, folder, SW_SHOWNORMAL);
}

// A file that is not there is told, and nothing else happens.
int RefuseMissingFile(const LinkFollowPlan& plan)
{
    if (!plan.localFile || FileExists(plan.target.GetText())) return 0;
    StatusWith(L"<lred>File not found:</lred> ", plan.target.GetText(), kStatusError);
    return 1;
}

int AskBeforeProgram(const LinkFollowPlan& plan)
{
    if (!plan.program) return 1;
    AIString question(L"This link starts a program or script:\r\n\r\n");
    question.AppendString(plan.target);
    if (!plan.parameters.IsEmpty()) question.AppendChar(L' ').AppendString(plan.parameters);
    question.AppendText(L"\r\n\r\nStart it only when you trust where the link came from. Start it?");
    int yes = g_editorShell.confirm ? g_editorShell.confirm(question.GetText()) : 0;
    if (!yes) StatusWith(L"Not started: ", plan.target.GetText(), kStatusInfo);
    return yes;
}

int CarryOut(const LinkFollowPlan& plan, const AIString& label)
{
    switch (plan.action) {
    case kFollowNothing: return 0;
    case kFollowRefused: Status(plan.target.GetText(), kStatusWarning); return 0;
    case kFollowNote:
        if (!ShowNoteTitled(plan.target.GetText()))
            StatusWith(L"No note is titled ", plan.target.GetText(), kStatusWarning);
        return 1;
    case kFollowImage: {
        // The note a picture was made for comes first: by the link's label,
        // then by the picture's stamped name.
        if (ShowNoteTitled(label.GetText())) return 1;
        if (g_editorShell.openNoteOfImage) {
            if (g_editorShell.openNoteOfImage(plan.target.GetText())) return 1;
        } else {
            AIString title;
            NoteTitleOfImageFile(plan.target.GetText(), title);
            if (!title.IsEmpty() && ShowNoteTitled(title.GetText())) return 1;
        }
        if (RefuseMissingFile(plan)) return 0;
        // The program shows the picture itself; the shell only without a preview.
        if (g_editorShell.showImage && g_editorShell.showImage(plan.target.GetText())) return 1;
        return Shell(nullptr, plan);
    }
    case kFollowShell:
        if (RefuseMissingFile(plan) || !AskBeforeProgram(plan)) return 0;
        if (plan.minimise && g_editorShell.minimiseMain) {
            g_editorShell.minimiseMain();
            PumpMessages();
        }
        return Shell(L"open", plan);
    }
    return 0;
}

int32_t FollowHyperlink(int32_t start, int32_t end)
{
    AIString label, target;
    LinkFollowPlan plan;
    if (ReadHyperlinkRun(GetNoteEditor(), start, end, label, target)) PlanHyperlinkFollow(target.GetText(), plan);
    else PlanAutomaticLinkFollow(label.GetText(), plan);
    if (plan.action == kFollowNothing) return 0;
    if (plan.action != kFollowNote) SelectRange(end, end);
    TableTextToShown(label);
    return CarryOut(plan, label) ? HyperlinkMark : 0;
}

int32_t FollowNoteLink(int32_t start, int32_t end)
{
    AIString title;
    GetNoteEditor()->GetDocument()->GetRangeText(start, end, &title);
    if (ShowNoteTitled(title.GetText())) return NoteLinkMark;
    // The note is gone since the link was marked: said, and the key or click
    // that chose the link does nothing else (Enter breaks no line in it).
    if (GetCapture()) ReleaseCapture();
    EditorMessage(kMsgAutomaticLinkNotValid);
    return NoteLinkMark;
}

int32_t FollowTag(int32_t start, int32_t end)
{
    AIString tag;
    GetNoteEditor()->GetDocument()->GetRangeText(start, end, &tag);
    int32_t index = FindTag(tag.GetText() + (tag.CharAt(0) == L'@' ? 1 : 0));
    if (index < 0 || index >= kMaxTags || !g_noteStore.tagNotes[index]) return 0;
    if (!g_noteStore.currentTitle.IsEmpty() &&
        g_noteStore.tagNotes[index]->FindItemExact(g_noteStore.currentTitle.GetText()) < 0)
        AddTitleToTag(index, g_noteStore.currentTitle.GetText());
    AIStringList titles;
    titles.CopyFrom(*g_noteStore.tagNotes[index]);
    if (titles.GetCount() <= 1) {
        StatusWith(L"No other notes tagged with ", tag.GetText(), kStatusInfo);
        return TagMark;
    }
    AIStringList shown;
    TagMenuTitles(titles, shown);
    HMENU menu = CreatePopupMenu();
    if (!menu) return 0;
    for (int i = 0; i < shown.GetCount(); i++) {
        AIString item;
        shown.GetItemTextMode(i, item);
        AppendMenuW(menu, MF_STRING, (UINT_PTR)(i + 1), item.GetText());
    }
    StatusWith(L"Select a note tagged with ", tag.GetText(), kStatusInfo);
    SelectRange(start, end);
    POINT at;
    GetCursorPos(&at);
    UINT chosen = g_editorShell.runMenu
                      ? g_editorShell.runMenu(menu, at)
                      : (UINT)TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_VCENTERALIGN | TPM_RIGHTBUTTON,
                                             at.x, at.y, 0, g_editorShell.frame, nullptr);
    DestroyMenu(menu);
    if (chosen < 1 || (int)chosen > titles.GetCount()) return TagMark;
    AIString title;
    titles.GetItemTextMode((int)chosen - 1, title);
    ShowNoteTitled(title.GetText());
    return TagMark;
}

// After a link was followed: the pointer steps off it and the editor has the keys.
void AfterFollow()
{
    if (GetCapture()) ReleaseCapture();
    POINT pointer;
    if (GetCursorPos(&pointer)) SetCursorPos(pointer.x, pointer.y + kPointerStepAfterJump);
    if (Editor()) {
        SetFocus(Editor());
        UpdateWindow(Editor());
    }
}

}  // namespace

void TagMenuTitles(const AIStringList& tagNotes, AIStringList& out)
{
    out.Clear();
    for (int i = 0; i < tagNotes.GetCount() && i < kMaxTagMenuItems; i++) {
        AIString stored, shown;
        tagNotes.GetItemTextMode(i, stored);
        ShownTitleForm(stored.GetText(), shown);
        shown.ReplaceAll(L"&", L"&&");
        out.AddString(shown.GetText());
    }
}

int32_t FollowLinkRun(int32_t start, int32_t end, int32_t mark)
{
    TRACE_SCOPE(kTraceEditorLinks, 40);
    if (!GetNoteEditor() || !GetNoteEditor()->GetDocument() || end <= start) return 0;
    int32_t followed = 0;
    if (mark == HyperlinkMark) followed = FollowHyperlink(start, end);
    else if (mark == NoteLinkMark) followed = FollowNoteLink(start, end);
    else if (mark == TagMark) followed = FollowTag(start, end);
    else return 0;
    AfterFollow();
    return followed;
}

int32_t ActivateLinkAtCaret(const POINT* mouse)
{
    AIControl* editor = GetNoteEditor();
    if (!editor || !editor->GetHwnd()) return 0;
    CHARRANGE selection;
    SendMessageW(editor->GetHwnd(), EM_EXGETSEL, 0, (LPARAM)&selection);
    int32_t start, end, mark;
    if (mouse) {
        int32_t at = CharUnderPoint(editor, *mouse);
        if (at < 0 || !LinkRunAt(editor, at, &start, &end, &mark)) return 0;
        // A selection made by dragging over the link is no click on it.
        if (selection.cpMax > selection.cpMin && (selection.cpMin < start || selection.cpMax > end)) return 0;
        return FollowLinkRun(start, end, mark);
    }
    if (!LinkRunAt(editor, selection.cpMin, &start, &end, &mark)) return 0;
    int strictlyInside = start < selection.cpMin && end > selection.cpMax;
    int wholeLink = start == selection.cpMin && end == selection.cpMax;
    if (!strictlyInside && !wholeLink) return 0;
    return FollowLinkRun(start, end, mark);
}
