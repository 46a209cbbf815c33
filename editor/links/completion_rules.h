// The rules of the two completion lists, AutoLinks (note titles that begin
// with the word before the caret) and Tags: which characters they take, where
// the word before the caret starts, which titles and tags a prefix keeps, and
// where the list goes on the editor. Pure text work; titles are read from the
// store's index in title order.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

enum {
    kMaxListedItems = 100,  // items a list shows
    kMaxPrefixWalk = 100,   // characters read back from the caret for the word
    kMaxTagNameChars = 30,  // a chosen tag name is cut to this
    kMinEditorWidth = 300,  // the lists need an editor larger than this
    kMinEditorHeight = 180,
};

// Characters the lists take as typed text (the rest are dropped while a list is open).
int IsAutoLinkChar(WCHAR ch);
int IsTagChar(WCHAR ch);

// Where the word before the caret starts: the text is walked back from the
// caret, at most kMaxPrefixWalk characters, up to a separator.
int32_t AutoLinkWordStart(const WCHAR* text, int32_t caret);

// 1 when "@" typed at caret opens the Tags list: after a blank, TAB or line
// break, or at the start of the note.
int OpensTagList(const WCHAR* text, int32_t caret);

// 1 when text begins with prefix, ignoring case.
int BeginsWithNoCase(const WCHAR* text, int32_t textLen, const WCHAR* prefix, int32_t prefixLen);

// The items of a '\n'-joined list that begin with prefix (all for an empty
// prefix), at most max, '\n'-joined into out; returns their count.
int32_t FilterJoinedItems(const WCHAR* joined, const WCHAR* prefix, int32_t max, AIString& out);
// Item i of a '\n'-joined list ("" when there is none).
void JoinedItemAt(const WCHAR* joined, int32_t i, AIString& out);

// The titles of the store that begin with prefix (ignoring case, a blank
// matching the stored "_"), in title order, as shown ("_" as blanks),
// '\n'-joined; returns their count.
int32_t CollectTitleMatches(const WCHAR* prefix, AIString& joined);

// Where a list goes: the caret at (caretX, caretY) in the editor's client
// area of editorWidth x editorHeight, the editor font's size in points, the
// item height and the item count. Rectangle in the editor's client area.
struct PopupPlace {
    int32_t left, top, width, height;
};
PopupPlace PlacePopupList(int32_t caretX, int32_t caretY, int32_t editorWidth, int32_t editorHeight,
                          int32_t fontPoints, int32_t itemHeight, int32_t itemCount, int32_t extraRows);

// The item height of the lists for a font size and the editor's zoom ratio
// (a ratio of 0/0 reads as 100/100).
int32_t PopupItemHeight(int32_t fontPoints, int32_t zoomNumerator, int32_t zoomDenominator);
