#include "editor/note_marks.h"
#include "editor/note_link_scan.h"
#include "editor/note_title_matcher.h"
#include "foundation/ai_string.h"
#include "foundation/ai_string_table.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/editor_selection.h"
#include "ui/link_marks.h"
#include "ui/long_paragraph_layout.h"
#include <richedit.h>
#include <initializer_list>

namespace {

AIControl* s_editor = 0;

double MillisecondsSince(const LARGE_INTEGER& from)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (double)(now.QuadPart - from.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

// The store's message hook, as the store itself raises a message.
void RaiseTooManyAutolinks()
{
    NoteStore& s = g_noteStore;
    s.lastMessageId = kMsgTooManyAutolinks;
    for (int i = 0; i < 3; i++) s.lastMessageInserts[i].Clear();
    if (s.messageHook) s.messageHook(kMsgTooManyAutolinks, L"", L"", L"");
}

int IsLineEnd(WCHAR ch) { return ch == L'\r' || ch == L'\n'; }

// Keeps the runs of `found` that touch no blocked character, blocking them.
void TakeUnblocked(const NoteRunList& found, uint8_t* blocked, NoteRunList& out)
{
    for (int32_t i = 0; i < found.count; i++) {
        const NoteRun& run = found.items[i];
        int32_t k = run.start;
        while (k < run.end && !blocked[k]) k++;
        if (k < run.end) continue;
        for (k = run.start; k < run.end; k++) blocked[k] = 1;
        AddRun(out, run.start, run.end, run.kind);
    }
}

// Plain text's colour: the colour last seen on text without links, else the
// editor's default format.
struct PlainColour {
    int known;
    COLORREF colour;
    DWORD autoColour;
};
PlainColour s_plainColour = {0, 0, 0};

void DefaultColour(HWND editor, COLORREF* colour, DWORD* autoColour)
{
    if (s_plainColour.known) {
        *colour = s_plainColour.colour;
        *autoColour = s_plainColour.autoColour;
        return;
    }
    CHARFORMAT2W format;
    ZeroMemory(&format, sizeof(format));
    format.cbSize = sizeof(format);
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&format);
    *colour = format.crTextColor;
    *autoColour = format.dwEffects & CFE_AUTOCOLOR;
}

// The marks and effects plain text may carry from an earlier pass.
const DWORD kMarkMask = CFM_UNDERLINE | CFM_UNDERLINETYPE | CFM_PROTECTED | CFM_ITALIC | CFM_STRIKEOUT | CFM_BOLD | CFM_LINK;
const DWORD kMarkEffects = CFE_UNDERLINE | CFE_PROTECTED | CFE_ITALIC | CFE_STRIKEOUT | CFE_BOLD | CFE_LINK;
// Below this many characters a piece with marks is cleared whole.
const int32_t kClearPieceChars = 64;

// One colour, no mark and no effect anywhere in the format's range.
int IsUnmarked(const CHARFORMAT2W& format)
{
    return (format.dwMask & (kMarkMask | CFM_COLOR)) == (kMarkMask | CFM_COLOR) && !(format.dwEffects & kMarkEffects);
}

void WritePlain(HWND editor, int32_t start, int32_t end)
{
    CHARFORMAT2W plain;
    ZeroMemory(&plain, sizeof(plain));
    plain.cbSize = sizeof(plain);
    plain.dwMask = kMarkMask | CFM_COLOR;
    plain.bUnderlineType = CFU_UNDERLINENONE;
    COLORREF colour;
    DWORD autoColour;
    DefaultColour(editor, &colour, &autoColour);
    plain.crTextColor = colour;
    plain.dwEffects = autoColour;
    WriteRangeFormat(editor, start, end, plain);
}

// Clears the pieces of [start, end) that carry marks, halving the range until
// a piece is unmarked or short: every change of format lays its paragraph out
// again, so text without marks is left alone.
void ClearMarkedPieces(HWND editor, int32_t start, int32_t end)
{
    if (end <= start) return;
    CHARFORMAT2W current;
    ReadRangeFormat(editor, start, end, &current);
    if (IsUnmarked(current)) return;
    if (end - start <= kClearPieceChars) {
        WritePlain(editor, start, end);
        return;
    }
    int32_t middle = start + (end - start) / 2;
    ClearMarkedPieces(editor, start, middle);
    ClearMarkedPieces(editor, middle, end);
}

// Takes earlier marks and effects off the text before they are made again.
// Heading lines get their heading format back over the whole line.
void ClearRange(HWND editor, int32_t from, const WCHAR* text, int32_t len)
{
    int32_t blockStart = -1;
    int32_t line = 0;
    while (line <= len) {
        int32_t lineEnd = line;
        while (lineEnd < len && !IsLineEnd(text[lineEnd])) lineEnd++;
        int heading = IsHeadingLineAt(text, len, line);
        if (!heading && blockStart < 0) blockStart = line;
        if ((heading || lineEnd >= len) && blockStart >= 0) {
            int32_t blockEnd = heading ? line : len;
            if (blockEnd > blockStart) {
                CHARFORMAT2W current;
                ReadRangeFormat(editor, from + blockStart, from + blockEnd, &current);
                // One colour throughout and no mark: that is the plain colour.
                if (IsUnmarked(current)) {
                    s_plainColour.known = 1;
                    s_plainColour.colour = current.crTextColor;
                    s_plainColour.autoColour = current.dwEffects & CFE_AUTOCOLOR;
                } else {
                    ClearMarkedPieces(editor, from + blockStart, from + blockEnd);
                }
            }
            blockStart = -1;
        }
        if (heading && lineEnd > line) {
            // The leading "#" is never a link: its format is the heading's.
            CHARFORMAT2W format;
            ReadRangeFormat(editor, from + line, from + line + 1, &format);
            format.dwMask &= CFM_BOLD | CFM_SIZE | CFM_COLOR | CFM_UNDERLINE | CFM_UNDERLINETYPE;
            format.dwMask |= CFM_PROTECTED | CFM_ITALIC | CFM_STRIKEOUT | CFM_LINK;
            format.dwEffects &= ~(DWORD)(CFE_PROTECTED | CFE_ITALIC | CFE_STRIKEOUT | CFE_LINK);
            WriteRangeFormat(editor, from + line, from + lineEnd, format);
        }
        line = lineEnd + 1;
    }
}

void WriteLinkRun(HWND editor, int32_t start, int32_t end, int32_t mark, COLORREF colour, int inHeading)
{
    CHARFORMAT2W format;
    ZeroMemory(&format, sizeof(format));
    format.cbSize = sizeof(format);
    // Bold off as for any link, except that a heading keeps its weight.
    format.dwMask = CFM_UNDERLINE | CFM_PROTECTED | CFM_LINK | CFM_UNDERLINETYPE | CFM_COLOR | (inHeading ? 0 : CFM_BOLD);
    format.dwEffects = CFE_UNDERLINE | CFE_PROTECTED;
    format.bUnderlineType = (BYTE)mark;
    format.crTextColor = colour;
    WriteRangeFormat(editor, start, end, format);
}

void WriteEffectRun(HWND editor, int32_t start, int32_t end, int32_t kind)
{
    CHARFORMAT2W format;
    ZeroMemory(&format, sizeof(format));
    format.cbSize = sizeof(format);
    format.dwMask = kind == RunBold ? CFM_BOLD : kind == RunItalic ? CFM_ITALIC : CFM_STRIKEOUT;
    format.dwEffects = kind == RunBold ? CFE_BOLD : kind == RunItalic ? CFE_ITALIC : CFE_STRIKEOUT;
    WriteRangeFormat(editor, start, end, format);
}

// Adds the current note to the lists of the tags among the runs.
void RecordTags(const WCHAR* text, const NoteRunList& runs)
{
    const AIString& title = g_noteStore.currentTitle;
    if (title.IsEmpty()) return;
    AIString name;
    for (int32_t i = 0; i < runs.count; i++) {
        if (runs.items[i].kind != RunTag) continue;
        name.AssignTextN(text + runs.items[i].start + 1, runs.items[i].end - runs.items[i].start - 1);
        int32_t tag = AddTag(name.GetText());
        if (tag >= 0) AddTitleToTag(tag, title.GetText());
    }
}

// The titles of the note index, made again only when the index changed (a
// keystroke marks its paragraph with them).
const TitleMatcher& IndexTitles()
{
    static TitleMatcher* titles = 0;
    static uint32_t seenChange = 0;
    const AIStringTable& index = *g_noteStore.noteIndex;
    if (!titles) titles = new TitleMatcher();
    else if (index.GetChangeCount() == seenChange) return *titles;
    titles->Clear();
    titles->AddIndexTitles(index);
    seenChange = index.GetChangeCount();
    return *titles;
}

// Drops the link runs that end at `openEnd` (a word still being typed: it is
// marked once a separator follows it). Hyperlink labels stay.
void DropOpenRuns(NoteRunList& links, int32_t openEnd)
{
    if (openEnd < 0) return;
    int32_t kept = 0;
    for (int32_t i = 0; i < links.count; i++) {
        const NoteRun& run = links.items[i];
        if (run.end == openEnd && run.kind != RunHyperlink) continue;
        links.items[kept++] = run;
    }
    links.count = kept;
}

// The link runs (hyperlink labels first, then addresses, tags and titles,
// none overlapping) and the effect runs of `chars`. A link run that ends at
// openEnd (-1: none) is left out: a word still being typed.
void FindMarkRuns(const WCHAR* chars, int32_t len, int32_t openEnd, const TitleMatcher& titles,
                  NoteRunList& links, NoteRunList& effects, NoteMarkCounts* counts)
{
    InitRunList(links);
    InitRunList(effects);
    NoteRunList found;
    InitRunList(found);
    uint8_t* blocked = (uint8_t*)LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, (SIZE_T)len + 1);
    if (!blocked) return;
    // The note's own hyperlinks first, then what the text says by itself.
    AIStringTable& table = *g_noteStore.hyperlinks;
    AIString label;
    for (int32_t i = 0; i < table.GetCount(); i++) {
        table.GetKeyAt(i, label);
        label.ReplaceAll(L"\x00B1", L":");
        found.count = 0;
        FindHyperlinkLabels(chars, len, label.GetText(), label.GetLength(), found);
        TakeUnblocked(found, blocked, links);
    }
    counts->hyperlinks = links.count;
    found.count = 0;
    FindAddresses(chars, len, found);
    TakeUnblocked(found, blocked, links);
    counts->addresses = links.count - counts->hyperlinks;
    found.count = 0;
    FindTags(chars, len, found);
    TakeUnblocked(found, blocked, links);
    counts->tags = links.count - counts->hyperlinks - counts->addresses;
    int32_t before = links.count;
    counts->capHit =
        titles.FindTitles(chars, len, g_noteStore.currentTitle.GetText(), blocked, kMaxAutomaticLinks, links);
    counts->noteLinks = links.count - before;
    DropOpenRuns(links, openEnd);
    FindInlineEffects(chars, len, effects);
    counts->effects = effects.count;
    FreeRunList(found);
    LocalFree(blocked);
}

