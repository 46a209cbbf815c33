// The AutoLinks and Tags lists: one list box, a child of the content window,
// shown over the editor at the caret. AutoLinks (Ctrl+Space) replaces the
// word before the caret with the chosen note title; Tags ("@" after a blank)
// completes the tag being typed and registers the note under it. Only one of
// them is open at a time; the editor routes its keys here while one is.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

enum CompletionList : int32_t { kCompletionNone = 0, kCompletionAutoLinks = 1, kCompletionTags = 2 };
CompletionList OpenCompletionList();

// Key codes the lists take besides characters (the arrows' key codes; "%"
// and "'" typed while a list is open count as the same).
enum : WPARAM { kCompletionKeyLeft = 37, kCompletionKeyRight = 39 };

// 1 when the list opened.
int ShowAutoLinksPopup();
int ShowTagsPopup();
// A character (or kCompletionKeyLeft/Right) for the open list: 1 lets the
// character reach the note, 0 drops it.
int AutoLinksPopupKey(WPARAM ch);
int TagsPopupKey(WPARAM ch);
void HideAutoLinksPopup();
void HideTagsPopup();
// Closes whichever list is open (focus lost, a click, the mouse moved).
void HideCompletionLists();

// A key released while a list is open: the arrows and pages move the
// selection, Esc closes, Delete removes the selected tag from the store.
void CompletionKeyUp(WPARAM key);
// A mouse move over the editor: the lists close once the pointer really moved.
void CompletionMouseMoved();

// Item index of the open list ("" when there is none). The list box holds
// only the count; the items live here.
void CompletionItem(int32_t index, AIString& out);
// WM_DRAWITEM for the content window: 1 when the item was the completion
// list's and is drawn.
int CompletionDrawItem(const DRAWITEMSTRUCT* item);

// The colours of the list for the content window's WM_CTLCOLORLISTBOX: the
// brush, or 0 when the list box is not the completion list.
HBRUSH CompletionListColour(HWND listBox, HDC dc);
HWND GetCompletionListBox();
