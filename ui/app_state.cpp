#include "ui/app_state.h"
#include "foundation/app.h"

int IsApplicationClosing()
{
    return g_app.GetRunState() == kRunClosing ? 1 : 0;
}

static int s_busyDepth = 0;

int IsBusy() { return s_busyDepth > 0 ? 1 : 0; }

BusyScope::BusyScope() { s_busyDepth++; }
BusyScope::~BusyScope() { s_busyDepth--; }
