// Paste: what the clipboard holds and who put it there decide how it goes
// into the note.
#include "editor/clipboard/clipboard_shared.h"
#include "editor/clipboard/clipboard_rules.h"
#include "editor/clipboard/editor_clipboard.h"
#include "editor/editor_status.h"
#include "editor/keys/editor_links.h"
#include "editor/keys/editor_state.h"
#include "editor/keys/key_map.h"
#include "editor/keys/note_editor.h"
#include "foundation/ai_string.h"
#include "foundation/clipboard.h"
#include "foundation/message_ids.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "notestore/note_store.h"
#include "ui/ai_text_document.h"
#include "ui/app_state.h"
#include "editor/images/image_paste.h"
#include "editor/images/link_target_rules.h"
#include "editor/links/link_context.h"

namespace {

enum { kTracePaste = 2 };

// Longest class name of a clipboard owner that is compared.
const int kOwnerClassChars = 32;
// The other editor whose rich text is taken as the program's own.
const WCHAR kFriendEditorClass[] = L"Larkpad";

// The range the last paste highlighted (end <= start: none).
CHARRANGE s_highlight = {0, 0};

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
    if (hasText && OwnerClassIs(owner, ownClass) && !LastRichCopy().fromTitle.IsEmpty())
        content.source = kPasteOwnRich;
    else if (hasText && OwnerClassIs(owner, kFriendEditorClass))
        content.source = kPasteFriendRich;
    else if (clipboard.HasPicture() && !hasText)
        content.source = kPastePicture;
    else if (clipboard.HasFormat(CF_HDROP)) {
        HANDLE memory = GetClipboardData(CF_HDROP);
        if (memory) ReadDroppedFiles(memory, content.files);
        content.source = content.files.empty() ? kPasteNothing : kPasteFiles;
    } else if (hasText)
        content.source = kPasteText;
    if (content.source == kPasteOwnRich || content.source == kPasteFriendRich || content.source == kPasteText)
        if (!clipboard.GetText(content.text, kPasteMaxChars)) content.source = kPasteNothing;
}

void HighlightPasted(int32_t start, int32_t end)
{
    AITextDocument* doc = EditorDocument();
    if (!doc || end <= start) return;
    doc->SetRangeBackColour(start, end, kPasteHighlight);
    s_highlight.cpMin = start;
    s_highlight.cpMax = end;
}

// 1 when editor text put over the selection keeps the note within its limit
// (else the user is told).
int FitsIntoNote(const AIString& text, CHARRANGE s)
{
    AIString replaced;
    EditorDocument()->GetRangeText(s.cpMin, s.cpMax, &replaced);
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

// A pasted address: the hyperlink dialog on a new link with it as the
// target; cancelled or without the dialog the address goes in as text.
int PasteAddress(const AIString& address, CHARRANGE s)
{
    AIString label, target(address);
    int32_t answer =
        g_editorShell.editNewHyperlink ? g_editorShell.editNewHyperlink(label, target, 0, nullptr) : -1;
    if (answer == 1 && !target.IsEmpty()) {
        int32_t before = EditorDocument()->GetTextLength();
        if (!WriteAcceptedLink(label, target)) return 0;
        FinishPaste(s.cpMin, s.cpMax + EditorDocument()->GetTextLength() - before);
        return 1;
    }
    CHARRANGE pasted;
    if (!InsertPastedText(address, s, &pasted)) return 0;
    FinishPaste(pasted.cpMin, pasted.cpMax);
    return 1;
}

// Text that cannot go in where the selection stands: it holds the note
// mark-up's reserved characters, or replacing the selection would cut a link.
// Says why, and answers 1.
static int RefusedAtSelection(const AIString& text)
{
    if (HoldsReservedNoteChar(text.GetText(), text.GetLength())) {
        EditorMessage(kMsgReservedCharacters);
        return 1;
    }
    CHARRANGE s = EditorSelectionRange();
    if (RangeCutsHyperlink(g_noteEditor.control, s.cpMin, s.cpMax)) {
        EditorMessage(kMsgCannotDeletePartialLink);
        return 1;
    }
    return 0;
}

int PasteText(PasteContent& content)
{
    AIString& text = content.text;
    if (RefusedAtSelection(text)) return 0;
    CHARRANGE s = EditorSelectionRange();
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
    const CopiedLinks& copied = LastRichCopy();
    int carry =
        content.source == kPasteOwnRich && table && !copied.fromTitle.EqualsString(g_noteStore.currentTitle);
    if (carry) {
        tableBefore.Copy(table->GetJoined());
        clashes = MergeCopiedLinks(copied.links, text.GetText(), text.GetLength(), *table);
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
        if (g_editorShell.showMessageWithText)
            g_editorShell.showMessageWithText(kMsgPasteNotComplete, count.GetText());
        else
            EditorMessage(kMsgPasteNotComplete);
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

void FinishPaste(int32_t start, int32_t end)
{
    HighlightPasted(start, end);
    SendMessageW(g_noteEditor.hwnd, EM_SETMODIFY, TRUE, 0);
    if (g_editorShell.pasted) g_editorShell.pasted();
    UpdateEditorStatus(kEditorStatusRefresh);
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
        CHARRANGE s = EditorSelectionRange();
        return ReplaceNoteText(s.cpMin, s.cpMax, clean.GetText(), -1, -1);
    }
    clean.ReplaceAll(L",", L"\x2026");
    return WriteHyperlinkAtSelection(label, clean);
}

void ClearPasteHighlight()
{
    AITextDocument* doc = EditorDocument();
    if (s_highlight.cpMax <= s_highlight.cpMin || !doc) return;
    int32_t end = s_highlight.cpMax < doc->GetTextLength() ? s_highlight.cpMax : doc->GetTextLength();
    if (end > s_highlight.cpMin) doc->SetRangeBackColour(s_highlight.cpMin, end, (COLORREF)-1);
    s_highlight.cpMin = s_highlight.cpMax = 0;
}

int PasteDropped(DroppedKind kind, AIString& text, const std::vector<AIString>& files)
{
    if (!g_noteEditor.hwnd || !EditorDocument()) return 0;
    if (IsEditorReadOnly()) {
        TellReadOnly();
        return 0;
    }
    ClearPasteHighlight();
    if (kind == kDroppedFiles) return !files.empty() && PasteFiles(files);
    PasteContent content;
    content.source = kPasteText;
    content.text.Copy(text);
    if (kind == kDroppedText) return !content.text.IsEmpty() && PasteText(content);
    content.text.Trim();
    if (content.text.IsEmpty()) return 0;
    // An address arrives as an address: always a link, whatever it starts with.
    if (RefusedAtSelection(content.text)) return 0;
    CHARRANGE s = EditorSelectionRange();
    ToEditorLineEnds(content.text);
    if (!FitsIntoNote(content.text, s)) return 0;
    return PasteAddress(content.text, s);
}

int PasteIntoNote()
{
    TRACE_SCOPE(kTraceClipboardEditor, kTracePaste);
    if (!g_noteEditor.hwnd || !EditorDocument()) return 0;
    BusyScope busy;
    if (IsEditorReadOnly()) {
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
