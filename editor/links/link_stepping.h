// Stepping through the links of a note: the next or previous web or note
// link from a position (never wrapping round the note's ends), and the step
// to the next picture link with its preview.
#pragma once
#include "foundation/win.h"
#include "ui/ai_text_document.h"

class AIControl;
class AIString;

// The marks that stepping stops at (tags are not stepped to).
struct SteppingMarks {
    int32_t web;
    int32_t note;
};

// Within runs scanned in text order: forward (direction 1), the index of the
// first link run that starts at minStart or later; backward (-1), the index
// of the last link run that ends at maxEnd or earlier. -1 when none.
int SteppedRunIndex(const MarkRun* runs, int count, int32_t limit, int direction, SteppingMarks marks);

// The next link after range->cpMax (the previous one before range->cpMin):
// range becomes the link (a "[label]" with its brackets) and the editor's
// selection is set to it. Returns the link's mark, 0 when the end (the
// beginning) of the text is reached and nothing changed.
int32_t FindNextLink(AIControl* editor, CHARRANGE* range);
int32_t FindPreviousLink(AIControl* editor, CHARRANGE* range);

// The target a link run stands for: a note link's title, a hyperlink's target
// from the note's table, or the address as typed. 0 for a tag.
int LinkRunTarget(AIControl* editor, int32_t start, int32_t end, int32_t mark, AIString& target);

// 1 while the shell shows a picture preview over the note list or the editor.
int PictureShown();

// Selects the next (previous) picture link of the note and previews it;
// when there is none the selection stays where it was. Always 1.
int JumpToNextLinkOrImage(int forward);
