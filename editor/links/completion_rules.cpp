// The completion lists' rules.
#include "editor/links/completion_rules.h"
#include "foundation/ai_string_table.h"
#include "notestore/datafile_format.h"
#include "notestore/note_store.h"

namespace {

const int32_t kMinListWidth = 150;
const int32_t kMaxListWidth = 300;
const int32_t kWidthInItems = 20;
const int32_t kFullListHeight = 150;
const int32_t kFewItems = 10;
const int32_t kItemGap = 5;
const int32_t kEdgeGap = 10;
const int32_t kSmallFont = 12;
const int32_t kRowsBelowCaret = 5;

int IsWordSeparator(WCHAR ch)
{
    switch (ch) {
    case L',':
    case L' ':
    case L':':
    case L';':
    case L'.':
    case L'!':
    case L'\'':
    case L'"':
    case L'\t':
    case L'\r':
    case L'\n':
    case L'<':
    case L'>':
    case L'?':
    case L'(':
    case L')':
    case 0: return 1;
    default: return 0;
    }
}

int IsLetterOrDigit(WCHAR ch)
{
    return (ch >= L'0' && ch <= L'9') || (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z') ||
           ch >= 128;
}

// Title characters: a stored "_" is a blank.
WCHAR ShownChar(WCHAR ch) { return ch == L'_' ? L' ' : ch; }

}  // namespace

int IsAutoLinkChar(WCHAR ch) { return IsLetterOrDigit(ch) || ch == L' ' || ch == L'_' || ch == L'`'; }

int IsTagChar(WCHAR ch) { return IsLetterOrDigit(ch); }

int32_t AutoLinkWordStart(const WCHAR* text, int32_t caret)
{
    int32_t p = caret;
    while (p > 0 && caret - p < kMaxPrefixWalk && !IsWordSeparator(text[p - 1])) p--;
    return p;
}

int OpensTagList(const WCHAR* text, int32_t caret)
{
    if (caret <= 0) return 1;
    WCHAR before = text[caret - 1];
    return before == L' ' || before == L'\t' || before == L'\r' || before == L'\n';
}

int BeginsWithNoCase(const WCHAR* text, int32_t textLen, const WCHAR* prefix, int32_t prefixLen)
{
    if (prefixLen > textLen) return 0;
    for (int32_t i = 0; i < prefixLen; i++)
        if (FoldChar(ShownChar(text[i])) != FoldChar(ShownChar(prefix[i]))) return 0;
    return 1;
}

int32_t FilterJoinedItems(const WCHAR* joined, const WCHAR* prefix, int32_t max, AIString& out)
{
    out.Clear();
    int32_t prefixLen = prefix ? lstrlenW(prefix) : 0;
    int32_t count = 0;
    const WCHAR* p = joined;
    while (p && *p && count < max) {
        const WCHAR* end = p;
        while (*end && *end != L'\n') end++;
        if (BeginsWithNoCase(p, (int32_t)(end - p), prefix, prefixLen)) {
            if (count) out.AppendChar(L'\n');
            out.AppendTextN(p, (int32_t)(end - p));
            count++;
        }
        p = *end ? end + 1 : end;
    }
    return count;
}

void JoinedItemAt(const WCHAR* joined, int32_t i, AIString& out)
{
    out.Clear();
    const WCHAR* p = joined;
    for (; p && *p && i > 0; i--) {
        while (*p && *p != L'\n') p++;
        if (*p) p++;
    }
    if (!p || !*p) return;
    const WCHAR* end = p;
    while (*end && *end != L'\n') end++;
    out.AssignTextN(p, (int32_t)(end - p));
}

int32_t CollectTitleMatches(const WCHAR* prefix, AIString& joined)
{
    joined.Clear();
    AIString key;
    StoredTitleForm(prefix, key);
    if (key.IsEmpty()) return 0;
    int32_t first = FindNoteByTitle(prefix, 0, 1);
    if (first < 0) return 0;
    // Titles that share a prefix stand together in title order.
    AIStringTable* index = g_noteStore.noteIndex;
    int32_t count = 0;
    for (int32_t i = first; i < index->GetCount(); i++) {
        int length = 0, keyLength = 0;
        const WCHAR* title = index->ItemAtSorted(i, &length, &keyLength);
        if (!BeginsWithNoCase(title, keyLength, key.GetText(), key.GetLength())) break;
        if (count) joined.AppendChar(L'\n');
        int32_t at = joined.GetLength();
        joined.AppendTextN(title, keyLength);
        WCHAR* shown = joined.GetBuffer(joined.GetLength());
        for (int32_t k = at; k < joined.GetLength(); k++) shown[k] = ShownChar(shown[k]);
        count++;
    }
    return count;
}

PopupPlace PlacePopupList(int32_t caretX, int32_t caretY, int32_t editorWidth, int32_t editorHeight,
                          int32_t fontPoints, int32_t itemHeight, int32_t itemCount, int32_t extraRows)
{
    PopupPlace place;
    int32_t h = itemHeight > 0 ? itemHeight : 1;
    int32_t s = fontPoints;
    place.width = kWidthInItems * h;
    if (place.width < kMinListWidth) place.width = kMinListWidth;
    if (place.width > kMaxListWidth) place.width = kMaxListWidth;
    place.height = itemCount < kFewItems ? (itemCount + extraRows) * (h + kItemGap) : kFullListHeight;
    place.left = caretX;
    if (editorWidth - place.left < place.width) {
        place.left = caretX - place.width;
        if (place.left < kEdgeGap) place.left = kEdgeGap;
    }
    int32_t top = s / 2 + s + caretY + 2;
    if (s < kSmallFont) top += kSmallFont - s;
    if (top + kRowsBelowCaret * (h + kItemGap) < editorHeight) {
        if (top + place.height > editorHeight - kEdgeGap) place.height = editorHeight - kEdgeGap - top;
        place.top = top;
    } else {
        if (place.height > caretY) place.height = caretY;
        place.top = s / 3 - place.height + caretY;
        if (s < kSmallFont) place.top += s / 3;
    }
    return place;
}

int32_t PopupItemHeight(int32_t fontPoints, int32_t zoomNumerator, int32_t zoomDenominator)
{
    if (zoomNumerator <= 0 || zoomDenominator <= 0) return fontPoints;
    return fontPoints * zoomNumerator / zoomDenominator;
}