// The mark and colour of a link run of `chars`.
int32_t LinkRunMark(const NoteRun& run, const WCHAR* chars, const TitleMatcher& titles, int colourByKind,
                    COLORREF* colour)
{
    int32_t mark = run.kind == RunTag ? TagMark : run.kind == RunNoteLink ? NoteLinkMark : HyperlinkMark;
    *colour = (COLORREF)LinkMarkColour(mark, colourByKind);
    // A hyperlink named like a note stands out from both.
    if (run.kind == RunHyperlink && colourByKind && titles.IsTitle(chars + run.start, run.end - run.start))
        *colour = RGB(220, 0, 220);
    return mark;
}

// Marking around an edit in a long body paragraph: every format change lays
// the whole paragraph out again, so only the characters whose format differs
// from what marking the whole paragraph gives are written.
const DWORD kShownMask = CFM_BOLD | CFM_SIZE | CFM_UNDERLINETYPE | CFM_COLOR | CFM_UNDERLINE | CFM_PROTECTED |
                         CFM_ITALIC | CFM_STRIKEOUT | CFM_LINK;
const DWORD kShownEffects =
    CFE_BOLD | CFE_UNDERLINE | CFE_PROTECTED | CFE_ITALIC | CFE_STRIKEOUT | CFE_LINK | CFE_AUTOCOLOR;

