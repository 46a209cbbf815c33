#include "ui/app_state.h"
#include "foundation/app.h"

int IsApplicationClosing()
{
    return g_app.GetRunState() == kRunClosing ? 1 : 0;
}
