// Cut and copy (plain and rich) and the copy of a link's target; the
// pieces the paste shares with the copy.
#include "editor/clipboard/clipboard_shared.h"
#include "editor/clipboard/clipboard_rules.h"
#include "editor/clipboard/editor_clipboard.h"
#include "editor/keys/editor_links.h"
#include "editor/keys/editor_state.h"
#include "editor/keys/note_editor.h"
#include "foundation/ai_string.h"
#include "foundation/clipboard.h"
#include "foundation/message_ids.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/ai_text_document.h"
#include "editor/links/link_context.h"
#include "editor/links/link_describe.h"
#include "editor/links/link_table_upkeep.h"
#include "foundation/text_markup.h"
#include <string>

namespace {

enum { kTraceCopy = 1 };

// Characters of the copied text the status line shows.
const int kPlainStatusChars = 30;
const int kRichStatusChars = 29;
// A copied label longer than this is not looked up as a link.
const int kLinkLookupMaxChars = 30;

const WCHAR kNothingSelected[] = L"You must select some text to cut or copy";

CopiedLinks s_copied;

void ShowCopyStatus(int cut, const WCHAR* kind, const WCHAR* text, int shownChars)
{
    AIString shown;
    shown.AssignTextN(text, shownChars);
    shown.ReplaceAll(L"\r\n", L" ");
    AIString status(cut ? L"Cut " : L"Copied ");
    status.AppendText(kind).AppendText(L" '");
    TextMarkup::Escape(shown.GetText(), status);
    status.AppendText(L"'...");
    EditorStatus(status.GetText(), kStatusDone);
}

// The removal step of a cut: refused over part of a hyperlink (the copy
// stays on the clipboard), else one undoable step. A link cut whole leaves
// the note's link table with the text (the copy carries its target).
int RemoveCutText(int32_t start, int32_t end)
{
    if (RangeCutsHyperlink(g_noteEditor.control, start, end)) {
        EditorMessage(kMsgCannotDeletePartialLink);
        return 0;
    }
    if (!ReplaceNoteText(start, end, L"", -1, -1)) return 0;
    DropGoneHyperlinks();
    return 1;
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
    SendMessageW(g_noteEditor.hwnd, EM_STREAMOUT, SF_RTF | SFF_SELECTION, (LPARAM)&stream);
    return stream.dwError == 0 && !rtf.empty();
}

std::string ToAnsi(const AIString& text)
{
    int bytes =
        WideCharToMultiByte(CP_ACP, 0, text.GetText(), text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string out((size_t)(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, text.GetText(), text.GetLength(), &out[0], bytes, nullptr, nullptr);
    return out;
}

int CopyStart(CHARRANGE* s)
{
    if (!g_noteEditor.hwnd || !EditorDocument()) return 0;
    *s = EditorSelectionRange();
    if (s->cpMax > s->cpMin) return 1;
    EditorStatus(kNothingSelected, kStatusWarning);
    return 0;
}

}  // namespace

void CopiedLinks::Forget()
{
    fromTitle.Clear();
    links.Clear();
}

CopiedLinks& LastRichCopy() { return s_copied; }

HWND ClipboardWindow() { return g_editorShell.frame ? g_editorShell.frame : g_noteEditor.hwnd; }

AITextDocument* EditorDocument()
{
    return g_noteEditor.control ? g_noteEditor.control->GetDocument() : nullptr;
}

CHARRANGE EditorSelectionRange()
{
    CHARRANGE range;
    ReadEditorSelection(&range);
    return range;
}

int IsEditorReadOnly() { return g_noteEditor.readOnly || (IsDatafileLoaded() && IsDatafileReadOnly()); }

int CutCopyPlainText(ClipboardAction action)
{
    TRACE_SCOPE(kTraceClipboardEditor, kTraceCopy);
    LastRichCopy().Forget();
    CHARRANGE s;
    if (!CopyStart(&s)) return 0;
    // A longer selection gives its first part; a cut then takes only that part.
    int32_t end = s.cpMax - s.cpMin > kPlainCopyMaxChars ? s.cpMin + kPlainCopyLongCut : s.cpMax;
    AIString text;
    EditorDocument()->GetRangeText(s.cpMin, end, &text);
    ToClipboardLineEnds(text);
    if (!PutUnicodeText(text)) {
        EditorStatus(L"The clipboard is in use by another program: nothing copied", kStatusWarning);
        return 0;
    }
    int cut = action == kClipboardCut && !IsEditorReadOnly();
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
    EditorDocument()->GetRangeText(s.cpMin, s.cpMax, &text);
    CopiedLinks& copied = LastRichCopy();
    copied.fromTitle.Copy(g_noteStore.currentTitle);
    copied.links.Clear();
    if (g_noteStore.hyperlinks)
        CollectCopiedLinks(text.GetText(), text.GetLength(), *g_noteStore.hyperlinks, copied.links);
    // Temporary backgrounds (a paste's highlight, the caret line) stay out of the copy.
    ClearPasteHighlight();
    EditorDocument()->SetRangeBackColour(s.cpMin, s.cpMax, (COLORREF)-1);
    std::string rtf;
    int haveRtf = SelectionAsRtf(rtf);
    ToClipboardLineEnds(text);
    std::string ansi = ToAnsi(text);
    AIClipboard clipboard(ClipboardWindow());
    int put = clipboard.Open() && clipboard.Empty();
    put = put && clipboard.SetData(CF_TEXT, ansi.c_str(), ansi.size() + 1);
    if (put && haveRtf)
        clipboard.SetData(RegisterClipboardFormatW(L"Rich Text Format"), rtf.c_str(), rtf.size() + 1);
    put = put && clipboard.SetText(text.GetText());
    clipboard.Close();
    if (!put) {
        copied.Forget();
        EditorStatus(L"The clipboard is in use by another program: nothing copied", kStatusWarning);
        return 0;
    }
    int cut = action == kClipboardCut && !IsEditorReadOnly();
    if (cut && !RemoveCutText(s.cpMin, s.cpMax)) return 1;
    ShowCopyStatus(cut, L"RTF text", text.GetText(), kRichStatusChars);
    return 1;
}

int CopyLinkTarget()
{
    CHARRANGE s;
    if (!CopyStart(&s)) return 0;
    LastRichCopy().Forget();  // a target pasted back is text (an address becomes a link)
    AIString text;
    EditorDocument()->GetRangeText(s.cpMin, s.cpMax, &text);
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
