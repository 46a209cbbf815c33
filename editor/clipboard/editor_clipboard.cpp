// Cut, copy, paste and the copy of a link's target for the note editor.
#include "editor/clipboard/editor_clipboard.h"
#include "editor/clipboard/clipboard_rules.h"
#include "editor/editor_status.h"
#include "editor/images/image_paste.h"
#include "editor/images/link_target_rules.h"
#include "editor/keys/editor_links.h"
#include "editor/keys/editor_state.h"
#include "editor/keys/key_map.h"
#include "editor/keys/note_editor.h"
#include "editor/links/link_context.h"
#include "editor/links/link_describe.h"
#include "foundation/ai_file.h"
#include "foundation/ai_string.h"
#include "foundation/ai_string_table.h"
#include "foundation/clipboard.h"
#include "foundation/message_ids.h"
#include "foundation/text_markup.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/ai_text_document.h"
#include <shellapi.h>
#include <string>
#include <vector>

namespace {

enum { kTraceCopy = 1, kTracePaste = 2, kTracePasteFiles = 3 };

// Characters of the copied text the status line shows.
const int kPlainStatusChars = 30;
const int kRichStatusChars = 29;
// Longest class name of a clipboard owner that is compared.
const int kOwnerClassChars = 32;
// The other editor whose rich text is taken as the program's own.
const WCHAR kFriendEditorClass[] = L"Larkpad";
// A copied label longer than this is not looked up as a link.
const int kLinkLookupMaxChars = 30;

const WCHAR kNothingSelected[] = L"You must select some text to cut or copy";
const WCHAR kFileExistsNote[] = L"File already exists (not copied)";
const WCHAR kFileNotCopiedNote[] = L"File not copied";

// Where the last rich copy came from, and the links it carried.
struct CopiedLinks {
    AIString fromTitle;
    AIStringTable links{1};
    void Forget()
    {
        fromTitle.Clear();
        links.Clear();
    }
};
CopiedLinks s_copied;

// The range the last paste highlighted (end <= start: none).
CHARRANGE s_highlight = {0, 0};

HWND Editor() { return g_noteEditor.hwnd; }
AITextDocument* Doc() { return g_noteEditor.control ? g_noteEditor.control->GetDocument() : nullptr; }

// The window the clipboard is opened with: its class tells a paste who copied.
HWND ClipboardWindow() { return g_editorShell.frame ? g_editorShell.frame : Editor(); }

CHARRANGE Selection()
{
    CHARRANGE range;
    ReadEditorSelection(&range);
    return range;
}

int IsReadOnly() { return g_noteEditor.readOnly || (IsDatafileLoaded() && IsDatafileReadOnly()); }

void ShowCopyStatus(int cut, const WCHAR* kind, const WCHAR* text, int shownChars)
{
    AIString shown, escaped;
    shown.AssignTextN(text, shownChars);
    shown.ReplaceAll(L"\r\n", L" ");
    AIString status(cut ? L"Cut " : L"Copied ");
    status.AppendText(kind).AppendText(L" '");
    TextMarkup::Escape(shown.GetText(), status);
    status.AppendText(L"'...");
    EditorStatus(status.GetText(), kStatusDone);
}

// The removal step of a cut: refused over part of a hyperlink (the copy
// stays on the clipboard), else one undoable step.
int RemoveCutText(int32_t start, int32_t end)
{
    if (RangeCutsHyperlink(g_noteEditor.control, start, end)) {
        EditorMessage(kMsgCannotDeletePartialLink);
        return 0;
    }
    return ReplaceNoteText(start, end, L"", -1, -1);
}

int PutUnicodeText(const AIString& text)
{
    AIClipboard clipboard(ClipboardWindow());
    if (!clipboard.Open() || !clipboard.Empty()) return 0;
    return clipboard.SetText(text.GetText());
}

DWORD CALLBACK AppendStreamBytes(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* done)
{
    static_cast<std::string*>((void*)cookie)->append((const char*)bytes, (size_t)count);
    *done = count;
    return 0;
}

// The selection as the editor writes it in rich text.
int SelectionAsRtf(std::string& rtf)
{
    rtf.clear();
    EDITSTREAM stream = {};
    stream.dwCookie = (DWORD_PTR)&rtf;
    stream.pfnCallback = AppendStreamBytes;
    SendMessageW(Editor(), EM_STREAMOUT, SF_RTF | SFF_SELECTION, (LPARAM)&stream);
    return stream.dwError == 0 && !rtf.empty();
}

std::string ToAnsi(const AIString& text)
{
    int bytes = WideCharToMultiByte(CP_ACP, 0, text.GetText(), text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string out((size_t)(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, text.GetText(), text.GetLength(), &out[0], bytes, nullptr, nullptr);
    return out;
}

int CopyStart(CHARRANGE* s)
{
    if (!Editor() || !Doc()) return 0;
    *s = Selection();
    if (s->cpMax > s->cpMin) return 1;
    EditorStatus(kNothingSelected, kStatusWarning);
    return 0;
}

// ---- Paste ----

enum PasteSource {
    kPasteNothing,
    kPasteOwnRich,     // the program's own rich copy: its links' targets come along
    kPasteFriendRich,  // the friend editor's rich text
    kPastePicture,
    kPasteFiles,
    kPasteText,
};

struct PasteContent {
    PasteSource source = kPasteNothing;
    AIString text;
    std::vector<AIString> files;
};

int OwnerClassIs(HWND owner, const WCHAR* className)
{
    if (!owner) return 0;
    WCHAR name[kOwnerClassChars + 1] = {0};
    GetClassNameW(owner, name, kOwnerClassChars + 1);
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, name, -1, className, -1) == CSTR_EQUAL;
}

void ReadFileList(HANDLE memory, std::vector<AIString>& files)
{
    HDROP drop = (HDROP)memory;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; i++) {
        UINT chars = DragQueryFileW(drop, i, nullptr, 0);
        AIString path;
        WCHAR* buffer = path.GetBuffer((int)chars + 1);
        if (!buffer) continue;
        DragQueryFileW(drop, i, buffer, chars + 1);
        path.SetLength((int)chars);
        files.push_back(path);
    }
}

// Reads what the clipboard holds and closes it again before anything is
// inserted (the hyperlink dialog never runs with the clipboard open).
void ReadPasteContent(PasteContent& content)
{
    AIClipboard clipboard(ClipboardWindow());
    if (!clipboard.Open()) return;
    HWND owner = GetClipboardOwner();
    WCHAR ownClass[kOwnerClassChars + 1] = {0};
    GetClassNameW(ClipboardWindow(), ownClass, kOwnerClassChars + 1);
    int hasText = clipboard.HasText();
    if (hasText && OwnerClassIs(owner, ownClass) && !s_copied.fromTitle.IsEmpty()) content.source = kPasteOwnRich;
    else if (hasText && OwnerClassIs(owner, kFriendEditorClass)) content.source = kPasteFriendRich;
    else if (clipboard.HasDib() && !hasText) content.source = kPastePicture;
    else if (clipboard.HasFormat(CF_HDROP)) {
        HANDLE memory = GetClipboardData(CF_HDROP);
        if (memory) ReadFileList(memory, content.files);
        content.source = content.files.empty() ? kPasteNothing : kPasteFiles;
    } else if (hasText) content.source = kPasteText;
    if (content.source == kPasteOwnRich || content.source == kPasteFriendRich || content.source == kPasteText)
        if (!clipboard.GetText(content.text, kPasteMaxChars)) content.source = kPasteNothing;
}

void HighlightPasted(int32_t start, int32_t end)
{
    AITextDocument* doc = Doc();
    if (!doc || end <= start) return;
    doc->SetRangeBackColour(start, end, kPasteHighlight);
    s_highlight.cpMin = start;
    s_highlight.cpMax = end;
}

void FinishPaste(int32_t start, int32_t end)
{
    HighlightPasted(start, end);
    SendMessageW(Editor(), EM_SETMODIFY, TRUE, 0);
    if (g_editorShell.pasted) g_editorShell.pasted();
    UpdateEditorStatus(kEditorStatusRefresh);
}

// 1 when editor text put over the selection keeps the note within its limit
// (else the user is told).
int FitsIntoNote(const AIString& text, CHARRANGE s)
{
    AIString replaced;
    Doc()->GetRangeText(s.cpMin, s.cpMax, &replaced);
    if (!PasteExceedsLimit(EditorNoteLength(), NoteCountedLength(replaced.GetText(), replaced.GetLength()),
                           NoteCountedLength(text.GetText(), text.GetLength())))
        return 1;
    EditorMessage(kMsgTextTooLong);
    return 0;
}

// Inserts editor text over the selection as one undoable step; the inserted
// range is returned.
int InsertPastedText(const AIString& text, CHARRANGE s, CHARRANGE* pasted)
{
    if (!ReplaceNoteText(s.cpMin, s.cpMax, text.GetText(), -1, -1)) return 0;
    pasted->cpMin = s.cpMin;
    pasted->cpMax = s.cpMin + text.GetLength();
    return 1;
}

// Writes a link accepted in the hyperlink dialog over the selection.
int WriteAcceptedLink(AIString& label, const AIString& target)
{
    AIString clean;
    if (CleanLinkTarget(target.GetText(), clean) != kTargetAccepted) {
        EditorStatus(L"A link to a file or note cannot hold <b>[</b> or <b>]</b>", kStatusWarning);
        return 0;
    }
    label.Trim();
    if (HoldsReservedNoteChar(clean.GetText(), clean.GetLength()) ||
        HoldsReservedNoteChar(label.GetText(), label.GetLength())) {
        EditorMessage(kMsgReservedCharacters);
        return 0;
    }
    if (g_editorShell.linkedFile) g_editorShell.linkedFile(clean.GetText());
    if (label.IsEmpty()) {
        CHARRANGE s = Selection();
        return ReplaceNoteText(s.cpMin, s.cpMax, clean.GetText(), -1, -1);
    }
    clean.ReplaceAll(L",", L"\x2026");
    return WriteHyperlinkAtSelection(label, clean);
}

// A pasted address: the hyperlink dialog over it as the target; cancelled
// or without the dialog the address goes in as text.
int PasteAddress(const AIString& address, CHARRANGE s)
{
    AIString label, target(address);
    int32_t answer = g_editorShell.editHyperlink ? g_editorShell.editHyperlink(label, target) : -1;
    if (answer == 1 && !target.IsEmpty()) {
        int32_t before = Doc()->GetTextLength();
        if (!WriteAcceptedLink(label, target)) return 0;
        FinishPaste(s.cpMin, s.cpMax + Doc()->GetTextLength() - before);
        return 1;
    }
    CHARRANGE pasted;
    if (!InsertPastedText(address, s, &pasted)) return 0;
    FinishPaste(pasted.cpMin, pasted.cpMax);
    return 1;
}

// A file made into a link: copied into the data folder unless Shift asks
// for a link to where it is; the dialog opens filled in. A copy made for a
// link that is not written is deleted again.
int LinkPastedFile(const AIString& path, int linkWhereItIs)
{
    DWORD attributes = GetFileAttributesW(path.GetText());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
    PastedFilePlan plan;
    if (!PlanPastedFile(path.GetText(), GetDataFolder(), plan)) return 0;
    AIString linked(path);
    const WCHAR* note = nullptr;
    int32_t mode = 0;
    int copied = 0;
    if (linkWhereItIs) {
        note = kFileNotCopiedNote;
        mode = kLinkModeUncopiedFile;
    } else if (AIFile::Exists(plan.destination.GetText())) {
        linked.Copy(plan.destination);
        note = kFileExistsNote;
        mode = kLinkModeUncopiedFile;
    } else if (CopyFileW(path.GetText(), plan.destination.GetText(), TRUE)) {
        linked.Copy(plan.destination);
        copied = 1;
    } else {
        note = kFileNotCopiedNote;
        mode = kLinkModeUncopiedFile;
    }
    AIString target;
    if (!MakeRelativePath(linked.GetText(), target)) target.AssignText(L"file:").AppendString(linked);
    AIString label(plan.label);
    label.ReplaceAll(L"[", L"(");
    label.ReplaceAll(L"]", L")");
    label.RemoveChars(L"\x00A4\x00B1");
    int32_t answer = g_editorShell.editNewHyperlink
                         ? g_editorShell.editNewHyperlink(label, target, mode, note)
                         : 1;  // no dialog here: the link as planned
    int written = answer == 1 && WriteAcceptedLink(label, target);
    if (!written && copied) DeleteFileW(plan.destination.GetText());
    return written;
}

int PasteFiles(const std::vector<AIString>& files)
{
    TRACE_SCOPE(kTraceClipboardEditor, kTracePasteFiles);
    AIString folder(GetDataFolder());
    if (folder.IsEmpty()) return 0;
    AIString filesFolder(folder), images(folder);
    filesFolder.AppendText(L"files");
    images.AppendText(L"images");
    CreateDirectoryW(filesFolder.GetText(), nullptr);
    CreateDirectoryW(images.GetText(), nullptr);
    int linkWhereItIs = EditorIsKeyDown(VK_SHIFT);
    CHARRANGE s = Selection();
    int32_t before = Doc()->GetTextLength();
    int linked = 0;
    for (const AIString& path : files) linked += LinkPastedFile(path, linkWhereItIs);
    if (linked) FinishPaste(s.cpMin, s.cpMax + Doc()->GetTextLength() - before);
    return linked > 0;
}

// One line naming an existing file (quotes around it allowed).
int IsFilePathText(const AIString& text, AIString& path)
{
    path.Copy(text);
    path.Trim();
    if (path.GetLength() >= 2 && path.CharAt(0) == L'"' && path.CharAt(path.GetLength() - 1) == L'"')
        path.KeepRange(1, path.GetLength() - 2);
    if (path.GetLength() < 3 || path.GetLength() >= MAX_PATH) return 0;
    if (path.FindChar(L'\r') >= 0 || path.FindChar(L'\n') >= 0) return 0;
    int drive = path.CharAt(1) == L':' && path.CharAt(2) == L'\\';
    int share = path.CharAt(0) == L'\\' && path.CharAt(1) == L'\\';
    if (!drive && !share) return 0;
    DWORD attributes = GetFileAttributesW(path.GetText());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int PasteText(PasteContent& content)
{
    AIString& text = content.text;
    if (HoldsReservedNoteChar(text.GetText(), text.GetLength())) {
        EditorMessage(kMsgReservedCharacters);
        return 0;
    }
    CHARRANGE s = Selection();
    if (RangeCutsHyperlink(g_noteEditor.control, s.cpMin, s.cpMax)) {
        EditorMessage(kMsgCannotDeletePartialLink);
        return 0;
    }
    if (content.source == kPasteText) {
        AIString path;
        if (IsFilePathText(text, path)) {
            std::vector<AIString> one(1, path);
            return PasteFiles(one);
        }
    }
    ToEditorLineEnds(text);
    if (!FitsIntoNote(text, s)) return 0;
    if (content.source == kPasteText && IsPastedAddress(text.GetText(), text.GetLength()))
        return PasteAddress(text, s);
    // The copied links go into the table first: the pasted "[label]"s are
    // marked from it (rich text loses the editor's marks on the way).
    AIStringTable* table = g_noteStore.hyperlinks;
    AIString tableBefore;
    int32_t clashes = 0;
    int carry = content.source == kPasteOwnRich && table && !s_copied.fromTitle.EqualsString(g_noteStore.currentTitle);
    if (carry) {
        tableBefore.Copy(table->GetJoined());
        clashes = MergeCopiedLinks(s_copied.links, text.GetText(), text.GetLength(), *table);
    }
    CHARRANGE pasted;
    if (!InsertPastedText(text, s, &pasted)) {
        if (carry) table->AssignJoined(tableBefore.GetText());
        return 0;
    }
    FinishPaste(pasted.cpMin, pasted.cpMax);
    if (clashes > 0) {
        AIString count;
        count.AssignInt(clashes);
        if (g_editorShell.showMessageWithText) g_editorShell.showMessageWithText(kMsgPasteNotComplete, count.GetText());
        else EditorMessage(kMsgPasteNotComplete);
    }
    return 1;
}

int PastePicture()
{
    if (g_editorShell.pasteImageScreen) {
        int32_t result = g_editorShell.pasteImageScreen();
        if (result != kScreenNotOffered) {
            if (result != -1 && g_editorShell.saveNote) g_editorShell.saveNote();
            return result != -1;
        }
    }
    return SaveImageIntoNote(nullptr, 1);
}

}  // namespace

void ClearPasteHighlight()
{
    AITextDocument* doc = Doc();
    if (s_highlight.cpMax <= s_highlight.cpMin || !doc) return;
    int32_t end = s_highlight.cpMax < doc->GetTextLength() ? s_highlight.cpMax : doc->GetTextLength();
    if (end > s_highlight.cpMin) doc->SetRangeBackColour(s_highlight.cpMin, end, (COLORREF)-1);
    s_highlight.cpMin = s_highlight.cpMax = 0;
}

int CutCopyPlainText(ClipboardAction action)
{
    TRACE_SCOPE(kTraceClipboardEditor, kTraceCopy);
    s_copied.Forget();
    CHARRANGE s;
    if (!CopyStart(&s)) return 0;
    // A longer selection gives its first part; a cut then takes only that part.
    int32_t end = s.cpMax - s.cpMin > kPlainCopyMaxChars ? s.cpMin + kPlainCopyLongCut : s.cpMax;
    AIString text;
    Doc()->GetRangeText(s.cpMin, end, &text);
    ToClipboardLineEnds(text);
    if (!PutUnicodeText(text)) {
        EditorStatus(L"The clipboard is in use by another program: nothing copied", kStatusWarning);
        return 0;
    }
    int cut = action == kClipboardCut && !IsReadOnly();
    if (cut && !RemoveCutText(s.cpMin, end)) return 1;
    ShowCopyStatus(cut, L"plain text", text.GetText(), kPlainStatusChars);
    return 1;
}

int CutCopyRtf(ClipboardAction action)
{
    TRACE_SCOPE(kTraceClipboardEditor, kTraceCopy);
    CHARRANGE s;
    if (!CopyStart(&s)) return 0;
    AIString text;
    Doc()->GetRangeText(s.cpMin, s.cpMax, &text);
    s_copied.fromTitle.Copy(g_noteStore.currentTitle);
    s_copied.links.Clear();
    if (g_noteStore.hyperlinks) CollectCopiedLinks(text.GetText(), text.GetLength(), *g_noteStore.hyperlinks, s_copied.links);
    // Temporary backgrounds (a paste's highlight, the caret line) stay out of the copy.
    ClearPasteHighlight();
    Doc()->SetRangeBackColour(s.cpMin, s.cpMax, (COLORREF)-1);
    std::string rtf;
    int haveRtf = SelectionAsRtf(rtf);
    ToClipboardLineEnds(text);
    std::string ansi = ToAnsi(text);
    AIClipboard clipboard(ClipboardWindow());
    int put = clipboard.Open() && clipboard.Empty();
    put = put && clipboard.SetData(CF_TEXT, ansi.c_str(), ansi.size() + 1);
    if (put && haveRtf) clipboard.SetData(RegisterClipboardFormatW(L"Rich Text Format"), rtf.c_str(), rtf.size() + 1);
    put = put && clipboard.SetText(text.GetText());
    clipboard.Close();
    if (!put) {
        s_copied.Forget();
        EditorStatus(L"The clipboard is in use by another program: nothing copied", kStatusWarning);
        return 0;
    }
    int cut = action == kClipboardCut && !IsReadOnly();
    if (cut && !RemoveCutText(s.cpMin, s.cpMax)) return 1;
    ShowCopyStatus(cut, L"RTF text", text.GetText(), kRichStatusChars);
    return 1;
}

int PasteIntoNote()
{
    TRACE_SCOPE(kTraceClipboardEditor, kTracePaste);
    if (!Editor() || !Doc()) return 0;
    if (IsReadOnly()) {
        TellReadOnly();
        return 0;
    }
    ClearPasteHighlight();
    PasteContent content;
    ReadPasteContent(content);
    switch (content.source) {
    case kPasteOwnRich:
    case kPasteFriendRich:
    case kPasteText: return PasteText(content);
    case kPastePicture: return PastePicture();
    case kPasteFiles: return PasteFiles(content.files);
    case kPasteNothing: break;
    }
    return 0;
}

int CopyLinkTarget()
{
    CHARRANGE s;
    if (!CopyStart(&s)) return 0;
    s_copied.Forget();  // a target pasted back is text (an address becomes a link)
    AIString text;
    Doc()->GetRangeText(s.cpMin, s.cpMax, &text);
    text.Trim();
    if (text.GetLength() >= 2 && text.CharAt(0) == L'[' && text.CharAt(text.GetLength() - 1) == L']')
        text.KeepRange(1, text.GetLength() - 2);
    AIString target(text);
    if (text.GetLength() <= kLinkLookupMaxChars && g_noteStore.hyperlinks) {
        AIString key(text), found;
        LabelToTableKey(key);
        if (g_noteStore.hyperlinks->GetValueOfKeyString(key.GetText(), found)) target.Copy(found);
    }
    target.ReplaceAll(L"\x2026", L",");
    AIString resolved;
    ResolveRelativePath(target.GetText(), resolved);
    if (!PutUnicodeText(resolved)) return 0;
    ShowCopyStatus(0, L"link target", resolved.GetText(), resolved.GetLength());
    return 1;
}