struct ParagraphRuns {
    const WCHAR* chars;
    int32_t length;
    NoteRunList links;
    NoteRunList effects;
    const TitleMatcher* titles;
    int colourByKind;
    CHARFORMAT2W base;  // the paragraph's own format
};

// The format of character `at` of the paragraph after a whole marking: the
// paragraph's format, the link run over it, then its effects.
CHARFORMAT2W WantedAt(const ParagraphRuns& p, int32_t at)
{
    CHARFORMAT2W format = p.base;
    format.dwMask = kShownMask;
    format.dwEffects &= ~(DWORD)(kShownEffects & ~CFE_BOLD);
    for (int32_t i = 0; i < p.links.count; i++) {
        const NoteRun& run = p.links.items[i];
        if (at < run.start || at >= run.end) continue;
        format.bUnderlineType =
            (BYTE)LinkRunMark(run, p.chars, *p.titles, p.colourByKind, &format.crTextColor);
        format.dwEffects = (format.dwEffects & ~(DWORD)CFE_BOLD) | CFE_UNDERLINE | CFE_PROTECTED;
        break;
    }
    for (int32_t i = 0; i < p.effects.count; i++) {
        const NoteRun& run = p.effects.items[i];
        if (at < run.start || at >= run.end) continue;
        format.dwEffects |= run.kind == RunBold     ? CFE_BOLD
                            : run.kind == RunItalic ? CFE_ITALIC
                                                    : CFE_STRIKEOUT;
    }
    return format;
}

