// How the shell tells the user about results and refusals: the status line
// always, and the numbered message of the catalogue once the dialog layer
// has connected its message box.
#pragma once
#include "foundation/win.h"
#include "foundation/message_ids.h"
#include "ui/status_line.h"

typedef void (*ShellMessageHook)(int32_t messageId, const WCHAR* insert1, const WCHAR* insert2,
                                 const WCHAR* insert3);

void SetShellMessageHook(ShellMessageHook hook);
// Shows statusText on the status line at the level and raises the message
// (0: none). Remembers both for GetLastShellMessage.
void RaiseShellMessage(int32_t messageId, const WCHAR* statusText, StatusLevel level);
// The same with the message's inserts.
void RaiseShellMessageWith(int32_t messageId, const WCHAR* statusText, StatusLevel level, const WCHAR* insert1,
                           const WCHAR* insert2);
int32_t GetLastShellMessageId();
const WCHAR* GetLastShellMessageText();
void ClearLastShellMessage();
