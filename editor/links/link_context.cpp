// Reading the links around the caret from the editor's runs.
#include "editor/links/link_context.h"
#include "editor/links/link_describe.h"
#include "foundation/ai_string.h"
#include "foundation/ai_string_table.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/link_marks.h"

namespace {

// Below the last line the pointer is over no text once it is this far below
// the line's top (a line's height is read from the lines around it when there are).
const int kLastLineHeight = 24;

// Links are at most this long: a window this wide around a range holds
// every link that touches it, brackets included.
const int32_t kLinkReach = 210;
const int32_t kMaxRuns = 4096;

// The text and per-character marks of [from, from + len).
class MarkWindow {
public:
    MarkWindow() : from(0), len(0), marks(0) {}
    ~MarkWindow()
    {
        if (marks) LocalFree(marks);
    }
    int Read(AIControl* editor, int32_t start, int32_t end)
    {
        AITextDocument* doc = editor ? editor->GetDocument() : 0;
        if (!doc) return 0;
        int32_t total = doc->GetTextLength();
        from = start - kLinkReach < 0 ? 0 : start - kLinkReach;
        int32_t to = end + kLinkReach > total ? total : end + kLinkReach;
        doc->GetRangeText(from, to, &text);
        len = text.GetLength();
        marks = (int32_t*)LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, sizeof(int32_t) * (size_t)(len + 1));
        MarkRun* runs = (MarkRun*)LocalAlloc(LMEM_FIXED, sizeof(MarkRun) * kMaxRuns);
        if (!marks || !runs) {
            if (runs) LocalFree(runs);
            len = 0;
            return 0;
        }
        int count = doc->ScanMarks(from, from + len, runs, kMaxRuns);
        for (int i = 0; i < count; i++) {
            int32_t mark = IsLinkMark(runs[i].mark) || IsHeadingMark(runs[i].mark) ? runs[i].mark : 0;
            for (int32_t k = runs[i].start; k < runs[i].end; k++)
                if (k - from >= 0 && k - from < len) marks[k - from] = mark;
        }
        LocalFree(runs);
        WidenHyperlinkBrackets(text.GetText(), len, marks, HyperlinkMark);
        return 1;
    }
    // The mark at an editor position (0 outside the window).
    int32_t At(int32_t position) const
    {
        int32_t i = position - from;
        return i >= 0 && i < len ? marks[i] : 0;
    }
    int32_t from;
    int32_t len;
    int32_t* marks;
    AIString text;

private:
    MarkWindow(const MarkWindow&);
    MarkWindow& operator=(const MarkWindow&);
};

int IsLinkRunMark(int32_t mark) { return IsLinkMark(mark); }

}  // namespace

int32_t LinkMarkAt(AIControl* editor, int32_t position)
{
    MarkWindow window;
    if (!window.Read(editor, position, position + 1)) return 0;
    return window.At(position);
}

EdgeCode ClassifyDeleteAtLink(AIControl* editor, EdgeKey key)
{
    LinkCaretState& st = g_linkCaret;
    AITextDocument* doc = editor ? editor->GetDocument() : 0;
    st.edge = kEdgeNone;
    if (!doc) return kEdgeNone;
    CHARRANGE selection;
    doc->GetSelectionRange(&selection);
    st.workStart = st.savedStart = selection.cpMin;
    st.workEnd = st.savedEnd = selection.cpMax;
    st.caretStart = selection.cpMin;
    st.key = key == kEdgeBackspace ? VK_BACK : VK_DELETE;
    st.direction = key == kEdgeBackspace ? -1 : 1;
    st.editor = editor->GetHwnd();
    MarkWindow window;
    if (!window.Read(editor, selection.cpMin, selection.cpMax)) return kEdgeNone;
    int hasSelection = selection.cpMax > selection.cpMin;
    int wholeLinkAtEnd = 0;
    if (!hasSelection) {
        int32_t c = selection.cpMin;
        int32_t d = key == kEdgeBackspace ? c - 1 : c;
        st.marks.deleted = window.At(d);
        st.marks.left = window.At(d - 1);
        st.marks.right = window.At(d + 1);
    } else {
        st.marks.left = window.At(selection.cpMin - 1);
        st.marks.right = window.At(selection.cpMax);
        st.marks.deleted = 0;
        // A hyperlink run still open where the selection ends: the selection
        // ends with a whole hyperlink. A run cut at the selection's start is a partial link.
        if (st.marks.left != HyperlinkMark && st.marks.right != HyperlinkMark) {
            for (int32_t k = selection.cpMin; k < selection.cpMax; k++)
                if (window.At(k) == HyperlinkMark) wholeLinkAtEnd = 1;
        }
    }
    int32_t rightOfCaret = window.At(selection.cpMax);
    EdgeKinds kinds = {HyperlinkMark, NoteLinkMark};
    st.edge = ClassifyEdge(key, hasSelection, st.marks, selection.cpMin, wholeLinkAtEnd,
                           IsHeadingMark(rightOfCaret), kinds);
    return (EdgeCode)st.edge;
}

int RangeCutsHyperlink(AIControl* editor, int32_t start, int32_t end)
{
    MarkWindow window;
    if (!window.Read(editor, start, end)) return 0;
    // The characters on both sides of the range both in a hyperlink: inside it.
    if (start == end) return window.At(start - 1) == HyperlinkMark && window.At(start) == HyperlinkMark;
    if (window.At(start - 1) == HyperlinkMark && window.At(start) == HyperlinkMark) return 1;
    if (window.At(end - 1) == HyperlinkMark && window.At(end) == HyperlinkMark) return 1;
    return 0;
}

