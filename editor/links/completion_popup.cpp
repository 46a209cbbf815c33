// The AutoLinks and Tags lists on the note editor.
#include "editor/links/completion_popup.h"
#include "editor/links/completion_rules.h"
#include "editor/keys/editor_state.h"
#include "editor/keys/note_editor.h"
#include "foundation/ai_string.h"
#include "foundation/ai_string_list.h"
#include "foundation/message_ids.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/colours.h"

namespace {

const COLORREF kAutoLinksBack = RGB(255, 200, 200);
const WCHAR kCreateNewTag[] = L"Create a new tag";
const int32_t kPointerSlack = 3;  // pixels the pointer may move before the lists close
const int32_t kDefaultFontPoints = 11;
const int32_t kItemTextIndent = 2;  // pixels between the list's edge and an item's text

struct CompletionState {
    HWND list = nullptr;
    HFONT font = nullptr;
    int32_t fontHeight = 0;
    HBRUSH autoLinksBrush = nullptr;
    CompletionList open = kCompletionNone;
    int32_t start = 0;          // AutoLinks: the word's start; Tags: the "@"
    int32_t openingLength = 0;  // AutoLinks: the prefix's length when the list opened
    AIString typed;             // the prefix, or the tag being typed
    AIString matches;           // AutoLinks: the titles found when the list opened
    // The items shown: the list box holds only their count and draws them
    // from here ('\n'-joined, each item's start in itemStart).
    AIString items;
    int32_t itemStart[kMaxListedItems + 1] = {0};
    int32_t itemCount = 0;
    POINT pointer = {0, 0};
};
CompletionState s_c;

HWND Editor() { return g_noteEditor.hwnd; }

int32_t Caret()
{
    CHARRANGE s;
    ReadEditorSelection(&s);
    return s.cpMax;
}

void ReadText(AIString& text)
{
    text.Clear();
    AITextDocument* doc = g_noteEditor.control ? g_noteEditor.control->GetDocument() : 0;
    if (doc) doc->GetRangeText(0, -1, &text);
}

int CtrlOrAlt() { return (g_noteEditor.modifiers & (kModCtrl | kModAlt)) != 0; }

void Status(const WCHAR* head, const WCHAR* item, const WCHAR* tail, StatusLevel level)
{
    AIString text(head);
    text.AppendText(item).AppendText(tail);
    EditorStatus(text.GetText(), level);
}

// Item i's characters in s_c.items; 0 when there is no such item.
const WCHAR* ItemText(int32_t i, int32_t* length)
{
    *length = 0;
    if (i < 0 || i >= s_c.itemCount) return nullptr;
    *length = s_c.itemStart[i + 1] - s_c.itemStart[i] - 1;
    return s_c.items.GetText() + s_c.itemStart[i];
}

void SelectedItem(AIString& out)
{
    out.Clear();
    if (!s_c.list) return;
    int32_t length = 0;
    const WCHAR* text = ItemText((int32_t)SendMessageW(s_c.list, LB_GETCURSEL, 0, 0), &length);
    if (text) out.AssignTextN(text, length);
}

void ShowPressArrowText()
{
    AIString item;
    SelectedItem(item);
    Status(s_c.open == kCompletionTags
               ? L"Tags: Press arrow up/down to change selection and Enter to select '"
               : L"AutoLinks: Press arrow up/down to change selection and Enter to select '",
           item.GetText(), L"'", kStatusInfo);
}

int EditorLargeEnough()
{
    RECT r = {0, 0, 0, 0};
    if (Editor()) GetClientRect(Editor(), &r);
    return r.right - r.left > kMinEditorWidth && r.bottom - r.top > kMinEditorHeight;
}

HWND ListParent()
{
    if (g_editorShell.content) return g_editorShell.content;
    return Editor() ? GetParent(Editor()) : nullptr;
}

int EnsureList()
{
    if (s_c.list && IsWindow(s_c.list)) return 1;
    HWND parent = ListParent();
    if (!parent) return 0;
    // An owner-data list: it keeps only a count and asks for each visible
    // item's drawing, so a new prefix costs no string copies into the control.
    s_c.list = CreateWindowExW(0, L"LISTBOX", L"",
                               WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                                   LBS_NODATA | LBS_OWNERDRAWFIXED,
                               0, 0, 10, 10, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    // The editor must not paint over its sibling.
    if (s_c.list && Editor())
        SetWindowLongPtrW(Editor(), GWL_STYLE, GetWindowLongPtrW(Editor(), GWL_STYLE) | WS_CLIPSIBLINGS);
    return s_c.list != nullptr;
}

// Shows count items of a '\n'-joined list and selects the first.
void FillList(const AIString& items, int32_t count)
{
    if (count > kMaxListedItems) count = kMaxListedItems;
    s_c.items.Clear();
    s_c.itemCount = 0;
    const WCHAR* p = items.GetText();
    for (; s_c.itemCount < count && p && *p; s_c.itemCount++) {
        const WCHAR* end = p;
        while (*end && *end != L'\n') end++;
        s_c.itemStart[s_c.itemCount] = s_c.items.GetLength();
        s_c.items.AppendTextN(p, (int32_t)(end - p)).AppendChar(L'\n');
        p = *end ? end + 1 : end;
    }
    s_c.itemStart[s_c.itemCount] = s_c.items.GetLength();
    // A list of the same length only needs its rows drawn again; a new count
    // moves the scroll bar, done once with drawing off.
    if (SendMessageW(s_c.list, LB_GETCOUNT, 0, 0) != s_c.itemCount) {
        SendMessageW(s_c.list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(s_c.list, LB_SETCOUNT, s_c.itemCount, 0);
        SendMessageW(s_c.list, LB_SETCURSEL, 0, 0);
        SendMessageW(s_c.list, WM_SETREDRAW, TRUE, 0);
    } else {
        SendMessageW(s_c.list, LB_SETCURSEL, 0, 0);
    }
    InvalidateRect(s_c.list, nullptr, TRUE);
}

// Puts the list at the caret, in the editor's font at its zoom.
void PlaceList(int32_t count, int32_t extraRows)
{
    HWND editor = Editor();
    int32_t points = g_noteEditor.control ? g_noteEditor.control->GetFontSize() : 0;
    if (points <= 0) points = kDefaultFontPoints;
    WPARAM numerator = 0;
    LPARAM denominator = 0;
    SendMessageW(editor, EM_GETZOOM, (WPARAM)&numerator, (LPARAM)&denominator);
    int32_t itemHeight = PopupItemHeight(points, (int32_t)numerator, (int32_t)denominator);
    if (itemHeight != s_c.fontHeight || !s_c.font) {
        if (s_c.font) DeleteObject(s_c.font);
        s_c.font = CreateFontW(-itemHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                               CLEARTYPE_QUALITY, 0, L"Arial");
        s_c.fontHeight = itemHeight;
        SendMessageW(s_c.list, WM_SETFONT, (WPARAM)s_c.font, FALSE);
        // Rows as high as the font's lines, as a list of strings would have.
        HDC dc = GetDC(s_c.list);
        HGDIOBJ old = SelectObject(dc, s_c.font);
        TEXTMETRICW metrics;
        int rowHeight = GetTextMetricsW(dc, &metrics) ? metrics.tmHeight : itemHeight;
        SelectObject(dc, old);
        ReleaseDC(s_c.list, dc);
        SendMessageW(s_c.list, LB_SETITEMHEIGHT, 0, rowHeight > 0 ? rowHeight : 1);
    }
    POINTL caret = {0, 0};
    SendMessageW(editor, EM_POSFROMCHAR, (WPARAM)&caret, Caret());
    RECT client;
    GetClientRect(editor, &client);
    PopupPlace place =
        PlacePopupList(caret.x, caret.y, client.right, client.bottom, points, itemHeight, count, extraRows);
    POINT at = {place.left, place.top};
    MapWindowPoints(editor, GetParent(s_c.list), &at, 1);
    // Moved only when its place changes (a narrowed list keeps its place).
    RECT now;
    GetWindowRect(s_c.list, &now);
    MapWindowPoints(nullptr, GetParent(s_c.list), (POINT*)&now, 2);
    int same = now.left == at.x && now.top == at.y && now.right - now.left == place.width &&
               now.bottom - now.top == place.height && (GetWindowLongW(s_c.list, GWL_STYLE) & WS_VISIBLE);
    if (!same)
        SetWindowPos(s_c.list, HWND_TOP, at.x, at.y, place.width, place.height,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void Hide()
{
    // The list's prompt goes with it.
    if (s_c.open != kCompletionNone) EditorStatus(L"", kStatusDone);
    s_c.open = kCompletionNone;
    if (s_c.list) {
        ShowWindow(s_c.list, SW_HIDE);
        UpdateWindow(s_c.list);
    }
    if (Editor()) {
        InvalidateRect(Editor(), nullptr, FALSE);
        UpdateWindow(Editor());
    }
}

void Open(CompletionList kind, int32_t start)
{
    s_c.open = kind;
    s_c.start = start;
    GetCursorPos(&s_c.pointer);
}

// ---- AutoLinks ----

void RefilterAutoLinks()
{
    AIString items;
    int32_t count = FilterJoinedItems(s_c.matches.GetText(), s_c.typed.GetText(), kMaxListedItems, items);
    if (count == 0) {
        items.Copy(s_c.typed);
        FillList(items, 1);
        Status(L"Autolinks: No note available with the title '", s_c.typed.GetText(), L"'", kStatusWarning);
    } else {
        FillList(items, count);
        ShowPressArrowText();
    }
    // A list that shrinks or moves uncovers the editor by itself (it clips its sibling).
    PlaceList(count ? count : 1, 1);
}

void AcceptAutoLink()
{
    AIString item;
    SelectedItem(item);
    int32_t caret = Caret();
    int32_t start = s_c.start;
    Hide();
    if (item.IsEmpty() || caret < start) return;
    if (lstrcmpiW(item.GetText(), s_c.typed.GetText()) == 0) return;
    int32_t end = start + item.GetLength();
    ReplaceNoteText(start, caret, item.GetText(), end, end);
}

// ---- Tags ----

void AllTags(AIString& joined, int32_t* count)
{
    joined.Clear();
    *count = GetTagCount();
    AIString name;
    for (int32_t i = 0; i < *count; i++) {
        if (i) joined.AppendChar(L'\n');
        g_noteStore.tagNames->GetItemTextMode(i, name);
        joined.AppendString(name);
    }
}

void RefilterTags()
{
    AIString all, items;
    int32_t total = 0;
    AllTags(all, &total);
    int32_t count = FilterJoinedItems(all.GetText(), s_c.typed.GetText(), kMaxListedItems, items);
    if (count == 0 && !s_c.typed.IsEmpty()) {
        items.Copy(s_c.typed);
        count = 1;
        FillList(items, count);
        Status(L"Tags: Create a new tag by writing it and then press Enter (", s_c.typed.GetText(), L")",
               kStatusInfo);
    } else if (count == 0) {
        items.AssignText(kCreateNewTag);
        count = 1;
        FillList(items, count);
        EditorStatus(L"Tags: Create a new tag by writing it and then press Enter (", kStatusInfo);
    } else {
        FillList(items, count);
        ShowPressArrowText();
    }
    PlaceList(count, 2);
}

// Registers the current note under a tag (a new tag is added first); 0 when
// the store is full of tags.
int RegisterTag(const AIString& name)
{
    int32_t tag = FindTag(name.GetText());
    if (tag < 0) {
        if (GetTagCount() >= kMaxTags) {
            EditorMessage(kMsgTooManyTags);
            return 0;
        }
        tag = AddTag(name.GetText());
        if (tag < 0) return 0;
    }
    if (!AddTitleToTag(tag, g_noteStore.currentTitle.GetText()))
        Status(L"The tag '", name.GetText(), L"' already holds 50 notes: this note is not listed under it",
               kStatusWarning);
    return 1;
}

// The "@" and the text after it up to the caret, when they are still there.
int TagTextInNote(AIString& typedInNote, int32_t* caret)
{
    AIString text;
    ReadText(text);
    *caret = Caret();
    if (s_c.start >= *caret || s_c.start >= text.GetLength() || text.CharAt(s_c.start) != L'@') return 0;
    typedInNote.AssignTextN(text.GetText() + s_c.start + 1, *caret - s_c.start - 1);
    return 1;
}

void AcceptTag()
{
    AIString chosen;
    SelectedItem(chosen);
    Hide();
    if (lstrcmpW(chosen.GetText(), kCreateNewTag) == 0) chosen.Copy(s_c.typed);
    if (chosen.GetLength() > kMaxTagNameChars) chosen.KeepRange(0, kMaxTagNameChars);
    AIString inNote;
    int32_t caret = 0;
    if (chosen.IsEmpty() || !TagTextInNote(inNote, &caret)) return;
    if (!RegisterTag(chosen)) return;
    int32_t end = s_c.start + 1 + chosen.GetLength();
    if (lstrcmpW(chosen.GetText(), inNote.GetText()) != 0)
        ReplaceNoteText(s_c.start + 1, caret, chosen.GetText(), end, end);
    else
        FollowTextEdit(s_c.start, caret, -1);
}

void CancelTag()
{
    AIString inNote;
    int32_t caret = 0;
    Hide();
    if (TagTextInNote(inNote, &caret)) ReplaceNoteText(s_c.start, caret, L"", s_c.start, s_c.start);
    EditorStatus(L"Tag selection/creation cancelled", kStatusInfo);
}

void DeleteSelectedTag()
{
    AIString tag;
    SelectedItem(tag);
    int32_t at = FindTag(tag.GetText());
    if (at < 0) return;
    RemoveTag(at);
    RefilterTags();
    Status(L"Deleted the tag '", tag.GetText(), L"'", kStatusInfo);
}

void MoveSelection(WPARAM key)
{
    LRESULT count = SendMessageW(s_c.list, LB_GETCOUNT, 0, 0);
    LRESULT at = SendMessageW(s_c.list, LB_GETCURSEL, 0, 0);
    if (count <= 0) return;
    LRESULT itemHeight = SendMessageW(s_c.list, LB_GETITEMHEIGHT, 0, 0);
    if (itemHeight <= 0) itemHeight = 1;
    RECT r;
    GetClientRect(s_c.list, &r);
    LRESULT page = (r.bottom - r.top) / itemHeight - 1;
    if (page < 1) page = 1;
    switch (key) {
    case VK_UP: at -= 1; break;
    case VK_DOWN: at += 1; break;
    case VK_PRIOR: at -= page; break;
    case VK_NEXT: at += page; break;
    default: break;
    }
    if (at < 0) at = 0;
    if (at >= count) at = count - 1;
    SendMessageW(s_c.list, LB_SETCURSEL, at, 0);
    ShowPressArrowText();
}

}  // namespace

CompletionList OpenCompletionList() { return s_c.open; }
HWND GetCompletionListBox() { return s_c.list; }

int ShowAutoLinksPopup()
{
    HideCompletionLists();
    HWND editor = Editor();
    if (!editor || !EnsureList()) return 0;
    CHARRANGE selection;
    ReadEditorSelection(&selection);
    int32_t caret = selection.cpMax;
    CHARRANGE collapsed = {caret, caret};
    if (selection.cpMin != caret) SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&collapsed);
    s_c.itemCount = 0;
    s_c.matches.Clear();
    AIString text;
    ReadText(text);
    int32_t start = AutoLinkWordStart(text.GetText(), caret);
    s_c.typed.AssignTextN(text.GetText() + start, caret - start);
    if (s_c.typed.IsEmpty()) {
        EditorMessage(kMsgMissingCharacters);
        return 0;
    }
    if (!EditorLargeEnough()) {
        EditorStatus(L"Editor window too small to use intellisense", kStatusWarning);
        return 0;
    }
    if (!CollectTitleMatches(s_c.typed.GetText(), s_c.matches)) {
        Status(L"Autolinks: No note available with the title '", s_c.typed.GetText(), L"'", kStatusWarning);
        return 0;
    }
    Open(kCompletionAutoLinks, start);
    s_c.openingLength = s_c.typed.GetLength();
    RefilterAutoLinks();
    return 1;
}

int AutoLinksPopupKey(WPARAM ch)
{
    if (s_c.open != kCompletionAutoLinks) return 1;
    switch (ch) {
    case L'\r':
    case L'\t':
    case kCompletionKeyRight: AcceptAutoLink(); return 0;
    case L'\b':
        if (s_c.typed.GetLength() > s_c.openingLength)
            s_c.typed.SetLength(s_c.typed.GetLength() - 1);
        else {
            Hide();
            return 1;
        }
        RefilterAutoLinks();
        return 1;
    case kCompletionKeyLeft: Hide(); return 1;
    case 27: Hide(); return 0;
    case 0: RefilterAutoLinks(); return 1;
    default: break;
    }
    if (CtrlOrAlt() || !IsAutoLinkChar((WCHAR)ch)) return 0;
    s_c.typed.AppendChar((WCHAR)ch);
    RefilterAutoLinks();
    return 1;
}

void HideAutoLinksPopup()
{
    if (s_c.open == kCompletionAutoLinks) Hide();
}

int ShowTagsPopup()
{
    HideCompletionLists();
    if (!Editor() || !EnsureList()) return 0;
    s_c.typed.Clear();
    s_c.itemCount = 0;
    if (GetTagCount() >= kMaxTags) {
        EditorMessage(kMsgTooManyTagNames);
        return 0;
    }
    if (!EditorLargeEnough()) {
        EditorStatus(L"Editor window too small to use tags intellisense", kStatusWarning);
        return 0;
    }
    CHARRANGE s;
    ReadEditorSelection(&s);
    Open(kCompletionTags, s.cpMin);
    RefilterTags();
    return 1;
}

int TagsPopupKey(WPARAM ch)
{
    if (s_c.open != kCompletionTags) return 1;
    switch (ch) {
    case L'\r':
    case L'\t':
    case kCompletionKeyRight: AcceptTag(); return 0;
    case L' ': {
        Hide();
        AIString name(s_c.typed);
        if (name.GetLength() > kMaxTagNameChars) name.KeepRange(0, kMaxTagNameChars);
        if (!name.IsEmpty()) RegisterTag(name);
        return 1;
    }
    case 27:
    case kCompletionKeyLeft: CancelTag(); return 0;
    case L'\b':
        if (s_c.typed.GetLength() <= 1) {
            s_c.typed.Clear();
            Hide();
            return 1;
        }
        s_c.typed.SetLength(s_c.typed.GetLength() - 1);
        RefilterTags();
        return 1;
    case 0: RefilterTags(); return 1;
    default: break;
    }
    if (CtrlOrAlt() || !IsTagChar((WCHAR)ch)) return 0;
    s_c.typed.AppendChar((WCHAR)ch);
    RefilterTags();
    return 1;
}

void HideTagsPopup()
{
    if (s_c.open == kCompletionTags) Hide();
}

void HideCompletionLists()
{
    if (s_c.open != kCompletionNone) Hide();
}

void CompletionKeyUp(WPARAM key)
{
    if (s_c.open == kCompletionNone) return;
    switch (key) {
    case VK_ESCAPE:
        if (s_c.open == kCompletionTags) {
            TagsPopupKey(27);
        } else {
            Hide();
            EditorStatus(L"Intellisense cancelled", kStatusInfo);
        }
        break;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: MoveSelection(key); break;
    case VK_DELETE:
        if (s_c.open == kCompletionTags) DeleteSelectedTag();
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        WPARAM code = key == VK_LEFT ? kCompletionKeyLeft : kCompletionKeyRight;
        if (s_c.open == kCompletionTags)
            TagsPopupKey(code);
        else
            AutoLinksPopupKey(code);
        break;
    }
    default: break;
    }
}

void CompletionMouseMoved()
{
    if (s_c.open == kCompletionNone) return;
    POINT now;
    GetCursorPos(&now);
    int32_t dx = now.x - s_c.pointer.x, dy = now.y - s_c.pointer.y;
    if (dx > kPointerSlack || dx < -kPointerSlack || dy > kPointerSlack || dy < -kPointerSlack)
        HideCompletionLists();
}

void CompletionItem(int32_t index, AIString& out)
{
    int32_t length = 0;
    const WCHAR* text = ItemText(index, &length);
    out.AssignTextN(text ? text : L"", length);
}

int CompletionDrawItem(const DRAWITEMSTRUCT* item)
{
    if (!item || item->CtlType != ODT_LISTBOX || !s_c.list || item->hwndItem != s_c.list) return 0;
    HDC dc = item->hDC;
    RECT r = item->rcItem;
    int selected = (item->itemState & ODS_SELECTED) != 0;
    COLORREF back, fore;
    if (selected) {
        back = GetSysColor(COLOR_HIGHLIGHT);
        fore = GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else if (s_c.open == kCompletionAutoLinks) {
        back = kAutoLinksBack;
        fore = GetSysColor(COLOR_WINDOWTEXT);
    } else {
        back = GetTableColour(s_c.open == kCompletionTags ? ColourPopupBack : ColourFace);
        fore = GetTableColour(ColourPopupText);
    }
    SetBkColor(dc, back);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    int32_t length = 0;
    const WCHAR* text = ItemText((int32_t)item->itemID, &length);
    if (text && length > 0) {
        HGDIOBJ old = s_c.font ? SelectObject(dc, s_c.font) : nullptr;
        SetTextColor(dc, fore);
        SetBkMode(dc, TRANSPARENT);
        r.left += kItemTextIndent;
        DrawTextW(dc, text, length, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (old) SelectObject(dc, old);
    }
    if (item->itemState & ODS_FOCUS) DrawFocusRect(dc, &item->rcItem);
    return 1;
}

HBRUSH CompletionListColour(HWND listBox, HDC dc)
{
    if (!listBox || listBox != s_c.list) return nullptr;
    SetBkMode(dc, TRANSPARENT);
    if (s_c.open == kCompletionAutoLinks) {
        if (!s_c.autoLinksBrush) s_c.autoLinksBrush = CreateSolidBrush(kAutoLinksBack);
        SetBkColor(dc, kAutoLinksBack);
        return s_c.autoLinksBrush;
    }
    int colour = s_c.open == kCompletionTags ? ColourPopupBack : ColourFace;
    SetBkColor(dc, GetTableColour(colour));
    SetTextColor(dc, GetTableColour(ColourPopupText));
    return CreateBrushOfColour(colour);
}