// 1 when `present` (read over a range) shows exactly `wanted` there.
int ShowsAsWanted(const CHARFORMAT2W& present, const CHARFORMAT2W& wanted)
{
    if ((present.dwMask & kShownMask) != kShownMask) return 0;
    if ((present.dwEffects ^ wanted.dwEffects) & kShownEffects) return 0;
    if (present.yHeight != wanted.yHeight || present.crTextColor != wanted.crTextColor) return 0;
    // Text without an underline reads back with the plain underline type.
    BYTE have = present.bUnderlineType, want = wanted.bUnderlineType;
    int plain = !(wanted.dwEffects & CFE_UNDERLINE) && have <= CFU_UNDERLINE && want <= CFU_UNDERLINE;
    return have == want || plain;
}

int SameWanted(const CHARFORMAT2W& a, const CHARFORMAT2W& b)
{
    return a.dwEffects == b.dwEffects && a.yHeight == b.yHeight && a.crTextColor == b.crTextColor &&
           a.bUnderlineType == b.bUnderlineType;
}

int32_t WordStart(const WCHAR* chars, int32_t at)
{
    while (at > 0 && chars[at - 1] != L' ') at--;
    return at;
}

int32_t WordEnd(const WCHAR* chars, int32_t length, int32_t at)
{
    while (at < length && chars[at] != L' ') at++;
    return at;
}

// Widens [*a, *b) over every run it touches, and over characters next to it
// whose format is not the wanted one (an old run the edit split or ended).
void WidenOverRuns(HWND hwnd, int32_t paragraphStart, const ParagraphRuns& p, int32_t* a, int32_t* b)
{
    for (int changed = 1; changed;) {
        changed = 0;
        for (const NoteRunList* list : {&p.links, &p.effects})
            for (int32_t i = 0; i < list->count; i++) {
                const NoteRun& run = list->items[i];
                if (run.end < *a || run.start > *b) continue;
                if (run.start < *a) *a = run.start, changed = 1;
                if (run.end > *b) *b = run.end, changed = 1;
            }
        CHARFORMAT2W present;
        if (*a > 0) {
            ReadRangeFormat(hwnd, paragraphStart + *a - 1, paragraphStart + *a, &present);
            if (!ShowsAsWanted(present, WantedAt(p, *a - 1))) *a = WordStart(p.chars, *a - 1), changed = 1;
        }
        if (*b < p.length) {
            ReadRangeFormat(hwnd, paragraphStart + *b, paragraphStart + *b + 1, &present);
            if (!ShowsAsWanted(present, WantedAt(p, *b)))
                *b = WordEnd(p.chars, p.length, *b + 1), changed = 1;
        }
    }
}

// The first run boundary after `at` and before `end`, else `end`.
int32_t NextBoundary(const ParagraphRuns& p, int32_t at, int32_t end)
{
    int32_t next = end;
    for (const NoteRunList* list : {&p.links, &p.effects})
        for (int32_t i = 0; i < list->count; i++) {
            const NoteRun& run = list->items[i];
            if (run.start > at && run.start < next) next = run.start;
            if (run.end > at && run.end < next) next = run.end;
        }
    return next;
}