int RangeHoldsHyperlink(AIControl* editor, int32_t start, int32_t end)
{
    MarkWindow window;
    if (!window.Read(editor, start, end)) return 0;
    for (int32_t at = start; at < end; at++)
        if (window.At(at) == HyperlinkMark) return 1;
    return 0;
}

int LinkRunAt(AIControl* editor, int32_t position, int32_t* start, int32_t* end, int32_t* mark)
{
    MarkWindow window;
    if (!window.Read(editor, position, position + 1)) return 0;
    int32_t m = window.At(position);
    if (!IsLinkRunMark(m)) return 0;
    int32_t s = position, e = position;
    while (s > window.from && window.At(s - 1) == m) s--;
    while (e < window.from + window.len && window.At(e) == m) e++;
    *start = s;
    *end = e;
    *mark = m;
    return 1;
}

int ReadHyperlinkRun(AIControl* editor, int32_t start, int32_t end, AIString& label, AIString& target)
{
    label.Clear();
    target.Clear();
    AITextDocument* doc = editor ? editor->GetDocument() : nullptr;
    if (!doc) return 0;
    doc->GetRangeText(start, end, &label);
    if (label.CharAt(0) == L'[' && label.CharAt(label.GetLength() - 1) == L']') {
        label.DeleteRange(label.GetLength() - 1, 1);
        label.DeleteRange(0, 1);
    }
    AIString key(label);
    LabelToTableKey(key);
    if (!g_noteStore.hyperlinks || g_noteStore.hyperlinks->IndexOfKeyStringExact(key.GetText()) < 0) return 0;
    g_noteStore.hyperlinks->GetValueOfKeyString(key.GetText(), target);
    return 1;
}

int32_t DescribeLinkRun(AIControl* editor, int32_t start, int32_t end, int32_t mark, AIString& out)
{
    AITextDocument* doc = editor ? editor->GetDocument() : 0;
    out.Clear();
    if (!doc) return kLinkAutomatic;
    AIString text, target;
    int known = ReadHyperlinkRun(editor, start, end, text, target);
    g_linkCaret.linkText.Copy(text);
    if (mark == TagMark) {
        out.AssignText(L"Tag <lred>").AppendString(text).AppendText(L"</lred>");
        return kLinkAutomatic;
    }
    const WCHAR* targetText = mark == HyperlinkMark && known ? target.GetText() : nullptr;
    int isTitle = mark == NoteLinkMark;
    AIString description;
    int32_t kind = DescribeLink(text.GetText(), targetText, isTitle, GetDataFolder(), description);
    g_linkCaret.linkText.Copy(description);
    if (kind == kLinkNote && isTitle) {
        out.AssignText(L"Link to note <lred>").AppendString(description);
        out.AppendText(L"</lred> (<lred>Enter</lred> to activate)");
        return kind;
    }
    // "Hyperlink: x" and "Automatic hyperlink: x" show their target in blue.
    int colon = description.FindChar(L':');
    if (colon > 0 && (kind == kLinkWeb || kind == kLinkAutomatic)) {
        AIString head, tail;
        head.AssignTextN(description.GetText(), colon + 1);
        tail.AssignText(description.GetText() + colon + 1);
        tail.Trim();
        out.Copy(head).AppendText(L" <vlblue>").AppendString(tail).AppendText(L"</vlblue>");
    } else {
        out.Copy(description);
    }
    out.AppendText(L" (<lred>Enter</lred> to activate, <lred>Backspace</lred> to delete, any other key to edit link)");
    return kind;
}

int32_t CharUnderPoint(AIControl* editor, POINT point)
{
    HWND window = editor ? editor->GetHwnd() : nullptr;
    AITextDocument* doc = editor ? editor->GetDocument() : nullptr;
    if (!window || !doc) return -1;
    RECT client;
    if (!GetClientRect(window, &client) || !PtInRect(&client, point)) return -1;
    POINTL at = {point.x, point.y};
    int32_t index = (int32_t)SendMessageW(window, EM_CHARFROMPOS, 0, (LPARAM)&at);
    int32_t length = doc->GetTextLength();
    POINTL here = {0, 0}, next = {0, 0};
    if (index > 0) {
        // The control answers the nearest caret place: in a character's right
        // half that is the place after it.
        SendMessageW(window, EM_POSFROMCHAR, (WPARAM)&here, index);
        if (point.x < here.x) index--;
    }
    if (index < 0 || index >= length) return -1;
    SendMessageW(window, EM_POSFROMCHAR, (WPARAM)&here, index);
    SendMessageW(window, EM_POSFROMCHAR, (WPARAM)&next, index + 1);
    if (point.x < here.x || point.y < here.y) return -1;
    if (next.y == here.y && point.x >= next.x) return -1;  // beyond the character
    int32_t line = (int32_t)SendMessageW(window, EM_EXLINEFROMCHAR, 0, index);
    int32_t height = kLastLineHeight;
    if (line > 0) {
        POINTL above = {0, 0};
        SendMessageW(window, EM_POSFROMCHAR, (WPARAM)&above, SendMessageW(window, EM_LINEINDEX, line - 1, 0));
        if (here.y > above.y) height = here.y - above.y;
    }
    if (next.y > here.y) height = next.y - here.y;
    if (point.y >= here.y + height) return -1;
    return index;
}
