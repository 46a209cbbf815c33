#include "ui/split_view.h"

static int s_splitView = 0;

int IsSplitViewOn() { return s_splitView; }
void SetSplitViewOn(int on) { s_splitView = on ? 1 : 0; }