// Marks [from, to) of the editor; the range begins at a line start.
int32_t MarkRange(AIControl* editor, int32_t from, int32_t to, int32_t wholeNote, NoteMarkCounts* counts,
                  int32_t openEnd = -1)
{
    NoteMarkCounts local;
    if (!counts) counts = &local;
    ZeroMemory(counts, sizeof(*counts));
    AITextDocument* doc = editor->GetDocument();
    HWND hwnd = editor->GetHwnd();
    if (!doc || !hwnd) return 0;

    LARGE_INTEGER started;
    QueryPerformanceCounter(&started);
    AIString text;
    doc->GetRangeText(from, to, &text);
    const WCHAR* chars = text.GetText();
    int32_t len = text.GetLength();
    double readMs = MillisecondsSince(started);

    QueryPerformanceCounter(&started);
    uint8_t* heading = (uint8_t*)LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, (SIZE_T)len + 1);
    if (!heading) return 0;
    for (int32_t line = 0; line < len;) {
        int32_t end = line;
        while (end < len && !IsLineEnd(chars[end])) end++;
        if (IsHeadingLineAt(chars, len, line)) FillMemory(heading + line, (SIZE_T)(end - line), 1);
        line = end + 1;
    }

    const TitleMatcher& titles = IndexTitles();
    NoteRunList links, effects;
    FindMarkRuns(chars, len, openEnd < 0 ? -1 : openEnd - from, titles, links, effects, counts);
    counts->scanMs = MillisecondsSince(started);

    // Display only: no undo step, no change of the modified flag, and no
    // change notification that would count as an edit.
    QueryPerformanceCounter(&started);
    int modified = (int)SendMessageW(hwnd, EM_GETMODIFY, 0, 0);
    doc->SetUndoRecording(0);
    {
        QuietSelection quiet(hwnd, 1);
        SendMessageW(hwnd, EM_SETEVENTMASK, 0, 0);
        ClearRange(hwnd, from, chars, len);
        int colourByKind = editor->GetColourByKind();
        for (int32_t i = 0; i < links.count; i++) {
            const NoteRun& run = links.items[i];
            COLORREF colour;
            int32_t mark = LinkRunMark(run, chars, titles, colourByKind, &colour);
            WriteLinkRun(hwnd, from + run.start, from + run.end, mark, colour, heading[run.start]);
        }
        for (int32_t i = 0; i < effects.count; i++)
            WriteEffectRun(hwnd, from + effects.items[i].start, from + effects.items[i].end, effects.items[i].kind);
    }
    doc->SetUndoRecording(1);
    SendMessageW(hwnd, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
    counts->writeMs = readMs + MillisecondsSince(started);

    RecordTags(chars, links);
    if (wholeNote && counts->capHit) RaiseTooManyAutolinks();
    int32_t marked = links.count + effects.count;
    FreeRunList(links);
    FreeRunList(effects);
    LocalFree(heading);
    return marked;
}

}  // namespace

void InstallNoteMarks(AIControl* editor)
{
    s_editor = editor;
}

void ShowNoteHyperlinks()
{
    if (s_editor) ShowAllNoteMarks(s_editor, 0);
}

void ApplyLineTagsInEditor(int32_t reformat)
{
    if (s_editor) ApplyLineMarks(s_editor, reformat);
}

int32_t ShowAllNoteMarks(AIControl* editor, NoteMarkCounts* counts)
{
    if (!editor || !editor->GetDocument()) return 0;
    return MarkRange(editor, 0, editor->GetDocument()->GetTextLength(), 1, counts);
}

int32_t MarkParagraphs(AIControl* editor, int32_t from, int32_t to, int32_t openEnd)
{
    if (!editor || !editor->GetDocument()) return 0;
    AITextDocument* doc = editor->GetDocument();
    int32_t len = doc->GetTextLength();
    if (from < 0) from = 0;
    if (to > len || to < 0) to = len;
    if (from > to) from = to;
    // Whole paragraphs: the text around the range is read once, in a window
    // that holds the paragraph ends.
    AIString text;
    doc->GetRangeText(0, -1, &text);
    len = text.GetLength();
    if (to > len) to = len;
    while (from > 0 && !IsLineEnd(text.CharAt(from - 1))) from--;
    while (to < len && !IsLineEnd(text.CharAt(to))) to++;
    return MarkRange(editor, from, to, 0, 0, openEnd);
}

