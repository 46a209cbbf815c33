// Places the editor, search, capture and dialog layers fill in. Each leaves
// its trace id so that a run can be followed; none does anything visible yet.
#include "shell/later_entry_points.h"
#include "shell/shell_ids.h"
#include "foundation/trace.h"

void ToggleSplitView() { TRACE_SCOPE(kTraceLaterEntryPoints, 24); }
