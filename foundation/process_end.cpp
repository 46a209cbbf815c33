// Marks the process as ending before global destructors run (see process_end.h).
#include "foundation/process_end.h"
#include <stdlib.h>

static volatile int s_processEnding = 0;
static int s_watching = 0;

static void MarkProcessEnding() { s_processEnding = 1; }

void WatchProcessEnd()
{
    // Exit handlers run in the reverse order of their registration, and the
    // destructors of global objects are registered as each object is
    // constructed, before the entry point: this handler runs before all of them.
    if (s_watching) return;
    s_watching = 1;
    atexit(MarkProcessEnding);
}

int IsProcessEnding() { return s_processEnding; }
