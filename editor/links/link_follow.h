// Following the link at the caret or under the mouse: a hyperlink opens its
// target (a web page, a mail address, a file or program, a picture or a note),
// a note link shows its note (recorded in the history, so Back returns), and
// a tag offers the notes that carry it in a menu.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

class AIStringList;

// Follows the link at the selection. mouse: the point in the editor's client
// coordinates that chose the link, or null for the keyboard. With the
// keyboard the caret must stand strictly inside the link or the whole link
// be selected. Returns the mark of the link followed (or of a note link
// whose note is gone, which is said), 0 when none.
int32_t ActivateLinkAtCaret(const POINT* mouse);

// The run [start, end) with its mark: follows it. Returns the mark, 0 when
// nothing was followed.
int32_t FollowLinkRun(int32_t start, int32_t end, int32_t mark);

// The titles the tag menu offers, in the tag's order, at most 50, shown form
// (blanks for "_"), "&" doubled so that it is not taken as a menu key.
void TagMenuTitles(const AIStringList& tagNotes, AIStringList& out);