int32_t MarkAroundEdit(AIControl* editor, int32_t from, int32_t to, int32_t openEnd, const CHARFORMAT2W& body)
{
    AITextDocument* doc = editor ? editor->GetDocument() : 0;
    HWND hwnd = editor ? editor->GetHwnd() : 0;
    if (!doc || !hwnd) return -1;
    AIString text;
    doc->GetRangeText(0, -1, &text);
    int32_t len = text.GetLength();
    if (from < 0 || from > to || to > len) return -1;
    int32_t start = from, end = to;
    while (start > 0 && !IsLineEnd(text.CharAt(start - 1))) start--;
    while (end < len && !IsLineEnd(text.CharAt(end))) end++;
    for (int32_t k = from; k < to; k++)
        if (IsLineEnd(text.CharAt(k))) return -1;
    if (end - start <= kLongParagraphChars) return -1;
    if (IsHeadingLineAt(text.GetText() + start, end - start, 0)) return -1;

    ParagraphRuns p;
    p.chars = text.GetText() + start;
    p.length = end - start;
    p.titles = &IndexTitles();
    p.colourByKind = editor->GetColourByKind();
    p.base = body;
    NoteMarkCounts counts;
    ZeroMemory(&counts, sizeof(counts));
    FindMarkRuns(p.chars, p.length, openEnd < 0 ? -1 : openEnd - start, *p.titles, p.links, p.effects,
                 &counts);

    NoteRunList pending;
    InitRunList(pending);
    int whole = 0;
    {
        QuietSelection quiet(hwnd, 0);
        // Text of another size in the paragraph: it was a heading, or
        // paragraphs were joined.
        CHARFORMAT2W present;
        ReadRangeFormat(hwnd, start, end, &present);
        whole = !(present.dwMask & CFM_SIZE) || present.yHeight != body.yHeight;
        int32_t a = WordStart(p.chars, from - start), b = WordEnd(p.chars, p.length, to - start);
        if (!whole) WidenOverRuns(hwnd, start, p, &a, &b);
        for (int32_t at = a; !whole && at < b;) {
            CHARFORMAT2W wanted = WantedAt(p, at);
            int32_t next = NextBoundary(p, at, b);
            while (next < b && SameWanted(WantedAt(p, next), wanted)) next = NextBoundary(p, next, b);
            ReadRangeFormat(hwnd, start + at, start + next, &present);
            if (!ShowsAsWanted(present, wanted)) AddRun(pending, at, next, 0);
            at = next;
        }
    }
    if (!whole && pending.count) {
        // Display only, as a whole marking.
        int modified = (int)SendMessageW(hwnd, EM_GETMODIFY, 0, 0);
        doc->SetUndoRecording(0);
        {
            LayoutPause oneLayout(pending.count > 1 ? hwnd : nullptr);
            QuietSelection quiet(hwnd, 1);
            SendMessageW(hwnd, EM_SETEVENTMASK, 0, 0);
            for (int32_t i = 0; i < pending.count; i++) {
                const NoteRun& piece = pending.items[i];
                WriteRangeFormat(hwnd, start + piece.start, start + piece.end, WantedAt(p, piece.start));
            }
        }
        doc->SetUndoRecording(1);
        SendMessageW(hwnd, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
    }
    if (!whole) RecordTags(p.chars, p.links);
    int32_t written = whole ? -1 : pending.count;
    FreeRunList(pending);
    FreeRunList(p.links);
    FreeRunList(p.effects);
    return written;
}

int32_t ApplyLineMarks(AIControl* editor, int32_t reformat)
{
    if (!editor || !editor->GetDocument()) return 0;
    AITextDocument* doc = editor->GetDocument();
    // The paragraph of the caret: a wrapped display line would cut titles apart.
    CHARRANGE selection;
    doc->GetSelectionRange(&selection);
    AIString text;
    doc->GetRangeText(0, -1, &text);
    int32_t len = text.GetLength();
    int32_t start = selection.cpMin < 0 ? 0 : (selection.cpMin > len ? len : selection.cpMin);
    int32_t end = start;
    while (start > 0 && !IsLineEnd(text.CharAt(start - 1))) start--;
    while (end < len && !IsLineEnd(text.CharAt(end))) end++;
    if (reformat) return MarkRange(editor, start, end, 0, 0);
    NoteRunList tags;
    InitRunList(tags);
    FindTags(text.GetText() + start, end - start, tags);
    RecordTags(text.GetText() + start, tags);
    int32_t count = tags.count;
    FreeRunList(tags);
    return count;
}
