// Places the editor, search, capture and dialog layers fill in. Each leaves
// its trace id so that a run can be followed; none does anything visible yet.
#include "shell/later_entry_points.h"
#include "shell/shell_ids.h"
#include "foundation/trace.h"

void ChangeRtfFont(LPARAM) { TRACE_SCOPE(kTraceLaterEntryPoints, 19); }
void ChangeRtfFontSize(LPARAM) { TRACE_SCOPE(kTraceLaterEntryPoints, 20); }
void ChangeRtfFontZoom(LPARAM) { TRACE_SCOPE(kTraceLaterEntryPoints, 21); }
void ToggleSplitView() { TRACE_SCOPE(kTraceLaterEntryPoints, 24); }
