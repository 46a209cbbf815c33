// The links around the caret as the editor shows them: the marks of the
// characters next to it (read as runs, never one character at a time), the
// classification of Backspace and Delete there, and the description of the
// link at the caret.
#pragma once
#include "foundation/win.h"
#include "editor/links/link_edges.h"

class AIControl;

// The mark of the character at position (0 plain, outside the text 0), with
// the brackets of a "[label]" hyperlink counted as the hyperlink's.
int32_t LinkMarkAt(AIControl* editor, int32_t position);

// Fills g_linkCaret for a Backspace (kEdgeBackspace) or Delete at the
// editor's selection and returns its EdgeCode.
EdgeCode ClassifyDeleteAtLink(AIControl* editor, EdgeKey key);

// 1 when [start, end) holds or touches a hyperlink character (a selection
// that typing or an insertion would cut into).
int RangeCutsHyperlink(AIControl* editor, int32_t start, int32_t end);
// 1 when a character of [start, end) belongs to a hyperlink.
int RangeHoldsHyperlink(AIControl* editor, int32_t start, int32_t end);

// The link run holding position (brackets included for a hyperlink); 0 when
// the position is in plain text. mark gets the run's mark.
int LinkRunAt(AIControl* editor, int32_t position, int32_t* start, int32_t* end, int32_t* mark);

// The label of the run [start, end) (a hyperlink's brackets dropped) and,
// when the hyperlink table knows the label, its target as the table holds it
// ("," as U+2026). 1 when the table knows it.
int ReadHyperlinkRun(AIControl* editor, int32_t start, int32_t end, AIString& label, AIString& target);

// Describes the link run [start, end) for the status line into out (mark-up);
// returns its LinkKind.
int32_t DescribeLinkRun(AIControl* editor, int32_t start, int32_t end, int32_t mark, AIString& out);

// The character under a point in the editor's client area, or -1 when the
// point lies beside the text (outside the window, past a line's end, below
// the last line).
int32_t CharUnderPoint(AIControl* editor, POINT point);
