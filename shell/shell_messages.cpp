#include "shell/shell_messages.h"
#include "shell/main_panel.h"
#include "foundation/ai_string.h"

static ShellMessageHook s_hook = nullptr;
static int32_t s_lastId = 0;
static AIString s_lastText;

void SetShellMessageHook(ShellMessageHook hook) { s_hook = hook; }

void RaiseShellMessageWith(int32_t messageId, const WCHAR* statusText, StatusLevel level, const WCHAR* insert1,
                           const WCHAR* insert2)
{
    s_lastId = messageId;
    s_lastText.AssignText(statusText);
    if (statusText) SetStatusText(statusText, level);
    if (messageId && s_hook) s_hook(messageId, insert1, insert2, nullptr);
}

void RaiseShellMessage(int32_t messageId, const WCHAR* statusText, StatusLevel level)
{
    RaiseShellMessageWith(messageId, statusText, level, nullptr, nullptr);
}

int32_t GetLastShellMessageId() { return s_lastId; }
const WCHAR* GetLastShellMessageText() { return s_lastText.GetText(); }

void ClearLastShellMessage()
{
    s_lastId = 0;
    s_lastText.Clear();
}
